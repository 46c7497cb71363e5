#include "workbook/SheetCells.h"

#include <algorithm>
#include <cstdio>

namespace zx {

std::string ErrorText(std::uint8_t code)
{
    switch (code) {
    case 0x00: return "#NULL!";
    case 0x07: return "#DIV/0!";
    case 0x0F: return "#VALUE!";
    case 0x17: return "#REF!";
    case 0x1D: return "#NAME?";
    case 0x24: return "#NUM!";
    case 0x2A: return "#N/A";
    case 0x2B: return "#GETTING_DATA";
    default: {
        // No writer produces other codes; keep them apart from the real ones.
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "#ERR%02X!", code);
        return buffer;
    }
    }
}

void SheetCells::put(unsigned row, unsigned column, Kind kind, std::uint8_t small, double number, std::uint32_t text)
{
    // Places beyond the largest sheet cannot be stored; the readers refuse them first.
    if (row >= static_cast<unsigned>(kMaxReferenceRows) || column >= static_cast<unsigned>(kMaxReferenceColumns))
        return;
    Entry e{ row, static_cast<std::uint16_t>(column), kind, small, {} };
    if (kind == Kind::Text || kind == Kind::ErrorText)
        e.text = text;
    else
        e.number = number;
    entries_.push_back(e);
}

void SheetCells::putNumber(unsigned row, unsigned column, double value) { put(row, column, Kind::Number, 0, value, 0); }

void SheetCells::putText(unsigned row, unsigned column, std::uint32_t textIndex)
{
    put(row, column, Kind::Text, 0, 0, textIndex);
}

void SheetCells::putBoolean(unsigned row, unsigned column, bool value)
{
    put(row, column, Kind::Boolean, static_cast<std::uint8_t>(value ? 1 : 0), 0, 0);
}

void SheetCells::putError(unsigned row, unsigned column, std::uint8_t errorCode)
{
    put(row, column, Kind::Error, errorCode, 0, 0);
}

void SheetCells::putErrorText(unsigned row, unsigned column, std::uint32_t textIndex)
{
    put(row, column, Kind::ErrorText, 0, 0, textIndex);
}

void SheetCells::finish(const TextPool& texts)
{
    const auto byKey = [](const Entry& a, const Entry& b) { return a.key() < b.key(); };
    // Writers put cells row by row, so sorting is mostly skipped.
    if (!std::is_sorted(entries_.begin(), entries_.end(), byKey))
        std::stable_sort(entries_.begin(), entries_.end(), byKey);
    // Keep the last of several cells at one place, and drop empty texts (a
    // zero-length shared string): they hold nothing.
    std::vector<Entry> kept;
    kept.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (i + 1 < entries_.size() && entries_[i + 1].key() == entries_[i].key())
            continue;
        const Entry& e = entries_[i];
        if ((e.kind == Kind::Text || e.kind == Kind::ErrorText) && (e.text >= texts.size() || texts[e.text].empty()))
            continue;
        kept.push_back(e);
    }
    entries_.swap(kept);
    entries_.shrink_to_fit();

    extent_ = {};
    if (!entries_.empty()) {
        unsigned maxColumn = 0;
        for (const Entry& e : entries_)
            maxColumn = std::max<unsigned>(maxColumn, e.column);
        extent_.rows = static_cast<int>(entries_.back().row) + 1;
        extent_.columns = static_cast<int>(maxColumn) + 1;
    }
}

Cell SheetCells::toCell(const Entry& e, const TextPool& texts) const
{
    switch (e.kind) {
    case Kind::Number: return Cell::number(e.number);
    case Kind::Text: return e.text < texts.size() ? Cell::text(texts[e.text]) : Cell();
    case Kind::Boolean: return Cell::boolean(e.small != 0);
    case Kind::Error: return Cell::error(ErrorText(e.small));
    case Kind::ErrorText: return e.text < texts.size() ? Cell::error(texts[e.text]) : Cell();
    }
    return Cell();
}

Cell SheetCells::at(unsigned row, unsigned column, const TextPool& texts) const
{
    if (row >= static_cast<unsigned>(kMaxReferenceRows) || column >= static_cast<unsigned>(kMaxReferenceColumns))
        return Cell();
    const std::uint64_t key = keyOf(row, column);
    const auto it = std::lower_bound(entries_.begin(), entries_.end(), key,
        [](const Entry& e, std::uint64_t k) { return e.key() < k; });
    if (it == entries_.end() || it->key() != key)
        return Cell();
    return toCell(*it, texts);
}

void SheetCells::forEach(const TextPool& texts, const std::function<void(int, int, const Cell&)>& visit) const
{
    for (const Entry& e : entries_)
        visit(static_cast<int>(e.row), static_cast<int>(e.column), toCell(e, texts));
}

} // namespace zx

