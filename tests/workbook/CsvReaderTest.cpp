// Text files of values: each dialect a spreadsheet writes, read into the
// cells a user would expect, checked against dumps written by hand.
#include "ReferenceDump.h"

#include "workbook/CsvReader.h"
#include "workbook/WorkbookDump.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace zx {
namespace {

using namespace zx::test;

std::span<const std::uint8_t> bytesOf(const std::string& s) { return { reinterpret_cast<const std::uint8_t*>(s.data()), s.size() }; }

std::vector<std::string> dumpOf(const std::string& file)
{
    const ReadOutcome out = ReadCsvBytes(bytesOf(file), "Daten");
    if (!out.workbook)
        return { "error\t" + std::string(OpenErrorCodeName(out.failure.code)) };
    std::ostringstream dump;
    DumpWorkbook(*out.workbook, dump);
    return splitLines(dump.str());
}

struct CsvCase {
    const char* name;
    std::string file;
    std::vector<std::string> cells; // the dump after "sheet 0 Daten"
};

class CsvFiles : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvFiles, ReadAsASpreadsheetOpensThem)
{
    std::vector<std::string> expected{ "sheet\t0\tDaten" };
    expected.insert(expected.end(), GetParam().cells.begin(), GetParam().cells.end());
    expectSameDump(expected, dumpOf(GetParam().file));
}

// "Größe" in Windows-1252.
const std::string kGroesse1252 = "Gr\xF6\xDF" "e";

std::string utf16le(const std::u16string& s)
{
    std::string out = "\xFF\xFE";
    for (const char16_t c : s) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

INSTANTIATE_TEST_SUITE_P(Dialects, CsvFiles,
    ::testing::Values(
        CsvCase{ "GermanSemicolonsAndDecimalCommas", "Atlantik;Pazifik\r\n24,3;23,1\r\n25,1;-22,8\r\n",
            { "0!A1\ts\tAtlantik", "0!B1\ts\tPazifik", "0!A2\tn\t24.3", "0!B2\tn\t23.1", "0!A3\tn\t25.1", "0!B3\tn\t-22.8" } },
        CsvCase{ "EnglishCommasAndDecimalPoints", "x,y\n1.5,2\n-0.25,3e2\n",
            { "0!A1\ts\tx", "0!B1\ts\ty", "0!A2\tn\t1.5", "0!B2\tn\t2", "0!A3\tn\t-0.25", "0!B3\tn\t300" } },
        CsvCase{ "TabsWithDecimalCommas", "a\tb\n1,5\t2\n", { "0!A1\ts\ta", "0!B1\ts\tb", "0!A2\tn\t1.5", "0!B2\tn\t2" } },
        CsvCase{ "SemicolonsWithDecimalPoints", "a;b\n1.5;2.25\n1.234;7\n",
            { "0!A1\ts\ta", "0!B1\ts\tb", "0!A2\tn\t1.5", "0!B2\tn\t2.25", "0!A3\tn\t1.234", "0!B3\tn\t7" } },
        CsvCase{ "OneColumnOfDecimalCommas", "12,15\n13,5\n", { "0!A1\tn\t12.15", "0!A2\tn\t13.5" } },
        CsvCase{ "WholeNumbersSeparatedByCommas", "1,2,3\n4,5,6\n",
            { "0!A1\tn\t1", "0!B1\tn\t2", "0!C1\tn\t3", "0!A2\tn\t4", "0!B2\tn\t5", "0!C2\tn\t6" } },
        CsvCase{ "GroupedThousandsPercentAndExponent", "1.234.567,5;12,5 %;2,5E-3;1.23;0,1\n",
            { "0!A1\tn\t1234567.5", "0!B1\tn\t0.125", "0!C1\tn\t0.0025", "0!D1\ts\t1.23", "0!E1\tn\t0.1" } },
        CsvCase{ "QuotesSeparatorsAndLineBreaksInside",
            "\"a;b\";\"er sagte \"\"ja\"\"\"\n\"zwei\nZeilen\";\"1,5\"\n",
            { "0!A1\ts\ta;b", "0!B1\ts\ter sagte \"ja\"", "0!A2\ts\tzwei\\nZeilen", "0!B2\tn\t1.5" } },
        CsvCase{ "EmptyFieldsAndLinesKeepTheirPlaces", "1;;3\n\n;4\r\n", { "0!A1\tn\t1", "0!C1\tn\t3", "0!B3\tn\t4" } },
        CsvCase{ "BlanksAroundNumbersButNotTexts", " 7 ; Text \n", { "0!A1\tn\t7", "0!B1\ts\t Text " } },
        CsvCase{ "Utf8ByteOrderMark", "\xEF\xBB\xBFGr\xC3\xB6\xC3\x9F" "e;Ma\xC3\x9F\n1;2\n",
            { "0!A1\ts\tGröße", "0!B1\ts\tMaß", "0!A2\tn\t1", "0!B2\tn\t2" } },
        CsvCase{ "Windows1252Umlauts", kGroesse1252 + ";\x80 5;\xC4pfel\n1,5;2;3\n",
            { "0!A1\ts\tGröße", "0!B1\ts\t€ 5", "0!C1\ts\tÄpfel", "0!A2\tn\t1.5", "0!B2\tn\t2", "0!C2\tn\t3" } },
        CsvCase{ "Utf16UnicodeTextOfExcel", utf16le(u"Gr\u00F6\u00DFe\tx\r\n1,5\t2\r\n"),
            { "0!A1\ts\tGröße", "0!B1\ts\tx", "0!A2\tn\t1.5", "0!B2\tn\t2" } },
        CsvCase{ "NoNumberLookalikes", "inf;nan;1,2,3;-;1e;0x10;1,5,;12%%\n",
            { "0!A1\ts\tinf", "0!B1\ts\tnan", "0!C1\ts\t1,2,3", "0!D1\ts\t-", "0!E1\ts\t1e", "0!F1\ts\t0x10",
                "0!G1\ts\t1,5,", "0!H1\ts\t12%%" } }),
    [](const ::testing::TestParamInfo<CsvCase>& info) { return std::string(info.param.name); });

TEST(CsvLimits, OverlongLinesAndFieldsEndInAMessage)
{
    std::string manyFields;
    for (int i = 0; i < 5'000'000; ++i)
        manyFields += "1;";
    const std::string longField(10'000'000, 'a');
    for (const std::string* file : std::initializer_list<const std::string*>{ &manyFields, &longField }) {
        const ReadOutcome out = ReadCsvBytes(bytesOf(*file), "x");
        ASSERT_FALSE(out.workbook);
        EXPECT_EQ(out.failure.code, OpenErrorCode::TooLarge);
        EXPECT_FALSE(out.failure.reason.empty());
    }
    // Up to the limits everything is read.
    std::string widest;
    for (int i = 0; i < kMaxReferenceColumns; ++i)
        widest += "1;";
    widest.pop_back();
    const ReadOutcome out = ReadCsvBytes(bytesOf(widest + "\n" + std::string(kMaxCellTextLength, 'b')), "x");
    ASSERT_TRUE(out.workbook) << out.failure.detail;
    EXPECT_EQ(out.workbook->extent(0), (SheetExtent{ 2, kMaxReferenceColumns }));
}

TEST(CsvText, BinaryIsNotText)
{
    const std::string png("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16);
    EXPECT_FALSE(LooksLikeText(bytesOf(png)));
    EXPECT_TRUE(LooksLikeText(bytesOf("a;b\r\n1;2\n")));
    EXPECT_TRUE(LooksLikeText(bytesOf(kGroesse1252)));
    EXPECT_TRUE(LooksLikeText(bytesOf(utf16le(u"a\tb"))));
}

} // namespace
} // namespace zx
