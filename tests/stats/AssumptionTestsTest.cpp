// The checks of the tests' assumptions on their own: the statistics against
// data/assumption_reference.txt (make_assumption_reference.py: W from the
// published coefficient file, DK with SciPy's normal distribution, SciPy's F
// and t quantiles), the worked examples, the tables against values read off
// the printed tables, and the variance report on the record.
#include "core/NumberText.h"
#include "stats/Descriptive.h"
#include "stats/NormalityTests.h"
#include "stats/VarianceTests.h"

#include "Computed.h"
#include "ReferenceFile.h"
#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace zx {
namespace {

using test::ok;
using test::ReferenceCase;
using test::refused;

std::vector<ReferenceCase> cases(const std::string& kind)
{
    static const auto all = test::LoadReference("assumption_reference.txt");
    std::vector<ReferenceCase> out;
    for (const auto& c : all)
        if (c.kind == kind)
            out.push_back(c);
    return out;
}

SampleSummary summary(long long n, double variance) { return { n, 0, variance, static_cast<double>(n - 1) * variance, 0, 0 }; }

// A record with sample 1 as single values or class groups, its moments
// computed as the test choice computes them.
std::unique_ptr<AnalysisRecord> record(int datentyp, const std::vector<double>& x, const std::vector<double>& f = {})
{
    auto r = std::make_unique<AnalysisRecord>();
    r->Datentyp = static_cast<Integer>(datentyp);
    r->AnzahlWerte[1] = static_cast<Integer>(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        r->Werte(static_cast<int>(i) + 1, 1) = x[i];
        r->Haeufigkeit(static_cast<int>(i) + 1, 1) = f.empty() ? Integer(1) : static_cast<Integer>(f[i]);
    }
    test::ScriptedDialogs quiet;
    EXPECT_TRUE(ComputeMoments(*r, quiet, 1));
    return r;
}

TEST(ShapiroWilk, WFromThePublishedCoefficientsForEverySize)
{
    const auto all = cases("sw");
    ASSERT_EQ(all.size(), 48u);
    for (const auto& c : all) {
        const auto x = c.numbers("values");
        const auto w = ShapiroWilkW(x);
        ASSERT_TRUE(w) << c.name;
        EXPECT_NEAR(*w, c.number("w"), 1e-12) << c.name;
    }
}

// 1, 2, 4: b = 0.7071 (4 - 1), SS = 4.6667, W = 0.9643 below the 5 % limit 0.767.
TEST(ShapiroWilk, WorkedExample)
{
    const std::vector<double> x { 1, 2, 4 };
    const auto r = ok(ComputeShapiroWilk(x, 5));
    EXPECT_EQ(Format(r.w, "0.0000"), "0.9643");
    EXPECT_EQ(r.limit, 0.767);
    EXPECT_FALSE(r.significant);
    const std::string tooFew = refused(ComputeShapiroWilk(std::vector<double> { 1, 2 }, 5));
    EXPECT_EQ(tooFew, "Stichprobe zu groß/klein: Test nicht möglich. Wählen Sie den KS- oder DAVID-Test aus.");
    EXPECT_EQ(refused(ComputeShapiroWilk(std::vector<double>(51, 1.0), 5)), tooFew);
    EXPECT_EQ(refused(ComputeShapiroWilk(std::vector<double>(7, 3.0), 5)),
        "Test für diese Stichprobe nicht möglich: alle Werte sind gleich (Standardabweichung 0).");
}

TEST(ShapiroWilk, TablesAsPrinted)
{
    // Rows of the coefficient table as printed by Shapiro and Wilk.
    auto row = [](int n) { return std::vector<double>(ShapiroWilkCoefficients(n).begin(), ShapiroWilkCoefficients(n).end()); };
    EXPECT_EQ(row(5), std::vector<double>({ 0.6646, 0.2413, 0.0 }));
    EXPECT_EQ(row(10), std::vector<double>({ 0.5739, 0.3291, 0.2141, 0.1224, 0.0399 }));
    EXPECT_EQ(row(50).size(), 25u);
    EXPECT_EQ(row(50).at(12), 0.0932);
    EXPECT_TRUE(row(1).empty() && row(51).empty());
    // Every row is normalised, 2 sum a^2 = 1, up to the four printed decimals
    // (n = 4 carries the printed 0.1677 for 0.1668).
    for (int n = 2; n <= 50; ++n) {
        double sum = 0;
        for (double a : ShapiroWilkCoefficients(n))
            sum += 2 * a * a;
        EXPECT_NEAR(sum, 1, n == 4 ? 8e-4 : 3.6e-4) << n;
    }

    // Percentage points of W: rows 3, 20 and 50 at 50, 10, 5 and 1 %.
    struct Row {
        int n;
        double p50, p10, p05, p01;
    };
    for (const Row& r : { Row { 3, 0.959, 0.789, 0.767, 0.753 }, Row { 20, 0.959, 0.920, 0.905, 0.868 },
             Row { 50, 0.974, 0.955, 0.947, 0.930 } }) {
        EXPECT_EQ(ShapiroWilkLimit(r.n, 0.50), r.p50) << r.n;
        EXPECT_EQ(ShapiroWilkLimit(r.n, 0.10), r.p10) << r.n;
        EXPECT_EQ(ShapiroWilkLimit(r.n, 0.05), r.p05) << r.n;
        EXPECT_EQ(ShapiroWilkLimit(r.n, 0.01), r.p01) << r.n;
    }
    EXPECT_FALSE(ShapiroWilkLimit(2, 0.05));
    EXPECT_FALSE(ShapiroWilkLimit(51, 0.05));
    EXPECT_FALSE(ShapiroWilkLimit(20, 0.02));
}

TEST(KolmogorovSmirnov, DKAgainstSciPy)
{
    auto all = cases("ks");
    ASSERT_EQ(all.size(), 4u);
    for (const auto& c : all) {
        const auto r = record(1, c.numbers("values"));
        EXPECT_NEAR(KSStatistic(KSRows(*r, 1), r->Mittelwert[1], r->StdAbw[1]).value_or(-1), c.number("dk"), 1e-12) << c.name;
    }
    // Class groups at their upper limits, cumulated in the order of the
    // midpoints whatever order they were entered in.
    all = cases("ksclass");
    ASSERT_EQ(all.size(), 3u);
    for (const auto& c : all) {
        const auto r = record(2, c.numbers("midpoints"), c.numbers("frequencies"));
        EXPECT_NEAR(KSStatistic(KSRows(*r, 1), r->Mittelwert[1], r->StdAbw[1]).value_or(-1), c.number("dk"), 1e-12) << c.name;
    }
}

TEST(KolmogorovSmirnov, LimitsAndVerdict)
{
    // Read off the printed table, and its continuation c / sqrt(n) and the
    // line from 0 to the row of 4.
    EXPECT_EQ(KSLimit(4, 0.10), 0.58);
    EXPECT_EQ(KSLimit(17, 0.05), 0.34);
    EXPECT_EQ(KSLimit(30, 0.01), 0.30);
    EXPECT_NEAR(*KSLimit(3, 0.05), 0.465, 1e-15);
    EXPECT_EQ(Format(*KSLimit(31, 0.05), "0.0000"), "0.2604");
    EXPECT_NEAR(*KSLimit(100, 0.01), 0.1647, 1e-15);
    EXPECT_FALSE(KSLimit(10, 0.02));

    // 1..5: DK = 0.2000 below the limit 0.57 at 5 %.
    const auto r = record(1, { 1, 2, 3, 4, 5 });
    const auto ks = ok(ComputeKS(KSRows(*r, 1), 5, r->Mittelwert[1], r->StdAbw[1], 5));
    EXPECT_EQ(Format(ks.dk, "0.0000"), "0.2000");
    EXPECT_EQ(ks.limit, 0.57);
    EXPECT_FALSE(ks.significant);
    // The same DK against the limits of larger samples: 1.45 / sqrt(52) =
    // 0.2011 is not reached, 1.45 / sqrt(53) = 0.1992 is.
    EXPECT_FALSE(ok(ComputeKS(KSRows(*r, 1), 52, r->Mittelwert[1], r->StdAbw[1], 5)).significant);
    EXPECT_TRUE(ok(ComputeKS(KSRows(*r, 1), 53, r->Mittelwert[1], r->StdAbw[1], 5)).significant);
    EXPECT_EQ(refused(ComputeKS(KSRows(*r, 1), 5, 3, 0, 5)), "Test für diese Stichprobe nicht möglich: alle Werte sind gleich (Standardabweichung 0).");
    // One value: Phi(0) - 1, DK = 0.5 + 0.5; no weight at all: nothing.
    EXPECT_EQ(KSStatistic(std::vector<WeightedValue> { { 0, 1 } }, 0, 1), 1.0);
    EXPECT_FALSE(KSStatistic(std::vector<WeightedValue> { { 0, 0 }, { 1, 0 } }, 0, 1));
}

TEST(David, LimitsAsPrintedAndInterpolated)
{
    auto bounds = [](long n, double alpha) { return DavidLimits(n, alpha).value_or(DavidBounds { -1, -1 }); };
    // 0.1 % reads the outermost columns.
    EXPECT_EQ(bounds(3, 0.001).lower, 1.73);
    EXPECT_EQ(bounds(3, 0.001).upper, 2.00);
    EXPECT_EQ(CheckAlpha(0.1f), 0.001);
    // Rows 80, 85, 90 exactly; 22 between the rows 20 and 25.
    EXPECT_EQ(bounds(80, 0.05).lower, 4.16);
    EXPECT_EQ(bounds(85, 0.01).upper, 6.23);
    EXPECT_EQ(bounds(90, 0.10).upper, 5.60);
    EXPECT_NEAR(bounds(22, 0.05).lower, 3.18 + (3.34 - 3.18) * 2 / 5, 1e-12);
    EXPECT_NEAR(bounds(22, 0.05).upper, 4.49 + (4.71 - 4.49) * 2 / 5, 1e-12);
    EXPECT_NEAR(bounds(700, 0.01).lower, 5.13 + (5.57 - 5.13) * 200 / 500, 1e-12);
    EXPECT_FALSE(DavidLimits(2, 0.05));
    EXPECT_FALSE(DavidLimits(1001, 0.05));
    EXPECT_FALSE(DavidLimits(10, 0.02));

    // The 0.1 % columns are the smallest and largest R/s a sample of size n
    // can have: sqrt(2 (n - 1)), and the two-point sample's
    // sqrt(n (n - 1) / (k (n - k))) with k = n / 2 rounded up (printed to two
    // decimals, the lower ones some rounded up).
    std::vector<long> sizes;
    for (long n = 3; n <= 20; ++n)
        sizes.push_back(n);
    for (long n = 25; n <= 100; n += 5)
        sizes.push_back(n);
    for (long n : { 150, 200, 500, 1000 })
        sizes.push_back(n);
    for (long n : sizes) {
        const double k = static_cast<double>((n + 1) / 2);
        const double N = static_cast<double>(n);
        EXPECT_NEAR(bounds(n, 0.001).upper, std::sqrt(2 * (N - 1)), 0.0051) << n;
        EXPECT_NEAR(bounds(n, 0.001).lower, std::sqrt(N * (N - 1) / (k * (N - k))), 0.006) << n;
    }
}

TEST(David, VerdictAtTheBoundsAndBeyondTheTable)
{
    // n = 10 at 5 %: 2.67 and 3.68; the bounds themselves are significant.
    EXPECT_TRUE(ok(ComputeDavid(10, 2.67, 1, 5)).significant);
    EXPECT_FALSE(ok(ComputeDavid(10, 2.68, 1, 5)).significant);
    EXPECT_FALSE(ok(ComputeDavid(10, 3.67, 1, 5)).significant);
    EXPECT_TRUE(ok(ComputeDavid(10, 7.36, 2, 5)).significant);
    EXPECT_DOUBLE_EQ(ok(ComputeDavid(10, 7.0, 2, 5)).ratio, 3.5);
    // Above n = 1000 the last row is used, and said.
    const auto big = ok(ComputeDavid(1500, 6.5, 1, 1));
    EXPECT_EQ(big.bounds.lower, 5.57);
    EXPECT_EQ(big.bounds.upper, 7.80);
    EXPECT_TRUE(big.beyondTable);
    EXPECT_FALSE(big.significant);
    EXPECT_FALSE(ok(ComputeDavid(1000, 6.5, 1, 1)).beyondTable);
    EXPECT_EQ(refused(ComputeDavid(10, 3, 0, 5)), "Test für diese Stichprobe nicht möglich: alle Werte sind gleich (Standardabweichung 0).");
}

TEST(FTest, AgainstSciPy)
{
    const auto all = cases("f");
    ASSERT_EQ(all.size(), 6u);
    for (const auto& c : all) {
        const auto in = c.numbers("input");
        const auto df = c.numbers("df");
        const auto r = ok(ComputeFTest(summary(static_cast<long long>(in[1]), in[0]), summary(static_cast<long long>(in[3]), in[2]),
            static_cast<float>(in[4])));
        EXPECT_DOUBLE_EQ(r.F, c.number("F")) << c.name;
        EXPECT_EQ(r.v1, df[0]) << c.name;
        EXPECT_EQ(r.v2, df[1]) << c.name;
        // The F quantile is bisected to 1e-5, or Paulson's approximation
        // when both degrees of freedom exceed 30.
        EXPECT_NEAR(r.critical, c.number("critical"), 2e-3 * c.number("critical")) << c.name;
        EXPECT_EQ(r.significant, r.F >= r.critical) << c.name;
    }
    // F = 4.0 with 10 and 15 degrees of freedom against about 2.54: unequal.
    const auto example = ok(ComputeFTest(summary(11, 4), summary(16, 1), 5));
    EXPECT_EQ(Format(example.critical, "0.00"), "2.54");
    EXPECT_TRUE(example.significant);
    EXPECT_FALSE(ok(ComputeFTest(summary(8, 2.5), summary(8, 2.5), 5)).significant);
}

TEST(PairedVariance, AgainstSciPy)
{
    const auto all = cases("pm");
    ASSERT_EQ(all.size(), 3u);
    for (const auto& c : all) {
        const auto r = ok(ComputePairedVarianceTest(c.numbers("x"), c.numbers("y")));
        EXPECT_NEAR(r.t, c.number("t"), 1e-10 * c.number("t")) << c.name;
        EXPECT_EQ(r.df, static_cast<int>(c.numbers("x").size()) - 2);
        // Cornish-Fisher t quantile.
        EXPECT_NEAR(r.critical, c.number("critical"), 2e-3 * c.number("critical")) << c.name;
        EXPECT_EQ(r.significant, r.t >= r.critical) << c.name;
    }
    // Columns that are linear functions of each other: r^2 = 1 becomes
    // 0.999; t = 7.5 sqrt(3) / sqrt(4 * 2.5 * 10 * 0.001).
    const auto linear = ok(ComputePairedVarianceTest({ 1, 2, 3, 4, 5 }, { 3, 5, 7, 9, 11 }));
    EXPECT_EQ(linear.r2, 0.999);
    EXPECT_NEAR(linear.t, 7.5 * std::sqrt(3.0) / std::sqrt(0.1), 1e-9);
}

TEST(VarianceTests, ImpossibleInputIsRefusedInWords)
{
    EXPECT_EQ(refused(ComputeFTest(summary(10, 2), summary(10, 0), 5)),
        "F-Test nicht möglich: die Varianz einer Stichprobe ist 0 (alle Werte gleich).");
    EXPECT_EQ(refused(ComputeFTest(summary(1, 2), summary(10, 1), 5)), "F-Test nicht möglich: jede Stichprobe braucht mindestens 2 Werte.");
    EXPECT_EQ(ok(ComputeFTest(summary(2, 3), summary(2, 1), 5)).v2, 1);
    EXPECT_EQ(refused(ComputePairedVarianceTest({ 1, 2 }, { 2, 1 })),
        "t-Test für abhängige Stichproben nicht möglich: es werden mindestens 3 Wertepaare gebraucht.");
    EXPECT_EQ(refused(ComputePairedVarianceTest({ 1, 2, 3 }, { 4, 4, 4 })),
        "t-Test für abhängige Stichproben nicht möglich: die Varianz einer der beiden Spalten ist 0 (alle Werte gleich).");
}

class VarianceReport : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator('.'); }
    void TearDown() override { SetDecimalSeparator('.'); }
    AnalysisRecord rec;

    std::vector<std::string> lines() const { return { rec.ErgText.begin(), rec.ErgText.begin() + 15 }; }
};

TEST_F(VarianceReport, FTestLinesInBothDecimalSettings)
{
    for (char separator : { '.', ',' }) {
        SetDecimalSeparator(separator);
        rec = AnalysisRecord {};
        rec.Datentyp = 1;
        rec.Umfang = { 0, 16, 11 };
        rec.Varianz = { 0, 1, 4 };
        rec.Irrtum = 50; // the largest level "Weitere Tests" takes is read as 5
        rec.ErgText[50] = "alt";
        VarianceTest(rec);
        const std::string d(1, separator);
        EXPECT_EQ(lines(),
            (std::vector<std::string> { "             PRÜFUNG AUF GLEICHHEIT DER VARIANZEN",
                "        < Nach dem F-Test für Unabhängige Stichproben >", "   ",
                "   Irrtumswahrscheinlichkeit           = 5" + d + "0%", "   ",
                "   Freiheitsgrade (v1)                 = 10", "   Freiheitsgrade (v2)                 = 15",
                "   VARIANZ(1)                          = 1" + d + "0000", "   VARIANZ(2)                          = 4" + d + "0000",
                "   F-Wert (berechnet)                  = 4" + d + "0000",
                "   F-Tafel                             = " + Format(ok(ComputeFTest(summary(11, 4), summary(16, 1), 5)).critical, "0.0000"),
                "---------------------------",
                "Das vorliegende Datenmaterial weist einen signifikanten Unterschied in der Variabilität auf. ", "   ", "   " }));
        EXPECT_EQ(rec.Irrtum, 5.0f);
        EXPECT_EQ(rec.VarPruef, "N");
        EXPECT_TRUE(rec.ErgText[50].empty());
    }
}

TEST_F(VarianceReport, PairedLinesAtFivePercentAndTheDifferencesKept)
{
    rec.Datentyp = 4;
    const std::vector<double> x { 1, 2, 4, 7, 9 }, y { 2, 2, 5, 6, 12 };
    rec.AnzahlWerte = { 0, 5, 5 };
    for (int i = 1; i <= 5; ++i) {
        rec.Werte(i, 1) = x[static_cast<std::size_t>(i - 1)];
        rec.Werte(i, 2) = y[static_cast<std::size_t>(i - 1)];
        rec.Haeufigkeit(i, 1) = rec.Haeufigkeit(i, 2) = 1;
    }
    rec.Mittelwert[1] = -0.8; // the differences' values stay
    rec.Varianz[1] = 1.7;
    rec.Umfang[1] = 5;
    rec.Irrtum = 1;
    VarianceTest(rec);
    const auto r = ok(ComputePairedVarianceTest(x, y));
    EXPECT_EQ(rec.ErgText[1], "        < Nach dem t-Test für abhängige Stichproben >");
    EXPECT_EQ(rec.ErgText[3], "   Irrtumswahrscheinlichkeit             = 5.0%");
    EXPECT_EQ(rec.ErgText[4], "   Freiheitsgrade (n-2)                  = 3");
    EXPECT_EQ(rec.ErgText[5], "   t-Wert (berechnet)                    = " + Format(r.t, "#0.0000"));
    EXPECT_EQ(rec.ErgText[6], "   t-Tafel                               = " + Format(r.critical, "#0.0000"));
    EXPECT_EQ(rec.ErgText[12], "Das vorliegende Datenmaterial weist keinen signifikanten Unterschied in der Variabilität auf. ");
    EXPECT_NEAR(r.critical, 2.3534, 2e-3 * 2.3534); // SciPy t.isf(0.05, 3)
    EXPECT_EQ(rec.Irrtum, 5.0f);
    EXPECT_EQ(rec.VarPruef, "J");
    EXPECT_EQ(rec.Mittelwert[1], -0.8);
    EXPECT_EQ(rec.Varianz[1], 1.7);
    EXPECT_EQ(rec.Umfang[1], 5);
    EXPECT_EQ(rec.Varianz[2], 0.0);
}

TEST_F(VarianceReport, NoComparisonLeavesTheOutcomeOpen)
{
    rec.Datentyp = 2;
    rec.Umfang = { 0, 12, 1 };
    rec.Varianz = { 0, 2, 0 };
    rec.Irrtum = 5;
    rec.VarPruef = "J";
    VarianceTest(rec);
    EXPECT_EQ(rec.ErgText[12], "F-Test nicht möglich: jede Stichprobe braucht mindestens 2 Werte.");
    EXPECT_EQ(rec.ErgText[9], "   ");
    EXPECT_EQ(rec.VarPruef, " ");
}

} // namespace
} // namespace zx
