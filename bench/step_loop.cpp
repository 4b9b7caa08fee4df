// The baseline for the trace tool's row: the model's bare step loop with the
// attitude step, over the same box, spin and number of steps, and nothing
// else: no exact motion, no output. Prints the final state, so the work
// cannot be left out. Usage: step_loop SIDES OMEGA STEP STEPS (as numbers:
// a b c w1 w2 w3 h n).
#include <cstdio>
#include <cstdlib>

#include "attitude.h"
#include "spin_state.h"

int main(int argc, char** argv) {
    if (argc != 9) {
        std::fprintf(stderr, "usage: step_loop a b c w1 w2 w3 h n\n");
        return 2;
    }
    for (int i = 0; i < 3; ++i) {
        spinState.sides[i] = std::strtod(argv[1 + i], nullptr);
        spinState.omega[i] = std::strtod(argv[4 + i], nullptr);
    }
    spinState.timeStep = std::strtod(argv[7], nullptr);
    const long steps = std::strtol(argv[8], nullptr, 10);
    Attitude attitude = startAttitude(spinState.omega);
    for (long step = 1; step <= steps; ++step) {
        advanceRotation();
        advanceAttitude(attitude, spinState.omega, spinState.timeStep);
    }
    std::printf("%.17g %.17g %.17g %.17g\n", spinState.omega[0], spinState.omega[1],
                spinState.omega[2], attitude.q.w);
    return 0;
}
