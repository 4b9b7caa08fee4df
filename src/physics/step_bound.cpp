// The step bounds.
//
// omega. For three different moments every coefficient (Ij − Ik) / Ii of
// Euler's equations is at most 1 in size (a side of the triangle of moments
// is shorter than the other two together), so the equations' rates of
// change are set by |omega| alone, and the step's error by (h Omega)^5,
// Omega the largest |omega| the motion reaches; N (h Omega)^5 <= 10 keeps
// every number finite over N steps. For two equal moments the turning
// pair is multiplied each step by R(i x), x = kappa omega_s h, R the
// Runge-Kutta polynomial 1 + z + z²/2 + z³/6 + z⁴/24, and |R(i x)| <= 1
// exactly while |x| <= 2 sqrt 2.
//
// The attitude. Its step is the classical Runge-Kutta step of
// q' = ½ q (0, omega). For a steady turn at rate W it multiplies q, in the
// plane of 1 and the turn's axis, by R(i W h / 2) where the true turn is
// e^(i W h / 2): the rotation goes too far by
//     delta(W h) = 2 (arg R(i W h / 2) − W h / 2)
// a step, about (W h)^5 / 1920 while W h is small, and these errors add up
// over N steps, since they all go one way. On top of that the attitude
// follows the integrated omega, which errs by about A (h nu)^5 / 120 a step,
// nu the rate at which omega itself turns (kappa omega_s; lambda for three
// different moments) and A the size of its turning part. While those errors
// pile up, within a couple of omega's periods P, they turn the attitude by
// h A (h nu)^5 / 120 * N^2 / 2; past that, by a steady amount a step. And
// the step lets the invariants drift, which shifts every rate by a part
// growing with N, for a turn growing with N^2. The estimate, in radians,
//     1.5 [N |delta(h Omega)| + 3 h A (h nu)^5 / 120 * M + 3e-4 N^2 (h Omega) (h nu)^7],
//     M = N^2 / 2 for N <= 4 P / h, else (4 P / h) N - (4 P / h)^2 / 2,
// has these three forms, with factors measured against the error the step
// really makes over 1200 random boxes, spins, steps and counts away from
// the separatrix (N up to 10^5): the true error lay between 1/100 and 1 of
// the estimate. Near the separatrix the motion itself amplifies the
// smallest error; no estimate of the step's own error can foresee that.
#include "step_bound.h"

#include <cmath>
#include <complex>

double steadyTurnError(double rate, double h) {
    const std::complex<double> z(0.0, 0.5 * rate * h);
    const std::complex<double> r = 1.0 + z * (1.0 + z * (0.5 + z * (1.0 / 6.0 + z / 24.0)));
    // The difference of the two half-angles, brought into (-pi, pi].
    const std::complex<double> exact = std::polar(1.0, 0.5 * rate * h);
    return 2.0 * std::arg(r / exact);
}

StepBounds stepBoundsOf(const ExactMotion& motion, double h, long steps) {
    StepBounds bounds{0.0, 0.0, 0.0};
    const auto n = static_cast<double>(steps);
    double turning = 0.0;  // nu
    double size = 0.0;     // A
    if (motion.kind == MotionKind::Symmetric) {
        const double* w = motion.start;
        const SymmetricTop& top = symmetricTopOf(motion);
        const int s = top.axis;
        turning = std::fabs(top.rate.hi) * motion.scale;
        size = std::hypot(w[(s + 1) % 3], w[(s + 2) % 3]);
        bounds.symmetricTurn = turning * h;
    } else if (motion.kind == MotionKind::Elliptic || motion.kind == MotionKind::Separatrix) {
        const JacobiMotion& j = jacobiOf(motion);
        turning = std::fabs(j.lambda.hi) * motion.scale;
        size = motion.scale * std::fmax(std::fabs(j.amplitude[0]), j.amplitude[1]);
        bounds.driftMeasure = n * std::pow(h * motion.maxRate, 5);
    }
    const double steady = n * std::fabs(steadyTurnError(motion.maxRate, h));
    const double periodSteps = 4.0 * motion.period / h;
    const double piling = n <= periodSteps ? 0.5 * n * n : periodSteps * (n - 0.5 * periodSteps);
    const double following = 3.0 * h * size * std::pow(h * turning, 5) / 120.0 * piling;
    const double drifting = 3e-4 * n * n * (h * motion.maxRate) * std::pow(h * turning, 7);
    bounds.attitudeDegrees = 1.5 * (steady + following + drifting) * 180.0 / 3.14159265358979323846;
    return bounds;
}

double chooseStep(const ExactMotion& motion) {
    // Written out, so that each is the double nearest its decimal.
    const double candidates[] = {1e-2, 5e-3, 2e-3, 1e-3, 5e-4, 2e-4, 1e-4, 5e-5, 2e-5, 1e-5, 5e-6,
                                 2e-6, 1e-6, 5e-7, 2e-7, 1e-7, 5e-8, 2e-8, 1e-8, 5e-9, 2e-9, 1e-9};
    for (const double h : candidates) {
        const long steps = std::lround(std::ceil(100.0 / h));
        const StepBounds b = stepBoundsOf(motion, h, steps);
        if (b.attitudeDegrees < kChosenGapDegrees && b.symmetricTurn <= kMaxSymmetricTurn &&
            b.driftMeasure <= kMaxDriftMeasure) {
            return h;
        }
    }
    return 1e-9;
}
