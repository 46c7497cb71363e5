// The conversions beneath the readers, at the edges the corpus does not reach.
#include "core/TextDecoding.h"
#include "workbook/CellReference.h"
#include "workbook/ValueText.h"
#include "workbook/WorkbookDump.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zx {
namespace {

TEST(CellReferences, ParseAndWriteBack)
{
    struct Case { const char* text; int row, column; const char* back; };
    for (const Case& c : { Case{ "A1", 0, 0, "A1" }, Case{ "$B$7", 6, 1, "B7" }, Case{ "$B9", 8, 1, "B9" }, Case{ "B$10", 9, 1, "B10" },
             Case{ "z26", 25, 25, "Z26" }, Case{ "aa1", 0, 26, "AA1" }, Case{ "AZ10", 9, 51, "AZ10" }, Case{ "BA1", 0, 52, "BA1" },
             Case{ "IV65536", 65535, 255, "IV65536" }, Case{ "ZZ1", 0, 701, "ZZ1" }, Case{ "AAA1", 0, 702, "AAA1" },
             Case{ "XFD1048576", 1048575, 16383, "XFD1048576" } }) {
        EXPECT_EQ(ParseA1(c.text), (CellPosition{ c.row, c.column })) << c.text;
        EXPECT_EQ(ToA1(c.row, c.column), c.back);
    }
    for (const char* bad : { "", "A", "7", "A0", "A07", "$$A1", "A$$1", "A1$", " A1", "A1 ", "A-1", "1A", "A1:B2", "Blatt1!A1", "Ä1",
             "XFE1", "A1048577", "A99999999999", "@1", "[1", "`1", "{1" })
        EXPECT_FALSE(ParseA1(bad)) << bad;
    EXPECT_EQ(ToA1(-1, 0), "");
    EXPECT_EQ(ToA1(0, -1), "");
    for (int c = 0; c < kMaxReferenceColumns; ++c)
        ASSERT_EQ(ParseA1(ColumnLetters(c) + "1"), (CellPosition{ 0, c })) << c;
}

TEST(DumpNumbers, WholeBelowTheFifteenthPowerElseShortest)
{
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    for (const auto& [value, text] : std::initializer_list<std::pair<double, const char*>>{ { -0.0, "0" },
             { 999999999999999, "999999999999999" }, { 1e15, "1e+15" }, { -999999999999999, "-999999999999999" }, { -1e15, "-1e+15" },
             { 9007199254740993.0, "9007199254740992" }, { 0.0001, "1e-04" }, { 5e-324, "5e-324" }, { nan, "nan" }, { -nan, "nan" },
             { inf, "inf" }, { -inf, "-inf" } })
        EXPECT_EQ(DumpNumber(value), text);
}

TEST(TextDecoding, WhatNoWorkbookOfTheCorpusHolds)
{
    const char16_t lone[] = { u'x', 0xD83C, u'y', 0xDF63 };
    EXPECT_EQ(Utf16ToUtf8(lone), "x\uFFFDy\uFFFD");
    struct Case { unsigned codePage; std::string bytes, utf8; };
    // Unassigned bytes; an unknown code page as Windows-1252; double-byte text cut short, byte by byte as Windows-1252.
    for (const Case& c : { Case{ 1252, "\x81", "\uFFFD" }, Case{ 1253, "\xAA", "\uFFFD" }, Case{ 12345, "\xE4", "ä" }, Case{ 932, "\x93", "\u201C" } })
        EXPECT_EQ(CodePageToUtf8({ reinterpret_cast<const std::uint8_t*>(c.bytes.data()), c.bytes.size() }, c.codePage), c.utf8) << c.codePage;
    EXPECT_TRUE(IsKnownCodePage(932));
    EXPECT_FALSE(IsKnownCodePage(12345));
    EXPECT_FALSE(IsKnownCodePage(1200)) << "UTF-16 is no 8-bit code page";
}

TEST(ValueText, DecimalsAndWhatIsNone)
{
    bool overflow = false;
    for (const auto& [text, value] : std::initializer_list<std::pair<const char*, double>>{ { " +7 ", 7 }, { ".5", 0.5 }, { "1E-400", 0 } })
        EXPECT_EQ(ParseDecimal(text), value) << text;
    EXPECT_TRUE(std::signbit(*ParseDecimal("-1e-400")));
    EXPECT_EQ(ParseDecimal("1e400", &overflow), std::nullopt);
    EXPECT_TRUE(overflow);
    for (const char* none : { "", "-", "inf", "-nan", "0x1p3", "1,5", "1.5.", "--1", "e5", "1 2" }) {
        EXPECT_EQ(ParseDecimal(none, &overflow), std::nullopt) << none;
        EXPECT_FALSE(overflow) << none;
    }
}

TEST(ValueText, DatesTimesAndEscapes)
{
    // Serial numbers as Excel shows them for these dates and times.
    const long long excel = DaysFromCivil(1899, 12, 30);
    EXPECT_EQ(SerialFromIsoDate("2013-02-26", excel), 41331.0);
    EXPECT_EQ(SerialFromIsoDate("1900-03-01", excel), 61.0);
    EXPECT_EQ(SerialFromIsoDate("2009-08-16T05:43:21.5", excel), 40041.0 + (5 * 3600 + 43 * 60 + 21.5) / 86400.0);
    EXPECT_EQ(SerialFromIsoDate("1904-01-02T12:00Z", DaysFromCivil(1904, 1, 1)), 1.5);
    EXPECT_EQ(SerialFromIsoDate("2000-12-31T00:00:00+01:00", excel), 36891.0);
    EXPECT_EQ(SerialFromIsoDate("-0001-03-01", 0), -719834.0); // days before 1970-01-01, year 0 a leap year
    for (const char* none : { "2013-2-26", "26.02.2013", "2013-13-01", "2013-00-10", "2013-01-32", "2013-01-00", "2013-01-01T1:00",
             "2013-01-01T10", "2013-01-01T10:00:x", "2013-01-01 10:00" })
        EXPECT_EQ(SerialFromIsoDate(none, excel), std::nullopt) << none;
    for (const auto& [text, days] : std::initializer_list<std::pair<const char*, double>>{
             { "PT12H", 0.5 }, { "PT36H30M", 1.5 + 30 / 1440.0 }, { "P1DT5H59M60S", 1.25 }, { "-PT6H", -0.25 } })
        EXPECT_EQ(DaysFromIsoDuration(text), days) << text;
    for (const char* none : { "P1Y", "PT1D", "P1H", "P", "T1H", "PT1", "PTxH", "PT-6H" })
        EXPECT_EQ(DaysFromIsoDuration(none), std::nullopt) << none;
    EXPECT_EQ(UnescapeOoxml("a_x000D__x000a_b_x00e4_"), "a\r\nbä");
    EXPECT_EQ(UnescapeOoxml("_x005F_x000D_"), "_x000D_");
    EXPECT_EQ(UnescapeOoxml("_xZZZZ_ _x00e4_ _x00E"), "_xZZZZ_ ä _x00E");
}

} // namespace
} // namespace zx
