// The desktop program's pictures that the web page must equal: the real
// program, started on the current display at its default size (placed at
// the screen's corner, so that every pixel is on the screen), pictured first
// and after 1, 100 and 1000 right-button steps. Each picture is written as
// raw RGB rows, top row first, to OUTPUT_DIR/first.rgb, after-1.rgb,
// after-100.rgb and after-1000.rgb.
// The first picture must be of the first frame: the window program lights
// its axes by the normal the box left behind, so a second frame (a late
// expose or resize, under load) looks different. Its frames are counted
// with the GL recorder, and the program started again until the picture
// taken once it is still is of its only frame.
// Usage: desktop_pictures PROGRAM OUTPUT_DIR
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "recorded_frames.h"
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
    char record[] = "/tmp/spinning-box-pictures-gl-XXXXXX";
    close(mkstemp(record));
    const std::vector<std::string> environment = {"LD_PRELOAD=" + recorderPreload(GL_RECORDER_PATH),
                                                  std::string("GL_RECORD_OUT=") + record};
    std::unique_ptr<RunningProgram> started;
    WindowImage last;
    for (int attempt = 0; attempt < 5; ++attempt) {
        started = std::make_unique<RunningProgram>(
            program, std::vector<std::string>{program, "-geometry", "300x300+0+0"}, environment);
        last = started->waitForStill();
        if (framesRecorded(record) == 1) break;
        std::fprintf(stderr, "desktop_pictures: %ld frames before the first picture; again\n",
                     framesRecorded(record));
        started->pressKey(0x71 /* q */);
        started->waitForExit();
        started.reset();
    }
    unlink(record);
    if (!started) {
        std::fprintf(stderr, "desktop_pictures: never a picture of the first frame alone\n");
        return 1;
    }
    RunningProgram& running = *started;
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
