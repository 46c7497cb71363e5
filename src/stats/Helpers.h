// Small routines shared by the tests, the main window and the checks.
#pragma once

#include <array>
#include <vector>

namespace zx {

struct AnalysisRecord;

// Rows 1..n of a two-column table; row 0 is never data. Column 0 holds the
// value the table is ordered by, column 1 a tag that travels with it (the
// sample number in the rank tests).
using PairTable = std::vector<std::array<double, 2>>;

// Orders rows 1..n ascending by the value, carrying the tag along, by gap
// passes that halve the gap (n/2, n/4, ..., 1) and repeat each gap until a
// pass exchanges nothing. Equal values are never exchanged with each other,
// and every value keeps its full precision, so that ties stay ties.
void ShellSortPairs(int n, PairTable& table);

// Exchanges the first and the second sample: values, frequencies, counts,
// names, the sorted columns and every per-sample descriptive value.
void SwapSamples(AnalysisRecord& record);

} // namespace zx
