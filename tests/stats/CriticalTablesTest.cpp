// The critical-value tables: their text rows in the fixed columns they are
// printed in, every value against the printed page (LORD, WILCOXON) or the
// exact rank-sum distribution (U-test: data/rank_sum_limits.txt from
// data/make_rank_sum_limits.py, which the printed U tables match entry for
// entry), and the lookups' edges.
#include "core/NumberText.h"
#include "stats/CriticalTables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace zx {
namespace {

// Lord's u (n1 = n2 = n) as printed: n, one-sided 5 %, one-sided 1 %,
// two-sided 5 %, two-sided 1 %.
struct LordRow {
    int n;
    double one5, one1, two5, two1;
};
constexpr LordRow kLordPrinted[] = {
    { 3, 0.974, 1.715, 1.272, 2.093 }, { 4, 0.644, 1.047, 0.831, 1.237 }, { 5, 0.493, 0.772, 0.613, 0.896 },
    { 6, 0.405, 0.621, 0.499, 0.714 }, { 7, 0.347, 0.525, 0.426, 0.600 }, { 8, 0.306, 0.459, 0.373, 0.521 },
    { 9, 0.275, 0.409, 0.334, 0.464 }, { 10, 0.250, 0.371, 0.304, 0.419 }, { 11, 0.233, 0.340, 0.280, 0.384 },
    { 12, 0.214, 0.315, 0.260, 0.355 }, { 13, 0.201, 0.294, 0.243, 0.331 }, { 14, 0.189, 0.276, 0.228, 0.311 },
    { 15, 0.179, 0.261, 0.216, 0.293 }, { 16, 0.170, 0.247, 0.205, 0.278 }, { 17, 0.162, 0.236, 0.195, 0.264 },
    { 18, 0.155, 0.225, 0.187, 0.252 }, { 19, 0.149, 0.216, 0.179, 0.242 }, { 20, 0.143, 0.207, 0.172, 0.232 },
};

// WILCOXON's printed values of R: n', then one-sided 5, 2.5, 1, 0.5 %
// (two-sided 10, 5, 2, 1 %). Not all are the exact conservative limits
// (n' = 6 at 1 % would have none); they are the table users have always
// been given.
struct WilcoxonRow {
    int n;
    int f[4];
};
constexpr WilcoxonRow kWilcoxonPrinted[] = {
    { 6, { 2, 1, 1, 1 } }, { 7, { 3, 2, 1, 1 } }, { 8, { 5, 4, 2, 1 } }, { 9, { 8, 6, 3, 2 } },
    { 10, { 10, 8, 5, 3 } }, { 11, { 13, 11, 7, 5 } }, { 12, { 17, 14, 10, 7 } }, { 13, { 21, 17, 13, 10 } },
    { 14, { 25, 21, 16, 13 } }, { 15, { 30, 25, 20, 16 } }, { 16, { 35, 30, 24, 20 } }, { 17, { 41, 35, 28, 23 } },
    { 18, { 47, 40, 33, 28 } }, { 19, { 53, 46, 38, 32 } }, { 20, { 60, 52, 43, 38 } }, { 21, { 67, 59, 49, 43 } },
    { 22, { 75, 66, 56, 49 } }, { 23, { 83, 73, 62, 55 } }, { 24, { 91, 81, 69, 61 } }, { 25, { 100, 89, 77, 68 } },
    { 26, { 110, 98, 84, 75 } }, { 27, { 119, 107, 92, 83 } }, { 28, { 130, 116, 101, 91 } }, { 29, { 140, 126, 110, 100 } },
};

TEST(LordTable, RowsAreFifteenCharactersInFixedColumns)
{
    for (auto alternative : { Alternative::TwoSided, Alternative::Less }) {
        const auto rows = LordRows(alternative);
        ASSERT_EQ(rows.size(), 18u);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const std::string row = rows[i];
            EXPECT_EQ(row.size(), 15u) << row;
            EXPECT_EQ(Val(row.substr(0, 3)), static_cast<double>(i + 3)) << row;
            EXPECT_EQ(row[3], ' ') << row;
            EXPECT_EQ(row[9], ' ') << row;
        }
    }
    EXPECT_STREQ(LordRows(Alternative::Less)[0], "  3 0.974 1.715");
    EXPECT_STREQ(LordRows(Alternative::Less)[7], " 10 0.250 0.371");
    EXPECT_STREQ(LordRows(Alternative::TwoSided)[7], " 10 0.304 0.419");
}

TEST(LordTable, EveryValueAsPrinted)
{
    for (const auto& row : kLordPrinted) {
        SCOPED_TRACE("n = " + std::to_string(row.n));
        // Both one-sided alternatives read the one-sided table.
        for (auto oneSided : { Alternative::Less, Alternative::Greater }) {
            EXPECT_EQ(LordTable(oneSided, row.n, 0.05), row.one5);
            EXPECT_EQ(LordTable(oneSided, row.n, 0.01), row.one1);
        }
        EXPECT_EQ(LordTable(Alternative::TwoSided, row.n, 0.05), row.two5);
        EXPECT_EQ(LordTable(Alternative::TwoSided, row.n, 0.01), row.two1);
    }
}

TEST(LordTable, NothingOutsideItsSizesAndLevels)
{
    EXPECT_EQ(LordTable(Alternative::TwoSided, 10, 0.01), 0.419);
    EXPECT_FALSE(LordTable(Alternative::TwoSided, 21, 0.05));
    EXPECT_FALSE(LordTable(Alternative::TwoSided, 2, 0.05));
    EXPECT_FALSE(LordTable(Alternative::TwoSided, 0, 0.05));
    EXPECT_FALSE(LordTable(Alternative::TwoSided, 10, 0.1));
    EXPECT_FALSE(LordTable(Alternative::Less, 10, 0.025));
}

TEST(UTestTable, TellingRowsAreHeldAsPrinted)
{
    EXPECT_STREQ(UTestRows(10)[0], " 3   6");
    EXPECT_STREQ(UTestRows(10)[1], " 4   6  11");
    EXPECT_STREQ(UTestRows(10)[2], " 5   7  12  19");
    EXPECT_STREQ(UTestRows(10)[22], "25  20  33  47  62  78  96 114 134 155 176 199 223 248 273 300 328 357 387 418 450 483 517 552");
    EXPECT_STREQ(UTestRows(5)[0], " 4      10");
    EXPECT_STREQ(UTestRows(5)[1], " 5   6  11  17");
    EXPECT_STREQ(UTestRows(5)[6], "10   9  15  23  32  42  53  65  78");
    EXPECT_STREQ(UTestRows(5)[21], "25  16  28  42  56  72  89 107 126 146 167 189 212 237 262 288 316 344 373 404 435 468 501 536");
    EXPECT_STREQ(UTestRows(1)[0], " 5          15");
    EXPECT_STREQ(UTestRows(1)[1], " 6      10  16  23");
    EXPECT_STREQ(UTestRows(1)[2], " 7      10  16  24  32");
    EXPECT_STREQ(UTestRows(1)[20], "25  11  20  32  45  60  75  92 110 129 149 170 192 216 240 265 292 319 348 377 408 439 472 505");
    EXPECT_EQ(UTestRows(10).size(), 23u);
    EXPECT_EQ(UTestRows(5).size(), 22u);
    EXPECT_EQ(UTestRows(1).size(), 21u);
    EXPECT_TRUE(UTestRows(2).empty());
}

TEST(UTestTable, RowsHaveOneFourCharacterFieldPerN)
{
    for (int table : { 10, 5, 1 }) {
        for (const char* text : UTestRows(table)) {
            const std::string row = text;
            const int m = static_cast<int>(Val(row.substr(0, 2)));
            // Fields for n = 3..m; a row ends with its last number.
            EXPECT_EQ(row.size(), static_cast<std::size_t>(2 + 4 * (m - 2))) << row;
        }
    }
}

// Every value of the three tables against the exact limits of the rank-sum
// distribution, through the lookup, for the levels each table serves.
TEST(UTestTable, EveryValueIsTheExactRankSumLimit)
{
    std::ifstream in(std::string(ZX_TEST_DATA_DIR) + "/data/rank_sum_limits.txt");
    ASSERT_TRUE(in);
    struct Level {
        double twoSided;
        double oneSided;
    };
    const std::map<std::string, Level> levels = { { "0.05", { 0.1, 0.05 } }, { "0.025", { 0.05, 0.025 } }, { "0.005", { 0.01, 0.005 } } };
    std::string line;
    int checked = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream s(line);
        std::string alpha;
        int m = 0;
        s >> alpha >> m;
        const Level level = levels.at(alpha);
        std::string field;
        for (int n = 3; s >> field; ++n) {
            const Single expected = field == "-" ? 0 : static_cast<Single>(std::stoi(field));
            SCOPED_TRACE("alpha " + alpha + " m " + std::to_string(m) + " n " + std::to_string(n));
            EXPECT_EQ(UTestTable(Alternative::TwoSided, n, m, level.twoSided), expected);
            EXPECT_EQ(UTestTable(Alternative::Less, n, m, level.oneSided), expected);
            EXPECT_EQ(UTestTable(Alternative::Greater, n, m, level.oneSided), expected);
            ++checked;
        }
    }
    // n = 3..m for m = 3..25: 1 + 2 + ... + 23 = 276 fields per level.
    EXPECT_EQ(checked, 3 * 276);
}

TEST(UTestTable, WorkedLimits)
{
    // n = 3, m = 5, two-sided 5 %: U = 6 (and Uo = 3 * 9 - 6 = 21).
    EXPECT_EQ(UTestTable(Alternative::TwoSided, 3, 5, 0.05), Single(6));
    // n = m = 4, two-sided 5 %: U = 10 (Uo = 4 * 9 - 10 = 26).
    EXPECT_EQ(UTestTable(Alternative::TwoSided, 4, 4, 0.05), Single(10));
    // A blank field reads 0.
    EXPECT_EQ(UTestTable(Alternative::TwoSided, 3, 4, 0.05), Single(0));
    EXPECT_EQ(UTestTable(Alternative::TwoSided, 3, 5, 0.01), Single(0));
}

TEST(UTestTable, EdgesOfTheLookup)
{
    // m below the table's first row, n above m or below 3: no limit.
    EXPECT_EQ(UTestTable(Alternative::TwoSided, 3, 3, 0.05), Single(0));
    EXPECT_EQ(UTestTable(Alternative::TwoSided, 2, 2, 0.1), Single(0));
    EXPECT_EQ(UTestTable(Alternative::TwoSided, 6, 5, 0.1), Single(0));
    EXPECT_EQ(UTestTable(Alternative::TwoSided, 2, 10, 0.1), Single(0));
    EXPECT_EQ(UTestTable(Alternative::TwoSided, 5, 26, 0.1), Single(0));
    // Levels that select no table.
    EXPECT_FALSE(UTestTable(Alternative::TwoSided, 5, 10, 0.025));
    EXPECT_FALSE(UTestTable(Alternative::TwoSided, 5, 10, 0.005));
    EXPECT_FALSE(UTestTable(Alternative::Less, 5, 10, 0.1));
    EXPECT_FALSE(UTestTable(Alternative::Greater, 5, 10, 0.01));
    EXPECT_FALSE(UTestTable(Alternative::TwoSided, 5, 10, 0.02));
}

TEST(WilcoxonTable, RowsAsPrinted)
{
    const auto rows = WilcoxonRows();
    ASSERT_EQ(rows.size(), 24u);
    EXPECT_STREQ(rows[0], " 6   2   1   1   1");
    EXPECT_STREQ(rows[4], "10  10   8   5   3");
    // The printed row of 21 has its third field one place to the left.
    EXPECT_STREQ(rows[15], "21  67  59 49  43");
    EXPECT_STREQ(rows[19], "25 100  89  77  68");
    EXPECT_STREQ(rows[23], "29 140 126 110 100");
}

TEST(WilcoxonTable, EveryValueAsPrinted)
{
    const double oneSided[] = { 0.05, 0.025, 0.01, 0.005 };
    const double twoSided[] = { 0.1, 0.05, 0.02, 0.01 };
    for (const auto& row : kWilcoxonPrinted) {
        for (int k = 0; k < 4; ++k) {
            SCOPED_TRACE("n' = " + std::to_string(row.n) + ", field " + std::to_string(k + 1));
            EXPECT_EQ(WilcoxonTable(Alternative::TwoSided, row.n, twoSided[k]), row.f[k]);
            EXPECT_EQ(WilcoxonTable(Alternative::Less, row.n, oneSided[k]), row.f[k]);
            EXPECT_EQ(WilcoxonTable(Alternative::Greater, row.n, oneSided[k]), row.f[k]);
        }
    }
}

TEST(WilcoxonTable, WorkedValuesAndEdges)
{
    EXPECT_EQ(WilcoxonTable(Alternative::TwoSided, 10, 0.05), 8.0);
    EXPECT_EQ(WilcoxonTable(Alternative::Less, 21, 0.01), 49.0);
    EXPECT_FALSE(WilcoxonTable(Alternative::TwoSided, 5, 0.05));
    EXPECT_FALSE(WilcoxonTable(Alternative::TwoSided, 30, 0.05));
    EXPECT_FALSE(WilcoxonTable(Alternative::TwoSided, 10, 0.025)); // a one-sided level
    EXPECT_FALSE(WilcoxonTable(Alternative::Less, 10, 0.1));       // a two-sided level
    EXPECT_FALSE(WilcoxonTable(Alternative::Less, 10, 0.02));
}

} // namespace
} // namespace zx
