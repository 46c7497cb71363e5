// Text files of values (.csv, .txt) as a workbook of one sheet, the way a
// spreadsheet opens them: the separator found from the first lines (";" as
// German spreadsheets write it, "," or a tab), the decimal separator from
// the numbers ("1,5" or "1.5"), UTF-8 with or without byte-order mark,
// UTF-16 with one, else Windows-1252.
#pragma once

#include "workbook/StoredWorkbook.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zx {

// True when the first bytes of a file read as text rather than as binary data.
bool LooksLikeText(std::span<const std::uint8_t> head);

// The whole file; the sheet is named sheetName.
ReadOutcome ReadCsvBytes(std::span<const std::uint8_t> bytes, const std::string& sheetName);

// How a file's values are separated, as found from its first lines.
struct CsvDialect {
    char separator = ';';
    char decimal = ',';
};
CsvDialect DetectCsvDialect(std::string_view utf8Text);

// A field as a number in the dialect's notation ("1,5", "-1.234,5", "2,5E-3",
// "12,5 %"), or nothing when it is no number.
std::optional<double> CsvNumber(std::string_view field, char decimal);

} // namespace zx
