// Whatever the bytes, a workbook or an error: no crash, hang or stray read (the
// suite also runs under the sanitizers). Packages built to attack end in the
// error that names the limit.
#include "Corpus.h"
#include "ZipWriter.h"

#include "workbook/CsvReader.h"
#include "workbook/OdsReader.h"
#include "workbook/WorkbookDump.h"
#include "workbook/XlsReader.h"
#include "workbook/XlsxReader.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <sstream>

namespace zx {
namespace {

using namespace zx::test;

// libgsf warns about every broken container; here that is the point.
[[maybe_unused]] const bool kQuiet = [] {
    for (const char* domain : { "libgsf:msole", static_cast<const char*>(nullptr) })
        g_log_set_handler(domain, static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE),
            [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
    return true;
}();

// Touches everything a user of the workbook could ask for.
void walk(const Workbook& book)
{
    std::ostringstream out;
    DumpWorkbook(book, out);
    for (int s = -1; s <= book.sheetCount(); ++s) {
        const SheetExtent e = book.extent(s);
        for (const int d : { -1, 0 })
            book.cell(s, e.rows + d, e.columns + d);
        book.cell(s, 0, 0);
        book.sheetName(s);
        book.sheetVisibility(s);
    }
    const int front = book.frontSheet();
    EXPECT_TRUE(book.sheetCount() == 0 ? front == -1 : (front >= 0 && front < book.sheetCount()));
}

// Every reader OpenWorkbook could hand these bytes to.
void readAndWalk(const ByteVector& bytes)
{
    std::vector<ReadOutcome> outcomes;
    XlsReadOutcome xls = ReadXlsBytes(bytes);
    outcomes.push_back({ std::move(xls.workbook), xls.failure });
    if (ZipPackage::signature(bytes)) {
        outcomes.push_back(ReadXlsxBytes(bytes));
        outcomes.push_back(ReadOdsBytes(bytes));
    }
    if (LooksLikeText(bytes))
        outcomes.push_back(ReadCsvBytes(bytes, "x"));
    for (const ReadOutcome& out : outcomes) {
        if (out.workbook)
            walk(*out.workbook);
        else
            EXPECT_FALSE(out.failure.detail.empty());
    }
}

// Where the last EOF record of a workbook stream ends; writers may pad the stream beyond it.
std::size_t contentEnd(const ByteVector& s)
{
    std::size_t pos = 0, end = 0;
    while (s.size() - pos >= 4) {
        const std::size_t length = s[pos + 2] | (s[pos + 3] << 8);
        if (s.size() - pos - 4 < length)
            break;
        pos += 4 + length;
        if (s[pos - 4 - length] == 0x0A && s[pos - 3 - length] == 0x00)
            end = pos;
    }
    return end;
}

// Each corpus workbook as a file, and its workbook stream alone.
TEST(HostileBytes, CorpusCutShortOrChangedAnywhere)
{
    std::mt19937_64 rng(20240601);
    for (const fs::path& f : corpusWorkbooks()) {
        SCOPED_TRACE(f.filename().string());
        const ByteVector whole = readFile(f.string());
        const std::size_t n = whole.size();
        for (const std::size_t length : { std::size_t{ 0 }, std::size_t{ 1 }, std::size_t{ 8 }, std::size_t{ 100 }, std::size_t{ 511 },
                 std::size_t{ 512 }, std::size_t{ 513 }, std::size_t{ 1536 }, n / 4, n / 3, n / 2, 2 * n / 3, 3 * n / 4, n - 512, n - 1 })
            if (length < n)
                readAndWalk(ByteVector(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
        for (int i = 0; i < 40; ++i) {
            ByteVector bytes = whole;
            bytes[rng() % n] = static_cast<std::uint8_t>(rng());
            readAndWalk(bytes);
        }
        ParseFailure failure;
        const ByteVector stream = HasOle2Signature(whole) ? ExtractWorkbookStream(whole, failure).value_or(ByteVector()) : whole;
        if (stream.size() < 2 || stream[0] != 0x09 || stream[1] != 0x08)
            continue;
        // Every sheet is read to its EOF record, so a stream cut before the
        // last sheet's end never comes back as a workbook.
        const std::size_t end = contentEnd(stream);
        for (std::size_t k = 0; k < 50; ++k) {
            const std::size_t length = std::min(end - 1, end * k / 50 + k % 7);
            EXPECT_FALSE(ParseWorkbookStream({ stream.data(), length }).workbook) << "cut to " << length;
        }
        EXPECT_EQ(ParseWorkbookStream({ stream.data(), end }).workbook.has_value(), ParseWorkbookStream(stream).workbook.has_value());
        for (int i = 0; i < 300; ++i) {
            ByteVector bytes = stream;
            // A single byte, or a 16-bit field set to an extreme.
            const std::size_t at = rng() % (bytes.size() - 1);
            if (i % 3 == 0)
                bytes[at] = bytes[at + 1] = (i % 2) ? 0xFF : 0x00;
            else
                bytes[at] = static_cast<std::uint8_t>(rng());
            ParseOutcome out = ParseWorkbookStream(bytes);
            if (out.workbook)
                walk(XlsWorkbook(std::move(*out.workbook)));
        }
    }
}

// An .xlsx of one sheet with the given rows that claims to unpack to `claimed` bytes (0: as it does).
ByteVector xlsxWithSheet(const std::string& rows, std::uint32_t claimed = 0, const std::string& doctype = {})
{
    ByteVector zip = xlsxFile({ { "S", rows } }, {}, {}, doctype);
    // The sizes in the sheet part's local header and central directory entry.
    const std::string part = "xl/worksheets/sheet1.xml";
    for (std::size_t i = 0; claimed && i + 46 + part.size() < zip.size(); ++i) {
        const bool local = zip[i] == 'P' && zip[i + 1] == 'K' && zip[i + 2] == 3 && zip[i + 3] == 4;
        const bool central = zip[i] == 'P' && zip[i + 1] == 'K' && zip[i + 2] == 1 && zip[i + 3] == 2;
        if ((local || central) && std::equal(part.begin(), part.end(), zip.begin() + static_cast<std::ptrdiff_t>(i + (local ? 30 : 46))))
            for (std::size_t k = 0; k < 4; ++k)
                zip[i + (local ? 22 : 24) + k] = static_cast<std::uint8_t>(claimed >> (8 * k));
    }
    return zip;
}

struct AttackCase {
    const char* name;
    std::function<ByteVector()> make;
    ReadOutcome (*read)(std::span<const std::uint8_t>);
    OpenErrorCode code;
    const char* reason; // what the user is told, for TooLarge
};

class Attacks : public ::testing::TestWithParam<AttackCase> {};

TEST_P(Attacks, EndInTheErrorThatNamesTheLimit)
{
    const ReadOutcome out = GetParam().read(GetParam().make());
    ASSERT_FALSE(out.workbook);
    EXPECT_EQ(out.failure.code, GetParam().code) << out.failure.detail;
    EXPECT_EQ(out.failure.reason, GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(Packages, Attacks,
    ::testing::Values(
        // A sheet part that unpacks to 130 MB, as the package admits: refused unread.
        AttackCase{ "ZipBomb", [] { return xlsxWithSheet("", 130u << 20); }, ReadXlsxBytes, OpenErrorCode::TooLarge,
            "ein Teil der Datei ist entpackt größer als 128 MB" },
        // One that claims 1 000 bytes: never unpacked beyond them.
        AttackCase{ "ZipBombThatLiesAboutItsSize", [] { return xlsxWithSheet(std::string(1u << 20, ' '), 1000); }, ReadXlsxBytes,
            OpenErrorCode::Damaged, "" },
        AttackCase{ "EntityExpansion",
            [] {
                std::string doctype = "<!DOCTYPE w [<!ENTITY a \"aaaaaaaaaa\">";
                for (char c = 'b'; c <= 'k'; ++c)
                    doctype += std::string("<!ENTITY ") + c + " \"" + repeated(std::string("&") + static_cast<char>(c - 1) + ";", 10) + "\">";
                return xlsxWithSheet("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>&k;</t></is></c></row>", 0, doctype + "]>");
            },
            ReadXlsxBytes, OpenErrorCode::Damaged, "" },
        AttackCase{ "RepeatedToTheWholeSheet",
            [] {
                return odsFile("<table:table table:name=\"T\"><table:table-row table:number-rows-repeated=\"1048576\">"
                               "<table:table-cell table:number-columns-repeated=\"16384\" office:value-type=\"float\" "
                               "office:value=\"1\"/></table:table-row></table:table>");
            },
            ReadOdsBytes, OpenErrorCode::TooLarge, "sie enthält mehr als 8.388.608 gefüllte Zellen" },
        AttackCase{ "RepeatedBeyondTheSheet",
            [] {
                return odsFile("<table:table table:name=\"T\"><table:table-row table:number-rows-repeated=\"4000000000\"/>"
                               "<table:table-row><table:table-cell office:value-type=\"float\" office:value=\"1\"/>"
                               "</table:table-row></table:table>");
            },
            ReadOdsBytes, OpenErrorCode::TooLarge, "sie enthält Werte jenseits der Zeile 1.048.576 oder der Spalte XFD" },
        AttackCase{ "NestedAMillionDeep", [] { return xlsxWithSheet(repeated("<x>", 1'000'000)); }, ReadXlsxBytes,
            OpenErrorCode::Damaged, "" }),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace zx
