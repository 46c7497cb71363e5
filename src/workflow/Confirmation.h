// The listing with which the user confirms the samples just read.
#pragma once

#include <optional>
#include <string>

namespace zx {

struct AnalysisRecord;

// The data-type line, then the first four rows of each sample (or fewer, when
// a sample has fewer), each number in the number-to-text form with its
// leading blank. Nothing for a data type outside 1..4.
std::optional<std::string> ConfirmationListing(const AnalysisRecord& record);

// The pair differences Werte(i, 1) - Werte(i, 2) of paired values.
void FillDifferences(AnalysisRecord& record);

} // namespace zx
