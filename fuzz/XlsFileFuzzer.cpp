// libFuzzer target over whole .xls files: the OLE2 container (libgsf) and the
// records inside it.
#include "input/WorkbookDump.h"
#include "input/XlsReader.h"

#include <glib.h>

#include <ostream>
#include <streambuf>

namespace {
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Broken containers are the point here: keep libgsf's complaints quiet.
    // (It also leaks a little on some of them: see lsan-suppressions.txt.)
    g_log_set_handler("libgsf:msole", static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE),
        [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const zx::XlsReadOutcome out = zx::ReadXlsBytes({ data, size });
    if (!out.workbook)
        return 0;
    NullBuffer nothing;
    std::ostream sink(&nothing);
    zx::DumpWorkbook(*out.workbook, sink);
    return 0;
}
