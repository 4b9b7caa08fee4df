// A free rigid body, as a value: its principal moments and the three
// coefficients of Euler's equations that follow from them.
#pragma once

struct Body {
    double moments[3];      // I1, I2, I3, up to a common factor
    double coefficient[3];  // (I2 - I3) / I1, (I3 - I1) / I2, (I1 - I2) / I3
};

// A uniform box with these sides. The moments are b^2 + c^2, a^2 + c^2 and
// a^2 + b^2 (times mass / 12), and each coefficient is written in the
// squared sides, as the window program writes it: (c^2 - b^2) / (c^2 + b^2),
// (a^2 - c^2) / (c^2 + a^2), (b^2 - a^2) / (b^2 + a^2).
Body boxBody(const double sides[3]);

// Any body with these principal moments, each positive. Euler's equations
// hold for any three, even ones no real body has (one moment above the sum
// of the other two), which some published test cases use.
Body momentsBody(const double moments[3]);
