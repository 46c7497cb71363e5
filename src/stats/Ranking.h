// Average ranks of a table of values with tags, as the rank tests use them.
#pragma once

#include "stats/Helpers.h"

#include <vector>

namespace zx {

struct RankedRows {
    // Rows 1..n ascending by value, each tag still beside its value; row 0 is
    // never data.
    PairTable rows;
    // rank[i] is the rank of rows[i]; runs of equal values share the mean of
    // their places. rank[0] is unused.
    std::vector<double> rank;
    // Sum of t^3 - t over the runs of t equal values, the tie term of the
    // variance of a rank sum; whole, so it is summed without rounding.
    long long tieSum = 0;
};

// Sorts rows 1..n of `rows` (n = rows.size() - 1) by the program's Shell
// sort and ranks them. Values are compared exactly, so only equal values tie.
RankedRows RankRows(PairTable rows);

} // namespace zx
