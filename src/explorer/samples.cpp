// The motion's record, sampled by the motion's own time (not the clock's),
// so that a plot or a table of it looks the same at any speed: a fixed
// number of samples per time unit, more where omega turns fast, each taken
// at the step that reaches it. The plots of the page and its CSV read it.
#include <cmath>
#include <cstdio>

#include "exact_attitude.h"
#include "explorer.h"
#include "invariants.h"

namespace {

// The spacing of the samples: 20 a time unit, and at least 40 a turn at the
// fastest rate, never closer than one step.
double sampleSpacingOf(const Explorer& e) {
    const double turn = e.exact.maxRate > 0.0 ? 2.0 * M_PI / e.exact.maxRate : 1.0;
    return std::fmax(e.start.step, std::fmin(0.05, turn / 40.0));
}

}  // namespace

void recordSample() {
    Explorer& e = explorer;
    MotionSample s{};
    s.step = e.steps;
    s.t = motionTime();
    for (int i = 0; i < 3; ++i) {
        s.omega[i] = e.state.omega[i];
    }
    s.attitude = e.state.q;
    s.exactAttitude = exactStateAt(e.exact, s.t, s.exact);
    const Drifts drifts = driftsNow();
    s.drift2E = drifts.twiceEnergy;
    s.driftL2 = drifts.momentumSquared;
    s.attitudeErrorDegrees = angleBetween(s.attitude, s.exactAttitude) * 180.0 / M_PI;
    s.middleShare = middleShareOf(e.state.omega);
    e.samples.push_back(s);
    if (e.samples.size() > kMostSamples) {
        e.samples.pop_front();
        ++e.samplesDropped;
    }
}

void restartSamples() {
    Explorer& e = explorer;
    e.samples.clear();
    e.samplesDropped = 0;
    e.sampleSpacing = sampleSpacingOf(e);
    recordSample();
    e.sampleDue = e.sampleSpacing;
}

void sampleIfDue() {
    Explorer& e = explorer;
    // Due by the motion's time n h, half a step early, and the next one set
    // at a whole number of spacings rather than by adding a spacing, so
    // that rounding in a sum of spacings never skips or doubles a sample.
    if (motionTime() + 0.5 * e.start.step >= e.sampleDue) {
        recordSample();
        e.sampleDue = (std::floor(motionTime() / e.sampleSpacing + 0.5) + 1.0) * e.sampleSpacing;
    }
}

std::string samplesCsv() {
    std::string out =
        "step,t,omega1,omega2,omega3,exact_omega1,exact_omega2,exact_omega3,energy_drift,"
        "momentum_drift,attitude_w,attitude_x,attitude_y,attitude_z,exact_attitude_w,"
        "exact_attitude_x,exact_attitude_y,exact_attitude_z,attitude_error_degrees,"
        "middle_axis_along_L\n";
    char line[512];
    for (const MotionSample& s : explorer.samples) {
        const Quaternion& q = s.attitude;
        const Quaternion& x = s.exactAttitude;
        std::snprintf(line, sizeof line,
                      "%ld,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,"
                      "%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g\n",
                      s.step, s.t, s.omega[0], s.omega[1], s.omega[2], s.exact[0], s.exact[1],
                      s.exact[2], s.drift2E, s.driftL2, q.w, q.x, q.y, q.z, x.w, x.x, x.y, x.z,
                      s.attitudeErrorDegrees, s.middleShare);
        out += line;
    }
    return out;
}
