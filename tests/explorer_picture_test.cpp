// The real explorer's window, seen as a user sees it: on the flip of the
// 1 x 2 x 3 box, after 150 single steps from the start, the box fills the
// outline that the camera and the attitude worked out here project, and the
// exact attitude's outline is drawn along its edges, worked out here too.
// The same picture does not fit the box twenty steps earlier.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "box_picture.h"
#include "reference_attitude.h"
#include "running_program.h"

namespace {

const std::string kExplorer = SPINNING_BOX_EXPLORER_PATH;

constexpr double kPi = 3.14159265358979323846;

struct Pixel {
    double x;
    double y;
};

// The explorer's camera for a box with this diagonal: from yaw 31 degrees
// and pitch 34.4 degrees, as far as 7.07 (the window program's camera)
// times the diagonal over the window program's box's, 2.34.
std::array<double, 3> eyeFor(double diagonal) {
    const double d = 7.07 * diagonal / 2.34;
    const double yaw = 31.0 * kPi / 180.0;
    const double pitch = 34.4 * kPi / 180.0;
    return {d * std::cos(pitch) * std::sin(yaw), d * std::sin(pitch),
            d * std::cos(pitch) * std::cos(yaw)};
}

Mat4 cameraFor(double diagonal) { return lookAtMatrix(eyeFor(diagonal), {0, 0, 0}, {0, 1, 0}); }

struct Projected {
    std::vector<Pixel> corners;  // index: x + 2 y + 4 z, each 0 for -0.5, 1 for +0.5
};

Projected project(const Quat& q, const std::array<double, 3>& sides, int width, int height) {
    const double diagonal =
        std::sqrt(sides[0] * sides[0] + sides[1] * sides[1] + sides[2] * sides[2]);
    const Mat4 world =
        multiply(perspectiveMatrix(30.0, static_cast<double>(width) / height, 1.0, 100.0),
                 cameraFor(diagonal));
    const std::array<double, 16> turn = matrixOf(q);
    Mat4 body{};
    for (size_t i = 0; i < 16; ++i) body[i] = turn[i];
    const Mat4 all = multiply(world, body);
    Projected p;
    for (int z = 0; z < 2; ++z)
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x) {
                const auto c = transform(
                    all, {(x - 0.5) * sides[0], (y - 0.5) * sides[1], (z - 0.5) * sides[2], 1.0});
                p.corners.push_back(
                    {(c[0] / c[3] + 1.0) * 0.5 * width, (c[1] / c[3] + 1.0) * 0.5 * height});
            }
    return p;
}

// Whether (x, y), in GL window coordinates, lies in one of the panes.
bool inPane(double x, double y, int width, int height) {
    const int side = std::min(width, height) / 4;
    const bool inset = x >= width - side - 2 && y <= side + 2;
    const bool readouts = x <= 440 && y >= height - 199;
    const bool strip = x <= 8 + 360 + 2 && y <= 8 + 64 + 2;  // the flip strip, lower left
    return inset || readouts || strip;
}

// Whether the camera sees a face beside the edge from corner `a` along
// `bit` of the box in attitude q: a face is seen when its outward normal
// points toward the eye from the face's centre.
bool edgeSeen(const Quat& q, const std::array<double, 3>& sides, int a, int bit) {
    const std::array<double, 3> eye =
        eyeFor(std::sqrt(sides[0] * sides[0] + sides[1] * sides[1] + sides[2] * sides[2]));
    const std::array<double, 16> turn = matrixOf(q);
    for (int axis = 0; axis < 3; ++axis) {
        if ((1 << axis) == bit) continue;
        const double sign = ((a >> axis) & 1) != 0 ? 1.0 : -1.0;
        double facing = 0.0;
        for (int row = 0; row < 3; ++row) {
            const double n = turn[axis * 4 + row] * sign;
            facing += n * (eye[row] - n * 0.5 * sides[axis]);
        }
        if (facing > 0.0) return true;
    }
    return false;
}

// Points along the edges the camera sees (or, with `behind`, the edges it
// does not), out of the panes, and how many of them have the outline's blue
// within a pixel.
std::pair<int, int> outlineOnEdges(const WindowImage& image, const Projected& p, const Quat& q,
                                   const std::array<double, 3>& sides, bool behind = false) {
    int samples = 0;
    int found = 0;
    for (int a = 0; a < 8; ++a) {
        for (const int bit : {1, 2, 4}) {
            const int b = a | bit;
            if (b == a || edgeSeen(q, sides, a, bit) == behind) continue;
            for (double s = 0.1; s <= 0.9; s += 0.025) {
                const double x = p.corners[a].x + s * (p.corners[b].x - p.corners[a].x);
                const double y = p.corners[a].y + s * (p.corners[b].y - p.corners[a].y);
                if (x < 2 || y < 2 || x > image.width - 3 || y > image.height - 3) continue;
                if (inPane(x, y, image.width, image.height)) continue;
                ++samples;
                bool blue = false;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const Rgb c =
                            image.atGl(static_cast<int>(x) + dx, static_cast<int>(y) + dy);
                        // The outline's own colour, (0, 51, 204), not a blue face's.
                        blue = blue ||
                               (c.r < 15 && std::abs(c.g - 51) <= 12 && std::abs(c.b - 204) <= 12);
                    }
                found += blue ? 1 : 0;
            }
        }
    }
    return {samples, found};
}

TEST(ExplorerPicture, TheFlipAfter150StepsShowsTheBoxAndTheOutlineWhereTheReferencePutsThem) {
    RunningProgram program(kExplorer, {kExplorer});
    program.pressKey(XK_x);
    program.pressKey(XK_r);
    const int steps = 150;
    for (int click = 0; click < steps; ++click) program.click(3);
    const WindowImage image = program.waitForStill();
    program.pressKey(XK_q);
    EXPECT_EQ(program.waitForExit(), 0);

    const std::array<double, 3> sides = {1, 2, 3};
    const std::vector<Quat> attitudes =
        integratedAttitudes({13, 10, 5}, {0.1, 1, 0.1}, 0.01, steps);
    const Projected box = project(attitudes.back(), sides, image.width, image.height);

    // Every face the camera sees, well clear of its edges and of the panes,
    // shows its own colour: the hue of its body axis (x red, y green, z
    // blue), strong at the axis's + end and pale at its - end, so that a
    // turned-over box never looks as it did. Never the white background.
    const std::array<double, 3> eye = eyeFor(std::sqrt(14.0));
    const std::array<double, 16> turn = matrixOf(attitudes.back());
    int facesSeen = 0;
    int inside = 0;
    int white = 0;
    for (int axis = 0; axis < 3; ++axis) {
        for (int end = 0; end < 2; ++end) {
            // The face's centre and outward normal in the scene.
            std::array<double, 3> normal{};
            std::array<double, 3> centre{};
            for (int row = 0; row < 3; ++row) {
                normal[row] = turn[axis * 4 + row] * (end == 1 ? 1.0 : -1.0);
                centre[row] = normal[row] * 0.5 * sides[axis];
            }
            double facing = 0.0;
            for (int row = 0; row < 3; ++row) facing += normal[row] * (eye[row] - centre[row]);
            if (facing <= 0.0) continue;
            std::vector<Point> hull;
            for (int corner = 0; corner < 8; ++corner) {
                if (((corner >> axis) & 1) == end)
                    hull.push_back({box.corners[corner].x, box.corners[corner].y});
            }
            int pixels = 0;
            int matching = 0;
            for (int y = 0; y < image.height; ++y) {
                for (int x = 0; x < image.width; ++x) {
                    if (inPane(x, y, image.width, image.height)) continue;
                    if (distanceInsideHull(hull, {x + 0.5, y + 0.5}) < 3.0) continue;
                    const Rgb c = image.atGl(x, y);
                    const int channel[3] = {c.r, c.g, c.b};
                    const int most = std::max({c.r, c.g, c.b});
                    const int least = std::min({c.r, c.g, c.b});
                    const bool hue = channel[axis] == most && most > least + 30;
                    const bool pale = least > most / 2;
                    ++pixels;
                    matching += hue && pale == (end == 0) ? 1 : 0;
                    white += c.isWhite() ? 1 : 0;
                }
            }
            inside += pixels;
            if (pixels < 500) continue;
            ++facesSeen;
            EXPECT_GT(matching, pixels * 9 / 10) << "axis " << axis << (end == 1 ? " +" : " -");
        }
    }
    EXPECT_GE(facesSeen, 2);
    EXPECT_GT(inside, 5000);
    EXPECT_EQ(white, 0);

    // The exact attitude's outline along the projected edges.
    // Along the edges the camera sees, whole; along those behind the box, in
    // dashes: about half their length.
    const Quat& q = attitudes.back();
    const auto [samples, found] = outlineOnEdges(image, box, q, sides);
    EXPECT_GT(samples, 100);
    EXPECT_GE(found, samples * 95 / 100) << found << " of " << samples;
    const auto [behindSamples, behindFound] = outlineOnEdges(image, box, q, sides, true);
    EXPECT_GT(behindSamples, 50);
    EXPECT_GT(behindFound, behindSamples * 3 / 10) << behindFound << " of " << behindSamples;
    EXPECT_LT(behindFound, behindSamples * 8 / 10) << behindFound << " of " << behindSamples;
    // Twenty steps earlier the edges lie elsewhere.
    const Quat& earlier = attitudes[steps - 20];
    const auto [wrongSamples, wrongFound] =
        outlineOnEdges(image, project(earlier, sides, image.width, image.height), earlier, sides);
    EXPECT_LT(wrongFound, wrongSamples / 2) << wrongFound << " of " << wrongSamples;
}

}  // namespace

namespace {

// The explorer's picture of the flip of a box with these sides, after 30
// single steps from the start.
WindowImage flipPicture(const std::string& sides) {
    RunningProgram program(kExplorer, {kExplorer, "--sides", sides});
    program.pressKey(XK_x);
    program.pressKey(XK_r);
    for (int click = 0; click < 30; ++click) program.click(3);
    const WindowImage image = program.waitForStill();
    program.pressKey(XK_q);
    EXPECT_EQ(program.waitForExit(), 0);
    return image;
}

}  // namespace

// The same motion at a thousandth and a thousand times the size (the
// moments scale together, so omega and the attitude are the same): the
// camera, the planes, the axes, the arrows and the colours scale with the
// box, so the picture is the same but for the readouts, which name the
// moments, and a few pixels at edges where a rounding falls the other way.
TEST(ExplorerPicture, AnySizeOfBoxLooksTheSame) {
    const WindowImage unit = flipPicture("1,2,3");
    for (const std::string sides : {"0.001,0.002,0.003", "1000,2000,3000"}) {
        const WindowImage other = flipPicture(sides);
        ASSERT_EQ(other.width, unit.width);
        ASSERT_EQ(other.height, unit.height);
        int compared = 0;
        int differing = 0;
        int coloured = 0;
        for (int y = 0; y < unit.height; ++y) {
            for (int x = 0; x < unit.width; ++x) {
                if (inPane(x, y, unit.width, unit.height)) continue;
                const Rgb a = unit.atGl(x, y);
                const Rgb b = other.atGl(x, y);
                ++compared;
                coloured += a.isWhite() ? 0 : 1;
                const int gap =
                    std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
                differing += gap > 2 ? 1 : 0;
            }
        }
        EXPECT_GT(coloured, 20000) << "the box fills a good part of the view";
        EXPECT_LT(differing, compared / 500) << sides << ": " << differing << " of " << compared;
    }
}

// Boxes of extreme shape, within what is accepted (a needle whose moments
// are 1e12 apart, a plate, a rod): the exact outline, drawn over everything
// in its own blue, spans at least a third of the view's shorter side, so
// the camera frames the box by its size whatever its shape.
TEST(ExplorerPicture, BoxesOfExtremeShapeAreFramedByTheirSize) {
    for (const std::string sides : {"1e6,1e-6,1", "100,100,1", "0.01,0.01,3"}) {
        SCOPED_TRACE(sides);
        const WindowImage image = flipPicture(sides);
        int left = image.width;
        int right = -1;
        int low = image.height;
        int high = -1;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                if (inPane(x, y, image.width, image.height)) continue;
                const Rgb c = image.atGl(x, y);
                if (c.r != 0 || c.g != 51 || c.b != 204) continue;
                left = std::min(left, x);
                right = std::max(right, x);
                low = std::min(low, y);
                high = std::max(high, y);
            }
        }
        ASSERT_GE(right, 0) << "no outline drawn";
        const int span = std::max(right - left, high - low);
        EXPECT_GE(span, std::min(image.width, image.height) / 3) << "the outline spans " << span;
    }
}
