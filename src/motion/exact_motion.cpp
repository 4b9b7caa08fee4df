// The torque-free box in closed form.
//
// Moments. A uniform box with sides a, b, c has principal moments
// proportional to I1 = b² + c², I2 = a² + c², I3 = a² + b²; the mass and the
// factor 1/12 cancel everywhere below. Euler's equations read
//     ωi' = αi ωj ωk,  αi = (Ij − Ik) / Ii,  (i, j, k) cyclic.
// They are homogeneous of degree two: if ω(t) solves them, so does ρ ω(ρ t).
// The solution is found for ω(0) / ρ, with ρ the power of two just above the
// largest component, and scaled back, so that no square overflows or
// vanishes.
//
// Invariants. Twice the energy, 2E = Σ Ii ωi², and the squared angular
// momentum, |L|² = Σ Ii² ωi², never change. For each axis j let
//     Δj = |L|² − 2E Ij = Σi Ii (Ii − Ij) ωi²,
// a sum whose terms, for the smallest and the largest moment, all have one
// sign, so it is formed without cancellation.
//
// Kinds of motion.
// - All moments equal, or a spin about one principal axis only: ω is fixed.
// - Two moments equal (two equal sides): the third axis s is a symmetry axis.
//   αs = 0, so ωs is fixed, and the other two turn at the constant rate
//   κ ωs, κ = (s² − e²) / (s² + e²), s the distinct side, e a repeated one:
//   ωq + i ωp = (ωq + i ωp)(0) e^{i κ ωs t}, p and q following s cyclically.
// - Three different moments. Name the axes by their moments, smallest,
//   middle, largest. If Δ of the middle axis is positive, ω circles the
//   largest-moment axis; if negative, the smallest-moment one. That axis d
//   takes dn and its component never changes sign; the other extreme c takes
//   cn and the middle axis m takes sn:
//       ωc = C cn u, ωm = M sn u, ωd = D dn u, u = λ t + u0,
//       C² = −Δd / (Ic (Id − Ic)),  M² = −Δd / (Im (Id − Im)),
//       D² = Δc / (Id (Id − Ic)),   k² = (Im − Ic) (−Δd) / ((Id − Im) Δc),
//   which is what the two invariants ask at u = 0 and at sn u = 1. C and M
//   are positive; D takes the sign of ωd(0). Putting the three into the
//   equation for ωm gives λ = αm C D / M (those for ωc and ωd then hold as
//   well). The phase is fitted to the start: sn u0 = ωm(0) / M and
//   cn u0 = ωc(0) / C fix the amplitude φ0 = atan2(sn u0, cn u0), and
//   u0 = F(φ0 | k), the incomplete elliptic integral of the first kind.
// - The separatrix, Δ of the middle axis exactly zero, has k = 1, where
//   cn and dn become sech and sn becomes tanh. Then ωc keeps its sign too,
//   so C takes the sign of ωc(0), and sinh u0 = (ωm(0) / M) / (ωc(0) / C).
//   The spin about the middle axis alone lies on it as well: an unstable
//   equilibrium, exact, and caught above as a spin about one axis.
#include "exact_motion.h"

#include <algorithm>
#include <boost/math/special_functions/ellint_1.hpp>
#include <boost/math/special_functions/jacobi_elliptic.hpp>
#include <cmath>

namespace {

// The sides squared, as the model squares them.
void squaredSides(const double sides[3], double sq[3]) {
    for (int i = 0; i < 3; ++i) {
        sq[i] = std::pow(sides[i], 2.0);
    }
}

// The power of two just above the largest |omega_i|, or 0 for no spin.
double scaleOf(const double omega[3]) {
    const double largest =
        std::max({std::fabs(omega[0]), std::fabs(omega[1]), std::fabs(omega[2])});
    if (largest == 0.0) {
        return 0.0;
    }
    int exponent = 0;
    std::frexp(largest, &exponent);
    return std::ldexp(1.0, exponent);
}

// Delta_j = |L|^2 - 2E I_j, summed term by term.
double delta(const double moments[3], const double w[3], int j) {
    double sum = 0.0;
    for (int i = 0; i < 3; ++i) {
        sum += moments[i] * (moments[i] - moments[j]) * w[i] * w[i];
    }
    return sum;
}

double signOf(double x) { return x < 0.0 ? -1.0 : 1.0; }

void solveSymmetric(ExactMotion& motion, const double sides[3], const double omega[3]) {
    double sq[3];
    squaredSides(sides, sq);
    const int s = sq[0] == sq[2] ? 1 : (sq[1] == sq[2] ? 0 : 2);
    const int p = (s + 1) % 3;
    const double s2 = sides[s] * sides[s];
    const double e2 = sides[p] * sides[p];
    const double kappa = (s2 - e2) / (s2 + e2);
    motion.axis = s;
    motion.rate = kappa * omega[s];
}

void solveElliptic(ExactMotion& motion, const double sides[3], const double omega[3]) {
    double moments[3];
    principalMoments(sides, moments);
    int byMoment[3] = {0, 1, 2};
    std::sort(byMoment, byMoment + 3, [&](int i, int j) { return moments[i] < moments[j]; });
    const int smallest = byMoment[0];
    const int m = byMoment[1];
    const int largest = byMoment[2];

    motion.scale = scaleOf(omega);
    double w[3];
    for (int i = 0; i < 3; ++i) {
        w[i] = omega[i] / motion.scale;  // exact: a power of two
    }

    const double deltaM = delta(moments, w, m);
    const int d = deltaM < 0.0 ? smallest : largest;
    const int c = deltaM < 0.0 ? largest : smallest;
    const double ic = moments[c];
    const double im = moments[m];
    const double id = moments[d];
    const double deltaD = delta(moments, w, d);
    const double deltaC = delta(moments, w, c);
    if (deltaD == 0.0 || deltaC == 0.0) {
        // All the spin is about one axis as far as the squares can tell (the
        // others are too small to square): that spin stays as it is.
        motion.kind = MotionKind::Still;
        return;
    }
    double amplitudeC = std::sqrt(-deltaD / (ic * (id - ic)));
    const double amplitudeM = std::sqrt(-deltaD / (im * (id - im)));
    const double amplitudeD = std::sqrt(deltaC / (id * (id - ic))) * signOf(w[d]);
    const double alphaM = (moments[(m + 1) % 3] - moments[(m + 2) % 3]) / im;
    const double cOverM = std::sqrt(im * (id - im) / (ic * (id - ic)));

    motion.c = c;
    motion.m = m;
    motion.d = d;
    if (deltaM == 0.0) {
        motion.kind = MotionKind::Separatrix;
        amplitudeC *= signOf(w[c]);
        motion.modulus = 1.0;
        motion.phase = std::asinh((w[m] / amplitudeM) / (w[c] / amplitudeC));
        motion.lambda = alphaM * amplitudeD * cOverM * signOf(w[c]);
    } else {
        motion.kind = MotionKind::Elliptic;
        const double k2 = (im - ic) * -deltaD / ((id - im) * deltaC);
        // Rounding may carry k^2 to 1 or past it next to the separatrix.
        motion.modulus = std::min(std::sqrt(k2), std::nextafter(1.0, 0.0));
        const double phi = std::atan2(w[m] / amplitudeM, w[c] / amplitudeC);
        motion.phase = boost::math::ellint_1(motion.modulus, phi);
        motion.lambda = alphaM * amplitudeD * cOverM;
    }
    motion.amplitude[0] = amplitudeC;
    motion.amplitude[1] = amplitudeM;
    motion.amplitude[2] = amplitudeD;
}

}  // namespace

MotionKind motionKindOf(const double sides[3], const double omega[3]) {
    double sq[3];
    squaredSides(sides, sq);
    int spinning = 0;
    for (int i = 0; i < 3; ++i) {
        spinning += omega[i] != 0.0 ? 1 : 0;
    }
    if ((sq[0] == sq[1] && sq[1] == sq[2]) || spinning <= 1) {
        return MotionKind::Still;
    }
    if (sq[0] == sq[1] || sq[1] == sq[2] || sq[0] == sq[2]) {
        return MotionKind::Symmetric;
    }
    return MotionKind::Elliptic;
}

ExactMotion exactMotionFrom(const double sides[3], const double omega[3]) {
    ExactMotion motion{};
    motion.kind = motionKindOf(sides, omega);
    for (int i = 0; i < 3; ++i) {
        motion.start[i] = omega[i];
    }
    if (motion.kind == MotionKind::Symmetric) {
        solveSymmetric(motion, sides, omega);
    }
    if (motion.kind == MotionKind::Elliptic || motion.kind == MotionKind::Separatrix) {
        solveElliptic(motion, sides, omega);
    }
    return motion;
}

void exactOmegaAt(const ExactMotion& motion, double t, double omega[3]) {
    const double* w = motion.start;
    switch (motion.kind) {
        case MotionKind::Still:
            for (int i = 0; i < 3; ++i) {
                omega[i] = w[i];
            }
            return;
        case MotionKind::Symmetric: {
            const int s = motion.axis;
            const int p = (s + 1) % 3;
            const int q = (s + 2) % 3;
            const double phase = motion.rate * t;
            omega[q] = w[q] * std::cos(phase) - w[p] * std::sin(phase);
            omega[p] = w[q] * std::sin(phase) + w[p] * std::cos(phase);
            omega[s] = w[s];
            return;
        }
        case MotionKind::Elliptic:
        case MotionKind::Separatrix: {
            const double u = motion.phase + motion.lambda * (motion.scale * t);
            double sn = 0.0;
            double cn = 0.0;
            double dn = 0.0;
            if (motion.kind == MotionKind::Separatrix) {
                sn = std::tanh(u);
                cn = 1.0 / std::cosh(u);
                dn = cn;
            } else {
                sn = boost::math::jacobi_elliptic(motion.modulus, u, &cn, &dn);
            }
            omega[motion.c] = motion.scale * motion.amplitude[0] * cn;
            omega[motion.m] = motion.scale * motion.amplitude[1] * sn;
            omega[motion.d] = motion.scale * motion.amplitude[2] * dn;
            return;
        }
    }
}
