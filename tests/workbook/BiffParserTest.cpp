// The record parser on workbook streams built byte by byte.
#include "BiffBuilder.h"
#include "TestPrinters.h"

#include "workbook/BiffParser.h"
#include "workbook/XlsReader.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <ostream>
#include <stdexcept>

namespace zx {

namespace {

using namespace zx::test;

std::unique_ptr<XlsWorkbook> read(const ByteVector& stream)
{
    ParseOutcome out = ParseWorkbookStream(stream);
    if (!out.workbook) {
        ADD_FAILURE() << "not read: " << out.failure.detail;
        return nullptr;
    }
    return std::make_unique<XlsWorkbook>(std::move(*out.workbook));
}

ParseFailure failureOf(const ByteVector& stream)
{
    ParseOutcome out = ParseWorkbookStream(stream);
    EXPECT_FALSE(out.workbook.has_value()) << "read although it should fail";
    return out.failure;
}

ByteVector oneSheet(const ByteVector& cells, const ByteVector& globalsExtra = {})
{
    BookLayout layout;
    layout.globalsExtra = globalsExtra;
    layout.sheets = { { "Tabelle1", 0, 0, cells } };
    return buildStream(layout);
}

ByteVector eightBit(const std::string& s)
{
    ByteVector b;
    put16(b, static_cast<unsigned>(s.size()));
    b.push_back(0);
    putBytes(b, s);
    return b;
}

std::uint32_t rkOfDouble(double d) { return static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(d) >> 32); }

// --- One cell record each ---------------------------------------------------

struct CellCase {
    const char* name;
    ByteVector records;
    Cell expected; // at A1 of the only sheet
};

class CellRecords : public ::testing::TestWithParam<CellCase> {};

TEST_P(CellRecords, GiveTheCellAtA1)
{
    const CellCase& c = GetParam();
    const ByteVector sst = sstRecords(2, { concat({ eightBit("erster"), eightBit("zweiter") }) });
    const auto book = read(oneSheet(c.records, sst));
    ASSERT_TRUE(book);
    EXPECT_EQ(book->cell(0, "A1"), c.expected);
    const SheetExtent expectedExtent = c.expected.isEmpty() ? SheetExtent{} : SheetExtent{ 1, 1 };
    EXPECT_EQ(book->extent(0), expectedExtent);
}

std::vector<CellCase> cellCases()
{
    const std::uint16_t shrfmla = 0x04BC;
    return {
        { "Number", numberRecord(0, 0, 2.5), Cell::number(2.5) },
        { "NumberNegativeZero", numberRecord(0, 0, -0.0), Cell::number(0.0) },
        { "RkInteger", rkRecord(0, 0, (7u << 2) | 2u), Cell::number(7) },
        { "RkNegativeInteger", rkRecord(0, 0, (static_cast<std::uint32_t>(-3) << 2) | 2u), Cell::number(-3) },
        { "RkIntegerHundredths", rkRecord(0, 0, (1234u << 2) | 3u), Cell::number(12.34) },
        { "RkDouble", rkRecord(0, 0, rkOfDouble(1.5)), Cell::number(1.5) },
        { "RkDoubleHundredths", rkRecord(0, 0, rkOfDouble(123.0) | 1u), Cell::number(1.23) },
        { "LabelSst", labelSstRecord(0, 0, 1), Cell::text("zweiter") },
        { "LabelBiff8Wide", labelRecord8(0, 0, u"Größe Ж"), Cell::text("Größe Ж") },
        { "BoolTrue", boolErrRecord(0, 0, 1, false), Cell::boolean(true) },
        { "BoolFalse", boolErrRecord(0, 0, 0, false), Cell::boolean(false) },
        { "ErrorDiv0", boolErrRecord(0, 0, 0x07, true), Cell::error("#DIV/0!") },
        { "ErrorNull", boolErrRecord(0, 0, 0x00, true), Cell::error("#NULL!") },
        { "ErrorNA", boolErrRecord(0, 0, 0x2A, true), Cell::error("#N/A") },
        { "ErrorUnknownCode", boolErrRecord(0, 0, 0x63, true), Cell::error("#ERR63!") },
        { "FormulaNumber", formulaNumber(0, 0, 1.0 / 7), Cell::number(1.0 / 7) },
        { "FormulaString", concat({ formulaSpecial(0, 0, 0), stringRecord(u"Ergebnis") }), Cell::text("Ergebnis") },
        { "FormulaStringAfterSharedFormula",
            concat({ formulaSpecial(0, 0, 0), record(shrfmla, ByteVector(10, 0)), stringRecord(u"geteilt") }),
            Cell::text("geteilt") },
        { "FormulaStringWide", concat({ formulaSpecial(0, 0, 0), stringRecord(u"МОСКВА") }), Cell::text("МОСКВА") },
        { "FormulaStringWithoutStringRecord", formulaSpecial(0, 0, 0), Cell() },
        { "FormulaBoolean", formulaSpecial(0, 0, 1, 1), Cell::boolean(true) },
        { "FormulaError", formulaSpecial(0, 0, 2, 0x07), Cell::error("#DIV/0!") },
        { "FormulaEmptyString", formulaSpecial(0, 0, 3), Cell() },
        { "BlankHoldsNothing", record(0x0201, cellHead(0, 0)), Cell() },
        { "LaterCellReplacesEarlier", concat({ numberRecord(0, 0, 1), labelSstRecord(0, 0, 0) }), Cell::text("erster") },
    };
}

INSTANTIATE_TEST_SUITE_P(Biff8, CellRecords, ::testing::ValuesIn(cellCases()),
    [](const ::testing::TestParamInfo<CellCase>& info) { return std::string(info.param.name); });

TEST(CellRecordsMore, FormulaStringWithoutStringRecordKeepsTheNextRecord)
{
    // The record after a formula whose STRING is missing is still read.
    const auto book = read(oneSheet(concat({ formulaSpecial(0, 0, 0), numberRecord(5, 5, 1) })));
    ASSERT_TRUE(book);
    EXPECT_EQ(book->cell(0, "F6"), Cell::number(1));
}

TEST(CellRecordsMore, FormulaStringGoesOnInContinueRecords)
{
    // A long formula result: the STRING record's characters go on in a
    // CONTINUE record that starts with its own flags byte (here: 16-bit).
    ByteVector first;
    put16(first, 6);
    first.push_back(0);
    putBytes(first, "abc");
    ByteVector rest{ 0x01 };
    put16(rest, 0x0416);
    put16(rest, 'x');
    put16(rest, 'y');
    const auto book = read(oneSheet(concat({ formulaSpecial(0, 0, 0), record(0x0207, first), record(0x003C, rest),
        numberRecord(1, 0, 2) })));
    ASSERT_TRUE(book);
    EXPECT_EQ(book->cell(0, "A1"), Cell::text("abcЖxy"));
    EXPECT_EQ(book->cell(0, "A2"), Cell::number(2));
}

TEST(CellRecordsMore, NaNNumberStaysNaN)
{
    const auto book = read(oneSheet(numberRecord(0, 0, std::nan(""))));
    ASSERT_TRUE(book);
    EXPECT_TRUE(book->cell(0, "A1").isNumber());
    EXPECT_TRUE(std::isnan(book->cell(0, "A1").numberValue()));
}

TEST(CellRecordsMore, MulRkFillsItsColumns)
{
    ByteVector b;
    put16(b, 4); // row 5
    put16(b, 1); // from column B
    for (std::uint32_t v : { 10u, 20u, 30u }) {
        put16(b, 15);
        put32(b, (v << 2) | 2u);
    }
    put16(b, 3); // to column D
    const auto book = read(oneSheet(record(0x00BD, b)));
    ASSERT_TRUE(book);
    EXPECT_EQ(book->cell(0, "B5"), Cell::number(10));
    EXPECT_EQ(book->cell(0, "C5"), Cell::number(20));
    EXPECT_EQ(book->cell(0, "D5"), Cell::number(30));
    EXPECT_EQ(book->cell(0, "E5"), Cell());
    EXPECT_EQ(book->extent(0), (SheetExtent{ 5, 4 }));
}

TEST(CellRecordsMore, MulRkClaimingMoreColumnsThanItHoldsReadsWhatItHolds)
{
    ByteVector b;
    put16(b, 0);
    put16(b, 0);
    put16(b, 15);
    put32(b, (5u << 2) | 2u);
    put16(b, 200); // claims columns A..GS
    const auto book = read(oneSheet(record(0x00BD, b)));
    ASSERT_TRUE(book);
    EXPECT_EQ(book->cell(0, "A1"), Cell::number(5));
    EXPECT_EQ(book->extent(0), (SheetExtent{ 1, 1 }));
}

TEST(Extent, IsTheRangeOfCellsThatHoldSomething)
{
    // A DIMENSIONS record claiming 1000 x 50, formatted blanks far out, and
    // values at A1 and C5 only.
    ByteVector dims;
    put32(dims, 0);
    put32(dims, 1000);
    put16(dims, 0);
    put16(dims, 50);
    put16(dims, 0);
    const auto book = read(oneSheet(concat({ record(0x0200, dims), numberRecord(4, 2, 1), numberRecord(0, 0, 2),
        record(0x0201, cellHead(900, 40)) })));
    ASSERT_TRUE(book);
    EXPECT_EQ(book->extent(0), (SheetExtent{ 5, 3 }));
    // Cells come out row by row although they were written out of order.
    std::vector<std::string> order;
    book->forEachCell(0, [&](int r, int c, const Cell&) { order.push_back(ToA1(r, c)); });
    EXPECT_EQ(order, (std::vector<std::string>{ "A1", "C5" }));
}

TEST(Extent, QueriesOutsideTheWorkbookAnswerWithNothing)
{
    const auto book = read(oneSheet(numberRecord(0, 0, 1)));
    ASSERT_TRUE(book);
    EXPECT_EQ(book->cell(-1, 0, 0), Cell());
    EXPECT_EQ(book->cell(1, 0, 0), Cell());
    EXPECT_EQ(book->cell(0, -1, 0), Cell());
    EXPECT_EQ(book->cell(0, 0, -5), Cell());
    EXPECT_EQ(book->cell(0, 70000, 0), Cell());
    EXPECT_EQ(book->cell(0, "A1:B2"), Cell());
    EXPECT_EQ(book->sheetName(7), "");
    EXPECT_EQ(book->extent(3), SheetExtent{});
    int visited = 0;
    book->forEachCell(9, [&](int, int, const Cell&) { ++visited; });
    EXPECT_EQ(visited, 0);
}

TEST(Extent, LastRowAndColumnOfTheFormat)
{
    const auto book = read(oneSheet(concat({ numberRecord(65535, 255, 1) })));
    ASSERT_TRUE(book);
    EXPECT_EQ(book->extent(0), (SheetExtent{ 65536, 256 }));
    EXPECT_EQ(book->cell(0, "IV65536"), Cell::number(1));
}

// --- The shared-string table and its CONTINUE records -----------------------

ByteVector textCells(int n)
{
    ByteVector out;
    for (int i = 0; i < n; ++i) {
        const ByteVector r = labelSstRecord(static_cast<unsigned>(i), 0, static_cast<std::uint32_t>(i));
        out.insert(out.end(), r.begin(), r.end());
    }
    return out;
}

std::vector<std::string> texts(const XlsWorkbook& book, int n)
{
    std::vector<std::string> out;
    for (int i = 0; i < n; ++i)
        out.push_back(book.cell(0, i, 0).textValue());
    return out;
}

TEST(SharedStrings, EightBitTextGoesOnAsUtf16InTheNextRecord)
{
    ByteVector first;
    put16(first, 8);
    first.push_back(0);
    putBytes(first, "abcdef");
    ByteVector second{ 0x01, 0x16, 0x04, 0x16, 0x04 }; // flags: 16-bit; "ЖЖ"
    const auto book = read(oneSheet(textCells(1), sstRecords(1, { first, second })));
    ASSERT_TRUE(book);
    EXPECT_EQ(texts(*book, 1), std::vector<std::string>{ "abcdefЖЖ" });
}

TEST(SharedStrings, Utf16TextGoesOnAsEightBitInTheNextRecord)
{
    ByteVector first;
    put16(first, 4);
    first.push_back(1);
    put16(first, 0x0416);
    put16(first, 0x0416);
    ByteVector second{ 0x00, 'x', 'y' };
    const auto book = read(oneSheet(textCells(1), sstRecords(1, { first, second })));
    ASSERT_TRUE(book);
    EXPECT_EQ(texts(*book, 1), std::vector<std::string>{ "ЖЖxy" });
}

TEST(SharedStrings, SurrogatePairSplitBetweenRecords)
{
    ByteVector first;
    put16(first, 3);
    first.push_back(1);
    put16(first, 'a');
    put16(first, 0xD83C); // U+1F363 SUSHI, high half
    ByteVector second{ 0x01, 0x63, 0xDF };
    const auto book = read(oneSheet(textCells(1), sstRecords(1, { first, second })));
    ASSERT_TRUE(book);
    EXPECT_EQ(texts(*book, 1), std::vector<std::string>{ "a\U0001F363" });
}

TEST(SharedStrings, RichTextAndPhoneticBlocksAreSkippedAcrossRecords)
{
    // "abc" with 2 formatting runs (8 bytes) and a 5-byte phonetic block; the
    // record ends inside the runs, which go on without a flags byte.
    ByteVector first;
    put16(first, 3);
    first.push_back(0x0C);
    put16(first, 2);
    put32(first, 5);
    putBytes(first, "abc");
    putBytes(first, "RRRRR");
    ByteVector second;
    putBytes(second, "RRR");
    putBytes(second, "PPPPP");
    const ByteVector next = eightBit("danach");
    second.insert(second.end(), next.begin(), next.end());
    const auto book = read(oneSheet(textCells(2), sstRecords(2, { first, second })));
    ASSERT_TRUE(book);
    EXPECT_EQ(texts(*book, 2), (std::vector<std::string>{ "abc", "danach" }));
}

TEST(SharedStrings, TextEndingWithItsRecordIsFollowedByAPlainHeader)
{
    const auto book = read(oneSheet(textCells(3), sstRecords(3, { eightBit("eins"), concat({ eightBit("zwei"), eightBit("drei") }) })));
    ASSERT_TRUE(book);
    EXPECT_EQ(texts(*book, 3), (std::vector<std::string>{ "eins", "zwei", "drei" }));
}

TEST(SharedStrings, TextsSplitAcrossManyRecordsAtEveryPosition)
{
    // The same three texts, the table cut at every byte position: whatever the
    // cut, the reader must find the same texts.
    const ByteVector latin = eightBit("L\xE4nge"); // Latin-1, 8-bit characters
    const std::u16string wideText = u"Größe Жук";
    const ByteVector wide = unicodeString16(wideText);
    const ByteVector whole = concat({ latin, wide, eightBit("Ende") });
    struct Chars {
        std::size_t begin, end, width;
    };
    const Chars chars[] = { { 3, latin.size(), 1 }, { latin.size() + 3, latin.size() + wide.size(), 2 },
        { latin.size() + wide.size() + 3, whole.size(), 1 } };
    for (std::size_t cut = 1; cut < whole.size(); ++cut) {
        ByteVector a(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
        ByteVector b;
        bool splitsACodeUnit = false;
        for (const Chars& c : chars) {
            // Where characters remain, the next record starts with the flags byte.
            if (cut >= c.begin && cut < c.end) {
                b.push_back(c.width == 2 ? 0x01 : 0x00);
                splitsACodeUnit = (cut - c.begin) % c.width != 0;
            }
        }
        if (splitsACodeUnit)
            continue; // writers never split a UTF-16 code unit
        b.insert(b.end(), whole.begin() + static_cast<std::ptrdiff_t>(cut), whole.end());
        const auto book = read(oneSheet(textCells(3), sstRecords(3, { a, b })));
        ASSERT_TRUE(book) << "cut at " << cut;
        EXPECT_EQ(texts(*book, 3), (std::vector<std::string>{ "Länge", "Größe Жук", "Ende" })) << "cut at " << cut;
    }
}

TEST(SharedStrings, EmptyTextIsAnEmptyCell)
{
    const auto book = read(oneSheet(concat({ labelSstRecord(0, 0, 0), labelSstRecord(3, 3, 1) }),
        sstRecords(2, { concat({ eightBit(""), eightBit("x") }) })));
    ASSERT_TRUE(book);
    EXPECT_EQ(book->cell(0, "A1"), Cell());
    EXPECT_EQ(book->extent(0), (SheetExtent{ 4, 4 }));
}

TEST(SharedStrings, FewerTextsThanClaimedAreAcceptedWhileNoCellNeedsTheRest)
{
    const auto book = read(oneSheet(textCells(1), sstRecords(50, { eightBit("nur einer") })));
    ASSERT_TRUE(book);
    EXPECT_EQ(texts(*book, 1), std::vector<std::string>{ "nur einer" });
    EXPECT_EQ(failureOf(oneSheet(textCells(2), sstRecords(50, { eightBit("nur einer") }))).code,
        OpenErrorCode::Damaged);
}

// --- Sheets, visibility and the front sheet ---------------------------------

struct FrontCase {
    const char* name;
    unsigned activeTab;
    std::vector<std::pair<unsigned, unsigned>> stateAndType; // per BOUNDSHEET
    int expectedFront;
    int expectedCount;
};

class FrontSheet : public ::testing::TestWithParam<FrontCase> {};

TEST_P(FrontSheet, FollowsTheActiveTab)
{
    const FrontCase& c = GetParam();
    BookLayout layout;
    layout.activeTab = c.activeTab;
    for (std::size_t i = 0; i < c.stateAndType.size(); ++i)
        layout.sheets.push_back({ "S" + std::to_string(i), c.stateAndType[i].first, c.stateAndType[i].second,
            numberRecord(0, 0, static_cast<double>(i)) });
    const auto book = read(buildStream(layout));
    ASSERT_TRUE(book);
    EXPECT_EQ(book->sheetCount(), c.expectedCount);
    EXPECT_EQ(book->frontSheet(), c.expectedFront);
}

INSTANTIATE_TEST_SUITE_P(Books, FrontSheet,
    ::testing::Values(FrontCase{ "FirstTab", 0, { { 0, 0 }, { 0, 0 } }, 0, 2 },
        FrontCase{ "ThirdTab", 2, { { 0, 0 }, { 0, 0 }, { 0, 0 } }, 2, 3 },
        // A chart sheet before it shifts the worksheet index by one.
        FrontCase{ "AfterChartSheet", 2, { { 0, 0 }, { 0, 2 }, { 0, 0 } }, 1, 2 },
        // A chart sheet in front: the first visible worksheet instead.
        FrontCase{ "ChartInFront", 1, { { 1, 0 }, { 0, 2 }, { 0, 0 } }, 1, 2 },
        FrontCase{ "HiddenActiveTab", 0, { { 1, 0 }, { 0, 0 } }, 1, 2 },
        FrontCase{ "ActiveTabBeyondTheSheets", 9, { { 0, 0 }, { 0, 0 } }, 0, 2 },
        FrontCase{ "AllHidden", 1, { { 1, 0 }, { 2, 0 } }, 0, 2 },
        FrontCase{ "OnlyAChart", 0, { { 0, 2 } }, -1, 0 }),
    [](const ::testing::TestParamInfo<FrontCase>& info) { return std::string(info.param.name); });

TEST(Sheets, ChartSheetsAreNotListedAndNamesAndVisibilityAreKept)
{
    BookLayout layout;
    layout.sheets = { { "Daten", 0, 0, numberRecord(0, 0, 1) }, { "Diagramm1", 0, 2, {} },
        { "Versteckt", 1, 0, numberRecord(1, 1, 2) }, { "Ganz versteckt", 2, 0, {} } };
    const auto book = read(buildStream(layout));
    ASSERT_TRUE(book);
    ASSERT_EQ(book->sheetCount(), 3);
    EXPECT_EQ(book->sheetName(0), "Daten");
    EXPECT_EQ(book->sheetName(1), "Versteckt");
    EXPECT_EQ(book->sheetName(2), "Ganz versteckt");
    EXPECT_EQ(book->sheetVisibility(0), SheetVisibility::Visible);
    EXPECT_EQ(book->sheetVisibility(1), SheetVisibility::Hidden);
    EXPECT_EQ(book->sheetVisibility(2), SheetVisibility::VeryHidden);
    EXPECT_EQ(book->cell(1, "B2"), Cell::number(2)) << "cells belong to the right sheet";
    EXPECT_EQ(book->cell(0, "B2"), Cell());
}

TEST(Sheets, EmbeddedChartInsideASheetIsSkipped)
{
    const ByteVector chart = concat({ bofRecord(true, 0x0020), numberRecord(9, 9, 99), eofRecord() });
    const auto book = read(oneSheet(concat({ numberRecord(0, 0, 1), chart, numberRecord(1, 0, 2) })));
    ASSERT_TRUE(book);
    EXPECT_EQ(book->cell(0, "J10"), Cell()) << "a record of the chart is no cell";
    EXPECT_EQ(book->cell(0, "A2"), Cell::number(2)) << "the sheet goes on after the chart";
    EXPECT_EQ(book->extent(0), (SheetExtent{ 2, 1 }));
}

TEST(Sheets, DateModeIsKept)
{
    ByteVector one;
    put16(one, 1);
    const auto book1904 = read(oneSheet({}, record(0x0022, one)));
    ASSERT_TRUE(book1904);
    EXPECT_TRUE(book1904->uses1904Dates());
    const auto book1900 = read(oneSheet({}));
    ASSERT_TRUE(book1900);
    EXPECT_FALSE(book1900->uses1904Dates());
}

// --- Excel 5.0/95: 8-bit text in the workbook's code page -------------------

struct CodePageCase {
    const char* name;
    int codePage; // -1: no CODEPAGE record
    std::string bytes;
    std::string utf8;
};

class Biff5CodePages : public ::testing::TestWithParam<CodePageCase> {};

TEST_P(Biff5CodePages, TextAndSheetNamesBecomeUtf8)
{
    const CodePageCase& c = GetParam();
    BookLayout layout;
    layout.biff8 = false;
    layout.codePage = c.codePage;
    // Two cells with the same text: a converter that keeps state between
    // texts would show itself in the second.
    layout.sheets = { { c.bytes, 0, 0, concat({ labelRecord5(0, 0, c.bytes), labelRecord5(1, 0, c.bytes) }) } };
    const auto book = read(buildStream(layout));
    ASSERT_TRUE(book);
    EXPECT_EQ(book->biffVersion(), 5);
    EXPECT_EQ(book->sheetName(0), c.utf8);
    EXPECT_EQ(book->cell(0, "A1"), Cell::text(c.utf8));
    EXPECT_EQ(book->cell(0, "A2"), Cell::text(c.utf8));
}

INSTANTIATE_TEST_SUITE_P(Pages, Biff5CodePages,
    ::testing::Values(CodePageCase{ "Windows1252", 1252, "\xC4pfel \x80 \xDF", "Äpfel € ß" },
        CodePageCase{ "NoCodePageMeans1252", -1, "M\xFC" "ller", "Müller" },
        CodePageCase{ "Windows1250", 1250, "\x8A\xE8\xF8", "Ščř" },
        CodePageCase{ "Windows1251", 1251, "\xCC\xEE\xF1\xEA\xE2\xE0", "Москва" },
        CodePageCase{ "Windows1253", 1253, "\xC1\xE8\xDE\xED\xE1", "Αθήνα" },
        CodePageCase{ "Windows1254", 1254, "\xDE\xF0", "Şğ" },
        CodePageCase{ "Windows1255", 1255, "\xF9\xEC\xE5\xED", "שלום" },
        CodePageCase{ "Windows1256", 1256, "\xC7\xE1", "ال" },
        CodePageCase{ "Windows1257", 1257, "\xD0\xE0", "Šą" },
        // Vietnamese: a base letter and a combining mark stay two characters.
        CodePageCase{ "Windows1258", 1258, "Vi\xEA\xF2t", "Vi\xC3\xAA\xCC\xA3t" },
        CodePageCase{ "MacRoman", 10000, "\x8A\x9A\xA7", "äöß" },
        CodePageCase{ "MacRomanAsExcelForMacWritesIt", 32768, "\x8A", "ä" },
        CodePageCase{ "Windows1252AsExcelWritesIt", 32769, "\xE4", "ä" },
        CodePageCase{ "DosLatin1", 850, "\x81\xE1", "üß" }),
    [](const ::testing::TestParamInfo<CodePageCase>& info) { return std::string(info.param.name); });

TEST(Biff5, NumbersFormulasAndBooleansAsInBiff8)
{
    BookLayout layout;
    layout.biff8 = false;
    layout.codePage = 1252;
    ByteVector str5;
    put16(str5, 3);
    putBytes(str5, "\xE4\xF6\xFC");
    layout.sheets = { { "Blatt", 0, 0,
        concat({ numberRecord(0, 0, 1.25), rkRecord(0, 1, (3u << 2) | 2u), boolErrRecord(0, 2, 1, false),
            formulaSpecial(0, 3, 0), record(0x0207, str5) }) } };
    const auto book = read(buildStream(layout));
    ASSERT_TRUE(book);
    EXPECT_EQ(book->cell(0, "A1"), Cell::number(1.25));
    EXPECT_EQ(book->cell(0, "B1"), Cell::number(3));
    EXPECT_EQ(book->cell(0, "C1"), Cell::boolean(true));
    EXPECT_EQ(book->cell(0, "D1"), Cell::text("äöü"));
}

// --- Streams that cannot be read --------------------------------------------

struct BadCase {
    const char* name;
    ByteVector stream;
    OpenErrorCode code;
};

class UnreadableStreams : public ::testing::TestWithParam<BadCase> {};

TEST_P(UnreadableStreams, GiveTheRightError)
{
    EXPECT_EQ(failureOf(GetParam().stream).code, GetParam().code);
}

ByteVector withByte(ByteVector b, std::size_t at, std::uint8_t value)
{
    b.at(at) = value;
    return b;
}

// Where the data of the first record of the type starts.
std::size_t recordData(const ByteVector& stream, unsigned type)
{
    std::size_t pos = 0;
    while (pos + 4 <= stream.size()) {
        const unsigned t = stream[pos] | (stream[pos + 1] << 8);
        const unsigned len = stream[pos + 2] | (stream[pos + 3] << 8);
        if (t == type)
            return pos + 4;
        pos += 4 + len;
    }
    throw std::runtime_error("record not found");
}

ByteVector cut(ByteVector b, std::size_t drop)
{
    b.resize(b.size() - drop);
    return b;
}

// BOF, then sheets whose offsets all point into one long chain of nested
// substreams: read naively, each sheet would walk the rest of the chain.
ByteVector overlappingSheets()
{
    const int n = 3000;
    ByteVector globals = bofRecord(true, 0x0005);
    std::vector<std::size_t> fields;
    for (int i = 0; i < n; ++i) {
        ByteVector b;
        put32(b, 0);
        b.push_back(0);
        b.push_back(0);
        b.push_back(1);
        b.push_back(0);
        b.push_back('x');
        fields.push_back(globals.size() + 4);
        const ByteVector r = record(0x0085, b);
        globals.insert(globals.end(), r.begin(), r.end());
    }
    const ByteVector eof = eofRecord();
    globals.insert(globals.end(), eof.begin(), eof.end());
    ByteVector stream = globals;
    for (int i = 0; i < n; ++i) {
        const auto offset = static_cast<std::uint32_t>(stream.size());
        for (int k = 0; k < 4; ++k)
            stream[fields[static_cast<std::size_t>(i)] + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(offset >> (8 * k));
        const ByteVector bof = bofRecord(true, 0x0010);
        stream.insert(stream.end(), bof.begin(), bof.end());
    }
    for (int i = 0; i < 2000; ++i) {
        const ByteVector num = numberRecord(static_cast<unsigned>(i), 0, i);
        stream.insert(stream.end(), num.begin(), num.end());
    }
    for (int i = 0; i < n; ++i)
        stream.insert(stream.end(), eof.begin(), eof.end());
    return stream;
}

std::vector<BadCase> badCases()
{
    const ByteVector good = oneSheet(numberRecord(0, 0, 1));
    ByteVector bof4 = good;
    bof4[1] = 0x04; // BOF 0x0409: Excel 4.0
    ByteVector filePass = oneSheet({}, record(0x002F, ByteVector{ 1, 0, 1, 0, 1, 0 }));
    BookLayout beyond;
    beyond.sheets = { { "x", 0, 0, {} } };
    ByteVector sheetBeyond = buildStream(beyond);
    const std::size_t field = recordData(sheetBeyond, 0x0085); // the sheet's offset
    ByteVector shortNumber = oneSheet(record(0x0203, ByteVector(10, 0)));
    ByteVector cutSst = oneSheet(textCells(1), sstRecords(1, { ByteVector{ 10, 0, 0, 'a', 'b' } }));
    return {
        { "EmptyStream", {}, OpenErrorCode::NotAWorkbook },
        { "Garbage", ByteVector{ 'H', 'e', 'l', 'l', 'o', ' ', 'W', 'o', 'r', 'l', 'd' }, OpenErrorCode::NotAWorkbook },
        { "Excel4Stream", bof4, OpenErrorCode::NotAWorkbook },
        { "UnknownBiffVersion", withByte(good, 5, 0x04), OpenErrorCode::NotAWorkbook },
        { "StartsWithAWorksheet", withByte(good, 6, 0x10), OpenErrorCode::NotAWorkbook },
        { "Encrypted", filePass, OpenErrorCode::Encrypted },
        { "LastRecordCutShort", cut(good, 1), OpenErrorCode::Damaged },
        { "SheetWithoutEof", cut(good, 4), OpenErrorCode::Damaged },
        { "GlobalsWithoutEof", ByteVector(good.begin(), good.begin() + 20 + 22), OpenErrorCode::Damaged },
        { "SheetOffsetBeyondTheStream", withByte(sheetBeyond, field + 3, 0x7F), OpenErrorCode::Damaged },
        { "SheetOffsetNotAtABof", withByte(sheetBeyond, field, static_cast<std::uint8_t>(sheetBeyond[field] + 4)), OpenErrorCode::Damaged },
        { "NumberRecordTooShort", shortNumber, OpenErrorCode::Damaged },
        { "SharedStringIndexBeyondTheTable", oneSheet(labelSstRecord(0, 0, 5), sstRecords(1, { eightBit("a") })), OpenErrorCode::Damaged },
        { "SharedStringCutShort", cutSst, OpenErrorCode::Damaged },
        { "SheetsPointingIntoEachOther", overlappingSheets(), OpenErrorCode::Damaged },
    };
}

TEST(UnreadableStreamsMore, SheetsPointingIntoEachOtherAreStoppedByTheWorkBudget)
{
    EXPECT_NE(failureOf(overlappingSheets()).detail.find("overlap"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Streams, UnreadableStreams, ::testing::ValuesIn(badCases()),
    [](const ::testing::TestParamInfo<BadCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace zx
