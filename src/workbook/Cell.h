// One cell of a workbook as the rest of the program sees it, whatever the
// file format it came from.
#pragma once

#include <string>
#include <utility>

namespace zx {

enum class CellKind { Empty, Number, Text, Boolean, Error };

// A cell value. Dates are numbers (their serial values in the workbook's date
// system), as spreadsheet automation hands them out. Text is UTF-8. A text of
// length zero counts as empty: nothing is shown in such a cell and nothing can
// be read from it.
class Cell {
public:
    Cell() = default;

    static Cell number(double value) { return Cell(CellKind::Number, value, {}); }
    static Cell text(std::string utf8)
    {
        if (utf8.empty())
            return Cell();
        return Cell(CellKind::Text, 0.0, std::move(utf8));
    }
    static Cell boolean(bool value) { return Cell(CellKind::Boolean, value ? 1.0 : 0.0, {}); }
    // errorText is the error as the spreadsheet shows it, e.g. "#DIV/0!".
    static Cell error(std::string errorText) { return Cell(CellKind::Error, 0.0, std::move(errorText)); }

    CellKind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == CellKind::Empty; }
    bool isNumber() const { return kind_ == CellKind::Number; }
    bool isText() const { return kind_ == CellKind::Text; }
    bool isBoolean() const { return kind_ == CellKind::Boolean; }
    bool isError() const { return kind_ == CellKind::Error; }

    // The number of a number cell; 1 or 0 for a boolean; 0 otherwise.
    double numberValue() const { return number_; }
    bool booleanValue() const { return kind_ == CellKind::Boolean && number_ != 0.0; }
    // The text of a text cell, the error text of an error cell; empty otherwise.
    const std::string& textValue() const { return text_; }

    friend bool operator==(const Cell& a, const Cell& b)
    {
        if (a.kind_ != b.kind_)
            return false;
        switch (a.kind_) {
        case CellKind::Empty:
            return true;
        case CellKind::Number:
            // NaN cells compare equal to each other: they came from the same bits.
            return a.number_ == b.number_ || (a.number_ != a.number_ && b.number_ != b.number_);
        case CellKind::Boolean:
            return a.number_ == b.number_;
        case CellKind::Text:
        case CellKind::Error:
            return a.text_ == b.text_;
        }
        return false;
    }

private:
    Cell(CellKind kind, double number, std::string text)
        : kind_(kind), number_(number), text_(std::move(text))
    {
    }

    CellKind kind_ = CellKind::Empty;
    double number_ = 0.0;
    std::string text_;
};

} // namespace zx
