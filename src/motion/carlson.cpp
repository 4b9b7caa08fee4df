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
// or its series near e = 0.
#include "carlson.h"

#include <algorithm>
#include <cmath>

namespace {

// R_C(1, 1 + e), e > -1.
double carlsonRC(double e) {
    if (std::fabs(e) < 1e-3) {
        return 1.0 + e * (-1.0 / 3.0 + e * (1.0 / 5.0 + e * (-1.0 / 7.0 + e * (1.0 / 9.0))));
    }
    if (e > 0.0) {
        const double root = std::sqrt(e);
        return std::atan(root) / root;
    }
    const double root = std::sqrt(-e);
    return std::atanh(root) / root;
}

}  // namespace

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
        sum += power * carlsonRC(e) / d;
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
