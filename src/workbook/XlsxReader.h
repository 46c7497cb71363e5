// Office Open XML workbooks (.xlsx, .xlsm): the ZIP package through libgsf,
// its XML parts through libxml2's parser. Cells come from the worksheets'
// cell values: numbers exactly as written, the cached results of formulas,
// shared and inline texts, booleans, errors, dates as serial numbers.
#pragma once

#include "workbook/StoredWorkbook.h"
#include "workbook/ZipPackage.h"

#include <cstdint>
#include <memory>
#include <span>

namespace zx {

// True when the package holds an Office Open XML workbook.
bool IsXlsxPackage(const ZipPackage& package);

ReadOutcome ReadXlsxPackage(const ZipPackage& package);

// The bytes of a whole .xlsx file.
ReadOutcome ReadXlsxBytes(std::span<const std::uint8_t> bytes);

} // namespace zx
