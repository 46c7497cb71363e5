// The U-test and the MEDIAN test on worked examples that can be followed by
// hand or were taken from SciPy (mannwhitneyu): the table's limits reached
// exactly, the switch to the normal approximation above 25 values, ranks
// and the WALTER correction with ties, two full samples, the median's 2x2
// table, the verdicts of all three alternatives and the refusals.
#include "stats/RankTests.h"

#include "Computed.h"
#include "Verdicts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

namespace zx {
namespace {

using test::ok;
using test::refused;
using test::Verdicts;
constexpr Alternative kTwo = Alternative::TwoSided;

std::vector<double> range(double from, double to)
{
    std::vector<double> v(static_cast<std::size_t>(to - from + 1));
    std::iota(v.begin(), v.end(), from);
    return v;
}

std::string uVerdicts(const std::vector<double>& x, const std::vector<double>& y, float level = 5)
{
    return Verdicts([&](Alternative h) { return ComputeUTest(x, y, level, h); });
}

// n = 3, m = 5: two-sided 5 % U = 6 and Uo = 3 * 9 - 6 = 21, one-sided 5 %
// U = 7 and Uo = 20. The small test's rank sum Ux = R1 carries the
// direction: the other way is random, never "D". Each limit is reached
// exactly once.
TEST(UTest, SmallSamplesAgainstTheTable)
{
    struct Case { std::vector<double> x, y; double Ux; const char* verdicts; };
    const Case cases[] = {
        { { 1, 2, 3 }, range(4, 8), 6, "SSR" },
        { { 1, 2, 4 }, { 3, 5, 6, 7, 8 }, 7, "RSR" },
        { { 5, 7, 8 }, { 1, 2, 3, 4, 6 }, 20, "RRS" },
        { { 6, 7, 8 }, range(1, 5), 21, "SRS" },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(uVerdicts(c.x, c.y), c.verdicts) << c.Ux;
        const auto r = ok(ComputeUTest(c.x, c.y, 5, kTwo));
        EXPECT_EQ(r.Ux, c.Ux);
        EXPECT_EQ(r.U, 6);
        EXPECT_EQ(r.Uo, 21);
        EXPECT_FALSE(r.normal);
    }
    EXPECT_EQ(ok(ComputeUTest({ 1, 2, 3 }, range(4, 8), 5, Alternative::Greater)).Uo, 20);
    // A blank field: U = 0 and Uo = n (N + 1), out of reach.
    const auto blank = ok(ComputeUTest({ 1, 2, 3 }, range(4, 8), 1, kTwo));
    EXPECT_TRUE(blank.U == 0 && blank.Uo == 27 && blank.verdict == Verdict::Random);
    // Ties: 1(x) 2(x) 2(y) 3(y) 4(x) 4(y) 4(y) 6(y) rank 1, 2.5, 2.5, 4, 6, 6, 6, 8.
    const auto tied = ok(ComputeUTest({ 1, 2, 4 }, { 2, 3, 4, 4, 6 }, 5, kTwo));
    EXPECT_EQ(tied.R1, 9.5);
    EXPECT_EQ(tied.R2, 26.5);
    EXPECT_EQ(tied.tieSum, 6 + 24);
    EXPECT_EQ(tied.U1, 15 + 6 - 9.5);
    EXPECT_EQ(tied.U2, 15 + 15 - 26.5);
}

// Up to 25 values each the table decides; above, in either sample, z.
TEST(UTest, TableUpToTwentyFiveValues)
{
    const auto at25 = ok(ComputeUTest(range(1, 25), range(26, 50), 5, kTwo));
    EXPECT_FALSE(at25.normal);
    EXPECT_EQ(at25.U, 536);
    EXPECT_EQ(at25.Ux, 325);
    EXPECT_EQ(uVerdicts(range(1, 25), range(26, 50)), "SSR");
    // n = 3, m = 26: U1 = 78, U2 = 0, z = 39 / sqrt(195) (SciPy: 2.79285).
    const auto at26 = ok(ComputeUTest({ 1, 2, 3 }, range(4, 29), 5, kTwo));
    EXPECT_TRUE(at26.normal);
    EXPECT_NEAR(at26.z, 2.7928480087537886, 1e-12);
    EXPECT_FALSE(at26.zCorrected);
    EXPECT_EQ(at26.critical, 1.95996);
    EXPECT_EQ(uVerdicts({ 1, 2, 3 }, range(4, 29)), "SSD");
    EXPECT_EQ(uVerdicts(range(4, 29), { 1, 2, 3 }), "SDS") << "a larger first sample is fine for z";
}

// 26 + 26 values of 0 and 1 (20 zeros and 6 ones against 6 zeros and 20
// ones): tie term 2 (26^3 - 26) = 35100, Ux = 156, nm/2 = 338; SciPy's
// tie-corrected z is 3.84538453844615 (WALTER: the tie term comes off
// before the scaling by nm / (N (N - 1))), uncorrected z 3.33082.
TEST(UTest, WalterCorrectionOfTies)
{
    std::vector<double> x(20, 0.0), y(6, 0.0);
    x.insert(x.end(), 6, 1.0);
    y.insert(y.end(), 20, 1.0);
    const auto r = ok(ComputeUTest(x, y, 5, kTwo));
    EXPECT_EQ(r.tieSum, 35100);
    EXPECT_EQ(std::min(r.U1, r.U2), 156);
    EXPECT_NEAR(r.z, 3.3308166600162052, 1e-12);
    EXPECT_NEAR(r.zCorrected.value_or(0), 3.84538453844615, 1e-12);
    EXPECT_EQ(uVerdicts(x, y), "SSD");
    // At 0.05 % (critical 3.4808) only the corrected z reaches the limit,
    // at 0.01 % (3.8906) neither.
    EXPECT_EQ(ok(ComputeUTest(x, y, 0.05f, kTwo)).verdict, Verdict::Significant);
    EXPECT_EQ(ok(ComputeUTest(x, y, 0.01f, kTwo)).verdict, Verdict::Random);
}

// Two full samples of 500: n m = 250000 and n (n + m + 1) do not fit in
// 16 bits. Odd and even ranks: R1 = 250000, z = 250 / sqrt(250000 * 1001 / 12).
TEST(UTest, TwoFullSamples)
{
    std::vector<double> x, y;
    for (int i = 0; i < 500; ++i) {
        x.push_back(2 * i + 1);
        y.push_back(2 * i + 2);
    }
    const auto r = ok(ComputeUTest(x, y, 5, kTwo));
    EXPECT_EQ(r.R1, 250000);
    EXPECT_EQ(r.R2, 250500);
    EXPECT_EQ(r.U1, 250000 + 125250 - 250000);
    EXPECT_NEAR(r.z, 250 / std::sqrt(250000.0 * 1001 / 12), 1e-12);
    // Rank sums dealt ABBA: no effect at all, no direction supported.
    for (std::size_t i = 0; i < 500; i += 2)
        std::swap(x[i], y[i]);
    EXPECT_EQ(ok(ComputeUTest(x, y, 5, kTwo)).z, 0);
    EXPECT_EQ(uVerdicts(x, y), "RDD");
}

TEST(UTest, Refusals)
{
    const std::pair<std::string, const char*> cases[] = {
        { refused(ComputeUTest(std::vector<double>(26, 3.0), std::vector<double>(30, 3.0), 5, kTwo)),
            "U-Test nicht möglich: alle Werte beider Stichproben sind gleich." },
        { refused(ComputeUTest(range(1, 6), range(7, 11), 5, kTwo)), "U-Test nicht möglich: die erste Stichprobe muss die kleinere sein (n ≤ m)." },
        { refused(ComputeUTest({}, { 7, 8, 9 }, 5, kTwo)), "U-Test nicht möglich: eine Stichprobe ist leer." },
        { refused(ComputeUTest({ 1, 2, 3 }, { 4, 5, 6, 7 }, 2, kTwo)),
            "U-Test nicht möglich: die Signifikanzschranke ist für diese Irrtumswahrscheinlichkeit nicht bestimmbar." },
        { refused(ComputeUTest(range(1, 26), { 4, 5, 6 }, 200, kTwo)),
            "U-Test nicht möglich: die Signifikanzschranke ist für diese Irrtumswahrscheinlichkeit nicht bestimmbar." },
    };
    for (const auto& [message, expected] : cases)
        EXPECT_EQ(message, expected);
    // Equal values in small samples are fine: no formula divides there.
    EXPECT_EQ(uVerdicts({ 5, 5, 5 }, { 5, 5, 5, 5 }), "RRR");
}

// chi^2 = (N - 1)(L1 H2 - H1 L2)^2 / margins, worked by hand; values at the
// median leave the table but count in N.
TEST(MedianTest, WorkedExamples)
{
    struct Case { std::vector<double> x, y; double median, chi2; long long L1, H1, L2, H2; const char* verdicts; };
    const Case cases[] = {
        { range(1, 5), range(6, 10), 5.5, 9, 5, 0, 0, 5, "SSD" },            // 9 * 25^2 / 5^4
        { range(6, 10), range(1, 5), 5.5, 9, 0, 5, 5, 0, "SDS" },
        { { 1, 2, 3, 5, 5 }, range(5, 9), 5, 9, 3, 0, 0, 4, "SSD" },         // 9 * 12^2 / (3 * 4 * 3 * 4)
        { { 1, 2, 3 }, range(4, 7), 4, 6, 3, 0, 0, 3, "SSD" },               // 6 * 9^2 / 3^4
        { { 1, 2, 4 }, { 1.5, 3.5, 5 }, 2.75, 5.0 * 9 / 81, 2, 1, 1, 2, "RRD" },
        { { 1, 1.5e308, 1.7e308 }, { 1, 1.6e308, 1.7e308 }, 1.55e308, 5.0 * 9 / 81, 2, 1, 1, 2, "RRD" }, // no overflow
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.median);
        const auto r = ok(ComputeMedianTest(c.x, c.y, 5, kTwo));
        EXPECT_EQ(r.median, c.median);
        EXPECT_DOUBLE_EQ(r.chi2, c.chi2);
        EXPECT_EQ((std::vector { r.L1, r.H1, r.L2, r.H2 }), (std::vector { c.L1, c.H1, c.L2, c.H2 }));
        EXPECT_EQ(r.N, static_cast<long long>(c.x.size() + c.y.size()));
        EXPECT_NEAR(r.critical, 3.8414, 1e-4);
        EXPECT_EQ(Verdicts([&](Alternative h) { return ComputeMedianTest(c.x, c.y, 5, h); }), c.verdicts);
    }
    const std::pair<std::vector<double>, std::vector<double>> refusedSamples[] = {
        { { 5, 5, 5 }, { 1, 5, 9, 5 } }, { { 1, 5, 9 }, { 5, 5, 5, 5 } }, { { 5, 5, 6 }, { 5, 5, 7 } }, { { 3, 5, 5 }, { 4, 5, 5 } },
        { { 1, 2, 3 }, {} },
    };
    const char* why[] = { "alle Werte der 1. Stichprobe sind gleich dem Median", "alle Werte der 2. Stichprobe sind gleich dem Median",
        "kein Wert liegt unter dem Median", "kein Wert liegt über dem Median", "eine Stichprobe ist leer" };
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(refused(ComputeMedianTest(refusedSamples[i].first, refusedSamples[i].second, 5, kTwo)),
            std::string("MEDIAN-Test nicht möglich: ") + why[i] + ".");
}

} // namespace
} // namespace zx
