// Double-double numbers: an unevaluated sum hi + lo of two doubles, with
// about 106 bits of mantissa. The exact motion keeps its phase, its rates
// and its periods in them, so that a phase of hundreds of radians still
// has every digit a double can show once it is reduced to one period.
//
// The arithmetic rests on two error-free transformations: a + b = s + e
// (Knuth's two-sum) and a * b = p + e (one fused multiply-add gives e
// exactly). Each operation below is correct to a few units in 2^-104, and,
// since std::fma is correctly rounded everywhere, gives the same bits on
// every machine.
#pragma once

struct Wide {
    double hi;
    double lo;
};

// The double d, exactly.
inline Wide wide(double d) { return {d, 0.0}; }

// The double nearest hi + lo.
inline double toDouble(const Wide& x) { return x.hi + x.lo; }

Wide operator+(const Wide& a, const Wide& b);
Wide operator-(const Wide& a, const Wide& b);
Wide operator-(const Wide& a);
Wide operator*(const Wide& a, const Wide& b);
Wide operator/(const Wide& a, const Wide& b);
Wide sqrt(const Wide& a);

// a * b, exactly, for two doubles.
Wide exactProduct(double a, double b);

// pi to 106 bits.
Wide widePi();
