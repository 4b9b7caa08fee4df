#include "trace_runner.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

extern char** environ;

namespace {

std::string slurp(const std::string& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    unlink(path.c_str());
    return text.str();
}

}  // namespace

TraceResult runTrace(const std::vector<std::string>& arguments) {
    return runCommand(SPINNING_BOX_TRACE_PATH, arguments);
}

TraceResult runCommand(const std::string& program, const std::vector<std::string>& arguments) {
    char outPath[] = "/tmp/trace-out-XXXXXX";
    char errPath[] = "/tmp/trace-err-XXXXXX";
    const int out = mkstemp(outPath);
    const int err = mkstemp(errPath);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out, 1);
    posix_spawn_file_actions_adddup2(&actions, err, 2);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    TraceResult result;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(out);
    close(err);
    result.out = slurp(outPath);
    result.err = slurp(errPath);
    return result;
}

size_t TraceTable::column(const std::string& name) const {
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) return i;
    }
    ADD_FAILURE() << "no column " << name;
    return 0;
}

TraceTable readTable(const std::string& csv) {
    std::istringstream lines(csv);
    std::string line;
    TraceTable table;
    std::getline(lines, line);
    std::istringstream header(line);
    for (std::string name; std::getline(header, name, ',');) table.names.push_back(name);
    while (std::getline(lines, line)) {
        std::vector<double> row;
        std::istringstream fields(line);
        // strtod, unlike stod, also reads numbers too small to be normal.
        for (std::string field; std::getline(fields, field, ',');) {
            row.push_back(std::strtod(field.c_str(), nullptr));
        }
        table.rows.push_back(row);
    }
    return table;
}

TraceTable traceTable(const std::vector<std::string>& arguments) {
    const TraceResult result = runTrace(arguments);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    return readTable(result.out);
}
