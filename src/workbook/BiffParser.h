// The records of an Excel 97-2003 (BIFF8) or Excel 5.0/95 (BIFF5/7) workbook
// stream, turned into sheets and cells. Works on bytes in memory only, so that
// any bytes at all can be fed to it.
#pragma once

#include "workbook/StoredWorkbook.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zx {

using ParsedSheet = StoredSheet;

struct ParsedWorkbook : StoredBook {
    int biffVersion = 8;     // 8, or 5 for Excel 5.0/95 (BIFF5 and BIFF7 alike)
    unsigned codePage = 1252; // of the 8-bit texts of BIFF5
};

struct ParseOutcome {
    std::optional<ParsedWorkbook> workbook;
    ParseFailure failure; // meaningful when there is no workbook
};

// Reads a workbook stream (the "Workbook" or "Book" stream of the container).
// Never reads outside the bytes given; every length in them is checked.
ParseOutcome ParseWorkbookStream(std::span<const std::uint8_t> stream);

} // namespace zx
