// The projection that follows the window.
#include <GL/gl.h>
#include <GL/glu.h>

#include "app.h"

// A 30 degree vertical field of view from 1 to 100 units, leaving the
// model-view matrix current for the frame. A height of 0 (a minimised
// window) is taken as 1 so the aspect ratio stays finite.
void reshapeView(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const int safeHeight = height > 0 ? height : 1;
    gluPerspective(30.0, static_cast<double>(width) / static_cast<double>(safeHeight), 1.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
}
