// The frame handler: every redraw draws the whole scene from scratch and
// advances the spin by exactly one step.
#include "frame.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include "../model/spin_state.h"

// Draws one frame into the back buffer and shows it.
void displayFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(3.0, 4.0, 5.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);

    drawAxes(10.0);
    // Given under the camera alone, so the lights stay fixed in the world.
    glLightfv(GL_LIGHT0, GL_POSITION, light0Position);
    glLightfv(GL_LIGHT1, GL_POSITION, light1Position);

    advanceRotation();

    glPushMatrix();
    // The turn is about the present omega with its third component negated.
    glRotated(spinState.turnAngleDegrees, spinState.omega[0], spinState.omega[1],
              -spinState.omega[2]);
    glScaled(spinState.sides[0], spinState.sides[1], spinState.sides[2]);
    drawBox();
    glPopMatrix();

    glutSwapBuffers();
}
