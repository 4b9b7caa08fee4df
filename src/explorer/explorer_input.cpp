// The explorer's commands. As in the window program: "z" runs, "x" stops,
// the right button takes one step, Escape, "q" or "Q" quits. Beyond it:
// "+" and "-" double and halve the speed, "1" to "6" choose a preset, "g"
// shows or hides the exact attitude's outline, "p" shows Poinsot's
// construction instead of the box, "b" doubles the inset's size and back, "r" starts again, "i"
// steps the box with the next integrator (from the start again); dragging with the left button
// turns the camera about the centre and the wheel (buttons 3 and 4) brings it nearer or farther.
#include <GL/freeglut.h>

#include <algorithm>
#include <cstdlib>

#include "explorer.h"
#include "option_values.h"

namespace {

void run(bool on) {
    explorer.running = on;
    if (on) {
        explorer.lastClock = clockSeconds();
        explorer.owed = 0.0;
    }
    glutIdleFunc(on ? onExplorerIdle : nullptr);
}

}  // namespace

void requestFrame() { glutPostRedisplay(); }

void onExplorerIdle() { glutPostRedisplay(); }

void onExplorerKey(unsigned char key, int /*x*/, int /*y*/) {
    Explorer& e = explorer;
    switch (key) {
        case 27:  // Escape
        case 'q':
        case 'Q':
            std::exit(0);
        case 'z':
            run(true);
            break;
        case 'x':
            run(false);
            break;
        case '+':
            e.speed = std::min(2.0 * e.speed, kMaxSpeed);
            break;
        case '-':
            e.speed = std::max(0.5 * e.speed, kMinSpeed);
            break;
        case 'g':
            e.ghost = !e.ghost;
            break;
        case 'p':
            e.construction = !e.construction;
            break;
        case 'b':
            e.bigInset = !e.bigInset;
            break;
        case 'r':
            resetMotion();
            break;
        case 'i':
            nextIntegrator();
            break;
        default:
            if (key >= '1' && key < '1' + presetCount()) {
                applyPreset(key - '1');
                resetMotion();
                break;
            }
            return;  // not a command: nothing to draw anew
    }
    requestFrame();
}

void onExplorerMouse(int button, int state, int x, int y) {
    Explorer& e = explorer;
    if (button == GLUT_RIGHT_BUTTON && state == GLUT_DOWN) {
        stepMotion();
    } else if (button == GLUT_LEFT_BUTTON && state == GLUT_DOWN && startFromInset(x, y)) {
        e.dragging = false;
    } else if (button == GLUT_LEFT_BUTTON) {
        e.dragging = state == GLUT_DOWN;
        e.dragX = x;
        e.dragY = y;
        return;
    } else if ((button == 3 || button == 4) && state == GLUT_DOWN) {
        double nearest = 0.0;
        double farthest = 0.0;
        distanceLimits(nearest, farthest);
        e.distance =
            std::clamp(button == 3 ? e.distance / 1.1 : e.distance * 1.1, nearest, farthest);
    } else {
        return;
    }
    requestFrame();
}

void onExplorerDrag(int x, int y) {
    Explorer& e = explorer;
    if (!e.dragging) {
        return;
    }
    e.yaw -= 0.4 * (x - e.dragX);
    e.pitch = std::clamp(e.pitch + 0.4 * (y - e.dragY), -89.0, 89.0);
    e.dragX = x;
    e.dragY = y;
    requestFrame();
}
