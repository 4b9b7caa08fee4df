// The input handlers on the real toolkit: what every button and key does to
// the animation, seen as steps of the model while the loop runs.
// gtest goes first: the X11 headers define macros that clash with it.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "app.h"
#include "glut_harness.h"

namespace {

enum class Motion { Stopped, Running };

const char* describe(Motion m) { return m == Motion::Stopped ? "stopped" : "running"; }

class Handlers : public ::testing::Test {
  protected:
    void SetUp() override { startProgramWindow(); }

    // Lets any frame already asked for be drawn, then watches ten loop
    // iterations: a running animation takes one step in each, a stopped one none.
    static Motion motion() {
        runLoop(2);
        const long before = stepsTaken();
        runLoop(10);
        const long taken = stepsTaken() - before;
        EXPECT_TRUE(taken == 0 || taken == 10) << taken << " steps in ten iterations";
        return taken == 0 ? Motion::Stopped : Motion::Running;
    }

    static void enter(Motion m) {
        onKeyboard(m == Motion::Running ? 'z' : 'x', 0, 0);
        ASSERT_EQ(motion(), m);
    }
};

// One command, with what it leads to from each state, and the steps it takes
// by itself when the animation is stopped and stays so.
struct Command {
    std::string name;
    std::function<void()> give;
    Motion fromStopped;
    Motion fromRunning;
    long ownSteps;
};

void mouse(int button, int state) { onMouse(button, state, 10, 10); }

TEST_F(Handlers, EveryButtonAndStateFollowsTheTransitionTable) {
    const Motion S = Motion::Stopped;
    const Motion R = Motion::Running;
    std::vector<Command> commands = {
        {"left press", [] { mouse(GLUT_LEFT_BUTTON, GLUT_DOWN); }, R, R, 0},
        {"left release", [] { mouse(GLUT_LEFT_BUTTON, GLUT_UP); }, S, S, 0},
        {"right press", [] { mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN); }, S, R, 1},
        {"right release", [] { mouse(GLUT_RIGHT_BUTTON, GLUT_UP); }, S, R, 0},
        {"z", [] { onKeyboard('z', 0, 0); }, R, R, 0},
        {"x", [] { onKeyboard('x', 0, 0); }, S, S, 0},
    };
    // The middle button and the wheel (buttons 3 and 4) do nothing.
    for (int button : {GLUT_MIDDLE_BUTTON, 3, 4, 7}) {
        for (int state : {GLUT_DOWN, GLUT_UP}) {
            commands.push_back(
                {"button " + std::to_string(button) + " state " + std::to_string(state),
                 [=] { mouse(button, state); }, S, R, 0});
        }
    }
    for (const Command& c : commands) {
        for (const Motion from : {S, R}) {
            SCOPED_TRACE(c.name + " while " + describe(from));
            enter(from);
            runLoop(2);
            const long before = stepsTaken();
            c.give();
            if (from == S && c.fromStopped == S) {
                runLoop(3);
                EXPECT_EQ(stepsTaken() - before, c.ownSteps);
            }
            EXPECT_EQ(motion(), from == S ? c.fromStopped : c.fromRunning);
        }
    }
}

TEST_F(Handlers, RightPressesStepOneFrameEach) {
    for (int press = 1; press <= 5; ++press) {
        const long before = stepsTaken();
        mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN);
        mouse(GLUT_RIGHT_BUTTON, GLUT_UP);
        EXPECT_TRUE(runLoopUntil([&] { return stepsTaken() > before; })) << "press " << press;
        settle();
        EXPECT_EQ(stepsTaken(), before + 1) << "press " << press;
    }
}

TEST_F(Handlers, ReleaseStopsWhatZStartedAndXStopsWhatTheButtonStarted) {
    onKeyboard('z', 0, 0);
    EXPECT_EQ(motion(), Motion::Running);
    mouse(GLUT_LEFT_BUTTON, GLUT_UP);
    EXPECT_EQ(motion(), Motion::Stopped);
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN);
    EXPECT_EQ(motion(), Motion::Running);
    onKeyboard('x', 0, 0);
    EXPECT_EQ(motion(), Motion::Stopped);
}

TEST_F(Handlers, EveryOtherKeyByteChangesNothing) {
    for (int key = 0; key < 256; ++key) {
        if (key == 27 || key == 'q' || key == 'Q' || key == 'z' || key == 'x') continue;
        for (const Motion from : {Motion::Stopped, Motion::Running}) {
            SCOPED_TRACE(testing::Message() << "key " << key << " while " << describe(from));
            enter(from);
            runLoop(2);
            const long before = stepsTaken();
            onKeyboard(static_cast<unsigned char>(key), 0, 0);
            if (from == Motion::Stopped) {
                runLoop(3);
                ASSERT_EQ(stepsTaken(), before);
            }
            ASSERT_EQ(motion(), from);
        }
    }
}

// The steps taken when the quit key was given, and what the process's normal
// exit routine reports: how many steps came after the key.
long stepsAtQuitKey = 0;
void reportAtExit() {
    std::fprintf(stderr, "exit routine ran, %ld steps after the quit key\n",
                 stepsTaken() - stepsAtQuitKey);
}

TEST_F(Handlers, EscapeAndBothQsQuitAtOnceWithStatusZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const unsigned char quitKeys[] = {27, 'q', 'Q'};
    for (const unsigned char key : quitKeys) {
        SCOPED_TRACE(testing::Message() << "key " << static_cast<int>(key));
        // Quitting in the middle of a running animation: the exit handlers
        // run, and not one further frame is drawn.
        EXPECT_EXIT(
            {
                onKeyboard('z', 0, 0);
                const long start = stepsTaken();
                if (!runLoopUntil([&] { return stepsTaken() >= start + 3; })) std::abort();
                std::atexit(reportAtExit);
                stepsAtQuitKey = stepsTaken();
                onKeyboard(key, 0, 0);
                runLoop(4);
            },
            ::testing::ExitedWithCode(0), "exit routine ran, 0 steps after the quit key");
    }
}

}  // namespace
