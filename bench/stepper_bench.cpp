// The cost of one step of each integrator, beside the window's RK4 measured
// in the same run, and the error each reaches per microsecond on the flip
// case (I = (3, 5, 9), L0 = (0, 2, 0.01), to T = 40 at h = 0.01). Each figure
// is the median of seven runs, with the spread (smallest to largest).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "exact_attitude.h"
#include "exact_motion.h"
#include "steppers.h"

namespace {

constexpr int kRuns = 7;
constexpr long kSteps = 4000;  // T = 40 at h = 0.01

struct Figures {
    double median;
    double least;
    double most;
};

Figures spread(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], v.front(), v.back()};
}

}  // namespace

int main() {
    const double moments[3] = {3.0, 5.0, 9.0};
    const double omega[3] = {0.0, 2.0 / 5.0, 0.01 / 9.0};
    const Body body = momentsBody(moments);
    const double h = 0.01;
    double exactOmega[3];
    const Quaternion exact =
        exactStateAt(exactMotionFromMoments(moments, omega), kSteps * h, exactOmega);
    int count = 0;
    const Integrator* all = integrators(&count);
    std::vector<Figures> costs;
    std::vector<double> errors;
    for (int k = 0; k < count; ++k) {
        std::vector<double> ns;
        RigidState s = startState(omega);
        for (int run = 0; run < kRuns; ++run) {
            s = startState(omega);
            const auto start = std::chrono::steady_clock::now();
            for (long n = 0; n < kSteps; ++n) {
                all[k].step(body, h, s);
            }
            const auto end = std::chrono::steady_clock::now();
            ns.push_back(std::chrono::duration<double, std::nano>(end - start).count() / kSteps);
        }
        costs.push_back(spread(ns));
        errors.push_back(angleBetween(s.q, exact));
    }
    const double rk4 = costs[0].median;
    std::printf("%-14s %10s %16s %9s %14s %16s\n", "integrator", "ns/step", "spread", "vs rk4",
                "error at T=40", "error per us");
    for (int k = 0; k < count; ++k) {
        const Figures& c = costs[static_cast<size_t>(k)];
        const double microseconds = c.median * kSteps / 1000.0;
        std::printf("%-14s %10.1f %7.1f-%-8.1f %9.2f %14.2e %16.2e\n", all[k].name, c.median,
                    c.least, c.most, c.median / rk4, errors[static_cast<size_t>(k)],
                    errors[static_cast<size_t>(k)] / microseconds);
    }
    return 0;
}
