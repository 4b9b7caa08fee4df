// The inset as a chooser: a press on its sphere of L's directions starts
// the motion afresh with L along the direction pressed, as large as it was.
// The inset's camera looks from (3, 2.2, 4) at the centre with 30 degrees
// of field; the press is a ray from there, and the sphere's near side is
// where it first meets |p| = 1. In body axes L = |L| p, so omega_i = |L| p_i / I_i.
#include <algorithm>
#include <cmath>

#include "explorer.h"

namespace {

// The inset's camera: the unit vector it looks along, and the unit vectors
// right and up on the screen (forward x the scene's y, then across x
// forward), with the tangent of half its field.
struct InsetCamera {
    double forward[3];
    double across[3];
    double upward[3];
    double spread;
};

InsetCamera insetCamera() {
    InsetCamera c{};
    const double* eye = kInsetEye;
    const double reach = std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
    for (int i = 0; i < 3; ++i) {
        c.forward[i] = -eye[i] / reach;
    }
    const double an = std::hypot(c.forward[2], c.forward[0]);
    c.across[0] = -c.forward[2] / an;
    c.across[2] = c.forward[0] / an;
    c.upward[0] = c.across[1] * c.forward[2] - c.across[2] * c.forward[1];
    c.upward[1] = c.across[2] * c.forward[0] - c.across[0] * c.forward[2];
    c.upward[2] = c.across[0] * c.forward[1] - c.across[1] * c.forward[0];
    c.spread = std::tan(15.0 * M_PI / 180.0);
    return c;
}

}  // namespace

void insetProjection(const double p[3], double& u, double& v) {
    const InsetCamera c = insetCamera();
    double d[3];
    for (int i = 0; i < 3; ++i) {
        d[i] = p[i] - kInsetEye[i];
    }
    const double depth = d[0] * c.forward[0] + d[1] * c.forward[1] + d[2] * c.forward[2];
    u = (d[0] * c.across[0] + d[1] * c.across[1] + d[2] * c.across[2]) / (depth * c.spread);
    v = (d[0] * c.upward[0] + d[1] * c.upward[1] + d[2] * c.upward[2]) / (depth * c.spread);
}

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
    const InsetCamera camera = insetCamera();
    const double* eye = kInsetEye;
    const double reach = std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
    double ray[3];
    for (int i = 0; i < 3; ++i) {
        ray[i] = camera.forward[i] + camera.spread * (u * camera.across[i] + v * camera.upward[i]);
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
