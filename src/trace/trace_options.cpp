// Parsing of the trace tool's options, strict about every value.
#include "trace_options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// A whole number from minimum to kMaxTraceSteps, or a message saying why not.
bool parseCount(const std::string& option, const char* text, long minimum, long& value,
                std::string& error) {
    const std::string quoted = "'" + std::string(text) + "'";
    const char* digits = text;
    const bool negative = *digits == '-';
    if (negative || *digits == '+') {
        ++digits;
    }
    if (*digits == '\0' || std::strspn(digits, "0123456789") != std::strlen(digits)) {
        error = option + ": " + quoted + " is not a whole number";
        return false;
    }
    if (negative && std::strspn(digits, "0") != std::strlen(digits)) {
        error = option + ": " + quoted + " is negative";
        return false;
    }
    errno = 0;
    const long long parsed = std::strtoll(digits, nullptr, 10);
    if (errno == ERANGE || parsed > kMaxTraceSteps) {
        error = option + ": " + quoted + " is past the limit of " + std::to_string(kMaxTraceSteps);
        return false;
    }
    if (parsed < minimum) {
        error = option + ": " + quoted + " must be at least " + std::to_string(minimum);
        return false;
    }
    value = static_cast<long>(parsed);
    return true;
}

}  // namespace

bool parseTraceOptions(int argc, const char* const* argv, TraceOptions& options,
                       std::string& error) {
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
        if (name != "--steps" && name != "--every") {
            error = "unknown option '" + std::string(argv[i]) + "'";
            return false;
        }
        if (value == nullptr) {
            if (i + 1 >= argc) {
                error = name + " needs a value";
                return false;
            }
            value = argv[++i];
        }
        const bool ok = name == "--steps" ? parseCount(name, value, 0, options.steps, error)
                                          : parseCount(name, value, 1, options.every, error);
        if (!ok) {
            return false;
        }
    }
    return true;
}

std::string traceUsage() {
    return "Usage: spinning-box-trace [--steps N] [--every K]\n"
           "\n"
           "Runs the spinning box's rotation model with no window and writes its\n"
           "angular velocity as CSV, beside the exact motion of the symmetric top.\n"
           "\n"
           "  --steps N  steps to take after the initial state (default 1000, 0 to " +
           std::to_string(kMaxTraceSteps) +
           ")\n"
           "  --every K  print every K-th step (default 1, 1 to " +
           std::to_string(kMaxTraceSteps) +
           ")\n"
           "  --help     show this text\n"
           "\n"
           "Columns: step, t, omega1, omega2, omega3, spin_rate, turn_angle_degrees\n"
           "(the model's own values; the model derives the last two from step 1 on,\n"
           "so row 0 shows 0 for them), exact_omega1, exact_omega3 (the closed-form\n"
           "solution at the same t), and error, the distance between the integrated\n"
           "and the exact (omega1, omega3).\n";
}
