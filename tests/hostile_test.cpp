// Input as a careless user or a window system may produce it, sent as real X
// events to the program's window running in this process: odd and rapid
// resizes, storms of keys and buttons that are not commands, and a thousand
// single steps.
#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <random>
#include <vector>

#include "box_picture.h"
#include "glut_harness.h"

namespace {

class HostileInput : public ::testing::Test {
  protected:
    void SetUp() override {
        startProgramWindow();
        // Fully on the screen: the toolkit's default place, -1, -1, leaves a
        // 1 x 1 window wholly off it, and the toolkit draws no hidden window.
        glutPositionWindow(10, 10);
        settle();
        display = glXGetCurrentDisplay();
        window = glXGetCurrentDrawable();
    }

    // Pointer inside the window and keyboard focus on it, as a user would have.
    void pointAtWindow() {
        int x = 0;
        int y = 0;
        Window child = 0;
        XTranslateCoordinates(display, window, DefaultRootWindow(display), 5, 5, &x, &y, &child);
        XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
        settle();
    }

    Display* display = nullptr;
    GLXDrawable window = 0;
};

TEST_F(HostileInput, OddAndRapidResizesEachGiveTheRightProjectionAndOneFrame) {
    struct Size {
        int width;
        int height;
    };
    std::vector<Size> sizes = {{1, 1}, {4096, 64}, {64, 4096}};
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> side(1, 2000);
    for (int i = 0; i < 100; ++i) sizes.push_back({side(random), side(random)});

    for (const Size& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width << " x " << size.height);
        const long before = stepsTaken();
        const long framesBefore = framesDrawn();
        glutReshapeWindow(size.width, size.height);
        GLint viewport[4] = {};
        ASSERT_TRUE(runLoopUntil([&] {
            glGetIntegerv(GL_VIEWPORT, viewport);
            return viewport[2] == size.width && viewport[3] == size.height && stepsTaken() > before;
        })) << "viewport "
            << viewport[2] << " x " << viewport[3] << ", steps " << stepsTaken() - before;
        settle();
        // The resize and the exposure it brings may reach the toolkit in one
        // batch of events or in two, so one or two frames; each takes one step.
        const long frames = framesDrawn() - framesBefore;
        EXPECT_GE(frames, 1);
        EXPECT_LE(frames, 2);
        EXPECT_EQ(stepsTaken() - before, frames);
        EXPECT_EQ(viewport[0], 0);
        EXPECT_EQ(viewport[1], 0);
        double projection[16];
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        const Mat4 expected =
            perspectiveMatrix(30.0, static_cast<double>(size.width) / size.height, 1.0, 100.0);
        for (int i = 0; i < 16; ++i) {
            ASSERT_NEAR(projection[i], expected[static_cast<size_t>(i)],
                        1e-6 * (1.0 + std::abs(expected[static_cast<size_t>(i)])));
        }
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

TEST_F(HostileInput, AStormOfOtherKeysAndButtonsTakesNoStep) {
    // Keys that are not commands with or without Shift ("Z", "X" included),
    // and buttons other than left and right: middle, wheel, side scroll.
    std::vector<KeySym> keys = {XK_a,      XK_b,     XK_c,     XK_m,      XK_w,   XK_y,
                                XK_1,      XK_0,     XK_space, XK_Return, XK_Tab, XK_BackSpace,
                                XK_Delete, XK_comma, XK_slash, XK_F1,     XK_F12, XK_Left,
                                XK_Up,     XK_Home,  XK_z,     XK_x};
    const KeyCode shift = XKeysymToKeycode(display, XK_Shift_L);
    const unsigned buttons[] = {2, 4, 5, 6, 7};
    pointAtWindow();
    const long before = stepsTaken();
    std::mt19937 random(42);
    for (int i = 0; i < 1000; ++i) {
        if (random() % 3 == 0) {
            const unsigned button = buttons[random() % 5];
            XTestFakeButtonEvent(display, button, True, CurrentTime);
            XTestFakeButtonEvent(display, button, False, CurrentTime);
            continue;
        }
        const KeySym key = keys[random() % keys.size()];
        // Lower-case "z" and "x" are commands; only their capitals belong here.
        const bool shifted = key == XK_z || key == XK_x || random() % 2 == 0;
        const KeyCode code = XKeysymToKeycode(display, key);
        if (shifted) XTestFakeKeyEvent(display, shift, True, CurrentTime);
        XTestFakeKeyEvent(display, code, True, CurrentTime);
        XTestFakeKeyEvent(display, code, False, CurrentTime);
        if (shifted) XTestFakeKeyEvent(display, shift, False, CurrentTime);
        if (i % 50 == 0) runLoop(1);
    }
    settle();
    EXPECT_EQ(stepsTaken(), before);
}

TEST_F(HostileInput, AThousandRightPressesTakeAThousandSteps) {
    // One press at a time: the toolkit folds redraws asked for within one
    // batch of events into one frame, so each press is sent once the last
    // one has been drawn, as a person clicking would.
    pointAtWindow();
    const long before = stepsTaken();
    for (int press = 1; press <= 1000; ++press) {
        XTestFakeButtonEvent(display, 3, True, CurrentTime);
        XTestFakeButtonEvent(display, 3, False, CurrentTime);
        XSync(display, False);
        ASSERT_TRUE(runLoopUntil([&] { return stepsTaken() == before + press; }))
            << "press " << press << " drew no frame";
    }
    settle();
    EXPECT_EQ(stepsTaken(), before + 1000);
}

}  // namespace
