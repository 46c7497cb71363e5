// The U-test and the MEDIAN test on worked examples that can be followed by
// hand: the table limits, ranks with ties, the normal approximation with
// the WALTER correction, two full samples, the median's 2x2 table, the
// report lines in both decimal settings and the refusals of degenerate
// data. The comparison with SciPy is in ReferenceTest.cpp.
#include "core/NumberText.h"
#include "stats/RankTests.h"

#include "Computed.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zx {
namespace {

using test::kWrongWay;
using test::ok;
using test::refused;

constexpr const char* kUNote =
    "Wenn n > 25 oder m > 25 ist, dann wird z berechnet. Beim Auftreten von Bindungen wird nach WALTER (1951) korrigiert.";

class RankTests : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator('.'); }
    void TearDown() override { SetDecimalSeparator('.'); }
};

// n = 3, m = 5, two-sided 5 %: U = 6, Uo = 3 * 9 - 6 = 21. The smallest and
// the largest possible rank sums are significant, 7 is not.
TEST_F(RankTests, SmallSamplesTwoSided)
{
    const std::vector<double> others { 4, 5, 6, 7, 8 };
    const auto low = ok(ComputeUTest({ 1, 2, 3 }, others, 5, Alternative::TwoSided));
    EXPECT_FALSE(low.normal);
    EXPECT_EQ(low.U, 6);
    EXPECT_EQ(low.Uo, 21);
    EXPECT_EQ(low.Ux, 6);
    EXPECT_EQ(low.verdict, Verdict::Significant);
    Report lines;
    WriteUTest(low, lines);
    EXPECT_EQ(lines[4], kUNote);
    EXPECT_EQ(lines[5], "      Stichprobenumfänge  n  = 3    m  = 5");
    EXPECT_EQ(lines[6], "      Signifikanzschranke U  = 6   Uo = 21");
    EXPECT_EQ(lines[7], "      Ux-Wert (berechnet)    = 6");
    EXPECT_TRUE(lines[8].empty());
    EXPECT_EQ(lines[10],
        "Die beobachteten Unterschiede sind als signifikant anzusehen, da der Ux-Wert kleiner/gleich als die "
        "Signifikanzschranke oder Ux größer/gleich als Uo ist.");

    const auto between = ok(ComputeUTest({ 1, 2, 4 }, { 3, 5, 6, 7, 8 }, 5, Alternative::TwoSided));
    EXPECT_EQ(between.Ux, 7);
    EXPECT_EQ(between.verdict, Verdict::Random);
    WriteUTest(between, lines);
    EXPECT_EQ(lines[10],
        "Die beobachteten Unterschiede sind als zufällig anzusehen, da der Ux-Wert zwischen den Signifikanzschranken U und Uo liegt.");

    const auto high = ok(ComputeUTest({ 6, 7, 8 }, { 1, 2, 3, 4, 5 }, 5, Alternative::TwoSided));
    EXPECT_EQ(high.Ux, 21);
    EXPECT_EQ(high.verdict, Verdict::Significant);
}

TEST_F(RankTests, SmallSamplesEqualSizes)
{
    // n = m = 4, two-sided 5 %: U = 10, Uo = 26.
    const auto r = ok(ComputeUTest({ 1, 2, 3, 5 }, { 4, 6, 7, 8 }, 5, Alternative::TwoSided));
    EXPECT_EQ(r.U, 10);
    EXPECT_EQ(r.Uo, 26);
    EXPECT_EQ(r.Ux, 11);
    EXPECT_EQ(r.verdict, Verdict::Random);
    Report lines;
    WriteUTest(r, lines);
    EXPECT_EQ(lines[6], "      Signifikanzschranke U  = 10   Uo = 26");
}

// One-sided at 2.5 % the T5 table serves: U = 6 for n = 3, m = 5.
TEST_F(RankTests, SmallSamplesOneSided)
{
    const std::vector<double> low { 1, 2, 3 }, high { 6, 7, 8 };

    const auto less = ok(ComputeUTest(low, { 4, 5, 6, 7, 8 }, 2.5f, Alternative::Less));
    EXPECT_EQ(less.U, 6);
    EXPECT_EQ(less.verdict, Verdict::Significant);
    Report lines;
    WriteUTest(less, lines);
    EXPECT_EQ(lines[5], "      Stichprobenumfänge n   = 3 m = 5");
    EXPECT_EQ(lines[6], "      Signifikanzschranke    = 6");
    EXPECT_EQ(lines[7], "      Ux-Wert (berechnet)    = 6");
    EXPECT_EQ(lines[10],
        "Die beobachteten Unterschiede sind als signifikant anzusehen, da der Ux-Wert kleiner/gleich als die Signifikanzschranke ist.");
    // The small test's rank sum carries the direction: sample 1 high is no
    // evidence for "µ1 < µ2".
    const auto lessWrongWay = ok(ComputeUTest(high, { 1, 2, 3, 4, 5 }, 2.5f, Alternative::Less));
    EXPECT_EQ(lessWrongWay.verdict, Verdict::Random);
    WriteUTest(lessWrongWay, lines);
    EXPECT_EQ(lines[10],
        "Die beobachteten Unterschiede sind als zufällig anzusehen, da der Ux-Wert größer als die Signifikanzschranke ist.");

    const auto greater = ok(ComputeUTest(high, { 1, 2, 3, 4, 5 }, 2.5f, Alternative::Greater));
    EXPECT_EQ(greater.Uo, 21);
    EXPECT_EQ(greater.Ux, 21);
    EXPECT_EQ(greater.verdict, Verdict::Significant);
    WriteUTest(greater, lines);
    EXPECT_EQ(lines[5], "      Stichprobenumfänge  n  = 3   m = 5");
    EXPECT_EQ(lines[6], "      Signifikanzschranke Uo = 21");
    EXPECT_EQ(lines[7], "      Ux-Wert (berechnet)    = 21");
    EXPECT_EQ(lines[10],
        "Die beobachteten Unterschiede sind als signifikant anzusehen, da der Ux-Wert größer/gleich als die Signifikanzschranke Uo ist.");

    const auto greaterWrongWay = ok(ComputeUTest(low, { 4, 5, 6, 7, 8 }, 2.5f, Alternative::Greater));
    EXPECT_EQ(greaterWrongWay.verdict, Verdict::Random);
    WriteUTest(greaterWrongWay, lines);
    EXPECT_EQ(lines[10],
        "Die beobachteten Unterschiede sind als zufällig anzusehen, da der Ux-Wert kleiner als die Signifikanzschranke Uo ist.");
}

// A blank table field gives U = 0, which no rank sum reaches; two-sided
// Uo = n (N + 1) is out of reach as well.
TEST_F(RankTests, BlankTableFieldIsNeverSignificant)
{
    const auto r = ok(ComputeUTest({ 1, 2, 3 }, { 4, 5, 6, 7, 8 }, 1, Alternative::TwoSided));
    EXPECT_EQ(r.U, 0);
    EXPECT_EQ(r.Uo, 27);
    EXPECT_EQ(r.verdict, Verdict::Random);
}

// Average ranks for ties: 1, 2.5, 2.5 for 1, 2, 2 and 6, 6, 6 for three 4s.
// The tie term counts a tie of two (t^3 - t = 6) as well as one of three
// (24); the program's old rounding of (t^3 - t)/12 dropped the tie of two.
TEST_F(RankTests, TiesOfTwoAndThree)
{
    // Pooled: 1(x) 2(x) 2(y) 3(y) 4(x) 4(y) 4(y) 6(y).
    const auto r = ok(ComputeUTest({ 1, 2, 4 }, { 2, 3, 4, 4, 6 }, 5, Alternative::TwoSided));
    EXPECT_EQ(r.R1, 1 + 2.5 + 6);
    EXPECT_EQ(r.R2, 2.5 + 4 + 6 + 6 + 8);
    EXPECT_EQ(r.tieSum, 6 + 24);
    EXPECT_EQ(r.Ux, 9.5f);
    Report lines;
    WriteUTest(r, lines);
    EXPECT_EQ(lines[7], "      Ux-Wert (berechnet)    = 9.5");
    SetDecimalSeparator(',');
    WriteUTest(r, lines);
    EXPECT_EQ(lines[7], "      Ux-Wert (berechnet)    = 9,5");

    const auto two = ok(ComputeUTest({ 1, 2, 3 }, { 3, 4, 5, 6, 7 }, 5, Alternative::TwoSided));
    EXPECT_EQ(two.tieSum, 6);
    const auto three = ok(ComputeUTest({ 1, 2, 3 }, { 3, 3, 5, 6, 7 }, 5, Alternative::TwoSided));
    EXPECT_EQ(three.tieSum, 24);
}

// n = m = 30, no ties, ranks dealt ABBA so that both rank sums are 915:
// U1 = 900 + 465 - 915 = 450 = nm/2, z = 0.
TEST_F(RankTests, LargeSamplesWithEqualRankSums)
{
    std::vector<double> x, y;
    for (int block = 0; block < 15; ++block) {
        const double base = 4 * block;
        x.insert(x.end(), { base + 1, base + 4 });
        y.insert(y.end(), { base + 2, base + 3 });
    }
    const auto r = ok(ComputeUTest(x, y, 5, Alternative::TwoSided));
    EXPECT_TRUE(r.normal);
    EXPECT_EQ(r.R1, 915);
    EXPECT_EQ(r.R2, 915);
    EXPECT_EQ(r.U1, 450);
    EXPECT_EQ(r.U2, 450);
    EXPECT_EQ(r.z, 0);
    EXPECT_FALSE(r.zCorrected);
    EXPECT_EQ(r.verdict, Verdict::Random);
    Report lines;
    WriteUTest(r, lines);
    EXPECT_EQ(lines[4], kUNote);
    EXPECT_EQ(lines[5], "      Stichprobenumfänge n = 30 m = 30");
    EXPECT_EQ(lines[6], "      Signifikanzschranke (Z-Tab.) = 1.9600");
    EXPECT_EQ(lines[7], "      Z-Wert (berechnet)           = 0.0000");
    EXPECT_EQ(lines[8], "      Z-Wert (berechnet/Korrigiert)= ");
    EXPECT_EQ(lines[10], "Die beobachteten Unterschiede sind als zufällig anzusehen, da der Z-Wert kleiner als die Signifikanzschranke ist.");
    SetDecimalSeparator(',');
    WriteUTest(r, lines);
    EXPECT_EQ(lines[6], "      Signifikanzschranke (Z-Tab.) = 1,9600");
    // Without an effect neither one-sided alternative is supported.
    EXPECT_EQ(ok(ComputeUTest(x, y, 5, Alternative::Less)).verdict, Verdict::AgainstDirection);
}

// 26 + 26 values of 0 and 1 (20 zeros and 6 ones against 6 zeros and 20
// ones): two runs of 26, tie term 2 (26^3 - 26) = 35100, T = 2925,
// S = (52^3 - 52)/12 = 11713, q = 676 / 2652; Ux = 156, E = 338.
// WALTER: z' = 182 / sqrt(q (S - T)) = 3.8454, the tie-corrected z that
// SciPy's mannwhitneyu gives (3.84538453844615); subtracting T after the
// multiplication by q would give 23.3666. Without correction z = 3.3308.
TEST_F(RankTests, WalterCorrectionSubtractsTheTieTermBeforeScaling)
{
    std::vector<double> x(20, 0.0), y(6, 0.0);
    x.insert(x.end(), 6, 1.0);
    y.insert(y.end(), 20, 1.0);
    const auto r = ok(ComputeUTest(x, y, 5, Alternative::TwoSided));
    EXPECT_EQ(r.tieSum, 35100);
    EXPECT_EQ(std::min(r.U1, r.U2), 156);
    ASSERT_TRUE(r.zCorrected);
    EXPECT_NEAR(*r.zCorrected, 3.84538453844615, 1e-12);
    EXPECT_NEAR(r.z, 3.3308166600162052, 1e-12);
    EXPECT_EQ(r.verdict, Verdict::Significant);
    Report lines;
    WriteUTest(r, lines);
    EXPECT_EQ(lines[7], "      Z-Wert (berechnet)           = 3.3308");
    EXPECT_EQ(lines[8], "      Z-Wert (berechnet/Korrigiert)= 3.8454");
    EXPECT_EQ(lines[10],
        "Die beobachteten Unterschiede sind als signifikant anzusehen, da der Z-Wert größer/gleich als die Signifikanzschranke ist.");
    // Sample 1 lies lower (mean ranks 19.5 against 33.5).
    EXPECT_EQ(ok(ComputeUTest(x, y, 5, Alternative::Less)).verdict, Verdict::Significant);
    const auto wrongWay = ok(ComputeUTest(x, y, 5, Alternative::Greater));
    EXPECT_EQ(wrongWay.verdict, Verdict::AgainstDirection);
    WriteUTest(wrongWay, lines);
    EXPECT_EQ(lines[8], "      Z-Wert (berechnet/Korrigiert)= 3.8454");
    EXPECT_EQ(lines[10], kWrongWay);
}

// A single tie of two among large samples already corrects z: the old
// rounding made T = 0 and left z' out.
TEST_F(RankTests, OneTieOfTwoIsCorrected)
{
    std::vector<double> x, y;
    for (int i = 1; i <= 26; ++i) {
        x.push_back(2 * i);
        y.push_back(2 * i + 1.0);
    }
    y.back() = x.back(); // 52 twice
    const auto r = ok(ComputeUTest(x, y, 5, Alternative::TwoSided));
    EXPECT_EQ(r.tieSum, 6);
    ASSERT_TRUE(r.zCorrected);
    EXPECT_GT(*r.zCorrected, r.z);
}

// Two full samples of 500: the pooled table holds 1000 values, and n m =
// 250000 and n (n + m + 1) = 500500 do not fit in 16 bits.
TEST_F(RankTests, TwoFullSamples)
{
    std::vector<double> x, y;
    for (int i = 0; i < 500; ++i) {
        x.push_back(2 * i + 1); // odd: ranks 1, 3, ..., 999
        y.push_back(2 * i + 2); // even: ranks 2, 4, ..., 1000
    }
    const auto r = ok(ComputeUTest(x, y, 5, Alternative::TwoSided));
    EXPECT_EQ(r.R1, 250000);
    EXPECT_EQ(r.R2, 250500);
    EXPECT_EQ(r.U1 + r.U2, 250000);
    EXPECT_EQ(r.U1, 250000 + 125250 - 250000);
    // z = |124750 - 125000| / sqrt(250000 * 1001 / 12).
    EXPECT_NEAR(r.z, 250 / std::sqrt(250000.0 * 1001 / 12), 1e-12);
    EXPECT_EQ(r.verdict, Verdict::Random);
}

TEST_F(RankTests, UTestRefusals)
{
    EXPECT_EQ(refused(ComputeUTest(std::vector<double>(26, 3.0), std::vector<double>(30, 3.0), 5, Alternative::TwoSided)),
        "U-Test nicht möglich: alle Werte beider Stichproben sind gleich.");
    EXPECT_EQ(refused(ComputeUTest({ 1, 2, 3, 4, 5, 6 }, { 7, 8, 9, 10, 11 }, 5, Alternative::TwoSided)),
        "U-Test nicht möglich: die erste Stichprobe muss die kleinere sein (n ≤ m).");
    EXPECT_EQ(refused(ComputeUTest({}, { 7, 8, 9 }, 5, Alternative::TwoSided)), "U-Test nicht möglich: eine Stichprobe ist leer.");
    // Levels without a table.
    EXPECT_EQ(refused(ComputeUTest({ 1, 2, 3 }, { 4, 5, 6, 7 }, 2, Alternative::TwoSided)),
        "U-Test nicht möglich: die Signifikanzschranke ist für diese Irrtumswahrscheinlichkeit nicht bestimmbar.");
    EXPECT_EQ(refused(ComputeUTest(std::vector<double>(26, 3.0), { 4, 5, 6 }, 200, Alternative::TwoSided)),
        "U-Test nicht möglich: die Signifikanzschranke ist für diese Irrtumswahrscheinlichkeit nicht bestimmbar.");
    // Equal values in small samples are fine: no formula divides there.
    EXPECT_EQ(ok(ComputeUTest({ 5, 5, 5 }, { 5, 5, 5, 5 }, 5, Alternative::TwoSided)).verdict, Verdict::Random);
}

// L1 = 5, H1 = 0, L2 = 0, H2 = 5 (N = 10): chi^2 = 9 * 25^2 / 5^4 = 9.
TEST_F(RankTests, MedianWorkedExample)
{
    const auto r = ok(ComputeMedianTest({ 1, 2, 3, 4, 5 }, { 6, 7, 8, 9, 10 }, 5, Alternative::TwoSided));
    EXPECT_EQ(r.median, 5.5);
    EXPECT_EQ(r.L1, 5);
    EXPECT_EQ(r.H1, 0);
    EXPECT_EQ(r.L2, 0);
    EXPECT_EQ(r.H2, 5);
    EXPECT_EQ(r.chi2, 9);
    EXPECT_EQ(r.verdict, Verdict::Significant);
    Report lines;
    WriteMedianTest(r, lines);
    EXPECT_EQ(lines[5], "          Median                 = 5.5\r\n          Werte n + m            = 10");
    EXPECT_EQ(lines[6], "          Freiheitsgrade         = 1");
    EXPECT_EQ(lines[7], "          Signifikanzschranke    = 3.8414"); // 1.95996^2
    EXPECT_EQ(lines[8], "          Chi²-Wert (berechnet)  = 9.0000");
    EXPECT_EQ(lines[10],
        "Die beobachteten Unterschiede sind als signifikant anzusehen, da der Chi²-Wert größer/gleich als die Signifikanzschranke ist.");
    SetDecimalSeparator(',');
    WriteMedianTest(r, lines);
    EXPECT_EQ(lines[5], "          Median                 = 5,5\r\n          Werte n + m            = 10");
    EXPECT_EQ(lines[7], "          Signifikanzschranke    = 3,8414");
    EXPECT_EQ(lines[8], "          Chi²-Wert (berechnet)  = 9,0000");

    // Sample 1 lies below the median: evidence for "µ1 < µ2" only.
    EXPECT_EQ(ok(ComputeMedianTest({ 1, 2, 3, 4, 5 }, { 6, 7, 8, 9, 10 }, 5, Alternative::Less)).verdict, Verdict::Significant);
    const auto wrongWay = ok(ComputeMedianTest({ 1, 2, 3, 4, 5 }, { 6, 7, 8, 9, 10 }, 5, Alternative::Greater));
    EXPECT_EQ(wrongWay.verdict, Verdict::AgainstDirection);
    WriteMedianTest(wrongWay, lines);
    EXPECT_EQ(lines[8], "          Chi²-Wert (berechnet)  = 9,0000");
    EXPECT_EQ(lines[10], kWrongWay);
}

TEST_F(RankTests, MedianOfEvenAndOddSizes)
{
    // N = 10 even: the mean of 5 and 5; the three values at it fall out of
    // the table but count in N: chi^2 = 9 * 12^2 / (3 * 4 * 3 * 4) = 9.
    const auto even = ok(ComputeMedianTest({ 1, 2, 3, 5, 5 }, { 5, 6, 7, 8, 9 }, 5, Alternative::TwoSided));
    EXPECT_EQ(even.median, 5);
    EXPECT_EQ(even.L1 + even.H1 + even.L2 + even.H2, 7);
    EXPECT_EQ(even.chi2, 9);
    Report lines;
    WriteMedianTest(even, lines);
    EXPECT_EQ(lines[5], "          Median                 = 5\r\n          Werte n + m            = 7");
    // N = 7 odd: the 4th value; chi^2 = 6 * 9^2 / 3^4 = 6.
    const auto odd = ok(ComputeMedianTest({ 1, 2, 3 }, { 4, 5, 6, 7 }, 5, Alternative::TwoSided));
    EXPECT_EQ(odd.median, 4);
    EXPECT_EQ(odd.chi2, 6);
    // Median (2 + 3.5)/2 = 2.75: L1 = 2, H1 = 1, L2 = 1, H2 = 2, chi^2 = 5 * 3^2 / 3^4.
    const auto mixed = ok(ComputeMedianTest({ 1, 2, 4 }, { 1.5, 3.5, 5 }, 5, Alternative::TwoSided));
    EXPECT_EQ(mixed.median, 2.75);
    EXPECT_DOUBLE_EQ(mixed.chi2, 5.0 * 9 / 81);
    EXPECT_EQ(mixed.verdict, Verdict::Random);
    WriteMedianTest(mixed, lines);
    EXPECT_EQ(lines[8], "          Chi²-Wert (berechnet)  = 0.5556");
    EXPECT_EQ(lines[10],
        "Die beobachteten Unterschiede sind als zufällig anzusehen, da der Chi²-Wert kleiner als die Signifikanzschranke ist.");
}

// The mean of the two middle values 1.5e308 and 1.6e308 must not overflow
// to infinity, which would put every value below the median.
TEST_F(RankTests, MedianOfHugeValues)
{
    const auto r = ok(ComputeMedianTest({ 1, 1.5e308, 1.7e308 }, { 1, 1.6e308, 1.7e308 }, 5, Alternative::TwoSided));
    EXPECT_EQ(r.median, 1.55e308);
    EXPECT_EQ(r.L1, 2);
    EXPECT_EQ(r.H1, 1);
    EXPECT_EQ(r.L2, 1);
    EXPECT_EQ(r.H2, 2);
    EXPECT_DOUBLE_EQ(r.chi2, 5.0 * 9 / 81);
}

TEST_F(RankTests, MedianWithAnEmptyMarginIsRefused)
{
    EXPECT_EQ(refused(ComputeMedianTest({ 5, 5, 5 }, { 1, 5, 9, 5 }, 5, Alternative::TwoSided)),
        "MEDIAN-Test nicht möglich: alle Werte der 1. Stichprobe sind gleich dem Median.");
    EXPECT_EQ(refused(ComputeMedianTest({ 1, 5, 9 }, { 5, 5, 5, 5 }, 5, Alternative::TwoSided)),
        "MEDIAN-Test nicht möglich: alle Werte der 2. Stichprobe sind gleich dem Median.");
    EXPECT_EQ(refused(ComputeMedianTest({ 5, 5, 6 }, { 5, 5, 7 }, 5, Alternative::TwoSided)),
        "MEDIAN-Test nicht möglich: kein Wert liegt unter dem Median.");
    EXPECT_EQ(refused(ComputeMedianTest({ 3, 5, 5 }, { 4, 5, 5 }, 5, Alternative::TwoSided)),
        "MEDIAN-Test nicht möglich: kein Wert liegt über dem Median.");
    EXPECT_EQ(refused(ComputeMedianTest({ 1, 2, 3 }, {}, 5, Alternative::TwoSided)), "MEDIAN-Test nicht möglich: eine Stichprobe ist leer.");
}

} // namespace
} // namespace zx
