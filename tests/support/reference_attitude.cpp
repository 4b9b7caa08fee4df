#include "reference_attitude.h"

#include <cmath>

namespace {

using Vec = std::array<double, 3>;

Vec plus(const Vec& a, double s, const Vec& b) {
    return {a[0] + s * b[0], a[1] + s * b[1], a[2] + s * b[2]};
}

Quat plus(const Quat& a, double s, const Quat& b) {
    return {a[0] + s * b[0], a[1] + s * b[1], a[2] + s * b[2], a[3] + s * b[3]};
}

// ½ q (0, w).
Quat quatRate(const Quat& q, const Vec& w) {
    return {0.5 * (-q[1] * w[0] - q[2] * w[1] - q[3] * w[2]),
            0.5 * (q[0] * w[0] + q[2] * w[2] - q[3] * w[1]),
            0.5 * (q[0] * w[1] - q[1] * w[2] + q[3] * w[0]),
            0.5 * (q[0] * w[2] + q[1] * w[1] - q[2] * w[0])};
}

}  // namespace

std::vector<Quat> integratedAttitudes(const std::array<double, 3>& moments,
                                      const std::array<double, 3>& omega, double h, int count,
                                      std::vector<std::array<double, 3>>* omegas) {
    // Euler's equations.
    const auto rate = [&](const Vec& w) {
        Vec d{};
        for (size_t i = 0; i < 3; ++i) {
            const size_t j = (i + 1) % 3;
            const size_t k = (i + 2) % 3;
            d[i] = (moments[j] - moments[k]) / moments[i] * w[j] * w[k];
        }
        return d;
    };
    std::vector<Quat> out = {{1, 0, 0, 0}};
    Vec w = omega;
    Quat q = {1, 0, 0, 0};
    if (omegas != nullptr) *omegas = {omega};
    for (int n = 1; n <= count; ++n) {
        const Vec k1 = rate(w);
        const Vec k2 = rate(plus(w, h / 2, k1));
        const Vec k3 = rate(plus(w, h / 2, k2));
        const Vec k4 = rate(plus(w, h, k3));
        Vec next{};
        for (size_t i = 0; i < 3; ++i)
            next[i] = w[i] + h / 6 * (k1[i] + 2 * k2[i] + 2 * k3[i] + k4[i]);
        const Vec a = rate(w);
        const Vec b = rate(next);
        Vec middle{};
        for (size_t i = 0; i < 3; ++i) middle[i] = (w[i] + next[i]) / 2 + h * (a[i] - b[i]) / 8;
        const Quat j1 = quatRate(q, w);
        const Quat j2 = quatRate(plus(q, h / 2, j1), middle);
        const Quat j3 = quatRate(plus(q, h / 2, j2), middle);
        const Quat j4 = quatRate(plus(q, h, j3), next);
        double norm = 0.0;
        for (size_t i = 0; i < 4; ++i) {
            q[i] = q[i] + h / 6 * (j1[i] + 2 * j2[i] + 2 * j3[i] + j4[i]);
            norm += q[i] * q[i];
        }
        for (double& c : q) c /= std::sqrt(norm);
        w = next;
        out.push_back(q);
        if (omegas != nullptr) omegas->push_back(w);
    }
    return out;
}

std::array<double, 16> matrixOf(const Quat& q) {
    const double w = q[0], x = q[1], y = q[2], z = q[3];
    const double r[3][3] = {{1 - 2 * (y * y + z * z), 2 * (x * y - w * z), 2 * (x * z + w * y)},
                            {2 * (x * y + w * z), 1 - 2 * (x * x + z * z), 2 * (y * z - w * x)},
                            {2 * (x * z - w * y), 2 * (y * z + w * x), 1 - 2 * (x * x + y * y)}};
    std::array<double, 16> m{};
    for (size_t c = 0; c < 3; ++c)
        for (size_t row = 0; row < 3; ++row) m[c * 4 + row] = r[row][c];
    m[15] = 1;
    return m;
}

std::array<double, 3> rotated(const Quat& q, const std::array<double, 3>& v) {
    const double w = q[0];
    const Vec u = {q[1], q[2], q[3]};
    const auto cross = [](const Vec& a, const Vec& b) {
        return Vec{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
    };
    const Vec c1 = cross(u, v);
    const Vec c2 = cross(u, c1);
    return {v[0] + 2 * w * c1[0] + 2 * c2[0], v[1] + 2 * w * c1[1] + 2 * c2[1],
            v[2] + 2 * w * c1[2] + 2 * c2[2]};
}
