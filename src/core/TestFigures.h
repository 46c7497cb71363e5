// The numbers behind a test report's lines 5 to 10: the statistic, its
// degrees of freedom and critical value, the sizes the report names and the
// verdict, kept so that output other than the window's is written from the
// same values as the report.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zx {

struct TestFigures {
    std::string statistic;               // as the report names it: "t", "u", "Ux", "z", "Chi²", "R"
    double value = 0;
    std::optional<double> corrected;     // z with the tie correction, which then decides
    std::optional<double> df;            // degrees of freedom
    std::optional<double> critical;      // the limit the statistic is held against
    std::optional<double> criticalUpper; // the U-test's upper limit Uo
    std::vector<std::pair<std::string, double>> counts; // sizes and counts the report names
    std::string verdict;                 // "signifikant", "zufällig", "gegen die Richtung"
};

} // namespace zx
