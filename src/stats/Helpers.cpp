#include "stats/Helpers.h"

#include "core/AnalysisRecord.h"

#include <stdexcept>
#include <utility>

namespace zx {

void ShellSortPairs(int n, PairTable& table)
{
    if (n < 2)
        return;
    if (static_cast<std::size_t>(n) >= table.size())
        throw std::out_of_range("ShellSortPairs: Tabelle kleiner als n");
    for (int gap = n / 2; gap >= 1; gap /= 2) {
        bool exchanged = true;
        while (exchanged) {
            exchanged = false;
            for (int i = 1; i <= n - gap; ++i) {
                auto& a = table[static_cast<std::size_t>(i)];
                auto& b = table[static_cast<std::size_t>(i + gap)];
                if (a[0] > b[0]) {
                    std::swap(a, b);
                    exchanged = true;
                }
            }
        }
    }
}

void SwapSamples(AnalysisRecord& r)
{
    r.Werte.swapColumns(1, 2);
    r.Haeufigkeit.swapColumns(1, 2);
    // Columns 3 and 4 of the work table hold the sorted samples 1 and 2.
    r.SortWerte.swapColumns(3, 4);
    r.forEachPerSampleField([](auto& field) { std::swap(field[1], field[2]); });
}

} // namespace zx
