#include "core/AnalysisRecord.h"
#include "stats/Helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

namespace zx {
namespace {

PairTable tableOf(const std::vector<std::array<double, 2>>& rows)
{
    PairTable t(1, { -99, -99 }); // row 0 is never data
    t.insert(t.end(), rows.begin(), rows.end());
    return t;
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The rows 1..n as a sorted multiset, compared bit for bit.
std::vector<std::array<double, 2>> rowsOf(const PairTable& t, int n)
{
    std::vector<std::array<double, 2>> r(t.begin() + 1, t.begin() + 1 + n);
    std::sort(r.begin(), r.end());
    return r;
}

void expectSortedPermutation(const PairTable& before, const PairTable& after, int n)
{
    for (int i = 1; i < n; ++i)
        ASSERT_LE(after[i][0], after[i + 1][0]) << "row " << i;
    const auto a = rowsOf(before, n);
    const auto b = rowsOf(after, n);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_TRUE(sameBits(a[i][0], b[i][0]) && sameBits(a[i][1], b[i][1]))
            << "row lost or changed: " << a[i][0] << "/" << a[i][1] << " became " << b[i][0] << "/" << b[i][1];
    }
    EXPECT_TRUE(sameBits(before[0][0], after[0][0])) << "row 0 must not be touched";
}

TEST(ShellSortPairs, SmallTablesAreLeftAlone)
{
    PairTable empty = tableOf({});
    ShellSortPairs(0, empty);
    PairTable one = tableOf({ { 3.5, 1 } });
    ShellSortPairs(1, one);
    EXPECT_EQ(one[1][0], 3.5);
    EXPECT_EQ(one[1][1], 1);
}

TEST(ShellSortPairs, SortsAndCarriesTheTag)
{
    PairTable t = tableOf({ { 5, 1 }, { 1, 2 }, { 4, 1 }, { 2, 2 }, { 3, 1 } });
    const PairTable before = t;
    ShellSortPairs(5, t);
    expectSortedPermutation(before, t, 5);
    EXPECT_EQ(t[1][1], 2); // value 1 came from sample 2
    EXPECT_EQ(t[5][1], 1);
}

TEST(ShellSortPairs, RowsAboveNAreNotTouched)
{
    PairTable t = tableOf({ { 9, 1 }, { 8, 1 }, { 1, 2 }, { 0, 2 } });
    ShellSortPairs(2, t);
    EXPECT_EQ(t[1][0], 8);
    EXPECT_EQ(t[2][0], 9);
    EXPECT_EQ(t[3][0], 1);
    EXPECT_EQ(t[4][0], 0);
}

// Moved values keep their full precision: a moved 0.1 must still equal an
// unmoved 0.1, or the rank tests would miss the tie.
TEST(ShellSortPairs, TiesStayTiesAtFullPrecision)
{
    PairTable t = tableOf({ { 0.3, 1 }, { 0.1, 1 }, { 0.2, 2 }, { 0.1, 2 }, { 1.0 / 3, 1 }, { 0.1, 1 } });
    const PairTable before = t;
    ShellSortPairs(6, t);
    expectSortedPermutation(before, t, 6);
    EXPECT_EQ(t[1][0], 0.1);
    EXPECT_EQ(t[2][0], 0.1);
    EXPECT_EQ(t[3][0], 0.1);
    EXPECT_EQ(t[6][0], 1.0 / 3);
}

TEST(ShellSortPairs, RandomTablesWithManyTies)
{
    std::mt19937 rng(20261206);
    for (int n : { 2, 3, 7, 8, 9, 31, 64, 500, 1000 }) {
        std::uniform_int_distribution<int> pick(0, std::max(2, n / 4));
        PairTable t(1, { 0, 0 });
        for (int i = 0; i < n; ++i)
            t.push_back({ pick(rng) * 0.1 - 3.3, static_cast<double>(1 + i % 2) });
        const PairTable before = t;
        ShellSortPairs(n, t);
        SCOPED_TRACE("n = " + std::to_string(n));
        expectSortedPermutation(before, t, n);
    }
}

TEST(ShellSortPairs, TooSmallATableIsAnErrorNotAnOverrun)
{
    PairTable t = tableOf({ { 2, 1 }, { 1, 1 } });
    EXPECT_THROW(ShellSortPairs(5, t), std::out_of_range);
}

void fillSample(AnalysisRecord& r, int k, int n, double base)
{
    r.AnzahlWerte[k] = static_cast<Integer>(n);
    for (int i = 1; i <= n; ++i) {
        r.Werte(i, k) = base + i;
        r.Haeufigkeit(i, k) = static_cast<Integer>(10 * k + i);
        r.SortWerte(i, k + 2) = base + i;
    }
    r.Bezeichnung[k] = k == 1 ? "ATLANTIK" : "PAZIFIK";
    r.Umfang[k] = n;
    r.Mittelwert[k] = base;
    r.StdAbw[k] = k;
    r.Minimum[k] = static_cast<Single>(base + 1);
    r.Maximum[k] = static_cast<Single>(base + n);
    r.Median[k] = base + 0.5;
    r.VarKoeff[k] = std::nullopt;
    if (k == 2)
        r.VarKoeff[k] = 12.5;
}

// Sizes in both orders: the exchange must cover every row of the larger
// sample whichever comes first.
TEST(SwapSamples, ExchangesEverythingThatBelongsToASample)
{
    for (auto [n, m] : { std::pair { 5, 3 }, std::pair { 3, 5 }, std::pair { 12, 8 }, std::pair { 4, 4 } }) {
        SCOPED_TRACE(std::to_string(n) + " and " + std::to_string(m));
        auto r = std::make_unique<AnalysisRecord>();
        fillSample(*r, 1, n, 100);
        fillSample(*r, 2, m, 200);
        SwapSamples(*r);
        EXPECT_EQ(r->AnzahlWerte[1], m);
        EXPECT_EQ(r->AnzahlWerte[2], n);
        for (int i = 1; i <= m; ++i) {
            EXPECT_EQ(r->Werte(i, 1), 200 + i);
            EXPECT_EQ(r->Haeufigkeit(i, 1), 20 + i);
            EXPECT_EQ(r->SortWerte(i, 3), 200 + i);
        }
        for (int i = 1; i <= n; ++i) {
            EXPECT_EQ(r->Werte(i, 2), 100 + i);
            EXPECT_EQ(r->Haeufigkeit(i, 2), 10 + i);
            EXPECT_EQ(r->SortWerte(i, 4), 100 + i);
        }
        EXPECT_EQ(r->Bezeichnung[1], "PAZIFIK");
        EXPECT_EQ(r->Bezeichnung[2], "ATLANTIK");
        EXPECT_EQ(r->Umfang[1], m);
        EXPECT_EQ(r->Umfang[2], n);
        EXPECT_EQ(r->Mittelwert[1], 200);
        EXPECT_EQ(r->StdAbw[2], 1);
        EXPECT_EQ(r->Minimum[1], 201.0f);
        EXPECT_EQ(r->Maximum[2], static_cast<float>(100 + n));
        EXPECT_EQ(r->Median[1], 200.5);
        EXPECT_EQ(r->VarKoeff[1], 12.5);
        EXPECT_FALSE(r->VarKoeff[2].has_value());
    }
}

TEST(SwapSamples, TwiceIsNoChange)
{
    auto r = std::make_unique<AnalysisRecord>();
    fillSample(*r, 1, 7, 1);
    fillSample(*r, 2, 9, 50);
    r->Differenzen[1] = 42;
    const auto before = std::make_unique<AnalysisRecord>(*r);
    SwapSamples(*r);
    SwapSamples(*r);
    for (int i = 0; i <= AnalysisRecord::MaxRows; ++i)
        for (int k = 0; k <= 2; ++k) {
            EXPECT_EQ(r->Werte(i, k), before->Werte(i, k));
            EXPECT_EQ(r->Haeufigkeit(i, k), before->Haeufigkeit(i, k));
        }
    EXPECT_EQ(r->Differenzen[1], 42);
    EXPECT_EQ(r->Bezeichnung, before->Bezeichnung);
    EXPECT_EQ(r->Mittelwert, before->Mittelwert);
}

} // namespace
} // namespace zx
