// The torque-free box in closed form: the attitude.
//
// The attitude q takes body to scene coordinates and is the identity at
// t = 0. The angular momentum L is fixed in the scene; in the body it is
// (Ii ωi).
//
// - At rest: the identity. ω fixed (a steady spin): the box turns steadily
//   about ω, q = turn(ω, |ω| t).
// - Two equal moments Ie (axes p, q) and the symmetry axis s: the box turns
//   about L at |L| / Ie and, on top of that, about its own axis s at κ ωs,
//   the rate at which ω goes round it: q = turn(L, |L| t / Ie) turn(e_s, κ ωs t).
//   (Its body rate, κ ωs e_s + I ω / Ie, is ω, as it must be.)
// - Three different moments (Jacobi's solution; Landau and Lifshitz §37).
//   Take the axis d that ω circles as the third Euler axis, and p, q the
//   two after it in cyclic order, so that (p, q, d) is a right-handed frame
//   of the body. In a scene frame F whose Z axis is along L, the body is
//   turned by Euler angles Rz(φ) Rx(θ) Rz(ψ), and its components of L are
//       Ip ωp = |L| sin θ sin ψ,  Iq ωq = |L| sin θ cos ψ,  Id ωd = |L| cos θ:
//   θ and ψ come straight from ω. θ stays inside (0, π), since ωd never
//   changes sign. The third angle turns at
//       φ' = |L| (Ip ωp² + Iq ωq²) / (Ip² ωp² + Iq² ωq²)
//          = |L| / Id + |L| (Id − Ic) / (Id Ic) / (1 − n sn² u),
//       n = −(Id D k)² / (Ic C)²  (negative: no singular point),
//   using 2E − Id ωd² = ((|L|² − Id² ωd²) − Δd) / Id, |L|² − Id² ωd² =
//   (Ic C)² (1 − n sn² u) and −Δd = Ic (Id − Ic) C². Over a half-period 2K
//   the integral of 1 / (1 − n sn² u) du is 2 Π(n | k), the complete integral
//   of the third kind, so with ρ = Π(n | k) / K,
//       φ(t) = (|L| / Id + |L| (Id − Ic) / (Id Ic) ρ) t + G (P(u) − P(u0)),
//       G = |L| (Id − Ic) / (Id Ic λ),  P(r) = Π(n; am r | k) − ρ r,
//   the steady turn kept apart from P, which has period 2K and is taken at
//   the reduced phase r (s = sn r, c = cn r ≥ 0, d = dn r). Carlson's forms
//   give Π(n; am r | k) = r + (n/3) s³ R_J(c², d², 1, 1 − n s²), but for a
//   large −n (a small Ic, far from the symmetric top) r and the R_J term
//   nearly cancel. Carlson's R_J transformation (DLMF 19.21.12) takes p to
//   q with (p − x)(q − x) = (y − x)(z − x), which here, with μ = −n, reads
//       Π(n; am r | k) = r / (1 + μ) + μ s c R_C(d², p q) / (1 + μ)
//                        + μ k'² s³ R_J(c², d², 1, q) / (3 (1 + μ)²),
//       p = 1 + μ s²,  q = c² + k'² s² / (1 + μ),
//   all terms of one sign, and in the complete case (R_C's term vanishes)
//       ρ = 1 / (1 + μ) + τ,  τ = μ k'² R_J(0, k'², 1, k'² / (1 + μ)) / (3 (1 + μ)² K),
//   so that P(r) = μ s c R_C(d², p q) / (1 + μ) + μ k'² s³ R_J(c², d², 1, q) / (3 (1 + μ)²) − τ r.
//   The steady rate, |L| / Id + S ρ with S = |L| (Id − Ic) / (Id Ic), is the
//   same as |L| / Ic + S (ρ − 1); each form cancels where the other does
//   not: the first when μ is small and Id far below Ic (a needle spun about
//   its length), the second when μ is large. Id − Ic comes from the moments
//   in double-double: two moments that agree to the last double digits
//   still differ there.
//   ψ goes round once a period of ω: with ϑ = am u = j π + am r, a = Ic C and
//   b = Im M, Ic ωc + i Im ωm = a cos ϑ + i b sin ϑ lies at the angle
//   ϑ + δ, δ = atan2((b − a) sin ϑ cos ϑ, a cos² ϑ + b sin² ϑ), |δ| < π/2;
//   ψ is that angle when p is the middle axis, and π/2 minus it when p is c.
//   On the separatrix (k = 1, sn = tanh, cn = dn = sech, K infinite),
//   1 / (1 − n tanh² u) with μ = −n integrates to
//       (u + √μ atan(√μ tanh u)) / (1 + μ),
//   so ρ = 1 / (1 + μ) and P(u) = √μ atan(√μ tanh u) / (1 + μ); ψ turns
//   through less than a half-turn there and is followed from its start.
//   Then q(t) = E(0)* E(t), with E = Rz(φ) Rx(θ) Rz(ψ) written in the
//   (p, q, d) frame and its vector part put back on the body's axes.
// Half-angles come from cos θ and sin θ without cancellation: from
// (1 + cos θ) / 2 when ωd > 0, from (1 − cos θ) / 2 when it is negative.
#include "exact_attitude.h"

#include <cmath>

#include "carlson.h"

namespace {

// Pi(n; am r | k), less its share r / (1 + mu) of the steady turn, from s = sn r,
// c = cn r >= 0 and d = dn r; kc2 = k'^2.
double thirdKindPeriodic(double mu, double kc2, double s, double c, double d) {
    if (s == 0.0) {
        return 0.0;
    }
    const double p = 1.0 + mu * s * s;
    const double q = c * c + kc2 * s * s / (1.0 + mu);
    const double pq = p * q;
    return mu * s * c * carlsonRF(d * d, pq, pq) / (1.0 + mu) +
           mu * kc2 * s * s * s * carlsonRJ(c * c, d * d, 1.0, q) / (3.0 * (1.0 + mu) * (1.0 + mu));
}

// (cos, sin) of an angle turned on by `quarters` quarter-turns.
void quarterTurns(double quarters, double& c, double& s) {
    const double k = std::fmod(std::fmod(quarters, 4.0) + 4.0, 4.0);
    const double c0 = c;
    const double s0 = s;
    if (k == 1.0) {
        c = -s0;
        s = c0;
    } else if (k == 2.0) {
        c = -c0;
        s = -s0;
    } else if (k == 3.0) {
        c = s0;
        s = -c0;
    }
}

// The periodic part P of phi's integral at this point of the phase.
double periodicPart(const ExactMotion& motion, const EllipticPoint& point) {
    const JacobiMotion& j = jacobiOf(motion);
    const AttitudeConstants& a = j.attitude;
    if (motion.kind == MotionKind::Separatrix) {
        const double root = std::sqrt(-a.parameter);
        return root * std::atan(root * point.sn) / (1.0 - a.parameter);
    }
    // sn r and cn r: sn u and cn u change sign with every half-period.
    const double sign = std::fmod(point.halfPeriods, 2.0) != 0.0 ? -1.0 : 1.0;
    const double kc2 = j.kc * j.kc;
    return thirdKindPeriodic(-a.parameter, kc2, sign * point.sn, sign * point.cn, point.dn) -
           a.tail * point.reducedPhase;
}

// Rz(phi) Rx(theta) Rz(psi) in the (p, q, d) frame, for the scaled rate w
// at this point of the phase; phiHalf is half of phi.
Quaternion eulerAttitude(const ExactMotion& motion, const double w[3], const EllipticPoint& point,
                         double phiHalf) {
    const JacobiMotion& j = jacobiOf(motion);
    const int d = j.d;
    const int p = (d + 1) % 3;
    const int q = (d + 2) % 3;
    const double ip = toDouble(motion.moments[p]);
    const double iq = toDouble(motion.moments[q]);
    const double id = toDouble(motion.moments[d]);
    const double size = j.attitude.momentum;
    // theta from |L| cos theta = Id wd and |L| sin theta = |(Ip wp, Iq wq)|.
    const double cosine = id * w[d] / size;
    const double sine = std::hypot(ip * w[p], iq * w[q]) / size;
    double thetaC = 0.0;
    double thetaS = 0.0;
    if (cosine >= 0.0) {
        thetaC = std::sqrt(0.5 * (1.0 + cosine));
        thetaS = sine / (2.0 * thetaC);
    } else {
        thetaS = std::sqrt(0.5 * (1.0 - cosine));
        thetaC = sine / (2.0 * thetaS);
    }
    // psi, the angle of (Iq wq, Ip wp), as half-angle cosine and sine.
    double psiC = 1.0;
    double psiS = 0.0;
    if (motion.kind == MotionKind::Separatrix) {
        const double* start = motion.start;
        const double x0 = iq * start[q] / motion.scale;
        const double y0 = ip * start[p] / motion.scale;
        const double x = iq * w[q];
        const double y = ip * w[p];
        const double psi = std::atan2(y0, x0) + std::atan2(x0 * y - y0 * x, x0 * x + y0 * y);
        psiC = std::cos(0.5 * psi);
        psiS = std::sin(0.5 * psi);
    } else {
        const double a = toDouble(motion.moments[j.c]) * j.amplitude[0];
        const double b = toDouble(motion.moments[j.m]) * j.amplitude[1];
        const double sn = point.sn;
        const double cn = point.cn;
        const double offset = std::atan2((b - a) * sn * cn, a * cn * cn + b * sn * sn);
        const double beta = point.reducedAmplitude + offset;
        double quarters = point.halfPeriods;
        double half = 0.5 * beta;
        if (p != j.m) {
            half = 0.25 * widePi().hi - 0.5 * beta;
            quarters = -quarters;
        }
        psiC = std::cos(half);
        psiS = std::sin(half);
        quarterTurns(quarters, psiC, psiS);
    }
    const Quaternion turnL = {std::cos(phiHalf), 0.0, 0.0, std::sin(phiHalf)};
    const Quaternion tilt = {thetaC, thetaS, 0.0, 0.0};
    const Quaternion spin = {psiC, 0.0, 0.0, psiS};
    return product(product(turnL, tilt), spin);
}

}  // namespace

void prepareExactAttitude(ExactMotion& motion) {
    if (motion.kind != MotionKind::Elliptic && motion.kind != MotionKind::Separatrix) {
        return;
    }
    JacobiMotion& j = jacobiOf(motion);
    AttitudeConstants& a = j.attitude;
    const double ic = toDouble(motion.moments[j.c]);
    const double id = toDouble(motion.moments[j.d]);
    const double C = j.amplitude[0];
    const double D = j.amplitude[2];
    const double k2 = j.k2;
    a.momentum = std::sqrt(motion.momentumSquared);
    a.parameter = -(id * D) * (id * D) * k2 / ((ic * C) * (ic * C));
    const double lambda = toDouble(j.lambda);
    const double mu = -a.parameter;
    a.tail = 0.0;
    if (motion.kind == MotionKind::Elliptic) {
        const double kc2 = j.kc * j.kc;
        a.tail = mu * kc2 * carlsonRJ(0.0, kc2, 1.0, kc2 / (1.0 + mu)) /
                 (3.0 * (1.0 + mu) * (1.0 + mu) * toDouble(j.quarter));
    }
    const double steady =
        a.momentum * toDouble(motion.moments[j.d] - motion.moments[j.c]) / (id * ic);
    if (mu < 1.0) {
        a.secularRate = a.momentum / ic + steady * (a.tail - mu / (1.0 + mu));
    } else {
        a.secularRate = a.momentum / id + steady * (a.tail + 1.0 / (1.0 + mu));
    }
    a.periodicGain = steady / lambda;
    const EllipticPoint start = phasePointAt(motion, 0.0);
    a.periodicStart = periodicPart(motion, start);
    double w[3];
    for (int i = 0; i < 3; ++i) {
        w[i] = motion.start[i] / motion.scale;
    }
    a.startInverse = conjugate(eulerAttitude(motion, w, start, 0.0));
}

Quaternion exactStateAt(const ExactMotion& motion, double t, double omega[3]) {
    // The start, and a body at rest: the identity.
    if (t == 0.0 || motion.scale == 0.0) {
        exactOmegaAt(motion, t, omega);
        return {1.0, 0.0, 0.0, 0.0};
    }
    const double tau = motion.scale * t;
    if (motion.kind == MotionKind::Steady) {
        exactOmegaAt(motion, t, omega);
        const double* s = motion.start;
        return turnAbout(s, std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2]) * t);
    }
    if (motion.kind == MotionKind::Symmetric) {
        exactOmegaAt(motion, t, omega);
        const SymmetricTop& top = symmetricTopOf(motion);
        const int s = top.axis;
        const double ie = toDouble(motion.moments[(s + 1) % 3]);
        double momentum[3];
        for (int i = 0; i < 3; ++i) {
            momentum[i] = toDouble(motion.moments[i]) * motion.start[i] / motion.scale;
        }
        double axis[3] = {0.0, 0.0, 0.0};
        axis[s] = 1.0;
        // The spin about the axis is the angle by which omega has turned,
        // taken in double-double and reduced there, as exactOmegaAt takes
        // it (modulo 4 pi, a quaternion's period): a double product would
        // be an ulp of the whole angle off omega's, and L would drift with t.
        const Wide spin = top.rate * wide(tau);
        const Wide full = widePi() * wide(4.0);
        const double angle = toDouble(spin - full * wide(std::nearbyint(spin.hi / full.hi)));
        return product(turnAbout(momentum, std::sqrt(motion.momentumSquared) / ie * tau),
                       turnAbout(axis, angle));
    }
    const JacobiMotion& j = jacobiOf(motion);
    const AttitudeConstants& a = j.attitude;
    const EllipticPoint point = phasePointAt(motion, tau);
    double w[3];
    w[j.c] = j.amplitude[0] * point.cn;
    w[j.m] = j.amplitude[1] * point.sn;
    w[j.d] = j.amplitude[2] * point.dn;
    for (int i = 0; i < 3; ++i) {
        omega[i] = motion.scale * w[i];
    }
    const double phi =
        a.secularRate * tau + a.periodicGain * (periodicPart(motion, point) - a.periodicStart);
    const Quaternion relative = product(a.startInverse, eulerAttitude(motion, w, point, 0.5 * phi));
    // Put the vector part back on the body's axes, and the norm back at 1
    // (three products have moved it by a few units in the last place).
    const int d = j.d;
    const double norm = std::sqrt(relative.w * relative.w + relative.x * relative.x +
                                  relative.y * relative.y + relative.z * relative.z);
    double vector[3];
    vector[(d + 1) % 3] = relative.x / norm;
    vector[(d + 2) % 3] = relative.y / norm;
    vector[d] = relative.z / norm;
    return {relative.w / norm, vector[0], vector[1], vector[2]};
}
