// libFuzzer target over whole .xls files: the OLE2 container (libgsf) and the
// records inside it.
#include "WalkWorkbook.h"

#include "workbook/XlsReader.h"

#include <glib.h>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Broken containers are the point here: keep libgsf's complaints quiet.
    // (It also leaks a little on some of them: see lsan-suppressions.txt.)
    g_log_set_handler("libgsf:msole",
        static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE),
        [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const zx::XlsReadOutcome out = zx::ReadXlsBytes({ data, size });
    if (out.workbook)
        zx::fuzz::walkWorkbook(*out.workbook);
    return 0;
}
