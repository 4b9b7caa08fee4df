// The user's commands. The toolkit's idle slot is the only animation state:
// installing onIdle runs the animation and clearing the slot stops it.
#include <GL/freeglut.h>

#include <cstdlib>

#include "app.h"

// Each idle pass asks for one more frame, and so one more step.
void onIdle() { glutPostRedisplay(); }

// The pointer position is not used.
void onMouse(int button, int state, int /*x*/, int /*y*/) {
    if (button == GLUT_LEFT_BUTTON) {
        glutIdleFunc(state == GLUT_DOWN ? onIdle : nullptr);
    } else if (button == GLUT_RIGHT_BUTTON && state == GLUT_DOWN) {
        glutPostRedisplay();
    }
}

// Keys compare on the exact byte: "Z" and "X" do nothing.
void onKeyboard(unsigned char key, int /*x*/, int /*y*/) {
    switch (key) {
        case 27:  // Escape
        case 'q':
        case 'Q':
            std::exit(0);
        case 'z':
            glutIdleFunc(onIdle);
            break;
        case 'x':
            glutIdleFunc(nullptr);
            break;
        default:
            break;
    }
}
