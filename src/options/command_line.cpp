// CLI11 does the reading: it splits `--name=value`, takes the value that
// follows `--name`, finds options by name, notices a missing value, keeps
// what it does not know, shows the usage, and hands each value to its
// reader. This file only words its findings as the tools always have.
#include "command_line.h"

#include <CLI/CLI.hpp>

void addValueOption(CLI::App& app, const std::string& name, const std::string& valueName,
                    const std::string& description, const ValueReader& read) {
    // The option's own copy of the text is not used: the reader takes the
    // value. Every occurrence is kept, so that a second one can be refused.
    app.add_option(name, description)
        ->type_name(valueName)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->check(CLI::Validator([read](std::string& text) { return read(text); }, ""));
}

CommandLine readCommandLine(CLI::App& app, int argc, const char* const* argv, std::string& error) {
    app.allow_extras();
    // CLI11 would take "--help=anything" as a call for help.
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--help=", 0) == 0) {
            error = "unknown option '" + argument + "'";
            return CommandLine::Refused;
        }
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        return CommandLine::Help;
    } catch (const CLI::ValidationError& e) {
        error = e.what();  // "--name: " and the reader's words
        return CommandLine::Refused;
    } catch (const CLI::ArgumentMismatch& e) {
        // The one mismatch an option that takes one value can meet: none given.
        const std::string what = e.what();
        error = what.substr(0, what.find(':')) + " needs a value";
        return CommandLine::Refused;
    } catch (const CLI::ParseError& e) {
        error = e.what();
        return CommandLine::Refused;
    }
    if (!app.remaining().empty()) {
        error = "unknown option '" + app.remaining().front() + "'";
        return CommandLine::Refused;
    }
    for (const CLI::Option* option : app.get_options()) {
        if (option->count() > 1) {
            std::string values;
            if (option->get_expected_max() > 0) {  // not a flag
                for (const std::string& value : option->results()) {
                    values += (values.empty() ? " ('" : ", '") + value + "'";
                }
                values += ")";
            }
            error = option->get_name() + ": given " + std::to_string(option->count()) + " times" +
                    values + "; give it once";
            return CommandLine::Refused;
        }
    }
    return CommandLine::Run;
}
