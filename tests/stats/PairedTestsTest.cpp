// The t-test for paired values, the sign test and the WILCOXON test on
// worked examples that can be followed by hand, their report lines in both
// decimal settings, the direction of one-sided alternatives and the
// refusals of degenerate data. The comparison with SciPy is in
// ReferenceTest.cpp.
#include "core/NumberText.h"
#include "stats/PairedTests.h"

#include "Computed.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zx {
namespace {

using test::kWrongWay;
using test::ok;
using test::refused;

// Differences 1..n' (all different), the ranks in `negative` with a minus.
std::vector<double> signedRanks(int nPrime, std::initializer_list<int> negative)
{
    std::vector<double> d;
    for (int i = 1; i <= nPrime; ++i)
        d.push_back(i);
    for (int i : negative)
        d[static_cast<std::size_t>(i - 1)] = -i;
    return d;
}

class PairedTests : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator('.'); }
    void TearDown() override { SetDecimalSeparator('.'); }
};

// Differences 1..5: mean 3, s = sqrt(2.5), t = 3 sqrt(5) / sqrt(2.5) =
// 3 sqrt(2) = 4.2426 with 4 degrees of freedom.
TEST_F(PairedTests, PairedTTestWorkedExample)
{
    const auto r = ok(ComputePairedTTest(5, 3, std::sqrt(2.5), 5, Alternative::TwoSided));
    EXPECT_EQ(r.df, 4);
    EXPECT_NEAR(r.t, 3 * std::sqrt(2.0), 1e-14);
    EXPECT_NEAR(r.critical, 2.7764, 2e-3); // the expansion is coarse for 4 degrees of freedom
    EXPECT_EQ(r.verdict, Verdict::Significant);
    Report lines;
    WritePairedTTest(r, lines);
    EXPECT_EQ(lines[5], "      Freiheitsgrade         = 4");
    EXPECT_EQ(lines[6], "      Signifikanzschranke    = " + Format(r.critical, "0.0000"));
    EXPECT_EQ(lines[7], "      t-Wert (berechnet)     = 4.2426");
    EXPECT_EQ(lines[10],
        "Die beobachteten Unterschiede sind als signifikant anzusehen, da der t-Wert größer/gleich als die Signifikanzschranke ist.");
    SetDecimalSeparator(',');
    WritePairedTTest(r, lines);
    EXPECT_EQ(lines[7], "      t-Wert (berechnet)     = 4,2426");

    // Positive differences: sample 1 lies higher.
    EXPECT_EQ(ok(ComputePairedTTest(5, 3, std::sqrt(2.5), 5, Alternative::Greater)).verdict, Verdict::Significant);
    const auto wrongWay = ok(ComputePairedTTest(5, 3, std::sqrt(2.5), 5, Alternative::Less));
    EXPECT_EQ(wrongWay.verdict, Verdict::AgainstDirection);
    WritePairedTTest(wrongWay, lines);
    EXPECT_EQ(lines[7], "      t-Wert (berechnet)     = 4,2426");
    EXPECT_EQ(lines[10], kWrongWay);
    // t = 0.3 sqrt(2): random.
    const auto small = ok(ComputePairedTTest(5, 0.3, std::sqrt(2.5), 5, Alternative::TwoSided));
    EXPECT_EQ(small.verdict, Verdict::Random);
    WritePairedTTest(small, lines);
    EXPECT_EQ(lines[10], "Die beobachteten Unterschiede sind als zufällig anzusehen, da der t-Wert kleiner als die Signifikanzschranke ist.");
}

TEST_F(PairedTests, PairedTTestRefusals)
{
    EXPECT_EQ(refused(ComputePairedTTest(8, 2, 0, 5, Alternative::TwoSided)),
        "t-Test für Wertepaare nicht möglich: alle Paardifferenzen sind gleich (Standardabweichung 0).");
    EXPECT_EQ(refused(ComputePairedTTest(1, 2, 1, 5, Alternative::TwoSided)), "t-Test für Wertepaare nicht möglich: weniger als 2 Wertepaare.");
    EXPECT_EQ(refused(ComputePairedTTest(8, 2, 1, 100, Alternative::Less)),
        "t-Test für Wertepaare nicht möglich: die Signifikanzschranke ist für diese Irrtumswahrscheinlichkeit nicht bestimmbar.");
    EXPECT_EQ(refused(ComputePairedTTest(8, 1e308, 1e-10, 5, Alternative::TwoSided)),
        "t-Test für Wertepaare nicht möglich: die Prüfgröße ist für diese Daten nicht berechenbar (Zahlenüberlauf).");
}

// 8 positive and 2 negative differences: chi^2 = 36/10 = 3.6 against
// 3.8414 at 5 %: random. Zero differences do not count.
TEST_F(PairedTests, SignTestWorkedExample)
{
    std::vector<double> d { 1, 2, 0.5, 3, 4, 2, 7, 1, -1, -2, 0, 0 };
    const auto r = ok(ComputeSignTest(d, 5, Alternative::TwoSided));
    EXPECT_EQ(r.p, 8);
    EXPECT_EQ(r.q, 2);
    EXPECT_DOUBLE_EQ(r.chi2, 3.6);
    EXPECT_EQ(r.verdict, Verdict::Random);
    Report lines;
    WriteSignTest(r, lines);
    EXPECT_EQ(lines[5], "      Freiheitsgrade          = 1");
    EXPECT_EQ(lines[6], "      Signifikanzschranke     = 3.8414");
    EXPECT_EQ(lines[7], "      Chi²-Wert (berechnet)   = 3.6000");
    EXPECT_EQ(lines[10], "Die beobachteten Unterschiede sind als zufällig anzusehen, da der Chi²-Wert kleiner als die Signifikanzschranke ist.");
    SetDecimalSeparator(',');
    WriteSignTest(r, lines);
    EXPECT_EQ(lines[6], "      Signifikanzschranke     = 3,8414");
    EXPECT_EQ(lines[7], "      Chi²-Wert (berechnet)   = 3,6000");

    // 9 against 1: chi^2 = 6.4, significant; more positive differences mean
    // that sample 1 lies higher.
    d[8] = 1;
    const auto nine = ok(ComputeSignTest(d, 5, Alternative::TwoSided));
    EXPECT_DOUBLE_EQ(nine.chi2, 6.4);
    EXPECT_EQ(nine.verdict, Verdict::Significant);
    WriteSignTest(nine, lines);
    EXPECT_EQ(lines[10],
        "Die beobachteten Unterschiede sind als signifikant anzusehen, da der Chi²-Wert gleich/größer als die Signifikanzschranke ist.");
    EXPECT_EQ(ok(ComputeSignTest(d, 5, Alternative::Greater)).verdict, Verdict::Significant);
    EXPECT_EQ(ok(ComputeSignTest(d, 5, Alternative::Less)).verdict, Verdict::AgainstDirection);
}

TEST_F(PairedTests, SignTestWithoutNonZeroDifferencesIsRefused)
{
    EXPECT_EQ(refused(ComputeSignTest({ 0, 0, 0, 0 }, 5, Alternative::TwoSided)), "VORZEICHEN-Test nicht möglich: alle Paardifferenzen sind 0.");
}

// n' = 10, two-sided 5 %: the limit is 8; R = 8 is significant, R = 9 not.
TEST_F(PairedTests, WilcoxonTenPairs)
{
    auto d = signedRanks(10, { 1, 7 });
    d.push_back(0); // a zero difference is left out of n'
    const auto r = ok(ComputeWilcoxon(d, 5, Alternative::TwoSided));
    EXPECT_EQ(r.nPrime, 10);
    EXPECT_EQ(r.rMinus, 8);
    EXPECT_EQ(r.rPlus, 47);
    EXPECT_EQ(r.R, 8);
    EXPECT_EQ(r.critical, 8);
    EXPECT_FALSE(r.normal);
    EXPECT_EQ(r.verdict, Verdict::Significant);
    Report lines;
    WriteWilcoxon(r, lines);
    EXPECT_EQ(lines[5], "      Wertepaare Diff<>0     = 10");
    EXPECT_EQ(lines[6], "      Signifikanzschranke    = 8.00");
    EXPECT_EQ(lines[7], "      R-Wert (berechnet)     = 8");
    EXPECT_TRUE(lines[8].empty());
    EXPECT_EQ(lines[10],
        "Die beobachteten Unterschiede sind als signifikant anzusehen, da der R-Wert gleich/kleiner als die Signifikanzschranke ist.");
    SetDecimalSeparator(',');
    WriteWilcoxon(r, lines);
    EXPECT_EQ(lines[6], "      Signifikanzschranke    = 8,00");

    const auto nine = ok(ComputeWilcoxon(signedRanks(10, { 2, 7 }), 5, Alternative::TwoSided));
    EXPECT_EQ(nine.R, 9);
    EXPECT_EQ(nine.verdict, Verdict::Random);
    WriteWilcoxon(nine, lines);
    EXPECT_EQ(lines[10], "Die beobachteten Unterschiede sind als zufällig anzusehen, da der R-Wert größer als die Signifikanzschranke ist.");
}

// n' = 21, one-sided 1 %: the third field of the row "21  67  59 49  43"
// reads 49. Negative ranks 8, 20, 21 give R- = 49 = R.
TEST_F(PairedTests, WilcoxonTwentyOnePairsOneSided)
{
    const auto d = signedRanks(21, { 8, 20, 21 });
    const auto greater = ok(ComputeWilcoxon(d, 1, Alternative::Greater));
    EXPECT_EQ(greater.critical, 49);
    EXPECT_EQ(greater.R, 49);
    EXPECT_EQ(greater.rPlus, 231 - 49);
    EXPECT_EQ(greater.verdict, Verdict::Significant);
    // R+ > R-: sample 1 lies higher, so "µ1 < µ2" finds nothing.
    const auto less = ok(ComputeWilcoxon(d, 1, Alternative::Less));
    EXPECT_EQ(less.verdict, Verdict::AgainstDirection);
    Report lines;
    WriteWilcoxon(less, lines);
    EXPECT_EQ(lines[7], "      R-Wert (berechnet)     = 49");
    EXPECT_EQ(lines[10], kWrongWay);
}

TEST_F(PairedTests, WilcoxonEqualRankSumsAndTies)
{
    // Negative ranks 1, 2, 4, 7 of 7: R- = R+ = 14.
    const auto equal = ok(ComputeWilcoxon(signedRanks(7, { 1, 2, 4, 7 }), 5, Alternative::TwoSided));
    EXPECT_EQ(equal.rPlus, 14);
    EXPECT_EQ(equal.rMinus, 14);
    EXPECT_EQ(equal.R, 14);
    EXPECT_EQ(ok(ComputeWilcoxon(signedRanks(7, { 1, 2, 4, 7 }), 5, Alternative::Less)).verdict, Verdict::AgainstDirection);

    // |D| = 1, 1, 2, 3, 3, 3, 5: ranks 1.5, 1.5, 3, 5, 5, 5, 7.
    const auto ties = ok(ComputeWilcoxon({ -1, 1, 2, -3, 3, 3, 5 }, 5, Alternative::TwoSided));
    EXPECT_EQ(ties.rMinus, 1.5 + 5);
    EXPECT_EQ(ties.rPlus, 1.5 + 3 + 5 + 5 + 7);
    EXPECT_EQ(ties.tieSum, 6 + 24);
    Report lines;
    WriteWilcoxon(ties, lines);
    EXPECT_EQ(lines[7], "      R-Wert (berechnet)     = 6.5");
    SetDecimalSeparator(',');
    WriteWilcoxon(ties, lines);
    EXPECT_EQ(lines[7], "      R-Wert (berechnet)     = 6,5");
}

TEST_F(PairedTests, WilcoxonBelowSixNonZeroDifferencesIsRefused)
{
    EXPECT_EQ(refused(ComputeWilcoxon({ 1, -2, 3, 4, 5, 0, 0, 0, 0, 0 }, 5, Alternative::TwoSided)),
        "WILCOXON-Test nicht möglich: weniger als 6 Paardifferenzen ungleich 0.");
    EXPECT_EQ(refused(ComputeWilcoxon({}, 5, Alternative::TwoSided)), "WILCOXON-Test nicht möglich: weniger als 6 Paardifferenzen ungleich 0.");
    EXPECT_TRUE(std::holds_alternative<WilcoxonResult>(ComputeWilcoxon({ 1, -2, 3, 4, 5, 6 }, 5, Alternative::TwoSided)));
}

// From n' = 30, where the table ends, the normal approximation: negative
// ranks 1..10 of 30 give R = 55, P = 930, z = 177.5 / sqrt(930 * 61 / 24)
// = 3.6509 (SciPy's wilcoxon: 3.6508802354937036).
TEST_F(PairedTests, WilcoxonThirtyUsesTheNormalApproximation)
{
    const auto r = ok(ComputeWilcoxon(signedRanks(30, { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 }), 5, Alternative::TwoSided));
    EXPECT_TRUE(r.normal);
    EXPECT_EQ(r.R, 55);
    EXPECT_NEAR(r.z, 3.6508802354937036, 1e-12);
    EXPECT_EQ(r.zCorrected, r.z);
    EXPECT_EQ(r.verdict, Verdict::Significant);
    Report lines;
    WriteWilcoxon(r, lines);
    EXPECT_EQ(lines[5], "      Wertepaare Diff<>0             = 30");
    EXPECT_EQ(lines[6], "      Signifikanzschranke(Z-Tab.)    = 1.9600");
    EXPECT_EQ(lines[7], "      Z-Wert (berechnet)             = 3.6509");
    EXPECT_EQ(lines[8], "      Z-Wert (berechnet/Korrigiert)  = 3.6509");
    EXPECT_EQ(lines[10],
        "Die beobachteten Unterschiede sind als signifikant anzusehen, da der Z-Wert gleich/größer als die Signifikanzschranke ist.");
    SetDecimalSeparator(',');
    WriteWilcoxon(r, lines);
    EXPECT_EQ(lines[6], "      Signifikanzschranke(Z-Tab.)    = 1,9600");
    EXPECT_EQ(lines[8], "      Z-Wert (berechnet/Korrigiert)  = 3,6509");
    // Sample 1 lies lower.
    EXPECT_EQ(ok(ComputeWilcoxon(signedRanks(30, { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 }), 5, Alternative::Less)).verdict,
        Verdict::AgainstDirection);
    // Mirrored: ranks 11..30 negative, R = R+ = 55.
    const auto mirrored = ok(ComputeWilcoxon(
        signedRanks(30, { 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30 }), 5, Alternative::Less));
    EXPECT_EQ(mirrored.rPlus, 55);
    EXPECT_EQ(mirrored.z, r.z);
    EXPECT_EQ(mirrored.verdict, Verdict::Significant);
}

// 30 differences of equal size, 10 of them negative: one run of 30, tie
// term 30^3 - 30 = 26970; R = 15.5 * 10 = 155; the variance 2363.75 less
// 26970/48 gives z' = 77.5 / sqrt(1801.875) = 1.8257, SciPy's
// 1.8257418583505542. Adding a term, as the program once did, gave 1.578.
TEST_F(PairedTests, WilcoxonTieCorrectionSubtractsFromTheVariance)
{
    std::vector<double> d(10, -1.0);
    d.insert(d.end(), 20, 1.0);
    const auto r = ok(ComputeWilcoxon(d, 5, Alternative::TwoSided));
    EXPECT_EQ(r.tieSum, 26970);
    EXPECT_EQ(r.R, 155);
    EXPECT_NEAR(r.z, 77.5 / std::sqrt(2363.75), 1e-14);
    EXPECT_NEAR(r.zCorrected, 1.8257418583505542, 1e-12);
    EXPECT_EQ(r.verdict, Verdict::Random);
    Report lines;
    WriteWilcoxon(r, lines);
    EXPECT_EQ(lines[7], "      Z-Wert (berechnet)             = 1.5940");
    EXPECT_EQ(lines[8], "      Z-Wert (berechnet/Korrigiert)  = 1.8257");
    EXPECT_EQ(lines[10], "Die beobachteten Unterschiede sind als zufällig anzusehen, da der Z-Wert kleiner als die Signifikanzschranke ist.");
}

// Ties of two count: |D| = 1, 1 among 30 differences changes z'.
TEST_F(PairedTests, WilcoxonTieOfTwoIsCorrected)
{
    auto d = signedRanks(30, { 1, 2, 3 });
    d[1] = -1; // |D| 1 twice
    const auto r = ok(ComputeWilcoxon(d, 5, Alternative::TwoSided));
    EXPECT_EQ(r.tieSum, 6);
    EXPECT_GT(r.zCorrected, r.z);
}

} // namespace
} // namespace zx
