// The closed form over a thousand and more random bodies and spins against
// the same motion integrated in 113-bit floating point, at t = 1, 10 and
// 100: omega within 1e-13 of the largest |omega| and the attitude within
// 1e-12 rad. Two allowances, both from the input rather than the method:
// - a time t is a double, so the turn |omega| t it asks for is only known
//   to |omega| t 2^-53; past |omega| t of about 4000 that is the larger;
// - next to the separatrix the motion magnifies any change of the start, so
//   there the closed form must stay as close as a change of one unit in the
//   last place of the start moves the reference.
// The draws: sides (or moments) log-uniform over all that the tools accept,
// nearly symmetric and nearly spherical bodies, starts near each axis and
// near the separatrix, |omega| log-uniform; a scaled time past 3000 is left
// out, to keep the reference's cost down.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "exact_attitude.h"
#include "exact_motion.h"
#include "high_precision.h"

namespace {

using Vec = std::array<double, 3>;

struct Draw {
    const char* family;
    ReferenceBody body;
    Vec omega;
};

// The reference's local tolerance: its error stays far below 1e-16 at the
// scaled times checked here, and it is four times quicker than 1e-28.
constexpr double kTolerance = 1e-20;

struct Errors {
    double t = 0.0;
    double omega = 0.0;     // over the largest |omega|
    double attitude = 0.0;  // rad
    double omegaAllowed = 1e-13;
    double attitudeAllowed = 1e-12;
};

// The angle of the rotation between two unit quaternions; q and -q are one.
double angleBetween(const std::array<double, 4>& a, const Quaternion& b) {
    const double bv[4] = {b.w, b.x, b.y, b.z};
    double dot = 0.0;
    for (size_t i = 0; i < 4; ++i) dot += a[i] * bv[i];
    const double sign = dot < 0.0 ? -1.0 : 1.0;
    double distance = 0.0;
    double sum = 0.0;
    for (size_t i = 0; i < 4; ++i) {
        distance += (a[i] - sign * bv[i]) * (a[i] - sign * bv[i]);
        sum += (a[i] + sign * bv[i]) * (a[i] + sign * bv[i]);
    }
    return 2.0 * std::atan2(std::sqrt(distance), std::sqrt(sum));
}

double norm(const Vec& v) { return std::hypot(std::hypot(v[0], v[1]), v[2]); }

// The moments of the body, in long double (only to pick axes by size).
std::array<long double, 3> momentsOfBody(const ReferenceBody& body) {
    std::array<long double, 3> m{};
    for (size_t i = 0; i < 3; ++i) {
        if (body.sides) {
            const long double b = body.values[(i + 1) % 3];
            const long double c = body.values[(i + 2) % 3];
            m[i] = b * b + c * c;
        } else {
            m[i] = body.values[i];
        }
    }
    return m;
}

class Drawer {
  public:
    explicit Drawer(unsigned seed) : rng_(seed) {}
    double uniform() { return unit_(rng_); }
    double logUniform(double a, double b) {
        return std::exp(std::log(a) + uniform() * (std::log(b) - std::log(a)));
    }
    double sign() { return uniform() < 0.5 ? -1.0 : 1.0; }
    Vec sides() { return {logUniform(1e-6, 1e6), logUniform(1e-6, 1e6), logUniform(1e-6, 1e6)}; }
    Vec direction() {
        Vec d{};
        for (double& x : d) x = uniform() - 0.5;
        return d;
    }

    // A draw the tools accept: sides given make moments at most 1e15 apart.
    Draw draw(int n) {
        for (;;) {
            const Draw d = drawAny(n);
            const auto m = momentsOfBody(d.body);
            if (!d.body.sides || *std::max_element(m.begin(), m.end()) <=
                                     1e15L * *std::min_element(m.begin(), m.end())) {
                return d;
            }
        }
    }

  private:
    Draw drawAny(int n) {
        Draw d{"any box", {sides(), true}, direction()};
        switch (n % 6) {
            case 1: {  // the moments given, of a real body
                d.family = "any moments";
                const Vec s = sides();
                for (size_t i = 0; i < 3; ++i) {
                    const double b = s[(i + 1) % 3];
                    const double c = s[(i + 2) % 3];
                    d.body.values[i] = b * b + c * c;
                }
                d.body.sides = false;
                break;
            }
            case 2: {  // two sides a relative 1e-12 .. 1e-1 apart
                d.family = "nearly symmetric";
                const size_t a = static_cast<size_t>(n / 6) % 3;
                d.body.values[(a + 1) % 3] =
                    d.body.values[a] * (1.0 + sign() * logUniform(1e-12, 1e-1));
                break;
            }
            case 3: {  // all three sides that close
                d.family = "nearly a cube";
                for (size_t i = 1; i < 3; ++i) {
                    d.body.values[i] = d.body.values[0] * (1.0 + sign() * logUniform(1e-12, 1e-1));
                }
                break;
            }
            case 4: {  // omega near one axis
                d.family = "near an axis";
                const size_t a = static_cast<size_t>(n / 6) % 3;
                for (size_t i = 0; i < 3; ++i) {
                    d.omega[i] = i == a ? sign() : sign() * logUniform(1e-10, 1e-2);
                }
                break;
            }
            case 5: {  // omega near the separatrix: I1 (I2 - I1) w1^2 = I3 (I3 - I2) w3^2
                d.family = "near the separatrix";
                const auto m = momentsOfBody(d.body);
                std::array<size_t, 3> order = {0, 1, 2};
                std::sort(order.begin(), order.end(),
                          [&](size_t i, size_t j) { return m[i] < m[j]; });
                const long double i1 = m[order[0]], i2 = m[order[1]], i3 = m[order[2]];
                const long double ratio = std::sqrt(i1 * (i2 - i1) / (i3 * (i3 - i2)));
                d.omega[order[0]] = sign();
                d.omega[order[1]] = sign() * logUniform(1e-3, 1e3);
                d.omega[order[2]] =
                    static_cast<double>(sign() * ratio * (1.0L + sign() * logUniform(1e-12, 1e-3)));
                break;
            }
            default:
                break;
        }
        const double size = logUniform(1e-6, 1e6) / norm(d.omega);
        for (double& x : d.omega) x *= size;
        return d;
    }

    std::mt19937_64 rng_;
    std::uniform_real_distribution<double> unit_{0.0, 1.0};
};

ExactMotion closedForm(const Draw& d) {
    return d.body.sides ? exactMotionFromSides(d.body.values.data(), d.omega.data())
                        : exactMotionFromMoments(d.body.values.data(), d.omega.data());
}

// How far the reference moves, in omega (over `largest`) and attitude, when
// one component of the start moves by a unit in its last place.
void startSpread(const Draw& d, const std::vector<double>& times,
                 const std::vector<ReferenceState>& central, double largest,
                 std::vector<Errors>& allowed) {
    for (size_t i = 0; i < 3; ++i) {
        for (const double direction : {-1.0, 1.0}) {
            Vec moved = d.omega;
            moved[i] = std::nextafter(moved[i], direction * 1e300);
            const auto other = referenceMotion(d.body, moved, times, kTolerance);
            for (size_t row = 0; row < times.size(); ++row) {
                double dw = 0.0;
                for (size_t j = 0; j < 3; ++j) {
                    dw = std::fmax(dw, std::fabs(other[row].omega[j] - central[row].omega[j]));
                }
                Quaternion q{other[row].attitude[0], other[row].attitude[1], other[row].attitude[2],
                             other[row].attitude[3]};
                allowed[row].omegaAllowed =
                    std::fmax(allowed[row].omegaAllowed, 1e-13 + 2.0 * dw / largest);
                allowed[row].attitudeAllowed =
                    std::fmax(allowed[row].attitudeAllowed,
                              1e-12 + 2.0 * angleBetween(central[row].attitude, q));
            }
        }
    }
}

// The errors of the closed form at each time, with what is allowed there.
std::vector<Errors> errorsOf(const Draw& d, double until, bool spreadAllowed) {
    const ExactMotion motion = closedForm(d);
    std::vector<double> times;
    for (const double t : {1.0, 10.0, 100.0}) {
        if (norm(d.omega) * t <= until) times.push_back(t);
    }
    std::vector<Errors> out(times.size());
    if (times.empty()) return out;
    const auto reference = referenceMotion(d.body, d.omega, times, kTolerance);
    double largest = norm(d.omega);
    for (const ReferenceState& r : reference) {
        largest = std::fmax(largest, norm(r.omega));
    }
    if (spreadAllowed) startSpread(d, times, reference, largest, out);
    for (size_t row = 0; row < times.size(); ++row) {
        double omega[3];
        const Quaternion q = exactStateAt(motion, times[row], omega);
        for (size_t j = 0; j < 3; ++j) {
            out[row].omega =
                std::fmax(out[row].omega, std::fabs(omega[j] - reference[row].omega[j]) / largest);
        }
        out[row].t = times[row];
        out[row].attitude = angleBetween(reference[row].attitude, q);
        out[row].attitudeAllowed =
            std::fmax(out[row].attitudeAllowed, 4.0 * norm(d.omega) * times[row] * 0x1p-53);
    }
    return out;
}

std::string describe(const Draw& d) {
    char text[320];
    std::snprintf(text, sizeof text, "%s: %s %.17g,%.17g,%.17g --omega %.17g,%.17g,%.17g", d.family,
                  d.body.sides ? "--sides" : "--moments", d.body.values[0], d.body.values[1],
                  d.body.values[2], d.omega[0], d.omega[1], d.omega[2]);
    return text;
}

// SPIN_SURVEY_SCALED_TIME raises the largest scaled time |omega| t checked
// (30 by default, to keep the suite quick; the separatrix's draws, which
// take seven references each, a third of it) for a longer survey.
double largestScaledTime() {
    const char* text = std::getenv("SPIN_SURVEY_SCALED_TIME");
    return text != nullptr ? std::atof(text) : 30.0;
}

class OverRandomBodies : public ::testing::TestWithParam<int> {};

// Each family in a test of its own, 200 draws each, so that they run side by side.
TEST_P(OverRandomBodies, WithinTheTargetsOrTheInputsOwnUncertainty) {
    const int family = GetParam();
    Drawer drawer(20261211U + static_cast<unsigned>(family));
    const int count = 200;
    double worstOmega = 0.0;
    double worstAttitude = 0.0;
    int failures = 0;
    int checked = 0;
    const char* name = "";
    for (int n = 0; n < count; ++n) {
        const Draw d = drawer.draw(6 * n + family);
        name = d.family;
        const bool separatrix = family == 5;
        const double until = largestScaledTime() / (separatrix ? 3.0 : 1.0);
        for (const Errors& e : errorsOf(d, until, separatrix)) {
            ++checked;
            worstOmega = std::fmax(worstOmega, e.omega / e.omegaAllowed * 1e-13);
            worstAttitude = std::fmax(worstAttitude, e.attitude / e.attitudeAllowed * 1e-12);
            if ((e.omega > e.omegaAllowed || e.attitude > e.attitudeAllowed) && ++failures <= 10) {
                ADD_FAILURE() << describe(d) << " at t " << e.t << ": omega " << e.omega
                              << " (allowed " << e.omegaAllowed << "), attitude " << e.attitude
                              << " (allowed " << e.attitudeAllowed << ")";
            }
        }
    }
    std::printf(
        "%s: %d draws, %d times, %d failing; worst, as if the allowance were the target: "
        "omega %.2e of the largest |omega|, attitude %.2e rad\n",
        name, count, checked, failures, worstOmega, worstAttitude);
}

INSTANTIATE_TEST_SUITE_P(Families, OverRandomBodies, ::testing::Range(0, 6));

// Draws that failed an earlier closed form, one for each cause, kept:
// - a needle spun about its length (Id far below Ic): the steady turn's two
//   terms |L| / Id cancelled;
// - the smallest moment far below the other two (a large -n): r and the
//   integral of the third kind cancelled, in the steady turn and in P;
// - close to a steady spin, k^2 = 1 - k'^2 kept no digits;
// - two moments equal to the last double digits: their difference was 0;
// - next to the separatrix, a thin box, each of the above at once.
TEST(ExactMotionOverRandomBodies, DrawsThatFailedBefore) {
    const Draw kept[] = {
        {"needle about its length",
         {{1045.2572402004882, 1.1367654734509644e-05, 1.1367655431190963e-05}, true},
         {-6.4799988395559233e-06, -1.2606934333399609e-05, 1.3591844813419918e-05}},
        {"smallest moment far below",
         {{21501701.017265752, 6.5790024012278516e-07, 21501701.017265096}, false},
         {-0.0093896406359064155, 0.0024207328911003793, -0.01332615076330787}},
        {"a needle, moments 3e16 apart",
         {{0.0035142655749499231, 628094.77766002342, 0.0011438532093213994}, true},
         {1.5701501668723955, 2.1724563237347135, 0.94961174162156411}},
        {"near a steady spin",
         {{25.952283178947066, 0.00181448259130092, 0.094048689480359493}, true},
         {-5.8017179674628668e-07, -5.3580766385138183, 2.2448378375250613e-09}},
        {"near an axis, tiny box",
         {{0.00014082391001313594, 0.00038657292661947008, 0.00027212589588563425}, true},
         {-1.8734581425774674e-10, -0.39108658571924926, 3.1095666844784205e-07}},
        {"the separatrix, thin box",
         {{7471.2522907355069, 0.15278741486573294, 7.872056092369939e-06}, true},
         {1.5274041572933655e-07, -3.4784326298993614e-05, -1.5274041607376225e-07}},
        {"1e6 x 1e-6 x 1", {{1e6, 1e-6, 1}, true}, {0.1, 1, 0.1}},
    };
    for (const Draw& d : kept) {
        SCOPED_TRACE(d.family);
        const std::vector<Errors> errors = errorsOf(d, 300.0, false);
        ASSERT_FALSE(errors.empty());
        for (const Errors& e : errors) {
            EXPECT_LE(e.omega, e.omegaAllowed) << "t " << e.t;
            EXPECT_LE(e.attitude, e.attitudeAllowed) << "t " << e.t;
        }
    }
}

}  // namespace
