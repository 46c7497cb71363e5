// The printed critical-value tables of the LORD, U and WILCOXON tests.
//
// Each table is held as the fixed-column text rows it has always been
// printed in and is read by one lookup, by character position, so that the
// rows can be compared with the printed page line by line.
#pragma once

#include "core/AnalysisRecord.h"
#include "stats/TestOutcome.h"

#include <optional>
#include <span>

namespace zx {

// LORD test, Lord's u for n1 = n2 = n, n = 3..20. Rows of 15 characters:
// n right-aligned in characters 1-3, the limit for alpha = 5 % in 5-9, for
// 1 % in 11-15. One table for the one-sided alternatives, one for the
// two-sided.
std::span<const char* const> LordRows(Alternative alternative);
// The limit for n and alpha (exactly 0.05 or 0.01); nothing for an n the
// table does not hold or another alpha.
std::optional<double> LordTable(Alternative alternative, int n, double alpha);

// U-test: lower critical values W of the rank sum of the smaller sample
// (significant when the rank sum is <= W). Three tables by the level they
// serve two-sided: 10 (one-sided 5 %), 5 (one-sided 2.5 %) and 1 (one-sided
// 0.5 %). Rows are m (the larger size) in characters 1-2 followed by one
// field per n = 3..m: a blank and the number right-aligned in three
// characters, all blank where the table has no value.
std::span<const char* const> UTestRows(int twoSidedPercent);
// The limit for n <= m; 0 where the table has no value (a blank field, an m
// without row, n outside 3..m), which no rank sum reaches. Nothing when
// alpha selects no table: two-sided 0.1, 0.05, 0.01, one-sided 0.05, 0.025,
// 0.005, compared exactly.
std::optional<Single> UTestTable(Alternative alternative, int n, int m, double alpha);

// WILCOXON test: critical values of the smaller signed-rank sum R
// (significant when R <= value) for n' = 6..29 non-zero differences. n' in
// characters 1-2; field k (1..4) in characters 4k to 4k+2, read with the
// leading-number rule. Fields 1 to 4 serve one-sided 5, 2.5, 1, 0.5 % and
// two-sided 10, 5, 2, 1 %.
std::span<const char* const> WilcoxonRows();
// The value for n' and alpha; nothing for an n' outside the table or an
// alpha without column.
std::optional<double> WilcoxonTable(Alternative alternative, int nPrime, double alpha);

} // namespace zx
