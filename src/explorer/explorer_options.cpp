// The explorer's command line: the trace tool's box and spin options, read
// by the same code, and the speed.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <string>

#include "command_line.h"
#include "explorer.h"
#include "option_values.h"

namespace {

const char* const kControls =
    "Controls:\n"
    "  z / x               run / stop\n"
    "  right button        one step\n"
    "  Escape, q, Q        quit\n"
    "  + / -               double / halve the speed\n"
    "  1 to 6              presets: 1 the window program's box and spin, 2 the flip\n"
    "                      of a 1 x 2 x 3 box, 3 a stable spin near the largest\n"
    "                      moment, 4 one near the smallest, 5 a start close to the\n"
    "                      separatrix, 6 a symmetric top\n"
    "  g                   show or hide the exact attitude's outline (the ghost)\n"
    "  p                   Poinsot's construction instead of the box, and back\n"
    "  b                   the inset at twice its size, and back\n"
    "  r                   back to the start\n"
    "  i                   the next integrator, from the start\n"
    "  drag, left button   turn the camera about the centre\n"
    "  left button on the  start again with L pointing there, as large as it was\n"
    "    sphere (corner)\n"
    "  wheel               nearer, farther\n";

}  // namespace

int readExplorerOptions(int argc, char** argv) {
    Explorer& e = explorer;
    CLI::App app(
        "Shows the true motion of any box: its integrated attitude, the exact one\n"
        "as an outline, the angular momentum, omega, and Poinsot's picture.\n",
        "spinning-box-explorer");
    app.set_help_flag("--help", "show this text");
    app.get_formatter()->column_width(20);
    addSpinOptions(app, e.start);
    addValueOption(app, "--speed", "S",
                   "time units a second (default 1), from 1/1024 to 1024; + and - double\n"
                   "and halve it",
                   [](const std::string& text) { return readSpeed(text, e.speed); });
    addValueOption(app, "--integrator", "NAME",
                   "the stepper of the box (default rk4, the window program's step);\n"
                   "i chooses the next; the names are listed below",
                   [](const std::string& text) { return readIntegrator(text, e.integrator); });
    app.footer(std::string("The form --name=value works too; each option may be given once.\n\n") +
               "What you see:\n" + whatYouSee() + "\n" + kControls + "\n" + stepBoundHelp() +
               "The explorer keeps these bounds over 100 time units of steps.\n\nIntegrators:\n" +
               integratorList());
    std::string text;
    const CommandLine outcome = readCommandLine(app, argc, argv, text);
    if (outcome == CommandLine::Help) {
        std::fputs(app.help().c_str(), stdout);
        return 0;
    }
    if (outcome == CommandLine::Run) {
        text = prepareExplorerStart(e.start);
    }
    if (!text.empty()) {
        std::fprintf(stderr, "spinning-box-explorer: %s (see --help)\n", text.c_str());
        return 2;
    }
    for (const char* name : {"--sides", "--moments", "--omega", "--step"}) {
        if (app.count(name) > 0) {
            e.name = "the command line's box";
            e.preset = -1;
        }
    }
    return -1;
}
