// The two ways to give a body: by a box's sides, or by its moments.
#include "body.h"

#include <cmath>

#include "invariants.h"

Body boxBody(const double sides[3]) {
    Body body{};
    principalMoments(sides, body.moments);
    const double a2 = std::pow(sides[0], 2.0);
    const double b2 = std::pow(sides[1], 2.0);
    const double c2 = std::pow(sides[2], 2.0);
    body.coefficient[0] = (c2 - b2) / (c2 + b2);
    body.coefficient[1] = (a2 - c2) / (c2 + a2);
    body.coefficient[2] = (b2 - a2) / (b2 + a2);
    return body;
}

Body momentsBody(const double moments[3]) {
    Body body{};
    for (int i = 0; i < 3; ++i) {
        body.moments[i] = moments[i];
    }
    for (int i = 0; i < 3; ++i) {
        const double next = moments[(i + 1) % 3];
        const double last = moments[(i + 2) % 3];
        body.coefficient[i] = (next - last) / moments[i];
    }
    return body;
}
