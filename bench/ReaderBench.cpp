// Reading workbooks: the 65 536-row corpus file, and a generated sheet of
// 65 536 rows by 10 numeric columns, each from the file on disk to the
// finished Workbook.
#include "BiffBuilder.h"
#include "OleWriter.h"

#include "workbook/Workbook.h"
#include "workbook/XlsReader.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using namespace zx::test;

// 65 536 rows of 10 numbers as Excel stores them: five doubles in NUMBER
// records and five whole numbers in one MULRK record per row.
ByteVector numericSheetStream()
{
    ByteVector cells;
    cells.reserve(65536 * 130);
    for (unsigned row = 0; row < 65536; ++row) {
        for (unsigned col = 0; col < 5; ++col) {
            const ByteVector r = numberRecord(row, col, row * 0.37 + col / 3.0);
            cells.insert(cells.end(), r.begin(), r.end());
        }
        ByteVector mulrk;
        put16(mulrk, row);
        put16(mulrk, 5);
        for (unsigned col = 5; col < 10; ++col) {
            put16(mulrk, 15);
            put32(mulrk, ((row * 10 + col) << 2) | 2u);
        }
        put16(mulrk, 9);
        const ByteVector r = record(0x00BD, mulrk);
        cells.insert(cells.end(), r.begin(), r.end());
    }
    BookLayout layout;
    layout.sheets = { { "Zahlen", 0, 0, std::move(cells) } };
    return buildStream(layout);
}

const std::string& generatedWorkbook()
{
    static const std::string path = [] {
        const fs::path p = fs::temp_directory_path() / ("zx-bench-65536x10-" + std::to_string(::getpid()) + ".xls");
        writeFile(p.string(), oleFile({ { "Workbook", numericSheetStream() } }));
        std::atexit([] { fs::remove(fs::temp_directory_path() / ("zx-bench-65536x10-" + std::to_string(::getpid()) + ".xls")); });
        return p.string();
    }();
    return path;
}

void openAndCheck(benchmark::State& state, const std::string& path, int expectedRows, int expectedColumns)
{
    for (auto _ : state) {
        const zx::OpenResult r = zx::OpenWorkbook(path);
        if (!r) {
            state.SkipWithError(("cannot read " + path + ": " + r.error->detail).c_str());
            return;
        }
        const zx::SheetExtent e = r.workbook->extent(0);
        if (e.rows != expectedRows || e.columns != expectedColumns) {
            state.SkipWithError("unexpected sheet size");
            return;
        }
        benchmark::DoNotOptimize(e);
    }
}

void BM_ReadCorpus65536Rows(benchmark::State& state)
{
    const std::string path = std::string(ZX_XLS_CORPUS) + "/readxl_65536-rows-xls.xls";
    if (!fs::exists(path)) {
        state.SkipWithError("the .xls corpus is not there");
        return;
    }
    openAndCheck(state, path, 65536, 1);
}
BENCHMARK(BM_ReadCorpus65536Rows)->Unit(benchmark::kMillisecond);

void BM_ReadGenerated65536x10(benchmark::State& state)
{
    openAndCheck(state, generatedWorkbook(), 65536, 10);
    state.SetItemsProcessed(state.iterations() * 655360);
}
BENCHMARK(BM_ReadGenerated65536x10)->Unit(benchmark::kMillisecond);

// The same workbook read, then every cell looked up once, column by column,
// as the data manager walks down a marked column.
void BM_ReadGenerated65536x10AndLookUpEveryCell(benchmark::State& state)
{
    for (auto _ : state) {
        const zx::OpenResult r = zx::OpenWorkbook(generatedWorkbook());
        double sum = 0;
        for (int col = 0; col < 10; ++col)
            for (int row = 0; row < 65536; ++row)
                sum += r.workbook->cell(0, row, col).numberValue();
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 655360);
}
BENCHMARK(BM_ReadGenerated65536x10AndLookUpEveryCell)->Unit(benchmark::kMillisecond);

// Only the records, without file and container.
void BM_ParseStream65536x10(benchmark::State& state)
{
    static const ByteVector stream = numericSheetStream();
    for (auto _ : state) {
        zx::ParseOutcome out = zx::ParseWorkbookStream(stream);
        benchmark::DoNotOptimize(out.workbook);
    }
}
BENCHMARK(BM_ParseStream65536x10)->Unit(benchmark::kMillisecond);

} // namespace
