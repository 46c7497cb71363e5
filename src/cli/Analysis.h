// One whole analysis without windows, as zerantix-cli runs it: the data
// manager reads the ranges, "Wahl des TESTS", the test and hypothesis, the
// assumption check when one is asked for, "Ergebnisse" with the level, and
// the report texts, all through the same Qt-free code the windows call.
#pragma once

#include "cli/CommandLine.h"

#include <string>

namespace zx::cli {

// Exit statuses: a result; bad arguments or data the input refuses; a test
// that is not possible or refused after a failed check.
inline constexpr int kResult = 0;
inline constexpr int kRefusedInput = 2;
inline constexpr int kNotPossible = 3;

struct Outcome {
    int status = kResult;
    std::string out; // the report, only with a result
    std::string err; // the German message, and notices such as the U-test's exchange
};

// `programFolder`: where the program lives, for finding blatt.xls as the
// windows do; `builtInExamples`: the example folder of the build.
Outcome RunAnalysis(const Options& options, const std::string& programFolder, const std::string& builtInExamples);

} // namespace zx::cli
