// The explorer's window on the desktop: the scene fills it; Poinsot's
// picture sits in a square pane in the lower right corner and the readouts
// in a pane in the top left corner. The panes are subwindows sharing the
// scene's GL context, so each is drawn only when it has changed, and a
// frame of the scene costs no more than the scene: the text, a character at
// a time, would cost more than all the rest.
#include <GL/freeglut.h>

#include <algorithm>
#include <string>

#include "app.h"
#include "explorer.h"

namespace {

constexpr int kReadoutWidth = 400;
constexpr int kReadoutHeight = 128;

int insetSide() { return std::max(std::min(explorer.width, explorer.height) / 3, 8); }

void displayInset() {
    const int side = glutGet(GLUT_WINDOW_WIDTH);
    drawInsetPicture(0, 0, side);
    setInsetView(0, 0, side);
    drawInsetMarker();
    glutSwapBuffers();
}

void displayReadouts() {
    const std::string text = readoutText();
    glViewport(0, 0, kReadoutWidth, kReadoutHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, kReadoutWidth, 0.0, kReadoutHeight, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glColor3d(0.0, 0.0, 0.0);
    int line = 0;
    size_t from = 0;
    while (from < text.size()) {
        const size_t to = text.find('\n', from);
        const std::string one = text.substr(from, to - from);
        glRasterPos2i(8, kReadoutHeight - 14 - 15 * line);
        glutBitmapString(GLUT_BITMAP_8_BY_13, reinterpret_cast<const unsigned char*>(one.c_str()));
        ++line;
        from = to == std::string::npos ? text.size() : to + 1;
    }
    glEnable(GL_LIGHTING);
    explorer.readoutShown = text;
    glutSwapBuffers();
}

// The panes follow the window's size: the inset a third of its shorter side.
void reshapeScene(int width, int height) {
    reshapeExplorer(width, height);
    const int side = insetSide();
    glutSetWindow(explorer.insetWindow);
    glutPositionWindow(std::max(width - side, 0), std::max(height - side, 0));
    glutReshapeWindow(side, side);
    glutSetWindow(explorer.sceneWindow);
}

// The input callbacks, on every window: the pointer may be over any of them.
void takeInput() {
    glutKeyboardFunc(onExplorerKey);
    glutMouseFunc(onExplorerMouse);
    glutMotionFunc(onExplorerDrag);
}

}  // namespace

void openExplorerWindows(int* argc, char** argv) {
    Explorer& e = explorer;
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(900, 640);
    // Titled as the window program's window is: the program as it was started.
    e.sceneWindow =
        glutCreateWindow(*argc > 0 && argv[0] != nullptr ? argv[0] : "spinning-box-explorer");
    glutDisplayFunc(displayExplorer);
    glutReshapeFunc(reshapeScene);
    takeInput();
    initRenderState();
    glutSetOption(GLUT_RENDERING_CONTEXT, GLUT_USE_CURRENT_CONTEXT);
    e.insetWindow = glutCreateSubWindow(e.sceneWindow, 900 - 213, 640 - 213, 213, 213);
    glutDisplayFunc(displayInset);
    takeInput();
    e.readoutWindow = glutCreateSubWindow(e.sceneWindow, 0, 0, kReadoutWidth, kReadoutHeight);
    glutDisplayFunc(displayReadouts);
    takeInput();
    glutSetWindow(e.sceneWindow);
}

void refreshPanes() {
    Explorer& e = explorer;
    const double now = clockSeconds();
    if (!e.running || now - e.insetAsked >= 1.0 / 30.0) {
        glutPostWindowRedisplay(e.insetWindow);
        e.insetAsked = now;
    }
    if ((!e.running || now - e.readoutAsked >= 0.1) && readoutText() != e.readoutShown) {
        glutPostWindowRedisplay(e.readoutWindow);
        e.readoutAsked = now;
    }
}
