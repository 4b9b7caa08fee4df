// The tools' command lines, read with CLI11 under one contract: options as
// `--name value` or `--name=value`, each at most once; anything else, a
// missing value or a bad one is refused with one line that names the option
// and the value.
#pragma once

#include <functional>
#include <string>

namespace CLI {
class App;
}  // namespace CLI

// What the command line asks for.
enum class CommandLine { Run, Help, Refused };

// Reads a value: "" when it is good (and taken), else what is wrong with it.
using ValueReader = std::function<std::string(const std::string&)>;

// Adds the option `name`, shown in the usage as `name valueName`, whose value
// `read` checks and takes.
void addValueOption(CLI::App& app, const std::string& name, const std::string& valueName,
                    const std::string& description, const ValueReader& read);

// Reads argv with `app`. On Refused, `error` is the one line to show.
CommandLine readCommandLine(CLI::App& app, int argc, const char* const* argv, std::string& error);
