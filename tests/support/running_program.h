// The real program, started as a user starts it, on the real display, and
// worked with real input events sent through the X server (XTest).
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <string>
#include <vector>

#include "x11_image.h"

class RunningProgram {
  public:
    // Starts `path` with the given argument vector (arguments[0] is argv[0])
    // and this process's environment plus `environment` ("NAME=value"), its
    // output captured, and waits for its window and first frame.
    RunningProgram(const std::string& path, const std::vector<std::string>& arguments,
                   const std::vector<std::string>& environment = {});
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    Window window() const { return window_; }
    Display* display() const { return display_; }
    WindowImage picture() const;

    // Real input: the window is focused and the pointer put inside it first.
    void pressKey(unsigned long keysym, bool shift = false);
    void button(unsigned int xButton, bool press);
    void click(unsigned int xButton);
    // The close request a window manager sends for its close button.
    void requestClose();

    // Waits for a picture different from `before`; false if none comes.
    bool waitForChange(const WindowImage& before, int milliseconds = 5000) const;
    // Waits until two pictures `quietMilliseconds` apart are identical and
    // returns that picture.
    WindowImage waitForStill(int quietMilliseconds = 400) const;

    // Waits for the process to end; its exit status, or -1 if it was killed
    // by a signal or is still running after the timeout.
    int waitForExit(int milliseconds = 5000);
    bool running();
    // Everything the program wrote to stdout and stderr.
    std::string output() const;

  private:
    void prepareInput();
    pid_t pid_ = -1;
    int status_ = -1;
    Display* display_ = nullptr;
    Window window_ = 0;
    std::string outputPath_;
};

// Sleeps the test's own thread.
void pause(int milliseconds);
