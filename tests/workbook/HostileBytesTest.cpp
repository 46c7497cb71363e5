// Whatever the bytes, the readers answer with a workbook or an error: no
// crash, no hang, no read outside the data (the suite also runs under
// AddressSanitizer and UndefinedBehaviorSanitizer). Real workbooks are cut
// short and have single bytes changed, in the container and in the
// workbook stream; packages built to attack (ZIP bombs, entity expansion,
// endless repetition) end in the error that names the limit.
#include "OleWriter.h"
#include "ZipWriter.h"

#include "workbook/CsvReader.h"
#include "workbook/OdsReader.h"
#include "workbook/WorkbookDump.h"
#include "workbook/XlsReader.h"
#include "workbook/XlsxReader.h"

#include <gtest/gtest.h>

#include <glib.h>

#include <filesystem>
#include <functional>
#include <ostream>
#include <streambuf>

namespace zx {
namespace {

namespace fs = std::filesystem;
using namespace zx::test;

const fs::path kData = ZX_WORKBOOK_TEST_DATA;
const fs::path kCorpus = ZX_XLS_CORPUS;

std::vector<fs::path> workbooks()
{
    std::vector<fs::path> out{ kData / "fixture-cells.xls", kData / "fixture-sheets.xls" };
    for (const fs::path& folder : { kCorpus, kCorpus / "other-formats", kData / "xml-corpus" })
        for (const auto& e : fs::directory_iterator(folder)) {
            std::string ext = e.path().extension().string();
            if (ext == ".xls" || ext == ".XLS" || ext == ".xlsx" || ext == ".ods")
                out.push_back(e.path());
        }
    std::sort(out.begin(), out.end());
    return out;
}

// libgsf warns on stderr about every broken container; here that is the
// point, so the warnings are only counted.
int gsfWarnings = 0;
class QuietContainerWarnings : public ::testing::Environment {
public:
    void SetUp() override
    {
        // The ZIP reader warns without a domain of its own.
        for (const char* domain : { "libgsf:msole", static_cast<const char*>(nullptr) })
            g_log_set_handler(domain, static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE),
                [](const gchar*, GLogLevelFlags, const gchar*, gpointer) { ++gsfWarnings; }, nullptr);
    }
};
const auto* const kQuiet = ::testing::AddGlobalTestEnvironment(new QuietContainerWarnings);

// Small and deterministic: the same positions on every run.
class Lcg {
public:
    explicit Lcg(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next()
    {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return state_ >> 33;
    }
    std::size_t below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(next() % n); }

private:
    std::uint64_t state_;
};

class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// Touches everything a user of the workbook could ask for.
void walk(const Workbook& book)
{
    NullBuffer nothing;
    std::ostream out(&nothing);
    DumpWorkbook(book, out);
    for (int s = -1; s <= book.sheetCount(); ++s) {
        const SheetExtent e = book.extent(s);
        book.cell(s, 0, 0);
        book.cell(s, e.rows - 1, e.columns - 1);
        book.cell(s, e.rows, e.columns);
        book.sheetName(s);
        book.sheetVisibility(s);
    }
    const int front = book.frontSheet();
    EXPECT_TRUE(book.sheetCount() == 0 ? front == -1 : (front >= 0 && front < book.sheetCount()));
}

// Every reader that could be handed these bytes: the .xls reader always, the
// package readers when they start like a ZIP file, the text reader when they
// look like text (as OpenWorkbook hands them out).
void readAndWalk(const ByteVector& bytes)
{
    const XlsReadOutcome xls = ReadXlsBytes(bytes);
    if (xls.workbook)
        walk(*xls.workbook);
    else
        EXPECT_FALSE(xls.failure.detail.empty());
    std::vector<ReadOutcome> others;
    if (ZipPackage::signature(bytes)) {
        others.push_back(ReadXlsxBytes(bytes));
        others.push_back(ReadOdsBytes(bytes));
    }
    if (LooksLikeText(bytes))
        others.push_back(ReadCsvBytes(bytes, "x"));
    for (const ReadOutcome& out : others) {
        if (out.workbook)
            walk(*out.workbook);
        else
            EXPECT_FALSE(out.failure.detail.empty());
    }
}

std::vector<ByteVector> streamsOf(const std::vector<fs::path>& files)
{
    std::vector<ByteVector> out;
    for (const fs::path& f : files) {
        const ByteVector bytes = readFile(f.string());
        if (!HasOle2Signature(bytes))
            continue;
        ParseFailure failure;
        if (auto s = ExtractWorkbookStream(bytes, failure))
            out.push_back(std::move(*s));
    }
    return out;
}

TEST(HostileFiles, CutShortAnywhere)
{
    for (const fs::path& f : workbooks()) {
        SCOPED_TRACE(f.filename().string());
        const ByteVector whole = readFile(f.string());
        const std::size_t n = whole.size();
        for (const std::size_t length : { std::size_t{ 0 }, std::size_t{ 1 }, std::size_t{ 8 }, std::size_t{ 100 },
                 std::size_t{ 511 }, std::size_t{ 512 }, std::size_t{ 513 }, std::size_t{ 1536 }, n / 4, n / 3,
                 n / 2, 2 * n / 3, 3 * n / 4, n > 512 ? n - 512 : 0, n > 1 ? n - 1 : 0 }) {
            if (length > n)
                continue;
            SCOPED_TRACE("cut to " + std::to_string(length) + " bytes");
            readAndWalk(ByteVector(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
        }
    }
}

TEST(HostileFiles, SingleBytesChanged)
{
    Lcg rng(20240601);
    for (const fs::path& f : workbooks()) {
        SCOPED_TRACE(f.filename().string());
        const ByteVector whole = readFile(f.string());
        for (int i = 0; i < 40; ++i) {
            ByteVector bytes = whole;
            const std::size_t at = rng.below(bytes.size());
            bytes[at] = static_cast<std::uint8_t>(rng.next());
            SCOPED_TRACE("byte " + std::to_string(at));
            readAndWalk(bytes);
        }
    }
}

// Where the last EOF record of the stream ends; writers may pad the stream
// beyond it.
std::size_t contentEnd(const ByteVector& s)
{
    std::size_t pos = 0;
    std::size_t end = 0;
    while (s.size() - pos >= 4) {
        const std::size_t length = s[pos + 2] | (s[pos + 3] << 8);
        if (s.size() - pos - 4 < length)
            break;
        const bool eof = s[pos] == 0x0A && s[pos + 1] == 0x00;
        pos += 4 + length;
        if (eof)
            end = pos;
    }
    return end;
}

TEST(HostileStreams, CutShortStreamsAreNeverReadInPart)
{
    const auto streams = streamsOf(workbooks());
    ASSERT_FALSE(streams.empty());
    for (const ByteVector& stream : streams) {
        // Every sheet is read to its EOF record, so a stream cut before the
        // last sheet's end must not come back as a workbook.
        const std::size_t end = contentEnd(stream);
        ASSERT_GT(end, 0u);
        for (int k = 0; k < 50; ++k) {
            const std::size_t length = end * static_cast<std::size_t>(k) / 50 + (k % 7);
            const ParseOutcome out = ParseWorkbookStream({ stream.data(), length });
            EXPECT_FALSE(out.workbook.has_value()) << "cut to " << length << " of " << stream.size();
        }
        EXPECT_EQ(ParseWorkbookStream({ stream.data(), end }).workbook.has_value(),
            ParseWorkbookStream(stream).workbook.has_value())
            << "the stream up to its last EOF reads as the whole one";
    }
}

TEST(HostileStreams, BytesChangedAnywhere)
{
    Lcg rng(7);
    for (const ByteVector& stream : streamsOf(workbooks())) {
        for (int i = 0; i < 300; ++i) {
            ByteVector bytes = stream;
            // A single byte, or a 16-bit field set to an extreme.
            const std::size_t at = rng.below(bytes.size());
            if (i % 3 == 0 && at + 1 < bytes.size()) {
                const std::uint8_t v = (i % 2) ? 0xFF : 0x00;
                bytes[at] = v;
                bytes[at + 1] = v;
            } else {
                bytes[at] = static_cast<std::uint8_t>(rng.next());
            }
            const ParseOutcome out = ParseWorkbookStream(bytes);
            if (out.workbook)
                walk(XlsWorkbook(std::move(*out.workbook)));
        }
    }
}

// --- Packages built to attack ---------------------------------------------------

std::string sheetXml(const std::string& inside)
{
    return std::string(kXmlHead) + "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        + inside + "</worksheet>";
}

// The .xlsx of xlsxFile with its first sheet part replaced.
ByteVector xlsxWithSheet(const std::string& sheet)
{
    return zipFile({ { "[Content_Types].xml", "<Types/>" },
        { "xl/workbook.xml",
            "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
            "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
            "<sheets><sheet name=\"S\" r:id=\"r1\"/></sheets></workbook>" },
        { "xl/_rels/workbook.xml.rels",
            "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"r1\" Type=\"x/worksheet\" Target=\"s.xml\"/></Relationships>" },
        { "xl/s.xml", sheet } });
}

// Sets the unpacked size that the package claims for its part name, in the
// local header and the central directory.
void claimSize(ByteVector& zip, const std::string& name, std::uint32_t size)
{
    for (std::size_t i = 0; i + 46 < zip.size(); ++i) {
        const bool local = zip[i] == 'P' && zip[i + 1] == 'K' && zip[i + 2] == 3 && zip[i + 3] == 4;
        const bool central = zip[i] == 'P' && zip[i + 1] == 'K' && zip[i + 2] == 1 && zip[i + 3] == 2;
        if (!local && !central)
            continue;
        const std::size_t nameAt = i + (local ? 30 : 46);
        const std::size_t nameLength = zip[i + (local ? 26 : 28)] | (zip[i + (local ? 27 : 29)] << 8);
        if (nameLength != name.size() || nameAt + nameLength > zip.size()
            || !std::equal(name.begin(), name.end(), zip.begin() + static_cast<std::ptrdiff_t>(nameAt)))
            continue;
        const std::size_t at = i + (local ? 22 : 24);
        for (int k = 0; k < 4; ++k)
            zip[at + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(size >> (8 * k));
    }
}

struct AttackCase {
    const char* name;
    std::function<ByteVector()> make;
    ReadOutcome (*read)(std::span<const std::uint8_t>);
    OpenErrorCode code;
};

class Attacks : public ::testing::TestWithParam<AttackCase> {};

TEST_P(Attacks, EndInTheErrorThatNamesTheLimit)
{
    const ByteVector bytes = GetParam().make();
    const ReadOutcome out = GetParam().read(bytes);
    ASSERT_FALSE(out.workbook);
    EXPECT_EQ(out.failure.code, GetParam().code) << out.failure.detail;
    if (out.failure.code == OpenErrorCode::TooLarge) {
        EXPECT_FALSE(out.failure.reason.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Packages, Attacks,
    ::testing::Values(
        // 130 MB of blanks that pack to 130 KB: refused by the size the package admits.
        AttackCase{ "ZipBomb",
            [] { return xlsxWithSheet(sheetXml("<sheetData>" + std::string(130u << 20, ' ') + "</sheetData>")); },
            ReadXlsxBytes, OpenErrorCode::TooLarge },
        // The same bomb claiming 1 000 bytes: never unpacked beyond them.
        AttackCase{ "ZipBombThatLiesAboutItsSize",
            [] {
                ByteVector zip = xlsxWithSheet(sheetXml("<sheetData>" + std::string(130u << 20, ' ') + "</sheetData>"));
                claimSize(zip, "xl/s.xml", 1000);
                return zip;
            },
            ReadXlsxBytes, OpenErrorCode::Damaged },
        AttackCase{ "EntityExpansion",
            [] {
                std::string doctype = "<!DOCTYPE w [<!ENTITY a \"aaaaaaaaaa\">";
                for (char c = 'b'; c <= 'k'; ++c)
                    doctype += std::string("<!ENTITY ") + c + " \"" + std::string(10, '&') + "\">";
                doctype += "]>";
                return xlsxWithSheet(std::string(kXmlHead) + doctype
                    + "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
                      "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>&k;</t></is></c></row></sheetData></worksheet>");
            },
            ReadXlsxBytes, OpenErrorCode::Damaged },
        // A row of 16 384 cells repeated over all 1 048 576 rows.
        AttackCase{ "RepeatedToTheWholeSheet",
            [] {
                return odsFile("<table:table table:name=\"T\"><table:table-row table:number-rows-repeated=\"1048576\">"
                               "<table:table-cell table:number-columns-repeated=\"16384\" office:value-type=\"float\" "
                               "office:value=\"1\"/></table:table-row></table:table>");
            },
            ReadOdsBytes, OpenErrorCode::TooLarge },
        AttackCase{ "RepeatedBeyondTheSheet",
            [] {
                return odsFile("<table:table table:name=\"T\"><table:table-row table:number-rows-repeated=\"4000000000\"/>"
                               "<table:table-row><table:table-cell office:value-type=\"float\" office:value=\"1\"/>"
                               "</table:table-row></table:table>");
            },
            ReadOdsBytes, OpenErrorCode::TooLarge },
        AttackCase{ "CellsBeyondTheLimit",
            [] {
                std::string rows;
                rows.reserve(kMaxCells * 12);
                for (std::size_t i = 0; i <= kMaxCells / 8; ++i)
                    rows += "<row><c><v>1</v></c><c><v>1</v></c><c><v>1</v></c><c><v>1</v></c><c><v>1</v></c><c><v>1</v></c>"
                            "<c><v>1</v></c><c><v>1</v></c></row>";
                return xlsxWithSheet(sheetXml("<sheetData>" + rows + "</sheetData>"));
            },
            ReadXlsxBytes, OpenErrorCode::TooLarge },
        AttackCase{ "NestedAMillionDeep",
            [] {
                std::string deep;
                for (int i = 0; i < 1'000'000; ++i)
                    deep += "<x>";
                return xlsxWithSheet(sheetXml("<sheetData>" + deep + "</sheetData>"));
            },
            ReadXlsxBytes, OpenErrorCode::Damaged }),
    [](const ::testing::TestParamInfo<AttackCase>& info) { return std::string(info.param.name); });

TEST(HostilePackages, ASheetThatClaimsTheWholeGridHoldsWhatIsInIt)
{
    const ReadOutcome out = ReadXlsxBytes(xlsxWithSheet(sheetXml(
        "<dimension ref=\"A1:XFD1048576\"/><sheetData><row r=\"3\"><c r=\"B3\"><v>1</v></c></row></sheetData>")));
    ASSERT_TRUE(out.workbook) << out.failure.detail;
    EXPECT_EQ(out.workbook->extent(0), (SheetExtent{ 3, 2 }));
}

} // namespace
} // namespace zx
