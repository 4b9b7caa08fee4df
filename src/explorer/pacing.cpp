// Steps paced by the clock: a frame takes as many fixed steps of h as the
// time since the last frame asks for at the chosen speed, so the motion
// looks the same at 60 and at 5,000 frames a second. A frame that falls far
// behind takes at most `most` steps and forgives the rest, rather than ask
// the next frame for more still.
#include <cmath>

#include "explorer.h"

Pace paceFrame(double elapsed, double speed, double owed, double h, long most) {
    const double due = owed + std::fmax(elapsed, 0.0) * speed;
    const double whole = std::floor(due / h);
    if (whole > static_cast<double>(most)) {
        return {most, 0.0, true};
    }
    const auto steps = static_cast<long>(whole);
    return {steps, due - static_cast<double>(steps) * h, false};
}
