// The real explorer's GL calls, recorded from outside while real X input
// drives it: every frame turns the box by the attitude after that frame's
// number of steps, draws the exact attitude's outline by the exact attitude
// at that time, and points L the one fixed way, all against references
// worked out here: omega and the attitude integrated by steps written out
// below, the exact attitude by a 113-bit integration. And the clock paces
// the steps: t advances by the speed times the time that passes, whether the
// frames come thousands or tens a second.
#include <gtest/gtest.h>

#include <X11/keysym.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "high_precision.h"
#include "recorded_frames.h"
#include "reference_attitude.h"
#include "running_program.h"

namespace {

const std::string kExplorer = SPINNING_BOX_EXPLORER_PATH;
const std::string kRecorder = GL_RECORDER_PATH;

using Vec = std::array<double, 3>;

// The flip of a 1 x 2 x 3 box, the explorer's first start.
const Vec kSides = {1, 2, 3};
const Vec kOmega = {0.1, 1, 0.1};
const Vec kMoments = {13, 10, 5};
const double kStep = 0.01;

double distance(const std::vector<double>& recorded, const std::array<double, 16>& m) {
    double worst = 0.0;
    for (size_t i = 0; i < 16; ++i) worst = std::fmax(worst, std::fabs(recorded[i] - m[i]));
    return worst;
}

// What one frame drew: the box's and the outline's matrices, the tips of the
// L and omega arrows, the centre of the inset's mark of L, the readout of t,
// and the clock at its swap.
struct Drawn {
    std::vector<double> box;
    std::vector<double> outline;
    std::vector<double> momentumTip;
    std::vector<double> omegaTip;
    std::vector<double> mark;
    std::vector<std::array<double, 2>> strip;  // the flip strip's (t, share)
    double t = NAN;
    double clock = NAN;
    bool slowed = false;
};

Drawn whatWasDrawn(const Frame& frame) {
    Drawn d;
    for (size_t i = 0; i < frame.size(); ++i) {
        const Call& c = frame[i];
        if (c.name == "glMultMatrixd" && i + 3 < frame.size() && frame[i + 1].name == "glScaled") {
            // The box: quads; the outline: lines.
            if (frame[i + 2].name == "glBegin" && frame[i + 2].args[0] == 7) {
                d.box = c.args;
            } else if (frame[i + 2].name == "glBegin" && frame[i + 2].args[0] == 1) {
                d.outline = c.args;
            }
        }
        if (c.name == "glColor3ub" && c.args == std::vector<double>{115, 26, 153} &&
            i + 3 < frame.size()) {
            d.momentumTip = frame[i + 3].args;
        }
        if (c.name == "glColor3ub" && c.args == std::vector<double>{230, 115, 0} &&
            i + 3 < frame.size()) {
            d.omegaTip = frame[i + 3].args;
        }
        // The flip strip's curve, in grey-blue, in (t, share).
        if (c.name == "glColor3ub" && c.args == std::vector<double>{127, 140, 141} &&
            i + 1 < frame.size() && frame[i + 1].name == "glBegin") {
            for (size_t v = i + 2; v < frame.size() && frame[v].name == "glVertex2d"; ++v) {
                d.strip.push_back({frame[v].args[0], frame[v].args[1]});
            }
        }
        // The mark: three black strokes about its centre.
        if (c.name == "glColor3ub" && c.args == std::vector<double>{0, 0, 0} &&
            i + 7 < frame.size() && frame[i + 1].name == "glBegin") {
            d.mark.assign(3, 0.0);
            for (size_t v = 0; v < 6; ++v) {
                for (size_t k = 0; k < 3; ++k) d.mark[k] += frame[i + 2 + v].args[k] / 6.0;
            }
        }
        if (c.name == "glutBitmapString" && c.text.rfind("t = ", 0) == 0) {
            d.t = std::strtod(c.text.c_str() + 4, nullptr);
        }
        if (c.name == "glutBitmapString" && c.text.find("slowed") != std::string::npos) {
            d.slowed = true;
        }
        if (c.name == "clock") d.clock = c.args[0];
    }
    return d;
}

class RecordedExplorer {
  public:
    explicit RecordedExplorer(const std::vector<std::string>& arguments,
                              const std::vector<std::string>& environment = {}) {
        char path[] = "/tmp/spinning-box-explorer-gl-XXXXXX";
        close(mkstemp(path));
        path_ = path;
        std::vector<std::string> env = {"LD_PRELOAD=" + recorderPreload(kRecorder),
                                        "GL_RECORD_OUT=" + path_, "GL_RECORD_CLOCK=1"};
        env.insert(env.end(), environment.begin(), environment.end());
        std::vector<std::string> argv = {kExplorer};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        program_ = std::make_unique<RunningProgram>(kExplorer, argv, env);
    }
    ~RecordedExplorer() { unlink(path_.c_str()); }
    RecordedExplorer(const RecordedExplorer&) = delete;
    RecordedExplorer& operator=(const RecordedExplorer&) = delete;

    RunningProgram& program() { return *program_; }
    long frames() const { return framesRecorded(path_); }
    // Waits until more than `count` frames have been drawn.
    bool waitBeyond(long count) const {
        for (int tries = 0; tries < 1000; ++tries) {
            if (frames() > count) return true;
            pause(10);
        }
        return false;
    }
    // Waits until no frame has come for 300 ms.
    void waitStill() const {
        long seen = frames();
        for (int tries = 0; tries < 100; ++tries) {
            pause(300);
            const long now = frames();
            if (now == seen) return;
            seen = now;
        }
    }
    // Stops the running start, goes back to t = 0 with "r" (once stopped,
    // no frame comes until a command asks for one, so the first frame after
    // "r" shows the start), then takes `clicks` single steps, each waiting
    // for its frame.
    void restartAndStep(int clicks) {
        program_->pressKey(XK_x);
        waitStill();
        const long stopped = frames();
        program_->pressKey(XK_r);
        ASSERT_TRUE(waitBeyond(stopped));
        for (int click = 0; click < clicks; ++click) {
            const long before = frames();
            program_->click(3);
            ASSERT_TRUE(waitBeyond(before)) << "click " << click;
        }
    }
    std::vector<Drawn> drawn() const {
        std::vector<Drawn> out;
        for (const Frame& f : readFrames(path_)) out.push_back(whatWasDrawn(f));
        return out;
    }

  private:
    std::string path_;
    std::unique_ptr<RunningProgram> program_;
};

TEST(ExplorerFrames, EveryFrameTurnsTheBoxAndTheOutlineByTheReferencesAndLStaysPut) {
    RecordedExplorer explorer({});
    RunningProgram& program = explorer.program();
    // Back to t = 0, then single steps, a short run, the outline off and
    // on again, and single steps once more.
    ASSERT_NO_FATAL_FAILURE(explorer.restartAndStep(40));
    program.pressKey(XK_z);
    pause(400);
    program.pressKey(XK_x);
    for (const unsigned long key : {XK_g, XK_g}) {
        program.pressKey(key);
        const long before = explorer.frames();
        program.click(3);
        ASSERT_TRUE(explorer.waitBeyond(before));
    }
    pause(200);
    program.pressKey(XK_q);
    EXPECT_EQ(program.waitForExit(), 0);

    const std::vector<Drawn> frames = explorer.drawn();
    ASSERT_GT(frames.size(), 44U);
    const int most = 20000;
    std::vector<Vec> omegas;
    const std::vector<Quat> integrated =
        integratedAttitudes(kMoments, kOmega, kStep, most, &omegas);

    // Which step each frame shows: the one whose integrated attitude its box
    // has. After "r", the steps count up from 0 and never back.
    std::vector<int> stepOf(frames.size(), -1);
    int last = -1;
    bool reset = false;
    int readouts = 0;
    for (size_t f = 0; f < frames.size(); ++f) {
        ASSERT_EQ(frames[f].box.size(), 16U) << "frame " << f << " drew no box";
        int best = -1;
        double bestDistance = 1e300;
        for (int n = 0; n <= most; ++n) {
            const double d = distance(frames[f].box, matrixOf(integrated[static_cast<size_t>(n)]));
            if (d < bestDistance) {
                bestDistance = d;
                best = n;
            }
        }
        ASSERT_LT(bestDistance, 1e-9) << "frame " << f << ": no step's attitude fits its box";
        // r goes back to the start, and its frame shows it.
        if (!reset && best < last) {
            reset = true;
            EXPECT_EQ(best, 0) << "frame " << f << ": r went back, but not to the start";
        } else {
            ASSERT_GE(best, last) << "frame " << f << ": the steps went back";
        }
        stepOf[f] = best;
        last = best;
        // The readouts, when the frame writes them anew, tell the same time.
        if (!std::isnan(frames[f].t)) {
            EXPECT_NEAR(frames[f].t, best * kStep, 0.006) << "frame " << f;
            ++readouts;
        }
    }
    EXPECT_GE(readouts, 20) << "too few readouts to tell the time";
    ASSERT_TRUE(reset) << "the steps never went back to 0 after r";
    EXPECT_GE(last, 40) << "the single steps and the run took too few steps";

    // The outline: the exact attitude at n h, from the 113-bit integration.
    std::vector<double> times;
    for (size_t f = 0; f < frames.size(); ++f) times.push_back(std::fmax(stepOf[f], 0) * kStep);
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    const std::vector<ReferenceState> exact =
        referenceMotion({{kSides[0], kSides[1], kSides[2]}, true}, kOmega, sorted);
    int outlines = 0;
    int hidden = 0;
    const std::vector<Drawn>& scenes = frames;
    for (size_t f = 0; f < frames.size(); ++f) {
        if (frames[f].outline.empty()) {
            ++hidden;
            continue;
        }
        ++outlines;
        const size_t at = static_cast<size_t>(
            std::lower_bound(sorted.begin(), sorted.end(), times[f]) - sorted.begin());
        const Quat q = {exact[at].attitude[0], exact[at].attitude[1], exact[at].attitude[2],
                        exact[at].attitude[3]};
        ASSERT_LT(distance(frames[f].outline, matrixOf(q)), 1e-9) << "frame " << f;
    }
    EXPECT_GT(outlines, 40);
    EXPECT_GE(hidden, 1) << "g never hid the outline";
    EXPECT_FALSE(scenes.back().outline.empty()) << "the second g did not bring it back";

    // L: fixed in the scene, along I omega(0). Omega: the step's omega
    // turned into the scene by the step's attitude. The inset's mark: L's
    // direction seen from the body, I omega / |I omega| of the step.
    const auto unit = [](const Vec& v) {
        const double n = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        return Vec{v[0] / n, v[1] / n, v[2] / n};
    };
    const auto along = [&](const std::vector<double>& drawn, const Vec& expected, double tolerance,
                           const char* what, size_t f) {
        ASSERT_EQ(drawn.size(), 3U) << "frame " << f << " drew no " << what;
        const Vec d = unit({drawn[0], drawn[1], drawn[2]});
        for (size_t i = 0; i < 3; ++i) {
            ASSERT_NEAR(d[i], expected[i], tolerance) << what << ", frame " << f;
        }
    };
    const Vec l = unit({kMoments[0] * kOmega[0], kMoments[1] * kOmega[1], kMoments[2] * kOmega[2]});
    int marks = 0;
    for (size_t f = 0; f < scenes.size(); ++f) {
        along(scenes[f].momentumTip, l, 1e-12, "L", f);
        const auto n = static_cast<size_t>(std::max(stepOf[f], 0));
        along(scenes[f].omegaTip, unit(rotated(integrated[n], omegas[n])), 1e-9, "omega", f);
        if (scenes[f].mark.empty()) continue;
        const Vec w = omegas[n];
        along(scenes[f].mark, unit({kMoments[0] * w[0], kMoments[1] * w[1], kMoments[2] * w[2]}),
              1e-9, "the inset's mark", f);
        ++marks;
    }
    EXPECT_GT(marks, 40);

    // The flip strip: every point is a step's time and its middle axis's
    // share of L, 10 omega_y / |L|, by the steps written out here; the
    // newest is at most two samples' spacing (0.05) behind the frame.
    const double momentum = std::sqrt(kMoments[0] * kMoments[0] * kOmega[0] * kOmega[0] +
                                      kMoments[1] * kMoments[1] * kOmega[1] * kOmega[1] +
                                      kMoments[2] * kMoments[2] * kOmega[2] * kOmega[2]);
    size_t points = 0;
    for (size_t f = 0; f < scenes.size(); ++f) {
        const auto& strip = scenes[f].strip;
        ASSERT_FALSE(strip.empty()) << "frame " << f << " drew no flip strip";
        for (const auto& p : strip) {
            const auto n = static_cast<size_t>(std::lround(p[0] / kStep));
            ASSERT_NEAR(p[0], static_cast<double>(n) * kStep, 1e-9) << "frame " << f;
            ASSERT_NEAR(p[1], kMoments[1] * omegas[n][1] / momentum, 1e-9) << "frame " << f;
        }
        EXPECT_GE(strip.back()[0], std::max(stepOf[f], 0) * kStep - 0.1) << "frame " << f;
        points += strip.size();
    }
    EXPECT_GT(points, scenes.size());
}

// At a coarse step (ten times the one chosen for this start) the
// integrated attitude parts from the exact one: the box follows the steps,
// the outline the 113-bit reference, and the two are far apart by the last
// frame, beyond the tolerance either is held to.
TEST(ExplorerFrames, AtACoarseStepTheOutlineKeepsToTheExactAttitudeWhileTheBoxParts) {
    const double h = 0.1;
    RecordedExplorer explorer({"--step", "0.1"});
    RunningProgram& program = explorer.program();
    ASSERT_NO_FATAL_FAILURE(explorer.restartAndStep(60));
    pause(200);
    program.pressKey(XK_q);
    EXPECT_EQ(program.waitForExit(), 0);

    const std::vector<Drawn> frames = explorer.drawn();
    const Drawn& last = frames.back();
    ASSERT_EQ(last.box.size(), 16U);
    ASSERT_EQ(last.outline.size(), 16U);
    const int steps = static_cast<int>(std::lround(last.t / h));
    ASSERT_EQ(steps, 60) << "t = " << last.t;
    const std::vector<Quat> integrated = integratedAttitudes(kMoments, kOmega, h, steps);
    EXPECT_LT(distance(last.box, matrixOf(integrated.back())), 1e-9);
    const ReferenceState exact =
        referenceMotion({{kSides[0], kSides[1], kSides[2]}, true}, kOmega, {steps * h})[0];
    const Quat q = {exact.attitude[0], exact.attitude[1], exact.attitude[2], exact.attitude[3]};
    EXPECT_LT(distance(last.outline, matrixOf(q)), 1e-9);
    std::array<double, 16> outline{};
    std::copy(last.outline.begin(), last.outline.end(), outline.begin());
    // A hundred times the tolerance either is held to.
    EXPECT_GT(distance(last.box, outline), 1e-7) << "the step is not coarse enough to tell";
}

// t against the clock over the readouts of a run, after its first half second.
double paceOf(const std::vector<Drawn>& frames, bool& slowed) {
    std::vector<Drawn> readouts;
    for (const Drawn& d : frames) {
        if (!std::isnan(d.t) && d.clock >= frames[0].clock + 0.5) readouts.push_back(d);
    }
    slowed = false;
    if (readouts.size() < 2) return NAN;
    for (const Drawn& d : readouts) slowed = slowed || d.slowed;
    return (readouts.back().t - readouts.front().t) /
           (readouts.back().clock - readouts.front().clock);
}

TEST(ExplorerPacing, TimeAdvancesWithTheClockAtVeryDifferentFrameRates) {
    struct Run {
        const char* what;
        std::string speed;
        std::string swapDelayMs;  // "" for none
        double expected;          // time units a second
        bool slowed;
    };
    // With every swap held back 40 ms, the explorer draws fewer than 25
    // frames a second; at speed 1024 a frame then owes thousands of steps,
    // takes the most it may, 2000, and the motion slows to 2000 h times the
    // frames a second.
    const Run runs[] = {
        {"speed 1, as fast as it draws", "1", "", 1.0, false},
        {"speed 1, a few frames a second", "1", "40", 1.0, false},
        {"speed 8, as fast as it draws", "8", "", 8.0, false},
        {"speed 8, a few frames a second", "8", "40", 8.0, false},
        {"speed 1024, a few frames a second: slowed", "1024", "40", 0.0, true},
    };
    for (const Run& run : runs) {
        SCOPED_TRACE(run.what);
        std::vector<std::string> environment;
        if (!std::string(run.swapDelayMs).empty()) {
            environment.push_back("GL_RECORD_SWAP_DELAY_MS=" + run.swapDelayMs);
        }
        RecordedExplorer explorer({"--speed", run.speed}, environment);
        pause(3000);
        explorer.program().pressKey(XK_q);
        EXPECT_EQ(explorer.program().waitForExit(), 0);
        const std::vector<Drawn> frames = explorer.drawn();
        ASSERT_GT(frames.size(), 30U);
        const double seconds = frames.back().clock - frames.front().clock;
        const double perSecond = static_cast<double>(frames.size()) / seconds;
        bool slowed = false;
        const double pace = paceOf(frames, slowed);
        std::printf("%s: %.0f frames a second, t advanced %.3f a second\n", run.what, perSecond,
                    pace);
        const double expected = run.slowed ? 2000 * 0.01 * perSecond : run.expected;
        EXPECT_NEAR(pace, expected, 0.1 * expected);
        EXPECT_EQ(slowed, run.slowed);
        if (!std::string(run.swapDelayMs).empty()) {
            EXPECT_LT(perSecond, 25.0);
        } else {
            EXPECT_GT(perSecond, 100.0);
        }
    }
}

}  // namespace
