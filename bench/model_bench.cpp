// The model step against a peer: Boost.Odeint's classical runge_kutta4
// stepping the same three equations with the same coefficients, measured in
// the same binary and the same run. Prints ns per step for both and the ratio.
// And one exact state (omega and the attitude in closed form) of a flipping
// box, against Boost.Math's Jacobi elliptic functions at one point, the one
// library call a closed form of omega alone needs.
#include <benchmark/benchmark.h>

#include <array>
#include <boost/numeric/odeint.hpp>
#include <cstdio>
#include <map>
#include <string>

#include <boost/math/special_functions/jacobi_elliptic.hpp>

#include "exact_attitude.h"
#include "exact_motion.h"
#include "spin_state.h"

namespace {

using State = std::array<double, 3>;

// Euler's equations for the same box, coefficients formed once.
struct TorqueFreeBox {
    double kx;
    double ky;
    double kz;
    void operator()(const State& w, State& dwdt, double /*t*/) const {
        dwdt[0] = kx * w[1] * w[2];
        dwdt[1] = ky * w[2] * w[0];
        dwdt[2] = kz * w[0] * w[1];
    }
};

TorqueFreeBox boxFromModel() {
    const double a2 = spinState.sides[0] * spinState.sides[0];
    const double b2 = spinState.sides[1] * spinState.sides[1];
    const double c2 = spinState.sides[2] * spinState.sides[2];
    return {(c2 - b2) / (c2 + b2), (a2 - c2) / (c2 + a2), (b2 - a2) / (b2 + a2)};
}

// The same, but forming each coefficient from the squared sides on every
// call, as the program's model does: shows what that costs.
struct TorqueFreeBoxFresh {
    void operator()(const State& w, State& dwdt, double /*t*/) const {
        const TorqueFreeBox box = boxFromModel();
        dwdt[0] = box.kx * w[1] * w[2];
        dwdt[1] = box.ky * w[2] * w[0];
        dwdt[2] = box.kz * w[0] * w[1];
    }
};

void ourStep(benchmark::State& state) {
    const SpinState initial = spinState;
    for (auto _ : state) {
        advanceRotation();
        benchmark::DoNotOptimize(spinState);
    }
    spinState = initial;
}
BENCHMARK(ourStep);

void odeintStep(benchmark::State& state) {
    boost::numeric::odeint::runge_kutta4<State> stepper;
    const TorqueFreeBox box = boxFromModel();
    State w = {spinState.omega[0], spinState.omega[1], spinState.omega[2]};
    double t = 0.0;
    for (auto _ : state) {
        stepper.do_step(box, w, t, spinState.timeStep);
        t += spinState.timeStep;
        benchmark::DoNotOptimize(w);
    }
}
BENCHMARK(odeintStep);

void odeintStepFreshCoefficients(benchmark::State& state) {
    boost::numeric::odeint::runge_kutta4<State> stepper;
    State w = {spinState.omega[0], spinState.omega[1], spinState.omega[2]};
    double t = 0.0;
    for (auto _ : state) {
        stepper.do_step(TorqueFreeBoxFresh{}, w, t, spinState.timeStep);
        t += spinState.timeStep;
        benchmark::DoNotOptimize(w);
    }
}
BENCHMARK(odeintStepFreshCoefficients);

// One exact state at a new time each call, for the flipping 1 x 2 x 3 box.
void exactState(benchmark::State& state) {
    const double sides[3] = {1.0, 2.0, 3.0};
    const double omega[3] = {0.1, 1.0, 0.1};
    const ExactMotion motion = exactMotionFromSides(sides, omega);
    double t = 0.0;
    double w[3];
    for (auto _ : state) {
        t += 0.01;
        const Quaternion q = exactStateAt(motion, t, w);
        benchmark::DoNotOptimize(q);
        benchmark::DoNotOptimize(w);
    }
}
BENCHMARK(exactState);

// sn, cn and dn at one point, the modulus of the same box's motion.
void boostJacobi(benchmark::State& state) {
    const double k = 0.99633602536699239;
    double u = 0.0;
    for (auto _ : state) {
        u += 0.01;
        double cn = 0.0;
        double dn = 0.0;
        const double sn = boost::math::jacobi_elliptic(k, u, &cn, &dn);
        benchmark::DoNotOptimize(sn);
        benchmark::DoNotOptimize(cn);
        benchmark::DoNotOptimize(dn);
    }
}
BENCHMARK(boostJacobi);

// Keeps the median of each benchmark's repetitions.
class MedianReporter : public benchmark::ConsoleReporter {
  public:
    MedianReporter() : ConsoleReporter(OO_None) {}
    std::map<std::string, double> medians;
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians[run.run_name.function_name] = run.GetAdjustedRealTime();
            }
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double ours = reporter.medians["ourStep"];
    const double peer = reporter.medians["odeintStep"];
    const double fresh = reporter.medians["odeintStepFreshCoefficients"];
    if (ours <= 0.0 || peer <= 0.0) {
        std::fprintf(stderr, "model_bench: run with --benchmark_repetitions for medians\n");
        return 1;
    }
    // Machine-readable lines for the summary table.
    std::printf(
        "model-step ours_ns=%.2f peer_ns=%.2f ratio=%.3f fresh_peer_ns=%.2f fresh_ratio=%.3f\n",
        ours, peer, ours / peer, fresh, ours / fresh);
    const double exact = reporter.medians["exactState"];
    const double jacobi = reporter.medians["boostJacobi"];
    std::printf("exact-state ours_ns=%.1f peer_ns=%.1f ratio=%.3f\n", exact, jacobi,
                exact / jacobi);
    return 0;
}
