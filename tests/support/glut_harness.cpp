#include "glut_harness.h"

#include <GL/freeglut.h>
#include <GL/glx.h>

#include <chrono>
#include <cmath>
#include <stdexcept>
#include <thread>

#include "app.h"
#include "spin_state.h"

// The test binary is linked with --wrap=glutIdleFunc and
// --wrap=glutSwapBuffers: every call the program makes reaches the real
// toolkit, and the harness learns which idle handler is installed and how
// many frames were shown, which the toolkit does not report.
namespace {
void (*installedIdle)() = nullptr;
long swaps = 0;
long stepsAtFirstSwap = -1;
}  // namespace

extern "C" void __real_glutIdleFunc(void (*callback)());
extern "C" void __wrap_glutIdleFunc(void (*callback)()) {
    installedIdle = callback;
    __real_glutIdleFunc(callback);
}

extern "C" void __real_glutSwapBuffers();
extern "C" void __wrap_glutSwapBuffers() {
    ++swaps;
    if (stepsAtFirstSwap < 0) stepsAtFirstSwap = stepsTaken();
    __real_glutSwapBuffers();
}

long framesDrawn() { return swaps; }

long stepsAtFirstFrame() { return stepsAtFirstSwap; }

void runLoop(int iterations) {
    for (int i = 0; i < iterations; ++i) {
        glutMainLoopEvent();
        if (installedIdle != nullptr) installedIdle();
    }
}

void runLoopFor(int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        runLoop(1);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

bool runLoopUntil(const std::function<bool()>& done, int milliseconds) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        runLoopFor(2);
    }
    return true;
}

void settle() {
    // The toolkit shares its connection with GLX: a round trip puts every
    // event the server has for it in the queue, and an iteration handles them
    // and draws whatever they asked for. Handling may ask the server for more
    // (a resize, say), so this repeats until a round trip brings nothing new.
    Display* display = glXGetCurrentDisplay();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    do {
        XSync(display, False);
        runLoop(1);
    } while (XPending(display) > 0 && std::chrono::steady_clock::now() < deadline);
    runLoop(1);
}

long stepsTaken() { return std::lround(spinState.elapsed / spinState.timeStep); }

void startProgramWindow() {
    static char name[] = "spinning-box-test";
    static char* argv[] = {name, nullptr};
    int argc = 1;
    openWindow(&argc, argv);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (stepsTaken() == 0) {
        if (std::chrono::steady_clock::now() > deadline) throw std::runtime_error("no first frame");
        runLoopFor(10);
    }
    // The window's exposure may reach the toolkit with the first frame or
    // after it, and draw once more. Once the window is viewable and every
    // event the server has for it is handled, nothing more comes unasked on
    // a display that is the test's own.
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    XWindowAttributes attributes{};
    while (XGetWindowAttributes(display, window, &attributes) != 0 &&
           attributes.map_state != IsViewable) {
        if (std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("the window never became viewable");
        runLoopFor(10);
    }
    runLoopFor(100);
    settle();
}

WindowImage captureProgramWindow() {
    glFinish();
    Display* display = glXGetCurrentDisplay();
    XSync(display, False);
    return captureWindow(display, glXGetCurrentDrawable());
}
