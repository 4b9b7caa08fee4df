// The GL calls a program made, as the preloaded recorder (gl_recorder.cpp)
// wrote them, cut into frames at each buffer swap.
#pragma once

#include <string>
#include <vector>

struct Call {
    std::string name;
    std::vector<double> args;
    std::string text;  // everything after the name, as written
};
using Frame = std::vector<Call>;

// The recorded calls of the file at `path`, frame by frame; calls after the
// last swap belong to no frame.
std::vector<Frame> readFrames(const std::string& path);

// How many frames the file holds so far.
long framesRecorded(const std::string& path);

// LD_PRELOAD for a program whose GL calls are to be recorded: the recorder
// first, but after any sanitizer runtime already preloaded into the test.
std::string recorderPreload(const std::string& recorder);
