// The sort of value/tag tables, the sort of samples into the work table, and
// the exchange of the two samples.
#include "core/AnalysisRecord.h"
#include "stats/Helpers.h"
#include "stats/Sorting.h"

#include "Samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>

namespace zx {
namespace {

// Rows 1..n end in ascending order as the same rows, bit for bit (a moved
// 0.1 must still tie with an unmoved one); row 0 and rows above n stay.
TEST(ShellSortPairs, SortsRowsOneToNWithTheirTags)
{
    std::mt19937 rng(20261206);
    for (int n : { 0, 1, 2, 3, 7, 8, 9, 31, 64, 1000 }) {
        std::uniform_int_distribution<int> pick(0, std::max(2, n / 4));
        PairTable t(1, { -99, -99 });
        for (int i = 0; i < n + 2; ++i)
            t.push_back({ pick(rng) * 0.1 - 3.3, static_cast<double>(1 + i % 2) });
        const PairTable before = t;
        ShellSortPairs(n, t);
        auto sorted = std::vector(before.begin() + 1, before.begin() + 1 + n);
        std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a[0] < b[0]; });
        for (int i = 1; i <= n; ++i)
            ASSERT_EQ(std::memcmp(&t[i][0], &sorted[i - 1][0], sizeof(double)), 0) << "n " << n << " row " << i;
        auto rows = std::vector(t.begin() + 1, t.begin() + 1 + n), expected = std::vector(before.begin() + 1, before.begin() + 1 + n);
        std::sort(rows.begin(), rows.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(rows, expected) << "tags travel with their values, n " << n;
        EXPECT_TRUE(std::equal(t.begin() + n + 1, t.end(), before.begin() + n + 1) && t[0] == before[0]) << n;
    }
    PairTable small(3, { 1, 1 });
    EXPECT_THROW(ShellSortPairs(5, small), std::out_of_range);
}

TEST(SortSample, EachDataTypeIntoItsColumn)
{
    auto r = std::make_unique<AnalysisRecord>();
    test::SetSingleValues(*r, 1, { 9, 8, 1 });
    test::SetSingleValues(*r, 2, { 5, 3 });
    SortSample(*r, 1);
    SortSample(*r, 2);
    EXPECT_EQ((std::vector<Variant> { r->SortWerte(1, 3), r->SortWerte(2, 3), r->SortWerte(3, 3), r->SortWerte(1, 4), r->SortWerte(2, 4) }),
        (std::vector<Variant> { 1.0, 8.0, 9.0, 3.0, 5.0 }));

    // Paired values: |d| of the non-zero differences with their signs, or
    // the differences themselves.
    test::SetPairs(*r, { 2, 0, -1, -3, 5 }, { 0, 0, 0, 0, 5 });
    SortSample(*r, 1);
    EXPECT_EQ((std::vector<Variant> { r->SortWerte(1, 3), r->SortWerte(2, 3), r->SortWerte(3, 3) }), (std::vector<Variant> { 1.0, 2.0, 3.0 }));
    EXPECT_EQ((std::vector<Variant> { r->SortWerte(1, 4), r->SortWerte(2, 4), r->SortWerte(3, 4) }), (std::vector<Variant> { -1.0, 1.0, -1.0 }));
    SortSample(*r, kSortDifferences);
    EXPECT_EQ((std::vector<Variant> { r->SortWerte(1, 3), r->SortWerte(2, 3), r->SortWerte(5, 3), r->SortWerte(1, 4) }),
        (std::vector<Variant> { -3.0, -1.0, 2.0, -1.0 })) << "column 4 untouched";

    r->Datentyp = 2; // class groups are not sorted
    SortSample(*r, 1);
    EXPECT_EQ(r->SortWerte(1, 3), -3.0);
}

// Sizes in both orders: the exchange must cover every row of the larger
// sample whichever comes first.
TEST(SwapSamples, ExchangesEverythingThatBelongsToASample)
{
    for (auto [n, m] : { std::pair { 5, 3 }, std::pair { 3, 5 } }) {
        auto r = std::make_unique<AnalysisRecord>();
        for (int k : { 1, 2 }) {
            const int size = k == 1 ? n : m;
            r->AnzahlWerte[k] = static_cast<Integer>(size);
            for (int i = 1; i <= size; ++i) {
                r->SortWerte(i, k + 2) = r->Werte(i, k) = 100 * k + i;
                r->Haeufigkeit(i, k) = static_cast<Integer>(10 * k + i);
            }
            r->Bezeichnung[k] = k == 1 ? "ATLANTIK" : "PAZIFIK";
            r->Maximum[k] = static_cast<Single>(k);
        }
        r->VarKoeff[2] = 12.5;
        SwapSamples(*r);
        for (int k : { 1, 2 }) {
            const int other = 3 - k, size = k == 1 ? m : n;
            EXPECT_EQ(r->AnzahlWerte[k], size);
            for (int i = 1; i <= size; ++i)
                EXPECT_TRUE(r->Werte(i, k) == 100 * other + i && r->SortWerte(i, k + 2) == 100 * other + i
                    && r->Haeufigkeit(i, k) == 10 * other + i) << n << " " << m << " row " << i;
            EXPECT_EQ(r->Maximum[k], other);
        }
        EXPECT_EQ(r->Bezeichnung[1], "PAZIFIK");
        EXPECT_EQ(r->VarKoeff[1], 12.5);
        EXPECT_FALSE(r->VarKoeff[2]);
    }
}

} // namespace
} // namespace zx
