// The nine two-sample tests on worked examples (by hand or SciPy): verdicts of
// the three alternatives, the edges of tables and data, the refusals.
#include "stats/IndependentTests.h"
#include "stats/PairedTests.h"
#include "stats/RankTests.h"

#include "Computed.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zx {
namespace {

using test::ok;
using test::refused;
constexpr Alternative kTwo = Alternative::TwoSided;

// The verdicts for "N", "J2", "J3": S significant, R random, D against the direction, - refused.
template <typename Compute>
std::string Verdicts(Compute compute)
{
    std::string word;
    for (Alternative h : { kTwo, Alternative::Less, Alternative::Greater }) {
        const auto computed = compute(h);
        const auto* r = std::get_if<0>(&computed);
        word += !r ? '-' : r->verdict == Verdict::Significant ? 'S' : r->verdict == Verdict::Random ? 'R' : 'D';
    }
    return word;
}

// A sample by its summary values, the squared deviations derived as data input does.
SampleSummary summary(long long n, double mean, double variance, Single minimum = 0, Single maximum = 0)
{
    return { n, mean, variance, static_cast<double>(n - 1) * variance, minimum, maximum };
}

std::vector<double> range(double from, double to, double step = 1)
{
    std::vector<double> v;
    for (double x = from; x <= to; x += step)
        v.push_back(x);
    return v;
}

// Differences 1..n' (all different), those in `negative` with a minus.
std::vector<double> signedRanks(int nPrime, std::initializer_list<int> negative)
{
    std::vector<double> d = range(1, nPrime);
    for (int i : negative)
        d[static_cast<std::size_t>(i - 1)] = -i;
    return d;
}

TEST(TwoSampleTests, TTest)
{
    // n1 = n2 = 10, variances 1: t = |x1 - x2| sqrt(5), 18 df, t(0.025) = 2.1009, t(0.05) = 1.7341.
    for (const auto& [mean2, verdicts] : { std::pair { 6.0, "SSD" }, { 5.9, "RSD" }, { 4.0, "SDS" }, { 5.0, "RDD" } }) {
        const auto a = summary(10, 5, 1), b = summary(10, mean2, 1);
        EXPECT_EQ(Verdicts([&](Alternative h) { return ComputeTTest(a, b, 5, h); }), verdicts) << mean2;
        const auto r = ok(ComputeTTest(a, b, 5, kTwo));
        EXPECT_EQ(r.df, 18);
        EXPECT_NEAR(r.t, std::fabs(5 - mean2) * std::sqrt(5.0), 1e-12);
        EXPECT_NEAR(r.critical, 2.1009, 1e-4);
    }
    EXPECT_NEAR(ok(ComputeTTest(summary(10, 5, 1), summary(10, 6, 1), 5, Alternative::Less)).critical, 1.7341, 1e-4);
    // Sizes 5 and 8, variances 2 and 1: SciPy's |t| with 11 degrees of freedom.
    EXPECT_NEAR(ok(ComputeTTest(summary(5, 0, 2), summary(8, 2, 1), 5, kTwo)).t, 3.0042704647952427, 1e-12);
    // The fewest values: n1 + n2 - 2 = 1.
    EXPECT_EQ(ok(ComputeTTest(summary(1, 5, 0), summary(2, 6, 1), 5, kTwo)).df, 1);
}

TEST(TwoSampleTests, Welch)
{
    // SciPy: |t| = 2.76026, f = 6.5264 rounded down to 6, t(0.025, 6) = 2.44691.
    const auto a = summary(5, 0, 2), b = summary(8, 2, 1);
    EXPECT_EQ(Verdicts([&](Alternative h) { return ComputeWelch(a, b, 5, h); }), "SSD");
    const auto r = ok(ComputeWelch(a, b, 5, kTwo));
    EXPECT_NEAR(r.t, 2.7602622373694166, 1e-12);
    EXPECT_NEAR(r.f, 6.526427061310781, 1e-12);
    EXPECT_EQ(r.df, 6);
    // One variance 0: f = n2 - 1 of the other sample.
    EXPECT_DOUBLE_EQ(ok(ComputeWelch(summary(8, 3, 0), summary(13, 4, 2), 5, kTwo)).f, 12);
    EXPECT_DOUBLE_EQ(ok(ComputeWelch(summary(2, 5, 1), summary(2, 6, 1), 5, kTwo)).f, 2);
}

TEST(TwoSampleTests, Lord)
{
    // Ranges 4 and 6, means 3 and 6: u = 3 / 5 = 0.6 against 0.419 (n = 10, 1 %) and 0.371 one-sided.
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

// n1 = n2 = 4, squared deviations 4 each: s^2 = 8/4 (1/4 + 1/4) = 1; a difference of 2 is t = 2, significant.
TEST(TwoSampleTests, WeirIsSignificantFromTwo)
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

std::string uVerdicts(const std::vector<double>& x, const std::vector<double>& y, float level = 5)
{
    return Verdicts([&](Alternative h) { return ComputeUTest(x, y, level, h); });
}

// n = 3, m = 5: two-sided 5 % U = 6 and Uo = 3 * 9 - 6 = 21, one-sided 7 and 20, each reached
// exactly once. Ux = R1 carries the direction: the other way is random, never "D".
TEST(TwoSampleTests, UTestSmallSamplesAgainstTheTable)
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
}

// Up to 25 values each the table decides; above, in either sample, z.
TEST(TwoSampleTests, UTestTableUpToTwentyFiveValues)
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

// 20 zeros and 6 ones against 6 zeros and 20 ones: tie term 2 (26^3 - 26) = 35100, Ux = 156; SciPy's
// z, corrected as WALTER: the tie term comes off before the scaling by nm / (N (N - 1)).
TEST(TwoSampleTests, UTestWalterCorrectionOfTies)
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
    // At 0.05 % (critical 3.4808) only the corrected z reaches the limit, at 0.01 % (3.8906) neither.
    EXPECT_EQ(ok(ComputeUTest(x, y, 0.05f, kTwo)).verdict, Verdict::Significant);
    EXPECT_EQ(ok(ComputeUTest(x, y, 0.01f, kTwo)).verdict, Verdict::Random);
}

// Two full samples of 500 (n m overflows 16 bits), odd and even: R1 = 250000, z = 250 / sqrt(250000 * 1001 / 12).
TEST(TwoSampleTests, UTestTwoFullSamples)
{
    auto x = range(1, 999, 2), y = range(2, 1000, 2);
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

// chi^2 = (N - 1)(L1 H2 - H1 L2)^2 / margins by hand; values at the median count only in N.
TEST(TwoSampleTests, MedianWorkedExamples)
{
    struct Case { std::vector<double> x, y; double median, chi2; long long L1, H1, L2, H2; const char* verdicts; };
    const Case cases[] = {
        { range(1, 5), range(6, 10), 5.5, 9, 5, 0, 0, 5, "SSD" },            // 9 * 25^2 / 5^4
        { range(6, 10), range(1, 5), 5.5, 9, 0, 5, 5, 0, "SDS" },
        { { 1, 2, 3, 5, 5 }, range(5, 9), 5, 9, 3, 0, 0, 4, "SSD" },         // 9 * 12^2 / (3 * 4 * 3 * 4)
        { { 1, 2, 3 }, range(4, 7), 4, 6, 3, 0, 0, 3, "SSD" },               // 6 * 9^2 / 3^4
        { { 1, 2, 4 }, { 1.5, 3.5, 5 }, 2.75, 5.0 * 9 / 81, 2, 1, 1, 2, "RRD" },
        { { 1, 7, 8 }, { 2, 3, 4, 5, 9 }, 4.5, 7.0 * 16 / 240, 1, 2, 3, 2, "RDR" },         // as many above in each
        { { 1, 2, 8 }, { 3, 4, 5, 6, 9 }, 4.5, 7.0 * 16 / 240, 2, 1, 2, 3, "RRD" },         // as many below in each
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
}

// Differences 1..5: mean 3, s = sqrt(2.5), t = 3 sqrt(2) with 4 df against t(0.025, 4) = 2.7764.
TEST(TwoSampleTests, PairedTWorkedExample)
{
    for (const auto& [mean, verdicts] : { std::pair { 3.0, "SDS" }, { -3.0, "SSD" }, { 0.3, "RDR" } }) {
        EXPECT_EQ(Verdicts([m = mean](Alternative h) { return ComputePairedTTest(5, m, std::sqrt(2.5), 5, h); }), verdicts);
        const auto r = ok(ComputePairedTTest(5, mean, std::sqrt(2.5), 5, kTwo));
        EXPECT_EQ(r.df, 4);
        EXPECT_NEAR(r.t, std::fabs(mean) * std::sqrt(2.0), 1e-14);
        EXPECT_NEAR(r.critical, 2.7764, 2e-3); // the expansion is coarse for 4 degrees of freedom
    }
    EXPECT_EQ(ok(ComputePairedTTest(2, 1, 1, 5, kTwo)).df, 1);
}

// chi^2 = (p - q)^2 / (p + q) against chi^2(1; 5 %) = 3.8414; zero differences do not count.
TEST(TwoSampleTests, SignWorkedExamples)
{
    struct Case { std::vector<double> d; long long p, q; double chi2; const char* verdicts; };
    const Case cases[] = {
        { { 1, 2, 0.5, 3, 4, 2, 7, 1, -1, -2, 0, 0 }, 8, 2, 3.6, "RDR" },
        { { 1, 2, 0.5, 3, 4, 2, 7, 1, 1, -2, 0, 0 }, 9, 1, 6.4, "SDS" },
        { { -1, -2, -0.5, -3, -4, -2, -7, -1, -1, 2 }, 1, 9, 6.4, "SSD" },
        { { 1, -1 }, 1, 1, 0, "RDD" },
    };
    for (const auto& c : cases) {
        const auto r = ok(ComputeSignTest(c.d, 5, kTwo));
        EXPECT_EQ(r.p, c.p);
        EXPECT_EQ(r.q, c.q);
        EXPECT_DOUBLE_EQ(r.chi2, c.chi2);
        EXPECT_NEAR(r.critical, 3.8414, 1e-4);
        EXPECT_EQ(Verdicts([&](Alternative h) { return ComputeSignTest(c.d, 5, h); }), c.verdicts) << c.p << " " << c.q;
    }
}

// Up to 29 non-zero differences R = min(R+, R-) against the table, the limit itself significant.
TEST(TwoSampleTests, WilcoxonTableFromSixToTwentyNine)
{
    struct Case { std::vector<double> d; float level; double R, critical; const char* verdicts; };
    const Case cases[] = {
        { signedRanks(6, { 1 }), 5, 1, 1, "SDS" },                      // one-sided 5 %: 2
        { signedRanks(10, { 1, 7 }), 5, 8, 8, "SDS" },                  // one-sided 5 %: 10
        { signedRanks(10, { 2, 7 }), 5, 9, 8, "RDS" },
        { signedRanks(21, { 8, 20, 21 }), 1, 49, 43, "RDS" },           // one-sided 1 % from the field printed a place to the left
        { signedRanks(29, { 5, 25, 26, 27, 28, 29 }), 10, 140, 140, "S--" }, // no one-sided 10 % column
        { signedRanks(29, { 5, 25, 26, 27, 28, 29 }), 5, 140, 126, "RDS" },
        { signedRanks(7, { 1, 2, 4, 7 }), 5, 14, 2, "RDD" },            // R+ = R- = 14
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.d.size()) + " differences, R " + std::to_string(c.R));
        const auto r = ok(ComputeWilcoxon(c.d, c.level, kTwo));
        EXPECT_FALSE(r.normal);
        EXPECT_EQ(r.R, c.R);
        EXPECT_EQ(r.critical, c.critical);
        EXPECT_EQ(Verdicts([&](Alternative h) { return ComputeWilcoxon(c.d, c.level, h); }), c.verdicts);
    }
}

// From 30 non-zero differences z = |R - P/4| / sqrt(P (2n' + 1)/24), P = n'(n' + 1),
// against the normal quantile of level/200; the tie term comes off the variance.
TEST(TwoSampleTests, WilcoxonNormalApproximationFromThirty)
{
    // Negative ranks 1..10 of 30: R = 55, SciPy's z 3.6508802354937036.
    const auto d = signedRanks(30, { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 });
    const auto r = ok(ComputeWilcoxon(d, 5, kTwo));
    EXPECT_TRUE(r.normal);
    EXPECT_EQ(r.R, 55);
    EXPECT_NEAR(r.z, 3.6508802354937036, 1e-12);
    EXPECT_EQ(r.zCorrected, r.z);
    EXPECT_EQ(r.critical, 1.95996);
    EXPECT_EQ(Verdicts([&](Alternative h) { return ComputeWilcoxon(d, 5, h); }), "SDS");
    // 30 differences of one size, 10 negative: tie term 30^3 - 30 = 26970, R = 155;
    // z' = 77.5 / sqrt(2363.75 - 26970/48) is below 1.96 also one-sided.
    std::vector<double> tied(10, -1.0);
    tied.insert(tied.end(), 20, 1.0);
    const auto t = ok(ComputeWilcoxon(tied, 5, kTwo));
    EXPECT_EQ(t.tieSum, 26970);
    EXPECT_EQ(t.R, 155);
    EXPECT_NEAR(t.z, 77.5 / std::sqrt(2363.75), 1e-14);
    EXPECT_NEAR(t.zCorrected, 1.8257418583505542, 1e-12);
    EXPECT_EQ(Verdicts([&](Alternative h) { return ComputeWilcoxon(tied, 5, h); }), "RDR");
}

// Data a formula would divide by zero or overflow on, that a test does not take,
// or a level without a critical value: refused with the test's name and cause.
TEST(TwoSampleTests, RefusalsInWords)
{
    const auto constant1 = summary(5, 5, 0, 5, 5), constant2 = summary(6, 7, 0, 7, 7);
    const auto huge = summary(10, 1.5e308, 1, 1, 2), tiny = summary(10, -1.5e308, 1, 1, 2);
    const auto ten = summary(10, 3, 1, 1, 5), twelve = summary(12, 6, 1, 2, 8), none = summary(0, 0, 0);
    const std::string zero = "die Varianz beider Stichproben ist 0 (alle Werte jeder Stichprobe sind gleich)";
    const std::string overflow = "die Prüfgröße ist für diese Daten nicht berechenbar (Zahlenüberlauf)";
    const std::string noLimit = "die Signifikanzschranke ist für diese Irrtumswahrscheinlichkeit nicht bestimmbar";
    const std::string empty = "eine Stichprobe ist leer", T = "t-Test für Zweistichproben", W = "WELCH-Test", L = "LORD-Test",
                      WE = "WEIR-Test", U = "U-Test", M = "MEDIAN-Test", P = "t-Test für Wertepaare";
    const std::vector<double> three { 1, 2, 3 };
    struct Case { std::string message, test, cause; };
    const Case cases[] = {
        { refused(ComputeTTest(constant1, constant2, 5, kTwo)), T, zero },
        { refused(ComputeTTest(summary(1, 5, 0), summary(1, 6, 0), 5, kTwo)), T, "zu wenige Werte (n1 + n2 - 2 = 0)" },
        { refused(ComputeTTest(none, twelve, 5, kTwo)), T, empty },
        { refused(ComputeTTest(huge, tiny, 5, kTwo)), T, overflow },
        { refused(ComputeTTest(ten, twelve, 100, Alternative::Less)), T, noLimit },
        { refused(ComputeWelch(constant1, constant2, 5, kTwo)), W, zero },
        { refused(ComputeWelch(summary(1, 5, 0), twelve, 5, kTwo)), W, "jede Stichprobe braucht mindestens 2 Werte" },
        { refused(ComputeWelch(huge, tiny, 5, kTwo)), W, overflow },
        { refused(ComputeWelch(ten, twelve, 100, Alternative::Less)), W, noLimit },
        { refused(ComputeLord(constant1, constant2, 5, kTwo)), L, "die Spannweiten beider Stichproben sind 0" },
        { refused(ComputeLord(summary(2, 5, 1, 4, 6), twelve, 5, kTwo)), L, "die Tabelle beginnt bei n = 3, die erste Stichprobe hat weniger Werte" },
        { refused(ComputeLord(ten, none, 5, kTwo)), L, empty },
        { refused(ComputeLord(huge, tiny, 5, kTwo)), L, overflow },
        { refused(ComputeLord(ten, twelve, 10, kTwo)), L, noLimit },
        { refused(ComputeWeir(summary(2, 5, 1), summary(2, 6, 1))), WE, "zu wenige Werte (n1 + n2 - 4 = 0)" },
        { refused(ComputeWeir(none, twelve)), WE, empty },
        { refused(ComputeWeir(constant1, constant2)), WE, zero },
        { refused(ComputeWeir(huge, tiny)), WE, overflow },
        { refused(ComputeUTest(std::vector<double>(26, 3.0), std::vector<double>(30, 3.0), 5, kTwo)), U, "alle Werte beider Stichproben sind gleich" },
        { refused(ComputeUTest(range(1, 6), range(7, 11), 5, kTwo)), U, "die erste Stichprobe muss die kleinere sein (n ≤ m)" },
        { refused(ComputeUTest({}, three, 5, kTwo)), U, empty },
        { refused(ComputeUTest(three, range(4, 7), 2, kTwo)), U, noLimit },
        { refused(ComputeUTest(range(1, 26), three, 200, kTwo)), U, noLimit },
        { refused(ComputeMedianTest({ 5, 5, 5 }, { 1, 5, 9, 5 }, 5, kTwo)), M, "alle Werte der 1. Stichprobe sind gleich dem Median" },
        { refused(ComputeMedianTest({ 1, 5, 9 }, { 5, 5, 5, 5 }, 5, kTwo)), M, "alle Werte der 2. Stichprobe sind gleich dem Median" },
        { refused(ComputeMedianTest({ 5, 5, 6 }, { 5, 5, 7 }, 5, kTwo)), M, "kein Wert liegt unter dem Median" },
        { refused(ComputeMedianTest({ 3, 5, 5 }, { 4, 5, 5 }, 5, kTwo)), M, "kein Wert liegt über dem Median" },
        { refused(ComputeMedianTest(three, {}, 5, kTwo)), M, empty },
        { refused(ComputePairedTTest(8, 2, 0, 5, kTwo)), P, "alle Paardifferenzen sind gleich (Standardabweichung 0)" },
        { refused(ComputePairedTTest(1, 2, 1, 5, kTwo)), P, "weniger als 2 Wertepaare" },
        { refused(ComputePairedTTest(8, 2, 1, 100, Alternative::Less)), P, noLimit },
        { refused(ComputePairedTTest(8, 1e308, 1e-10, 5, kTwo)), P, overflow },
        { refused(ComputePairedTTest(8, 1, INFINITY, 5, kTwo)), P, overflow },
        { refused(ComputeSignTest({ 0, 0, 0 }, 5, kTwo)), "VORZEICHEN-Test", "alle Paardifferenzen sind 0" },
        { refused(ComputeWilcoxon({ 1, -2, 3, 4, 5, 0, 0, 0 }, 5, kTwo)), "WILCOXON-Test", "weniger als 6 Paardifferenzen ungleich 0" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.message, c.test + " nicht möglich: " + c.cause + ".");
    // Equal values in small samples are fine for the U-test: no formula divides there.
    EXPECT_EQ(uVerdicts({ 5, 5, 5 }, { 5, 5, 5, 5 }), "RRR");
}

} // namespace
} // namespace zx
