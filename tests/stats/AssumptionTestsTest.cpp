// The checks of the tests' assumptions: statistics and quantiles against
// data/make_assumption_reference.py, tables against their printed pages,
// the limits' edges, and the reports written on the record.
#include "core/NumberText.h"
#include "stats/Descriptive.h"
#include "stats/NormalityTests.h"
#include "stats/VarianceTests.h"

#include "Computed.h"
#include "ReadNumber.h"
#include "ReferenceFile.h"
#include "Samples.h"
#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <tuple>

namespace zx {
namespace {

using test::ok;
using test::refused;

std::vector<test::ReferenceCase> cases(const std::string& kind)
{
    static const auto all = test::LoadReference("assumption_reference.txt");
    std::vector<test::ReferenceCase> out;
    std::copy_if(all.begin(), all.end(), std::back_inserter(out), [&](const auto& c) { return c.kind == kind; });
    return out;
}

SampleSummary summary(long long n, double variance) { return { n, 0, variance, static_cast<double>(n - 1) * variance, 0, 0 }; }

// Two samples (without y the first twice) of single values, class groups or pairs, as the test choice has them.
std::unique_ptr<AnalysisRecord> record(int datentyp, const std::vector<double>& x, const std::vector<double>& y = {},
    const std::vector<int>& f = {}, const std::vector<int>& g = {})
{
    auto r = std::make_unique<AnalysisRecord>();
    if (datentyp == 4)
        test::SetPairs(*r, x, y);
    else if (datentyp == 2) {
        test::SetClassGroups(*r, 1, x, f);
        test::SetClassGroups(*r, 2, y.empty() ? x : y, g.empty() ? f : g);
    } else {
        test::SetSingleValues(*r, 1, x);
        test::SetSingleValues(*r, 2, y.empty() ? x : y);
    }
    test::ScriptedDialogs quiet;
    EXPECT_TRUE(ComputeDescriptives(*r, quiet));
    return r;
}

TEST(NormalityTests, StatisticsAgainstTheReference)
{
    EXPECT_EQ(cases("sw").size(), 49u);
    for (const auto& c : cases("sw"))
        EXPECT_NEAR(ShapiroWilkW(c.numbers("values")).value_or(-1), c.number("w"), 1e-12) << c.name;
    // Class groups at their upper limits, cumulated in the midpoints' order.
    EXPECT_EQ(cases("ks").size() + cases("ksclass").size(), 7u);
    for (const std::string kind : { "ks", "ksclass" })
        for (const auto& c : cases(kind)) {
            const auto f = kind == "ks" ? std::vector<double> {} : c.numbers("frequencies");
            const auto r = record(kind == "ks" ? 1 : 2, c.numbers(kind == "ks" ? "values" : "midpoints"), {}, std::vector<int>(f.begin(), f.end()));
            EXPECT_NEAR(KSStatistic(KSRows(*r, 1), r->Mittelwert[1], r->StdAbw[1]).value_or(-1), c.number("dk"), 1e-12) << c.name;
        }
}

TEST(NormalityTests, ShapiroWilkTablesAsPrinted)
{
    // Rows of the coefficients and percentage points as Shapiro and Wilk printed them.
    const auto a10 = ShapiroWilkCoefficients(10);
    EXPECT_EQ(std::vector<double>(a10.begin(), a10.end()), std::vector<double>({ 0.5739, 0.3291, 0.2141, 0.1224, 0.0399 }));
    EXPECT_EQ(ShapiroWilkCoefficients(2).size(), 1u);
    EXPECT_EQ(ShapiroWilkCoefficients(50)[12], 0.0932);
    EXPECT_TRUE(ShapiroWilkCoefficients(1).empty() && ShapiroWilkCoefficients(51).empty());
    const double points[][5] = { { 3, 0.959, 0.789, 0.767, 0.753 }, { 20, 0.959, 0.920, 0.905, 0.868 }, { 50, 0.974, 0.955, 0.947, 0.930 } };
    for (const auto& p : points)
        EXPECT_EQ((std::vector { ShapiroWilkLimit(int(p[0]), 0.5), ShapiroWilkLimit(int(p[0]), 0.1), ShapiroWilkLimit(int(p[0]), 0.05),
                      ShapiroWilkLimit(int(p[0]), 0.01) }),
            (std::vector<std::optional<double>> { p[1], p[2], p[3], p[4] }))
            << p[0];
    EXPECT_FALSE(ShapiroWilkLimit(2, 0.05) || ShapiroWilkLimit(51, 0.05) || ShapiroWilkLimit(20, 0.02));
    // 1, 2, 10: b = 0.7071 (10 - 1), SS = 48.667, W = 0.8322 between the limits 0.767 (5 %) and 0.959 (50 %).
    const auto r = ok(ComputeShapiroWilk(std::vector<double> { 1, 2, 10 }, 5));
    EXPECT_NEAR(r.w, 0.8322, 5e-5);
    EXPECT_FALSE(r.significant);
    EXPECT_TRUE(ok(ComputeShapiroWilk(std::vector<double> { 1, 2, 10 }, 50)).significant);
}

TEST(NormalityTests, KolmogorovSmirnovLimits)
{
    // The printed table, its continuation c / sqrt(n), the line from 0 to the row of 4.
    const std::tuple<long, double, double> limits[] = { { 4, 0.10, 0.58 }, { 17, 0.05, 0.34 }, { 30, 0.01, 0.30 },
        { 3, 0.05, 0.62 * 3 / 4 }, { 31, 0.05, 1.45 / std::sqrt(31.0) }, { 100, 0.01, 0.1647 }, { 100, 0.1, 0.1351 } };
    for (const auto& [n, alpha, limit] : limits)
        EXPECT_DOUBLE_EQ(KSLimit(n, alpha).value_or(-1), limit) << n << " " << alpha;
    EXPECT_FALSE(KSLimit(10, 0.02) || KSLimit(0, 0.05));
    // DK = 0.2 of 1..5 misses 1.45 / sqrt(52) = 0.2011, reaches 1.45 / sqrt(53) = 0.1992.
    const std::vector<WeightedValue> rows { { 1 }, { 2 }, { 3 }, { 4 }, { 5 } };
    const double sd = std::sqrt(2.5);
    EXPECT_EQ(ok(ComputeKS(rows, 5, 3, sd, 5)).limit, 0.57);
    EXPECT_FALSE(ok(ComputeKS(rows, 52, 3, sd, 5)).significant);
    EXPECT_TRUE(ok(ComputeKS(rows, 53, 3, sd, 5)).significant);
    // One value: Phi(0) - 1, DK = 0.5 + 0.5; no weight at all: nothing.
    EXPECT_EQ(KSStatistic(std::vector<WeightedValue> { { 0, 1 } }, 0, 1), 1.0);
    EXPECT_FALSE(KSStatistic(std::vector<WeightedValue> { { 0, 0 }, { 1, 0 } }, 0, 1));
}

TEST(NormalityTests, DavidLimits)
{
    auto bounds = [](long n, double alpha) { return DavidLimits(n, alpha).value_or(DavidBounds { -1, -1 }); };
    EXPECT_EQ(CheckAlpha(0.1f), 0.001);
    EXPECT_EQ(CheckAlpha(5), 0.05);
    EXPECT_EQ(bounds(80, 0.05).lower, 4.16);
    EXPECT_EQ(bounds(85, 0.01).upper, 6.23);
    EXPECT_EQ(bounds(90, 0.10).upper, 5.60);
    EXPECT_NEAR(bounds(22, 0.05).lower, 3.18 + (3.34 - 3.18) * 2 / 5, 1e-12);
    EXPECT_NEAR(bounds(22, 0.05).upper, 4.49 + (4.71 - 4.49) * 2 / 5, 1e-12);
    EXPECT_NEAR(bounds(700, 0.01).lower, 5.13 + (5.57 - 5.13) * 200 / 500, 1e-12);
    EXPECT_FALSE(DavidLimits(2, 0.05) || DavidLimits(1001, 0.05) || DavidLimits(10, 0.02));
    // The 0.1 % columns are the extremes of R/s (to two decimals): the two-point sample's
    // sqrt(n (n - 1) / (k (n - k))) with k = n / 2 rounded up, and sqrt(2 (n - 1)).
    for (long n : { 3, 4, 7, 12, 19, 20, 25, 55, 100, 150, 200, 500, 1000 }) {
        const double k = static_cast<double>((n + 1) / 2), N = static_cast<double>(n);
        EXPECT_NEAR(bounds(n, 0.001).upper, std::sqrt(2 * (N - 1)), 0.0051) << n;
        EXPECT_NEAR(bounds(n, 0.001).lower, std::sqrt(N * (N - 1) / (k * (N - k))), 0.006) << n;
    }
    // n = 10 at 5 %: 2.67 and 3.68, the bounds themselves significant.
    EXPECT_TRUE(ok(ComputeDavid(10, 2.67, 1, 5)).significant);
    EXPECT_FALSE(ok(ComputeDavid(10, 2.68, 1, 5)).significant);
    EXPECT_FALSE(ok(ComputeDavid(10, 3.67, 1, 5)).significant);
    EXPECT_TRUE(ok(ComputeDavid(10, 7.36, 2, 5)).significant);
    // Above n = 1000 the last row is used, and said.
    const auto big = ok(ComputeDavid(1001, 6.5, 1, 1));
    EXPECT_TRUE(big.bounds.lower == 5.57 && big.bounds.upper == 7.80 && big.beyondTable && !big.significant);
    EXPECT_FALSE(ok(ComputeDavid(1000, 6.5, 1, 1)).beyondTable);
}

// Critical values bisected to 1e-5 (Paulson beyond 30 and 30 df), t by Cornish-Fisher.
TEST(AssumptionTests, VarianceTestsAgainstSciPy)
{
    for (const auto& c : cases("f")) {
        const auto in = c.numbers("input");
        const auto r = ok(ComputeFTest(summary(static_cast<long long>(in[1]), in[0]), summary(static_cast<long long>(in[3]), in[2]),
            static_cast<float>(in[4])));
        EXPECT_DOUBLE_EQ(r.F, c.number("F")) << c.name;
        EXPECT_EQ(std::vector<double>({ double(r.v1), double(r.v2) }), c.numbers("df")) << c.name;
        EXPECT_NEAR(r.critical, c.number("critical"), 2e-3 * c.number("critical")) << c.name;
        EXPECT_EQ(r.significant, c.number("significant") == 1) << c.name;
    }
    for (const auto& c : cases("pm")) {
        const auto r = ok(ComputePairedVarianceTest(c.numbers("x"), c.numbers("y")));
        EXPECT_NEAR(r.t, c.number("t"), 1e-10 * c.number("t")) << c.name;
        EXPECT_EQ(r.df, static_cast<int>(c.numbers("x").size()) - 2);
        EXPECT_NEAR(r.critical, c.number("critical"), 2e-3 * c.number("critical")) << c.name;
        EXPECT_EQ(r.significant, c.number("significant") == 1) << c.name;
    }
    EXPECT_EQ(cases("f").size() + cases("pm").size(), 10u);
    // Linearly dependent columns: r^2 = 1 becomes 0.999, t = 7.5 sqrt(3) / sqrt(4 * 2.5 * 10 * 0.001).
    const auto linear = ok(ComputePairedVarianceTest({ 1, 2, 3, 4, 5 }, { 3, 5, 7, 9, 11 }));
    EXPECT_EQ(linear.r2, 0.999);
    EXPECT_NEAR(linear.t, 7.5 * std::sqrt(3.0) / std::sqrt(0.1), 1e-9);
}
TEST(AssumptionTests, RefusalsInWords)
{
    const std::string allEqual = "Test für diese Stichprobe nicht möglich: alle Werte sind gleich (Standardabweichung 0).";
    const std::string noLimit = "nicht möglich: die Signifikanzschranke ist für diese Irrtumswahrscheinlichkeit nicht bestimmbar.";
    const std::vector<WeightedValue> rows { { 1 }, { 2 }, { 3 } };
    const std::pair<std::string, std::string> cases[] = {
        { refused(ComputeFTest(summary(10, 2), summary(10, 0), 5)), "F-Test nicht möglich: die Varianz einer Stichprobe ist 0 (alle Werte gleich)." },
        { refused(ComputeFTest(summary(1, 2), summary(10, 1), 5)), "F-Test nicht möglich: jede Stichprobe braucht mindestens 2 Werte." },
        { refused(ComputeFTest(summary(10, 2), summary(10, 1), 100)), "F-Test " + noLimit },
        { refused(ComputePairedVarianceTest({ 1, 2 }, { 2, 1 })),
            "t-Test für abhängige Stichproben nicht möglich: es werden mindestens 3 Wertepaare gebraucht." },
        { refused(ComputePairedVarianceTest({ 1, 2, 3 }, { 4, 4, 4 })),
            "t-Test für abhängige Stichproben nicht möglich: die Varianz einer der beiden Spalten ist 0 (alle Werte gleich)." },
        { refused(ComputeShapiroWilk(std::vector<double>(51, 1.0), 5)), "Stichprobe zu groß/klein: Test nicht möglich. Wählen Sie den KS- oder DAVID-Test aus." },
        { refused(ComputeShapiroWilk(std::vector<double>(7, 3.0), 5)), allEqual },
        { refused(ComputeShapiroWilk(std::vector<double> { 1, 2, 4 }, 2)), "Test für diese Stichprobe " + noLimit },
        { refused(ComputeKS(rows, 3, 2, 0, 5)), allEqual },
        { refused(ComputeKS(rows, 3, 2, 1, 2)), "Test für diese Stichprobe " + noLimit },
        { refused(ComputeDavid(10, 3, 0, 5)), allEqual },
        { refused(ComputeDavid(10, 3, 1, 2)), "Test für diese Stichprobe " + noLimit },
        { refused(ComputeDavid(10, INFINITY, 1, 5)), "Test für diese Stichprobe nicht möglich: die Prüfgröße ist für diese Daten nicht berechenbar (Zahlenüberlauf)." },
    };
    for (const auto& [message, expected] : cases)
        EXPECT_EQ(message, expected);
    // The fewest values the F-test takes; equal variances keep their order.
    EXPECT_EQ(ok(ComputeFTest(summary(2, 3), summary(2, 1), 5)).v2, 1);
    EXPECT_EQ(ok(ComputeFTest(summary(8, 2.5), summary(12, 2.5), 5)).v1, 7);
}

// The lines a record-level procedure wrote, from `first` to `last`.
std::string linesOf(const AnalysisRecord& r, int first, int last)
{
    std::string out;
    for (int i = first; i <= last; ++i)
        out += std::to_string(i) + ":" + r.ErgText[static_cast<std::size_t>(i)] + "\n";
    return out;
}

// The number after the "= " of a report line, in either decimal setting.
double numberIn(std::string line)
{
    line = line.substr(line.find("= ") + 2);
    std::replace(line.begin(), line.end(), ',', '.');
    return test::ReadNumber(line);
}

const std::string kNo = "Das vorliegende Datenmaterial weist keine signifikante Abweichung von der Normalverteilung auf ";
const std::string kYes = "Das vorliegende Datenmaterial weist eine signifikante Abweichung von der Normalverteilung auf ";

// Lines 3 to 6 for sample 1, 8 to 11 or 12 for sample 2 after a single blank.
TEST(NormalityOnTheRecord, KolmogorovSmirnovAndShapiroWilk)
{
    auto r = record(1, { 1, 2, 3, 4, 5 }, { 2, 2, 2, 3, 3, 4, 7, 7, 9 }); // DK 0.2000 and 0.3262 (SciPy)
    EXPECT_TRUE(KSTest(*r, 1, 5).tested);
    const auto second = KSTest(*r, 2, 5);
    EXPECT_TRUE(second.tested && !second.significant);
    EXPECT_EQ(linesOf(*r, 3, 12),
        "3: Umfang  n   . . . . . . . . . . . . . = 5       STICHPROBE = 1\n4: Signifikanzlimit (Tab.-Wert)  . . . . = 0.5700\n"
        "5: Prüfgröße (DK)  . . . . . . . . . . . = 0.2000\n6:\r\n" + kNo + "(Dk < Signifikanzlimit).\n7: \n"
        "8: Umfang  n     . . . . . . . . . . . . = 9       STICHPROBE = 2\n9: Signifikanzlimit (Tab.-Wert)  . . . . = 0.4500\n"
        "10: Prüfgröße (DK)  . . . . . . . . . . . = 0.3262\n11:\r\n" + kNo + "(Dk < Signifikanzlimit).\n12:   \n");
    // SHAPIRO-WILK's verdict of the second sample stands in line 12, without a line break.
    EXPECT_TRUE(ShapiroWilkTest(*r, 1, 5).tested);
    EXPECT_TRUE(ShapiroWilkTest(*r, 2, 50).significant);
    EXPECT_EQ(r->ErgText[12], kYes + "(W <= Signifikanzlimit).");
    EXPECT_EQ(r->ErgText[8], "  Umfang  n    . . . . . . . . . . .   = 9       STICHPROBE = 2");

    // Paired values: the differences 1, 2, 4 under sample 1, and a note.
    r = record(4, { 2, 4, 7 }, { 1, 2, 3 });
    EXPECT_FALSE(ShapiroWilkTest(*r, 1, 5).significant);
    EXPECT_EQ(linesOf(*r, 3, 8),
        "3:  Umfang  n   . . . . . . . . . . . .  = 3       STICHPROBE = 1\n4:  Signifikanzlimit (Tab-Wert) . . . .  = 0.7670\n"
        "5:  Prüfgröße (W) . . . . . . . . . . .  = 0.9643\n6:\r\n" + kNo + "(W > Signifikanzlimit).\n7:   \n"
        "8:(Bei Wertepaaren werden nur die Differenzen auf Nicht-Normalverteilung geprüft.)\n");
    // A sample of equal differences is not judged; its limit and statistic stay blank.
    r = record(4, { 2, 3, 4 }, { 1, 2, 3 });
    EXPECT_FALSE(KSTest(*r, 1, 5).tested);
    EXPECT_EQ(linesOf(*r, 4, 6), "4:   \n5:   \n6:\r\nTest für diese Stichprobe nicht möglich: alle Werte sind gleich (Standardabweichung 0).\n");
}

TEST(NormalityOnTheRecord, DavidOfEachDataType)
{
    // Class groups span from the first class's lower to the last's upper limit: R = 80 for
    // midpoints 85..155 (NumPy: R/s 5.0947 with n = 52, between the rows 50 and 55).
    auto r = record(2, { 85, 95, 105, 115, 125, 135, 145, 155 }, { 10, 20 }, { 2, 5, 9, 14, 11, 7, 3, 1 }, { 3, 3 });
    EXPECT_FALSE(DavidTest(*r, 1, 5).significant);
    EXPECT_NEAR(r->QuotientWS[1].value_or(0), 5.0947, 5e-5);
    EXPECT_TRUE(DavidTest(*r, 2, 5).significant); // R/s = 20 / sqrt(30) = 3.6515 against 2.28 and 3.01 (n = 6)
    EXPECT_EQ(linesOf(*r, 3, 12),
        "3:  Umfang  n    . . . . . . . . . . . .  = 52     STICHPROBE = 1\n4:  Unteres Limit (Tab-Wert)   . . . . .  = 3.8580\n"
        "5:  Oberes  Limit (Tab-Wert)   . . . . .  = 5.3820\n6:  R/s-Quotient     . . . . . . . . . .  = 5.0947\n7:" + kNo
        + "[R/s innerhalb des Bereichs zwischen der oberen und unteren Grenze].\r\n\n"
          "8:  Umfang  n       . . . . . . . . . . . = 6     STICHPROBE = 2\n9:  Unteres Limit (Tab-Wert)  . . . . . . = 2.2800\n"
          "10:  Oberes  Limit (Tab-Wert)  . . . . . . = 3.0100\n11:  R/s-Quotient      . . . . . . . . . . = 3.6515\n12:"
        + kYes + "[R/s außerhalb des Bereichs zwischen der oberen und unteren Grenze].\n");

    // Summary values: the entered range, unless both ends are 0.
    r = std::make_unique<AnalysisRecord>();
    r->Datentyp = 3;
    SetSummaryValues(*r, 1, 10, 2, 25, 8, 0);
    SetSummaryValues(*r, 2, 10, 2, 25, 0, 0);
    EXPECT_TRUE(DavidTest(*r, 1, 5).tested);
    EXPECT_EQ(r->QuotientWS[1], 4.0);
    const auto missing = DavidTest(*r, 2, 5);
    EXPECT_FALSE(missing.tested);
    EXPECT_EQ(missing.message, "DAVID et al.-Test für Stichprobe 2 nicht möglich, da MIN und MAX nicht eingegeben (beide 0).");
    EXPECT_EQ(r->ErgText[12], *missing.message);
    // Beyond the table: said below the verdict.
    r->Umfang[1] = 1200;
    DavidTest(*r, 1, 5);
    EXPECT_EQ(r->ErgText[7], kYes + "[R/s außerhalb des Bereichs zwischen der oberen und unteren Grenze].\r\n"
        "(Die Tafel endet bei n = 1000; die Grenzen für n = 1000 wurden verwendet.)\r\n");
}

TEST(NormalityOnTheRecord, SizesFrameAndClosing)
{
    auto r = record(1, std::vector<double>(51, 1.0), { 1, 2 });
    r->Umfang[1] = 60;
    EXPECT_EQ(TestedSize(*r, NormalityTest::ShapiroWilk, 1), 51);
    EXPECT_EQ(TestedSize(*r, NormalityTest::David, 1), 60);
    const std::pair<NormalityTest, long> fine[] = { { NormalityTest::KolmogorovSmirnov, 3 }, { NormalityTest::ShapiroWilk, 3 },
        { NormalityTest::ShapiroWilk, 50 }, { NormalityTest::David, 3 } };
    for (const auto& [t, n] : fine) {
        EXPECT_FALSE(SizeRefusal(t, n)) << n;
        EXPECT_TRUE(SizeRefusal(t, t == NormalityTest::ShapiroWilk && n == 50 ? 51 : n - 1)) << n;
    }
    EXPECT_EQ(SizeRefusal(NormalityTest::KolmogorovSmirnov, 2), "Stichprobe zu klein: Test nicht möglich. Wählen Sie den DAVID-Test aus.");
    EXPECT_EQ(SizeRefusal(NormalityTest::David, 2), "Stichprobe zu klein: Test nicht möglich. Wählen Sie den KS- oder DAVID-Test aus.");
    Report lines;
    SetDecimalSeparator(',');
    WriteNormalityHeading(NormalityTest::David, 0.1f, lines);
    SetDecimalSeparator('.');
    EXPECT_EQ(lines[0], "             PRÜFUNG AUF NICHT-NORMALVERTEILUNG\r\n               < Nach dem Test DAVID et al. > ");
    EXPECT_EQ(lines[1], "               Irrtumswahrscheinlichkeit: 0,1%");
    WriteNormalityClosing(NormalityTest::KolmogorovSmirnov, 2, lines);
    EXPECT_EQ(lines[12], "(Berechnung beruht auf den eingegebenen Klassenmitten)");
    EXPECT_EQ(lines[13], std::string(40, '-'));
    WriteNormalityClosing(NormalityTest::David, 1, lines);
    EXPECT_EQ(lines[13], std::string(38, '-'));
}

// The variance comparison's report and verdict ("N": they differ, " ": not compared).
TEST(VarianceOnTheRecord, ReportAndOutcome)
{
    auto r = std::make_unique<AnalysisRecord>();
    for (char separator : { '.', ',' }) {
        SetDecimalSeparator(separator);
        r->Datentyp = 1;
        r->Umfang = { 0, 16, 11 };
        r->Varianz = { 0, 1, 4 };
        r->Irrtum = 50; // the largest level "Weitere Tests" takes is read as 5
        r->ErgText[50] = "alt";
        VarianceTest(*r);
        std::string expected = "0:             PRÜFUNG AUF GLEICHHEIT DER VARIANZEN\n1:        < Nach dem F-Test für Unabhängige Stichproben >\n"
                               "2:   \n3:   Irrtumswahrscheinlichkeit           = 5.0%\n4:   \n5:   Freiheitsgrade (v1)                 = 10\n"
                               "6:   Freiheitsgrade (v2)                 = 15\n7:   VARIANZ(1)                          = 1.0000\n"
                               "8:   VARIANZ(2)                          = 4.0000\n9:   F-Wert (berechnet)                  = 4.0000\n";
        std::replace(expected.begin(), expected.end(), '.', separator);
        EXPECT_EQ(linesOf(*r, 0, 9), expected);
        EXPECT_EQ(r->ErgText[10].substr(0, 41), "   F-Tafel                             = ");
        EXPECT_NEAR(numberIn(r->ErgText[10]), 2.5437, 1e-4); // SciPy f.isf(0.05, 10, 15)
        EXPECT_EQ(linesOf(*r, 11, 14), "11:---------------------------\n12:Das vorliegende Datenmaterial weist einen signifikanten "
                                       "Unterschied in der Variabilität auf. \n13:   \n14:   \n");
        EXPECT_TRUE(r->Irrtum == 5.0f && r->VarPruef == "N" && r->ErgText[50].empty());
    }
    SetDecimalSeparator('.');

    // Paired values: the columns at 5 % whatever the level; the differences' values stay.
    r = record(4, { 1, 2, 4, 7, 9 }, { 2, 2, 5, 6, 12 });
    const double meanOfDifferences = r->Mittelwert[1];
    r->Irrtum = 1;
    VarianceTest(*r);
    EXPECT_EQ(linesOf(*r, 1, 5), "1:        < Nach dem t-Test für abhängige Stichproben >\n2:   \n"
                                 "3:   Irrtumswahrscheinlichkeit             = 5.0%\n4:   Freiheitsgrade (n-2)                  = 3\n"
                                 "5:   t-Wert (berechnet)                    = 1.0123\n"); // NumPy: variances 11.3 and 16.8, r 0.93989
    EXPECT_EQ(r->ErgText[6].substr(0, 41), "   t-Tafel                               ");
    EXPECT_NEAR(numberIn(r->ErgText[6]), 2.3534, 2e-3 * 2.3534); // SciPy t.isf(0.05, 3)
    EXPECT_EQ(r->ErgText[12], "Das vorliegende Datenmaterial weist keinen signifikanten Unterschied in der Variabilität auf. ");
    EXPECT_TRUE(r->Irrtum == 5.0f && r->VarPruef == "J" && r->Mittelwert[1] == meanOfDifferences);

    r->Datentyp = 2;
    r->Umfang = { 0, 12, 1 };
    VarianceTest(*r);
    EXPECT_EQ(r->ErgText[12], "F-Test nicht möglich: jede Stichprobe braucht mindestens 2 Werte.");
    EXPECT_TRUE(r->ErgText[9] == "   " && r->VarPruef == " ");
}

} // namespace
} // namespace zx
