// The t-test for paired values, the sign test and the WILCOXON test on
// worked examples that can be followed by hand or were taken from SciPy
// (wilcoxon), the verdicts of all three alternatives, the WILCOXON table
// from 6 to 29 non-zero differences and the normal approximation from 30,
// and the refusals.
#include "stats/PairedTests.h"

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

// Differences 1..n' (all different), those in `negative` with a minus.
std::vector<double> signedRanks(int nPrime, std::initializer_list<int> negative)
{
    std::vector<double> d;
    for (int i = 1; i <= nPrime; ++i)
        d.push_back(i);
    for (int i : negative)
        d[static_cast<std::size_t>(i - 1)] = -i;
    return d;
}

// Differences 1..5: mean 3, s = sqrt(2.5), t = 3 sqrt(2) with 4 degrees of
// freedom against t(0.025, 4) = 2.7764.
TEST(PairedTTest, WorkedExample)
{
    for (const auto& [mean, verdicts] : { std::pair { 3.0, "SDS" }, { -3.0, "SSD" }, { 0.3, "RDR" } }) {
        EXPECT_EQ(Verdicts([m = mean](Alternative h) { return ComputePairedTTest(5, m, std::sqrt(2.5), 5, h); }), verdicts);
        const auto r = ok(ComputePairedTTest(5, mean, std::sqrt(2.5), 5, kTwo));
        EXPECT_EQ(r.df, 4);
        EXPECT_NEAR(r.t, std::fabs(mean) * std::sqrt(2.0), 1e-14);
        EXPECT_NEAR(r.critical, 2.7764, 2e-3); // the expansion is coarse for 4 degrees of freedom
    }
    EXPECT_EQ(ok(ComputePairedTTest(2, 1, 1, 5, kTwo)).df, 1);
    const std::pair<std::string, const char*> refusals[] = {
        { refused(ComputePairedTTest(8, 2, 0, 5, kTwo)), "alle Paardifferenzen sind gleich (Standardabweichung 0)" },
        { refused(ComputePairedTTest(1, 2, 1, 5, kTwo)), "weniger als 2 Wertepaare" },
        { refused(ComputePairedTTest(8, 2, 1, 100, Alternative::Less)), "die Signifikanzschranke ist für diese Irrtumswahrscheinlichkeit nicht bestimmbar" },
        { refused(ComputePairedTTest(8, 1e308, 1e-10, 5, kTwo)), "die Prüfgröße ist für diese Daten nicht berechenbar (Zahlenüberlauf)" },
        { refused(ComputePairedTTest(8, 1, INFINITY, 5, kTwo)), "die Prüfgröße ist für diese Daten nicht berechenbar (Zahlenüberlauf)" },
    };
    for (const auto& [message, why] : refusals)
        EXPECT_EQ(message, std::string("t-Test für Wertepaare nicht möglich: ") + why + ".");
}

// chi^2 = (p - q)^2 / (p + q) against chi^2(1; 5 %) = 3.8414; zero
// differences do not count.
TEST(SignTest, WorkedExamples)
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
    EXPECT_EQ(refused(ComputeSignTest({ 0, 0, 0 }, 5, kTwo)), "VORZEICHEN-Test nicht möglich: alle Paardifferenzen sind 0.");
}

// Up to 29 non-zero differences R = min(R+, R-) is held against the table,
// the limit itself significant.
TEST(Wilcoxon, TableFromSixToTwentyNine)
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
    // |D| = 1, 1, 2, 3, 3, 3, 5 and zeros: ranks 1.5, 1.5, 3, 5, 5, 5, 7 of n' = 7.
    const auto ties = ok(ComputeWilcoxon({ -1, 1, 0, 2, -3, 3, 3, 5, 0 }, 5, kTwo));
    EXPECT_EQ(ties.nPrime, 7);
    EXPECT_EQ(ties.rMinus, 1.5 + 5);
    EXPECT_EQ(ties.rPlus, 1.5 + 3 + 5 + 5 + 7);
    EXPECT_EQ(ties.tieSum, 6 + 24);
    EXPECT_EQ(refused(ComputeWilcoxon({ 1, -2, 3, 4, 5, 0, 0, 0 }, 5, kTwo)),
        "WILCOXON-Test nicht möglich: weniger als 6 Paardifferenzen ungleich 0.");
}

// From 30 non-zero differences z = |R - P/4| / sqrt(P (2n' + 1)/24) with
// P = n'(n' + 1), against the normal quantile of level/200 for every
// alternative; the tie term comes off the variance.
TEST(Wilcoxon, NormalApproximationFromThirty)
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
    // 30 differences of one size, 10 negative: tie term 30^3 - 30 = 26970,
    // R = 155; z' = 77.5 / sqrt(2363.75 - 26970/48) = 1.8257 (SciPy
    // 1.8257418583505542) is below 1.96 also for a one-sided alternative.
    std::vector<double> tied(10, -1.0);
    tied.insert(tied.end(), 20, 1.0);
    const auto t = ok(ComputeWilcoxon(tied, 5, kTwo));
    EXPECT_EQ(t.tieSum, 26970);
    EXPECT_EQ(t.R, 155);
    EXPECT_NEAR(t.z, 77.5 / std::sqrt(2363.75), 1e-14);
    EXPECT_NEAR(t.zCorrected, 1.8257418583505542, 1e-12);
    EXPECT_EQ(Verdicts([&](Alternative h) { return ComputeWilcoxon(tied, 5, h); }), "RDR");
}

} // namespace
} // namespace zx
