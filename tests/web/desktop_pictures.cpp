// The desktop program's pictures that the web page must equal: the real
// program, started on the current display at its default size (placed at
// the screen's corner, so that every pixel is on the screen), pictured first
// and after 1, 100 and 1000 right-button steps. Each picture is written as
// raw RGB rows, top row first, to OUTPUT_DIR/first.rgb, after-1.rgb,
// after-100.rgb and after-1000.rgb.
// Usage: desktop_pictures PROGRAM OUTPUT_DIR
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "running_program.h"

namespace {

bool save(const WindowImage& image, const std::string& path) {
    std::vector<char> bytes;
    for (const Rgb& p : image.pixels) {
        if (!p.isKnown()) return false;
        bytes.push_back(static_cast<char>(p.r));
        bytes.push_back(static_cast<char>(p.g));
        bytes.push_back(static_cast<char>(p.b));
    }
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: desktop_pictures PROGRAM OUTPUT_DIR\n");
        return 2;
    }
    const std::string program = argv[1];
    const std::string out = argv[2];
    RunningProgram running(program, {program, "-geometry", "300x300+0+0"});
    WindowImage last = running.picture();
    if (!save(last, out + "/first.rgb")) {
        std::fprintf(stderr, "desktop_pictures: the window is not wholly on the screen\n");
        return 1;
    }
    int steps = 0;
    for (const int target : {1, 100, 1000}) {
        while (steps < target) {
            running.click(3);
            if (!running.waitForChange(last)) {
                std::fprintf(stderr, "desktop_pictures: right click %d drew no frame\n", steps + 1);
                return 1;
            }
            last = running.picture();
            ++steps;
        }
        save(running.waitForStill(), out + "/after-" + std::to_string(target) + ".rgb");
    }
    running.pressKey(0x71 /* q */);
    return running.waitForExit() == 0 ? 0 : 1;
}
