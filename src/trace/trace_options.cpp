// Parsing of the trace tool's options, strict about every value, and the
// bound that keeps every printed number finite.
#include "trace_options.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "exact_motion.h"

namespace {

std::string quoted(const std::string& text) { return "'" + text + "'"; }

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", value);
    return text;
}

// A whole number from minimum to kMaxTraceSteps, or a message saying why not.
bool parseCount(const std::string& option, const char* text, long minimum, long& value,
                std::string& error) {
    const char* digits = text;
    const bool negative = *digits == '-';
    if (negative || *digits == '+') {
        ++digits;
    }
    if (*digits == '\0' || std::strspn(digits, "0123456789") != std::strlen(digits)) {
        error = option + ": " + quoted(text) + " is not a whole number";
        return false;
    }
    if (negative && std::strspn(digits, "0") != std::strlen(digits)) {
        error = option + ": " + quoted(text) + " is negative";
        return false;
    }
    errno = 0;
    const long long parsed = std::strtoll(digits, nullptr, 10);
    if (errno == ERANGE || parsed > kMaxTraceSteps) {
        error = option + ": " + quoted(text) + " is past the limit of " +
                std::to_string(kMaxTraceSteps);
        return false;
    }
    if (parsed < minimum) {
        error = option + ": " + quoted(text) + " must be at least " + std::to_string(minimum);
        return false;
    }
    value = static_cast<long>(parsed);
    return true;
}

// One finite number, the whole of `field`; `what` says where it came from.
bool parseNumber(const std::string& field, const std::string& what, double& value,
                 std::string& error) {
    char* end = nullptr;
    value = field.empty() || std::isspace(static_cast<unsigned char>(field[0])) != 0
                ? 0.0
                : std::strtod(field.c_str(), &end);
    if (end == nullptr || *end != '\0') {
        error = what + " has " + quoted(field) + ", which is not a number";
        return false;
    }
    if (!std::isfinite(value)) {
        error = what + " has " + quoted(field) + ", which is not finite";
        return false;
    }
    return true;
}

// Exactly three comma-separated numbers.
bool parseTriple(const std::string& option, const std::string& text, double values[3],
                 std::string& error) {
    std::vector<std::string> fields(1);
    for (const char c : text) {
        if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    const std::string what = option + ": " + quoted(text);
    if (fields.size() != 3) {
        error = what + " needs three comma-separated numbers, not " + std::to_string(fields.size());
        return false;
    }
    for (size_t i = 0; i < 3; ++i) {
        if (!parseNumber(fields[i], what, values[i], error)) {
            return false;
        }
    }
    return true;
}

bool checkSides(const std::string& text, const double sides[3], std::string& error) {
    for (int i = 0; i < 3; ++i) {
        if (sides[i] <= 0.0) {
            error = "--sides: " + quoted(text) + " has a side that is not positive";
            return false;
        }
        if (sides[i] < kMinSide || sides[i] > kMaxSide) {
            error = "--sides: " + quoted(text) + " has a side outside " + number(kMinSide) +
                    " to " + number(kMaxSide);
            return false;
        }
    }
    return true;
}

bool checkOmega(const std::string& text, const double omega[3], std::string& error) {
    for (int i = 0; i < 3; ++i) {
        if (std::fabs(omega[i]) > kMaxRate) {
            error =
                "--omega: " + quoted(text) + " has a rate beyond " + number(kMaxRate) + " in size";
            return false;
        }
    }
    return true;
}

bool checkStep(const std::string& text, double step, std::string& error) {
    if (step <= 0.0) {
        error = "--step: " + quoted(text) + " is not positive";
        return false;
    }
    if (step > kMaxStep) {
        error = "--step: " + quoted(text) + " is past the limit of " + number(kMaxStep);
        return false;
    }
    return true;
}

// Refuses, up front, a step too large for this box and spin over this many
// steps: past the bound the integration could grow without limit.
bool checkStaysFinite(const TraceOptions& o, const std::string& stepText, std::string& error) {
    const std::string what = "--step: " + quoted(stepText) + " is too large for this box and spin";
    const MotionKind kind = motionKindOf(o.sides, o.omega);
    if (kind == MotionKind::Symmetric) {
        const double turn = std::fabs(exactMotionFrom(o.sides, o.omega).rate * o.step);
        if (turn > kMaxSymmetricTurn) {
            error = what + ": |kappa * omega_s * h| is " + number(turn) + ", more than 2.83";
            return false;
        }
    } else if (kind == MotionKind::Elliptic) {
        double moments[3];
        principalMoments(o.sides, moments);
        const double twiceEnergy = invariantsOf(moments, o.omega).twiceEnergy;
        const double smallest = std::fmin(moments[0], std::fmin(moments[1], moments[2]));
        const double largestRate = std::sqrt(twiceEnergy / smallest);
        const double measure = static_cast<double>(o.steps) * std::pow(o.step * largestRate, 5);
        if (measure > kMaxDriftMeasure) {
            error = what + " over " + std::to_string(o.steps) +
                    " steps: steps * (h * Omega)^5 is " + number(measure) + ", more than " +
                    number(kMaxDriftMeasure) + " (Omega " + number(largestRate) + ")";
            return false;
        }
    }
    return true;
}

// Reads the value of one option that takes one; `stepText` keeps the step as
// given, for the message of the bound.
bool applyOption(const std::string& name, const char* value, TraceOptions& options,
                 std::string& stepText, std::string& error) {
    if (name == "--steps") {
        return parseCount(name, value, 0, options.steps, error);
    }
    if (name == "--every") {
        return parseCount(name, value, 1, options.every, error);
    }
    if (name == "--sides") {
        return parseTriple(name, value, options.sides, error) &&
               checkSides(value, options.sides, error);
    }
    if (name == "--omega") {
        return parseTriple(name, value, options.omega, error) &&
               checkOmega(value, options.omega, error);
    }
    stepText = value;
    return parseNumber(value, "--step: " + quoted(value), options.step, error) &&
           checkStep(value, options.step, error);
}

bool takesValue(const std::string& name) {
    return name == "--steps" || name == "--every" || name == "--sides" || name == "--omega" ||
           name == "--step";
}

}  // namespace

bool parseTraceOptions(int argc, const char* const* argv, TraceOptions& options,
                       std::string& error) {
    std::string stepText = "0.01";
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        const char* value = nullptr;
        const size_t equals = name.find('=');
        if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = argv[i] + equals + 1;
            name.resize(equals);
        }
        if (name == "--help" && value == nullptr) {
            options.help = true;
            continue;
        }
        if (!takesValue(name)) {
            error = "unknown option " + quoted(argv[i]);
            return false;
        }
        if (value == nullptr) {
            if (i + 1 >= argc) {
                error = name + " needs a value";
                return false;
            }
            value = argv[++i];
        }
        if (!applyOption(name, value, options, stepText, error)) {
            return false;
        }
    }
    return checkStaysFinite(options, stepText, error);
}

std::string traceUsage() {
    return "Usage: spinning-box-trace [--sides A,B,C] [--omega W1,W2,W3] [--step H]\n"
           "                          [--steps N] [--every K]\n"
           "\n"
           "Runs the spinning box's rotation model with no window, for any box and any\n"
           "spin, and writes its angular velocity as CSV beside the exact motion of the\n"
           "free body.\n"
           "\n"
           "  --sides A,B,C     the box's sides (default 0.3,2.3,0.3), each from " +
           number(kMinSide) + " to " + number(kMaxSide) +
           "\n"
           "  --omega W1,W2,W3  the body-frame angular velocity at t = 0 (default\n"
           "                    0.3,3.0,0.3), each at most " +
           number(kMaxRate) +
           " in size\n"
           "  --step H          the integration step (default 0.01), above 0, at most " +
           number(kMaxStep) +
           "\n"
           "  --steps N         steps after the initial state (default 1000, 0 to " +
           std::to_string(kMaxTraceSteps) +
           ")\n"
           "  --every K         print every K-th step (default 1, 1 to " +
           std::to_string(kMaxTraceSteps) +
           ")\n"
           "  --help            show this text\n"
           "The form --name=value works too.\n"
           "\n"
           "Bound. A step too large for the box and spin could make the integration\n"
           "grow without limit, so it is refused before anything is printed:\n"
           "  three different sides: N * (H * Omega)^5 must be at most " +
           number(kMaxDriftMeasure) +
           ", where\n"
           "    Omega = sqrt(2E / I_min) is the largest rate the motion can reach;\n"
           "  two equal sides: |kappa * omega_s * H| must be at most 2 sqrt 2 (2.83),\n"
           "    kappa * omega_s being the rate at which omega turns about the\n"
           "    symmetry axis s;\n"
           "  three equal sides: no bound, omega never changes.\n"
           "Moments are taken as I1 = B^2 + C^2, I2 = A^2 + C^2, I3 = A^2 + B^2, and\n"
           "2E = I1 W1^2 + I2 W2^2 + I3 W3^2.\n"
           "\n"
           "Columns:\n"
           "  step, t, omega1, omega2, omega3, spin_rate, turn_angle_degrees: the model's\n"
           "    own values (it derives the last two from step 1 on, so row 0 shows 0);\n"
           "  exact_omega1, exact_omega3: the closed-form motion at the same t;\n"
           "  error: the distance between the integrated and the exact omega;\n"
           "  exact_omega2: the closed form's second component;\n"
           "  energy_drift, momentum_drift: the relative change since step 0 of 2E and\n"
           "    of |L|^2 = I1^2 W1^2 + I2^2 W2^2 + I3^2 W3^2 along the integration\n"
           "    (0 when the starting value is 0);\n"
           "  attitude_w, attitude_x, attitude_y, attitude_z: the unit quaternion that\n"
           "    takes body coordinates to scene coordinates, the identity at t = 0,\n"
           "    integrated from omega with a fourth-order step (renormalised each step);\n"
           "  drawn_axis_gap_degrees: the angle between the box's long axis (body y) as\n"
           "    the window draws it, turned by turn_angle_degrees about\n"
           "    (omega1, omega2, -omega3), and as the integrated attitude places it.\n";
}
