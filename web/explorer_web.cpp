// The explorer's browser shell: the window, the panes and the entry of the
// page, over the explorer's core. Poinsot's picture is drawn straight into
// its corner of the canvas every frame (the desktop keeps it off the window
// only to spare its renderer); the readouts are text on the page, not in GL.
// The page's controls reach the explorer through the functions bound below
// with embind, with the readers, the checks and the words of the command
// line.
#include <GL/freeglut.h>
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "exact_attitude.h"
#include "explorer.h"
#include "invariants.h"
#include "look.h"
#include "option_values.h"
#include "spin_options.h"
#include "steppers.h"

void openExplorerWindow(int* argc, char** argv) {
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(900, 640);
    glutCreateWindow("spinning-box-explorer");
    glutDisplayFunc(displayExplorer);
    glutReshapeFunc(reshapeExplorer);
    glutKeyboardFunc(onExplorerKey);
    glutMouseFunc(onExplorerMouse);
    glutMotionFunc(onExplorerDrag);
    initRenderState();
}

void preparePanes() {}

void showPanes() {
    const int side = std::min(explorer.width, explorer.height) / 4;
    if (side < 8) return;
    drawInsetPicture(explorer.width - side, 0, side);
    setInsetView(explorer.width - side, 0, side);
    drawInsetMarker();
}

namespace {

using emscripten::val;

val triple(const double v[3]) {
    val list = val::array();
    for (int i = 0; i < 3; ++i) list.call<void>("push", v[i]);
    return list;
}

// Sets the body, spin and step from the form's texts, each "" to keep what
// the explorer has (sides or moments, one of them), but for the step, which
// is then chosen for the body and spin. Returns "" and starts
// the motion afresh, or the line that refuses them, and changes nothing.
std::string apply(const std::string& sides, const std::string& moments, const std::string& omega,
                  const std::string& step) {
    SpinOptions start = explorer.start;
    start.sidesText.clear();
    start.momentsText.clear();
    if (!sides.empty()) start.momentsGiven = false;
    if (step.empty()) start.stepGiven = false;  // chosen, unless one is typed
    const std::string texts[] = {sides, moments, omega, step};
    int count = 0;
    const StartField* fields = startFields(&count);
    for (int i = 0; i < count; ++i) {
        if (texts[i].empty()) continue;
        const std::string fault = fields[i].read(texts[i], start);
        if (!fault.empty()) return std::string(fields[i].name) + ": " + fault;
    }
    const std::string refusal = prepareExplorerStart(start);
    if (refusal.empty()) {
        explorer.start = start;
        explorer.name = "your box";
        explorer.preset = -1;
        resetMotion();
        requestFrame();
    }
    return refusal;
}

// Sets the speed, as --speed would, on the motion as it is. Returns "" or
// the line that refuses it.
std::string speed(const std::string& text) {
    const std::string fault = readSpeed(text, explorer.speed);
    return fault.empty() ? fault : "--speed: " + fault;
}

void preset(int index) {
    if (index < 0 || index >= presetCount()) return;
    onExplorerKey(static_cast<unsigned char>('1' + index), 0, 0);
}

// A key, as the keyboard gives it: z, x, g, r, i, + or -.
void key(int code) {
    if (code == 'q' || code == 'Q' || code == 27) return;  // the page has no quit
    onExplorerKey(static_cast<unsigned char>(code), 0, 0);
}

// `count` single steps, as right clicks take them.
void steps(int count) {
    for (int i = 0; i < count; ++i) stepMotion();
    requestFrame();
}

void view(double yaw, double pitch, double distance) {
    explorer.yaw = yaw;
    explorer.pitch = std::clamp(pitch, -89.0, 89.0);
    explorer.distance = std::clamp(distance, 2.0, 60.0);
    requestFrame();
}

// Steps the box with the integrator of this name, from the start again.
// Returns "" or the line that refuses the name.
std::string integrator(const std::string& name) {
    const Integrator* chosen = findIntegrator(name.c_str());
    if (chosen == nullptr) return "--integrator: '" + name + "' is not an integrator";
    explorer.integrator = chosen;
    resetMotion();
    requestFrame();
    return "";
}

// The integrators, {name, title} each, in the table's order.
val integratorTable() {
    int count = 0;
    const Integrator* all = integrators(&count);
    val list = val::array();
    for (int i = 0; i < count; ++i) {
        val one = val::object();
        one.set("name", std::string(all[i].name));
        one.set("title", std::string(all[i].title));
        list.call<void>("push", one);
    }
    return list;
}

// Everything the page shows or puts in a link.
val state() {
    const Explorer& e = explorer;
    double moments[3];
    momentsOf(e.exact, moments);
    const Invariants now = invariantsOf(moments, e.state.omega);
    double exact[3];
    const Quaternion q = exactStateAt(e.exact, motionTime(), exact);
    const SpinOptions& s = e.start;
    val out = val::object();
    out.set("t", motionTime());
    out.set("steps", static_cast<double>(e.steps));
    out.set("omega", triple(e.state.omega));
    out.set("exact", triple(exact));
    const double attitude[4] = {e.state.q.w, e.state.q.x, e.state.q.y, e.state.q.z};
    val quaternion = val::array();
    for (const double part : attitude) quaternion.call<void>("push", part);
    out.set("attitude", quaternion);
    out.set("drift2E", relativeDrift(now.twiceEnergy, e.startInvariants[0]));
    out.set("driftL2", relativeDrift(now.momentumSquared, e.startInvariants[1]));
    out.set("attitudeError", angleBetween(e.state.q, q) * 180.0 / M_PI);
    out.set("period", e.exact.period);
    out.set("speed", e.speed);
    out.set("running", e.running);
    out.set("ghost", e.ghost);
    out.set("yaw", e.yaw);
    out.set("pitch", e.pitch);
    out.set("distance", e.distance);
    out.set("name", std::string(e.name));
    out.set("preset", e.preset);
    out.set("starts", e.starts);
    out.set("integrator", std::string(e.integrator->name));
    out.set("sides", triple(s.sides));
    out.set("moments", s.momentsGiven ? triple(s.moments) : val::null());
    out.set("omega0", triple(s.omega));
    out.set("step", s.step);
    out.set("stepChosen", !s.stepGiven);
    out.set("readouts", readoutText());
    return out;
}

}  // namespace

EMSCRIPTEN_BINDINGS(explorer) {
    emscripten::function("explorerApply", &apply);
    emscripten::function("explorerSpeed", &speed);
    emscripten::function("explorerPreset", &preset);
    emscripten::function("explorerKey", &key);
    emscripten::function("explorerSteps", &steps);
    emscripten::function("explorerView", &view);
    emscripten::function("explorerIntegrator", &integrator);
    emscripten::function("explorerIntegrators", &integratorTable);
    emscripten::function("explorerState", &state);
}

int main(int argc, char** argv) {
    explorerDefaults();
    openExplorerWindow(&argc, argv);
    startExplorer();
    glutMainLoop();
    return 0;
}
