// The program's window, render state and frames, in this process, on real
// freeglut, Mesa and GLU on a real display.
// gtest goes first: the X11 headers define macros that clash with it.
#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>

#include <cmath>

#include "app.h"
#include "box_picture.h"
#include "frame.h"
#include "glut_harness.h"
#include "spin_state.h"

namespace {

class ProgramWindow : public ::testing::Test {
  protected:
    void SetUp() override { startProgramWindow(); }

    static void expectMatrix(GLenum which, const Mat4& expected, double tolerance) {
        double actual[16];
        glGetDoublev(which, actual);
        for (int i = 0; i < 16; ++i)
            EXPECT_NEAR(actual[i], expected[static_cast<size_t>(i)], tolerance) << "element " << i;
    }

    static void expectFloats(const float* actual, const float* expected, int count,
                             const char* what) {
        for (int i = 0; i < count; ++i)
            EXPECT_FLOAT_EQ(actual[i], expected[i]) << what << " [" << i << "]";
    }

    // Redraws through the toolkit, as a right-button press does.
    static void redraw(int frames) {
        for (int i = 0; i < frames; ++i) {
            glutPostRedisplay();
            runLoop(1);
        }
    }
};

TEST_F(ProgramWindow, RenderStateIsSetOnceAndEverythingElseKeepsItsDefault) {
    struct Switch {
        GLenum capability;
        GLboolean enabled;
    };
    for (const Switch& s :
         {Switch{GL_DEPTH_TEST, GL_TRUE}, Switch{GL_CULL_FACE, GL_TRUE},
          Switch{GL_LIGHTING, GL_TRUE}, Switch{GL_LIGHT0, GL_TRUE}, Switch{GL_LIGHT1, GL_TRUE},
          Switch{GL_LIGHT2, GL_FALSE}, Switch{GL_COLOR_MATERIAL, GL_FALSE},
          Switch{GL_NORMALIZE, GL_FALSE}, Switch{GL_RESCALE_NORMAL, GL_FALSE}}) {
        EXPECT_EQ(glIsEnabled(s.capability), s.enabled)
            << "capability 0x" << std::hex << s.capability;
    }
    struct Setting {
        GLenum name;
        GLint value;
    };
    for (const Setting& s : {Setting{GL_CULL_FACE_MODE, GL_FRONT}, Setting{GL_FRONT_FACE, GL_CCW},
                             Setting{GL_SHADE_MODEL, GL_SMOOTH}, Setting{GL_DEPTH_FUNC, GL_LESS},
                             Setting{GL_MATRIX_MODE, GL_MODELVIEW},
                             Setting{GL_DOUBLEBUFFER, GL_TRUE}, Setting{GL_DRAW_BUFFER, GL_BACK}}) {
        GLint value = 0;
        glGetIntegerv(s.name, &value);
        EXPECT_EQ(value, s.value) << "setting 0x" << std::hex << s.name;
    }
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GT(depthBits, 0);

    float value[4];
    const float white[4] = {1, 1, 1, 1};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, value);
    expectFloats(value, white, 4, "clear colour");
    // Light colours are kept as given, components above 1 included.
    struct LightColour {
        GLenum light;
        GLenum part;
        const float* colour;
    };
    for (const LightColour& l : {LightColour{GL_LIGHT0, GL_DIFFUSE, light0Colour},
                                 LightColour{GL_LIGHT0, GL_SPECULAR, light0Colour},
                                 LightColour{GL_LIGHT1, GL_DIFFUSE, light1Colour},
                                 LightColour{GL_LIGHT1, GL_SPECULAR, light1Colour}}) {
        glGetLightfv(l.light, l.part, value);
        expectFloats(value, l.colour, 4, "light colour");
    }
    EXPECT_FLOAT_EQ(light0Colour[1], 2.0F);
    EXPECT_FLOAT_EQ(light0Colour[3], 1.5F);
    // No material and no light-model ambient of the program's own.
    const float defaultDiffuse[4] = {0.8F, 0.8F, 0.8F, 1.0F};
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, value);
    expectFloats(value, defaultDiffuse, 4, "material diffuse");
    const float defaultAmbient[4] = {0.2F, 0.2F, 0.2F, 1.0F};
    glGetFloatv(GL_LIGHT_MODEL_AMBIENT, value);
    expectFloats(value, defaultAmbient, 4, "light model ambient");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ProgramWindow, LightsAreFixedInTheWorldUnderTheCamera) {
    redraw(50);
    // GL keeps light positions in eye coordinates: the camera applied, and
    // nothing of the box's turn.
    const Mat4 camera = cameraMatrix();
    struct Light {
        GLenum light;
        const float* position;
    };
    for (const Light& l : {Light{GL_LIGHT0, light0Position}, Light{GL_LIGHT1, light1Position}}) {
        float actual[4];
        glGetLightfv(l.light, GL_POSITION, actual);
        const auto expected =
            transform(camera, {l.position[0], l.position[1], l.position[2], l.position[3]});
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(actual[i], expected[static_cast<size_t>(i)], 1e-5)
                << "light 0x" << std::hex << l.light;
    }
    EXPECT_FLOAT_EQ(light0Position[3], 1.0F);
    EXPECT_FLOAT_EQ(light1Position[3], 1.0F);
}

TEST_F(ProgramWindow, ProjectionFollowsARealResize) {
    glutReshapeWindow(640, 480);
    GLint viewport[4] = {};
    EXPECT_TRUE(runLoopUntil([&] {
        glGetIntegerv(GL_VIEWPORT, viewport);
        return viewport[2] == 640 && viewport[3] == 480;
    })) << "the viewport never became 640 x 480";
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);
    expectMatrix(GL_PROJECTION_MATRIX, perspectiveMatrix(30.0, 640.0 / 480.0, 1.0, 100.0), 1e-6);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST_F(ProgramWindow, ZeroHeightIsTakenAsOnePixel) {
    reshapeView(640, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 0);
    expectMatrix(GL_PROJECTION_MATRIX, perspectiveMatrix(30.0, 640.0, 1.0, 100.0), 1e-6);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    // Back to a real size, the next frame draws as usual.
    reshapeView(300, 300);
    redraw(1);
    const BoxPictureReport report = compareWithBox(captureProgramWindow(), spinState.omega,
                                                   spinState.turnAngleDegrees, spinState.sides);
    EXPECT_EQ(report.insideWhite, 0) << report.summary();
}

TEST_F(ProgramWindow, FirstFrameIsDrawnUnaskedAndTakesExactlyOneStep) {
    EXPECT_EQ(stepsTaken(), 1);
    EXPECT_NEAR(spinState.turnAngleDegrees, 1.735977, 5e-7);
}

TEST_F(ProgramWindow, EveryRedrawTakesExactlyOneStepWhateverCausedIt) {
    // Waits for a frame that `cause` should lead to, then for the loop to
    // handle everything else, and checks that every frame shown took exactly
    // one step. An exposure or a resize may reach the toolkit in one batch of
    // events or in two, so it may draw once or twice.
    const auto expectFramesEachOneStep = [&](const char* cause, long fewest, long most) {
        const long steps = stepsTaken();
        const long frames = framesDrawn();
        if (fewest > 0) {
            EXPECT_TRUE(runLoopUntil([&] { return framesDrawn() > frames; }))
                << "no frame came after: " << cause;
        }
        settle();
        EXPECT_GE(framesDrawn() - frames, fewest) << cause;
        EXPECT_LE(framesDrawn() - frames, most) << cause;
        EXPECT_EQ(stepsTaken() - steps, framesDrawn() - frames) << cause;
    };

    // A redraw asked for by the program.
    glutPostRedisplay();
    expectFramesEachOneStep("posted redisplay", 1, 1);

    // The window uncovered: another window mapped over it, then removed.
    Display* display = glXGetCurrentDisplay();
    const Window cover =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 400, 400, 0, 0, 0);
    XSetWindowAttributes attributes;
    attributes.override_redirect = True;
    XChangeWindowAttributes(display, cover, CWOverrideRedirect, &attributes);
    XMapRaised(display, cover);
    expectFramesEachOneStep("covering draws nothing", 0, 0);
    XDestroyWindow(display, cover);
    expectFramesEachOneStep("uncovered", 1, 2);

    // The window resized.
    glutReshapeWindow(320, 240);
    expectFramesEachOneStep("resized", 1, 2);

    // Nothing asked: nothing drawn, however long the loop runs.
    const long frames = framesDrawn();
    runLoopFor(300);
    EXPECT_EQ(framesDrawn(), frames) << "idle";
    EXPECT_EQ(stepsTaken(), frames) << "every frame since the start took one step";
}

TEST_F(ProgramWindow, PictureShowsTheLitBoxTurnedByTheModelOverAWhiteBackgroundWithAxes) {
    // After 1 step the turn is small; after 100 the turn about an axis with
    // negated third component differs visibly from the plain one; after 1000
    // the angle is far past 360 degrees and handed over unreduced.
    for (const long target : {1L, 100L, 1000L}) {
        redraw(static_cast<int>(target - stepsTaken()));
        ASSERT_EQ(stepsTaken(), target);
        const WindowImage image = captureProgramWindow();
        const BoxPictureReport report =
            compareWithBox(image, spinState.omega, spinState.turnAngleDegrees, spinState.sides);
        SCOPED_TRACE(testing::Message() << "after " << target << " steps: " << report.summary());
        EXPECT_GT(report.insideChecked, 500);
        EXPECT_EQ(report.insideWhite, 0);
        EXPECT_GT(report.insideGreenLit, report.insideChecked * 9 / 10);
        EXPECT_GT(report.outsideChecked, image.width * image.height / 2);
        EXPECT_EQ(report.outsideNotWhite, 0);
        EXPECT_GT(report.axisSamples, 40);
        EXPECT_EQ(report.axisSamplesMissing, 0);

        // The same picture does not fit a box turned about the axis with the
        // third component as it stands.
        const double plainAxis[3] = {spinState.omega[0], spinState.omega[1], -spinState.omega[2]};
        if (target == 100) {
            const BoxPictureReport wrong =
                compareWithBox(image, plainAxis, spinState.turnAngleDegrees, spinState.sides);
            EXPECT_GT(wrong.insideWhite + wrong.outsideNotWhite, 100) << wrong.summary();
        }
    }
}

}  // namespace
