// The program's window, render state and frames, in this process, on real
// freeglut, Mesa and GLU on a real display.
// gtest goes first: the X11 headers define macros that clash with it.
#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

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
    // Light colours are kept as written, components above 1 included: light 0
    // an over-bright green with a little blue, light 1 plain green.
    const float light0[4] = {0.0F, 2.0F, 0.2F, 1.5F};
    const float light1[4] = {0.0F, 1.0F, 0.0F, 1.0F};
    struct LightColour {
        GLenum light;
        GLenum part;
        const float* colour;
    };
    for (const LightColour& l :
         {LightColour{GL_LIGHT0, GL_DIFFUSE, light0}, LightColour{GL_LIGHT0, GL_SPECULAR, light0},
          LightColour{GL_LIGHT1, GL_DIFFUSE, light1},
          LightColour{GL_LIGHT1, GL_SPECULAR, light1}}) {
        glGetLightfv(l.light, l.part, value);
        expectFloats(value, l.colour, 4, "light colour");
    }
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
        std::array<double, 4> position;
    };
    // Both are point lights (w = 1), above and in front of the box and to
    // its side.
    for (const Light& l : {Light{GL_LIGHT0, {0, 3, 5, 1}}, Light{GL_LIGHT1, {5, 3, 0, 1}}}) {
        float actual[4];
        glGetLightfv(l.light, GL_POSITION, actual);
        const auto expected = transform(camera, l.position);
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(actual[i], expected[static_cast<size_t>(i)], 1e-5)
                << "light 0x" << std::hex << l.light;
    }
}

// The colour of each lit face, worked out by hand from the fixed pipeline's
// lighting equation: the default material (ambient 0.2, diffuse 0.8, no
// specular), the default scene ambient 0.2, and each point light adding
// max(N . L, 0) * 0.8 * its colour, where L is the unit vector from the
// vertex to the light and N the face normal taken through the inverse
// transpose of the model-view matrix and left unnormalised, so the long faces
// get 1 / 0.3 times it. Light 0 is (0, 2, 0.2), light 1 (0, 1, 0): no red
// anywhere, green saturating, blue from light 0 alone. The pixel at the centre
// of each face must lie between its corners' colours.
TEST_F(ProgramWindow, LitFacesHaveTheColoursWorkedOutFromTheLightsAndNormals) {
    redraw(40);
    const WindowImage image = captureProgramWindow();
    using Vec3 = std::array<double, 3>;
    const Mat4 camera = cameraMatrix();
    const double* w = spinState.omega;
    const Mat4 turn = rotationMatrix(spinState.turnAngleDegrees, {w[0], w[1], -w[2]});
    const double sides[3] = {0.3, 2.3, 0.3};
    const Vec3 lightColour[2] = {{0.0, 2.0, 0.2}, {0.0, 1.0, 0.0}};
    Vec3 lightEye[2];
    const std::array<double, 4> lightWorld[2] = {{0, 3, 5, 1}, {5, 3, 0, 1}};
    for (int l = 0; l < 2; ++l) {
        const auto p = transform(camera, lightWorld[l]);
        lightEye[l] = {p[0], p[1], p[2]};
    }
    const Mat4 eyeFromBody = multiply(camera, turn);
    const Mat4 projection =
        perspectiveMatrix(30.0, static_cast<double>(image.width) / image.height, 1.0, 100.0);
    int facesChecked = 0;
    for (int axis = 0; axis < 3; ++axis) {
        for (const double sign : {-1.0, 1.0}) {
            // The face's normal, scaled by the inverse of the box's scale.
            Vec3 n{0, 0, 0};
            n[static_cast<size_t>(axis)] = sign / sides[axis];
            const auto ne = transform(eyeFromBody, {n[0], n[1], n[2], 0.0});
            Vec3 corners[4];
            int c = 0;
            for (const double u : {-0.5, 0.5}) {
                for (const double v : {-0.5, 0.5}) {
                    double p[3];
                    p[axis] = 0.5 * sign;
                    p[(axis + 1) % 3] = u;
                    p[(axis + 2) % 3] = v;
                    const auto e = transform(
                        eyeFromBody, {p[0] * sides[0], p[1] * sides[1], p[2] * sides[2], 1.0});
                    corners[c++] = {e[0], e[1], e[2]};
                }
            }
            Vec3 centre{0, 0, 0};
            for (const Vec3& corner : corners)
                for (size_t i = 0; i < 3; ++i) centre[i] += corner[i] / 4;
            // Turned away from the eye, or too edge-on to show a clear pixel.
            const double facing =
                -(ne[0] * centre[0] + ne[1] * centre[1] + ne[2] * centre[2]) /
                std::sqrt(centre[0] * centre[0] + centre[1] * centre[1] + centre[2] * centre[2]) /
                std::sqrt(ne[0] * ne[0] + ne[1] * ne[1] + ne[2] * ne[2]);
            if (facing < 0.3) continue;
            Vec3 low{1e9, 1e9, 1e9};
            Vec3 high{-1e9, -1e9, -1e9};
            for (const Vec3& corner : corners) {
                Vec3 colour{0.04, 0.04, 0.04};
                for (int l = 0; l < 2; ++l) {
                    Vec3 toLight{};
                    double length = 0.0;
                    for (size_t i = 0; i < 3; ++i) {
                        toLight[i] = lightEye[l][i] - corner[i];
                        length += toLight[i] * toLight[i];
                    }
                    const double dot =
                        (ne[0] * toLight[0] + ne[1] * toLight[1] + ne[2] * toLight[2]) /
                        std::sqrt(length);
                    for (size_t i = 0; i < 3; ++i)
                        colour[i] += std::max(dot, 0.0) * 0.8 * lightColour[l][i];
                }
                for (size_t i = 0; i < 3; ++i) {
                    const double byte = 255.0 * std::min(colour[i], 1.0);
                    low[i] = std::min(low[i], byte);
                    high[i] = std::max(high[i], byte);
                }
            }
            const auto clip = transform(projection, {centre[0], centre[1], centre[2], 1.0});
            const int x = static_cast<int>((clip[0] / clip[3] + 1.0) * 0.5 * image.width);
            const int y = static_cast<int>((clip[1] / clip[3] + 1.0) * 0.5 * image.height);
            const Rgb pixel = image.atGl(x, y);
            const int got[3] = {pixel.r, pixel.g, pixel.b};
            const char* names[3] = {"red", "green", "blue"};
            const std::string face = std::string(sign > 0 ? "+" : "-") + "xyz"[axis];
            for (size_t i = 0; i < 3; ++i) {
                EXPECT_GE(got[i], low[i] - 2.0) << names[i] << " of the " << face << " face";
                EXPECT_LE(got[i], high[i] + 2.0) << names[i] << " of the " << face << " face";
            }
            ++facesChecked;
        }
    }
    EXPECT_GE(facesChecked, 2);
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
    // The first frame shows the model after one step; the window's exposure
    // may have drawn a second frame since, with one more step of its own.
    EXPECT_EQ(stepsAtFirstFrame(), 1);
    EXPECT_EQ(stepsTaken(), framesDrawn());
    EXPECT_GE(framesDrawn(), 1);
    EXPECT_LE(framesDrawn(), 2);
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
    // The first picture is the one after one step, or after two when the
    // window's exposure drew once more.
    for (const long target : {1L, 100L, 1000L}) {
        while (stepsTaken() < target) redraw(1);
        ASSERT_LE(stepsTaken(), std::max(target, 2L));
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
