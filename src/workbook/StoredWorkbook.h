// A workbook held whole in memory, as every reader builds it: the sheets with
// their cells, the texts they share, the front sheet and the date system.
// The readers of the single file formats fill a StoredBook and hand it out
// as a StoredWorkbook.
#pragma once

#include "workbook/SheetCells.h"
#include "workbook/Workbook.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace zx {

// Why a reader gives no workbook.
struct ParseFailure {
    ParseFailure() = default;
    ParseFailure(OpenErrorCode c, std::string d, std::string r = {}) : code(c), detail(std::move(d)), reason(std::move(r)) {}

    OpenErrorCode code = OpenErrorCode::Damaged;
    std::string detail; // English, for developers
    std::string reason; // German, for the user, with TooLarge: which limit ("sie enthält mehr als …")
};

// What the readers of the newer formats hold at most, so that a hostile file
// ends in a message instead of exhausting memory: files and unpacked package
// parts up to these sizes, cells and text up to these amounts per workbook.
// A sheet of 1 048 576 rows by 8 columns of numbers fits.
inline constexpr std::size_t kMaxFileBytes = std::size_t(256) << 20;
inline constexpr std::size_t kMaxPartBytes = std::size_t(128) << 20;
inline constexpr std::size_t kMaxCells = std::size_t(8) << 20;
inline constexpr std::size_t kMaxTextBytes = std::size_t(128) << 20;
// Characters in one cell, as in Excel.
inline constexpr std::size_t kMaxCellTextLength = 32767;

struct StoredSheet {
    std::string name;
    SheetVisibility visibility = SheetVisibility::Visible;
    // Shared, because hostile files may point several sheets at one place.
    std::shared_ptr<const SheetCells> cells;
};

struct StoredBook {
    bool dates1904 = false;
    int frontSheet = -1; // index into sheets, -1 when there is no worksheet
    std::vector<StoredSheet> sheets; // the worksheets, in workbook order
    TextPool texts;
};

// "1.048.576": whole numbers for the user's sentences, in German.
std::string GermanCount(std::size_t n);

// What a reader of the newer formats gives: a workbook, or why there is none.
struct ReadOutcome {
    std::unique_ptr<Workbook> workbook;
    ParseFailure failure; // meaningful when there is no workbook
};

// The front sheet a user sees on opening: the active one when it is a
// visible worksheet (activeWorksheet, -1 when the active tab is no
// worksheet), else the first visible worksheet, else the first worksheet; -1
// when there is none.
int ChooseFrontSheet(const std::vector<StoredSheet>& sheets, int activeWorksheet);

class StoredWorkbook : public Workbook {
public:
    explicit StoredWorkbook(StoredBook book);

    int sheetCount() const override;
    std::string sheetName(int sheet) const override;
    SheetVisibility sheetVisibility(int sheet) const override;
    int frontSheet() const override;
    Cell cell(int sheet, int row, int column) const override;
    SheetExtent extent(int sheet) const override;
    void forEachCell(int sheet, const std::function<void(int, int, const Cell&)>& visit) const override;
    bool uses1904Dates() const override;
    using Workbook::cell;

private:
    const StoredSheet* sheet(int index) const;

    StoredBook book_;
};

} // namespace zx
