// The explorer against input a careless user or a window system may send:
// every key byte, through its own handler in this process; a window of
// height 0 and sizes down to 1 x 1; and, to the real program through the X
// server, storms of keys, buttons, drags and wheel turns while it runs, and
// resizes from 1 x 1 to 4096 wide. Afterwards it still runs, still quits on
// "q" with status 0, and has printed nothing.
#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "explorer.h"
#include "reference_attitude.h"
#include "running_program.h"

namespace {

const std::string kExplorer = SPINNING_BOX_EXPLORER_PATH;

// The explorer opened in this process, as its main opens it, then stopped.
class ExplorerInProcess : public ::testing::Test {
  protected:
    void SetUp() override {
        static char name[] = "spinning-box-explorer-test";
        static char* argv[] = {name, nullptr};
        int argc = 1;
        applyPreset(1);
        explorer.speed = 1.0;
        explorer.ghost = true;
        explorer.yaw = 31.0;
        explorer.pitch = 34.4;
        openExplorerWindow(&argc, argv);
        resetMotion();
        onExplorerKey('x', 0, 0);
        loop(50);
    }
    // Loop iterations, as the toolkit's own loop runs them.
    static void loop(int iterations) {
        for (int i = 0; i < iterations; ++i) {
            glutMainLoopEvent();
            if (explorer.running) onExplorerIdle();
        }
    }
    static bool finite(const Quaternion& q) {
        return std::isfinite(q.w) && std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z);
    }
};

TEST_F(ExplorerInProcess, EveryKeyByteDoesWhatItsCommandSaysAndNothingElseChangesAnything) {
    for (int key = 0; key < 256; ++key) {
        if (key == 27 || key == 'q' || key == 'Q') continue;
        SCOPED_TRACE(testing::Message() << "key " << key);
        onExplorerKey('x', 0, 0);
        loop(2);
        const Explorer before = explorer;
        onExplorerKey(static_cast<unsigned char>(key), 0, 0);
        loop(3);
        const Explorer& after = explorer;
        ASSERT_TRUE(finite(after.state.q));
        if (key == 'z') {
            EXPECT_TRUE(after.running);
        } else if (key == 'x') {
            EXPECT_FALSE(after.running);
        } else if (key == '+') {
            EXPECT_EQ(after.speed, std::fmin(2 * before.speed, 1024.0));
        } else if (key == '-') {
            EXPECT_EQ(after.speed, std::fmax(before.speed / 2, 1.0 / 1024.0));
        } else if (key == 'g') {
            EXPECT_NE(after.ghost, before.ghost);
        } else if (key == 'p') {
            EXPECT_NE(after.construction, before.construction);
        } else if (key == 'b') {
            EXPECT_NE(after.bigInset, before.bigInset);
        } else if (key == 'r') {
            EXPECT_EQ(after.steps, 0);
        } else if (key >= '1' && key <= '6') {
            EXPECT_EQ(after.steps, 0);
            EXPECT_STRNE(after.name, "");
        } else if (key == 'i') {
            EXPECT_NE(after.integrator, before.integrator);
            EXPECT_EQ(after.steps, 0);
        } else {
            EXPECT_EQ(after.integrator, before.integrator);
            EXPECT_EQ(after.running, before.running);
            EXPECT_EQ(after.speed, before.speed);
            EXPECT_EQ(after.ghost, before.ghost);
            EXPECT_EQ(after.construction, before.construction);
            EXPECT_EQ(after.bigInset, before.bigInset);
            EXPECT_EQ(after.steps, before.steps);
            EXPECT_EQ(after.name, before.name);
        }
    }
    // Each preset, then, is one of six boxes; speed has stayed in its range.
    EXPECT_GE(explorer.speed, 1.0 / 1024.0);
    EXPECT_LE(explorer.speed, 1024.0);
}

// Each preset key, pressed after steps were taken, starts its own body and
// spin from step 0, no two alike; r goes back to the start of the motion
// shown, not to the first preset's.
TEST_F(ExplorerInProcess, EachPresetAndRStartTheirOwnMotionFromStepZero) {
    std::vector<std::array<double, 6>> starts;
    for (char key = '1'; key <= '6'; ++key) {
        SCOPED_TRACE(testing::Message() << "key " << key);
        for (int i = 0; i < 7; ++i) stepMotion();
        ASSERT_GT(explorer.steps, 0);
        onExplorerKey(static_cast<unsigned char>(key), 0, 0);
        loop(2);
        EXPECT_EQ(explorer.steps, 0);
        const SpinOptions& s = explorer.start;
        const std::array<double, 6> start = {s.sides[0], s.sides[1], s.sides[2],
                                             s.omega[0], s.omega[1], s.omega[2]};
        for (const auto& other : starts) EXPECT_NE(start, other) << "two presets alike";
        starts.push_back(start);
        for (int i = 0; i < 7; ++i) stepMotion();
        onExplorerKey('r', 0, 0);
        loop(2);
        EXPECT_EQ(explorer.steps, 0);
        const std::array<double, 6> again = {s.sides[0], s.sides[1], s.sides[2],
                                             s.omega[0], s.omega[1], s.omega[2]};
        EXPECT_EQ(again, start) << "r keeps the motion shown";
        EXPECT_EQ(explorer.state.omega[0], start[3]);
    }
}

// Running again after a stop starts the clock afresh: the first frame
// takes the steps of its own time, not those of the two seconds stopped.
TEST_F(ExplorerInProcess, RunningAgainAfterAPauseTakesNoStepsForThePause) {
    onExplorerKey('2', 0, 0);
    onExplorerKey('z', 0, 0);
    loop(5);
    onExplorerKey('x', 0, 0);
    loop(5);
    const long before = explorer.steps;
    const double h = explorer.start.step;
    const double pause = 2.0;
    usleep(static_cast<useconds_t>(pause * 1e6));
    const double from = clockSeconds();
    onExplorerKey('z', 0, 0);
    loop(1);
    const double frame = clockSeconds() - from;
    const long taken = explorer.steps - before;
    EXPECT_LE(taken, std::lround(frame * explorer.speed / h) + 1)
        << "the pause of " << pause << " s asks " << std::lround(pause * explorer.speed / h);
    ASSERT_LT(frame, pause) << "too slow a frame to tell";
}

// The wheel: up comes nearer, down goes farther, each within its limits;
// a drag never turns the camera over the pole.
TEST_F(ExplorerInProcess, TheWheelAndTheDragMoveTheCameraTheirOwnWayWithinLimits) {
    const double start = explorer.distance;
    onExplorerMouse(3, GLUT_DOWN, 10, 10);
    EXPECT_LT(explorer.distance, start);
    onExplorerMouse(4, GLUT_DOWN, 10, 10);
    onExplorerMouse(4, GLUT_DOWN, 10, 10);
    EXPECT_GT(explorer.distance, start);
    for (int i = 0; i < 200; ++i) onExplorerMouse(3, GLUT_DOWN, 10, 10);
    const double nearest = explorer.distance;
    for (int i = 0; i < 400; ++i) onExplorerMouse(4, GLUT_DOWN, 10, 10);
    EXPECT_GT(explorer.distance / nearest, 25.0) << "a wide range";
    // Nearest: still outside the box (half its diagonal from the centre).
    EXPECT_GT(nearest, 0.5 * explorer.size);
    onExplorerMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 100);
    onExplorerDrag(100, 100000);
    EXPECT_LE(explorer.pitch, 89.0);
    onExplorerDrag(100, -100000);
    EXPECT_GE(explorer.pitch, -89.0);
    onExplorerMouse(GLUT_LEFT_BUTTON, GLUT_UP, 100, -100000);
}

// The trail is the tip of the middle-moment axis (the 1 x 2 x 3 box's y, of
// moment 10 between 13 and 5), turned by the attitude of its step: checked
// with the rotation written out in the tests' support, through the ring's wrap, whose start
// must move on once it is full.
TEST_F(ExplorerInProcess, TheTrailIsTheMiddleAxissTipThroughTheRing) {
    onExplorerKey('2', 0, 0);
    loop(2);
    const double tip[3] = {0.0, 0.5 * explorer.start.sides[1], 0.0};
    ASSERT_EQ(explorer.trailCount, 1);
    EXPECT_EQ(explorer.trail[0][1], tip[1]);
    int checked = 0;
    while (explorer.trailStart < 5 && explorer.steps < 200000) {
        const int before = explorer.trailStart + explorer.trailCount;
        stepMotion();
        if (explorer.trailStart + explorer.trailCount == before) continue;
        const Quaternion& q = explorer.state.q;
        const std::array<double, 3> turned =
            rotated({q.w, q.x, q.y, q.z}, {tip[0], tip[1], tip[2]});
        const double* newest =
            explorer.trail[(explorer.trailStart + explorer.trailCount - 1) % kTrailPoints];
        for (size_t i = 0; i < 3; ++i) EXPECT_NEAR(newest[i], turned[i], 1e-12);
        ++checked;
    }
    EXPECT_EQ(explorer.trailCount, kTrailPoints);
    EXPECT_GT(checked, kTrailPoints);
}

// "i" goes through every integrator once and back to the window's RK4, each
// stepping the box from the start; one that blows up keeps its last finite
// state, stops stepping and says so.
TEST_F(ExplorerInProcess, TheIntegratorKeyGoesThroughEveryMethodAndABlowUpIsKeptFinite) {
    int count = 0;
    const Integrator* all = integrators(&count);
    ASSERT_STREQ(explorer.integrator->name, "rk4");
    for (int k = 1; k <= count; ++k) {
        onExplorerKey('i', 0, 0);
        EXPECT_EQ(explorer.integrator, &all[k % count]);
        EXPECT_EQ(explorer.steps, 0);
        for (int n = 0; n < 50; ++n) stepMotion();
        EXPECT_EQ(explorer.steps, 50) << explorer.integrator->name;
        EXPECT_NE(readoutText().find(std::string("integrator: ") + explorer.integrator->name),
                  std::string::npos);
    }
    ASSERT_STREQ(explorer.integrator->name, "rk4");

    // Explicit Euler's |omega| grows by a factor of about 1 + (h |omega|)^2 a step.
    explorer.start.omega[0] = 0.5;
    explorer.start.omega[1] = 20.0;
    explorer.start.omega[2] = 0.5;
    explorer.integrator = findIntegrator("euler");
    resetMotion();
    for (int n = 0; n < 20000 && !explorer.lost; ++n) stepMotion();
    ASSERT_TRUE(explorer.lost);
    const long steps = explorer.steps;
    stepMotion();
    EXPECT_EQ(explorer.steps, steps);
    EXPECT_TRUE(finite(explorer.state.q));
    for (const double w : explorer.state.omega) EXPECT_TRUE(std::isfinite(w));
    EXPECT_NE(readoutText().find("blew up"), std::string::npos);
    onExplorerKey('r', 0, 0);
    EXPECT_FALSE(explorer.lost);
    explorer.integrator = nullptr;
}

TEST_F(ExplorerInProcess, AZeroHeightAndTinyWindowsDrawWithoutFaultAndTheStepsGoOn) {
    struct Size {
        int width;
        int height;
    };
    for (const Size size : {Size{640, 0}, Size{0, 480}, Size{0, 0}, Size{1, 1}, Size{2, 5000}}) {
        SCOPED_TRACE(testing::Message() << size.width << " x " << size.height);
        const long before = explorer.steps;
        reshapeExplorer(size.width, size.height);
        onExplorerMouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 0, 0);
        displayExplorer();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        EXPECT_EQ(explorer.steps, before + 1);
        EXPECT_TRUE(finite(explorer.state.q));
    }
    // Through the toolkit, down to 1 x 1 and back.
    for (const int side : {1, 3, 640}) {
        glutReshapeWindow(side, side);
        loop(20);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

// The real program, running, under storms of X events and resizes.
TEST(ExplorerUnderStorms, KeepsRunningAndStillQuitsCleanly) {
    RunningProgram program(kExplorer, {kExplorer});
    Display* display = program.display();
    const Window window = program.window();
    std::mt19937 random(20261210);
    // Keys that are commands and keys that are not, with and without Shift
    // ("1" to "6" switch presets, "+" and "-" the speed), but never a quit key.
    const KeySym keys[] = {XK_a,    XK_b,     XK_z,     XK_x,     XK_g,      XK_r,
                           XK_1,    XK_2,     XK_5,     XK_6,     XK_7,      XK_0,
                           XK_plus, XK_minus, XK_equal, XK_space, XK_Return, XK_Tab,
                           XK_F1,   XK_Left,  XK_Up,    XK_Home,  XK_Delete, XK_comma};
    const KeyCode shift = XKeysymToKeycode(display, XK_Shift_L);
    program.pressKey(XK_z);
    for (int round = 0; round < 2000; ++round) {
        const unsigned pick = random() % 10;
        if (pick < 4) {
            const KeyCode code =
                XKeysymToKeycode(display, keys[random() % (sizeof keys / sizeof keys[0])]);
            const bool shifted = random() % 3 == 0;
            if (shifted) XTestFakeKeyEvent(display, shift, True, CurrentTime);
            XTestFakeKeyEvent(display, code, True, CurrentTime);
            XTestFakeKeyEvent(display, code, False, CurrentTime);
            if (shifted) XTestFakeKeyEvent(display, shift, False, CurrentTime);
        } else if (pick < 7) {
            // Buttons: left (a drag when the pointer moves), middle, right,
            // the wheel both ways, side buttons.
            const unsigned button = 1 + random() % 7;
            XTestFakeButtonEvent(display, button, True, CurrentTime);
            XTestFakeMotionEvent(display, -1, static_cast<int>(random() % 900),
                                 static_cast<int>(random() % 640), CurrentTime);
            XTestFakeButtonEvent(display, button, False, CurrentTime);
        } else if (pick < 9) {
            XTestFakeMotionEvent(display, -1, static_cast<int>(random() % 1200),
                                 static_cast<int>(random() % 1000), CurrentTime);
        } else {
            const unsigned width = round % 50 == 9 ? 1 : 1 + random() % 1500;
            const unsigned height = round % 50 == 19 ? 1 : 1 + random() % 1000;
            XResizeWindow(display, window, round % 100 == 29 ? 4096 : width, height);
        }
        if (round % 100 == 0) XSync(display, False);
    }
    XResizeWindow(display, window, 900, 640);
    XSync(display, False);
    pause(1000);
    ASSERT_TRUE(program.running()) << program.output();
    program.pressKey(XK_z);
    const WindowImage before = program.picture();
    EXPECT_TRUE(program.waitForChange(before)) << "it no longer draws";
    program.pressKey(XK_q);
    EXPECT_EQ(program.waitForExit(), 0);
    EXPECT_EQ(program.output(), "");
}

}  // namespace
