// The .xlsx and .ods readers on parts written to the point: what the corpus
// does not show (front and hidden sheets, ODF texts and times, errors),
// numbers exactly as written in every format, and the value texts.
#include "ReferenceDump.h"
#include "ZipWriter.h"

#include "workbook/CsvReader.h"
#include "workbook/OdsReader.h"
#include "workbook/ValueText.h"
#include "workbook/WorkbookDump.h"
#include "workbook/XlsxReader.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <random>
#include <sstream>

namespace zx {
namespace {

using namespace zx::test;

std::vector<std::string> dumpOf(const ReadOutcome& out)
{
    if (!out.workbook)
        return { "error\t" + std::string(OpenErrorCodeName(out.failure.code)) + "\t" + out.failure.detail };
    std::ostringstream dump;
    DumpWorkbook(*out.workbook, dump);
    return splitLines(dump.str());
}

// --- Value texts -----------------------------------------------------------

TEST(ValueText, DecimalsAndWhatIsNone)
{
    bool overflow = false;
    EXPECT_EQ(ParseDecimal(" +7 "), 7.0);
    EXPECT_EQ(ParseDecimal("1E-400"), 0.0);
    EXPECT_TRUE(std::signbit(*ParseDecimal("-1e-400")));
    EXPECT_EQ(ParseDecimal("1e400", &overflow), std::nullopt);
    EXPECT_TRUE(overflow);
    for (const char* none : { "", "inf", "-nan", "0x1p3", "1,5", "1.5.", "--1", "e5", "1 2" }) {
        EXPECT_EQ(ParseDecimal(none, &overflow), std::nullopt) << none;
        EXPECT_FALSE(overflow) << none;
    }
}

TEST(ValueText, DatesTimesAndEscapes)
{
    // Serial numbers as Excel shows them for these dates and times.
    const long long excel = DaysFromCivil(1899, 12, 30);
    EXPECT_EQ(SerialFromIsoDate("2013-02-26", excel), 41331.0);
    EXPECT_EQ(SerialFromIsoDate("2009-08-16T05:43:21", excel), 40041.0 + (5 * 3600 + 43 * 60 + 21) / 86400.0);
    EXPECT_EQ(SerialFromIsoDate("1904-01-02T12:00:00Z", DaysFromCivil(1904, 1, 1)), 1.5);
    EXPECT_EQ(SerialFromIsoDate("2013-2-26", excel), std::nullopt);
    EXPECT_EQ(SerialFromIsoDate("26.02.2013", excel), std::nullopt);
    EXPECT_EQ(DaysFromIsoDuration("PT12H"), 0.5);
    EXPECT_EQ(DaysFromIsoDuration("PT36H30M"), 1.5 + 30 / 1440.0);
    EXPECT_EQ(DaysFromIsoDuration("P1DT6H"), 1.25);
    EXPECT_EQ(DaysFromIsoDuration("-PT6H"), -0.25);
    EXPECT_EQ(DaysFromIsoDuration("P1Y"), std::nullopt);
    EXPECT_EQ(UnescapeOoxml("a_x000D__x000A_b"), "a\r\nb");
    EXPECT_EQ(UnescapeOoxml("_x005F_x000D_"), "_x000D_");
    EXPECT_EQ(UnescapeOoxml("_xZZZZ_ _x00E4_"), "_xZZZZ_ ä");
}

// --- Numbers exactly as written ----------------------------------------------

// Random doubles of every magnitude, subnormals included, written the way
// writers do: shortest round-trip text and 17 significant digits. Whatever
// the format, the reader must give back the very double.
TEST(ExactNumbers, EveryFormatGivesTheDoubleNearestToTheText)
{
    std::mt19937_64 rng(15);
    std::vector<double> values{ 0.30000000000000004, 5e-324, 2.2250738585072011e-308, 1.7976931348623157e308, 1e23 };
    while (values.size() < 4000) {
        const double v = std::bit_cast<double>(rng());
        if (std::isfinite(v))
            values.push_back(v);
    }
    std::vector<std::string> texts;
    for (const double v : values) {
        char buffer[64];
        texts.emplace_back(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
        texts.emplace_back(buffer, std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 17).ptr);
    }
    std::string rows, table, csv;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        rows += "<row r=\"" + std::to_string(i + 1) + "\"><c r=\"A" + std::to_string(i + 1) + "\"><v>" + texts[i] + "</v></c></row>";
        table += "<table:table-row><table:table-cell office:value-type=\"float\" office:value=\"" + texts[i] + "\"/></table:table-row>";
        csv += texts[i] + "\n";
    }
    const ByteVector xlsx = xlsxFile({ { "Zahlen", rows } });
    const ByteVector ods = odsFile("<table:table table:name=\"Zahlen\">" + table + "</table:table>");
    const ReadOutcome books[] = { ReadXlsxBytes(xlsx), ReadOdsBytes(ods),
        ReadCsvBytes({ reinterpret_cast<const std::uint8_t*>(csv.data()), csv.size() }, "Zahlen") };
    for (const ReadOutcome& book : books) {
        ASSERT_TRUE(book.workbook) << book.failure.detail;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const Cell c = book.workbook->cell(0, static_cast<int>(i), 0);
            ASSERT_TRUE(c.isNumber()) << texts[i];
            ASSERT_EQ(std::bit_cast<std::uint64_t>(c.numberValue()), std::bit_cast<std::uint64_t>(values[i / 2]))
                << texts[i] << " read as " << c.numberValue();
        }
    }
}

// --- .xlsx -------------------------------------------------------------------

// A sheet part far larger than the XML parser looks ahead at once.
TEST(XlsxWorkbook, LargeSheetPartsRead)
{
    std::string rows;
    for (int r = 1; r <= 600'000; ++r)
        rows += "<row><c><v>" + std::to_string(r) + "</v></c></row>";
    ASSERT_GT(rows.size(), 16u << 20);
    const ReadOutcome out = ReadXlsxBytes(xlsxFile({ { "Gross", rows } }));
    ASSERT_TRUE(out.workbook) << out.failure.detail;
    EXPECT_EQ(out.workbook->extent(0), (SheetExtent{ 600'000, 1 }));
    EXPECT_EQ(out.workbook->cell(0, 599'999, 0), Cell::number(600'000));
}

struct XlsxCase {
    const char* name;
    std::string sheetData;
    std::vector<std::string> sharedStrings;
    std::vector<std::string> expected; // the dump after "sheet 0 S", or one error line's code
};

class XlsxSheets : public ::testing::TestWithParam<XlsxCase> {};

TEST_P(XlsxSheets, ReadAsExcelShowsThem)
{
    const XlsxCase& c = GetParam();
    auto lines = dumpOf(ReadXlsxBytes(xlsxFile({ { "S", c.sheetData } }, c.sharedStrings)));
    std::vector<std::string> expected = c.expected;
    if (expected.size() == 1 && expected[0].rfind("error\t", 0) == 0) {
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(comparable(lines[0]), expected[0]) << lines[0];
        return;
    }
    expected.insert(expected.begin(), "sheet\t0\tS");
    expectSameDump(expected, lines);
}

INSTANTIATE_TEST_SUITE_P(Cells, XlsxSheets,
    ::testing::Values(
        XlsxCase{ "BeyondTheDoublesIsNum", "<row r=\"1\"><c r=\"A1\"><v>1e400</v></c></row>", {}, { "0!A1\te\t#NUM!" } },
        XlsxCase{ "EscapedLineBreakInSharedString", "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>",
            { "zwei_x000D__x000A_Zeilen" }, { "0!A1\ts\tzwei\\r\\nZeilen" } },
        XlsxCase{ "SharedStringBeyondTheTable", "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>1</v></c></row>", { "a" },
            { "error\tdamaged" } },
        XlsxCase{ "RowZero", "<row r=\"0\"><c><v>1</v></c></row>", {}, { "error\tdamaged" } },
        XlsxCase{ "CellBeyondTheSheet", "<row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row>", {}, { "error\tdamaged" } },
        XlsxCase{ "NoNumber", "<row r=\"1\"><c r=\"A1\"><v>zwölf</v></c></row>", {}, { "error\tdamaged" } },
        XlsxCase{ "LastCellOfTheLargestSheet", "<row r=\"1048576\"><c r=\"XFD1048576\" t=\"b\"><v>true</v></c></row>", {},
            { "0!XFD1048576\tb\t1" } },
        XlsxCase{ "FormulaWithoutResultIsEmpty", "<row r=\"1\"><c r=\"A1\"><f>NOW()</f></c><c r=\"B1\" t=\"e\"><v>#N/A</v></c></row>",
            {}, { "0!B1\te\t#N/A" } }),
    [](const ::testing::TestParamInfo<XlsxCase>& info) { return std::string(info.param.name); });

TEST(XlsxWorkbook, FrontSheetIsTheActiveVisibleWorksheet)
{
    const std::vector<std::pair<std::string, std::string>> sheets{ { "A", "" }, { "B", "" }, { "C", "" } };
    const auto front = [&](const std::string& extra) {
        const ReadOutcome out = ReadXlsxBytes(xlsxFile(sheets, {}, extra));
        return out.workbook ? out.workbook->frontSheet() : -2;
    };
    EXPECT_EQ(front(""), 0);
    EXPECT_EQ(front("<bookViews><workbookView activeTab=\"2\"/></bookViews>"), 2);
    EXPECT_EQ(front("<bookViews><workbookView activeTab=\"9\"/></bookViews>"), 0);

    // A hidden active sheet gives way to the first visible one.
    std::vector<NamedPart> parts;
    ByteVector book = xlsxFile(sheets, {}, "<bookViews><workbookView activeTab=\"0\"/></bookViews>");
    std::string text(book.begin(), book.end());
    ASSERT_EQ(text.find("state="), std::string::npos);
    const ByteVector hidden = zipFile({ { "[Content_Types].xml", "<Types/>" },
        { "xl/workbook.xml",
            "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
            "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><workbookPr date1904=\"true\"/>"
            "<sheets><sheet name=\"Geheim\" r:id=\"r1\" state=\"veryHidden\"/><sheet name=\"Offen\" r:id=\"r2\"/></sheets></workbook>" },
        { "xl/_rels/workbook.xml.rels",
            "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"r1\" Type=\"x/worksheet\" Target=\"a.xml\"/><Relationship Id=\"r2\" Type=\"x/worksheet\" Target=\"b.xml\"/>"
            "</Relationships>" },
        { "xl/a.xml", "<worksheet/>" }, { "xl/b.xml", "<worksheet/>" } });
    const ReadOutcome out = ReadXlsxBytes(hidden);
    ASSERT_TRUE(out.workbook) << out.failure.detail;
    EXPECT_EQ(out.workbook->sheetVisibility(0), SheetVisibility::VeryHidden);
    EXPECT_EQ(out.workbook->frontSheet(), 1);
    EXPECT_TRUE(out.workbook->uses1904Dates());
}

// --- .ods --------------------------------------------------------------------

TEST(OdsCells, TextsTimesErrorsAndWhatIsNotShown)
{
    const std::string cells
        = "<table:table-row>"
          "<table:table-cell office:value-type=\"string\"><text:p>zwei</text:p><text:p>Absätze<text:s text:c=\"3\"/>und"
          "<text:tab/><text:span>Tab</text:span></text:p></table:table-cell>"
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
          "</table:table-row>";
    const std::string nullDate = "<table:calculation-settings><table:null-date table:date-value=\"1904-01-01\"/></table:calculation-settings>";
    const auto lines = dumpOf(ReadOdsBytes(odsFile(nullDate + "<table:table table:name=\"T\">" + cells + "</table:table>")));
    expectSameDump({ "sheet\t0\tT", "0!A1\ts\tzwei\\nAbsätze   und\\tTab", "0!B1\ts\tmit Notiz", "0!C1\tn\t0.5208333333333334",
                       "0!D1\te\t#DIV/0!", "0!E1\te\t#NUM!", "0!F1\ts\tWert", "0!H1\tn\t2" },
        lines);
}

TEST(OdsWorkbook, ActiveAndHiddenTables)
{
    const std::string tables = "<table:table table:name=\"Eins\" table:style-name=\"ta2\"/>"
                               "<table:table table:name=\"Zwei\"/><table:table table:name=\"Drei\"/>";
    const std::string hiddenStyle = "<style:style style:name=\"ta2\" style:family=\"table\">"
                                    "<style:table-properties table:display=\"false\"/></style:style>";
    const ReadOutcome named = ReadOdsBytes(odsFile(tables, hiddenStyle, "Drei"));
    ASSERT_TRUE(named.workbook) << named.failure.detail;
    EXPECT_EQ(named.workbook->sheetVisibility(0), SheetVisibility::Hidden);
    EXPECT_EQ(named.workbook->sheetVisibility(1), SheetVisibility::Visible);
    EXPECT_EQ(named.workbook->frontSheet(), 2);
    // Without settings the first table is active; hidden, the next visible one is in front.
    EXPECT_EQ(ReadOdsBytes(odsFile(tables, hiddenStyle)).workbook->frontSheet(), 1);
    EXPECT_EQ(ReadOdsBytes(odsFile(tables, hiddenStyle, "Fehlt")).workbook->frontSheet(), 1);
}

} // namespace
} // namespace zx
