// The additions beside the verdicts against SciPy and R
// (data/supplement_reference.txt, written by data/make_supplement_reference.py):
// p-values, estimates, effect sizes and their intervals for the three
// alternatives, on random samples with ties and zero differences, one test
// per method. Tolerances lie far below the four printed decimals; the
// intervals from the noncentral t are compared more loosely, as SciPy's and
// Boost's noncentral t agree to about eight digits.
#include "stats/EffectSizes.h"

#include "Computed.h"
#include "ReferenceFile.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zx {
namespace {

using test::ReferenceCase;

const std::vector<ReferenceCase>& cases()
{
    static const auto all = test::LoadReference("supplement_reference.txt");
    return all;
}

const char* const kHas[] = { "N", "J2", "J3" };

constexpr double kTight = 1e-10;
constexpr double kNoncentral = 1e-7;

const Figure* find(const Supplement& s, Measure m)
{
    for (const Figure& f : s.figures)
        if (f.measure == m)
            return &f;
    return nullptr;
}

void expectNear(double actual, double expected, double tolerance, const std::string& what)
{
    if (std::isinf(expected)) {
        EXPECT_EQ(actual, expected) << what;
        return;
    }
    EXPECT_NEAR(actual, expected, tolerance * std::max(1.0, std::fabs(expected))) << what;
}

// The figure's value against `valueKey` and, when ciKey is given, its
// interval against ciKey_<ha> ("none": left out with a word).
void expectFigure(const Supplement& s, Measure m, const ReferenceCase& c, const std::string& valueKey, const std::string& ciKey,
    const std::string& ha, double tolerance)
{
    SCOPED_TRACE(c.name + " " + valueKey + " " + ha);
    const Figure* f = find(s, m);
    ASSERT_NE(f, nullptr);
    ASSERT_TRUE(f->value) << f->omitted;
    expectNear(*f->value, c.number(valueKey), tolerance, "value");
    if (ciKey.empty())
        return;
    const auto& bounds = c.at(ciKey + "_" + ha);
    if (bounds.at(0) == "none") {
        EXPECT_FALSE(f->interval);
        EXPECT_FALSE(f->omitted.empty());
        return;
    }
    ASSERT_TRUE(f->interval) << f->omitted;
    expectNear(f->interval->lower, test::ReadNumber(bounds.at(0)), tolerance, "lower");
    expectNear(f->interval->upper, test::ReadNumber(bounds.at(1)), tolerance, "upper");
}

void expectP(const Supplement& s, const ReferenceCase& c, const std::string& key, Method method)
{
    const Figure* p = find(s, Measure::PValue);
    ASSERT_NE(p, nullptr);
    ASSERT_TRUE(p->value) << p->omitted;
    EXPECT_EQ(p->method, method) << c.name << " " << key;
    expectNear(*p->value, c.number(key), kTight, c.name + " " + key);
}

SampleSummary summary(const ReferenceCase& c, int k)
{
    const auto v = c.numbers("summary" + std::to_string(k));
    SampleSummary s;
    s.n = static_cast<long long>(v.at(0));
    s.mean = v.at(1);
    s.variance = v.at(2);
    s.sumSquaredDeviations = v.at(3);
    return s;
}

double alphaOf(const ReferenceCase& c) { return c.number("level") / 100; }

template <typename F>
void forEachCase(const char* kind, F check)
{
    int seen = 0;
    for (const auto& c : cases()) {
        if (c.kind != kind)
            continue;
        ++seen;
        for (const std::string ha : kHas)
            check(c, ha, *AlternativeOf(ha));
    }
    EXPECT_GE(seen, 5) << kind;
}

TEST(EffectSizes, StudentTMeanDifferencesAndStandardisedEffects)
{
    forEachCase("independent", [](const ReferenceCase& c, const std::string& ha, Alternative h) {
        const auto a = summary(c, 1), b = summary(c, 2);
        const Supplement t = TTestSupplement(a, b, alphaOf(c), h);
        expectP(t, c, "t_p_" + ha, Method::StudentT);
        EXPECT_EQ(t.df, a.n + b.n - 2);
        EXPECT_EQ(t.standardiser, Standardiser::Pooled);
        expectFigure(t, Measure::MeanDifference, c, "mean_diff", "t_ci", ha, kTight);
        expectFigure(t, Measure::CohensD, c, "d", "d_ci", ha, kNoncentral);
        expectFigure(t, Measure::HedgesG, c, "g", "g_ci", ha, kNoncentral);

        const Supplement w = WelchSupplement(a, b, alphaOf(c), h);
        expectP(w, c, "welch_p_" + ha, Method::StudentT);
        expectNear(w.df.value_or(0), c.number("welch_df"), kTight, c.name + " WELCH df");
        expectFigure(w, Measure::CohensD, c, "dw", "dw_ci", ha, kNoncentral);
        expectFigure(w, Measure::HedgesG, c, "gw", "gw_ci", ha, kNoncentral);

        // LORD and WEIR: no p-value, the rest as WELCH.
        const Supplement lord = WelchFiguresWithoutP(a, b, alphaOf(c), h, "LORD-Test");
        const Figure* p = find(lord, Measure::PValue);
        ASSERT_NE(p, nullptr);
        EXPECT_FALSE(p->value);
        EXPECT_EQ(p->omitted, "für die Prüfgröße des LORD-Tests ist kein p-Wert gebräuchlich");
        expectFigure(lord, Measure::MeanDifference, c, "mean_diff", "welch_ci", ha, kTight);
        expectFigure(lord, Measure::CohensD, c, "dw", "dw_ci", ha, kNoncentral);
    });
}

// A LORD test takes a second sample of one value; WELCH's interval and d do
// not: the difference stays, the rest is left out with the word why.
TEST(EffectSizes, WelchFiguresNeedTwoValuesEach)
{
    const SampleSummary a { 5, 10.0, 4.0, 16.0, 7, 13 }, b { 1, 12.5, 0, 0, 12.5f, 12.5f };
    const Supplement s = WelchFiguresWithoutP(a, b, 0.05, Alternative::TwoSided, "LORD-Test");
    ASSERT_EQ(s.figures.size(), 3u);
    EXPECT_EQ(s.figures[1].measure, Measure::MeanDifference);
    EXPECT_EQ(s.figures[1].value, -2.5);
    EXPECT_FALSE(s.figures[1].interval);
    EXPECT_EQ(s.figures[1].omitted, "Intervall nach WELCH nicht berechenbar: jede Stichprobe braucht mindestens 2 Werte");
    EXPECT_EQ(s.figures[2].measure, Measure::CohensD);
    EXPECT_FALSE(s.figures[2].value);
    EXPECT_EQ(s.figures[2].omitted, "nicht berechenbar: jede Stichprobe braucht mindestens 2 Werte");
}

TEST(EffectSizes, PairedTAndDz)
{
    forEachCase("paired", [](const ReferenceCase& c, const std::string& ha, Alternative h) {
        const Supplement s = PairedTSupplement(static_cast<long long>(c.number("n")), c.number("mean"), c.number("sd"), alphaOf(c), h);
        expectP(s, c, "pt_p_" + ha, Method::StudentT);
        expectFigure(s, Measure::MeanOfDifferences, c, "mean", "pt_ci", ha, kTight);
        expectFigure(s, Measure::CohensDz, c, "dz", "dz_ci", ha, kNoncentral);
    });
}

TEST(EffectSizes, UTestExactOrNormalHodgesLehmannRankBiserial)
{
    forEachCase("independent", [](const ReferenceCase& c, const std::string& ha, Alternative h) {
        const Supplement s = UTestSupplement(c.numbers("x"), c.numbers("y"), alphaOf(c), h);
        const bool exact = c.at("u_method").at(0) == "exact";
        expectP(s, c, "u_p_" + ha, exact ? Method::ExactRankSum : Method::NormalWithTies);
        expectFigure(s, Measure::Shift, c, "hl", "hl_ci", ha, kTight);
        EXPECT_EQ(find(s, Measure::Shift)->method, exact ? Method::OrderExact : Method::OrderNormal);
        expectFigure(s, Measure::RankBiserial, c, "rrb", "", ha, kTight);
    });
}

TEST(EffectSizes, WilcoxonExactOrNormalPseudoMedianRankBiserial)
{
    forEachCase("paired", [](const ReferenceCase& c, const std::string& ha, Alternative h) {
        const Supplement s = WilcoxonSupplement(c.numbers("d"), alphaOf(c), h);
        const bool exact = c.at("w_method").at(0) == "exact";
        expectP(s, c, "w_p_" + ha, exact ? Method::ExactSignedRank : Method::NormalWithTies);
        expectFigure(s, Measure::PseudoMedian, c, "pm", "pm_ci", ha, kTight);
        expectFigure(s, Measure::MatchedRankBiserial, c, "rrb", "", ha, kTight);
    });
}

TEST(EffectSizes, SignTestBinomialAndClopperPearson)
{
    forEachCase("paired", [](const ReferenceCase& c, const std::string& ha, Alternative h) {
        const Supplement s = SignTestSupplement(c.numbers("d"), alphaOf(c), h);
        expectP(s, c, "sign_p_" + ha, Method::ExactBinomial);
        expectFigure(s, Measure::ShareOfPositives, c, "share", "share_ci", ha, kTight);
    });
}

// The table is the MEDIAN test's own; Fisher's p and the conditional odds
// ratio come from it.
TEST(EffectSizes, MedianTestFisherAndOddsRatio)
{
    forEachCase("independent", [](const ReferenceCase& c, const std::string& ha, Alternative h) {
        const auto table = test::ok(ComputeMedianTest(c.numbers("x"), c.numbers("y"), 5, h));
        EXPECT_EQ(std::vector<double>({ double(table.H1), double(table.L1), double(table.H2), double(table.L2) }),
            c.numbers("median_table"))
            << c.name;
        const Supplement s = MedianTestSupplement(table, alphaOf(c), h);
        expectP(s, c, "fisher_p_" + ha, Method::FisherExact);
        expectFigure(s, Measure::OddsRatio, c, "or", "or_ci", ha, 1e-8);
    });
}

} // namespace
} // namespace zx
