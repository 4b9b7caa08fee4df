// Poinsot's picture: seen from the body, L keeps its length, so it moves on
// the sphere |L| = const; the energy 2E = sum L_i^2 / I_i keeps it on an
// ellipsoid as well, and the curve where the two meet is the polhode, the
// path L takes. Between the polhodes that circle the largest-moment axis
// and those that circle the smallest lie the separatrices: the curves of
// energy |L|^2 / I_m, which pass through the middle axis. There
// sum L_i^2 (1/I_i - 1/I_m) = 0 holds, whose middle term vanishes, so
// L_l = ±c L_s with c^2 = (1/I_s - 1/I_m) / (1/I_m - 1/I_l): two planes
// through the middle axis, meeting the sphere in two great circles. A start
// near them flips; the picture shows why, with a family of polhodes on
// either side. Everything is on the unit sphere.
#include <cmath>
#include <utility>

#include "explorer.h"

namespace {

// The great circle through unit vectors a and b, perpendicular to each other.
Curve greatCircle(const double a[3], const double b[3]) {
    Curve c{};
    c.count = 129;
    for (int k = 0; k < c.count; ++k) {
        const double angle = 2.0 * M_PI * k / (c.count - 1);
        for (int i = 0; i < 3; ++i) {
            c.points[k][i] = std::cos(angle) * a[i] + std::sin(angle) * b[i];
        }
    }
    return c;
}

// L / |L| at time t of the exact motion.
void directionAt(const ExactMotion& motion, const double moments[3], double t, double out[3]) {
    double w[3];
    exactOmegaAt(motion, t, w);
    double length = 0.0;
    for (int i = 0; i < 3; ++i) {
        out[i] = moments[i] * w[i];
        length += out[i] * out[i];
    }
    length = std::sqrt(length);
    for (int i = 0; i < 3; ++i) {
        out[i] = length > 0.0 ? out[i] / length : 0.0;
    }
}

// The family: polhodes through directions in the plane of the smallest and
// the largest axes (order[0] and order[2]), at fractions of the separatrix's
// angle `edge` from the smallest axis, and past it toward the largest; each
// with its mirror image through the centre.
void addFamily(PoinsotPicture& p, const double moments[3], const int order[3], double edge) {
    const double angles[] = {0.5 * edge, 0.85 * edge, edge + 0.15 * (0.5 * M_PI - edge),
                             edge + 0.5 * (0.5 * M_PI - edge)};
    p.familyCount = 0;
    for (const double angle : angles) {
        double w[3] = {0.0, 0.0, 0.0};
        w[order[0]] = std::cos(angle) / moments[order[0]];
        w[order[2]] = std::sin(angle) / moments[order[2]];
        const ExactMotion member = exactMotionFromMoments(moments, w);
        Curve& curve = p.family[p.familyCount++];
        Curve& mirror = p.family[p.familyCount++];
        curve.count = mirror.count = kCurvePoints;
        for (int k = 0; k < kCurvePoints; ++k) {
            directionAt(member, moments, member.period * k / (kCurvePoints - 1), curve.points[k]);
            for (int i = 0; i < 3; ++i) {
                mirror.points[k][i] = -curve.points[k][i];
            }
        }
    }
}

}  // namespace

PoinsotPicture poinsotPictureOf(const ExactMotion& motion) {
    PoinsotPicture p{};
    double moments[3];
    momentsOf(motion, moments);
    const double axes[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int i = 0; i < 3; ++i) {
        p.sphere[i] = greatCircle(axes[(i + 1) % 3], axes[(i + 2) % 3]);
    }

    // The polhode over one period, or, on the separatrix, over the stretch
    // in which it goes from one end of the middle axis to the other.
    Curve& polhode = p.polhode;
    double span = motion.period;
    double from = 0.0;
    if (!std::isfinite(span) && motion.kind == MotionKind::Separatrix) {
        span = 24.0 / (std::fabs(jacobiOf(motion).lambda.hi) * motion.scale);
        from = -0.5 * span;
    }
    if (std::isfinite(span) && span > 0.0) {
        polhode.count = kCurvePoints;
        for (int k = 0; k < polhode.count; ++k) {
            directionAt(motion, moments, from + span * k / (polhode.count - 1), polhode.points[k]);
        }
    } else {
        polhode.count = 1;
        directionAt(motion, moments, 0.0, polhode.points[0]);
    }

    // The separatrices, for three different moments.
    int order[3] = {0, 1, 2};
    for (int a = 0; a < 2; ++a) {
        for (int b = a + 1; b < 3; ++b) {
            if (moments[order[b]] < moments[order[a]]) {
                std::swap(order[a], order[b]);
            }
        }
    }
    const double is = moments[order[0]];
    const double im = moments[order[1]];
    const double il = moments[order[2]];
    p.hasSeparatrix = is < im && im < il;
    if (p.hasSeparatrix) {
        const double c = std::sqrt((1.0 / is - 1.0 / im) / (1.0 / im - 1.0 / il));
        for (int side = 0; side < 2; ++side) {
            double n[3] = {0.0, 0.0, 0.0};
            n[order[0]] = 1.0 / std::sqrt(1.0 + c * c);
            n[order[2]] = (side == 0 ? c : -c) / std::sqrt(1.0 + c * c);
            p.separatrix[side] = greatCircle(axes[order[1]], n);
        }
        addFamily(p, moments, order, std::atan(c));
    }
    return p;
}
