// p-values, estimates, effect sizes and intervals for the three alternatives
// against SciPy and R (data/make_supplement_reference.py), on random samples
// with ties and zero differences, every method at least once.
#include "stats/EffectSizes.h"

#include "Computed.h"
#include "ReferenceFile.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zx {
namespace {

using test::ReferenceCase;

// Far below the printed four decimals; SciPy's and Boost's noncentral t agree to some 8 digits.
constexpr double kTight = 1e-10;
constexpr double kNoncentral = 1e-7;

void expectNear(double actual, const std::string& expected, double tolerance, const std::string& what)
{
    const double e = test::ReadNumber(expected);
    if (std::isinf(e))
        EXPECT_EQ(actual, e) << what;
    else
        EXPECT_NEAR(actual, e, tolerance * std::max(1.0, std::fabs(e))) << what;
}

// The figure of measure m against c's `valueKey` (a p-value: "<key>_<ha>", by
// `method`) and its interval against "<ciKey>_<ha>" ("none": left out, said).
void expectFigure(const Supplement& s, Measure m, const ReferenceCase& c, const std::string& ha, const std::string& valueKey,
    const std::string& ciKey, double tolerance, Method method = Method::None)
{
    const std::string what = c.name + " " + valueKey + " " + ha;
    const auto f = std::find_if(s.figures.begin(), s.figures.end(), [m](const Figure& f) { return f.measure == m; });
    ASSERT_NE(f, s.figures.end()) << what;
    ASSERT_TRUE(f->value) << what << ": " << f->omitted;
    expectNear(*f->value, c.at(m == Measure::PValue ? valueKey + "_" + ha : valueKey).at(0), tolerance, what);
    if (m == Measure::PValue) {
        EXPECT_EQ(f->method, method) << what;
    }
    if (ciKey.empty())
        return;
    const auto& bounds = c.at(ciKey + "_" + ha);
    if (bounds.at(0) == "none") {
        EXPECT_TRUE(!f->interval && !f->omitted.empty()) << what;
        return;
    }
    ASSERT_TRUE(f->interval) << what << ": " << f->omitted;
    expectNear(f->interval->lower, bounds.at(0), tolerance, what + " lower");
    expectNear(f->interval->upper, bounds.at(1), tolerance, what + " upper");
}

// Each case of the kind with each alternative.
template <typename F>
void forEachCase(const char* kind, F check)
{
    static const auto all = test::LoadReference("supplement_reference.txt");
    int seen = 0;
    for (const auto& c : all) {
        if (c.kind != kind)
            continue;
        ++seen;
        for (const std::string ha : { "N", "J2", "J3" })
            check(c, ha, *AlternativeOf(ha), c.number("level") / 100);
    }
    EXPECT_GE(seen, 5) << kind;
}

TEST(EffectSizes, IndependentSamples)
{
    forEachCase("independent", [](const ReferenceCase& c, const std::string& ha, Alternative h, double alpha) {
        SampleSummary a, b;
        for (auto [k, s] : { std::pair { 1, &a }, { 2, &b } }) {
            const auto v = c.numbers("summary" + std::to_string(k));
            *s = { static_cast<long long>(v.at(0)), v.at(1), v.at(2), v.at(3), 0, 0 };
        }
        const Supplement t = TTestSupplement(a, b, alpha, h);
        expectFigure(t, Measure::PValue, c, ha, "t_p", "", kTight, Method::StudentT);
        EXPECT_TRUE(t.df == a.n + b.n - 2 && t.standardiser == Standardiser::Pooled);
        expectFigure(t, Measure::MeanDifference, c, ha, "mean_diff", "t_ci", kTight);
        expectFigure(t, Measure::CohensD, c, ha, "d", "d_ci", kNoncentral);
        expectFigure(t, Measure::HedgesG, c, ha, "g", "g_ci", kNoncentral);

        const Supplement w = WelchSupplement(a, b, alpha, h);
        expectFigure(w, Measure::PValue, c, ha, "welch_p", "", kTight, Method::StudentT);
        expectNear(w.df.value_or(0), c.at("welch_df").at(0), kTight, c.name + " WELCH df");
        expectFigure(w, Measure::CohensD, c, ha, "dw", "dw_ci", kNoncentral);
        expectFigure(w, Measure::HedgesG, c, ha, "gw", "gw_ci", kNoncentral);

        // LORD and WEIR: no p-value, the rest as WELCH.
        const Supplement lord = WelchFiguresWithoutP(a, b, alpha, h, "LORD-Test");
        EXPECT_TRUE(!lord.figures.at(0).value && lord.figures[0].omitted == "für die Prüfgröße des LORD-Tests ist kein p-Wert gebräuchlich");
        expectFigure(lord, Measure::MeanDifference, c, ha, "mean_diff", "welch_ci", kTight);
        expectFigure(lord, Measure::CohensD, c, ha, "dw", "dw_ci", kNoncentral);

        const bool exact = c.at("u_method").at(0) == "exact";
        const Supplement u = UTestSupplement(c.numbers("x"), c.numbers("y"), alpha, h);
        expectFigure(u, Measure::PValue, c, ha, "u_p", "", kTight, exact ? Method::ExactRankSum : Method::NormalWithTies);
        expectFigure(u, Measure::Shift, c, ha, "hl", "hl_ci", kTight);
        EXPECT_EQ(u.figures.at(1).method, exact ? Method::OrderExact : Method::OrderNormal);
        expectFigure(u, Measure::RankBiserial, c, ha, "rrb", "", kTight);

        // The table is the MEDIAN test's own.
        const auto table = test::ok(ComputeMedianTest(c.numbers("x"), c.numbers("y"), 5, h));
        EXPECT_EQ(std::vector<double>({ double(table.H1), double(table.L1), double(table.H2), double(table.L2) }), c.numbers("median_table"));
        const Supplement m = MedianTestSupplement(table, alpha, h);
        expectFigure(m, Measure::PValue, c, ha, "fisher_p", "", kTight, Method::FisherExact);
        expectFigure(m, Measure::OddsRatio, c, ha, "or", "or_ci", 1e-8);
    });
}

TEST(EffectSizes, PairedValues)
{
    forEachCase("paired", [](const ReferenceCase& c, const std::string& ha, Alternative h, double alpha) {
        const Supplement t = PairedTSupplement(static_cast<long long>(c.number("n")), c.number("mean"), c.number("sd"), alpha, h);
        expectFigure(t, Measure::PValue, c, ha, "pt_p", "", kTight, Method::StudentT);
        expectFigure(t, Measure::MeanOfDifferences, c, ha, "mean", "pt_ci", kTight);
        expectFigure(t, Measure::CohensDz, c, ha, "dz", "dz_ci", kNoncentral);

        const bool exact = c.at("w_method").at(0) == "exact";
        const Supplement w = WilcoxonSupplement(c.numbers("d"), alpha, h);
        expectFigure(w, Measure::PValue, c, ha, "w_p", "", kTight, exact ? Method::ExactSignedRank : Method::NormalWithTies);
        expectFigure(w, Measure::PseudoMedian, c, ha, "pm", "pm_ci", kTight);
        expectFigure(w, Measure::MatchedRankBiserial, c, ha, "rrb", "", kTight);

        const Supplement s = SignTestSupplement(c.numbers("d"), alpha, h);
        expectFigure(s, Measure::PValue, c, ha, "sign_p", "", kTight, Method::ExactBinomial);
        expectFigure(s, Measure::ShareOfPositives, c, ha, "share", "share_ci", kTight);
    });
}

// LORD takes a second sample of one value, WELCH's interval and d do not: the difference stays, the
// rest is left out and said why. Data without spread or non-zero differences give only the why.
TEST(EffectSizes, WhatCannotBeGivenIsSaid)
{
    const SampleSummary a { 5, 10.0, 4.0, 16.0, 7, 13 }, one { 1, 12.5, 0, 0, 12.5f, 12.5f };
    const Supplement s = WelchFiguresWithoutP(a, one, 0.05, Alternative::TwoSided, "LORD-Test");
    ASSERT_EQ(s.figures.size(), 3u);
    EXPECT_EQ(s.figures[1].value, -2.5);
    EXPECT_EQ(s.figures[1].omitted, "Intervall nach WELCH nicht berechenbar: jede Stichprobe braucht mindestens 2 Werte");
    EXPECT_TRUE(!s.figures[2].value && s.figures[2].omitted == "nicht berechenbar: jede Stichprobe braucht mindestens 2 Werte");
    const SampleSummary constant { 5, 3, 0, 0, 3, 3 };
    EXPECT_EQ(WelchSupplement(constant, constant, 0.05, Alternative::Less).figures.at(0).omitted,
        "nicht berechenbar: die Varianz beider Stichproben ist 0");
    EXPECT_EQ(TTestSupplement(constant, constant, 0.05, Alternative::Less).figures.at(0).omitted, "nicht berechenbar");
    EXPECT_EQ(SignTestSupplement({ 0, 0 }, 0.05, Alternative::Less).figures.at(0).omitted, "alle Paardifferenzen sind 0");
    EXPECT_EQ(WilcoxonSupplement({ 0, 0 }, 0.05, Alternative::Less).figures.at(0).omitted, "alle Paardifferenzen sind 0");
    EXPECT_EQ(UTestSupplement({}, { 1 }, 0.05, Alternative::Less).figures.at(0).omitted, "eine Stichprobe ist leer");
}

} // namespace
} // namespace zx
