// Sorting of a sample into the shared work table SortWerte.
#pragma once

namespace zx {

struct AnalysisRecord;

// Argument of SortSample for paired values: the pair differences in
// ascending order into column 3 (column 4 untouched).
inline constexpr int kSortDifferences = 999;

// Single values (Datentyp 1), arg = k: sample k ascending into column k + 2.
// Paired values (Datentyp 4), arg = 1: the absolute values of the non-zero
// differences ascending into column 3, their signs (-1, +1) carried along in
// column 4; arg = 999: the differences ascending into column 3.
// Any other combination does nothing. Rows 1..count are written; ties keep
// whatever order the gap passes leave them in.
void SortSample(AnalysisRecord& record, int arg);

} // namespace zx
