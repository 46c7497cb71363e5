#include "workbook/WorkbookDump.h"

#include <charconv>
#include <cmath>

namespace zx {

std::string DumpNumber(double value)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value > 0 ? "inf" : "-inf";
    if (std::fabs(value) < 1e15 && value == std::trunc(value))
        return std::to_string(static_cast<long long>(value));
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string DumpEscape(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default: out += c; break;
        }
    }
    return out;
}

void DumpWorkbook(const Workbook& workbook, std::ostream& out)
{
    const int sheets = workbook.sheetCount();
    for (int s = 0; s < sheets; ++s)
        out << "sheet\t" << s << '\t' << DumpEscape(workbook.sheetName(s)) << '\n';
    for (int s = 0; s < sheets; ++s) {
        workbook.forEachCell(s, [&](int row, int column, const Cell& cell) {
            out << s << '!' << ToA1(row, column) << '\t';
            switch (cell.kind()) {
            case CellKind::Number: out << "n\t" << DumpNumber(cell.numberValue()); break;
            case CellKind::Text: out << "s\t" << DumpEscape(cell.textValue()); break;
            case CellKind::Boolean: out << "b\t" << (cell.booleanValue() ? 1 : 0); break;
            case CellKind::Error: out << "e\t" << DumpEscape(cell.textValue()); break;
            case CellKind::Empty: break;
            }
            out << '\n';
        });
    }
}

void DumpError(const OpenError& error, std::ostream& out)
{
    out << "error\t" << OpenErrorCodeName(error.code) << '\t' << DumpEscape(error.message) << '\n';
}

} // namespace zx
