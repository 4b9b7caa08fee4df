// spinning-box: a uniform 0.3 x 2.3 x 0.3 box turning freely, with no torque.
// Every drawn frame advances its body-frame angular velocity by one
// Runge-Kutta step of Euler's equations and draws the lit box and the axes.
//
// Commands:
//   left button held, or "z"   run the animation
//   left button released, "x"  stop it
//   right button               advance one frame
//   Escape, "q", "Q"           quit
#include <GL/freeglut.h>

#include "app.h"

int main(int argc, char** argv) {
    openWindow(&argc, argv);
    glutMainLoop();
    return 0;
}
