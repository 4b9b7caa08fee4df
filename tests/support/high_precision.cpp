// Boost.Multiprecision's float128 (GCC's __float128) under Boost.Odeint.
#include "high_precision.h"

#include <boost/multiprecision/float128.hpp>
#include <boost/numeric/odeint.hpp>

namespace {

using Real = boost::multiprecision::float128;
using State = std::array<Real, 7>;  // omega, then q
namespace odeint = boost::numeric::odeint;

// The free body: omega_i' = (I_j - I_k) / I_i omega_j omega_k, and
// q' = ½ q (0, omega).
struct FreeBody {
    std::array<Real, 3> moments;
    std::array<Real, 3> gaps;  // I_j - I_k, (i, j, k) cyclic
    void operator()(const State& s, State& d, Real /*t*/) const {
        for (size_t i = 0; i < 3; ++i) {
            const size_t j = (i + 1) % 3;
            const size_t k = (i + 2) % 3;
            d[i] = gaps[i] / moments[i] * s[j] * s[k];
        }
        const Real half = 0.5;
        d[3] = half * (-s[4] * s[0] - s[5] * s[1] - s[6] * s[2]);
        d[4] = half * (s[3] * s[0] + s[5] * s[2] - s[6] * s[1]);
        d[5] = half * (s[3] * s[1] - s[4] * s[2] + s[6] * s[0]);
        d[6] = half * (s[3] * s[2] + s[4] * s[1] - s[5] * s[0]);
    }
};

}  // namespace

// Odeint asks every value type for a value_type of its own; a float128 is one.
namespace boost::numeric::odeint::detail {
template <>
struct extract_value_type<Real, void> {
    using type = Real;
};
}  // namespace boost::numeric::odeint::detail

std::vector<ReferenceState> referenceMotion(const ReferenceBody& body,
                                            const std::array<double, 3>& omega,
                                            const std::vector<double>& times, double tolerance) {
    FreeBody system{};
    for (size_t i = 0; i < 3; ++i) {
        if (body.sides) {
            const Real b = body.values[(i + 1) % 3];
            const Real c = body.values[(i + 2) % 3];
            system.moments[i] = b * b + c * c;
            // I_j - I_k = c^2 - b^2, from the sides: a difference of the
            // moments themselves would lose what their sums rounded away.
            system.gaps[i] = (c - b) * (c + b);
        } else {
            system.moments[i] = body.values[i];
        }
    }
    if (!body.sides) {
        for (size_t i = 0; i < 3; ++i) {
            system.gaps[i] = system.moments[(i + 1) % 3] - system.moments[(i + 2) % 3];
        }
    }
    State state = {omega[0], omega[1], omega[2], 1, 0, 0, 0};
    auto stepper = odeint::make_controlled(Real(tolerance), Real(tolerance),
                                           odeint::runge_kutta_fehlberg78<State, Real>());
    std::vector<ReferenceState> out;
    Real t = 0;
    for (const double until : times) {
        if (until > 0) {
            odeint::integrate_adaptive(stepper, system, state, t, Real(until), Real(1e-3));
            t = until;
        }
        ReferenceState r{};
        for (size_t i = 0; i < 3; ++i) r.omega[i] = static_cast<double>(state[i]);
        for (size_t i = 0; i < 4; ++i) r.attitude[i] = static_cast<double>(state[3 + i]);
        out.push_back(r);
    }
    return out;
}
