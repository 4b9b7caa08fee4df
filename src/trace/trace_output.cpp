// Rows of the trace: every number with enough digits to read back the very
// same double.
#include "trace_output.h"

#include <cmath>
#include <cstdio>

#include "drawn_axis.h"

namespace {

// The relative change from `start`, and 0 when there is nothing to compare.
double drift(double now, double start) { return start == 0.0 ? 0.0 : (now - start) / start; }

}  // namespace

TraceReference referenceFrom(const SpinState& start) {
    TraceReference reference{};
    reference.exact = exactMotionFrom(start.sides, start.omega);
    principalMoments(start.sides, reference.moments);
    reference.start = invariantsOf(reference.moments, start.omega);
    return reference;
}

void printHeader() {
    std::puts(
        "step,t,omega1,omega2,omega3,spin_rate,turn_angle_degrees,exact_omega1,exact_omega3,"
        "error,exact_omega2,energy_drift,momentum_drift,attitude_w,attitude_x,attitude_y,"
        "attitude_z,drawn_axis_gap_degrees");
}

void printRow(long step, const SpinState& s, const Attitude& attitude,
              const TraceReference& reference) {
    double exact[3];
    exactOmegaAt(reference.exact, s.elapsed, exact);
    // omega2 last: for a box turning about its second axis, where omega2 is
    // the same in both, this is the distance over the other two alone.
    const double error =
        std::hypot(std::hypot(s.omega[0] - exact[0], s.omega[2] - exact[2]), s.omega[1] - exact[1]);
    const Invariants now = invariantsOf(reference.moments, s.omega);
    const Quaternion& q = attitude.q;
    std::printf(
        "%ld,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,"
        "%.17g,%.17g,%.17g,%.17g,%.17g\n",
        step, s.elapsed, s.omega[0], s.omega[1], s.omega[2], s.spinRate, s.turnAngleDegrees,
        exact[0], exact[2], error, exact[1], drift(now.twiceEnergy, reference.start.twiceEnergy),
        drift(now.momentumSquared, reference.start.momentumSquared), q.w, q.x, q.y, q.z,
        drawnAxisGapDegrees(q, s.turnAngleDegrees, s.omega));
}
