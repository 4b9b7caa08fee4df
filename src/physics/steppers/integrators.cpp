// The table of integrators, by short name.
#include <cstring>

#include "steppers.h"

namespace {

const Integrator kIntegrators[] = {
    {"rk4", "classical Runge-Kutta, the window program's step", stepRk4, 4},
    {"euler", "explicit Euler", stepExplicitEuler, 1},
    {"engine", "semi-implicit Euler with an explicit gyroscopic term", stepEngineEuler, 1},
    {"engine-nogyro", "semi-implicit Euler without the gyroscopic term", stepEngineEulerNoGyro, 0},
    {"midpoint", "implicit midpoint rule", stepImplicitMidpoint, 2},
    {"split123", "Strang splitting, rotations about axes 1, 2, 3 outermost first", stepSplit123, 2},
    {"split132", "Strang splitting, axes 1, 3, 2", stepSplit132, 2},
    {"split213", "Strang splitting, axes 2, 1, 3", stepSplit213, 2},
    {"split231", "Strang splitting, axes 2, 3, 1", stepSplit231, 2},
    {"split312", "Strang splitting, axes 3, 1, 2", stepSplit312, 2},
    {"split321", "Strang splitting, axes 3, 2, 1", stepSplit321, 2},
    {"dmv", "discrete Moser-Veselov (RATTLE)", stepMoserVeselov, 2},
    {"rkmk4", "Runge-Kutta-Munthe-Kaas of order 4", stepRkmk4, 4},
};

}  // namespace

const Integrator* integrators(int* count) {
    *count = static_cast<int>(sizeof kIntegrators / sizeof kIntegrators[0]);
    return kIntegrators;
}

const Integrator* findIntegrator(const char* name) {
    for (const Integrator& integrator : kIntegrators) {
        if (std::strcmp(integrator.name, name) == 0) {
            return &integrator;
        }
    }
    return nullptr;
}
