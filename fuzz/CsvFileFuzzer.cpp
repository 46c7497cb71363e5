// libFuzzer target of the text-file reader: any bytes as a .csv file
// (decoding, separator and decimal detection, quotes, numbers).
#include "WalkWorkbook.h"

#include "workbook/CsvReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const zx::ReadOutcome out = zx::ReadCsvBytes({ data, size }, "Daten");
    if (out.workbook)
        zx::fuzz::walkWorkbook(*out.workbook);
    return 0;
}
