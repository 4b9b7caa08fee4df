// The trace tool run as a user runs it, and its CSV read back.
#pragma once

#include <string>
#include <vector>

struct TraceResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the trace tool with these arguments, its two outputs kept apart.
TraceResult runTrace(const std::vector<std::string>& arguments);
// The same for any program.
TraceResult runCommand(const std::string& program, const std::vector<std::string>& arguments);

// A CSV table: the header's names and the rows of numbers.
struct TraceTable {
    std::vector<std::string> names;
    std::vector<std::vector<double>> rows;
    // The index of the column with this name; the test fails without one.
    size_t column(const std::string& name) const;
    double at(size_t row, const std::string& name) const { return rows[row][column(name)]; }
};
TraceTable readTable(const std::string& csv);

// Runs the tool and reads its table, failing the test if it does not succeed.
TraceTable traceTable(const std::vector<std::string>& arguments);
