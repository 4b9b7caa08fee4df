// A picture kept off the window: a texture, drawn into through a
// framebuffer object of its own when it changes, and laid into each frame
// as one textured square, texel for pixel, as part of the frame's scene. On
// a software renderer that costs a fraction of drawing the picture again,
// and, unlike a copy into the window, does not make the renderer finish
// the frame's tiles twice. Desktop only.
#pragma once

struct KeptPicture {
    unsigned framebuffer = 0;
    unsigned texture = 0;
    int width = 0;
    int height = 0;
};

// Makes `picture` width x height (if it is not already) and directs drawing
// into it, its lower left corner at 0, 0.
void drawInto(KeptPicture& picture, int width, int height);

// Directs drawing back into the window.
void drawIntoWindow();

// Lays the picture into the window, its lower left corner at x, y, over
// whatever is there: unlit, with no depth test.
void layIntoWindow(const KeptPicture& picture, int x, int y, int windowWidth, int windowHeight);
