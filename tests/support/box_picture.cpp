#include "box_picture.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace {

using Vec3 = std::array<double, 3>;

constexpr double kPi = 3.14159265358979323846;

Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

Vec3 normalised(const Vec3& v) {
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    return {v[0] / length, v[1] / length, v[2] / length};
}

Mat4 identity() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

Mat4 scaleMatrix(const double sides[3]) {
    Mat4 m = identity();
    m[0] = sides[0];
    m[5] = sides[1];
    m[10] = sides[2];
    return m;
}

double crossZ(const Point& o, const Point& a, const Point& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Convex hull, counter-clockwise (monotone chain).
std::vector<Point> convexHull(std::vector<Point> points) {
    std::sort(points.begin(), points.end(), [](const Point& a, const Point& b) {
        return a.x < b.x || (a.x == b.x && a.y < b.y);
    });
    std::vector<Point> hull(2 * points.size());
    size_t k = 0;
    for (const Point& p : points) {
        while (k >= 2 && crossZ(hull[k - 2], hull[k - 1], p) <= 0) --k;
        hull[k++] = p;
    }
    for (size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && crossZ(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
        hull[k++] = points[i];
    }
    hull.resize(k - 1);
    return hull;
}

// Signed distance to a counter-clockwise convex polygon: negative inside.
double signedDistance(const std::vector<Point>& hull, const Point& p) {
    double worst = -1e300;
    for (size_t i = 0; i < hull.size(); ++i) {
        const Point& a = hull[i];
        const Point& b = hull[(i + 1) % hull.size()];
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        worst = std::max(worst, -crossZ(a, b, p) / length);
    }
    return worst;
}

double distanceToLine(const Point& a, const Point& b, const Point& p) {
    return std::fabs(crossZ(a, b, p)) / std::hypot(b.x - a.x, b.y - a.y);
}

struct Projector {
    Mat4 clipFromObject;
    int width;
    int height;
    Point operator()(const std::array<double, 3>& v) const {
        const auto c = transform(clipFromObject, {v[0], v[1], v[2], 1.0});
        return {(c[0] / c[3] + 1.0) * 0.5 * width, (c[1] / c[3] + 1.0) * 0.5 * height};
    }
};

}  // namespace

Mat4 multiply(const Mat4& a, const Mat4& b) {
    Mat4 r{};
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[col * 4 + k];
            r[col * 4 + row] = sum;
        }
    }
    return r;
}

std::array<double, 4> transform(const Mat4& m, const std::array<double, 4>& v) {
    std::array<double, 4> r{};
    for (int row = 0; row < 4; ++row) {
        for (int k = 0; k < 4; ++k) r[row] += m[k * 4 + row] * v[k];
    }
    return r;
}

Mat4 rotationMatrix(double degrees, const Vec3& axis) {
    const Vec3 u = normalised(axis);
    const double c = std::cos(degrees * kPi / 180.0);
    const double s = std::sin(degrees * kPi / 180.0);
    const double k = 1.0 - c;
    Mat4 m = identity();
    m[0] = c + u[0] * u[0] * k;
    m[1] = u[1] * u[0] * k + u[2] * s;
    m[2] = u[2] * u[0] * k - u[1] * s;
    m[4] = u[0] * u[1] * k - u[2] * s;
    m[5] = c + u[1] * u[1] * k;
    m[6] = u[2] * u[1] * k + u[0] * s;
    m[8] = u[0] * u[2] * k + u[1] * s;
    m[9] = u[1] * u[2] * k - u[0] * s;
    m[10] = c + u[2] * u[2] * k;
    return m;
}

Mat4 lookAtMatrix(const Vec3& eye, const Vec3& centre, const Vec3& up) {
    const Vec3 f = normalised({centre[0] - eye[0], centre[1] - eye[1], centre[2] - eye[2]});
    const Vec3 s = normalised(cross(f, up));
    const Vec3 u = cross(s, f);
    Mat4 m = identity();
    for (int i = 0; i < 3; ++i) {
        m[i * 4 + 0] = s[i];
        m[i * 4 + 1] = u[i];
        m[i * 4 + 2] = -f[i];
    }
    m[12] = -(s[0] * eye[0] + s[1] * eye[1] + s[2] * eye[2]);
    m[13] = -(u[0] * eye[0] + u[1] * eye[1] + u[2] * eye[2]);
    m[14] = f[0] * eye[0] + f[1] * eye[1] + f[2] * eye[2];
    return m;
}

Mat4 perspectiveMatrix(double fovyDegrees, double aspect, double zNear, double zFar) {
    const double f = 1.0 / std::tan(fovyDegrees * kPi / 360.0);
    Mat4 m{};
    m[0] = f / aspect;
    m[5] = f;
    m[10] = (zFar + zNear) / (zNear - zFar);
    m[11] = -1.0;
    m[14] = 2.0 * zFar * zNear / (zNear - zFar);
    return m;
}

Mat4 cameraMatrix() { return lookAtMatrix({3, 4, 5}, {0, 0, 0}, {0, 1, 0}); }

double distanceInsideHull(const std::vector<Point>& points, const Point& p) {
    return -signedDistance(convexHull(points), p);
}

std::string BoxPictureReport::summary() const {
    std::ostringstream out;
    out << "inside " << insideChecked << " (white " << insideWhite << ", green-lit "
        << insideGreenLit << "), outside " << outsideChecked << " (not white " << outsideNotWhite
        << "), axis samples " << axisSamples << " (missing " << axisSamplesMissing << ")";
    return out.str();
}

BoxPictureReport compareWithBox(const WindowImage& image, const double omega[3], double turnDegrees,
                                const double sides[3]) {
    const Mat4 projection =
        perspectiveMatrix(30.0, static_cast<double>(image.width) / image.height, 1.0, 100.0);
    const Mat4 world = multiply(projection, cameraMatrix());
    const Mat4 box = multiply(
        world,
        multiply(rotationMatrix(turnDegrees, {omega[0], omega[1], -omega[2]}), scaleMatrix(sides)));
    const Projector projectBox{box, image.width, image.height};
    const Projector projectWorld{world, image.width, image.height};

    std::vector<Point> corners;
    for (double x : {-0.5, 0.5})
        for (double y : {-0.5, 0.5})
            for (double z : {-0.5, 0.5}) corners.push_back(projectBox({x, y, z}));
    const std::vector<Point> hull = convexHull(corners);

    std::array<std::array<Point, 2>, 3> axisLines{};
    for (int axis = 0; axis < 3; ++axis) {
        Vec3 end{0, 0, 0};
        end[static_cast<size_t>(axis)] = 1.0;
        axisLines[static_cast<size_t>(axis)] = {projectWorld({-end[0], -end[1], -end[2]}),
                                                projectWorld(end)};
    }

    const double margin = 2.0;
    BoxPictureReport report;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const Point centre{x + 0.5, y + 0.5};
            const Rgb pixel = image.atGl(x, y);
            if (!pixel.isKnown()) continue;
            const double d = signedDistance(hull, centre);
            if (d < -margin) {
                ++report.insideChecked;
                if (pixel.isWhite()) ++report.insideWhite;
                if (pixel.g > pixel.r + 60) ++report.insideGreenLit;
                continue;
            }
            if (d < margin) continue;
            bool nearAxis = false;
            for (const auto& line : axisLines)
                nearAxis = nearAxis || distanceToLine(line[0], line[1], centre) < 2.5;
            if (nearAxis) continue;
            ++report.outsideChecked;
            if (!pixel.isWhite()) ++report.outsideNotWhite;
        }
    }

    // Points along each axis, in front of the camera and clear of the box,
    // must each have a drawn pixel within one pixel.
    for (int axis = 0; axis < 3; ++axis) {
        for (double u = -9.5; u <= 9.5; u += 0.25) {
            Vec3 v{0, 0, 0};
            v[static_cast<size_t>(axis)] = u;
            const auto eye = transform(cameraMatrix(), {v[0], v[1], v[2], 1.0});
            if (-eye[2] < 1.5) continue;
            const Point p = projectWorld(v);
            if (p.x < 2 || p.y < 2 || p.x > image.width - 3 || p.y > image.height - 3) continue;
            if (signedDistance(hull, p) < margin + 1.0) continue;
            ++report.axisSamples;
            bool drawn = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    drawn =
                        drawn || !image.atGl(static_cast<int>(p.x) + dx, static_cast<int>(p.y) + dy)
                                      .isWhite();
            if (!drawn) ++report.axisSamplesMissing;
        }
    }
    return report;
}
