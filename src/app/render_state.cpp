// The projection that follows the window.
#include <GL/gl.h>

#include "app.h"

// A 30 degree vertical field of view from 1 to 100 units, leaving the
// model-view matrix current for the frame. A height of 0 (a minimised
// window) is taken as 1 so the aspect ratio stays finite.
void reshapeView(int width, int height) {
    glViewport(0, 0, width, height);
    const int safeHeight = height > 0 ? height : 1;
    setPerspective(static_cast<double>(width) / static_cast<double>(safeHeight));
}
