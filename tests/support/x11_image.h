// Pictures of X windows, read back from the X server as the user sees them.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <ostream>
#include <vector>

struct Rgb {
    int r;
    int g;
    int b;
    bool isWhite() const { return r == 255 && g == 255 && b == 255; }
    bool isKnown() const { return r >= 0; }  // false for pixels off the screen
};

// A window's contents, row 0 at the top as X stores it. Pixels that lie off
// the screen are not known.
struct WindowImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
    // Pixel at GL window coordinates (origin bottom left).
    Rgb atGl(int x, int y) const {
        return pixels[static_cast<size_t>((height - 1 - y) * width + x)];
    }
    bool operator==(const WindowImage& other) const;
    bool operator!=(const WindowImage& other) const { return !(*this == other); }
};

// How gtest shows a picture in a failure message.
inline void PrintTo(const WindowImage& image, std::ostream* out) {
    *out << image.width << "x" << image.height << " picture";
}

// Reads the whole window from the server.
WindowImage captureWindow(Display* display, Window window);
