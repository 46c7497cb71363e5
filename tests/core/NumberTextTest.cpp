// Number texts by each form's rules (blank before non-negative numbers, 15/7 digits, half away
// from zero, regional separator in reports only); a German C locale must change nothing.
#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zx {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

class NumberText : public ::testing::Test {
protected:
    void TearDown() override { SetDecimalSeparator('.'); }

    // The text with '.' and, under ',' as the regional separator, with ','.
    template <typename F>
    void expectRegional(F text, std::string dot, const std::string& what)
    {
        SetDecimalSeparator('.');
        EXPECT_EQ(text(), dot) << what;
        SetDecimalSeparator(',');
        for (char& c : dot)
            c = c == '.' ? ',' : c;
        EXPECT_EQ(text(), dot) << what << " with ','";
    }
};

TEST_F(NumberText, StrIsTheSameInEveryRegion)
{
    SetDecimalSeparator(',');
    const std::pair<double, const char*> doubles[] = {
        { 12, " 12" }, { -3, "-3" }, { 2.5, " 2.5" }, { -0.0, " 0" }, { 1.0 / 3, " 0.333333333333333" },
        { 2.0 / 3, " 0.666666666666667" }, { 123456789012345.0, " 123456789012345" }, { 1e15, " 1E+15" },
        { 0.0001, " 0.0001" }, { 0.00001, " 1E-05" }, { -2.25, "-2.25" },
    };
    for (const auto& [value, text] : doubles)
        EXPECT_EQ(Str(value), text) << value;
    EXPECT_EQ(Str(0), " 0");
    EXPECT_EQ(Str(-1), "-1");
    EXPECT_EQ(Str(32767LL), " 32767");
    EXPECT_EQ(StrSingle(1.0f / 3), " 0.3333333");
    EXPECT_EQ(StrSingle(-14.2f), "-14.2");
    EXPECT_EQ(StrSingle(16777216.0f), " 1.677722E+07");
}

TEST_F(NumberText, DefaultTextsTakeTheRegionalSeparator)
{
    const std::pair<double, const char*> doubles[] = { { 2.5, "2.5" }, { 5, "5" }, { -0.5, "-0.5" }, { 0.00001, "1E-05" },
        { 1.0 / 3, "0.333333333333333" } };
    for (const auto& [value, text] : doubles)
        expectRegional([v = value] { return CStr(v); }, text, "CStr");
    expectRegional([] { return CStrSingle(0.1f); }, "0.1", "CStrSingle");
}

TEST_F(NumberText, FormatPatterns)
{
    struct Case { double value; const char* pattern; const char* dot; };
    const Case cases[] = {
        { 2.23606797749979, "#0.0000", "2.2361" },
        { -1.959963984540054, "0.0000", "-1.9600" },
        { 2.675, "0.00", "2.68" }, // 2.67499999999999982 in binary; read as typed
        { 0.125, "0.00", "0.13" }, // half away from zero
        { -0.125, "0.00", "-0.13" },
        { -0.00001, "0.0000", "0.0000" }, // no minus before a zero
        { 0.00005, "0.0000", "0.0001" },
        { 1, "0.00", "1.00" },
        { 2.5, "#0.000000000000000", "2.500000000000000" },
        { 99.999999, "#0.00", "100.00" },
        { 9.5, "#0", "10" },
        { 0.4, "#0", "0" },
        { 5, "000", "005" },
        { 0.0525, "0.0%", "5.3%" },
        { 0.000049, "0.0%", "0.0%" },
        { 999999999999999.0, "#0", "999999999999999" },
        { 1e15, "#0", "1E+15" }, // beyond a double's integer digits: scientific
        { -2.5e37, "#0.0000", "-2.5000E+37" },
        { 4e13, "0.0%", "4.0E+15%" },
        { 1000000000.2, "0.0000", "1000000000.2000" },
        { 0.05, ".00", ".05" },
        { std::nan(""), "0.00", "NaN" },
        { kInf, "0.00", "Inf" },
        { -kInf, "0.00", "-Inf" },
    };
    for (const auto& c : cases)
        expectRegional([&c] { return Format(c.value, c.pattern); }, c.dot, std::to_string(c.value) + " as " + c.pattern);
}

// Typed numbers and levels: leading blanks skipped, the longest numeric
// prefix counts, "." or "," is the decimal point; an empty level is 5.
TEST_F(NumberText, TypedNumbersAndLevels)
{
    const std::pair<const char*, double> values[] = {
        { "  12abc", 12 }, { "\t7", 7 }, { "2,5", 2.5 }, { "abc", 0 }, { "", 0 }, { "-3.5", -3.5 }, { "+4", 4 },
        { ",5", 0.5 }, { "5.", 5 }, { "1e3", 1000 }, { "1e", 1 }, { "1e+", 1 }, { "2E-2x", 0.02 }, { "1e-3", 0.001 },
        { "1.5.3", 1.5 }, { "-", 0 }, { ".", 0 }, { "x5", 0 }, { "1e-999", 0 }, { "90.09", 90.09 }, { "2e09", 2e9 },
        { "1e999", kInf }, { "-1e999", -kInf },
    };
    for (const auto& [text, value] : values)
        EXPECT_EQ(Val(text), value) << '"' << text << '"';

    const std::pair<const char*, double> levels[] = {
        { "", 5 }, { "5%", 5 }, { "2,5%", 2.5 }, { "abc", 0 }, { "%", 0 }, { " 10 %", 10 }, { "10%%", 10 },
    };
    for (const auto& [answer, level] : levels)
        EXPECT_EQ(LevelValue(answer), level) << '"' << answer << '"';
}

} // namespace
} // namespace zx
