// The trace tool's output: CSV, one row per printed step, with the model's
// state beside the exact motion and the drift of the two invariants; or a
// description of the motion.
#pragma once

#include "exact_motion.h"
#include "invariants.h"
#include "rigid_state.h"

// What every row is compared with: the exact motion and the invariants at
// step 0.
struct TraceReference {
    ExactMotion exact;
    double moments[3];
    Invariants start;
};
TraceReference referenceFrom(const ExactMotion& exact);

// The header line.
void printHeader();

// One row for the state after `step` steps of h, the clock at t.
void printRow(long step, double h, double t, const RigidState& state,
              const TraceReference& reference);

// The name=value lines of --describe, with the step and whether it was chosen.
void printDescription(const TraceReference& reference, double step, bool chosen);
