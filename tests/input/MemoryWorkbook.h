// A workbook held in memory, for tests that need exact cell contents without
// a file.
#pragma once

#include "workbook/Workbook.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace zx::test {

class MemoryWorkbook : public Workbook {
public:
    explicit MemoryWorkbook(std::vector<std::string> sheetNames = { "Tabelle1" }, int front = 0)
        : names_(std::move(sheetNames))
        , front_(front)
        , cells_(names_.size())
    {
    }

    MemoryWorkbook& set(int sheet, const std::string& a1, Cell c)
    {
        const auto p = ParseA1(a1);
        cells_.at(static_cast<std::size_t>(sheet))[{ p->row, p->column }] = std::move(c);
        return *this;
    }
    MemoryWorkbook& set(const std::string& a1, double v) { return set(0, a1, Cell::number(v)); }
    MemoryWorkbook& set(const std::string& a1, const std::string& text) { return set(0, a1, Cell::text(text)); }
    // Numbers down a column from a start cell.
    MemoryWorkbook& column(const std::string& start, const std::vector<double>& values, int sheet = 0)
    {
        const auto p = ParseA1(start);
        for (std::size_t i = 0; i < values.size(); ++i)
            cells_.at(static_cast<std::size_t>(sheet))[{ p->row + static_cast<int>(i), p->column }] = Cell::number(values[i]);
        return *this;
    }

    int sheetCount() const override { return static_cast<int>(names_.size()); }
    std::string sheetName(int sheet) const override
    {
        return sheet >= 0 && sheet < sheetCount() ? names_[static_cast<std::size_t>(sheet)] : std::string();
    }
    SheetVisibility sheetVisibility(int) const override { return SheetVisibility::Visible; }
    int frontSheet() const override { return front_; }
    Cell cell(int sheet, int row, int column) const override
    {
        if (sheet < 0 || sheet >= sheetCount())
            return {};
        const auto& m = cells_[static_cast<std::size_t>(sheet)];
        const auto it = m.find({ row, column });
        return it == m.end() ? Cell() : it->second;
    }
    SheetExtent extent(int sheet) const override
    {
        SheetExtent e;
        if (sheet < 0 || sheet >= sheetCount())
            return e;
        for (const auto& [pos, c] : cells_[static_cast<std::size_t>(sheet)]) {
            e.rows = std::max(e.rows, pos.first + 1);
            e.columns = std::max(e.columns, pos.second + 1);
        }
        return e;
    }
    void forEachCell(int sheet, const std::function<void(int, int, const Cell&)>& visit) const override
    {
        if (sheet < 0 || sheet >= sheetCount())
            return;
        for (const auto& [pos, c] : cells_[static_cast<std::size_t>(sheet)])
            visit(pos.first, pos.second, c);
    }
    using Workbook::cell;

private:
    std::vector<std::string> names_;
    int front_;
    std::vector<std::map<std::pair<int, int>, Cell>> cells_;
};

} // namespace zx::test
