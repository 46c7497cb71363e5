// The t-test for two samples, WELCH, LORD and WEIR on worked examples whose
// values can be followed by hand or were taken from SciPy
// (ttest_ind_from_stats, t.isf), the verdicts of all three alternatives,
// the edges of what each test takes, and their refusals.
#include "stats/IndependentTests.h"

#include "Computed.h"
#include "Verdicts.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zx {
namespace {

using test::ok;
using test::refused;
using test::Verdicts;
constexpr Alternative kTwo = Alternative::TwoSided;

// A sample by its summary values; the squared deviations are (n - 1) times
// the variance, as data input derives them.
SampleSummary summary(long long n, double mean, double variance, Single minimum = 0, Single maximum = 0)
{
    return { n, mean, variance, static_cast<double>(n - 1) * variance, minimum, maximum };
}

TEST(IndependentTests, TTest)
{
    // n1 = n2 = 10, variances 1: t = |x1 - x2| sqrt(5) with 18 degrees of
    // freedom against t(0.025, 18) = 2.1009 two-sided, 1.7341 one-sided.
    for (const auto& [mean2, verdicts] : { std::pair { 6.0, "SSD" }, { 5.9, "RSD" }, { 4.0, "SDS" }, { 5.0, "RDD" } }) {
        const auto a = summary(10, 5, 1), b = summary(10, mean2, 1);
        EXPECT_EQ(Verdicts([&](Alternative h) { return ComputeTTest(a, b, 5, h); }), verdicts) << mean2;
        const auto r = ok(ComputeTTest(a, b, 5, kTwo));
        EXPECT_EQ(r.df, 18);
        EXPECT_NEAR(r.t, std::fabs(5 - mean2) * std::sqrt(5.0), 1e-12);
        EXPECT_NEAR(r.critical, 2.1009, 1e-4);
    }
    EXPECT_NEAR(ok(ComputeTTest(summary(10, 5, 1), summary(10, 6, 1), 5, Alternative::Less)).critical, 1.7341, 1e-4);
    // Sizes 5 and 8, variances 2 and 1 (SciPy: |t| = 3.00427, t(0.025, 11) = 2.20099).
    const auto r = ok(ComputeTTest(summary(5, 0, 2), summary(8, 2, 1), 5, kTwo));
    EXPECT_EQ(r.df, 11);
    EXPECT_NEAR(r.t, 3.0042704647952427, 1e-12);
    EXPECT_NEAR(r.critical, 2.20099, 2e-4);
    // The fewest values: n1 + n2 - 2 = 1.
    EXPECT_EQ(ok(ComputeTTest(summary(1, 5, 0), summary(2, 6, 1), 5, kTwo)).df, 1);
}

TEST(IndependentTests, Welch)
{
    // SciPy: |t| = 2.76026, f = 6.5264 rounded down to 6, t(0.025, 6) = 2.44691.
    const auto a = summary(5, 0, 2), b = summary(8, 2, 1);
    EXPECT_EQ(Verdicts([&](Alternative h) { return ComputeWelch(a, b, 5, h); }), "SSD");
    const auto r = ok(ComputeWelch(a, b, 5, kTwo));
    EXPECT_NEAR(r.t, 2.7602622373694166, 1e-12);
    EXPECT_NEAR(r.f, 6.526427061310781, 1e-12);
    EXPECT_EQ(r.df, 6);
    EXPECT_NEAR(r.critical, 2.44691, 2e-3);
    // One variance 0: f = n2 - 1 of the other sample.
    EXPECT_DOUBLE_EQ(ok(ComputeWelch(summary(8, 3, 0), summary(13, 4, 2), 5, kTwo)).f, 12);
    EXPECT_DOUBLE_EQ(ok(ComputeWelch(summary(2, 5, 1), summary(2, 6, 1), 5, kTwo)).f, 2);
}

TEST(IndependentTests, Lord)
{
    // Ranges 4 and 6, means 3 and 6: u = 3 / 5 = 0.6 against 0.419
    // (n = 10, 1 %, two-sided) and 0.371 (one-sided).
    const auto a = summary(10, 3, 1, 1, 5), b = summary(12, 6, 1, 2, 8);
    EXPECT_EQ(Verdicts([&](Alternative h) { return ComputeLord(a, b, 1, h); }), "SSD");
    const auto r = ok(ComputeLord(a, b, 1, kTwo));
    EXPECT_EQ(r.n, 10);
    EXPECT_DOUBLE_EQ(r.u, 0.6);
    EXPECT_EQ(r.critical, 0.419);
    // u = 0.419 / ((1 + 1) / 2) reaches the two-sided 1 % limit itself.
    const auto c = summary(10, 0.419, 1, 0, 1), d = summary(1, 0, 0, 0, 1);
    EXPECT_EQ(Verdicts([&](Alternative h) { return ComputeLord(c, d, 1, h); }), "SDS");
    EXPECT_EQ(Verdicts([&](Alternative h) { return ComputeLord(c, d, 5, h); }), "SDS");
    // The table is entered with the first size only, 3 to 20.
    EXPECT_EQ(ok(ComputeLord(summary(3, 0, 1, 0, 1), summary(40, 1, 1, 0, 1), 5, kTwo)).critical, 1.272);
    EXPECT_EQ(ok(ComputeLord(summary(20, 0, 1, 0, 1), summary(2, 1, 1, 0, 1), 5, kTwo)).critical, 0.172);
    EXPECT_EQ(refused(ComputeLord(summary(21, 0, 1, 0, 1), summary(2, 1, 1, 0, 1), 5, kTwo)),
        "LORD-Test nur bis n = 20: LORD-Test nicht möglich\r\nWÄHLEN SIE BITTE EINEN ANDEREN TEST");
}

// n1 = n2 = 4, squared deviations 4 each: s^2 = 8/4 (1/4 + 1/4) = 1, and a
// difference of 2 gives t = 2 exactly, which is significant.
TEST(IndependentTests, WeirIsSignificantFromTwo)
{
    const auto a = summary(4, 2, 4.0 / 3);
    for (const auto& [mean2, verdict] : { std::pair { 4.0, Verdict::Significant }, { 0.0, Verdict::Significant }, { 3.999, Verdict::Random } }) {
        const auto r = ok(ComputeWeir(a, summary(4, mean2, 4.0 / 3)));
        EXPECT_DOUBLE_EQ(r.t, std::fabs(2 - mean2));
        EXPECT_EQ(r.verdict, verdict) << mean2;
    }
    // n1 + n2 - 4 = 1: s^2 = 2 (1 + 1/4), t = 1 / sqrt(2.5).
    EXPECT_DOUBLE_EQ(ok(ComputeWeir(summary(1, 0, 0), summary(4, 1, 2.0 / 3))).t, 1 / std::sqrt(2.5));
}

// Data on which a formula would divide by zero, overflow, or find no
// critical value are refused with the test's name and the cause.
TEST(IndependentTests, RefusalsInWords)
{
    const auto constant1 = summary(5, 5, 0, 5, 5), constant2 = summary(6, 7, 0, 7, 7);
    const auto huge = summary(10, 1.5e308, 1, 1, 2), tiny = summary(10, -1.5e308, 1, 1, 2);
    const auto ten = summary(10, 3, 1, 1, 5), twelve = summary(12, 6, 1, 2, 8);
    const std::string zeroVariance = " nicht möglich: die Varianz beider Stichproben ist 0 (alle Werte jeder Stichprobe sind gleich).";
    const std::string overflow = " nicht möglich: die Prüfgröße ist für diese Daten nicht berechenbar (Zahlenüberlauf).";
    const std::string noLimit = " nicht möglich: die Signifikanzschranke ist für diese Irrtumswahrscheinlichkeit nicht bestimmbar.";
    const std::pair<std::string, std::string> cases[] = {
        { refused(ComputeTTest(constant1, constant2, 5, kTwo)), "t-Test für Zweistichproben" + zeroVariance },
        { refused(ComputeTTest(summary(1, 5, 0), summary(1, 6, 0), 5, kTwo)), "t-Test für Zweistichproben nicht möglich: zu wenige Werte (n1 + n2 - 2 = 0)." },
        { refused(ComputeTTest(summary(0, 0, 0), summary(5, 6, 1), 5, kTwo)), "t-Test für Zweistichproben nicht möglich: eine Stichprobe ist leer." },
        { refused(ComputeTTest(huge, tiny, 5, kTwo)), "t-Test für Zweistichproben" + overflow },
        { refused(ComputeTTest(ten, twelve, 100, Alternative::Less)), "t-Test für Zweistichproben" + noLimit },
        { refused(ComputeWelch(constant1, constant2, 5, kTwo)), "WELCH-Test" + zeroVariance },
        { refused(ComputeWelch(summary(1, 5, 0), summary(6, 6, 1), 5, kTwo)), "WELCH-Test nicht möglich: jede Stichprobe braucht mindestens 2 Werte." },
        { refused(ComputeWelch(huge, tiny, 5, kTwo)), "WELCH-Test" + overflow },
        { refused(ComputeWelch(ten, twelve, 100, Alternative::Less)), "WELCH-Test" + noLimit },
        { refused(ComputeLord(constant1, constant2, 5, kTwo)), "LORD-Test nicht möglich: die Spannweiten beider Stichproben sind 0." },
        { refused(ComputeLord(summary(2, 5, 1, 4, 6), twelve, 5, kTwo)), "LORD-Test nicht möglich: die Tabelle beginnt bei n = 3, die erste Stichprobe hat weniger Werte." },
        { refused(ComputeLord(ten, summary(0, 0, 0), 5, kTwo)), "LORD-Test nicht möglich: eine Stichprobe ist leer." },
        { refused(ComputeLord(huge, tiny, 5, kTwo)), "LORD-Test" + overflow },
        { refused(ComputeLord(ten, twelve, 10, kTwo)), "LORD-Test" + noLimit },
        { refused(ComputeWeir(summary(2, 5, 1), summary(2, 6, 1))), "WEIR-Test nicht möglich: zu wenige Werte (n1 + n2 - 4 = 0)." },
        { refused(ComputeWeir(summary(0, 5, 1), summary(6, 6, 1))), "WEIR-Test nicht möglich: eine Stichprobe ist leer." },
        { refused(ComputeWeir(constant1, constant2)), "WEIR-Test" + zeroVariance },
        { refused(ComputeWeir(huge, tiny)), "WEIR-Test" + overflow },
    };
    for (const auto& [message, expected] : cases)
        EXPECT_EQ(message, expected);
}

} // namespace
} // namespace zx
