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

const char* kindOf(const ExactMotion& m) {
    switch (m.kind) {
        case MotionKind::Still:
            return "a steady spin";
        case MotionKind::Symmetric:
            return "a symmetric top";
        case MotionKind::Elliptic: {
            const double d = m.moments[m.d].hi;
            const double c = m.moments[m.c].hi;
            return d > c ? "circling the largest-moment axis" : "circling the smallest-moment axis";
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
    text += std::string("integrator: ") + e.integrator->name +
            (e.lost ? ", blew up: press r" : " (i for the next)") + "\n";
    text += std::string("motion: ") + kindOf(e.exact) + "\n";
    text += format("drift of 2E: %.2e\n", relativeDrift(now.twiceEnergy, e.startInvariants[0]));
    text +=
        format("drift of |L|^2: %.2e\n", relativeDrift(now.momentumSquared, e.startInvariants[1]));
    text += format("attitude from the exact one: %.2e degrees\n", gap);
    text += std::isfinite(e.exact.period)
                ? format("period of omega: %.4g\n", e.exact.period)
                : std::string("period of omega: none, it never comes back\n");
    text += format("speed: %g (time units a second)", e.speed) +
            (e.slowed ? std::string(", slowed: frames fall behind") : std::string()) + "\n";
    return text;
}
