// The readouts: the time, the integrator, the kind of motion, the body's
// moments and invariants, how far the integration's invariants have
// drifted, how far its attitude is from the exact one, the period of
// omega, the flips, the speed and what each colour is.
#include <cmath>
#include <cstdio>
#include <string>

#include "exact_attitude.h"
#include "explorer.h"
#include "invariants.h"

namespace {

std::string format(const char* pattern, double value) {
    char text[96];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

// A speed as a person reads it: 4, 1.5, or 1/8 rather than 0.125.
std::string speedText(double speed) {
    const double inverse = 1.0 / speed;
    if (speed < 1.0 && inverse == std::floor(inverse)) {
        return format("1/%.0f", inverse);
    }
    return format("%g", speed);
}

// The kind of motion in words. Every elliptic motion swings the middle
// axis's share of L back and forth; where that share reaches 0.9 of |L|
// either way, the body turns over: it flips.
std::string kindOf(const ExactMotion& m) {
    switch (m.kind) {
        case MotionKind::Rest:
            return "at rest";
        case MotionKind::Steady:
            return "a steady spin about one axis";
        case MotionKind::Symmetric:
            return "symmetric precession";
        case MotionKind::Elliptic: {
            const JacobiMotion& j = jacobiOf(m);
            const bool largest = m.moments[j.d].hi > m.moments[j.c].hi;
            const double middleShare =
                toDouble(m.moments[j.m]) * j.amplitude[1] / std::sqrt(m.momentumSquared);
            if (middleShare >= 0.9) {
                return "flipping: the middle axis turns over";
            }
            return largest ? "wobbling about the largest axis" : "wobbling about the smallest axis";
        }
        case MotionKind::Separatrix:
            return "on the separatrix";
    }
    return "";
}

}  // namespace

std::string readoutText() {
    const Explorer& e = explorer;
    double moments[3];
    momentsOf(e.exact, moments);
    const Drifts drifts = driftsNow();
    double w[3];
    const Quaternion exact = exactStateAt(e.exact, motionTime(), w);
    const double gap = angleBetween(e.state.q, exact) * 180.0 / M_PI;
    std::string text = std::string(e.name) + (e.running ? "" : " (stopped)") + "\n";
    text += format("t = %.2f time units\n", motionTime());
    text += std::string("integrator: ") + e.integrator->name + format(", step %.3g", e.start.step) +
            (e.lost ? ", blew up (r)" : (e.start.stepGiven ? "" : " (chosen)")) + "\n";
    text += "motion: " + kindOf(e.exact) + "\n";
    text += format("moments %.4g, ", moments[0]) + format("%.4g, ", moments[1]) +
            format("%.4g; ", moments[2]) + format("2E %.4g, ", e.startInvariants[0]) +
            format("|L|^2 %.4g\n", e.startInvariants[1]);
    text += format("relative drift of 2E: %.2e, ", drifts.twiceEnergy) +
            format("|L|^2: %.2e\n", drifts.momentumSquared);
    text += format("integrated attitude off the exact: %.2e degrees\n", gap);
    if (e.exact.kind == MotionKind::Rest || e.exact.kind == MotionKind::Steady) {
        text += "omega never changes\n";
    } else if (std::isfinite(e.exact.period)) {
        text += format("period of omega: %.4g time units\n", e.exact.period);
    } else {
        text += "period of omega: none, it never comes back\n";
    }
    text += format("flips: %.0f", static_cast<double>(e.flips)) +
            (e.flipGap > 0.0 ? format(", the last %.4g apart", e.flipGap) +
                                   format(" (half-period %.4g)", 0.5 * e.exact.period)
                             : std::string()) +
            "\n";
    text += "speed: " + speedText(e.speed) + " (time units a second)" +
            (e.slowed ? std::string(", slowed: frames fall behind") : std::string()) + "\n";
    if (e.construction) {
        text += "Poinsot: the energy ellipsoid rolls on the plane\n";
        text += e.exact.kind == MotionKind::Symmetric
                    ? "at omega; blue body cone, green space cone (p: box)\n"
                    : "at omega; blue polhode, green herpolhode (p: box)\n";
    } else {
        text += "purple L, orange omega, blue the exact outline,\n";
        text += "grey the middle axis's trail; + faces strong\n";
    }
    text += "strip: the middle axis along L, +1 to -1 at a flip\n";
    return text;
}

const char* whatYouSee() {
    return "The box turns freely: no force or torque acts on it. Its angular\n"
           "momentum L (purple) stays fixed in space, while omega (orange), the axis\n"
           "it turns about at each moment, wanders. Seen from the body, L moves on a\n"
           "sphere along a closed curve set by the energy, the polhode (blue, in the\n"
           "corner). Two great circles through the middle axis, the separatrices\n"
           "(red), part the polhodes that circle the largest axis from those that\n"
           "circle the smallest. A spin near the middle axis starts beside them and\n"
           "runs round to the other side: the box turns over, the flip (the\n"
           "tennis-racket effect), and the middle axis's strong and pale faces\n"
           "change places.\n";
}
