#include "workbook/CellReference.h"

#include <gtest/gtest.h>

namespace zx {
namespace {

struct A1Case {
    const char* text;
    int row;
    int column;
};

class A1References : public ::testing::TestWithParam<A1Case> {};

TEST_P(A1References, ParseAndWriteBack)
{
    const A1Case c = GetParam();
    const auto p = ParseA1(c.text);
    ASSERT_TRUE(p.has_value()) << c.text;
    EXPECT_EQ(p->row, c.row) << c.text;
    EXPECT_EQ(p->column, c.column) << c.text;
    // Written back without dollars and in capitals.
    std::string plain;
    for (const char* s = c.text; *s; ++s)
        if (*s != '$')
            plain += static_cast<char>(std::toupper(static_cast<unsigned char>(*s)));
    EXPECT_EQ(ToA1(c.row, c.column), plain);
}

INSTANTIATE_TEST_SUITE_P(Valid, A1References,
    ::testing::Values(A1Case{ "A1", 0, 0 }, A1Case{ "B7", 6, 1 }, A1Case{ "$A$1", 0, 0 },
        A1Case{ "$B7", 6, 1 }, A1Case{ "B$7", 6, 1 }, A1Case{ "z26", 25, 25 }, A1Case{ "AA1", 0, 26 },
        A1Case{ "AZ10", 9, 51 }, A1Case{ "BA1", 0, 52 }, A1Case{ "IV65536", 65535, 255 },
        A1Case{ "ZZ1", 0, 701 }, A1Case{ "AAA1", 0, 702 }, A1Case{ "XFD1048576", 1048575, 16383 }));

class MalformedA1 : public ::testing::TestWithParam<const char*> {};

TEST_P(MalformedA1, IsRefused) { EXPECT_FALSE(ParseA1(GetParam()).has_value()) << GetParam(); }

INSTANTIATE_TEST_SUITE_P(Invalid, MalformedA1,
    ::testing::Values("", "A", "7", "A0", "A07", "$$A1", "A$$1", "A1$", " A1", "A1 ", "A-1", "1A",
        "A1:B2", "Blatt1!A1", "Ä1", "XFE1", "A1048577", "A99999999999"));

TEST(ColumnLetters, BijectiveBase26)
{
    EXPECT_EQ(ColumnLetters(0), "A");
    EXPECT_EQ(ColumnLetters(25), "Z");
    EXPECT_EQ(ColumnLetters(26), "AA");
    EXPECT_EQ(ColumnLetters(27), "AB");
    EXPECT_EQ(ColumnLetters(255), "IV");
    EXPECT_EQ(ColumnLetters(16383), "XFD");
    EXPECT_EQ(ColumnLetters(-1), "");
    EXPECT_EQ(ToA1(-1, 0), "");
    // Every column up to the largest sheet survives the round trip.
    for (int c = 0; c < kMaxReferenceColumns; ++c)
        ASSERT_EQ(ParseA1(ColumnLetters(c) + "1"), (CellPosition{ 0, c })) << c;
}

} // namespace
} // namespace zx
