// The inset as a chooser: a press on its sphere of L's directions starts
// the motion afresh with L along the direction pressed, as large as it was.
// The inset's camera looks from (3, 2.2, 4) at the centre with 30 degrees
// of field; the press is a ray from there, and the sphere's near side is
// where it first meets |p| = 1. In body axes L = |L| p, so omega_i = |L| p_i / I_i.
#include <algorithm>
#include <cmath>

#include "explorer.h"

int insetSide() { return std::min(explorer.width, explorer.height) / (explorer.bigInset ? 2 : 4); }

bool startFromInset(int x, int y) {
    Explorer& e = explorer;
    const int side = insetSide();
    const int left = e.width - side;
    const int top = e.height - side;  // window rows count from the top
    if (side < 8 || x < left || y < top) {
        return false;
    }
    // The press in the inset's normalised coordinates, -1 to 1 each way.
    const double u = 2.0 * (x - left + 0.5) / side - 1.0;
    const double v = 1.0 - 2.0 * (y - top + 0.5) / side;
    const double eye[3] = {3.0, 2.2, 4.0};
    const double reach = std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
    const double forward[3] = {-eye[0] / reach, -eye[1] / reach, -eye[2] / reach};
    // Across: forward x up, normalised; up on the screen: across x forward.
    double across[3] = {-forward[2], 0.0, forward[0]};
    const double an = std::hypot(across[0], across[2]);
    for (double& c : across) {
        c /= an;
    }
    const double upward[3] = {across[1] * forward[2] - across[2] * forward[1],
                              across[2] * forward[0] - across[0] * forward[2],
                              across[0] * forward[1] - across[1] * forward[0]};
    const double spread = std::tan(15.0 * M_PI / 180.0);
    double ray[3];
    for (int i = 0; i < 3; ++i) {
        ray[i] = forward[i] + spread * (u * across[i] + v * upward[i]);
    }
    // |eye + s ray| = 1, the nearer root.
    const double a = ray[0] * ray[0] + ray[1] * ray[1] + ray[2] * ray[2];
    const double b = eye[0] * ray[0] + eye[1] * ray[1] + eye[2] * ray[2];
    const double c = reach * reach - 1.0;
    const double d = b * b - a * c;
    if (d < 0.0) {
        return false;  // beside the sphere
    }
    const double s = (-b - std::sqrt(d)) / a;
    double moments[3];
    momentsOf(e.exact, moments);
    const double size = std::sqrt(e.startInvariants[1]);
    SpinOptions start = e.start;
    for (int i = 0; i < 3; ++i) {
        start.omega[i] = size * (eye[i] + s * ray[i]) / moments[i];
    }
    start.stepGiven = false;
    if (size == 0.0 || !prepareExplorerStart(start).empty()) {
        return false;
    }
    e.start = start;
    e.name = "L chosen on the sphere";
    e.preset = -1;
    resetMotion();
    return true;
}
