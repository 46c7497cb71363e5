// What the fuzz targets do with a workbook that was read: touch every cell
// and every answer a user of the workbook could ask for.
#pragma once

#include "workbook/Workbook.h"
#include "workbook/WorkbookDump.h"

#include <glib.h>

#include <ostream>
#include <streambuf>

namespace zx::fuzz {

class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// Broken packages are the point here: libgsf's ZIP reader warns about each,
// without a log domain of its own.
inline void quietZipWarnings()
{
    g_log_set_handler(nullptr, static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE),
        [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
}

inline void walkWorkbook(const Workbook& book)
{
    NullBuffer nothing;
    std::ostream sink(&nothing);
    DumpWorkbook(book, sink);
    for (int s = 0; s < book.sheetCount(); ++s) {
        const SheetExtent e = book.extent(s);
        book.cell(s, e.rows - 1, e.columns - 1);
        book.sheetName(s);
    }
}

} // namespace zx::fuzz
