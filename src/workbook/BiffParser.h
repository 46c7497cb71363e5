// The records of an Excel 97-2003 (BIFF8) or Excel 5.0/95 (BIFF5/7) workbook
// stream, turned into sheets and cells. Works on bytes in memory only, so that
// any bytes at all can be fed to it.
#pragma once

#include "workbook/SheetCells.h"
#include "workbook/Workbook.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zx {

struct ParsedSheet {
    std::string name;
    SheetVisibility visibility = SheetVisibility::Visible;
    // Shared, because hostile files may point several sheets at one place.
    std::shared_ptr<const SheetCells> cells;
};

struct ParsedWorkbook {
    int biffVersion = 8;     // 8, or 5 for Excel 5.0/95 (BIFF5 and BIFF7 alike)
    unsigned codePage = 1252; // of the 8-bit texts of BIFF5
    bool dates1904 = false;
    int frontSheet = -1;     // index into sheets, -1 when there is no worksheet
    std::vector<ParsedSheet> sheets; // the worksheets, in workbook order
    TextPool texts;
};

struct ParseFailure {
    OpenErrorCode code = OpenErrorCode::Damaged;
    std::string detail; // English, for developers
};

struct ParseOutcome {
    std::optional<ParsedWorkbook> workbook;
    ParseFailure failure; // meaningful when there is no workbook
};

// Reads a workbook stream (the "Workbook" or "Book" stream of the container).
// Never reads outside the bytes given; every length in them is checked.
ParseOutcome ParseWorkbookStream(std::span<const std::uint8_t> stream);

} // namespace zx
