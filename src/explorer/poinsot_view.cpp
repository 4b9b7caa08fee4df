// Poinsot's construction, in the main view instead of the box (key p): the
// energy ellipsoid w^T I w = 2E, fixed in the body, so turned with it, with
// semi-axes sqrt(2E / I_i); the invariable plane, perpendicular to L at
// distance 2E / |L| from the centre, which the ellipsoid touches at omega
// (there the ellipsoid's normal, I omega = L, is the plane's, and
// omega . L = 2E). The ellipsoid rolls on the plane without slipping, since
// the contact point lies on the axis of rotation; it traces the polhode on
// the ellipsoid and the herpolhode on the plane. For a symmetric top both are
// circles, the rims of the body and space cones (cones.cpp), drawn too.
// Everything is in units of
// omega, scaled so that the ellipsoid's longest semi-axis is 0.55 of the
// box's diagonal.
#include <GL/freeglut.h>

#include <cmath>

#include "exact_attitude.h"
#include "explorer.h"

namespace {

constexpr int kRing = 96;

// The ellipse of the ellipsoid in the body plane of axes a and b, turned by
// q and scaled by k.
void drawEllipse(const Quaternion& q, const double semi[3], int a, int b, double k) {
    glBegin(GL_LINE_LOOP);
    for (int n = 0; n < kRing; ++n) {
        const double angle = 2.0 * M_PI * n / kRing;
        double body[3] = {0.0, 0.0, 0.0};
        body[a] = k * semi[a] * std::cos(angle);
        body[b] = k * semi[b] * std::sin(angle);
        double scene[3];
        rotate(q, body, scene);
        glVertex3dv(scene);
    }
    glEnd();
}

// A cone from the centre about `c.axis`, its generators `length` long: a
// ring at its rim and every fourth generator.
void drawCone(const Cone& c, double length) {
    double u[3];
    double v[3];
    across(c.axis, u, v);
    const double along = length * std::cos(c.halfAngle);
    const double out = length * std::sin(c.halfAngle);
    double rim[kRing][3];
    for (int n = 0; n < kRing; ++n) {
        const double angle = 2.0 * M_PI * n / kRing;
        for (int i = 0; i < 3; ++i) {
            rim[n][i] = along * c.axis[i] + out * (std::cos(angle) * u[i] + std::sin(angle) * v[i]);
        }
    }
    glBegin(GL_LINE_LOOP);
    for (const auto& p : rim) {
        glVertex3dv(p);
    }
    glEnd();
    glBegin(GL_LINES);
    for (int n = 0; n < kRing; n += 4) {
        glVertex3d(0.0, 0.0, 0.0);
        glVertex3dv(rim[n]);
    }
    glEnd();
}

}  // namespace

void invariablePlane(double normal[3], double& distance) {
    const Explorer& e = explorer;
    const double size = std::sqrt(e.startInvariants[1]);
    for (int i = 0; i < 3; ++i) {
        normal[i] = size > 0.0 ? e.momentum[i] / size : 0.0;
    }
    distance = size > 0.0 ? e.startInvariants[0] / size : 0.0;
}

void drawPoinsotConstruction(double thickness) {
    const Explorer& e = explorer;
    if (e.exact.maxRate <= 0.0) {
        return;
    }
    double moments[3];
    momentsOf(e.exact, moments);
    double semi[3];
    for (int i = 0; i < 3; ++i) {
        semi[i] = std::sqrt(e.startInvariants[0] / moments[i]);
    }
    const double longest = std::fmax(semi[0], std::fmax(semi[1], semi[2]));
    const double k = 0.55 * e.size / longest;
    // The ellipsoid: its three principal ellipses, each in the face colour
    // of the axis it goes round.
    const Quaternion& q = e.state.q;
    const unsigned char colours[3][3] = {{200, 40, 40}, {40, 160, 40}, {40, 70, 200}};
    for (int axis = 0; axis < 3; ++axis) {
        glColor3ub(colours[axis][0], colours[axis][1], colours[axis][2]);
        drawEllipse(q, semi, (axis + 1) % 3, (axis + 2) % 3, k);
    }
    // The invariable plane: a square grid about the foot of L.
    double normal[3];
    double distance = 0.0;
    invariablePlane(normal, distance);
    double u[3];
    double v[3];
    across(normal, u, v);
    const double reach = k * longest;
    glColor3ub(170, 170, 170);
    glBegin(GL_LINES);
    for (int line = -6; line <= 6; ++line) {
        const double across = reach * line / 6.0;
        for (int i = 0; i < 2; ++i) {
            const double* along = i == 0 ? u : v;
            const double* side = i == 0 ? v : u;
            for (const double end : {-reach, reach}) {
                glVertex3d(k * distance * normal[0] + across * side[0] + end * along[0],
                           k * distance * normal[1] + across * side[1] + end * along[1],
                           k * distance * normal[2] + across * side[2] + end * along[2]);
            }
        }
    }
    glEnd();
    // The herpolhode on the plane: omega's tip in the scene.
    glColor3ub(0, 120, 90);
    glBegin(GL_LINE_STRIP);
    for (int n = 0; n < e.trailCount; ++n) {
        const double* p = e.herpolhode[(e.trailStart + n) % kTrailPoints];
        glVertex3d(k * p[0], k * p[1], k * p[2]);
    }
    glEnd();
    // The polhode on the ellipsoid: omega's path in the body over a period,
    // turned with the body.
    if (e.poinsotPolhode.count > 1) {
        glColor3ub(0, 77, 230);
        glBegin(GL_LINE_STRIP);
        for (int n = 0; n < e.poinsotPolhode.count; ++n) {
            double scene[3];
            rotate(q, e.poinsotPolhode.points[n], scene);
            glVertex3d(k * scene[0], k * scene[1], k * scene[2]);
        }
        glEnd();
    }
    // A symmetric top's cones: the body cone, whose rim is the polhode,
    // rolling on the space cone, whose rim is the herpolhode.
    Cone body{};
    Cone space{};
    if (symmetricCones(body, space)) {
        const double length = k * std::sqrt(e.state.omega[0] * e.state.omega[0] +
                                            e.state.omega[1] * e.state.omega[1] +
                                            e.state.omega[2] * e.state.omega[2]);
        glColor3ub(110, 150, 235);
        drawCone(body, length);
        glColor3ub(90, 180, 150);
        drawCone(space, length);
    }
    // L along the plane's normal, and omega to the point of contact.
    double omega[3];
    rotate(q, e.state.omega, omega);
    const double tipL[3] = {1.3 * k * distance * normal[0], 1.3 * k * distance * normal[1],
                            1.3 * k * distance * normal[2]};
    glColor3ub(115, 26, 153);
    drawArrow(tipL, thickness);
    for (double& c : omega) {
        c *= k;
    }
    glColor3ub(230, 115, 0);
    drawArrow(omega, thickness);
}
