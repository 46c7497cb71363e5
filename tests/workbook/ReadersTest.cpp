// The text, .xlsx and .ods readers on files written to the point: each text
// dialect a spreadsheet writes, and what the corpus does not show.
#include "ZipWriter.h"

#include "workbook/CsvReader.h"
#include "workbook/OdsReader.h"
#include "workbook/WorkbookDump.h"
#include "workbook/XlsxReader.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zx {
namespace {

using namespace zx::test;

std::span<const std::uint8_t> bytesOf(const std::string& s) { return { reinterpret_cast<const std::uint8_t*>(s.data()), s.size() }; }

struct TextCase {
    const char* name;
    char format; // c text file, x .xlsx sheet data, o .ods spreadsheet body
    std::string file;
    std::string cells; // the dump of the first sheet's cells, "A1 s Text | B1 n 2", or "error CODE"
};

class TextFormats : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextFormats, ReadAsASpreadsheetShowsThem)
{
    const TextCase& c = GetParam();
    const ReadOutcome out = c.format == 'c' ? ReadCsvBytes(bytesOf(c.file), "Daten")
        : c.format == 'x'                  ? ReadXlsxBytes(xlsxFile({ { "S", c.file } }, { "zwei_x000D__x000A_Zeilen", "a" }))
                                           : ReadOdsBytes(odsFile(c.file));
    if (!out.workbook) {
        EXPECT_EQ("error " + std::string(OpenErrorCodeName(out.failure.code)), c.cells) << out.failure.detail;
        return;
    }
    std::ostringstream dump;
    DumpWorkbook(*out.workbook, dump);
    std::string cells;
    std::istringstream in(dump.str());
    for (std::string line; std::getline(in, line);)
        if (line.starts_with("0!")) {
            std::replace(line.begin(), line.end(), '\t', ' ');
            cells += (cells.empty() ? "" : " | ") + line.substr(2);
        }
    EXPECT_EQ(cells, c.cells);
}

std::string utf16le(const std::u16string& s)
{
    std::string out = "\xFF\xFE";
    for (const char16_t c : s)
        out += { static_cast<char>(c & 0xFF), static_cast<char>(c >> 8) };
    return out;
}

INSTANTIATE_TEST_SUITE_P(Cases, TextFormats,
    ::testing::Values(
        TextCase{ "GermanSemicolonsAndDecimalCommas", 'c', "Atlantik;Pazifik\r\n24,3;23,1\r\n25,1;-22,8\r\n",
            "A1 s Atlantik | B1 s Pazifik | A2 n 24.3 | B2 n 23.1 | A3 n 25.1 | B3 n -22.8" },
        TextCase{ "EnglishCommasAndDecimalPoints", 'c', "x,y\n1.5,2\n-0.25,3e2\n", "A1 s x | B1 s y | A2 n 1.5 | B2 n 2 | A3 n -0.25 | B3 n 300" },
        TextCase{ "TabsWithDecimalCommas", 'c', "a\tb\n1,5\t2\n", "A1 s a | B1 s b | A2 n 1.5 | B2 n 2" },
        TextCase{ "SemicolonsWithDecimalPoints", 'c', "a;b\n1.5;2.25\n1.234;7\n", "A1 s a | B1 s b | A2 n 1.5 | B2 n 2.25 | A3 n 1.234 | B3 n 7" },
        TextCase{ "ExponentsToTheEdgesOfTheDoubles", 'c', "1.5e+300;-2.5E-300;5e-324;1.7976931348623157e308\n",
            "A1 n 1.5e+300 | B1 n -2.5e-300 | C1 n 5e-324 | D1 n 1.7976931348623157e+308" },
        TextCase{ "OneColumnOfDecimalCommas", 'c', "12,15\n13,5\n", "A1 n 12.15 | A2 n 13.5" },
        TextCase{ "WholeNumbersSeparatedByCommas", 'c', "1,2,3\n4,5,6\n", "A1 n 1 | B1 n 2 | C1 n 3 | A2 n 4 | B2 n 5 | C2 n 6" },
        TextCase{ "GroupedThousandsPercentAndExponent", 'c', "1.234.567,5;12,5 %;2,5E-3;1.23;0,1;-1.000\n",
            "A1 n 1234567.5 | B1 n 0.125 | C1 n 0.0025 | D1 s 1.23 | E1 n 0.1 | F1 n -1000" },
        TextCase{ "QuotesSeparatorsAndLineBreaksInside", 'c', "\"a;b\";\"er sagte \"\"ja\"\"\"\n\"zwei\nZeilen\";\"1,5\"\n",
            "A1 s a;b | B1 s er sagte \"ja\" | A2 s zwei\\nZeilen | B2 n 1.5" },
        TextCase{ "EmptyFieldsAndLinesKeepTheirPlaces", 'c', "1;;3\n\n;4\r\n", "A1 n 1 | C1 n 3 | B3 n 4" },
        TextCase{ "BlanksAroundNumbersButNotTexts", 'c', " 7 ; Text \n", "A1 n 7 | B1 s  Text " },
        TextCase{ "Utf8ByteOrderMark", 'c', "\xEF\xBB\xBFGr\xC3\xB6\xC3\x9F" "e;Ma\xC3\x9F\n1;2\n", "A1 s Größe | B1 s Maß | A2 n 1 | B2 n 2" },
        TextCase{ "Windows1252Umlauts", 'c', "Gr\xF6\xDF" "e;\x80 5;\xC4pfel\n1,5;2;3\n", "A1 s Größe | B1 s € 5 | C1 s Äpfel | A2 n 1.5 | B2 n 2 | C2 n 3" },
        TextCase{ "Utf16UnicodeTextOfExcel", 'c', utf16le(u"Gr\u00F6\u00DFe\tx\r\n1,5\t2\r\n"), "A1 s Größe | B1 s x | A2 n 1.5 | B2 n 2" },
        TextCase{ "NoNumberLookalikes", 'c', "inf;nan;1,2,3;-;1e;0x10;1,5,;12%%;1.23.4,5;12.34,5;1e2 %\n",
            "A1 s inf | B1 s nan | C1 s 1,2,3 | D1 s - | E1 s 1e | F1 s 0x10 | G1 s 1,5, | H1 s 12%% | I1 s 1.23.4,5 | J1 s 12.34,5 | K1 s 1e2 %" },
        TextCase{ "XlsxBeyondTheDoublesIsNum", 'x', "<row r=\"1\"><c r=\"A1\"><v>1e400</v></c></row>", "A1 e #NUM!" },
        TextCase{ "XlsxEscapedLineBreakInSharedString", 'x', "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>", "A1 s zwei\\r\\nZeilen" },
        TextCase{ "XlsxSharedStringBeyondTheTable", 'x', "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>2</v></c></row>", "error damaged" },
        TextCase{ "XlsxRowZero", 'x', "<row r=\"0\"><c><v>1</v></c></row>", "error damaged" },
        TextCase{ "XlsxCellBeyondTheSheet", 'x', "<row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row>", "error damaged" },
        TextCase{ "XlsxRowBeyondTheSheet", 'x', "<row r=\"1048577\"><c><v>1</v></c></row>", "error damaged" },
        TextCase{ "XlsxNoNumber", 'x', "<row r=\"1\"><c r=\"A1\"><v>zwölf</v></c></row>", "error damaged" },
        TextCase{ "XlsxLastCellOfTheLargestSheet", 'x', "<row r=\"1048576\"><c r=\"XFD1048576\" t=\"b\"><v>true</v></c></row>", "XFD1048576 b 1" },
        TextCase{ "XlsxCellsWithoutReferences", 'x', "<row><c t=\"b\"><v>0</v></c><c t=\"str\"><v>x</v></c></row><row><c><v>2</v></c></row>",
            "A1 b 0 | B1 s x | A2 n 2" },
        TextCase{ "OdsTextsTimesErrorsAndWhatIsNotShown", 'o',
            "<table:calculation-settings><table:null-date table:date-value=\"1904-01-01\"/></table:calculation-settings>"
            "<table:table table:name=\"T\"><table:table-row>"
            "<table:table-cell office:value-type=\"string\"><text:p>zwei</text:p>\n  <text:p>Absätze<text:s text:c=\"3\"/>und"
            "<text:tab/><text:span>Tab</text:span><text:line-break/><text:s/></text:p></table:table-cell>"
            "<table:table-cell office:value-type=\"string\"><office:annotation><text:p>Notiz</text:p></office:annotation>"
            "<text:p>mit Notiz</text:p></table:table-cell>"
            "<table:table-cell office:value-type=\"time\" office:time-value=\"PT12H30M00S\"><text:p>12:30</text:p></table:table-cell>"
            "<table:table-cell office:value-type=\"float\" office:value=\"0\" "
            "xmlns:calcext=\"urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0\" calcext:value-type=\"error\">"
            "<text:p>#DIV/0!</text:p></table:table-cell>"
            "<table:table-cell office:value-type=\"float\" office:value=\"1.8e308\"/>"
            "<table:table-cell office:value-type=\"string\" office:string-value=\"Wert\"><text:p>Anzeige</text:p></table:table-cell>"
            "<table:covered-table-cell office:value-type=\"float\" office:value=\"9\"/>"
            "<table:table-cell office:value-type=\"date\" office:date-value=\"1904-01-03\"/>"
            "<table:table-cell office:value-type=\"boolean\" office:boolean-value=\"1\"/>"
            "</table:table-row></table:table>",
            "A1 s zwei\\nAbsätze   und\\tTab\\n  | B1 s mit Notiz | C1 n 0.5208333333333334 | D1 e #DIV/0! | E1 e #NUM! | F1 s Wert | H1 n 2 | I1 b 1" },
        TextCase{ "OdsNoNumber", 'o', "<table:table><table:table-row><table:table-cell office:value-type=\"float\" office:value=\"x\"/>"
                                      "</table:table-row></table:table>", "error damaged" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextFiles, OverlongLinesAndFieldsEndInAMessage)
{
    for (const std::string& file : { repeated("1;", 5'000'000), std::string(10'000'000, 'a') }) {
        const ReadOutcome out = ReadCsvBytes(bytesOf(file), "x");
        ASSERT_FALSE(out.workbook);
        EXPECT_EQ(out.failure.code, OpenErrorCode::TooLarge);
    }
    // Up to the limits everything is read.
    std::string widest = repeated("1;", kMaxReferenceColumns);
    widest.back() = '\n';
    const ReadOutcome out = ReadCsvBytes(bytesOf(widest + std::string(kMaxCellTextLength, 'b')), "x");
    ASSERT_TRUE(out.workbook) << out.failure.detail;
    EXPECT_EQ(out.workbook->extent(0), (SheetExtent{ 2, kMaxReferenceColumns }));
}

TEST(TextFiles, BinaryIsNotText)
{
    EXPECT_FALSE(LooksLikeText(bytesOf(std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16))));
    EXPECT_FALSE(LooksLikeText(bytesOf(std::string(99, 'a') + "\x01\x02")));
    for (const std::string& text : { std::string(99, 'a') + "\x01", std::string("a;b\r\n1;\f2\x1A\n"), std::string("Gr\xF6\xDF" "e"), utf16le(u"a\tb") })
        EXPECT_TRUE(LooksLikeText(bytesOf(text))) << text;
}

// A sheet part far larger than the XML parser looks ahead at once.
TEST(XlsxSheets, LargeSheetPartsRead)
{
    std::string rows;
    for (int r = 1; r <= 600'000; ++r)
        rows += "<row><c><v>" + std::to_string(r) + "</v></c></row>";
    const ReadOutcome out = ReadXlsxBytes(xlsxFile({ { "Gross", rows } }));
    ASSERT_TRUE(out.workbook) << out.failure.detail;
    EXPECT_EQ(out.workbook->extent(0), (SheetExtent{ 600'000, 1 }));
    EXPECT_EQ(out.workbook->cell(0, 599'999, 0), Cell::number(600'000));
}

} // namespace
} // namespace zx
