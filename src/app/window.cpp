// The one window: toolkit start-up, the window itself and its handlers.
#include <GL/freeglut.h>

#include "../scene/frame.h"
#include "app.h"

// The toolkit takes its own options from the command line; the program has none.
void openWindow(int* argc, char** argv) {
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow(argv[0]);
    glutDisplayFunc(displayFrame);
    glutReshapeFunc(reshapeView);
    glutMouseFunc(onMouse);
    glutKeyboardFunc(onKeyboard);
    initRenderState();
}
