// The lines of "ZUSATZANGABEN" from hand-made figures: labels, the regional
// decimal separator, one-sided intervals, small p-values, fractional degrees
// of freedom, numbers in tiny units, and figures left out with their word.
#include "core/NumberText.h"
#include "stats/SupplementLines.h"

#include <gtest/gtest.h>

#include <limits>

namespace zx {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

Figure figure(Measure m, double value, std::optional<Interval> interval, Method method)
{
    Figure f;
    f.measure = m;
    f.value = value;
    f.interval = interval;
    f.method = method;
    return f;
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string s;
    for (const auto& l : lines)
        s += l + "\n";
    return s;
}

class SupplementLinesTest : public ::testing::Test {
protected:
    void TearDown() override { SetDecimalSeparator('.'); }
};

TEST_F(SupplementLinesTest, TwoSidedTTestInBothDecimalSettings)
{
    Supplement s;
    s.df = 24;
    s.standardiser = Standardiser::Pooled;
    s.figures = { figure(Measure::PValue, 0.0123456, std::nullopt, Method::StudentT),
        figure(Measure::MeanDifference, 4.16667, Interval { 2.40826, 5.92507 }, Method::StudentT),
        figure(Measure::CohensD, 1.92115, Interval { 0.96984, 2.84993 }, Method::NoncentralT) };
    const std::string expected = "ZUSATZANGABEN (KI = 95%-Konfidenzintervall)\n"
                                 "p-Wert (zweiseitig)             = 0.0123\n"
                                 "   exakt, Student-t-Verteilung mit 24 Freiheitsgraden\n"
                                 "Differenz der Mittelwerte       = 4.1667\n"
                                 "   KI 2.4083 bis 5.9251 (Student-t-Verteilung)\n"
                                 "Cohens d                        = 1.9212\n"
                                 "   KI 0.9698 bis 2.8499 (nichtzentrale t-Verteilung)\n"
                                 "   Standardisierer: gemeinsame Standardabweichung\n";
    SetDecimalSeparator('.');
    EXPECT_EQ(joined(SupplementLines(s)), expected);
    SetDecimalSeparator(',');
    std::string german = expected;
    for (auto& c : german)
        c = c == '.' ? ',' : c;
    EXPECT_EQ(joined(SupplementLines(s)), german);
}

TEST_F(SupplementLinesTest, OneSidedOpenEndsSmallPAndWordsForWhatIsLeftOut)
{
    SetDecimalSeparator(',');
    Supplement s;
    s.alternative = Alternative::Less;
    s.alpha = 0.025;
    s.df = 11.1772;
    s.standardiser = Standardiser::MeanOfVariances;
    Figure lord;
    lord.omitted = "für die Prüfgröße des LORD-Tests ist kein p-Wert gebräuchlich";
    Figure shift = figure(Measure::Shift, 0.00005, std::nullopt, Method::OrderExact);
    shift.omitted = "Intervall bei so wenigen Werten für dieses Konfidenzniveau nicht erreichbar";
    s.figures = { figure(Measure::PValue, 5e-5, std::nullopt, Method::StudentT), lord,
        figure(Measure::MeanDifference, -0.0000123456, Interval { -kInf, -0.0000012 }, Method::StudentT),
        figure(Measure::CohensD, -1.19244, Interval { -kInf, -0.213 }, Method::NoncentralT), shift,
        figure(Measure::OddsRatio, kInf, Interval { 0, kInf }, Method::ConditionalExact),
        figure(Measure::RankBiserial, 0.00004, std::nullopt, Method::None) };
    EXPECT_EQ(joined(SupplementLines(s)),
        "ZUSATZANGABEN (KI = einseitiges 97,5%-Konfidenzintervall)\n"
        "p-Wert (einseitig, Ha: µ1 < µ2) = < 0,0001\n"
        "   exakt, Student-t-Verteilung mit 11,18 Freiheitsgraden\n"
        "p-Wert: für die Prüfgröße des LORD-Tests ist kein p-Wert gebräuchlich\n"
        "Differenz der Mittelwerte       = -0,00001235\n"
        "   KI -unendlich bis -0,00000120 (Student-t-Verteilung)\n"
        "Cohens d                        = -1,1924\n"
        "   KI -unendlich bis -0,2130 (nichtzentrale t-Verteilung)\n"
        "   Standardisierer: √((s1² + s2²)/2), df nach WELCH\n"
        "Verschiebung (Hodges-Lehmann)   = 0,00005000\n"
        "   Intervall bei so wenigen Werten für dieses Konfidenzniveau nicht erreichbar\n"
        "Odds Ratio (über dem Median)    = unendlich\n"
        "   KI 0,0000 bis unendlich (exakt; bedingte ML-Schätzung)\n"
        "Rangbiseriale Korrelation       = 0,0000\n"
        "   2 (R1/n - R2/m) / (n + m)\n");
}

TEST_F(SupplementLinesTest, RankMethodsSayWhetherTheDataHeldTies)
{
    Supplement s;
    s.figures = { figure(Measure::PValue, 0.25, std::nullopt, Method::ExactSignedRank),
        figure(Measure::PseudoMedian, 1.5, Interval { 1, 2 }, Method::OrderExact),
        figure(Measure::MatchedRankBiserial, -0.25, std::nullopt, Method::None) };
    const auto untied = SupplementLines(s);
    EXPECT_EQ(untied.at(2), "   exakt, ohne Nulldifferenzen");
    EXPECT_EQ(untied.at(4), "   KI 1.0000 bis 2.0000 (exakt)");
    EXPECT_EQ(untied.at(5), "Rangbiseriale Korrelation       = -0.2500");
    EXPECT_EQ(untied.at(6), "   (R+ - R-) / (R+ + R-), ohne Nulldifferenzen");
    s.ties = true;
    const auto tied = SupplementLines(s);
    EXPECT_EQ(tied.at(2), "   exakt, bedingt auf die Bindungen, ohne Nulldifferenzen");
    EXPECT_EQ(tied.at(4), "   KI 1.0000 bis 2.0000 (aus der Verteilung ohne Bindungen)");
}

} // namespace
} // namespace zx
