// libFuzzer target of the .ods reader: a whole file (the ZIP package, its
// manifest, content and settings). Bytes that are no ZIP package become the
// spreadsheet body of content.xml in a small package, so that the fuzzer
// reaches the XML of tables, rows and cells directly.
#include "WalkWorkbook.h"
#include "ZipWriter.h"

#include "workbook/OdsReader.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    zx::fuzz::quietZipWarnings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const zx::ReadOutcome out = zx::ZipPackage::signature(bytes)
        ? zx::ReadOdsBytes(bytes)
        : zx::ReadOdsBytes(zx::test::odsFile(std::string(reinterpret_cast<const char*>(data), size)));
    if (out.workbook)
        zx::fuzz::walkWorkbook(*out.workbook);
    return 0;
}
