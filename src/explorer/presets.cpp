// The explorer's six starts, keys 1 to 6. Each is a box, a spin and a step.
#include <string>

#include "explorer.h"

namespace {

struct Preset {
    const char* name;
    double sides[3];
    double omega[3];
};

const Preset kPresets[] = {
    {"the window program's box",
     {kWindowSides[0], kWindowSides[1], kWindowSides[2]},
     {kWindowOmega[0], kWindowOmega[1], kWindowOmega[2]}},
    {"the flip of a 1 x 2 x 3 box", {1.0, 2.0, 3.0}, {0.1, 1.0, 0.1}},
    {"a stable spin near the largest moment", {1.0, 2.0, 3.0}, {1.0, 0.1, 0.1}},
    {"a stable spin near the smallest moment", {1.0, 2.0, 3.0}, {0.1, 0.1, 1.0}},
    {"a start close to the separatrix", {1.0, 2.0, 4.0}, {0.5, 1.0, 0.50001}},
    {"a symmetric top", {2.0, 2.0, 0.6}, {0.5, 0.2, 3.0}},
};

}  // namespace

int presetCount() { return static_cast<int>(sizeof kPresets / sizeof kPresets[0]); }

void applyPreset(int index) {
    const Preset& p = kPresets[index];
    SpinOptions start;
    for (int i = 0; i < 3; ++i) {
        start.sides[i] = p.sides[i];
        start.omega[i] = p.omega[i];
    }
    chooseStepIfNotGiven(start);
    explorer.start = start;
    explorer.name = p.name;
    explorer.preset = index;
}
