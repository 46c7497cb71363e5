// libFuzzer target of the .xlsx reader: a whole file (the ZIP package, its
// relationships, workbook, shared strings and sheets). Bytes that are no ZIP
// package become the sheet part of a small package, so that the fuzzer
// reaches the XML of cells without first having to learn deflate.
#include "WalkWorkbook.h"
#include "ZipWriter.h"

#include "workbook/XlsxReader.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    zx::fuzz::quietZipWarnings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    zx::ReadOutcome out;
    if (zx::ZipPackage::signature(bytes)) {
        out = zx::ReadXlsxBytes(bytes);
    } else {
        const zx::test::ByteVector package = zx::test::xlsxFile(
            { { "Tabelle1", std::string(reinterpret_cast<const char*>(data), size) } }, { "a", "b" });
        out = zx::ReadXlsxBytes(package);
    }
    if (out.workbook)
        zx::fuzz::walkWorkbook(*out.workbook);
    return 0;
}
