// Readable gtest messages for the reader's value types.
#pragma once

#include "workbook/Workbook.h"

#include <ostream>

namespace zx {

inline void PrintTo(const Cell& c, std::ostream* os)
{
    static const char* kinds[] = { "empty", "number", "text", "boolean", "error" };
    *os << kinds[static_cast<int>(c.kind())];
    if (c.isNumber() || c.isBoolean())
        *os << ' ' << c.numberValue();
    if (c.isText() || c.isError())
        *os << " \"" << c.textValue() << '"';
}

inline void PrintTo(const SheetExtent& e, std::ostream* os) { *os << e.rows << " rows x " << e.columns << " columns"; }

} // namespace zx
