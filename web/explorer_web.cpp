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
#include <vector>

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
    const int side = insetSide();
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

// A refusal in a person's words: the field's name for the option's, and for
// a step too large for the body and spin, a step that would do.
std::string forAPerson(const std::string& line, const SpinOptions& start) {
    if (start.stepGiven && line.rfind("--step: '", 0) == 0 &&
        line.find("is too large for this box and spin") != std::string::npos) {
        SpinOptions chosen = start;
        chosen.stepGiven = false;
        chooseStepIfNotGiven(chosen);
        return "Step: " + start.stepText + " is too large for this box and spin: try a step of " +
               chosen.stepText + " or less, or leave the step empty to have one chosen";
    }
    static const char* const names[][2] = {{"--sides", "Sides"}, {"--moments", "Moments"},
                                           {"--omega", "ω"},     {"--step", "Step"},
                                           {"--speed", "Speed"}, {"--integrator", "Integrator"}};
    for (const auto& name : names) {
        const std::string option = std::string(name[0]) + ":";
        if (line.rfind(option, 0) == 0) return name[1] + line.substr(option.size() - 1);
    }
    return line;
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
        if (!fault.empty()) return forAPerson(std::string(fields[i].name) + ": " + fault, start);
    }
    const std::string refusal = forAPerson(prepareExplorerStart(start), start);
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
// the line that refuses it, in a person's words.
std::string speed(const std::string& text) {
    const std::string fault = readSpeed(text, explorer.speed);
    return fault.empty() ? fault : "Speed: " + fault;
}

// Preset `number`, 1 to 6, as its key chooses it.
void preset(int number) {
    if (number < 1 || number > presetCount()) return;
    onExplorerKey(static_cast<unsigned char>('0' + number), 0, 0);
}

// A key, as the keyboard gives it: z, x, g, p, r, i, + or -.
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
    if (!std::isfinite(yaw) || !std::isfinite(pitch) || !std::isfinite(distance)) return;
    double nearest = 0.0;
    double farthest = 0.0;
    distanceLimits(nearest, farthest);
    explorer.yaw = yaw;
    explorer.pitch = std::clamp(pitch, -89.0, 89.0);
    explorer.distance = std::clamp(distance, nearest, farthest);
    requestFrame();
}

// One value of a link, by its name, read as strictly as the form's: an
// object with the value, or with the line that refuses it.
val readLink(const std::string& name, const std::string& text) {
    double nearest = 0.0;
    double farthest = 0.0;
    distanceLimits(nearest, farthest);
    double value = 0.0;
    std::string fault;
    if (name == "yaw") {
        fault = readNumberWithin(text, -1e6, 1e6, value);
    } else if (name == "pitch") {
        fault = readNumberWithin(text, -89.0, 89.0, value);
    } else if (name == "distance") {
        fault = readNumberWithin(text, nearest, farthest, value);
    } else if (name == "preset") {
        fault = readNumberWithin(text, 1.0, presetCount(), value);
        if (fault.empty() && value != std::floor(value)) fault = "'" + text + "' is not a preset";
    } else if (name == "steps") {
        long count = 0;
        fault = readCount(text, 0, count);
        value = static_cast<double>(count);
    } else {  // run, ghost
        fault = text == "0" || text == "1" ? "" : "'" + text + "' is not 0 or 1";
        value = text == "1" ? 1.0 : 0.0;
    }
    val out = val::object();
    out.set("value", value);
    out.set("error", fault.empty() ? fault : "Link: " + name + " " + fault);
    return out;
}

// Steps the box with the integrator of this name, from the start again.
// Returns "" or the line that refuses the name.
std::string integrator(const std::string& name) {
    const Integrator* chosen = findIntegrator(name.c_str());
    if (chosen == nullptr) return "Integrator: '" + name + "' is not an integrator";
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
    const Drifts drifts = driftsNow();
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
    out.set("drift2E", drifts.twiceEnergy);
    out.set("driftL2", drifts.momentumSquared);
    out.set("attitudeError", angleBetween(e.state.q, q) * 180.0 / M_PI);
    out.set("period", e.exact.period);
    out.set("speed", e.speed);
    out.set("running", e.running);
    out.set("ghost", e.ghost);
    out.set("construction", e.construction);
    out.set("bigInset", e.bigInset);
    out.set("yaw", e.yaw);
    out.set("pitch", e.pitch);
    out.set("distance", e.distance);
    out.set("name", std::string(e.name));
    out.set("preset", e.preset + 1);  // numbered as the keys number them; 0 for one's own box
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

// The record's samples from number `from` on (numbered from the start of
// the motion), as columns: t, omega (three), exact omega (three), the drifts
// of 2E and |L|^2, the attitude's error in degrees and the middle axis's
// component along L; `next` numbers the
// sample to ask for next time.
val samplesFrom(double from) {
    const Explorer& e = explorer;
    const long first = std::max(static_cast<long>(from), e.samplesDropped);
    const long next = e.samplesDropped + static_cast<long>(e.samples.size());
    std::vector<val> columns;
    for (int i = 0; i < 11; ++i) columns.push_back(val::array());
    for (long n = first; n < next; ++n) {
        const MotionSample& s = e.samples[static_cast<size_t>(n - e.samplesDropped)];
        const double row[11] = {
            s.t,          s.omega[0], s.omega[1], s.omega[2], s.exact[0],
            s.exact[1],   s.exact[2], s.drift2E,  s.driftL2,  s.attitudeErrorDegrees,
            s.middleShare};
        for (int i = 0; i < 11; ++i) columns[i].call<void>("push", row[i]);
    }
    val out = val::object();
    out.set("next", static_cast<double>(next));
    out.set("starts", e.starts);
    val all = val::array();
    for (const val& column : columns) all.call<void>("push", column);
    out.set("columns", all);
    return out;
}

std::string csv() { return samplesCsv(); }

std::string explanation() { return whatYouSee(); }

// The inset at half the picture's shorter side instead of a quarter.
void bigInset(bool big) {
    explorer.bigInset = big;
    requestFrame();
}

}  // namespace

EMSCRIPTEN_BINDINGS(explorer) {
    emscripten::function("explorerSamples", &samplesFrom);
    emscripten::function("explorerCsv", &csv);
    emscripten::function("explorerWhatYouSee", &explanation);
    emscripten::function("explorerReadLink", &readLink);
    emscripten::function("explorerBigInset", &bigInset);
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
