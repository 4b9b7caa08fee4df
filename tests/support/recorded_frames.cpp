#include "recorded_frames.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

std::vector<Frame> readFrames(const std::string& path) {
    std::ifstream file(path);
    std::vector<Frame> frames(1);
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        Call call;
        fields >> call.name;
        const size_t space = line.find(' ');
        call.text = space == std::string::npos ? "" : line.substr(space + 1);
        for (double value = 0; fields >> value;) call.args.push_back(value);
        frames.back().push_back(call);
        if (call.name == "glutSwapBuffers") frames.emplace_back();
    }
    frames.pop_back();
    return frames;
}

long framesRecorded(const std::string& path) {
    std::ifstream file(path);
    long count = 0;
    for (std::string line; std::getline(file, line);) count += line == "glutSwapBuffers";
    return count;
}

// The recorder must come before any GL library that is preloaded as well
// (the sanitizer build preloads Mesa's), or the program's calls would bind
// to that library; only a sanitizer runtime has to come first.
std::string recorderPreload(const std::string& recorder) {
    std::istringstream preloaded(std::getenv("LD_PRELOAD") != nullptr ? std::getenv("LD_PRELOAD")
                                                                      : "");
    std::string runtimes;
    std::string others;
    for (std::string library; preloaded >> library;)
        (library.find("san") != std::string::npos ? runtimes : others) += library + " ";
    return runtimes + recorder + " " + others;
}
