// Double-double arithmetic (Dekker 1971, Knuth TAOCP 4.2.2; the forms of
// Hida, Li and Bailey's library).
#include "wide.h"

#include <cmath>

namespace {

// a + b = s + e exactly, for any two doubles.
Wide twoSum(double a, double b) {
    const double s = a + b;
    const double v = s - a;
    const double e = (a - (s - v)) + (b - v);
    return {s, e};
}

// a + b = s + e exactly, when |a| >= |b| or a is 0.
Wide quickTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

}  // namespace

Wide exactProduct(double a, double b) {
    const double p = a * b;
    return {p, std::fma(a, b, -p)};
}

Wide operator+(const Wide& a, const Wide& b) {
    const Wide s = twoSum(a.hi, b.hi);
    const Wide t = twoSum(a.lo, b.lo);
    Wide r = quickTwoSum(s.hi, s.lo + t.hi);
    return quickTwoSum(r.hi, r.lo + t.lo);
}

Wide operator-(const Wide& a) { return {-a.hi, -a.lo}; }

Wide operator-(const Wide& a, const Wide& b) { return a + (-b); }

Wide operator*(const Wide& a, const Wide& b) {
    const Wide p = exactProduct(a.hi, b.hi);
    return quickTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

// One correction of the double quotient: q + (a - q b) / b.
Wide operator/(const Wide& a, const Wide& b) {
    const double q1 = a.hi / b.hi;
    const Wide r = a - b * wide(q1);
    const double q2 = r.hi / b.hi;
    const Wide s = r - b * wide(q2);
    const double q3 = s.hi / b.hi;
    return quickTwoSum(q1, q2) + wide(q3);
}

// One Newton step from the double root: x + (a - x^2) / (2 x).
Wide sqrt(const Wide& a) {
    if (a.hi <= 0.0) {
        return wide(0.0);
    }
    const double x = std::sqrt(a.hi);
    const Wide residual = a - exactProduct(x, x);
    return quickTwoSum(x, residual.hi / (2.0 * x));
}

Wide widePi() { return {3.141592653589793116e+00, 1.224646799147353207e-16}; }
