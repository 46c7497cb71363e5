// The non-empty cells of one sheet, stored sparsely: a sheet may hold four
// cells at its far corners, or 650 000 numbers. Rows and columns go up to
// the largest sheet of any supported format (1 048 576 rows, 16 384 columns).
#pragma once

#include "workbook/Cell.h"
#include "workbook/Workbook.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zx {

// Texts shared by all sheets of a workbook (the shared-string table first,
// then the texts of single cells), referred to by index.
using TextPool = std::vector<std::string>;

class SheetCells {
public:
    // Cells are put in file order; a later cell at the same place replaces an
    // earlier one. Call finish() once before reading.
    void putNumber(unsigned row, unsigned column, double value);
    void putText(unsigned row, unsigned column, std::uint32_t textIndex);
    void putBoolean(unsigned row, unsigned column, bool value);
    void putError(unsigned row, unsigned column, std::uint8_t errorCode);
    // An error given by its text ("#DIV/0!"), as the XML formats store it.
    void putErrorText(unsigned row, unsigned column, std::uint32_t textIndex);
    void finish(const TextPool& texts);

    Cell at(unsigned row, unsigned column, const TextPool& texts) const;
    SheetExtent extent() const { return extent_; }
    std::size_t size() const { return entries_.size(); }
    void forEach(const TextPool& texts, const std::function<void(int, int, const Cell&)>& visit) const;

private:
    enum class Kind : std::uint8_t { Number, Text, Boolean, Error, ErrorText };
    struct Entry {
        std::uint32_t row;
        std::uint16_t column;
        Kind kind;
        std::uint8_t small; // the boolean or the error code
        union {
            double number;
            std::uint32_t text;
        };
        // Sorting by key sorts row by row.
        std::uint64_t key() const { return keyOf(row, column); }
    };
    static std::uint64_t keyOf(unsigned row, unsigned column) { return (std::uint64_t(row) << 16) | (column & 0xFFFF); }
    void put(unsigned row, unsigned column, Kind kind, std::uint8_t small, double number, std::uint32_t text);
    Cell toCell(const Entry& e, const TextPool& texts) const;

    std::vector<Entry> entries_;
    SheetExtent extent_;
};

// The error code of #NUM!.
inline constexpr std::uint8_t kNumError = 0x24;

// Excel's text for an error code of a BOOLERR or FORMULA record ("#DIV/0!").
std::string ErrorText(std::uint8_t code);

} // namespace zx
