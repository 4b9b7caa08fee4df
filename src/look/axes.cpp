// The coordinate axes: three dark red lines through the origin.
#include <GL/gl.h>

#include "look.h"

// No normal is given: the axes are lit with whatever normal is current.
void drawAxes(double length) {
    glBegin(GL_LINES);
    for (int axis = 0; axis < 3; ++axis) {
        double from[3] = {0.0, 0.0, 0.0};
        double to[3] = {0.0, 0.0, 0.0};
        from[axis] = -length;
        to[axis] = length;
        glColor3ub(192, 0, 0);
        glVertex3dv(from);
        glVertex3dv(to);
    }
    glEnd();
}
