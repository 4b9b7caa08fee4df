// The real program driven by real input events through the X server. The
// program prints nothing, so motion is seen in its window: a running
// animation keeps changing the picture, a stopped one leaves it identical.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <functional>
#include <string>

#include "running_program.h"

namespace {

const std::string kProgram = SPINNING_BOX_PATH;

constexpr unsigned kLeft = 1;
constexpr unsigned kMiddle = 2;
constexpr unsigned kRight = 3;
constexpr unsigned kWheelUp = 4;
constexpr unsigned kWheelDown = 5;

class RealInput : public ::testing::Test {
  protected:
    RealInput() : program(kProgram, {kProgram}) {}

    void TearDown() override {
        if (program.running()) {
            program.pressKey(XK_q);
            EXPECT_EQ(program.waitForExit(), 0);
        }
        EXPECT_EQ(program.output(), "");
    }

    // Two further new pictures in a row: the animation runs.
    void expectRunning() {
        WindowImage last = program.picture();
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(program.waitForChange(last)) << "the picture stopped changing";
            last = program.picture();
        }
    }

    // The picture settles and a second later is still the same.
    void expectStopped() {
        const WindowImage still = program.waitForStill();
        pause(1000);
        EXPECT_EQ(program.picture(), still) << "the picture changed after stopping";
    }

    RunningProgram program;
};

TEST_F(RealInput, HeldLeftButtonRunsAndReleaseStops) {
    program.button(kLeft, true);
    expectRunning();
    program.button(kLeft, false);
    expectStopped();
}

TEST_F(RealInput, ZRunsAndXStops) {
    program.pressKey(XK_z);
    expectRunning();
    program.pressKey(XK_x);
    expectStopped();
}

TEST_F(RealInput, ReleaseStopsWhatZStartedAndXStopsWhatTheButtonStarted) {
    program.pressKey(XK_z);
    expectRunning();
    program.button(kLeft, true);
    program.button(kLeft, false);
    expectStopped();

    program.button(kLeft, true);
    expectRunning();
    program.pressKey(XK_x);
    expectStopped();
    program.button(kLeft, false);
}

TEST_F(RealInput, EachRightClickDrawsOneNewPictureAndThenNothingMore) {
    WindowImage last = program.waitForStill();
    for (int click = 1; click <= 3; ++click) {
        program.click(kRight);
        ASSERT_TRUE(program.waitForChange(last)) << "click " << click << " drew nothing";
        last = program.waitForStill(300);
    }
    pause(1000);
    EXPECT_EQ(program.picture(), last);
}

TEST_F(RealInput, OtherKeysAndButtonsDoNothing) {
    struct Input {
        std::string name;
        std::function<void(RunningProgram&)> send;
    };
    const Input inputs[] = {
        {"Z", [](RunningProgram& p) { p.pressKey(XK_z, true); }},
        {"X", [](RunningProgram& p) { p.pressKey(XK_x, true); }},
        {"a", [](RunningProgram& p) { p.pressKey(XK_a); }},
        {"space", [](RunningProgram& p) { p.pressKey(XK_space); }},
        {"F1", [](RunningProgram& p) { p.pressKey(XK_F1); }},
        {"Left arrow", [](RunningProgram& p) { p.pressKey(XK_Left); }},
        {"middle click", [](RunningProgram& p) { p.click(kMiddle); }},
        {"wheel up", [](RunningProgram& p) { p.click(kWheelUp); }},
        {"wheel down", [](RunningProgram& p) { p.click(kWheelDown); }},
    };
    const WindowImage still = program.waitForStill();
    for (const Input& input : inputs) {
        input.send(program);
    }
    pause(1000);
    EXPECT_EQ(program.picture(), still);
    EXPECT_TRUE(program.running());

    // Nor do they stop a running animation.
    program.pressKey(XK_z);
    for (const Input& input : inputs) {
        input.send(program);
    }
    expectRunning();
}

TEST(RealQuit, EscapeQAndShiftQEndTheProcessWithStatusZeroEvenWhileRunning) {
    struct Quit {
        std::string name;
        unsigned long keysym;
        bool shift;
    };
    for (const Quit& quit :
         {Quit{"Escape", XK_Escape, false}, Quit{"q", XK_q, false}, Quit{"Q", XK_q, true}}) {
        SCOPED_TRACE(quit.name);
        RunningProgram program(kProgram, {kProgram});
        program.pressKey(XK_z);
        ASSERT_TRUE(program.waitForChange(program.picture()));
        program.pressKey(quit.keysym, quit.shift);
        EXPECT_EQ(program.waitForExit(), 0);
        EXPECT_EQ(program.output(), "");
    }
}

TEST(RealQuit, CloseRequestFromTheWindowSystemEndsTheProcess) {
    RunningProgram program(kProgram, {kProgram});
    program.requestClose();
    EXPECT_EQ(program.waitForExit(), 0);
    EXPECT_EQ(program.output(), "");
}

}  // namespace
