// What a frame of the spinning box must look like, worked out without GL:
// the fixed camera, the perspective projection and the box's turn, applied
// by hand and compared with the pixels the window really shows.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "x11_image.h"

// A 4 x 4 matrix in GL's column-major order.
using Mat4 = std::array<double, 16>;

Mat4 multiply(const Mat4& a, const Mat4& b);
Mat4 lookAtMatrix(const std::array<double, 3>& eye, const std::array<double, 3>& centre,
                  const std::array<double, 3>& up);
Mat4 perspectiveMatrix(double fovyDegrees, double aspect, double zNear, double zFar);
std::array<double, 4> transform(const Mat4& m, const std::array<double, 4>& v);
// The rotation by `degrees` about `axis` (any length), as glRotated makes it.
Mat4 rotationMatrix(double degrees, const std::array<double, 3>& axis);

// The camera every frame uses: eye (3, 4, 5) looking at the origin, y up.
Mat4 cameraMatrix();

// A point in window coordinates.
struct Point {
    double x;
    double y;
};

// How far p lies inside the convex hull of `points`: negative outside.
double distanceInsideHull(const std::vector<Point>& points, const Point& p);

// How a picture compares with the box turned by turnDegrees about
// (omega1, omega2, -omega3) and scaled by sides.
struct BoxPictureReport {
    int insideChecked = 0;       // pixels well inside the box's outline
    int insideWhite = 0;         // of those, white: the box is missing there
    int insideGreenLit = 0;      // of those, clearly lit by the green lights
    int outsideChecked = 0;      // pixels well clear of the box and the axes
    int outsideNotWhite = 0;     // of those, not white: something stray drawn
    int axisSamples = 0;         // points on the axes, clear of the box
    int axisSamplesMissing = 0;  // of those, with no drawn pixel nearby
    std::string summary() const;
};

BoxPictureReport compareWithBox(const WindowImage& image, const double omega[3], double turnDegrees,
                                const double sides[3]);
