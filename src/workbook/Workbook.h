// The one interface through which the program reads workbooks, whatever their
// file format, and the opener that picks the reader for a file.
#pragma once

#include "workbook/Cell.h"
#include "workbook/CellReference.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace zx {

enum class SheetVisibility { Visible, Hidden, VeryHidden };

// The rows and columns that hold something, counted from row 0 and column 0:
// a sheet whose last value sits in C5 has 5 rows and 3 columns, whatever size
// the file claims. An empty sheet has 0 and 0.
struct SheetExtent {
    int rows = 0;
    int columns = 0;
    bool empty() const { return rows == 0 || columns == 0; }
    friend bool operator==(const SheetExtent&, const SheetExtent&) = default;
};

// A workbook read into memory. Sheets are the worksheets in workbook order
// (chart sheets and macro sheets are not listed), counted from 0. Every query
// with a sheet, row or column outside the workbook answers with nothing (an
// empty cell, an empty name) instead of failing.
class Workbook {
public:
    virtual ~Workbook() = default;

    virtual int sheetCount() const = 0;
    virtual std::string sheetName(int sheet) const = 0;
    virtual SheetVisibility sheetVisibility(int sheet) const = 0;
    // The sheet in front when the workbook was last saved; -1 only when the
    // workbook has no worksheet at all.
    virtual int frontSheet() const = 0;
    virtual Cell cell(int sheet, int row, int column) const = 0;
    virtual SheetExtent extent(int sheet) const = 0;
    // Calls visit for every non-empty cell of the sheet, row by row, column by
    // column.
    virtual void forEachCell(int sheet,
        const std::function<void(int row, int column, const Cell&)>& visit) const = 0;
    // True when date serial numbers count from 1904-01-01 instead of 1900.
    virtual bool uses1904Dates() const { return false; }

    Cell cell(int sheet, CellPosition p) const { return cell(sheet, p.row, p.column); }
    // The cell at an A1 reference such as "B7"; empty for a malformed reference.
    Cell cell(int sheet, std::string_view a1) const
    {
        const auto p = ParseA1(a1);
        return p ? cell(sheet, *p) : Cell();
    }
};

enum class OpenErrorCode {
    FileNotFound,
    NotReadable,  // no permission, a folder, an input/output error
    NotAWorkbook, // another format: a picture, a web page, another ZIP file, Excel 2.x-4.0, an empty file
    Encrypted,    // protected with a password
    Damaged,      // looks like a workbook but its structure is broken
    TooLarge,     // holds more than the readers take in (see StoredWorkbook.h)
};

// A short fixed name of the code for logs and tools: "not-found",
// "not-readable", "not-a-workbook", "encrypted", "damaged", "too-large".
std::string_view OpenErrorCodeName(OpenErrorCode code);

struct OpenError {
    OpenErrorCode code = OpenErrorCode::Damaged;
    std::string message; // one or two German sentences for the user
    std::string detail;  // what exactly was wrong, for developers (English)
};

// Either a workbook or the reason there is none.
struct OpenResult {
    std::unique_ptr<Workbook> workbook;
    std::optional<OpenError> error;
    explicit operator bool() const { return workbook != nullptr; }
};

// Opens the workbook at path (UTF-8) read-only, reads it whole and closes the
// file again: the file is never changed, locked or kept open. The format is
// told by the content, whatever the file's name: Excel 97-2003 (BIFF8) and
// Excel 5.0/95 (BIFF5/7) workbooks, Office Open XML (.xlsx) and OpenDocument
// (.ods) workbooks, and text files of values (.csv, .txt) are read;
// everything else gives an error.
OpenResult OpenWorkbook(const std::string& path);

} // namespace zx
