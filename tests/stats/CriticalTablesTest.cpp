// The critical-value tables: the U tables entry for entry against the exact
// rank-sum distribution (data/rank_sum_limits.txt from
// data/make_rank_sum_limits.py, which the printed tables match), LORD and
// WILCOXON against values read off their printed pages (first, a middle and
// the last row of every column), and the edges of each lookup.
#include "stats/CriticalTables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace zx {
namespace {

constexpr Alternative kTwo = Alternative::TwoSided, kLess = Alternative::Less, kGreater = Alternative::Greater;

TEST(CriticalTables, LordAsPrinted)
{
    // n, one-sided 5 %, one-sided 1 %, two-sided 5 %, two-sided 1 %.
    const double printed[][5] = { { 3, 0.974, 1.715, 1.272, 2.093 }, { 10, 0.250, 0.371, 0.304, 0.419 }, { 20, 0.143, 0.207, 0.172, 0.232 } };
    for (const auto& row : printed) {
        const int n = static_cast<int>(row[0]);
        for (auto oneSided : { kLess, kGreater }) {
            EXPECT_EQ(LordTable(oneSided, n, 0.05), row[1]) << n;
            EXPECT_EQ(LordTable(oneSided, n, 0.01), row[2]) << n;
        }
        EXPECT_EQ(LordTable(kTwo, n, 0.05), row[3]) << n;
        EXPECT_EQ(LordTable(kTwo, n, 0.01), row[4]) << n;
    }
    EXPECT_FALSE(LordTable(kTwo, 2, 0.05));
    EXPECT_FALSE(LordTable(kTwo, 21, 0.05));
    EXPECT_FALSE(LordTable(kLess, 10, 0.025));
}

// Every field of the three tables through the lookup, for the two-sided and
// the one-sided level each table serves; "-" is a blank field, read as 0.
TEST(CriticalTables, UTestLimitsAreTheExactRankSumLimits)
{
    std::ifstream in(std::string(ZX_TEST_DATA_DIR) + "/data/rank_sum_limits.txt");
    const std::map<std::string, std::pair<double, double>> levels = { { "0.05", { 0.1, 0.05 } }, { "0.025", { 0.05, 0.025 } },
        { "0.005", { 0.01, 0.005 } } };
    std::string line, alpha, field;
    int checked = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream s(line);
        int m = 0;
        s >> alpha >> m;
        const auto [twoSided, oneSided] = levels.at(alpha);
        for (int n = 3; s >> field; ++n, ++checked) {
            const Single expected = field == "-" ? 0 : static_cast<Single>(std::stoi(field));
            SCOPED_TRACE("alpha " + alpha + " m " + std::to_string(m) + " n " + std::to_string(n));
            EXPECT_EQ(UTestTable(kTwo, n, m, twoSided), expected);
            EXPECT_EQ(UTestTable(kLess, n, m, oneSided), expected);
            EXPECT_EQ(UTestTable(kGreater, n, m, oneSided), expected);
        }
    }
    EXPECT_EQ(checked, 3 * 276); // n = 3..m for m = 3..25
    // Outside the table no limit (0, which no rank sum reaches); levels
    // that select no table give nothing.
    for (auto [n, m] : { std::pair { 2, 10 }, std::pair { 6, 5 }, std::pair { 5, 26 } })
        EXPECT_EQ(UTestTable(kTwo, n, m, 0.1), Single(0)) << n << " " << m;
    EXPECT_FALSE(UTestTable(kTwo, 5, 10, 0.025));
    EXPECT_FALSE(UTestTable(kLess, 5, 10, 0.1));
    EXPECT_FALSE(UTestTable(kGreater, 5, 10, 0.01));
}

TEST(CriticalTables, WilcoxonAsPrinted)
{
    // n', then one-sided 5, 2.5, 1, 0.5 % = two-sided 10, 5, 2, 1 %. The
    // row of 21 is printed with its third field one place to the left.
    const int printed[][5] = { { 6, 2, 1, 1, 1 }, { 21, 67, 59, 49, 43 }, { 29, 140, 126, 110, 100 } };
    const double oneSided[] = { 0.05, 0.025, 0.01, 0.005 }, twoSided[] = { 0.1, 0.05, 0.02, 0.01 };
    for (const auto& row : printed)
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(WilcoxonTable(kTwo, row[0], twoSided[k]), row[k + 1]) << row[0] << " field " << k + 1;
            EXPECT_EQ(WilcoxonTable(kLess, row[0], oneSided[k]), row[k + 1]) << row[0] << " field " << k + 1;
            EXPECT_EQ(WilcoxonTable(kGreater, row[0], oneSided[k]), row[k + 1]) << row[0] << " field " << k + 1;
        }
    EXPECT_FALSE(WilcoxonTable(kTwo, 5, 0.05));
    EXPECT_FALSE(WilcoxonTable(kTwo, 30, 0.05));
    EXPECT_FALSE(WilcoxonTable(kTwo, 10, 0.025)); // a one-sided level
    EXPECT_FALSE(WilcoxonTable(kLess, 10, 0.1));  // a two-sided level
}

} // namespace
} // namespace zx
