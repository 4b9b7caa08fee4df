// The baseline for the trace tool's row: the bare loop of the window's RK4
// with the attitude step, over the same box, spin and number of steps, and nothing
// else: no exact motion, no output. Prints the final state, so the work
// cannot be left out. Usage: step_loop SIDES OMEGA STEP STEPS (as numbers:
// a b c w1 w2 w3 h n).
#include <cstdio>
#include <cstdlib>

#include "body.h"
#include "steppers.h"

int main(int argc, char** argv) {
    if (argc != 9) {
        std::fprintf(stderr, "usage: step_loop a b c w1 w2 w3 h n\n");
        return 2;
    }
    double sides[3];
    double omega[3];
    for (int i = 0; i < 3; ++i) {
        sides[i] = std::strtod(argv[1 + i], nullptr);
        omega[i] = std::strtod(argv[4 + i], nullptr);
    }
    const double h = std::strtod(argv[7], nullptr);
    const long steps = std::strtol(argv[8], nullptr, 10);
    const Body body = boxBody(sides);
    RigidState state = startState(omega);
    for (long step = 1; step <= steps; ++step) {
        stepRk4(body, h, state);
    }
    std::printf("%.17g %.17g %.17g %.17g\n", state.omega[0], state.omega[1], state.omega[2],
                state.q.w);
    return 0;
}
