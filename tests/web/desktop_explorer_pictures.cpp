// The desktop explorer's pictures that the explorer's web page must equal:
// the real explorer, stopped, on presets 1, 2 and 5 (keys "1", "2", "5"),
// pictured at the start of each and after 1 and 500 right-button steps.
// The window is moved to the screen's corner first. Each picture is written
// as raw RGB rows, top row first, to OUTPUT_DIR/explorer-PRESET-STEPS.rgb.
// Usage: desktop_explorer_pictures EXPLORER OUTPUT_DIR
#include <X11/Xlib.h>
#include <X11/keysym.h>

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
        std::fprintf(stderr, "usage: desktop_explorer_pictures EXPLORER OUTPUT_DIR\n");
        return 2;
    }
    const std::string program = argv[1];
    const std::string out = argv[2];
    RunningProgram running(program, {program});
    // Wholly on the screen: the toolkit's default place leaves a corner off it.
    XMoveWindow(running.display(), running.window(), 0, 0);
    XSync(running.display(), False);
    running.pressKey(XK_x);
    const struct {
        unsigned long key;
        const char* name;
    } presets[] = {{XK_1, "1"}, {XK_2, "2"}, {XK_5, "5"}};
    for (const auto& preset : presets) {
        running.pressKey(preset.key);
        int steps = 0;
        for (const int target : {0, 1, 500}) {
            while (steps < target) {
                running.click(3);
                ++steps;
            }
            const std::string path =
                out + "/explorer-" + preset.name + "-" + std::to_string(target) + ".rgb";
            if (!save(running.waitForStill(), path)) {
                std::fprintf(stderr,
                             "desktop_explorer_pictures: the window is not wholly on the screen\n");
                return 1;
            }
        }
    }
    running.pressKey(XK_q);
    return running.waitForExit() == 0 ? 0 : 1;
}
