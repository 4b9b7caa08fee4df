// The explorer on a web page: the desktop explorer's own sources, with the
// window, the panes and the entry of the page's. Poinsot's picture is drawn
// straight into its corner of the canvas every frame (the desktop keeps it
// off the window only to spare its renderer); the readouts are text on the
// page, not in GL. The page's controls reach the explorer through the
// functions below, with the checks, and the words, of the command line.
#include <GL/freeglut.h>
#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "app.h"
#include "explorer.h"
#include "invariants.h"
#include "option_values.h"

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

std::string replyText;

// A number in JSON, every digit; JSON has no infinity.
std::string number(double value) {
    if (!std::isfinite(value)) return "null";
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string triple(const double v[3]) {
    return "[" + number(v[0]) + "," + number(v[1]) + "," + number(v[2]) + "]";
}

// Text in JSON: the readouts hold no quotes, but may hold line ends.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\n') {
            out += "\\n";
        } else if (c == '"' || c == '\\') {
            out += std::string("\\") + c;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace

extern "C" {

// Sets the body, spin and step, as the command line would, each field ""
// to keep what the explorer has (sides or moments, one of them). Returns ""
// and starts the motion afresh, or the line that refuses them, and changes
// nothing.
EMSCRIPTEN_KEEPALIVE const char* explorerApply(const char* sides, const char* moments,
                                               const char* omega, const char* step) {
    SpinOptions start = explorer.start;
    start.sidesText.clear();
    start.momentsText.clear();
    if (*sides != '\0') start.momentsGiven = false;
    replyText.clear();
    const auto read = [](const char* name, const char* text, const auto& reader) {
        if (replyText.empty() && *text != '\0') {
            const std::string fault = reader(std::string(text));
            if (!fault.empty()) replyText = std::string(name) + ": " + fault;
        }
    };
    read("--sides", sides, [&](const std::string& t) {
        start.sidesText = t;
        return readSides(t, start.sides);
    });
    read("--moments", moments, [&](const std::string& t) {
        start.momentsGiven = true;
        start.momentsText = t;
        return readMoments(t, start.moments, start.sides);
    });
    read("--omega", omega, [&](const std::string& t) { return readOmega(t, start.omega); });
    read("--step", step, [&](const std::string& t) {
        start.stepText = t;
        return readStep(t, start.step);
    });
    if (replyText.empty()) replyText = checkExplorerStart(start);
    if (replyText.empty()) {
        explorer.start = start;
        explorer.name = "your box";
        resetMotion();
        requestFrame();
    }
    return replyText.c_str();
}

// Sets the speed, as --speed would, on the motion as it is. Returns "" or
// the line that refuses it.
EMSCRIPTEN_KEEPALIVE const char* explorerSpeed(const char* speed) {
    replyText = readSpeed(speed, explorer.speed);
    if (!replyText.empty()) replyText = "--speed: " + replyText;
    return replyText.c_str();
}

EMSCRIPTEN_KEEPALIVE void explorerPreset(int index) {
    if (index < 0 || index >= presetCount()) return;
    onExplorerKey(static_cast<unsigned char>('1' + index), 0, 0);
}

// A key, as the keyboard gives it: z, x, g, r, + or -.
EMSCRIPTEN_KEEPALIVE void explorerKey(int key) {
    if (key == 'q' || key == 'Q' || key == 27) return;  // the page has no quit
    onExplorerKey(static_cast<unsigned char>(key), 0, 0);
}

// `count` single steps, as right clicks take them.
EMSCRIPTEN_KEEPALIVE void explorerSteps(int count) {
    for (int i = 0; i < count; ++i) stepMotion();
    requestFrame();
}

EMSCRIPTEN_KEEPALIVE void explorerView(double yaw, double pitch, double distance) {
    explorer.yaw = yaw;
    explorer.pitch = std::clamp(pitch, -89.0, 89.0);
    explorer.distance = std::clamp(distance, 2.0, 60.0);
    requestFrame();
}

// Steps the box with the integrator of this name, from the start again.
// Returns "" or the line that refuses the name.
EMSCRIPTEN_KEEPALIVE const char* explorerIntegrator(const char* name) {
    const Integrator* chosen = findIntegrator(name);
    if (chosen == nullptr) {
        replyText = std::string("--integrator: '") + name + "' is not an integrator";
        return replyText.c_str();
    }
    explorer.integrator = chosen;
    resetMotion();
    requestFrame();
    replyText.clear();
    return replyText.c_str();
}

// The integrators' names and titles, as JSON, in the table's order.
EMSCRIPTEN_KEEPALIVE const char* explorerIntegrators() {
    int count = 0;
    const Integrator* all = integrators(&count);
    replyText = "[";
    for (int i = 0; i < count; ++i) {
        replyText += std::string(i == 0 ? "" : ",") + "{\"name\":" + quoted(all[i].name) +
                     ",\"title\":" + quoted(all[i].title) + "}";
    }
    replyText += "]";
    return replyText.c_str();
}

// Everything the page shows or puts in a link, as JSON.
EMSCRIPTEN_KEEPALIVE const char* explorerState() {
    const Explorer& e = explorer;
    double moments[3];
    for (int i = 0; i < 3; ++i) moments[i] = e.exact.moments[i].hi + e.exact.moments[i].lo;
    const Invariants now = invariantsOf(moments, explorer.state.omega);
    double exact[3];
    const Quaternion q = exactStateAt(e.exact, motionTime(), exact);
    const auto drift = [](double value, double start) {
        return start == 0.0 ? 0.0 : (value - start) / start;
    };
    const SpinOptions& s = e.start;
    replyText = "{\"t\":" + number(motionTime()) + ",\"steps\":" + std::to_string(e.steps) +
                ",\"omega\":" + triple(explorer.state.omega) + ",\"exact\":" + triple(exact) +
                ",\"attitude\":[" + number(e.state.q.w) + "," + number(e.state.q.x) + "," +
                number(e.state.q.y) + "," + number(e.state.q.z) + "]" +
                ",\"drift2E\":" + number(drift(now.twiceEnergy, e.startInvariants[0])) +
                ",\"driftL2\":" + number(drift(now.momentumSquared, e.startInvariants[1])) +
                ",\"attitudeError\":" + number(angleBetween(e.state.q, q) * 180.0 / M_PI) +
                ",\"period\":" + number(e.exact.period) + ",\"speed\":" + number(e.speed) +
                ",\"running\":" + (e.running ? "true" : "false") +
                ",\"ghost\":" + (e.ghost ? "true" : "false") + ",\"yaw\":" + number(e.yaw) +
                ",\"pitch\":" + number(e.pitch) + ",\"distance\":" + number(e.distance) +
                ",\"name\":" + quoted(e.name) + ",\"integrator\":" + quoted(e.integrator->name) +
                ",\"sides\":" + triple(s.sides) +
                ",\"moments\":" + (s.momentsGiven ? triple(s.moments) : std::string("null")) +
                ",\"omega0\":" + triple(s.omega) + ",\"step\":" + number(s.step) +
                ",\"readouts\":" + quoted(readoutText()) + "}";
    return replyText.c_str();
}

}  // extern "C"

int main(int argc, char** argv) {
    Explorer& e = explorer;
    applyPreset(1);
    e.speed = 1.0;
    e.ghost = true;
    e.yaw = 31.0;
    e.pitch = 34.4;
    openExplorerWindow(&argc, argv);
    resetMotion();
    onExplorerKey('z', 0, 0);
    glutMainLoop();
    return 0;
}
