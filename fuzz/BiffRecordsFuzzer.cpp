// libFuzzer target over the record parser: any bytes as a workbook stream.
// What parses is walked completely, as a user of the workbook would.
#include "WalkWorkbook.h"

#include "workbook/BiffParser.h"
#include "workbook/XlsReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    zx::ParseOutcome out = zx::ParseWorkbookStream({ data, size });
    if (out.workbook)
        zx::fuzz::walkWorkbook(zx::XlsWorkbook(std::move(*out.workbook)));
    return 0;
}
