// The shared box and spin options, and the step bounds.
#include "spin_options.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <cstdio>

#include "command_line.h"
#include "option_values.h"

namespace {

// Three numbers as the usage shows a default: 0.3,2.3,0.3.
std::string listed(const double v[3]) {
    char text[96];
    std::snprintf(text, sizeof text, "%g,%g,%g", v[0], v[1], v[2]);
    return text;
}

}  // namespace

// The defaults shown are the values `options` holds when the options are added.
void addSpinOptions(CLI::App& app, SpinOptions& options) {
    const std::string help[] = {
        "the box's sides (default " + listed(options.sides) + "), each from " +
            shortNumber(kMinSide) + " to " + shortNumber(kMaxSide) + ", their moments at most " +
            shortNumber(kMaxMomentRatio) + " apart",
        "the principal moments instead of the sides: any real body,\n"
        "each moment less than the sum of the other two; the box that has\n"
        "them is the one integrated",
        "the body-frame angular velocity at t = 0 (default " + listed(options.omega) +
            "),\neach at most " + shortNumber(kMaxRate) + " in size",
        "the integration step, above 0, at most " + shortNumber(kMaxStep) +
            ". Without it the\n"
            "step is chosen: the largest of 0.01, 0.005, 0.002, 0.001, ... whose\n"
            "attitude gap over 100 time units is estimated under 0.01 degrees\n"
            "(--describe and the explorer's readouts say which)",
    };
    const char* const valueNames[] = {"A,B,C", "I1,I2,I3", "W1,W2,W3", "H"};
    int count = 0;
    const StartField* fields = startFields(&count);
    for (int i = 0; i < count; ++i) {
        const StartField& field = fields[i];
        addValueOption(
            app, field.name, valueNames[i], help[i],
            [&options, &field](const std::string& text) { return field.read(text, options); });
    }
}
