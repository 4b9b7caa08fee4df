// The real program as a user starts it: its window, its title, the toolkit's
// own options, its first picture, and its silence.
// gtest goes first: the X11 headers define macros that clash with it.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <string>
#include <vector>

#include "box_picture.h"
#include "running_program.h"
#include "spin_state.h"

namespace {

const std::string kProgram = SPINNING_BOX_PATH;

TEST(Program, OpensItsTitledWindowTakesToolkitOptionsAndDrawsTheFirstStepUnasked) {
    struct Start {
        std::vector<std::string> arguments;
        int width;
        int height;
    };
    const Start starts[] = {
        {{kProgram}, 300, 300},  // the toolkit's default size
        {{kProgram, "-geometry", "320x240"}, 320, 240},
        {{"a spinning box", "-geometry", "320x240", "-direct"}, 320, 240},
    };
    // The first picture is the box after one step of the model.
    advanceRotation();
    for (const Start& start : starts) {
        SCOPED_TRACE(testing::Message() << "argv[0] \"" << start.arguments[0] << "\" with "
                                        << start.arguments.size() - 1 << " toolkit options");
        RunningProgram program(kProgram, start.arguments);
        char* name = nullptr;
        ASSERT_NE(XFetchName(program.display(), program.window(), &name), 0);
        EXPECT_EQ(std::string(name), start.arguments[0]);
        XFree(name);

        const WindowImage first = program.picture();
        EXPECT_EQ(first.width, start.width);
        EXPECT_EQ(first.height, start.height);
        const BoxPictureReport report =
            compareWithBox(first, spinState.omega, spinState.turnAngleDegrees, spinState.sides);
        EXPECT_EQ(report.insideWhite + report.outsideNotWhite + report.axisSamplesMissing, 0)
            << report.summary();

        // Left alone, it draws nothing more.
        EXPECT_EQ(program.waitForStill(), first);

        program.pressKey(XK_q);
        EXPECT_EQ(program.waitForExit(), 0);
        EXPECT_EQ(program.output(), "");
    }
}

TEST(Program, RunsAndQuitsWhenStartedWithAnEmptyArgumentVector) {
    RunningProgram program(kProgram, {});
    program.pressKey(XK_Escape);
    EXPECT_EQ(program.waitForExit(), 0);
    EXPECT_EQ(program.output(), "");
}

}  // namespace
