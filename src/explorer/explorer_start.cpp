// What a start must pass before the explorer shows it, from the command
// line or from the web page's controls: one body, and a step (chosen, when
// none was given) that keeps the bounds over 100 time units of steps.
#include <cmath>

#include "explorer.h"
#include "option_values.h"

std::string prepareExplorerStart(SpinOptions& start) {
    std::string fault = checkOneBody(start);
    if (fault.empty()) {
        chooseStepIfNotGiven(start);
        const double steps = std::ceil(100.0 / start.step);
        fault = checkStepBound(start, static_cast<long>(std::fmin(steps, kMaxCount)));
    }
    return fault;
}
