// The lines of the section "ZUSATZANGABEN" below a test report: each figure
// with its value, its confidence interval and the method in a few German
// words, numbers with the regional decimal separator.
#pragma once

#include "core/Supplement.h"

#include <string>
#include <vector>

namespace zx {

inline constexpr const char* kSupplementHeading = "ZUSATZANGABEN";

// The heading and the figures' lines, without line breaks.
std::vector<std::string> SupplementLines(const Supplement& supplement);

// A p-value as the section prints it: four decimals, "< 0,0001" below that.
std::string PValueText(double p);

} // namespace zx
