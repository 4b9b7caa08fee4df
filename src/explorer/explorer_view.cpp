// One frame of the explorer: the steps the clock asks for; then the box in
// its integrated attitude, each face its own colour, with
// the scene axes, the fixed angular momentum, omega, the trail of the
// middle axis's tip and the exact attitude's outline; and over it Poinsot's
// picture and the readouts.
#include <GL/freeglut.h>
#include <GL/glu.h>

#include <chrono>
#include <cmath>

#include "exact_attitude.h"
#include "explorer.h"
#include "look.h"

namespace {

// Steps a frame may take at most: at any speed a slow frame then slows the
// motion down instead of making the next frame slower still.
constexpr long kMostStepsPerFrame = 2000;

// The column-major matrix of the rotation q.
void rotationMatrix(const Quaternion& q, double m[16]) {
    const double w = q.w;
    const double x = q.x;
    const double y = q.y;
    const double z = q.z;
    const double r[3][3] = {{1 - 2 * (y * y + z * z), 2 * (x * y - w * z), 2 * (x * z + w * y)},
                            {2 * (x * y + w * z), 1 - 2 * (x * x + z * z), 2 * (y * z - w * x)},
                            {2 * (x * z - w * y), 2 * (y * z + w * x), 1 - 2 * (x * x + y * y)}};
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            m[column * 4 + row] = row < 3 && column < 3 ? r[row][column] : (row == column ? 1 : 0);
        }
    }
}

// Whether the face of the box in attitude q whose outward normal is `sign`
// along body axis `axis` faces the camera at `eye`.
bool facesEye(const Quaternion& q, int axis, double sign, const double eye[3]) {
    const double* s = explorer.start.sides;
    double normal[3] = {0.0, 0.0, 0.0};
    normal[axis] = sign;
    double turned[3];
    rotate(q, normal, turned);
    double facing = 0.0;
    for (int i = 0; i < 3; ++i) {
        facing += turned[i] * (eye[i] - 0.5 * s[axis] * turned[i]);
    }
    return facing > 0.0;
}

// The twelve edges of the unit cube of the box in attitude q: solid where a
// face beside the edge faces the camera, in dashes behind the box.
void drawOutline(const Quaternion& q, const double eye[3]) {
    constexpr int kDashes = 7;
    glBegin(GL_LINES);
    for (int axis = 0; axis < 3; ++axis) {
        for (const double a : {-0.5, 0.5}) {
            for (const double b : {-0.5, 0.5}) {
                const int first = (axis + 1) % 3;
                const int second = (axis + 2) % 3;
                const bool seen = facesEye(q, first, a > 0 ? 1.0 : -1.0, eye) ||
                                  facesEye(q, second, b > 0 ? 1.0 : -1.0, eye);
                const int pieces = seen ? 1 : 2 * kDashes - 1;
                for (int k = 0; k < pieces; k += 2) {
                    double from[3];
                    double to[3];
                    from[axis] = -0.5 + static_cast<double>(k) / pieces;
                    to[axis] = -0.5 + static_cast<double>(k + 1) / pieces;
                    from[first] = to[first] = a;
                    from[second] = to[second] = b;
                    glVertex3dv(from);
                    glVertex3dv(to);
                }
            }
        }
    }
    glEnd();
}

// The box in attitude q, scaled to its sides.
void placeBody(const Quaternion& q) {
    double m[16];
    rotationMatrix(q, m);
    glMultMatrixd(m);
    const double* s = explorer.start.sides;
    glScaled(s[0], s[1], s[2]);
}

// Each face its own colour, so that the box shows which way it faces: the
// faces at +x, +y, +z of the body red, green and blue, those at -x, -y, -z
// the same hues pale. When the middle axis flips, its strong face and its
// pale face change places.
constexpr unsigned char kFaceColours[6][3] = {
    {170, 190, 245},  // -z
    {200, 40, 40},    // +x
    {40, 70, 200},    // +z
    {240, 170, 170},  // -x
    {170, 230, 170},  // -y
    {40, 160, 40},    // +y
};

// The box in attitude q, unlit, each face shaded by how squarely it faces
// the camera at `eye`: the same at any size, since nothing is scaled but the
// corners.
void drawColouredBody(const Quaternion& q, const double eye[3]) {
    const double reach = std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
    glPushMatrix();
    placeBody(q);
    glBegin(GL_QUADS);
    for (int face = 0; face < 6; ++face) {
        double normal[3];
        rotate(q, boxNormals[face], normal);
        const double facing =
            (normal[0] * eye[0] + normal[1] * eye[1] + normal[2] * eye[2]) / reach;
        const double shade = 0.6 + 0.4 * std::fmax(0.0, facing);
        const unsigned char* c = kFaceColours[face];
        glColor3ub(static_cast<unsigned char>(std::lround(c[0] * shade)),
                   static_cast<unsigned char>(std::lround(c[1] * shade)),
                   static_cast<unsigned char>(std::lround(c[2] * shade)));
        for (const int corner : boxFaces[face]) {
            glVertex3dv(boxVertices[corner]);
        }
    }
    glEnd();
    glPopMatrix();
}

// Takes the steps the clock asks for since the last frame.
void pace() {
    Explorer& e = explorer;
    if (!e.running) {
        return;
    }
    const double now = clockSeconds();
    const Pace p = paceFrame(now - e.lastClock, e.speed, e.owed, e.start.step, kMostStepsPerFrame);
    e.lastClock = now;
    e.owed = p.owed;
    e.slowed = p.slowed;
    for (long i = 0; i < p.steps; ++i) {
        stepMotion();
    }
}

void drawScene() {
    const Explorer& e = explorer;
    glViewport(0, 0, e.width, e.height);
    // The scene scaled with the box: the camera's distance, the near and
    // far planes, the axes and the lights.
    const double scale = sceneScale();
    setPerspective(static_cast<double>(e.width) / std::fmax(e.height, 1), scale);
    glLoadIdentity();
    const double yaw = e.yaw * M_PI / 180.0;
    const double pitch = e.pitch * M_PI / 180.0;
    const double eye[3] = {e.distance * std::cos(pitch) * std::sin(yaw),
                           e.distance * std::sin(pitch),
                           e.distance * std::cos(pitch) * std::cos(yaw)};
    gluLookAt(eye[0], eye[1], eye[2], 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    // The lights are placed before anything is drawn, and the axes are lit
    // with the current normal, which the box leaves at its last face's,
    // (0, 1, 0): set first, so that every frame's axes, the very first one's
    // and those of a page opened from a link included, are lit by this
    // frame's camera alone.
    // The lights stand as far out as the scene is scaled.
    const auto scaled = static_cast<float>(scale);
    const float place0[4] = {light0Position[0] * scaled, light0Position[1] * scaled,
                             light0Position[2] * scaled, light0Position[3]};
    const float place1[4] = {light1Position[0] * scaled, light1Position[1] * scaled,
                             light1Position[2] * scaled, light1Position[3]};
    glLightfv(GL_LIGHT0, GL_POSITION, place0);
    glLightfv(GL_LIGHT1, GL_POSITION, place1);
    const double lastFaceNormal[3] = {0.0, 1.0, 0.0};
    glNormal3dv(lastFaceNormal);
    drawAxes(10.0 * scale);

    // Unlit from here, in colours given as bytes: a byte's own value reaches
    // the picture on every renderer, where a fraction of 255 could round
    // either way.
    glDisable(GL_LIGHTING);
    const double thickness = 0.004 * e.distance;
    if (e.construction) {
        drawPoinsotConstruction(thickness);
        glEnable(GL_LIGHTING);
        return;
    }
    drawColouredBody(e.state.q, eye);
    // The trail of the middle axis's tip.
    glColor3ub(140, 140, 140);
    glBegin(GL_LINE_STRIP);
    for (int k = 0; k < e.trailCount; ++k) {
        glVertex3dv(e.trail[(e.trailStart + k) % kTrailPoints]);
    }
    glEnd();
    // L, fixed in the scene, and omega, turning with the motion: reaching
    // well past the box's corners, clear of the box, and a few
    // pixels thick wherever the camera stands.
    const double reach = 0.85 * e.size;
    double size = std::sqrt(e.momentum[0] * e.momentum[0] + e.momentum[1] * e.momentum[1] +
                            e.momentum[2] * e.momentum[2]);
    if (size > 0.0) {
        const double tip[3] = {reach * e.momentum[0] / size, reach * e.momentum[1] / size,
                               reach * e.momentum[2] / size};
        glColor3ub(115, 26, 153);
        drawArrow(tip, thickness);
    }
    double omega[3];
    rotate(e.state.q, explorer.state.omega, omega);
    if (e.exact.maxRate > 0.0) {
        for (double& c : omega) {
            c *= reach / e.exact.maxRate;
        }
        glColor3ub(230, 115, 0);
        drawArrow(omega, thickness);
    }
    // The exact attitude's outline, over everything.
    if (e.ghost) {
        double w[3];
        const Quaternion exact = exactStateAt(e.exact, motionTime(), w);
        glDisable(GL_DEPTH_TEST);
        glColor3ub(0, 51, 204);
        glPushMatrix();
        placeBody(exact);
        drawOutline(exact, eye);
        glPopMatrix();
        glEnable(GL_DEPTH_TEST);
    }
    glEnable(GL_LIGHTING);
}

}  // namespace

// Two unit vectors across the unit vector d, and across each other.
void across(const double d[3], double u[3], double v[3]) {
    const double helper[3] = {std::fabs(d[0]) < 0.9 ? 1.0 : 0.0, std::fabs(d[0]) < 0.9 ? 0.0 : 1.0,
                              0.0};
    u[0] = d[1] * helper[2] - d[2] * helper[1];
    u[1] = d[2] * helper[0] - d[0] * helper[2];
    u[2] = d[0] * helper[1] - d[1] * helper[0];
    const double un = std::sqrt(u[0] * u[0] + u[1] * u[1] + u[2] * u[2]);
    for (int i = 0; i < 3; ++i) {
        u[i] /= un;
    }
    v[0] = d[1] * u[2] - d[2] * u[1];
    v[1] = d[2] * u[0] - d[0] * u[2];
    v[2] = d[0] * u[1] - d[1] * u[0];
}

// A solid arrow from the origin to `tip`, in the current colour: its axis
// as a line, a shaft and a cone as thick as `thickness` (scene units, so
// that the caller can keep it a few pixels wide at any distance).
void drawArrow(const double tip[3], double thickness) {
    const double length = std::sqrt(tip[0] * tip[0] + tip[1] * tip[1] + tip[2] * tip[2]);
    if (length == 0.0) {
        return;
    }
    glBegin(GL_LINES);
    glVertex3d(0.0, 0.0, 0.0);
    glVertex3dv(tip);
    glEnd();
    // Two directions across the arrow.
    const double d[3] = {tip[0] / length, tip[1] / length, tip[2] / length};
    double u[3];
    double v[3];
    across(d, u, v);
    const double head = std::fmin(4.0 * thickness, 0.3 * length);
    const double neck = length - head;
    // A point at `along` on the axis, `out` from it in direction `angle`.
    const auto at = [&](double along, double out, double angle) {
        const double c = std::cos(angle) * out;
        const double s = std::sin(angle) * out;
        glVertex3d(d[0] * along + c * u[0] + s * v[0], d[1] * along + c * u[1] + s * v[1],
                   d[2] * along + c * u[2] + s * v[2]);
    };
    constexpr int kSides = 12;
    glDisable(GL_CULL_FACE);
    glBegin(GL_TRIANGLE_STRIP);
    for (int k = 0; k <= kSides; ++k) {
        const double angle = 2.0 * M_PI * k / kSides;
        at(0.0, 0.4 * thickness, angle);
        at(neck, 0.4 * thickness, angle);
    }
    glEnd();
    glBegin(GL_TRIANGLE_FAN);
    glVertex3dv(tip);
    for (int k = 0; k <= kSides; ++k) {
        at(neck, 1.3 * thickness, 2.0 * M_PI * k / kSides);
    }
    glEnd();
    glEnable(GL_CULL_FACE);
}

double clockSeconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double>(now).count();
}

void reshapeExplorer(int width, int height) {
    explorer.width = width;
    explorer.height = height;
}

void displayExplorer() {
    pace();
    preparePanes();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawScene();
    showPanes();
    glutSwapBuffers();
}
