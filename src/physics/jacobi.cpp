// Jacobi's elliptic functions with a small relative error everywhere.
//
// Reduction. sn and cn change sign over a half-period 2K and dn does not:
// with u = 2K j + r, |r| <= K, sn u = (-1)^j sn r, cn u = (-1)^j cn r,
// dn u = dn r and am u = j pi + am r. u, K and r are double-doubles, so r
// keeps every digit however many periods u spans.
//
// Quarter-period shift. Past K/2 the functions are taken from w = K - |r|:
//     sn(K - w) = cn w / dn w,  cn(K - w) = k' sn w / dn w,  dn(K - w) = k' / dn w,
// so cn and dn come out small by a factor k' instead of by cancellation.
// What remains is 0 <= w <= K/2, where cn w >= sqrt(k' / (1 + k')) and
// dn w >= sqrt(k').
//
// Moderate k' (at least 1/8): the descending Landen transformation, in
// Gauss's arithmetic-geometric mean form (Abramowitz and Stegun 16.4):
// a0 = 1, b0 = k', c0 = k; a(n+1) = (a + b) / 2, b(n+1) = sqrt(a b),
// c(n+1) = c^2 / (4 a(n+1)); then phi_N = 2^N a_N w and, going back,
// phi(n-1) = (phi_n + asin(c_n / a_n sin phi_n)) / 2; sn = sin phi_0,
// cn = cos phi_0, dn = sqrt(cn^2 + k'^2 sn^2), a sum of two squares.
//
// Small k' (next to the separatrix): the ascending Landen transformation
// (A and S 16.14) takes k to k2 = 2 sqrt(k) / (1 + k), k2' = (1 - k)/(1 + k)
// = k'^2 / (1 + k)^2, and, with v = w / (1 + k2'),
//     sn(w, k) = (1 + k2') sn v cn v / dn v,
//     cn(w, k) = (1 + k2') / k2^2 (dn^2 v - k2') / dn v,
//     dn(w, k) = (1 - k2') / k2^2 (dn^2 v + k2') / dn v,
// the functions on the right taken at k2. k' squares at every step; once it
// is below 1e-12, sn, cn and dn are tanh, sech and sech to within
// k'^2 cosh^2 v < 1e-18. For w <= K/2, dn^2 v is at least sqrt(k2'), far
// above k2', so the difference in cn loses nothing.
#include "jacobi.h"

#include <cmath>

namespace {

constexpr int kMostLevels = 12;

// sn, cn, dn for moderate k', |w| <= K/2.
EllipticPoint descending(double w, double kc) {
    double a[kMostLevels + 1];
    double c[kMostLevels + 1];
    a[0] = 1.0;
    double b = kc;
    c[0] = std::sqrt((1.0 - kc) * (1.0 + kc));
    int levels = 0;
    while (levels < kMostLevels && c[levels] > 1e-17 * a[levels]) {
        a[levels + 1] = 0.5 * (a[levels] + b);
        b = std::sqrt(a[levels] * b);
        c[levels + 1] = c[levels] * c[levels] / (4.0 * a[levels + 1]);
        ++levels;
    }
    double phi = std::ldexp(a[levels] * w, levels);
    for (int n = levels; n > 0; --n) {
        phi = 0.5 * (phi + std::asin(c[n] / a[n] * std::sin(phi)));
    }
    const double sn = std::sin(phi);
    const double cn = std::cos(phi);
    return {sn, cn, std::sqrt(cn * cn + kc * kc * sn * sn), 0.0, w, phi};
}

// sn, cn, dn for small k', |w| <= K/2.
EllipticPoint ascending(double w, double kc) {
    double steps[kMostLevels];
    int levels = 0;
    double v = w;
    // Down to where the k' = 0 limit is exact to rounding: k'^2 cosh^2 v < 1e-18
    // (a k' of 1e-12 alone is not small enough once cosh v is large).
    while (levels < kMostLevels && (kc > 1e-12 || kc * std::cosh(v) > 1e-9)) {
        const double k = std::sqrt((1.0 - kc) * (1.0 + kc));
        kc = kc * kc / ((1.0 + k) * (1.0 + k));
        steps[levels++] = kc;
        v /= 1.0 + kc;
    }
    double sn = std::tanh(v);
    double cn = 1.0 / std::cosh(v);
    double dn = cn;
    for (int n = levels - 1; n >= 0; --n) {
        const double k2c = steps[n];
        const double k2squared = (1.0 - k2c) * (1.0 + k2c);
        const double dn2 = dn * dn;
        const double s = (1.0 + k2c) * sn * cn / dn;
        const double c = (1.0 + k2c) / k2squared * (dn2 - k2c) / dn;
        dn = (1.0 - k2c) / k2squared * (dn2 + k2c) / dn;
        sn = s;
        cn = c;
    }
    return {sn, cn, dn, 0.0, w, std::atan2(sn, cn)};
}

// sn, cn, dn for |w| <= K/2; sn is odd in w, cn and dn even.
EllipticPoint nearZero(double w, double kc) {
    EllipticPoint p = kc >= 0.125 ? descending(std::fabs(w), kc) : ascending(std::fabs(w), kc);
    if (w < 0.0) {
        p.sn = -p.sn;
        p.reducedPhase = -p.reducedPhase;
        p.reducedAmplitude = -p.reducedAmplitude;
    }
    return p;
}

}  // namespace

Wide quarterPeriod(const Wide& kc) {
    Wide a = wide(1.0);
    Wide b = kc;
    // Until a and b agree in all their 106 bits, not only in their high
    // parts: the step after that would change nothing a double-double holds.
    for (int n = 0; n < 40 && std::fabs((a - b).hi) > 0x1p-104 * a.hi; ++n) {
        const Wide next = (a + b) * wide(0.5);
        b = sqrt(a * b);
        a = next;
    }
    return widePi() / (wide(2.0) * a);
}

EllipticPoint ellipticAt(const Wide& u, const Wide& quarter, double kc) {
    const Wide period = quarter * wide(2.0);
    const double turns = std::nearbyint(u.hi / period.hi);
    const Wide r = u - period * wide(turns);
    const double size = std::fabs(r.hi);
    EllipticPoint p{};
    if (size <= 0.5 * quarter.hi) {
        p = nearZero(toDouble(r), kc);
    } else {
        const Wide w = quarter - (r.hi < 0.0 ? -r : r);
        const EllipticPoint q = nearZero(toDouble(w), kc);
        const double sign = r.hi < 0.0 ? -1.0 : 1.0;
        p.sn = sign * q.cn / q.dn;
        p.cn = kc * q.sn / q.dn;
        p.dn = kc / q.dn;
        p.reducedAmplitude = std::atan2(p.sn, p.cn);
    }
    p.reducedPhase = toDouble(r);
    if (std::fmod(turns, 2.0) != 0.0) {
        p.sn = -p.sn;
        p.cn = -p.cn;
    }
    p.halfPeriods = turns;
    return p;
}
