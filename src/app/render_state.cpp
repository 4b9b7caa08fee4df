// GL state owned by the window: the fixed render state and the projection.
#include <GL/gl.h>
#include <GL/glu.h>

#include "app.h"

const float light0Colour[4] = {0.0F, 2.0F, 0.2F, 1.5F};
const float light1Colour[4] = {0.0F, 1.0F, 0.0F, 1.0F};

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
