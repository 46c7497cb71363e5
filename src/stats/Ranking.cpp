#include "stats/Ranking.h"

namespace zx {

RankedRows RankRows(PairTable rows)
{
    RankedRows out;
    if (rows.empty())
        rows.push_back({ 0, 0 });
    const int n = static_cast<int>(rows.size()) - 1;
    ShellSortPairs(n, rows);
    out.rank.assign(rows.size(), 0);
    int runStart = 1;
    for (int i = 1; i <= n; ++i) {
        if (i < n && rows[static_cast<std::size_t>(i)][0] == rows[static_cast<std::size_t>(i) + 1][0])
            continue;
        // Places runStart..i form one run of equal values.
        const long long t = i - runStart + 1;
        const double average = (runStart + i) / 2.0;
        for (int j = runStart; j <= i; ++j)
            out.rank[static_cast<std::size_t>(j)] = average;
        out.tieSum += t * t * t - t;
        runStart = i + 1;
    }
    out.rows = std::move(rows);
    return out;
}

} // namespace zx
