// The text form of xlsdump, and the text decoding beneath it.
#include "BiffBuilder.h"

#include "core/TextDecoding.h"
#include "workbook/WorkbookDump.h"
#include "workbook/XlsReader.h"

#include "ReadNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

namespace zx {
namespace {

using namespace zx::test;

struct NumberCase {
    double value;
    const char* text;
};

class DumpNumbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(DumpNumbers, ShortestTextThatReadsBack)
{
    const NumberCase c = GetParam();
    EXPECT_EQ(DumpNumber(c.value), c.text);
    if (!std::isnan(c.value)) {
        EXPECT_EQ(test::ReadNumber(c.text), c.value == 0 ? 0.0 : c.value) << "reads back";
    }
}

INSTANTIATE_TEST_SUITE_P(Values, DumpNumbers,
    ::testing::Values(NumberCase{ 0, "0" }, NumberCase{ -0.0, "0" }, NumberCase{ -3, "-3" },
        NumberCase{ 36526, "36526" }, NumberCase{ 999999999999999, "999999999999999" },
        NumberCase{ 1e15, "1e+15" }, NumberCase{ -1e15, "-1e+15" }, NumberCase{ 1.5e15, "1.5e+15" },
        NumberCase{ 9007199254740993.0, "9007199254740992" }, NumberCase{ 0.1, "0.1" },
        NumberCase{ 1.0 / 3, "0.3333333333333333" }, NumberCase{ -2.5, "-2.5" }, NumberCase{ 1e300, "1e+300" },
        NumberCase{ 1e-5, "1e-05" }, NumberCase{ 0.001, "0.001" }, NumberCase{ 0.0001, "1e-04" },
        NumberCase{ 123456.789, "123456.789" }, NumberCase{ 5e-324, "5e-324" },
        NumberCase{ std::numeric_limits<double>::quiet_NaN(), "nan" },
        NumberCase{ -std::numeric_limits<double>::quiet_NaN(), "nan" },
        NumberCase{ std::numeric_limits<double>::infinity(), "inf" },
        NumberCase{ -std::numeric_limits<double>::infinity(), "-inf" }));

TEST(DumpText, EscapesBackslashTabCrLf)
{
    EXPECT_EQ(DumpEscape("a\\b\tc\rd\ne"), "a\\\\b\\tc\\rd\\ne");
    EXPECT_EQ(DumpEscape("Größe \U0001F363"), "Größe \U0001F363");
    EXPECT_EQ(DumpEscape(""), "");
}

TEST(DumpWorkbook, SheetsFirstThenCellsSheetBySheet)
{
    BookLayout layout;
    layout.sheets = { { "Eins", 0, 0, concat({ numberRecord(1, 1, 0.5), boolErrRecord(0, 0, 1, false) }) },
        { "Zwei\tTab", 0, 0,
            concat({ boolErrRecord(0, 2, 0x07, true), labelRecord8(0, 0, u"a\nb"), formulaSpecial(2, 0, 1, 0) }) } };
    ParseOutcome parsed = ParseWorkbookStream(buildStream(layout));
    ASSERT_TRUE(parsed.workbook);
    const XlsWorkbook book(std::move(*parsed.workbook));
    std::ostringstream out;
    DumpWorkbook(book, out);
    EXPECT_EQ(out.str(),
        "sheet\t0\tEins\n"
        "sheet\t1\tZwei\\tTab\n"
        "0!A1\tb\t1\n"
        "0!B2\tn\t0.5\n"
        "1!A1\ts\ta\\nb\n"
        "1!C1\te\t#DIV/0!\n"
        "1!A3\tb\t0\n");
}

TEST(DumpWorkbook, ErrorLine)
{
    std::ostringstream out;
    DumpError(OpenError{ OpenErrorCode::Encrypted, "Die Arbeitsmappe ist geschützt.", "FILEPASS" }, out);
    EXPECT_EQ(out.str(), "error\tencrypted\tDie Arbeitsmappe ist geschützt.\n");
}

TEST(TextDecoding, Utf16WithPairsAndLoneSurrogates)
{
    const std::u16string pair = u"a\U0001F363b";
    EXPECT_EQ(Utf16ToUtf8(pair), "a\U0001F363b");
    const char16_t lone[] = { u'x', 0xD83C, u'y', 0xDF63 };
    EXPECT_EQ(Utf16ToUtf8(lone), "x\uFFFDy\uFFFD");
    EXPECT_EQ(Utf16ToUtf8(std::u16string_view()), "");
}

struct PageCase {
    unsigned codePage;
    std::string bytes;
    std::string utf8;
};

class CodePages : public ::testing::TestWithParam<PageCase> {};

TEST_P(CodePages, ToUtf8)
{
    const PageCase& c = GetParam();
    const auto* data = reinterpret_cast<const std::uint8_t*>(c.bytes.data());
    EXPECT_EQ(CodePageToUtf8({ data, c.bytes.size() }, c.codePage), c.utf8) << c.codePage;
}

INSTANTIATE_TEST_SUITE_P(Pages, CodePages,
    ::testing::Values(PageCase{ 1252, "abc", "abc" }, PageCase{ 1252, "\x81", "\uFFFD" },
        PageCase{ 1253, "\xAA", "\uFFFD" }, PageCase{ 12345, "\xE4", "ä" } /* unknown: as Windows-1252 */,
        PageCase{ 932, "\x93\xFA\x96\x7B", "日本" }, PageCase{ 936, "\xD6\xD0\xCE\xC4", "中文" },
        PageCase{ 949, "\xC7\xD1", "한" }, PageCase{ 950, "\xA4\xA4", "中" },
        PageCase{ 932, "\x93", "\xE2\x80\x9C" } /* cut double-byte text: byte by byte as Windows-1252 */,
        PageCase{ 866, "\x8C\xAE\xE1", "Мос" }, PageCase{ 874, "\xA1", "ก" }, PageCase{ 10007, "\x80", "А" }));

TEST(TextDecoding, KnownCodePages)
{
    for (unsigned cp : { 437u, 850u, 1250u, 1251u, 1252u, 1253u, 1254u, 1255u, 1256u, 1257u, 1258u, 10000u, 32768u,
             32769u, 932u, 936u, 949u, 950u })
        EXPECT_TRUE(IsKnownCodePage(cp)) << cp;
    EXPECT_FALSE(IsKnownCodePage(12345));
    EXPECT_FALSE(IsKnownCodePage(1200)) << "UTF-16 is no 8-bit code page";
}

} // namespace
} // namespace zx
