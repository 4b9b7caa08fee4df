// The real program's own GL calls, recorded from outside while it runs on the
// display and is worked with real input: every frame draws the whole scene in
// its order, and turns the box exactly as the model says for that frame, the
// first frame after one step, the k-th after k.
// gtest goes first: the X11 headers define macros that clash with it.
#include <gtest/gtest.h>

#include <X11/keysym.h>
#include <unistd.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "recorded_frames.h"
#include "running_program.h"
#include "spin_state.h"

namespace {

const std::string kProgram = SPINNING_BOX_PATH;
const std::string kRecorder = GL_RECORDER_PATH;

// Walks through one frame's calls and notes the first thing that is not as
// the frame must be.
class FrameReader {
  public:
    explicit FrameReader(const Frame& frame) : frame_(frame) {}

    // The next call, which must be `name` with `count` arguments.
    const std::vector<double>& next(const std::string& name, size_t count) {
        static const std::vector<double> none(16, NAN);
        if (!fault.empty()) return none;
        if (at_ >= frame_.size()) {
            fault = "the frame ends where " + name + " should come";
        } else if (frame_[at_].name != name || frame_[at_].args.size() != count) {
            fault = "call " + std::to_string(at_) + " is " + frame_[at_].name + " where " + name +
                    " should come";
        } else {
            return frame_[at_++].args;
        }
        return none;
    }

    // The next call must be `name` with exactly these arguments.
    void expect(const std::string& name, const std::vector<double>& args) {
        const std::vector<double>& actual = next(name, args.size());
        if (!fault.empty()) return;
        for (size_t i = 0; i < args.size(); ++i) {
            if (actual[i] != args[i]) {
                fault = name + " argument " + std::to_string(i) + " is " + text(actual[i]) +
                        ", not " + text(args[i]);
                return;
            }
        }
    }

    void check(bool good, const std::string& what) {
        if (fault.empty() && !good) fault = what;
    }

    bool atEnd() const { return at_ == frame_.size(); }
    void skipWhile(const std::function<bool(const Call&)>& skip) {
        while (at_ < frame_.size() && skip(frame_[at_])) ++at_;
    }

    std::string fault;

  private:
    static std::string text(double v) {
        std::ostringstream out;
        out.precision(17);
        out << v;
        return out.str();
    }
    const Frame& frame_;
    size_t at_ = 0;
};

constexpr double kLines = 0x0001;
constexpr double kQuads = 0x0007;
constexpr double kLight0 = 0x4000;
constexpr double kLight1 = 0x4001;
constexpr double kPosition = 0x1203;
constexpr double kColourAndDepth = 0x4000 | 0x0100;

// One face of the unit cube: four distinct corners on the side its normal
// points to, wound clockwise as seen from outside.
void checkFace(FrameReader& reader, std::set<std::vector<double>>& normals) {
    const std::vector<double> n = reader.next("glNormal3dv", 3);
    reader.check(std::fabs(n[0]) + std::fabs(n[1]) + std::fabs(n[2]) == 1.0 &&
                     (std::fabs(n[0]) == 1 || std::fabs(n[1]) == 1 || std::fabs(n[2]) == 1),
                 "a face normal is not a unit axis");
    normals.insert(n);
    std::vector<std::vector<double>> corners;
    for (int i = 0; i < 4; ++i) {
        const std::vector<double> v = reader.next("glVertex3dv", 3);
        for (const double c : v) reader.check(std::fabs(c) == 0.5, "a corner is off the cube");
        reader.check(v[0] * n[0] + v[1] * n[1] + v[2] * n[2] == 0.5,
                     "a corner lies off its face's outer side");
        corners.push_back(v);
    }
    for (size_t i = 0; i < 4; ++i) {
        const auto& a = corners[i];
        const auto& b = corners[(i + 1) % 4];
        const auto& c = corners[(i + 2) % 4];
        const double e[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const double f[3] = {c[0] - b[0], c[1] - b[1], c[2] - b[2]};
        const double turn[3] = {e[1] * f[2] - e[2] * f[1], e[2] * f[0] - e[0] * f[2],
                                e[0] * f[1] - e[1] * f[0]};
        reader.check(turn[0] * n[0] + turn[1] * n[1] + turn[2] * n[2] < 0,
                     "a face is not wound clockwise seen from outside");
    }
}

// What is wrong with a frame drawn when the model stands at `model`, or "".
std::string frameFault(const Frame& frame, const SpinState& model) {
    FrameReader reader(frame);
    // The render state set at start and the projection set on a resize may
    // come before a frame; what the frame itself draws starts with the clear.
    const std::set<std::string> setUp = {"glClearColor",   "glEnable",      "glCullFace",
                                         "glLightfv",      "glViewport",    "glMatrixMode",
                                         "gluPerspective", "glLoadIdentity"};
    reader.skipWhile([&](const Call& c) { return setUp.count(c.name) != 0; });

    reader.expect("glClear", {kColourAndDepth});
    reader.expect("glLoadIdentity", {});
    reader.expect("gluLookAt", {3, 4, 5, 0, 0, 0, 0, 1, 0});
    reader.expect("glBegin", {kLines});
    for (int axis = 0; axis < 3; ++axis) {
        std::vector<double> end = {0, 0, 0};
        end[static_cast<size_t>(axis)] = 10.0;
        reader.expect("glColor3ub", {192, 0, 0});
        reader.expect("glVertex3dv", {-end[0], -end[1], -end[2]});
        reader.expect("glVertex3dv", end);
    }
    reader.expect("glEnd", {});
    reader.expect("glLightfv", {kLight0, kPosition, 0, 3, 5, 1});
    reader.expect("glLightfv", {kLight1, kPosition, 5, 3, 0, 1});
    reader.expect("glPushMatrix", {});
    // The box turns by the model's angle for this very frame, about the
    // model's omega with its third component negated.
    reader.expect("glRotated",
                  {model.turnAngleDegrees, model.omega[0], model.omega[1], -model.omega[2]});
    reader.expect("glScaled", {model.sides[0], model.sides[1], model.sides[2]});
    reader.expect("glColor3d", {0, 0, 0});
    reader.expect("glBegin", {kQuads});
    std::set<std::vector<double>> normals;
    for (int face = 0; face < 6; ++face) checkFace(reader, normals);
    reader.check(normals.size() == 6, "the six faces do not face six ways");
    reader.expect("glEnd", {});
    reader.expect("glPopMatrix", {});
    reader.expect("glutSwapBuffers", {});
    reader.check(reader.atEnd(), "more calls follow the swap");
    return reader.fault;
}

TEST(RecordedFrames, EveryFrameDrawsTheSceneInOrderTurnedByTheModelForThatFrame) {
    char path[] = "/tmp/spinning-box-gl-XXXXXX";
    close(mkstemp(path));
    const std::string preload = recorderPreload(kRecorder);
    RunningProgram program(kProgram, {kProgram},
                           {"LD_PRELOAD=" + preload, std::string("GL_RECORD_OUT=") + path});
    const auto waitForFrames = [&](long count) {
        for (int tries = 0; tries < 1000 && framesRecorded(path) < count; ++tries) pause(10);
        ASSERT_GE(framesRecorded(path), count) << "waiting for frame " << count;
    };

    // Single steps, a run and a stop, then single steps again.
    for (int click = 1; click <= 40; ++click) {
        program.click(3);
        waitForFrames(1 + click);
    }
    program.pressKey(XK_z);
    waitForFrames(framesRecorded(path) + 300);
    program.pressKey(XK_x);
    program.waitForStill();
    const long stopped = framesRecorded(path);
    for (int click = 1; click <= 40; ++click) {
        program.click(3);
        waitForFrames(stopped + click);
    }
    program.pressKey(XK_q);
    EXPECT_EQ(program.waitForExit(), 0);

    const std::vector<Frame> frames = readFrames(path);
    unlink(path);
    ASSERT_GE(frames.size(), 381U);
    for (size_t k = 1; k <= frames.size(); ++k) {
        advanceRotation();
        ASSERT_EQ(frameFault(frames[k - 1], spinState), "") << "frame " << k;
    }
}

}  // namespace
