// The readouts as text in the window's top left corner, in GLUT's bitmap
// font, unlit, over the scene.
#include <GL/freeglut.h>

#include <string>

#include "explorer.h"

void drawReadouts() {
    const Explorer& e = explorer;
    glViewport(0, 0, e.width, e.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, e.width, 0.0, e.height, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glColor3d(0.0, 0.0, 0.0);
    const std::string text = readoutText();
    int line = 0;
    size_t from = 0;
    while (from < text.size()) {
        const size_t to = text.find('\n', from);
        const std::string one = text.substr(from, to - from);
        glRasterPos2i(8, e.height - 18 - 15 * line);
        glutBitmapString(GLUT_BITMAP_8_BY_13, reinterpret_cast<const unsigned char*>(one.c_str()));
        ++line;
        from = to == std::string::npos ? text.size() : to + 1;
    }
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
}
