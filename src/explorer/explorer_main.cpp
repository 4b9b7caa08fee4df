// spinning-box-explorer: the true motion of any box, beside the exact
// solution. The box turns in its integrated attitude (by default the window
// program's own step for omega, a fourth-order step for the attitude; i or
// --integrator for another method), paced by the
// clock, lit as the window program lights its box; the exact attitude's
// outline, the fixed angular momentum L, omega and the trail of the long
// axis's tip are drawn over it, and Poinsot's picture sits in the corner.
//
// Commands (also in --help):
//   z / x                 run / stop           right button   one step
//   Escape, q, Q          quit                 + / -          speed x2 / x0.5
//   1 to 6                presets              g              the exact outline
//   r                     back to the start    drag, wheel    the camera
//   i                     the next integrator
#include <GL/freeglut.h>

#include "explorer.h"

int main(int argc, char** argv) {
    explorerDefaults();
    const int status = readExplorerOptions(argc, argv);
    if (status >= 0) {
        return status;
    }
    openExplorerWindow(&argc, argv);
    startExplorer();
    glutMainLoop();
    return 0;
}
