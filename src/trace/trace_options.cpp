// The trace tool's options and its usage.
#include "trace_options.h"

#include <CLI/CLI.hpp>

#include "option_values.h"

namespace {

const char* const kColumns =
    "\n"
    "Columns:\n"
    "  step, t, omega1, omega2, omega3, spin_rate, turn_angle_degrees: the model's\n"
    "    own values (it derives the last two from step 1 on, so row 0 shows 0);\n"
    "    t is the model's own clock, a sum of steps, which strays from n * H by\n"
    "    rounding;\n"
    "  exact_omega1, exact_omega3: the closed-form motion at n * H (not at t);\n"
    "  error: the distance between the integrated and the exact omega;\n"
    "  exact_omega2: the closed form's second component;\n"
    "  energy_drift, momentum_drift: the relative change since step 0 of 2E and\n"
    "    of |L|^2 = I1^2 W1^2 + I2^2 W2^2 + I3^2 W3^2 along the integration\n"
    "    (0 when the starting value is 0);\n"
    "  attitude_w, attitude_x, attitude_y, attitude_z: the unit quaternion that\n"
    "    takes body coordinates to scene coordinates, the identity at t = 0,\n"
    "    integrated from omega with a fourth-order step (renormalised each step);\n"
    "  drawn_axis_gap_degrees: the angle between the box's long axis (body y) as\n"
    "    the window draws it, turned by turn_angle_degrees about\n"
    "    (omega1, omega2, -omega3), and as the integrated attitude places it;\n"
    "  exact_attitude_w, exact_attitude_x, exact_attitude_y, exact_attitude_z:\n"
    "    the same quaternion in closed form, at n * H;\n"
    "  attitude_error_degrees: the angle of the rotation that takes the\n"
    "    integrated attitude to the exact one.\n"
    "\n"
    "--describe prints name=value lines instead: kind, one of\n"
    "  rest        omega = 0;\n"
    "  steady      omega never changes: a spin about one principal axis, or any\n"
    "              spin of a body with three equal moments;\n"
    "  symmetric   two equal moments: omega precesses about the symmetry axis;\n"
    "  elliptic    three different moments: omega circles the axis of the\n"
    "              largest or the smallest moment (circled_axis, 1 to 3, and\n"
    "              circled_moment, largest or smallest);\n"
    "  separatrix  between the two: omega never comes back;\n"
    "then moments, twice_energy, momentum_squared, max_rate (the largest\n"
    "|omega| over the motion), omega_period (inf on the separatrix; none where\n"
    "omega never changes), for three different moments, modulus, and step\n"
    "with step_chosen (yes when no --step was given).\n";

}  // namespace

CommandLine readTraceOptions(int argc, const char* const* argv, TraceOptions& options,
                             std::string& text) {
    CLI::App app(
        "Steps the free box with no window, for any box and any spin, by the window\n"
        "program's RK4 or another integrator, and writes its angular velocity and\n"
        "attitude as CSV beside the exact motion of the free body.\n",
        "spinning-box-trace");
    app.set_help_flag("--help", "show this text");
    app.get_formatter()->column_width(20);
    addSpinOptions(app, options.spin);
    addValueOption(
        app, "--steps", "N",
        "steps after the initial state (default 1000, 0 to " + std::to_string(kMaxCount) + ")",
        [&options](const std::string& value) { return readCount(value, 0, options.steps); });
    addValueOption(
        app, "--every", "K",
        "print every K-th step (default 1, 1 to " + std::to_string(kMaxCount) + ")",
        [&options](const std::string& value) { return readCount(value, 1, options.every); });
    addValueOption(
        app, "--integrator", "NAME",
        "the stepper of omega and the attitude (default rk4, the window\n"
        "program's step); the names are listed below",
        [&options](const std::string& value) { return readIntegrator(value, options.integrator); });
    app.add_flag("--describe", options.describe, "describe the motion instead of tracing it");
    app.footer("The form --name=value works too; each option may be given once.\n\n" +
               stepBoundHelp() +
               "  These bounds are rk4's; the other integrators take any step up to the\n"
               "  largest, and the run stops with status 1 if omega leaves the finite\n"
               "  numbers.\n\nIntegrators:\n" +
               integratorList() + kColumns);

    const CommandLine outcome = readCommandLine(app, argc, argv, text);
    if (outcome == CommandLine::Help) {
        text = app.help();
    } else if (outcome == CommandLine::Run) {
        // Nothing is integrated for a description, so no step is too large.
        text = checkOneBody(options.spin);
        if (text.empty()) {
            chooseStepIfNotGiven(options.spin);
        }
        if (text.empty() && !options.describe &&
            (options.integrator == nullptr || options.integrator->step == stepRk4)) {
            text = checkStepBound(options.spin, options.steps);
        }
        if (!text.empty()) {
            return CommandLine::Refused;
        }
    }
    return outcome;
}
