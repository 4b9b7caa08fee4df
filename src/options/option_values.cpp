// Strict readers for the options' values.
#include "option_values.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "steppers.h"

namespace {

std::string quoted(const std::string& text) { return "'" + text + "'"; }

// One finite number, the whole of `field`, which is part of `text`.
std::string readNumber(const std::string& field, const std::string& text, double& value) {
    char* end = nullptr;
    value = field.empty() || std::isspace(static_cast<unsigned char>(field[0])) != 0
                ? 0.0
                : std::strtod(field.c_str(), &end);
    if (end == nullptr || *end != '\0') {
        return quoted(text) + " has " + quoted(field) + ", which is not a number";
    }
    if (!std::isfinite(value)) {
        return quoted(text) + " has " + quoted(field) + ", which is not finite";
    }
    return "";
}

}  // namespace

std::string shortNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", value);
    return text;
}

std::string readCount(const std::string& text, long minimum, long& value) {
    const char* digits = text.c_str();
    const bool negative = *digits == '-';
    if (negative || *digits == '+') {
        ++digits;
    }
    if (*digits == '\0' || std::strspn(digits, "0123456789") != std::strlen(digits)) {
        return quoted(text) + " is not a whole number";
    }
    if (negative && std::strspn(digits, "0") != std::strlen(digits)) {
        return quoted(text) + " is negative";
    }
    errno = 0;
    const long long parsed = std::strtoll(digits, nullptr, 10);
    if (errno == ERANGE || parsed > kMaxCount) {
        return quoted(text) + " is past the limit of " + std::to_string(kMaxCount);
    }
    if (parsed < minimum) {
        return quoted(text) + " must be at least " + std::to_string(minimum);
    }
    value = static_cast<long>(parsed);
    return "";
}

// Spaces and tabs around each number are read as none: "1, 2, 3" is 1,2,3.
std::string readTriple(const std::string& text, double values[3]) {
    std::vector<std::string> fields(1);
    for (const char c : text) {
        if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    for (std::string& field : fields) {
        const size_t first = field.find_first_not_of(" \t");
        const size_t last = field.find_last_not_of(" \t");
        field = first == std::string::npos ? "" : field.substr(first, last - first + 1);
    }
    if (fields.size() != 3) {
        return quoted(text) + " needs three comma-separated numbers, not " +
               std::to_string(fields.size());
    }
    for (size_t i = 0; i < 3; ++i) {
        std::string fault = readNumber(fields[i], text, values[i]);
        if (!fault.empty()) {
            return fault;
        }
    }
    return "";
}

std::string readSides(const std::string& text, double sides[3]) {
    std::string fault = readTriple(text, sides);
    if (!fault.empty()) {
        return fault;
    }
    for (int i = 0; i < 3; ++i) {
        if (sides[i] <= 0.0) {
            return quoted(text) + " has a side that is not positive";
        }
        if (sides[i] < kMinSide || sides[i] > kMaxSide) {
            return quoted(text) + " has a side outside " + shortNumber(kMinSide) + " to " +
                   shortNumber(kMaxSide);
        }
    }
    // The exact motion forms each moment b^2 + c^2 in 106 bits; in a needle
    // whose moments are further apart than this, what it rounds away is a
    // visible share of the difference of its two largest moments.
    double smallest = kMaxSide * kMaxSide * 2.0;
    double largest = 0.0;
    for (int i = 0; i < 3; ++i) {
        const double b = sides[(i + 1) % 3];
        const double c = sides[(i + 2) % 3];
        smallest = std::fmin(smallest, b * b + c * c);
        largest = std::fmax(largest, b * b + c * c);
    }
    if (largest > kMaxMomentRatio * smallest) {
        return quoted(text) + " is too thin a needle: its moments are more than " +
               shortNumber(kMaxMomentRatio) +
               " apart, past what the exact motion holds; give the moments instead";
    }
    return "";
}

// A box with sides a, b, c has moments b^2 + c^2, a^2 + c^2, a^2 + b^2, so
// a^2 = (I2 + I3 - I1) / 2 and so on: positive exactly when each moment is
// less than the sum of the other two.
std::string readMoments(const std::string& text, double moments[3], double sides[3]) {
    std::string fault = readTriple(text, moments);
    if (!fault.empty()) {
        return fault;
    }
    for (int i = 0; i < 3; ++i) {
        if (moments[i] <= 0.0) {
            return quoted(text) + " has a moment that is not positive";
        }
    }
    for (int i = 0; i < 3; ++i) {
        const double others = moments[(i + 1) % 3] + moments[(i + 2) % 3];
        if (moments[i] >= others) {
            return quoted(text) + " is not a real body: " + shortNumber(moments[i]) +
                   " is not less than " + shortNumber(moments[(i + 1) % 3]) + " + " +
                   shortNumber(moments[(i + 2) % 3]) +
                   ", and each moment of a body is less than the sum of the other two";
        }
    }
    for (int i = 0; i < 3; ++i) {
        const double excess = moments[(i + 1) % 3] + moments[(i + 2) % 3] - moments[i];
        sides[i] = std::sqrt(0.5 * excess);
        if (!(sides[i] >= kMinSide && sides[i] <= kMaxSide)) {
            return quoted(text) + " makes a box with a side outside " + shortNumber(kMinSide) +
                   " to " + shortNumber(kMaxSide);
        }
    }
    return "";
}

std::string readOmega(const std::string& text, double omega[3]) {
    std::string fault = readTriple(text, omega);
    if (!fault.empty()) {
        return fault;
    }
    for (int i = 0; i < 3; ++i) {
        if (std::fabs(omega[i]) > kMaxRate) {
            return quoted(text) + " has a rate beyond " + shortNumber(kMaxRate) + " in size";
        }
    }
    return "";
}

std::string readStep(const std::string& text, double& step) {
    std::string fault = readNumber(text, text, step);
    if (!fault.empty()) {
        return fault;
    }
    if (step <= 0.0) {
        return quoted(text) + " is not positive";
    }
    if (step > kMaxStep) {
        return quoted(text) + " is past the limit of " + shortNumber(kMaxStep);
    }
    return "";
}

std::string readSpeed(const std::string& text, double& speed) {
    double value = 0.0;
    std::string fault = readNumber(text, text, value);
    if (!fault.empty()) {
        return fault;
    }
    if (value < kMinSpeed || value > kMaxSpeed) {
        return quoted(text) + " is outside 1/1024 to 1024";
    }
    speed = value;
    return "";
}

std::string readNumberWithin(const std::string& text, double lowest, double highest,
                             double& value) {
    char* end = nullptr;
    const double parsed = text.empty() || std::isspace(static_cast<unsigned char>(text[0])) != 0
                              ? 0.0
                              : std::strtod(text.c_str(), &end);
    if (end == nullptr || *end != '\0' || !std::isfinite(parsed)) {
        return quoted(text) + " is not a number";
    }
    if (parsed < lowest || parsed > highest) {
        return quoted(text) + " is outside " + shortNumber(lowest) + " to " + shortNumber(highest);
    }
    value = parsed;
    return "";
}

// The integrators' names and titles, one a line.
std::string integratorList() {
    int count = 0;
    const Integrator* all = integrators(&count);
    std::string list;
    for (int i = 0; i < count; ++i) {
        list += "  " + std::string(all[i].name) +
                std::string(16 - std::string(all[i].name).size(), ' ') + all[i].title + "\n";
    }
    return list;
}

std::string readIntegrator(const std::string& text, const Integrator*& integrator) {
    integrator = findIntegrator(text.c_str());
    if (integrator != nullptr) {
        return "";
    }
    int count = 0;
    const Integrator* all = integrators(&count);
    std::string names;
    for (int i = 0; i < count; ++i) {
        names += (i == 0 ? "" : ", ") + std::string(all[i].name);
    }
    return "'" + text + "' is not an integrator; one of " + names;
}
