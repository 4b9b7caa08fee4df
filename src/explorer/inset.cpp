// Poinsot's picture in a square viewport: the unit sphere of L's directions
// in body coordinates, with its three principal great circles, the
// separatrices through the middle axis, the polhode of this start, and
// where L is now.
#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cmath>

#include "explorer.h"
#include "look.h"

namespace {

void drawCurve(const Curve& c, GLenum mode) {
    glBegin(mode);
    for (int k = 0; k < c.count; ++k) {
        glVertex3dv(c.points[k]);
    }
    glEnd();
}

// A small three-stroke cross at p.
void drawMark(const double p[3], double size) {
    glBegin(GL_LINES);
    for (int axis = 0; axis < 3; ++axis) {
        double from[3] = {p[0], p[1], p[2]};
        double to[3] = {p[0], p[1], p[2]};
        from[axis] -= size;
        to[axis] += size;
        glVertex3dv(from);
        glVertex3dv(to);
    }
    glEnd();
}

}  // namespace

void setInsetView(int x, int y, int size) {
    glViewport(x, y, size, size);
    setPerspective(1.0);
    glLoadIdentity();
    gluLookAt(kInsetEye[0], kInsetEye[1], kInsetEye[2], 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
}

void drawInsetPicture(int x, int y, int size) {
    const PoinsotPicture& p = explorer.poinsot;
    glScissor(x, y, size, size);
    glEnable(GL_SCISSOR_TEST);
    glClearColor(0.93F, 0.93F, 0.93F, 1.0F);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(1.0F, 1.0F, 1.0F, 1.0F);
    glDisable(GL_SCISSOR_TEST);
    setInsetView(x, y, size);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glColor3ub(179, 179, 179);
    for (const Curve& circle : p.sphere) {
        drawCurve(circle, GL_LINE_STRIP);
    }
    glColor3ub(196, 210, 232);
    for (int k = 0; k < p.familyCount; ++k) {
        drawCurve(p.family[k], GL_LINE_STRIP);
    }
    if (p.hasSeparatrix) {
        glColor3ub(191, 26, 26);
        for (const Curve& circle : p.separatrix) {
            drawCurve(circle, GL_LINE_STRIP);
        }
    }
    glColor3ub(0, 77, 230);
    drawCurve(p.polhode, GL_LINE_STRIP);
    drawInsetLabels(size);
    setInsetView(x, y, size);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
}

void drawInsetMarker() {
    // Where L points now, from the integrated omega.
    double now[3];
    double length = 0.0;
    for (int i = 0; i < 3; ++i) {
        now[i] = toDouble(explorer.exact.moments[i]) * explorer.state.omega[i];
        length += now[i] * now[i];
    }
    if (length == 0.0) {
        return;
    }
    for (double& c : now) {
        c /= std::sqrt(length);
    }
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glColor3ub(0, 0, 0);
    drawMark(now, 0.08);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
}
