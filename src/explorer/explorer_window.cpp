// The explorer's window on the desktop. The scene fills it; Poinsot's
// picture sits in a square in the lower right corner and the readouts in
// the top left corner. Both are drawn off the window (kept_picture.h) and
// laid into each frame: the inset's curves once for every start and size,
// with where L is now drawn over them in every frame; the readouts' text,
// which a character at a time would cost more than all the rest, only when
// it has changed, at most ten times a second while the motion runs.
#include <GL/freeglut.h>

#include <algorithm>
#include <string>

#include "explorer.h"
#include "kept_picture.h"
#include "look.h"

namespace {

// Wide enough for the longest line, 53 characters of 8 pixels and a margin:
// "integrator: engine-nogyro, step 0.000512, blew up (r)".
constexpr int kReadoutWidth = 440;
constexpr int kReadoutHeight = 199;  // thirteen lines of 15 pixels
// The flip strip, at the window's lower left, beside the inset.
constexpr int kStripWidth = 360;
constexpr int kStripHeight = 64;

// Everything the desktop shell remembers besides the core's record: its two
// pictures kept off the window, and when each was drawn.
struct Panes {
    KeptPicture curves;     // the inset without its marker
    int curvesStarts = -1;  // explorer.starts when they were drawn
    KeptPicture readouts;
    std::string text;  // what the readouts show
    double written = -1.0;
};
Panes panes;

// A quarter of the window's shorter side.
void prepareInset(int side) {
    if (panes.curves.width != side || panes.curvesStarts != explorer.starts) {
        drawInto(panes.curves, side, side);
        drawInsetPicture(0, 0, side);
        panes.curvesStarts = explorer.starts;
    }
}

void prepareReadouts() {
    const Explorer& e = explorer;
    const std::string text = readoutText();
    const double now = clockSeconds();
    if (panes.readouts.width != 0 &&
        (text == panes.text || (e.running && now - panes.written < 0.1))) {
        return;
    }
    drawInto(panes.readouts, kReadoutWidth, kReadoutHeight);
    glViewport(0, 0, kReadoutWidth, kReadoutHeight);
    glClear(GL_COLOR_BUFFER_BIT);
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
    panes.text = text;
    panes.written = now;
}

}  // namespace

void openExplorerWindow(int* argc, char** argv) {
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(900, 640);
    // Titled as the window program's window is: the program as it was started.
    glutCreateWindow(*argc > 0 && argv[0] != nullptr ? argv[0] : "spinning-box-explorer");
    glutDisplayFunc(displayExplorer);
    glutReshapeFunc(reshapeExplorer);
    glutKeyboardFunc(onExplorerKey);
    glutMouseFunc(onExplorerMouse);
    glutMotionFunc(onExplorerDrag);
    initRenderState();
}

void preparePanes() {
    const int side = insetSide();
    if (side >= 8) {
        prepareInset(side);
    }
    if (explorer.width >= kReadoutWidth && explorer.height >= kReadoutHeight) {
        prepareReadouts();
    }
    drawIntoWindow();
}

void showPanes() {
    const Explorer& e = explorer;
    const int side = insetSide();
    if (side >= 8) {
        layIntoWindow(panes.curves, e.width - side, 0, e.width, e.height);
        setInsetView(e.width - side, 0, side);
        drawInsetMarker();
    }
    const int stripWidth = std::min(kStripWidth, e.width - std::max(side, 0) - 24);
    if (stripWidth >= 120 && e.height >= kReadoutHeight + kStripHeight + 16) {
        drawFlipStrip(8, 8, stripWidth, kStripHeight);
    }
    if (e.width >= kReadoutWidth && e.height >= kReadoutHeight) {
        layIntoWindow(panes.readouts, 0, e.height - kReadoutHeight, e.width, e.height);
    }
}
