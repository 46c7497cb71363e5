#include "workbook/StoredWorkbook.h"

namespace zx {

int ChooseFrontSheet(const std::vector<StoredSheet>& sheets, int activeWorksheet)
{
    const int count = static_cast<int>(sheets.size());
    if (activeWorksheet >= 0 && activeWorksheet < count
        && sheets[static_cast<std::size_t>(activeWorksheet)].visibility == SheetVisibility::Visible)
        return activeWorksheet;
    // The active tab is a chart, hidden or missing: the first visible
    // worksheet is what a user would see first.
    for (int i = 0; i < count; ++i)
        if (sheets[static_cast<std::size_t>(i)].visibility == SheetVisibility::Visible)
            return i;
    return count > 0 ? 0 : -1;
}

StoredWorkbook::StoredWorkbook(StoredBook book) : book_(std::move(book)) {}

const StoredSheet* StoredWorkbook::sheet(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= book_.sheets.size())
        return nullptr;
    return &book_.sheets[static_cast<std::size_t>(index)];
}

int StoredWorkbook::sheetCount() const { return static_cast<int>(book_.sheets.size()); }

std::string StoredWorkbook::sheetName(int index) const
{
    const StoredSheet* s = sheet(index);
    return s ? s->name : std::string();
}

SheetVisibility StoredWorkbook::sheetVisibility(int index) const
{
    const StoredSheet* s = sheet(index);
    return s ? s->visibility : SheetVisibility::Visible;
}

int StoredWorkbook::frontSheet() const { return book_.frontSheet; }

Cell StoredWorkbook::cell(int index, int row, int column) const
{
    const StoredSheet* s = sheet(index);
    if (!s || !s->cells || row < 0 || column < 0)
        return Cell();
    return s->cells->at(static_cast<unsigned>(row), static_cast<unsigned>(column), book_.texts);
}

SheetExtent StoredWorkbook::extent(int index) const
{
    const StoredSheet* s = sheet(index);
    return s && s->cells ? s->cells->extent() : SheetExtent{};
}

void StoredWorkbook::forEachCell(int index, const std::function<void(int, int, const Cell&)>& visit) const
{
    if (const StoredSheet* s = sheet(index); s && s->cells)
        s->cells->forEach(book_.texts, visit);
}

bool StoredWorkbook::uses1904Dates() const { return book_.dates1904; }

std::string GermanCount(std::size_t n)
{
    std::string digits = std::to_string(n);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += '.';
        out += digits[i];
    }
    return out;
}

} // namespace zx
