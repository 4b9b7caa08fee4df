// The trace tool's output: CSV, one row per printed step, with the model's
// state beside the exact motion and the drift of the two invariants; or a
// description of the motion.
#pragma once

#include "attitude.h"
#include "exact_motion.h"
#include "invariants.h"
#include "spin_state.h"

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

// One row for the model's state and the integrated attitude after `step`
// steps of h.
void printRow(long step, double h, const SpinState& state, const Attitude& attitude,
              const TraceReference& reference);

// The name=value lines of --describe.
void printDescription(const TraceReference& reference);
