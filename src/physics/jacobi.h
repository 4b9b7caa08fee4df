// Jacobi's elliptic functions for the free box, given the complementary
// modulus k' rather than k: next to the separatrix k' is tiny, and k alone
// (1 - k'^2/2 and less) would have lost it.
#pragma once

#include "wide.h"

// sn, cn and dn at one phase u = 2K j + r, |r| <= K: the amplitude is
// am u = j pi + am r, kept as j and am r, so that no digit of am r is lost.
struct EllipticPoint {
    double sn;
    double cn;
    double dn;
    double halfPeriods;       // j
    double reducedPhase;      // r
    double reducedAmplitude;  // am r, from -pi/2 to pi/2
};

// The quarter-period K(k) = pi / (2 AGM(1, k')), to 106 bits.
Wide quarterPeriod(const Wide& kc);

// sn, cn and dn at u, 0 < k' <= 1, each with a small relative error, cn and
// dn next to their smallest values included. `quarter` is K(k).
EllipticPoint ellipticAt(const Wide& u, const Wide& quarter, double kc);
