// The t-test for two samples, WELCH, LORD and WEIR on worked examples whose
// values can be followed by hand, their report lines in both decimal
// settings, their refusals of degenerate data and the direction of one-sided
// alternatives. The comparison with SciPy is in ReferenceTest.cpp.
#include "core/NumberText.h"
#include "stats/Distributions.h"
#include "stats/IndependentTests.h"

#include "Computed.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zx {
namespace {

using test::kWrongWay;
using test::ok;
using test::refused;

// A sample given by its summary values; the sum of squared deviations is
// (n - 1) times the variance, as data input derives it.
SampleSummary summary(long long n, double mean, double variance, Single minimum = 0, Single maximum = 0)
{
    return { n, mean, variance, static_cast<double>(n - 1) * variance, minimum, maximum };
}

constexpr const char* kSignificant =
    "Die beobachteten Unterschiede sind als signifikant anzusehen, da der t-Wert größer/gleich als die Signifikanzschranke ist.";
constexpr const char* kRandom =
    "Die beobachteten Unterschiede sind als zufällig anzusehen, da der t-Wert kleiner als die Signifikanzschranke ist.";
class IndependentTests : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator('.'); }
    void TearDown() override { SetDecimalSeparator('.'); }
};

// n1 = n2 = 10, means 5 and 6, both variances 1: s = 1, t = sqrt(100/20) =
// sqrt(5) = 2.2361 with 18 degrees of freedom; t(0.025, 18) = 2.1009.
TEST_F(IndependentTests, TTestWorkedExample)
{
    const auto r = ok(ComputeTTest(summary(10, 5, 1), summary(10, 6, 1), 5, Alternative::TwoSided));
    EXPECT_EQ(r.df, 18);
    EXPECT_DOUBLE_EQ(r.t, std::sqrt(5.0));
    EXPECT_NEAR(r.critical, 2.1009, 5e-5);
    EXPECT_EQ(r.verdict, Verdict::Significant);

    Report lines;
    WriteTTest(r, lines);
    EXPECT_EQ(lines[5], "      Freiheitsgrade              = 18");
    EXPECT_EQ(lines[6], "      Signifikanzschranke (t-Tab) = 2.1009");
    EXPECT_EQ(lines[7], "      t-Wert (berechnet)          = 2.2361");
    EXPECT_EQ(lines[10], kSignificant);
    EXPECT_TRUE(lines[8].empty());

    SetDecimalSeparator(',');
    WriteTTest(r, lines);
    EXPECT_EQ(lines[6], "      Signifikanzschranke (t-Tab) = 2,1009");
    EXPECT_EQ(lines[7], "      t-Wert (berechnet)          = 2,2361");
}

// One-sided, the level is not halved: t(0.05, 18) = 1.7341. Sample 1 lies
// lower, so "µ1 < µ2" is significant and "µ1 > µ2" is not, though the
// statistic and the critical value are the same.
TEST_F(IndependentTests, TTestOneSidedTakesTheDirection)
{
    const auto less = ok(ComputeTTest(summary(10, 5, 1), summary(10, 6, 1), 5, Alternative::Less));
    EXPECT_NEAR(less.critical, 1.7341, 5e-4);
    EXPECT_EQ(less.verdict, Verdict::Significant);

    const auto greater = ok(ComputeTTest(summary(10, 5, 1), summary(10, 6, 1), 5, Alternative::Greater));
    EXPECT_EQ(greater.verdict, Verdict::AgainstDirection);
    EXPECT_DOUBLE_EQ(greater.t, less.t);
    EXPECT_EQ(greater.critical, less.critical);
    Report lines;
    WriteTTest(greater, lines);
    EXPECT_EQ(lines[7], "      t-Wert (berechnet)          = 2.2361");
    EXPECT_EQ(lines[10], kWrongWay);

    // No difference at all is no evidence for either direction.
    EXPECT_EQ(ok(ComputeTTest(summary(10, 5, 1), summary(10, 5, 1), 5, Alternative::Less)).verdict, Verdict::AgainstDirection);
    EXPECT_EQ(ok(ComputeTTest(summary(10, 5, 1), summary(10, 5, 1), 5, Alternative::TwoSided)).verdict, Verdict::Random);
}

TEST_F(IndependentTests, TTestRandomBelowTheLimit)
{
    // t = 0.5 * sqrt(5) = 1.1180.
    const auto r = ok(ComputeTTest(summary(10, 5, 1), summary(10, 5.5, 1), 5, Alternative::TwoSided));
    EXPECT_EQ(r.verdict, Verdict::Random);
    Report lines;
    WriteTTest(r, lines);
    EXPECT_EQ(lines[7], "      t-Wert (berechnet)          = 1.1180");
    EXPECT_EQ(lines[10], kRandom);
}

// Variances chosen so that Welch-Satterthwaite gives f = 17.8: with n1 = n2
// = 10, f = 9 (a + b)^2 / (a^2 + b^2); b = 1 and a the smaller root of
// (1 - r) a^2 + 2a + (1 - r) = 0, r = 17.8 / 9.
TEST_F(IndependentTests, WelchRoundsTheDegreesOfFreedomDown)
{
    const double r = 17.8 / 9;
    const double a = (-2 + std::sqrt(4 - 4 * (1 - r) * (1 - r))) / (2 * (1 - r));
    const auto w = ok(ComputeWelch(summary(10, 5, a), summary(10, 6, 1), 5, Alternative::TwoSided));
    EXPECT_NEAR(w.f, 17.8, 1e-9);
    EXPECT_EQ(w.df, 17);
    EXPECT_EQ(w.critical, *StudentT(DistMode::Quantile, 17, 0.025));
    EXPECT_DOUBLE_EQ(w.t, 1 / std::sqrt(a / 10 + 0.1));

    Report lines;
    WriteWelch(w, lines);
    EXPECT_EQ(lines[5], "      Freiheitsgrade         = 17");
    EXPECT_EQ(lines[6], "      Signifikanzschranke    = " + Format(w.critical, "0.0000"));
    EXPECT_EQ(lines[6], "      Signifikanzschranke    = 2.1098"); // t(0.025, 17) = 2.1098
    EXPECT_EQ(lines[7], "      t-Wert (berechnet)     = " + Format(w.t, "0.0000"));
    EXPECT_EQ(lines[10], kSignificant); // t = 2.3516
    SetDecimalSeparator(',');
    WriteWelch(w, lines);
    EXPECT_EQ(lines[6], "      Signifikanzschranke    = 2,1098");
}

TEST_F(IndependentTests, WelchWithOneVarianceZeroTakesTheOthersDegrees)
{
    // f = B^2 / (B^2 / (n2 - 1)) = n2 - 1.
    const auto w = ok(ComputeWelch(summary(8, 3, 0), summary(13, 4, 2), 5, Alternative::TwoSided));
    EXPECT_DOUBLE_EQ(w.f, 12);
    EXPECT_EQ(w.df, 12);
}

TEST_F(IndependentTests, LordRefusesAFirstSampleAbove20)
{
    const auto c = ComputeLord(summary(21, 5, 1, 3, 7), summary(10, 6, 1, 4, 8), 5, Alternative::TwoSided);
    EXPECT_EQ(refused(c), "LORD-Test nur bis n = 20: LORD-Test nicht möglich\r\nWÄHLEN SIE BITTE EINEN ANDEREN TEST");
    // Only the first size counts.
    EXPECT_TRUE(std::holds_alternative<LordResult>(
        ComputeLord(summary(20, 5, 1, 3, 7), summary(40, 6, 1, 4, 8), 5, Alternative::TwoSided)));
}

// Ranges 4 and 6, means 3 and 6: u = 3 / 5 = 0.6 against 0.419 (n = 10,
// 1 %, two-sided) and 0.304 (5 %).
TEST_F(IndependentTests, LordWorkedExample)
{
    const auto r = ok(ComputeLord(summary(10, 3, 1, 1, 5), summary(12, 6, 1, 2, 8), 1, Alternative::TwoSided));
    EXPECT_EQ(r.n, 10);
    EXPECT_EQ(r.critical, 0.419);
    EXPECT_DOUBLE_EQ(r.u, 0.6);
    EXPECT_EQ(r.verdict, Verdict::Significant);
    Report lines;
    WriteLord(r, lines);
    EXPECT_EQ(lines[5], "      Freiheitsgrade (n)        = 10");
    EXPECT_EQ(lines[6], "      Signifikanzschranke       = 0.4190");
    EXPECT_EQ(lines[7], "      t-Wert (berechnet)        = 0.6000");
    EXPECT_EQ(lines[10], kSignificant);
    SetDecimalSeparator(',');
    WriteLord(r, lines);
    EXPECT_EQ(lines[6], "      Signifikanzschranke       = 0,4190");
    EXPECT_EQ(lines[7], "      t-Wert (berechnet)        = 0,6000");

    // One-sided tables; sample 1 lies lower.
    EXPECT_EQ(ok(ComputeLord(summary(10, 3, 1, 1, 5), summary(12, 6, 1, 2, 8), 5, Alternative::Less)).critical, 0.250);
    EXPECT_EQ(ok(ComputeLord(summary(10, 3, 1, 1, 5), summary(12, 6, 1, 2, 8), 5, Alternative::Greater)).verdict,
        Verdict::AgainstDirection);
    // u = 0.2 / 5 = 0.04: random.
    EXPECT_EQ(ok(ComputeLord(summary(10, 3, 1, 1, 5), summary(12, 3.2, 1, 2, 8), 5, Alternative::TwoSided)).verdict,
        Verdict::Random);
}

// n1 = n2 = 4, squared deviations 4 and 4: s^2 = 8/4 * (1/4 + 1/4) = 1, and a
// difference of 2 gives t = 2 exactly, which is significant.
TEST_F(IndependentTests, WeirWithTExactlyTwoIsSignificant)
{
    const SampleSummary a { 4, 2, 4.0 / 3, 4, 1, 3 };
    const SampleSummary b { 4, 4, 4.0 / 3, 4, 3, 5 };
    const auto r = ok(ComputeWeir(a, b));
    EXPECT_EQ(r.t, 2.0);
    EXPECT_EQ(r.verdict, Verdict::Significant);
    Report lines;
    WriteWeir(r, lines);
    EXPECT_EQ(lines[5], "  ");
    EXPECT_EQ(lines[6], "      Signifikanzschranke  = 2");
    EXPECT_EQ(lines[7], "      t-Wert (berechnet)   = 2.0000");
    EXPECT_EQ(lines[10], "Die beobachteten Unterschiede sind als signifikant anzusehen, da der t-Wert größer/gleich als 2 ist.");

    SampleSummary closer = b;
    closer.mean = 3.999;
    const auto below = ok(ComputeWeir(a, closer));
    EXPECT_EQ(below.verdict, Verdict::Random);
    WriteWeir(below, lines);
    EXPECT_EQ(lines[7], "      t-Wert (berechnet)   = 1.9990");
    EXPECT_EQ(lines[10], "Die beobachteten Unterschiede sind als zufällig anzusehen, da der t-Wert kleiner als 2 ist.");
    SetDecimalSeparator(',');
    WriteWeir(below, lines);
    EXPECT_EQ(lines[7], "      t-Wert (berechnet)   = 1,9990");
}

// Data on which a formula would divide by zero are refused with a message
// that names the test and the cause; no NaN or infinity gets out.
TEST_F(IndependentTests, DegenerateDataAreRefused)
{
    const auto constant1 = summary(5, 5, 0, 5, 5);
    const auto constant2 = summary(6, 7, 0, 7, 7);
    EXPECT_EQ(refused(ComputeTTest(constant1, constant2, 5, Alternative::TwoSided)),
        "t-Test für Zweistichproben nicht möglich: die Varianz beider Stichproben ist 0 (alle Werte jeder Stichprobe sind gleich).");
    EXPECT_EQ(refused(ComputeTTest(summary(1, 5, 0), summary(1, 6, 0), 5, Alternative::TwoSided)),
        "t-Test für Zweistichproben nicht möglich: zu wenige Werte (n1 + n2 - 2 = 0).");
    EXPECT_EQ(refused(ComputeTTest(summary(0, 0, 0), summary(5, 6, 1), 5, Alternative::TwoSided)),
        "t-Test für Zweistichproben nicht möglich: eine Stichprobe ist leer.");

    EXPECT_EQ(refused(ComputeWelch(constant1, constant2, 5, Alternative::TwoSided)),
        "WELCH-Test nicht möglich: die Varianz beider Stichproben ist 0 (alle Werte jeder Stichprobe sind gleich).");
    EXPECT_EQ(refused(ComputeWelch(summary(1, 5, 0), summary(6, 6, 1), 5, Alternative::TwoSided)),
        "WELCH-Test nicht möglich: jede Stichprobe braucht mindestens 2 Werte.");

    EXPECT_EQ(refused(ComputeLord(constant1, constant2, 5, Alternative::TwoSided)),
        "LORD-Test nicht möglich: die Spannweiten beider Stichproben sind 0.");
    EXPECT_EQ(refused(ComputeLord(summary(2, 5, 1, 4, 6), summary(6, 6, 1, 5, 7), 5, Alternative::TwoSided)),
        "LORD-Test nicht möglich: die Tabelle beginnt bei n = 3, die erste Stichprobe hat weniger Werte.");

    EXPECT_EQ(refused(ComputeWeir(summary(2, 5, 1), summary(2, 6, 1))),
        "WEIR-Test nicht möglich: zu wenige Werte (n1 + n2 - 4 = 0).");
    EXPECT_EQ(refused(ComputeWeir(constant1, constant2)),
        "WEIR-Test nicht möglich: die Varianz beider Stichproben ist 0 (alle Werte jeder Stichprobe sind gleich).");
}

TEST_F(IndependentTests, ImpossibleLevelsAndOverflowsAreRefused)
{
    // A one-sided level of 100 % asks for the quantile of probability 1.
    const char* noLimit = " nicht möglich: die Signifikanzschranke ist für diese Irrtumswahrscheinlichkeit nicht bestimmbar.";
    EXPECT_EQ(refused(ComputeTTest(summary(10, 5, 1), summary(10, 6, 1), 100, Alternative::Less)), std::string("t-Test für Zweistichproben") + noLimit);
    EXPECT_EQ(refused(ComputeWelch(summary(10, 5, 1), summary(10, 6, 1), 100, Alternative::Less)), std::string("WELCH-Test") + noLimit);
    // The LORD table has columns for 1 % and 5 % only.
    EXPECT_EQ(refused(ComputeLord(summary(10, 3, 1, 1, 5), summary(12, 6, 1, 2, 8), 10, Alternative::TwoSided)),
        std::string("LORD-Test") + noLimit);

    // Means at the ends of the double range: the difference overflows.
    const char* overflow = " nicht möglich: die Prüfgröße ist für diese Daten nicht berechenbar (Zahlenüberlauf).";
    const auto huge = summary(10, 1.5e308, 1, 1, 2);
    const auto tiny = summary(10, -1.5e308, 1, 1, 2);
    EXPECT_EQ(refused(ComputeTTest(huge, tiny, 5, Alternative::TwoSided)), std::string("t-Test für Zweistichproben") + overflow);
    EXPECT_EQ(refused(ComputeWelch(huge, tiny, 5, Alternative::TwoSided)), std::string("WELCH-Test") + overflow);
    EXPECT_EQ(refused(ComputeLord(huge, tiny, 5, Alternative::TwoSided)), std::string("LORD-Test") + overflow);
    EXPECT_EQ(refused(ComputeWeir(huge, tiny)), std::string("WEIR-Test") + overflow);
}

} // namespace
} // namespace zx
