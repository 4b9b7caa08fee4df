// The motion the explorer shows: omega and the attitude stepped by the chosen
// integrator (the window program's RK4 unless another is chosen), and the
// closed form beside them, all from the same start.
#include <cmath>

#include "euler_rate.h"
#include "explorer.h"
#include "invariants.h"
#include "steppers.h"

// Static, so every number starts at zero.
Explorer explorer;

namespace {

// The tip of the middle-moment axis in the scene (the axis that flips), on
// the trail, and omega in the scene, on the herpolhode.
void addTrailPoint() {
    Explorer& e = explorer;
    double tip[3] = {0.0, 0.0, 0.0};
    tip[e.trailAxis] = 0.5 * e.start.sides[e.trailAxis];
    const int slot = (e.trailStart + e.trailCount) % kTrailPoints;
    rotate(e.state.q, tip, e.trail[slot]);
    rotate(e.state.q, e.state.omega, e.herpolhode[slot]);
    if (e.trailCount < kTrailPoints) {
        ++e.trailCount;
    } else {
        e.trailStart = (e.trailStart + 1) % kTrailPoints;
    }
}

}  // namespace

double motionTime() { return static_cast<double>(explorer.steps) * explorer.start.step; }

void resetMotion() {
    Explorer& e = explorer;
    e.body = boxBody(e.start.sides);
    e.state = startState(e.start.omega);
    e.steps = 0;
    e.lost = false;
    if (e.integrator == nullptr) {
        e.integrator = findIntegrator("rk4");
    }
    e.exact = exactMotionOf(e.start);
    double moments[3];
    momentsOf(e.exact, moments);
    for (int i = 0; i < 3; ++i) {
        e.momentum[i] = moments[i] * e.start.omega[i];
    }
    const Invariants invariants = invariantsOf(moments, e.start.omega);
    e.startInvariants[0] = invariants.twiceEnergy;
    e.startInvariants[1] = invariants.momentumSquared;
    // The axis of the middle moment: neither the largest nor the smallest.
    const int largest = moments[0] >= moments[1] ? (moments[0] >= moments[2] ? 0 : 2)
                                                 : (moments[1] >= moments[2] ? 1 : 2);
    const int smallest = moments[0] < moments[1] ? (moments[0] < moments[2] ? 0 : 2)
                                                 : (moments[1] < moments[2] ? 1 : 2);
    e.trailAxis = largest != smallest ? 3 - largest - smallest : 1;
    // A hundred points a turn at the fastest rate.
    const double turn = e.exact.maxRate > 0.0 ? 2.0 * M_PI / e.exact.maxRate : 1.0;
    e.trailSpacing = turn / 100.0;
    e.trailStart = 0;
    e.trailCount = 0;
    addTrailPoint();
    e.trailDue = e.trailSpacing;
    e.poinsot = poinsotPictureOf(e.exact);
    // Omega in the body over one period, the polhode of Poinsot's construction.
    e.poinsotPolhode.count = 0;
    if (std::isfinite(e.exact.period) && e.exact.period > 0.0) {
        e.poinsotPolhode.count = kCurvePoints;
        for (int k = 0; k < kCurvePoints; ++k) {
            exactOmegaAt(e.exact, e.exact.period * k / (kCurvePoints - 1),
                         e.poinsotPolhode.points[k]);
        }
    }
    const double share = middleShareOf(e.start.omega);
    e.flipSide = share > 0.5 ? 1 : (share < -0.5 ? -1 : 0);
    e.flips = 0;
    e.lastFlip = 0.0;
    e.flipGap = 0.0;
    restartSamples();
    ++e.starts;
    // The camera stands back as far from this box as the window program's
    // camera from its own, whose diagonal is 2.34 at a distance of 7.07.
    const double* s = e.start.sides;
    e.size = std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2]);
    e.distance = 7.07 * sceneScale();
    e.owed = 0.0;
    e.slowed = false;
}

double middleShareOf(const double omega[3]) {
    const Explorer& e = explorer;
    const double size = std::sqrt(e.startInvariants[1]);
    return size > 0.0 ? e.body.moments[e.trailAxis] * omega[e.trailAxis] / size : 0.0;
}

Drifts driftsNow() {
    const Explorer& e = explorer;
    double moments[3];
    momentsOf(e.exact, moments);
    const Invariants now = invariantsOf(moments, e.state.omega);
    return {relativeDrift(now.twiceEnergy, e.startInvariants[0]),
            relativeDrift(now.momentumSquared, e.startInvariants[1])};
}

double sceneScale() { return explorer.size / 2.34; }

void distanceLimits(double& nearest, double& farthest) {
    const double scale = sceneScale();
    nearest = 2.0 * scale;
    farthest = 60.0 * scale;
}

void stepMotion() {
    Explorer& e = explorer;
    if (e.lost) {
        return;
    }
    const RigidState before = e.state;
    e.integrator->step(e.body, e.start.step, e.state);
    if (!isFinite(e.body, e.state)) {
        // An unstable method at a large step: keep the last state it had.
        e.state = before;
        e.lost = true;
        return;
    }
    ++e.steps;
    const double share = middleShareOf(e.state.omega);
    const int side = share > 0.5 ? 1 : (share < -0.5 ? -1 : 0);
    if (side != 0 && side != e.flipSide) {
        if (e.flipSide != 0) {
            ++e.flips;
            e.flipGap = e.flips > 1 ? motionTime() - e.lastFlip : 0.0;
            e.lastFlip = motionTime();
        }
        e.flipSide = side;
    }
    if (motionTime() >= e.trailDue) {
        addTrailPoint();
        e.trailDue += e.trailSpacing;
    }
    sampleIfDue();
}

void nextIntegrator() {
    int count = 0;
    const Integrator* all = integrators(&count);
    const long index = explorer.integrator == nullptr ? 0 : explorer.integrator - all;
    explorer.integrator = &all[(index + 1) % count];
    resetMotion();
}

void explorerDefaults() {
    Explorer& e = explorer;
    applyPreset(1);
    e.speed = 1.0;
    e.ghost = true;
    e.yaw = 31.0;  // the window program's camera looks from (3, 4, 5)
    e.pitch = 34.4;
}

void startExplorer() {
    resetMotion();
    onExplorerKey('z', 0, 0);
}
