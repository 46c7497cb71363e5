// Samples of each data type put straight into an analysis record, as the
// data manager leaves them.
#pragma once

#include "core/AnalysisRecord.h"

#include <vector>

namespace zx::test {

inline void SetClassGroups(AnalysisRecord& r, int k, const std::vector<double>& midpoints, const std::vector<int>& frequencies)
{
    r.Datentyp = 2;
    r.AnzahlWerte[k] = static_cast<Integer>(midpoints.size());
    for (std::size_t i = 0; i < midpoints.size(); ++i) {
        r.Werte(static_cast<int>(i) + 1, k) = midpoints[i];
        r.Haeufigkeit(static_cast<int>(i) + 1, k) = static_cast<Integer>(frequencies[i]);
    }
}

inline void SetSingleValues(AnalysisRecord& r, int k, const std::vector<double>& values)
{
    SetClassGroups(r, k, values, std::vector<int>(values.size(), 1));
    r.Datentyp = 1;
}

// Both columns, with their differences.
inline void SetPairs(AnalysisRecord& r, const std::vector<double>& first, const std::vector<double>& second)
{
    r.Datentyp = 4;
    r.AnzahlWerte[1] = r.AnzahlWerte[2] = static_cast<Integer>(first.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        r.Werte(row, 1) = first[i];
        r.Werte(row, 2) = second[i];
        r.Haeufigkeit(row, 1) = r.Haeufigkeit(row, 2) = 1;
        r.Differenzen[i + 1] = first[i] - second[i];
    }
}

} // namespace zx::test
