// The arguments of zerantix-cli: one whole analysis, from the workbook to
// the report, described on the command line.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zx::cli {

enum class OutputFormat { Text, Json };

struct Options {
    std::optional<std::string> workbook; // nothing: blatt.xls in the program folder
    int datentyp = 0;                    // 1 single values ... 4 paired values
    std::array<std::string, 3> ranges;   // [1], [2]: the ranges of the samples
    std::array<std::string, 3> names;    // [1], [2]: the samples' names
    std::string test;                    // as typed: t, welch, ...
    int testList = 0;                    // 1 single values, 2 grouped, 3 paired (main window's lists)
    int testIndex = -1;                  // position in that list
    int hypothesis = 0;                  // 0 two-sided, 1 µ1 < µ2, 2 µ1 > µ2
    std::string level = "5";             // the answer to the level question, as typed
    std::optional<int> check;            // position of the normality test in the check dialog's list
    std::string checkName;
    std::string checkLevel = "5";
    std::optional<char> separator;       // nothing: the region's
    OutputFormat format = OutputFormat::Text;
    bool parameters = false;
};

// What the arguments ask for: an analysis, the help, the version, or an
// error with its German message.
struct Parsed {
    enum class Kind { Run, Help, Version, Error } kind = Kind::Error;
    Options options;
    std::string message;
};

Parsed ParseArguments(const std::vector<std::string>& arguments);

// "zerantix-cli --help": German, with an example per data type.
std::string HelpText();
std::string VersionText();

} // namespace zx::cli
