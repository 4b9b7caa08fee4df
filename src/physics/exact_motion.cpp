// The torque-free box in closed form: the angular velocity.
//
// Moments. A uniform box with sides a, b, c has principal moments
// proportional to I1 = b² + c², I2 = a² + c², I3 = a² + b²; the mass and the
// factor 1/12 cancel everywhere below. The squares and sums are kept in
// double-double, so the moments are exact. Euler's equations read
//     ωi' = αi ωj ωk,  αi = (Ij − Ik) / Ii,  (i, j, k) cyclic.
// They are homogeneous of degree two: if ω(t) solves them, so does ρ ω(ρ t).
// The solution is found for w = ω(0) / ρ, with ρ the power of two just above
// the largest component, and scaled back, so that no square overflows or
// vanishes.
//
// Invariants. Twice the energy, 2E = Σ Ii ωi², and the squared angular
// momentum, |L|² = Σ Ii² ωi², never change. For each axis j let
//     Δj = |L|² − 2E Ij = Σi Ii (Ii − Ij) ωi²,
// a sum whose terms, for the smallest and the largest moment, all have one
// sign.
//
// Kinds of motion.
// - All moments equal, or a spin about one principal axis only: ω is fixed.
// - Two moments equal: the third axis s is a symmetry axis. αs = 0, so ωs is
//   fixed, and the other two turn at the constant rate κ ωs,
//   κ = (Ie − Is) / Ie, Ie the repeated moment: ωq + i ωp turns by e^{i κ ωs t},
//   p and q following s cyclically.
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
//   equation for ωm gives λ = αm C D / M, and squared,
//       λ² = Δc (Id − Im) / (Ic Im Id).
//   The complementary modulus comes without cancellation from
//       k'² = 1 − k² = (Id − Ic) Δm / ((Id − Im) Δc),
//   since (Id − Im) Δc + (Im − Ic) Δd = (Id − Ic) Δm; next to the separatrix
//   k'² is tiny and its every digit counts. The phase is fitted to the
//   start: with s = ωm(0) / M and c = ωc(0) / C, the amplitude φ0 has
//   sin φ0 = s, cos φ0 = c, and u0 = F(φ0 | k) = s R_F(c², c² + k'² s², 1)
//   (Carlson's form, taken from s and c themselves, so it stays accurate
//   where dF/dφ = 1 / dn is large); for c < 0, u0 = ±2K + F(φ0 ∓ π).
//   λ, K and u0 are double-doubles, and so is the phase at time t.
// - The separatrix, Δ of the middle axis exactly zero, has k = 1, where
//   cn and dn become sech and sn becomes tanh. Then ωc keeps its sign too,
//   so C takes the sign of ωc(0) and λ with it, and sinh u0 = s / c.
//   The spin about the middle axis alone lies on it as well: an unstable
//   equilibrium, exact, and caught above as a spin about one axis.
//
// The largest |ω|. |ω|² = C² cn² + M² sn² + D² dn² = C² + D² + (M² − C² − k² D²) sn²
// is linear in sn², so its largest value is C² + D² or M² + k'² D².
#include "exact_motion.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "carlson.h"
#include "exact_attitude.h"
#include "jacobi.h"

namespace {

bool equal(const Wide& a, const Wide& b) { return a.hi == b.hi && a.lo == b.lo; }

bool less(const Wide& a, const Wide& b) { return a.hi < b.hi || (a.hi == b.hi && a.lo < b.lo); }

double signOf(double x) { return x < 0.0 ? -1.0 : 1.0; }

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
Wide delta(const Wide moments[3], const double w[3], int j) {
    Wide sum = wide(0.0);
    for (int i = 0; i < 3; ++i) {
        sum = sum + moments[i] * (moments[i] - moments[j]) * exactProduct(w[i], w[i]);
    }
    return sum;
}

void solveSymmetric(ExactMotion& motion, const double w[3]) {
    const Wide* I = motion.moments;
    const int s = equal(I[0], I[1]) ? 2 : (equal(I[1], I[2]) ? 0 : 1);
    const int p = (s + 1) % 3;
    if (w[s] == 0.0) {
        // omega in the plane of the two equal moments, every axis of which
        // is principal: a steady spin.
        motion.kind = MotionKind::Steady;
        return;
    }
    SymmetricTop& top = motion.form.emplace<SymmetricTop>();
    top.axis = s;
    top.rate = (I[p] - I[s]) / I[p] * wide(w[s]);
    const double rate = std::fabs(toDouble(top.rate)) * motion.scale;
    motion.period = 2.0 * widePi().hi / rate;
}

void solveElliptic(ExactMotion& motion, const double w[3]) {
    const Wide* I = motion.moments;
    int byMoment[3] = {0, 1, 2};
    std::sort(byMoment, byMoment + 3, [&](int i, int j) { return less(I[i], I[j]); });
    const int m = byMoment[1];
    const Wide deltaM = delta(I, w, m);
    const int d = deltaM.hi < 0.0 ? byMoment[0] : byMoment[2];
    const int c = deltaM.hi < 0.0 ? byMoment[2] : byMoment[0];
    const Wide deltaD = delta(I, w, d);
    const Wide deltaC = delta(I, w, c);
    if (deltaD.hi == 0.0 || deltaC.hi == 0.0) {
        // All the spin is about one axis as far as the squares can tell (the
        // others are too small to square): that spin stays as it is.
        motion.kind = MotionKind::Steady;
        return;
    }
    const Wide amplitudeC = sqrt(-deltaD / (I[c] * (I[d] - I[c])));
    const Wide amplitudeM = sqrt(-deltaD / (I[m] * (I[d] - I[m])));
    const Wide amplitudeD = sqrt(deltaC / (I[d] * (I[d] - I[c])));
    // alpha_m = (I_(m+1) - I_(m+2)) / I_m gives lambda its sign.
    const double alphaSign = signOf((I[(m + 1) % 3] - I[(m + 2) % 3]).hi);
    Wide lambda =
        sqrt(deltaC * (I[d] - I[m]) / (I[c] * I[m] * I[d])) * wide(alphaSign * signOf(w[d]));
    JacobiMotion& j = motion.form.emplace<JacobiMotion>();
    j.c = c;
    j.m = m;
    j.d = d;
    j.amplitude[0] = toDouble(amplitudeC);
    j.amplitude[1] = toDouble(amplitudeM);
    j.amplitude[2] = toDouble(amplitudeD) * signOf(w[d]);
    const double s = w[m] / j.amplitude[1];
    if (deltaM.hi == 0.0) {
        motion.kind = MotionKind::Separatrix;
        j.kc = 0.0;
        j.k2 = 1.0;
        const double sign = signOf(w[c]);
        j.amplitude[0] *= sign;
        j.lambda = lambda * wide(sign);
        j.phase = wide(std::asinh(s / (w[c] / j.amplitude[0])));
        motion.period = std::numeric_limits<double>::infinity();
        const double C = j.amplitude[0];
        const double M = j.amplitude[1];
        const double D = j.amplitude[2];
        motion.maxRate = motion.scale * std::sqrt(std::max(C * C + D * D, M * M));
        return;
    }
    motion.kind = MotionKind::Elliptic;
    const Wide kcSquared = (I[d] - I[c]) * deltaM / ((I[d] - I[m]) * deltaC);
    const Wide kc = sqrt(kcSquared);
    j.kc = toDouble(kc);
    // k^2 from its own quotient: 1 - k'^2 would keep none of its digits
    // next to a steady spin, where k^2 is tiny.
    j.k2 = toDouble((I[m] - I[c]) * (-deltaD) / ((I[d] - I[m]) * deltaC));
    j.quarter = quarterPeriod(kc);
    j.lambda = lambda;
    // The start's amplitude: F taken at (s, c) or, for c < 0, at (-s, -c)
    // and moved on by a half-period.
    const double cosine = w[c] / j.amplitude[0];
    const double radius = std::hypot(s, cosine);
    const double sn = s / radius;
    const double cn = cosine / radius;
    const double kc2 = j.kc * j.kc;
    const double f = sn * carlsonRF(cn * cn, cn * cn + kc2 * sn * sn, 1.0);
    if (cn >= 0.0) {
        j.phase = wide(f);
    } else {
        const double turns = sn >= 0.0 ? 1.0 : -1.0;
        j.phase = j.quarter * wide(2.0 * turns) - wide(f);
    }
    const double C = j.amplitude[0];
    const double M = j.amplitude[1];
    const double D = j.amplitude[2];
    motion.maxRate = motion.scale * std::sqrt(std::max(C * C + D * D, M * M + kc2 * D * D));
    motion.period = 4.0 * toDouble(j.quarter) / std::fabs(toDouble(lambda)) / motion.scale;
}

ExactMotion solve(const Wide moments[3], const double omega[3]) {
    ExactMotion motion{};
    motion.period = std::numeric_limits<double>::infinity();
    for (int i = 0; i < 3; ++i) {
        motion.start[i] = omega[i];
        motion.moments[i] = moments[i];
    }
    motion.scale = scaleOf(omega);
    double w[3] = {0.0, 0.0, 0.0};
    // A component too small for its square to show beside the largest, one
    // of about 1, takes no part in the motion.
    int spinning = 0;
    Wide energy = wide(0.0);
    Wide momentum = wide(0.0);
    for (int i = 0; i < 3; ++i) {
        if (motion.scale > 0.0) {
            w[i] = omega[i] / motion.scale;  // exact: a power of two
        }
        spinning += w[i] * w[i] != 0.0 ? 1 : 0;
        const Wide iw = moments[i] * wide(w[i]);
        energy = energy + iw * wide(w[i]);
        momentum = momentum + iw * iw;
    }
    motion.twiceEnergy = toDouble(energy);
    motion.momentumSquared = toDouble(momentum);
    motion.maxRate = std::sqrt(omega[0] * omega[0] + omega[1] * omega[1] + omega[2] * omega[2]);

    const bool allEqual = equal(moments[0], moments[1]) && equal(moments[1], moments[2]);
    const bool twoEqual = equal(moments[0], moments[1]) || equal(moments[1], moments[2]) ||
                          equal(moments[0], moments[2]);
    if (spinning == 0) {
        motion.kind = MotionKind::Rest;
    } else if (spinning <= 1 || allEqual) {
        motion.kind = MotionKind::Steady;
    } else if (twoEqual) {
        motion.kind = MotionKind::Symmetric;
        solveSymmetric(motion, w);
    } else {
        solveElliptic(motion, w);
    }
    prepareExactAttitude(motion);
    return motion;
}

}  // namespace

ExactMotion exactMotionFromSides(const double sides[3], const double omega[3]) {
    Wide squares[3];
    for (int i = 0; i < 3; ++i) {
        squares[i] = exactProduct(sides[i], sides[i]);
    }
    const Wide moments[3] = {squares[1] + squares[2], squares[0] + squares[2],
                             squares[0] + squares[1]};
    return solve(moments, omega);
}

ExactMotion exactMotionFromMoments(const double moments[3], const double omega[3]) {
    const Wide exact[3] = {wide(moments[0]), wide(moments[1]), wide(moments[2])};
    return solve(exact, omega);
}

double modulusOf(const ExactMotion& motion) { return std::sqrt(jacobiOf(motion).k2); }

EllipticPoint phasePointAt(const ExactMotion& motion, double tau) {
    const JacobiMotion& j = jacobiOf(motion);
    const Wide u = j.phase + j.lambda * wide(tau);
    if (motion.kind == MotionKind::Separatrix) {
        const double phase = toDouble(u);
        const double sech = 1.0 / std::cosh(phase);
        return {std::tanh(phase), sech, sech, 0.0, phase, std::atan(std::sinh(phase))};
    }
    return ellipticAt(u, j.quarter, j.kc);
}

void exactOmegaAt(const ExactMotion& motion, double t, double omega[3]) {
    const double* w0 = motion.start;
    if (t == 0.0 || motion.kind == MotionKind::Rest || motion.kind == MotionKind::Steady) {
        for (int i = 0; i < 3; ++i) {
            omega[i] = w0[i];
        }
        return;
    }
    const double tau = motion.scale * t;
    if (motion.kind == MotionKind::Symmetric) {
        const SymmetricTop& top = symmetricTopOf(motion);
        const int s = top.axis;
        const int p = (s + 1) % 3;
        const int q = (s + 2) % 3;
        const Wide turn = top.rate * wide(tau);
        const Wide full = widePi() * wide(2.0);
        const Wide reduced = turn - full * wide(std::nearbyint(turn.hi / full.hi));
        const double angle = toDouble(reduced);
        omega[q] = w0[q] * std::cos(angle) - w0[p] * std::sin(angle);
        omega[p] = w0[q] * std::sin(angle) + w0[p] * std::cos(angle);
        omega[s] = w0[s];
        return;
    }
    const JacobiMotion& j = jacobiOf(motion);
    const EllipticPoint point = phasePointAt(motion, tau);
    omega[j.c] = motion.scale * j.amplitude[0] * point.cn;
    omega[j.m] = motion.scale * j.amplitude[1] * point.sn;
    omega[j.d] = motion.scale * j.amplitude[2] * point.dn;
}

void momentsOf(const ExactMotion& motion, double moments[3]) {
    for (int i = 0; i < 3; ++i) {
        moments[i] = toDouble(motion.moments[i]);
    }
}

const SymmetricTop& symmetricTopOf(const ExactMotion& motion) {
    return std::get<SymmetricTop>(motion.form);
}

const JacobiMotion& jacobiOf(const ExactMotion& motion) {
    return std::get<JacobiMotion>(motion.form);
}

JacobiMotion& jacobiOf(ExactMotion& motion) { return std::get<JacobiMotion>(motion.form); }
