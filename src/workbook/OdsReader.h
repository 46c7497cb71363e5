// OpenDocument spreadsheets (.ods): the ZIP package through libgsf, its XML
// parts through libxml2's parser. Cells come from the value attributes
// (numbers exactly as written, dates and times as serial numbers from the
// document's null date) and, for texts, from the paragraphs of the cell.
#pragma once

#include "workbook/ZipPackage.h"

namespace zx {

// True when the package holds an OpenDocument spreadsheet.
bool IsOdsPackage(const ZipPackage& package);

ReadOutcome ReadOdsPackage(const ZipPackage& package);

// The bytes of a whole .ods file.
ReadOutcome ReadOdsBytes(std::span<const std::uint8_t> bytes);

} // namespace zx
