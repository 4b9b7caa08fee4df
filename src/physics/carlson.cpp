// R_F by Carlson's duplication (Algorithm 1 of the same paper): the same
// steps on x, y, z alone, until they agree to (3 r)^(1/6), then
//     R_F = A^(-1/2) (1 − E2/10 + E3/14 + E2²/24 − 3 E2 E3/44),
// E2 = XY − Z², E3 = XYZ, the deviations X = 1 − x/A, Y = 1 − y/A, Z = −X − Y.
//
// R_J by Carlson's duplication (B. C. Carlson, Numerical computation of real
// or complex elliptic integrals, Numer. Algorithms 10, 1995, Algorithm 2;
// DLMF 19.36(i)). Each step replaces x, y, z, p by (x + l) / 4, ..., with
// l = √x√y + √x√z + √y√z, which leaves the integral's value, once the terms
//     6 · 4^-m R_C(1, 1 + e_m) / d_m,  d_m = (√p + √x)(√p + √y)(√p + √z),
//     e_m = 4^-3m (p − x)(p − y)(p − z) / d_m²
// are set aside, unchanged and brings the four arguments together four
// times closer each time; once they agree to (r / 4)^(1/6), r = 1e-16, a
// series of fifth order in their deviations X, Y, Z, P from their mean A
// gives the rest to r. R_C(1, 1 + e) is atan(√e) / √e, or atanh(√−e) / √−e,
// or its series near e = 0; for p far below x, y and z, e nears −1 and
// 1 + e is worked out from the square roots, not by adding 1.
#include "carlson.h"

#include <algorithm>
#include <cmath>

namespace {

// R_C(1, 1 + e), e > -1, given also w = 1 + e worked out without
// cancellation: for e near -1, atanh(√−e) = log(1 + √−e) − log(w) / 2.
double carlsonRC(double e, double w) {
    if (std::fabs(e) < 1e-3) {
        return 1.0 + e * (-1.0 / 3.0 + e * (1.0 / 5.0 + e * (-1.0 / 7.0 + e * (1.0 / 9.0))));
    }
    if (e > 0.0) {
        const double root = std::sqrt(e);
        return std::atan(root) / root;
    }
    const double root = std::sqrt(-e);
    return (std::log1p(root) - 0.5 * std::log(w)) / root;
}

// 1 + e for e = Π (p − x_i) / (√p + √x_i)², from the square roots. Near
// e = −1 every |t_i| = |√p − √x_i| / (√p + √x_i) is near 1, and
// 1 − |t1 t2 t3| is summed from the small a_i = 1 − |t_i| = 2 min / sum.
double onePlus(double e, double sp, double sx, double sy, double sz) {
    if (e > -0.5) {
        return 1.0 + e;
    }
    const double a = 2.0 * std::min(sp, sx) / (sp + sx);
    const double b = 2.0 * std::min(sp, sy) / (sp + sy);
    const double c = 2.0 * std::min(sp, sz) / (sp + sz);
    return a + b + c - (a * b + a * c + b * c) + a * b * c;
}

}  // namespace

double carlsonRF(double x, double y, double z) {
    const double a0 = (x + y + z) / 3.0;
    const double x0 = x;
    const double y0 = y;
    // (3 r)^(-1/6) for r = 1e-16.
    double reach = 400.0 * std::max({std::fabs(a0 - x), std::fabs(a0 - y), std::fabs(a0 - z)});
    double a = a0;
    double power = 1.0;  // 4^-m
    for (int m = 0; m < 40 && reach >= std::fabs(a); ++m) {
        const double l =
            std::sqrt(x) * std::sqrt(y) + std::sqrt(x) * std::sqrt(z) + std::sqrt(y) * std::sqrt(z);
        x = 0.25 * (x + l);
        y = 0.25 * (y + l);
        z = 0.25 * (z + l);
        a = 0.25 * (a + l);
        power *= 0.25;
        reach *= 0.25;
    }
    const double X = (a0 - x0) * power / a;
    const double Y = (a0 - y0) * power / a;
    const double Z = -(X + Y);
    const double e2 = X * Y - Z * Z;
    const double e3 = X * Y * Z;
    return (1.0 - e2 / 10.0 + e3 / 14.0 + e2 * e2 / 24.0 - 3.0 * e2 * e3 / 44.0) / std::sqrt(a);
}

double carlsonRJ(double x, double y, double z, double p) {
    const double x0 = x;
    const double y0 = y;
    const double z0 = z;
    const double a0 = (x + y + z + 2.0 * p) / 5.0;
    const double delta = (p - x) * (p - y) * (p - z);
    const double spread =
        std::max({std::fabs(a0 - x), std::fabs(a0 - y), std::fabs(a0 - z), std::fabs(a0 - p)});
    // (r / 4)^(-1/6) for r = 1e-16.
    double reach = 580.0 * spread;
    double a = a0;
    double power = 1.0;  // 4^-m
    double sum = 0.0;
    // Forty steps take any spread down by 4^40, far past the 580 needed;
    // the count only stops arguments that can never meet (all zero).
    for (int m = 0; m < 40 && reach >= std::fabs(a); ++m) {
        const double sx = std::sqrt(x);
        const double sy = std::sqrt(y);
        const double sz = std::sqrt(z);
        const double sp = std::sqrt(p);
        const double l = sx * sy + sx * sz + sy * sz;
        const double d = (sp + sx) * (sp + sy) * (sp + sz);
        const double e = power * power * power * delta / (d * d);
        sum += power * carlsonRC(e, onePlus(e, sp, sx, sy, sz)) / d;
        x = 0.25 * (x + l);
        y = 0.25 * (y + l);
        z = 0.25 * (z + l);
        p = 0.25 * (p + l);
        a = 0.25 * (a + l);
        power *= 0.25;
        reach *= 0.25;
    }
    // The deviations, shrunk by 4 each step: X = (A0 - x0) / (4^M A_M).
    const double X = (a0 - x0) * power / a;
    const double Y = (a0 - y0) * power / a;
    const double Z = (a0 - z0) * power / a;
    const double P = -0.5 * (X + Y + Z);
    const double e2 = X * Y + X * Z + Y * Z - 3.0 * P * P;
    const double e3 = X * Y * Z + 2.0 * e2 * P + 4.0 * P * P * P;
    const double e4 = (2.0 * X * Y * Z + e2 * P + 3.0 * P * P * P) * P;
    const double e5 = X * Y * Z * P * P;
    const double series = 1.0 - 3.0 * e2 / 14.0 + e3 / 6.0 + 9.0 * e2 * e2 / 88.0 -
                          3.0 * e4 / 22.0 - 9.0 * e2 * e3 / 52.0 + 3.0 * e5 / 26.0;
    return power * series / (a * std::sqrt(a)) + 6.0 * sum;
}
