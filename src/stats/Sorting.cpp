#include "stats/Sorting.h"

#include "core/AnalysisRecord.h"
#include "stats/Helpers.h"

#include <cmath>

namespace zx {

namespace {

// Sorts rows 1..n of the work table's column `valueColumn`, carrying
// `tagColumn` along when it is given (-1: nothing carried).
void sortColumns(AnalysisRecord& r, int n, int valueColumn, int tagColumn)
{
    PairTable table(static_cast<std::size_t>(n) + 1, { 0, 0 });
    for (int i = 1; i <= n; ++i)
        table[static_cast<std::size_t>(i)] = { r.SortWerte(i, valueColumn).value_or(0),
            tagColumn >= 0 ? r.SortWerte(i, tagColumn).value_or(0) : 0 };
    ShellSortPairs(n, table);
    for (int i = 1; i <= n; ++i) {
        r.SortWerte(i, valueColumn) = table[static_cast<std::size_t>(i)][0];
        if (tagColumn >= 0)
            r.SortWerte(i, tagColumn) = table[static_cast<std::size_t>(i)][1];
    }
}

} // namespace

void SortSample(AnalysisRecord& r, int arg)
{
    if (r.Datentyp == 1 && (arg == 1 || arg == 2)) {
        const int n = r.AnzahlWerte[arg];
        for (int i = 1; i <= n; ++i)
            r.SortWerte(i, arg + 2) = r.Werte(i, arg);
        sortColumns(r, n, arg + 2, -1);
    } else if (r.Datentyp == 4 && arg == 1) {
        int count = 0;
        for (int i = 1; i <= r.AnzahlWerte[1]; ++i) {
            const double d = r.Differenzen[static_cast<std::size_t>(i)];
            if (d != 0) {
                ++count;
                r.SortWerte(count, 3) = std::fabs(d);
                r.SortWerte(count, 4) = d < 0 ? -1.0 : 1.0;
            }
        }
        sortColumns(r, count, 3, 4);
    } else if (r.Datentyp == 4 && arg == kSortDifferences) {
        const int n = r.AnzahlWerte[1];
        for (int i = 1; i <= n; ++i)
            r.SortWerte(i, 3) = r.Differenzen[static_cast<std::size_t>(i)];
        sortColumns(r, n, 3, -1);
    }
}

} // namespace zx
