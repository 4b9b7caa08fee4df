// The lights, placed and coloured, the render state they belong to, and the
// projection.
#include <GL/gl.h>
#include <GL/glu.h>

#include "look.h"

const float light0Colour[4] = {0.0F, 2.0F, 0.2F, 1.5F};
const float light1Colour[4] = {0.0F, 1.0F, 0.0F, 1.0F};

// w = 1: both lights are point lights.
const float light0Position[4] = {0.0F, 3.0F, 5.0F, 1.0F};
const float light1Position[4] = {5.0F, 3.0F, 0.0F, 1.0F};

// White background, depth test, two coloured lights. Front faces are culled
// because the box's faces are wound clockwise seen from outside.
void initRenderState() {
    glClearColor(1.0F, 1.0F, 1.0F, 1.0F);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, light1Colour);
    glLightfv(GL_LIGHT1, GL_SPECULAR, light1Colour);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, light0Colour);
    glLightfv(GL_LIGHT0, GL_SPECULAR, light0Colour);
}

void setPerspective(double aspect, double scale) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(30.0, aspect, scale, 100.0 * scale);
    glMatrixMode(GL_MODELVIEW);
}
