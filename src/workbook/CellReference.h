// A1 references ("B7", "$A$1") to row and column, counted from 0, and back.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zx {

struct CellPosition {
    int row = 0;    // 0 is row 1
    int column = 0; // 0 is column A
    friend bool operator==(const CellPosition&, const CellPosition&) = default;
};

// The largest sheet any supported format can hold (1 048 576 rows, columns up
// to XFD); references beyond it are refused.
inline constexpr int kMaxReferenceRows = 1 << 20;
inline constexpr int kMaxReferenceColumns = 1 << 14;

// Parses "B7", "b7", "$B$7", "B$7". Nothing for anything else: ranges, sheet
// names, blanks, row 0, a leading zero in the row, or a position beyond the
// limits above.
std::optional<CellPosition> ParseA1(std::string_view reference);

// "A" for column 0, "Z" for 25, "AA" for 26. Empty for a negative column.
std::string ColumnLetters(int column);

// "B7" for row 6, column 1. Empty for a negative row or column.
std::string ToA1(int row, int column);
inline std::string ToA1(CellPosition p) { return ToA1(p.row, p.column); }

} // namespace zx
