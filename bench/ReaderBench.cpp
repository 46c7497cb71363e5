// Reading workbooks: the 65 536-row corpus file, and a generated sheet of
// 65 536 rows by 10 numeric columns in each format (.xls, .xlsx, .ods, .csv),
// each from the file on disk to the finished Workbook; and how soon hostile
// files end in their message. The counter PeakRSS_MB is the process's peak
// resident memory so far: run one benchmark at a time
// (--benchmark_filter=...) to read it for that one.
#include "BiffBuilder.h"
#include "ZipWriter.h"

#include <gsf/gsf-output-stdio.h>

#include "workbook/Workbook.h"
#include "workbook/XlsReader.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <map>

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

// The same numbers as text, as the XML formats and text files hold them.
std::string numberText(unsigned row, unsigned col)
{
    const double v = col < 5 ? row * 0.37 + col / 3.0 : static_cast<double>(row * 10 + col);
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
}

ByteVector numericXlsx()
{
    std::string rows;
    rows.reserve(65536 * 400);
    for (unsigned row = 0; row < 65536; ++row) {
        const std::string r = std::to_string(row + 1);
        rows += "<row r=\"" + r + "\">";
        for (unsigned col = 0; col < 10; ++col)
            rows += "<c r=\"" + std::string(1, static_cast<char>('A' + col)) + r + "\"><v>" + numberText(row, col) + "</v></c>";
        rows += "</row>";
    }
    return xlsxFile({ { "Zahlen", rows } });
}

ByteVector numericOds()
{
    std::string rows;
    rows.reserve(65536 * 900);
    for (unsigned row = 0; row < 65536; ++row) {
        rows += "<table:table-row>";
        for (unsigned col = 0; col < 10; ++col) {
            const std::string t = numberText(row, col);
            rows += "<table:table-cell office:value-type=\"float\" office:value=\"" + t + "\"><text:p>" + t + "</text:p></table:table-cell>";
        }
        rows += "</table:table-row>";
    }
    return odsFile("<table:table table:name=\"Zahlen\">" + rows + "</table:table>");
}

// German: semicolons and decimal commas.
ByteVector numericCsv()
{
    std::string text;
    text.reserve(65536 * 120);
    for (unsigned row = 0; row < 65536; ++row) {
        for (unsigned col = 0; col < 10; ++col) {
            std::string t = numberText(row, col);
            std::replace(t.begin(), t.end(), '.', ',');
            text += t;
            text += col < 9 ? ';' : '\n';
        }
    }
    return ByteVector(text.begin(), text.end());
}

// The generated workbook with the given extension, written once.
const std::string& generatedWorkbook(const std::string& extension = ".xls")
{
    static std::map<std::string, std::string> paths;
    auto& path = paths[extension];
    if (path.empty()) {
        const fs::path p = fs::temp_directory_path() / ("zx-bench-65536x10-" + std::to_string(::getpid()) + extension);
        // Written by a child process, so that the memory it takes does not
        // count in the peak of the reading.
        const pid_t child = ::fork();
        if (child == 0) {
            writeFile(p.string(), extension == ".xls" ? oleFile({ { "Workbook", numericSheetStream() } })
                    : extension == ".xlsx"            ? numericXlsx()
                    : extension == ".ods"             ? numericOds()
                                                      : numericCsv());
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        static bool cleanup = (std::atexit([] {
            for (const auto& [e, p] : paths)
                fs::remove(p);
        }), true);
        (void)cleanup;
        path = p.string();
    }
    return path;
}

double peakRssMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
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
    state.counters["PeakRSS_MB"] = peakRssMegabytes();
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

void BM_ReadGenerated65536x10(benchmark::State& state, const char* extension)
{
    openAndCheck(state, generatedWorkbook(extension), 65536, 10);
    state.SetItemsProcessed(state.iterations() * 655360);
    state.counters["File_MB"] = static_cast<double>(fs::file_size(generatedWorkbook(extension))) / (1 << 20);
}
BENCHMARK_CAPTURE(BM_ReadGenerated65536x10, xls, ".xls")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadGenerated65536x10, xlsx, ".xlsx")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadGenerated65536x10, ods, ".ods")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadGenerated65536x10, csv, ".csv")->Unit(benchmark::kMillisecond);

// An .xlsx whose one sheet holds 1 GB of blanks, written in pieces so that
// the benchmark itself never holds it; lying, the package claims 4 096 bytes.
void writeZipBomb(const std::string& path, bool lying)
{
    gsf_init();
    GError* error = nullptr;
    GsfOutput* file = gsf_output_stdio_new(path.c_str(), &error);
    GsfOutfile* zip = gsf_outfile_zip_new(file, nullptr);
    const auto folder = [](GsfOutfile* parent, const char* name) {
        return GSF_OUTFILE(gsf_outfile_new_child(parent, name, TRUE));
    };
    const auto part = [](GsfOutfile* parent, const char* name, const std::string& text, std::size_t blanks) {
        GsfOutput* out = gsf_outfile_new_child_full(parent, name, FALSE, "compression-level", GSF_ZIP_DEFLATED, nullptr);
        gsf_output_write(out, text.size(), reinterpret_cast<const guint8*>(text.data()));
        const std::string chunk(1 << 20, ' ');
        for (std::size_t i = 0; i < blanks / chunk.size(); ++i)
            gsf_output_write(out, chunk.size(), reinterpret_cast<const guint8*>(chunk.data()));
        gsf_output_close(out);
        g_object_unref(out);
    };
    const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    part(zip, "[Content_Types].xml", "<Types/>", 0);
    GsfOutfile* xl = folder(zip, "xl");
    part(xl, "workbook.xml",
        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" xmlns:r=\"" + rel
            + "\"><sheets><sheet name=\"S\" r:id=\"r1\"/></sheets></workbook>",
        0);
    GsfOutfile* rels = folder(xl, "_rels");
    part(rels, "workbook.xml.rels",
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship Id=\"r1\" Type=\""
            + rel + "/worksheet\" Target=\"s.xml\"/></Relationships>",
        0);
    part(xl, "s.xml", "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>", std::size_t(1) << 30);
    for (GsfOutfile* f : { rels, xl, zip }) {
        gsf_output_close(GSF_OUTPUT(f));
        g_object_unref(f);
    }
    g_object_unref(file);
    if (!lying)
        return;
    ByteVector bytes = readFile(path);
    const std::string name = "xl/s.xml";
    for (std::size_t i = 0; i + 46 < bytes.size(); ++i) {
        const bool local = bytes[i] == 'P' && bytes[i + 1] == 'K' && bytes[i + 2] == 3 && bytes[i + 3] == 4;
        const bool central = bytes[i] == 'P' && bytes[i + 1] == 'K' && bytes[i + 2] == 1 && bytes[i + 3] == 2;
        const std::size_t nameAt = i + (local ? 30 : 46);
        if ((local || central) && nameAt + name.size() <= bytes.size()
            && std::equal(name.begin(), name.end(), bytes.begin() + static_cast<std::ptrdiff_t>(nameAt))) {
            const std::size_t at = i + (local ? 22 : 24);
            bytes[at] = 0x00, bytes[at + 1] = 0x10, bytes[at + 2] = 0, bytes[at + 3] = 0;
        }
    }
    writeFile(path, bytes);
}

// Hostile files, from the file to the message: the ZIP bombs above and a
// text file whose one line holds 10 MB.
void BM_HostileFileToMessage(benchmark::State& state, const char* kind)
{
    static std::map<std::string, std::string> paths;
    std::string& path = paths[kind];
    if (path.empty()) {
        path = (fs::temp_directory_path() / ("zx-bench-hostile-" + std::to_string(::getpid()) + "-" + kind)).string();
        static bool cleanup = (std::atexit([] {
            for (const auto& [k, p] : paths)
                fs::remove(p);
        }), true);
        (void)cleanup;
        const pid_t child = ::fork(); // as above
        if (child == 0) {
            if (std::string(kind) == "csv_10MB_line") {
                std::string line;
                for (int i = 0; i < 5'000'000; ++i)
                    line += "1;";
                writeFile(path, ByteVector(line.begin(), line.end()));
            } else {
                writeZipBomb(path, std::string(kind) == "zip_bomb_lying");
            }
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
    }
    for (auto _ : state) {
        const zx::OpenResult r = zx::OpenWorkbook(path);
        if (r) {
            state.SkipWithError("a hostile file was read as a workbook");
            return;
        }
        benchmark::DoNotOptimize(r.error->message);
    }
    state.counters["PeakRSS_MB"] = peakRssMegabytes();
}
BENCHMARK_CAPTURE(BM_HostileFileToMessage, zip_bomb, "zip_bomb")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileFileToMessage, zip_bomb_lying, "zip_bomb_lying")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileFileToMessage, csv_10MB_line, "csv_10MB_line")->Unit(benchmark::kMillisecond);
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
