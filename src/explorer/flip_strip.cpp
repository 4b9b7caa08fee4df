// The flip as a curve: a strip along the window's foot with the middle
// axis's component along L, I_m omega_m / |L|, over the last 40 time units
// of the motion's record. Near +1 or -1 the body spins about its middle
// axis one way up; each flip takes the curve across to the other.
#include <GL/gl.h>

#include <algorithm>

#include "explorer.h"

namespace {

constexpr double kShown = 40.0;  // time units across the strip

}  // namespace

void drawFlipStrip(int x, int y, int width, int height) {
    const Explorer& e = explorer;
    glViewport(x, y, width, height);
    glScissor(x, y, width, height);
    glEnable(GL_SCISSOR_TEST);
    glClearColor(0.96F, 0.96F, 0.96F, 1.0F);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(1.0F, 1.0F, 1.0F, 1.0F);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    // In pixels: the lines at +1, 0 and -1, and their numbers.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, -1.3, 1.3, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3ub(200, 200, 200);
    glBegin(GL_LINES);
    for (const double level : {-1.0, 0.0, 1.0}) {
        glVertex2d(0.0, level);
        glVertex2d(width, level);
    }
    glEnd();
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double right = width;
    const double top = height;
    glOrtho(0.0, right, 0.0, top, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glColor3ub(90, 90, 90);
    glBegin(GL_LINES);
    const double h = 8.0;
    const double row = height / 2.6;  // one unit of the share, in pixels
    drawStrokeText("+1", 3.0, 0.5 * height + row - h - 3.0, h);
    drawStrokeText("-1", 3.0, 0.5 * height - row + 3.0, h);
    glEnd();
    // The curve, by the motion's time: the strip's left edge is t = 0 until
    // the motion has run past its width, then the oldest time shown.
    const double now = motionTime();
    const double from = std::max(0.0, now - kShown);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(from, from + kShown, -1.3, 1.3, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glColor3ub(127, 140, 141);
    glBegin(GL_LINE_STRIP);
    const auto first = std::lower_bound(e.samples.begin(), e.samples.end(), from,
                                        [](const MotionSample& s, double t) { return s.t < t; });
    for (auto s = first; s != e.samples.end(); ++s) {
        glVertex2d(s->t, s->middleShare);
    }
    glEnd();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
}
