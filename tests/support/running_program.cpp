#include "running_program.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

std::set<Window> topLevelWindows(Display* display) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::set<Window> result;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) != 0) {
        result.insert(children, children + count);
        XFree(children);
    }
    return result;
}

bool isViewable(Display* display, Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

// A frame has the white background and something drawn on it; a window that
// is mapped but not yet drawn into has neither.
bool showsAFrame(const WindowImage& image) {
    bool white = false;
    bool drawn = false;
    for (const Rgb& p : image.pixels) {
        if (!p.isKnown()) continue;
        white = white || p.isWhite();
        drawn = drawn || !p.isWhite();
    }
    return white && drawn;
}

}  // namespace

void pause(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

RunningProgram::RunningProgram(const std::string& path, const std::vector<std::string>& arguments,
                               const std::vector<std::string>& environment) {
    display_ = XOpenDisplay(nullptr);
    if (display_ == nullptr) throw std::runtime_error("cannot open the display");
    const std::set<Window> before = topLevelWindows(display_);

    char outputTemplate[] = "/tmp/spinning-box-output-XXXXXX";
    const int outputFd = mkstemp(outputTemplate);
    if (outputFd < 0) throw std::runtime_error("cannot make an output file");
    outputPath_ = outputTemplate;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outputFd, 1);
    posix_spawn_file_actions_adddup2(&actions, outputFd, 2);
    std::vector<char*> argv;
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (char** e = environ; *e != nullptr; ++e) envp.push_back(*e);
    for (const std::string& e : environment) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    const int failed =
        posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(outputFd);
    if (failed != 0) throw std::runtime_error("cannot start " + path);

    // The new top-level window, once it is viewable and shows its first frame.
    const auto deadline = Clock::now() + std::chrono::seconds(15);
    while (Clock::now() < deadline && running()) {
        for (const Window w : topLevelWindows(display_)) {
            if (before.count(w) == 0 && isViewable(display_, w)) window_ = w;
        }
        if (window_ != 0 && showsAFrame(picture())) return;
        pause(20);
    }
    throw std::runtime_error("no window with a first frame appeared");
}

RunningProgram::~RunningProgram() {
    if (running()) {
        kill(pid_, SIGKILL);
        waitForExit(5000);
    }
    if (!outputPath_.empty()) unlink(outputPath_.c_str());
    if (display_ != nullptr) XCloseDisplay(display_);
}

WindowImage RunningProgram::picture() const {
    XSync(display_, False);
    return captureWindow(display_, window_);
}

void RunningProgram::prepareInput() {
    XWindowAttributes attributes;
    XGetWindowAttributes(display_, window_, &attributes);
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(display_, window_, attributes.root, attributes.width / 2,
                          attributes.height / 2, &x, &y, &child);
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
    XSync(display_, False);
}

void RunningProgram::pressKey(unsigned long keysym, bool shift) {
    prepareInput();
    const KeyCode shiftCode = XKeysymToKeycode(display_, XK_Shift_L);
    const KeyCode code = XKeysymToKeycode(display_, keysym);
    if (code == 0) throw std::runtime_error("no key for that symbol");
    if (shift) XTestFakeKeyEvent(display_, shiftCode, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    if (shift) XTestFakeKeyEvent(display_, shiftCode, False, CurrentTime);
    XSync(display_, False);
}

void RunningProgram::button(unsigned int xButton, bool press) {
    prepareInput();
    XTestFakeButtonEvent(display_, xButton, press ? True : False, CurrentTime);
    XSync(display_, False);
}

void RunningProgram::click(unsigned int xButton) {
    button(xButton, true);
    button(xButton, false);
}

void RunningProgram::requestClose() {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window_;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window_, False, NoEventMask, &event);
    XSync(display_, False);
}

bool RunningProgram::waitForChange(const WindowImage& before, int milliseconds) const {
    const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (Clock::now() < deadline) {
        if (picture() != before) return true;
        pause(10);
    }
    return false;
}

WindowImage RunningProgram::waitForStill(int quietMilliseconds) const {
    WindowImage last = picture();
    for (int attempt = 0; attempt < 20; ++attempt) {
        pause(quietMilliseconds);
        WindowImage now = picture();
        if (now == last) return now;
        last = now;
    }
    throw std::runtime_error("the picture never stopped changing");
}

bool RunningProgram::running() {
    if (status_ != -1 || pid_ <= 0) return false;
    int status = 0;
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == 0) return true;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
    return false;
}

int RunningProgram::waitForExit(int milliseconds) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (running() && Clock::now() < deadline) pause(10);
    if (running()) return -1;
    return status_ >= 1000 ? -1 : status_;
}

std::string RunningProgram::output() const {
    std::ifstream file(outputPath_);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}
