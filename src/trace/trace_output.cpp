// Rows of the trace: every number with enough digits to read back the very
// same double.
#include "trace_output.h"
#include "exact_attitude.h"

#include <cmath>
#include <cstdio>

#include "drawn_axis.h"

namespace {

const char* kindName(MotionKind kind) {
    switch (kind) {
        case MotionKind::Rest:
            return "rest";
        case MotionKind::Steady:
            return "steady";
        case MotionKind::Symmetric:
            return "symmetric";
        case MotionKind::Elliptic:
            return "elliptic";
        case MotionKind::Separatrix:
            return "separatrix";
    }
    return "";
}

constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;

// a < b, in all their digits.
bool less(const Wide& a, const Wide& b) { return a.hi < b.hi || (a.hi == b.hi && a.lo < b.lo); }

}  // namespace

TraceReference referenceFrom(const ExactMotion& exact) {
    TraceReference reference{};
    reference.exact = exact;
    momentsOf(exact, reference.moments);
    reference.start = invariantsOf(reference.moments, exact.start);
    return reference;
}

void printHeader() {
    std::puts(
        "step,t,omega1,omega2,omega3,spin_rate,turn_angle_degrees,exact_omega1,exact_omega3,"
        "error,exact_omega2,energy_drift,momentum_drift,attitude_w,attitude_x,attitude_y,"
        "attitude_z,drawn_axis_gap_degrees,exact_attitude_w,exact_attitude_x,exact_attitude_y,"
        "exact_attitude_z,attitude_error_degrees");
}

void printRow(long step, double h, double t, const RigidState& s, const TraceReference& reference) {
    double exact[3];
    // The exact motion at n h: the model's own clock strays from it.
    const Quaternion exactAttitude =
        exactStateAt(reference.exact, static_cast<double>(step) * h, exact);
    // omega2 last: for a box turning about its second axis, where omega2 is
    // the same in both, this is the distance over the other two alone.
    const double error =
        std::hypot(std::hypot(s.omega[0] - exact[0], s.omega[2] - exact[2]), s.omega[1] - exact[1]);
    const Invariants now = invariantsOf(reference.moments, s.omega);
    const Quaternion& q = s.q;
    // The window's drawn turn: t |omega| about omega, nothing before step 1.
    const WindowTurn turn = step == 0 ? WindowTurn{0.0, 0.0} : windowTurnOf(t, s.omega);
    const Quaternion& e = exactAttitude;
    std::printf(
        "%ld,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,"
        "%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g\n",
        step, t, s.omega[0], s.omega[1], s.omega[2], turn.spinRate, turn.degrees, exact[0],
        exact[2], error, exact[1], relativeDrift(now.twiceEnergy, reference.start.twiceEnergy),
        relativeDrift(now.momentumSquared, reference.start.momentumSquared), q.w, q.x, q.y, q.z,
        drawnAxisGapDegrees(q, turn.degrees, s.omega), e.w, e.x, e.y, e.z,
        angleBetween(q, e) * kDegreesPerRadian);
}

void printDescription(const TraceReference& reference, double step, bool chosen) {
    const ExactMotion& m = reference.exact;
    std::printf("kind=%s\n", kindName(m.kind));
    std::printf("moments=%.17g,%.17g,%.17g\n", reference.moments[0], reference.moments[1],
                reference.moments[2]);
    std::printf("twice_energy=%.17g\n", reference.start.twiceEnergy);
    std::printf("momentum_squared=%.17g\n", reference.start.momentumSquared);
    std::printf("max_rate=%.17g\n", m.maxRate);
    if (m.kind != MotionKind::Rest && m.kind != MotionKind::Steady) {
        std::printf("omega_period=%.17g\n", m.period);
    }
    if (m.kind == MotionKind::Elliptic) {
        const JacobiMotion& j = jacobiOf(m);
        std::printf("circled_axis=%d\n", j.d + 1);
        std::printf("circled_moment=%s\n",
                    less(m.moments[j.c], m.moments[j.d]) ? "largest" : "smallest");
    }
    if (m.kind == MotionKind::Elliptic || m.kind == MotionKind::Separatrix) {
        std::printf("modulus=%.17g\n", modulusOf(m));
    }
    std::printf("step=%.17g\n", step);
    std::printf("step_chosen=%s\n", chosen ? "yes" : "no");
}
