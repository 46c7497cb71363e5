// libFuzzer target over the record parser: any bytes as a workbook stream.
// What parses is walked completely, as a user of the workbook would.
#include "input/BiffParser.h"
#include "input/WorkbookDump.h"
#include "input/XlsReader.h"

#include <ostream>
#include <streambuf>

namespace {
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    zx::ParseOutcome out = zx::ParseWorkbookStream({ data, size });
    if (!out.workbook)
        return 0;
    const zx::XlsWorkbook book(std::move(*out.workbook));
    NullBuffer nothing;
    std::ostream sink(&nothing);
    zx::DumpWorkbook(book, sink);
    for (int s = 0; s < book.sheetCount(); ++s) {
        const zx::SheetExtent e = book.extent(s);
        book.cell(s, e.rows - 1, e.columns - 1);
    }
    return 0;
}
