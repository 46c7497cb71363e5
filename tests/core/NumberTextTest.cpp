// Number texts: expected values follow from the rules of each form (blank
// before non-negative numbers, 15/7 significant digits, half-away-from-zero
// rounding of the decimal value, regional separator in reports only).
#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>
#include <limits>

namespace zx {
namespace {

class DecimalSeparatorGuard {
public:
    explicit DecimalSeparatorGuard(char c) : saved_(DecimalSeparator()) { SetDecimalSeparator(c); }
    ~DecimalSeparatorGuard() { SetDecimalSeparator(saved_); }

private:
    char saved_;
};

// The C library's numbers in a German region for the test's duration, as
// the windows' toolkit sets them from the user's settings; false when the
// system has no German locale.
class GermanNumbers {
public:
    GermanNumbers() : saved_(std::setlocale(LC_NUMERIC, nullptr)) { active_ = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr; }
    ~GermanNumbers() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
    bool active() const { return active_; }

private:
    std::string saved_;
    bool active_ = false;
};

std::string withComma(std::string s)
{
    for (char& c : s)
        if (c == '.')
            c = ',';
    return s;
}

TEST(NumberText, StrOfDoubleIsIndependentOfTheRegion)
{
    struct Case { double value; const char* text; };
    const Case cases[] = {
        { 12, " 12" }, { -3, "-3" }, { 2.5, " 2.5" }, { 0, " 0" }, { -0.0, " 0" },
        { 0.1, " 0.1" }, { 1.0 / 3, " 0.333333333333333" }, { 2.0 / 3, " 0.666666666666667" },
        { 123456789012345.0, " 123456789012345" }, { 1e15, " 1E+15" }, { 0.0001, " 0.0001" },
        { 0.00001, " 1E-05" }, { -2.25, "-2.25" }, { 1e300, " 1E+300" }, { 3.5, " 3.5" }, { 2.25, " 2.25" },
    };
    for (char sep : { '.', ',' }) {
        DecimalSeparatorGuard g(sep);
        for (const auto& c : cases)
            EXPECT_EQ(Str(c.value), c.text) << "value " << c.value << ", separator " << sep;
    }
    // Nor of the C library's region.
    const GermanNumbers german;
    if (!german.active())
        GTEST_SKIP() << "no German locale on this system";
    for (const auto& c : cases)
        EXPECT_EQ(Str(c.value), c.text) << "value " << c.value << " in a German region";
    EXPECT_EQ(StrSingle(-14.2f), "-14.2");
    EXPECT_EQ(Format(2.675, "0.00"), "2.68");
}

TEST(NumberText, StrOfWholeNumbersAndSingles)
{
    EXPECT_EQ(Str(9), " 9");
    EXPECT_EQ(Str(0), " 0");
    EXPECT_EQ(Str(-1), "-1");
    EXPECT_EQ(Str(1004), " 1004");
    EXPECT_EQ(Str(32767LL), " 32767");
    EXPECT_EQ(StrSingle(0.1f), " 0.1");
    EXPECT_EQ(StrSingle(2.5f), " 2.5");
    EXPECT_EQ(StrSingle(1.0f / 3), " 0.3333333");
    EXPECT_EQ(StrSingle(-14.2f), "-14.2");
    EXPECT_EQ(StrSingle(16777216.0f), " 1.677722E+07");
}

TEST(NumberText, DefaultTextUsesTheRegionalSeparator)
{
    struct Case { double value; const char* dot; };
    const Case cases[] = { { 2.5, "2.5" }, { 5, "5" }, { -0.5, "-0.5" }, { 0.00001, "1E-05" }, { 1.0 / 3, "0.333333333333333" } };
    for (const auto& c : cases) {
        {
            DecimalSeparatorGuard g('.');
            EXPECT_EQ(CStr(c.value), c.dot);
        }
        {
            DecimalSeparatorGuard g(',');
            EXPECT_EQ(CStr(c.value), withComma(c.dot));
        }
    }
    DecimalSeparatorGuard g(',');
    EXPECT_EQ(CStrSingle(2.5f), "2,5");
    EXPECT_EQ(CStrSingle(0.1f), "0,1");
    EXPECT_EQ(CStrSingle(5.0f), "5");
    EXPECT_EQ(CStrSingle(0.5f), "0,5");
}

TEST(NumberText, FormatPatternsInBothRegions)
{
    struct Case { double value; const char* pattern; const char* dot; };
    const Case cases[] = {
        { 2.23606797749979, "#0.0000", "2.2361" },
        { -1.959963984540054, "0.0000", "-1.9600" },
        { 0.5, "0.00", "0.50" },
        { 2.675, "0.00", "2.68" },   // 2.67499999999999982 in binary; read as typed
        { 1.005, "0.00", "1.01" },
        { 0.125, "0.00", "0.13" },   // half away from zero
        { -0.125, "0.00", "-0.13" },
        { 0.00001, "0.0000", "0.0000" },
        { -0.00001, "0.0000", "0.0000" }, // no minus before a zero
        { 0.99999999, "0.0000", "1.0000" },
        { 99.999999, "#0.00", "100.00" },
        { 9.5, "#0", "10" },
        { 17.5, "#0", "18" },
        { 16.5, "#0", "17" },
        { -2.5, "#0", "-3" },
        { 0.4, "#0", "0" },
        { 1234567.89, "#0", "1234568" },
        { 0.0525, "0.0%", "5.3%" },
        { 0.05, "0.0%", "5.0%" },
        { 1, "0.0%", "100.0%" },
        { 0.000049, "0.0%", "0.0%" },
        { 999999999999999.0, "#0", "999999999999999" },
        { 1e20, "0.00", "1.00E+20" },         // beyond a double's integer digits: scientific
        { -2.5e37, "#0.0000", "-2.5000E+37" },
        { 4e13, "0.0%", "4.0E+15%" },
        { 123.456, "0.0000", "123.4560" },
        { 0, "0.00", "0.00" },
        { 12.03, "#0.0000", "12.0300" },
        { 1000000000.2, "0.0000", "1000000000.2000" },
        { 0.05, ".00", ".05" },
    };
    for (const auto& c : cases) {
        {
            DecimalSeparatorGuard g('.');
            EXPECT_EQ(Format(c.value, c.pattern), c.dot) << c.value << " as " << c.pattern;
        }
        {
            DecimalSeparatorGuard g(',');
            EXPECT_EQ(Format(c.value, c.pattern), withComma(c.dot)) << c.value << " as " << c.pattern;
        }
    }
}

TEST(NumberText, FormatNeverPrintsGarbageForNonNumbers)
{
    DecimalSeparatorGuard g('.');
    EXPECT_EQ(Format(std::numeric_limits<double>::quiet_NaN(), "0.00"), "NaN");
    EXPECT_EQ(Format(std::numeric_limits<double>::infinity(), "0.00"), "Inf");
}

TEST(NumberText, LeadingNumberRule)
{
    struct Case { const char* text; double value; };
    const Case cases[] = {
        { "12", 12 }, { "  12abc", 12 }, { "\t7", 7 }, { "2,5", 2.5 }, { "2.5", 2.5 }, { "abc", 0 }, { "", 0 },
        { "-3.5", -3.5 }, { "+4", 4 }, { ".5", 0.5 }, { ",5", 0.5 }, { "5.", 5 }, { "1e3", 1000 }, { "1e", 1 },
        { "1e+", 1 }, { "2E-2x", 0.02 }, { "1.5.3", 1.5 }, { "1,000.5", 1.0 }, { "60", 60 }, { "0.5", 0.5 },
        { "0,00001", 0.00001 }, { "-", 0 }, { ".", 0 }, { "x5", 0 }, { "5 %", 5 },
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Val(c.text), c.value) << '"' << c.text << '"';
    EXPECT_TRUE(std::isinf(Val("1e999")));
}

TEST(NumberText, TypedLevels)
{
    struct Case { const char* answer; double level; };
    const Case cases[] = {
        { "", 5 }, { "5%", 5 }, { "5", 5 }, { "1%", 1 }, { "0.5", 0.5 }, { "2,5", 2.5 }, { "2,5%", 2.5 },
        { "abc", 0 }, { "%", 0 }, { "60", 60 }, { " 10 %", 10 }, { "10%%", 10 },
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(LevelValue(c.answer), c.level) << '"' << c.answer << '"';
}

} // namespace
} // namespace zx
