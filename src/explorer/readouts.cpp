// The readouts: the time, the integrator, the kind of motion, how far the integration's
// invariants have drifted, how far its attitude is from the exact one, the
// period of omega and the speed.
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
                return largest ? "flipping (L circles the largest axis)"
                               : "flipping (L circles the smallest axis)";
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
    const Invariants now = invariantsOf(moments, explorer.state.omega);
    double w[3];
    const Quaternion exact = exactStateAt(e.exact, motionTime(), w);
    const double gap = angleBetween(e.state.q, exact) * 180.0 / M_PI;
    std::string text = std::string(e.name) + (e.running ? "" : " (stopped)") + "\n";
    text += format("t = %.2f\n", motionTime());
    text += std::string("integrator: ") + e.integrator->name + format(", step %.3g", e.start.step) +
            (e.lost ? ", blew up (r)" : (e.start.stepGiven ? "" : " (chosen)")) + "\n";
    text += "motion: " + kindOf(e.exact) + "\n";
    text += format("drift of 2E: %.2e\n", relativeDrift(now.twiceEnergy, e.startInvariants[0]));
    text +=
        format("drift of |L|^2: %.2e\n", relativeDrift(now.momentumSquared, e.startInvariants[1]));
    text += format("attitude from the exact one: %.2e degrees\n", gap);
    if (e.exact.kind == MotionKind::Rest || e.exact.kind == MotionKind::Steady) {
        text += "omega never changes\n";
    } else if (std::isfinite(e.exact.period)) {
        text += format("period of omega: %.4g time units\n", e.exact.period);
    } else {
        text += "period of omega: none, it never comes back\n";
    }
    text += "speed: " + speedText(e.speed) + " (time units a second)" +
            (e.slowed ? std::string(", slowed: frames fall behind") : std::string()) + "\n";
    return text;
}
