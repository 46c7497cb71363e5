// The report lines of the nine tests and of "ZUSATZANGABEN", written from
// hand-made results and figures in both decimal settings, each sentence once.
#include "core/NumberText.h"
#include "stats/ReportLines.h"
#include "stats/ResultFigures.h"
#include "stats/SupplementLines.h"

#include "Computed.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace zx {
namespace {

const std::string kSig = "Die beobachteten Unterschiede sind als signifikant anzusehen, da der ";
const std::string kRnd = "Die beobachteten Unterschiede sind als zufällig anzusehen, da der ";

// The text in both decimal settings: with ',' each decimal point between digits becomes ','.
void expectInBothSettings(const std::function<std::string()>& text, const std::string& expected)
{
    for (char separator : { '.', ',' }) {
        SetDecimalSeparator(separator);
        std::string want = expected;
        for (std::size_t i = 1; i + 1 < want.size(); ++i)
            if (want[i] == '.' && std::isdigit(static_cast<unsigned char>(want[i - 1])) && std::isdigit(static_cast<unsigned char>(want[i + 1])))
                want[i] = separator;
        EXPECT_EQ(text(), want) << "separator " << separator;
    }
    SetDecimalSeparator('.');
}

// Lines 4 to 10 a writer filled, "<line>:<text>" each on its own line.
void expectLines(const std::function<void(Report&)>& write, const std::string& expected)
{
    expectInBothSettings([&] {
        Report report;
        write(report);
        std::string got;
        for (std::size_t i = 4; i <= 10; ++i)
            if (!report[i].empty())
                got += std::to_string(i) + ":" + report[i] + "\n";
        return got;
    }, expected);
}

const std::string kUNote =
    "4:Wenn n > 25 oder m > 25 ist, dann wird z berechnet. Beim Auftreten von Bindungen wird nach WALTER (1951) korrigiert.\n";

TEST(TestReports, IndependentSamples)
{
    expectLines([](Report& l) { WriteTTest({ 18, 2.100922, 2.236068, Verdict::Significant }, l); },
        "5:      Freiheitsgrade              = 18\n6:      Signifikanzschranke (t-Tab) = 2.1009\n"
        "7:      t-Wert (berechnet)          = 2.2361\n10:" + kSig + "t-Wert größer/gleich als die Signifikanzschranke ist.\n");
    expectLines([](Report& l) { WriteWelch({ 6.5, 6, 2.44, 2.76, Verdict::Random }, l); },
        "5:      Freiheitsgrade         = 6\n6:      Signifikanzschranke    = 2.4400\n7:      t-Wert (berechnet)     = 2.7600\n"
        "10:" + kRnd + "t-Wert kleiner als die Signifikanzschranke ist.\n");
    expectLines([](Report& l) { WriteLord({ 10, 0.419, 0.6, Verdict::AgainstDirection }, l); },
        "5:      Freiheitsgrade (n)        = 10\n6:      Signifikanzschranke       = 0.4190\n"
        "7:      t-Wert (berechnet)        = 0.6000\n10:" + std::string(test::kWrongWay) + "\n");
    expectLines([](Report& l) { WriteWeir({ 2, Verdict::Significant }, l); },
        "5:  \n6:      Signifikanzschranke  = 2\n7:      t-Wert (berechnet)   = 2.0000\n10:" + kSig + "t-Wert größer/gleich als 2 ist.\n");
    expectLines([](Report& l) { WriteWeir({ 1.999, Verdict::Random }, l); },
        "5:  \n6:      Signifikanzschranke  = 2\n7:      t-Wert (berechnet)   = 1.9990\n10:" + kRnd + "t-Wert kleiner als 2 ist.\n");
}

TEST(TestReports, RankTests)
{
    auto small = [](Alternative h, Verdict v) { return UTestResult { .alternative = h, .n = 3, .m = 5, .U = 6, .Uo = 21, .Ux = 9.5f, .zCorrected = {}, .verdict = v }; };
    const std::string ux = "7:      Ux-Wert (berechnet)    = 9.5\n10:";
    const std::string two = "5:      Stichprobenumfänge  n  = 3    m  = 5\n6:      Signifikanzschranke U  = 6   Uo = 21\n";
    const std::string upper = "5:      Stichprobenumfänge  n  = 3   m = 5\n6:      Signifikanzschranke Uo = 21\n";
    const std::string lower = "5:      Stichprobenumfänge n   = 3 m = 5\n6:      Signifikanzschranke    = 6\n";
    const std::pair<UTestResult, std::string> cases[] = {
        { small(Alternative::TwoSided, Verdict::Significant),
            two + ux + kSig + "Ux-Wert kleiner/gleich als die Signifikanzschranke oder Ux größer/gleich als Uo ist." },
        { small(Alternative::TwoSided, Verdict::Random), two + ux + kRnd + "Ux-Wert zwischen den Signifikanzschranken U und Uo liegt." },
        { small(Alternative::Greater, Verdict::Significant), upper + ux + kSig + "Ux-Wert größer/gleich als die Signifikanzschranke Uo ist." },
        { small(Alternative::Greater, Verdict::Random), upper + ux + kRnd + "Ux-Wert kleiner als die Signifikanzschranke Uo ist." },
        { small(Alternative::Less, Verdict::Significant), lower + ux + kSig + "Ux-Wert kleiner/gleich als die Signifikanzschranke ist." },
        { small(Alternative::Less, Verdict::Random), lower + ux + kRnd + "Ux-Wert größer als die Signifikanzschranke ist." },
    };
    for (const auto& [result, expected] : cases)
        expectLines([&](Report& l) { WriteUTest(result, l); }, kUNote + expected + "\n");

    UTestResult z { .n = 26, .m = 26, .normal = true, .critical = 1.95996, .z = 3.33082, .zCorrected = 3.84538, .verdict = Verdict::Significant };
    const std::string zLines = "5:      Stichprobenumfänge n = 26 m = 26\n6:      Signifikanzschranke (Z-Tab.) = 1.9600\n"
                               "7:      Z-Wert (berechnet)           = 3.3308\n8:      Z-Wert (berechnet/Korrigiert)= ";
    expectLines([&](Report& l) { WriteUTest(z, l); },
        kUNote + zLines + "3.8454\n10:" + kSig + "Z-Wert größer/gleich als die Signifikanzschranke ist.\n");
    z.zCorrected.reset();
    z.verdict = Verdict::Random;
    expectLines([&](Report& l) { WriteUTest(z, l); }, kUNote + zLines + "\n10:" + kRnd + "Z-Wert kleiner als die Signifikanzschranke ist.\n");

    const std::string median = "5:          Median                 = 5.5\r\n          Werte n + m            = 9\n"
                               "6:          Freiheitsgrade         = 1\n7:          Signifikanzschranke    = 3.8414\n"
                               "8:          Chi²-Wert (berechnet)  = 0.5556\n10:";
    expectLines([&](Report& l) { WriteMedianTest({ 5.5, 2, 1, 4, 2, 10, 3.841443, 0.55556, Verdict::Random }, l); },
        median + kRnd + "Chi²-Wert kleiner als die Signifikanzschranke ist.\n");
    expectLines([&](Report& l) { WriteMedianTest({ 5.5, 2, 1, 4, 2, 10, 3.841443, 0.55556, Verdict::Significant }, l); },
        median + kSig + "Chi²-Wert größer/gleich als die Signifikanzschranke ist.\n");
}

TEST(TestReports, PairedValues)
{
    expectLines([](Report& l) { WritePairedTTest({ 4, 2.7764, 4.24264, Verdict::Significant }, l); },
        "5:      Freiheitsgrade         = 4\n6:      Signifikanzschranke    = 2.7764\n7:      t-Wert (berechnet)     = 4.2426\n"
        "10:" + kSig + "t-Wert größer/gleich als die Signifikanzschranke ist.\n");
    const std::string sign = "5:      Freiheitsgrade          = 1\n6:      Signifikanzschranke     = 3.8414\n"
                             "7:      Chi²-Wert (berechnet)   = 6.4000\n10:";
    expectLines([&](Report& l) { WriteSignTest({ 9, 1, 3.841443, 6.4, Verdict::Significant }, l); },
        sign + kSig + "Chi²-Wert gleich/größer als die Signifikanzschranke ist.\n");
    expectLines([&](Report& l) { WriteSignTest({ 9, 1, 3.841443, 6.4, Verdict::Random }, l); },
        sign + kRnd + "Chi²-Wert kleiner als die Signifikanzschranke ist.\n");

    WilcoxonResult w { .nPrime = 21, .R = 6.5, .critical = 8, .verdict = Verdict::Significant };
    const std::string table = "5:      Wertepaare Diff<>0     = 21\n6:      Signifikanzschranke    = 8.00\n7:      R-Wert (berechnet)     = 6.5\n10:";
    expectLines([&](Report& l) { WriteWilcoxon(w, l); }, table + kSig + "R-Wert gleich/kleiner als die Signifikanzschranke ist.\n");
    w.verdict = Verdict::Random;
    expectLines([&](Report& l) { WriteWilcoxon(w, l); }, table + kRnd + "R-Wert größer als die Signifikanzschranke ist.\n");
    w = { .nPrime = 30, .normal = true, .critical = 1.95996, .z = 1.59403, .zCorrected = 1.82574, .verdict = Verdict::Random };
    const std::string normal = "5:      Wertepaare Diff<>0             = 30\n6:      Signifikanzschranke(Z-Tab.)    = 1.9600\n"
                               "7:      Z-Wert (berechnet)             = 1.5940\n8:      Z-Wert (berechnet/Korrigiert)  = 1.8257\n10:";
    expectLines([&](Report& l) { WriteWilcoxon(w, l); }, normal + kRnd + "Z-Wert kleiner als die Signifikanzschranke ist.\n");
    w.verdict = Verdict::Significant;
    expectLines([&](Report& l) { WriteWilcoxon(w, l); }, normal + kSig + "Z-Wert gleich/größer als die Signifikanzschranke ist.\n");
}

// The figures name the limit the report holds the statistic against.
TEST(TestReports, FiguresBesideTheLines)
{
    UTestResult u { .U = 6, .Uo = 21, .zCorrected = {} };
    EXPECT_TRUE(FiguresOf(u).critical == 6.0 && FiguresOf(u).criticalUpper == 21.0);
    u.alternative = Alternative::Greater;
    EXPECT_TRUE(FiguresOf(u).critical == 21.0 && !FiguresOf(u).criticalUpper);
    u.alternative = Alternative::Less;
    EXPECT_TRUE(FiguresOf(u).critical == 6.0 && !FiguresOf(u).criticalUpper);
    u.normal = true;
    u.critical = 1.96;
    EXPECT_EQ(FiguresOf(u).critical, 1.96);
    EXPECT_EQ(FiguresOf(WeirResult { 2.5, Verdict::Significant }).critical, 2.0);
}

TEST(TestReports, Hypotheses)
{
    EXPECT_FALSE(HypothesisAt(-1));
    EXPECT_FALSE(HypothesisAt(3));
    EXPECT_STREQ(HypothesisAt(2)->HaWahl, "J3");
    EXPECT_STREQ(HypothesisOf("J2")->line2, "wurde die Alternativ-Hypothese Ha: µ1 < u2 ");
    EXPECT_FALSE(HypothesisOf("J4"));
    EXPECT_EQ(AlternativeOf("J3"), Alternative::Greater);
    EXPECT_FALSE(AlternativeOf(""));
}


constexpr double kInf = std::numeric_limits<double>::infinity();

Figure figure(Measure m, double value, std::optional<Interval> interval, Method method) { return { m, value, interval, method, {} }; }

std::string joined(const std::vector<std::string>& lines)
{
    std::string s;
    for (const auto& l : lines)
        s += l + "\n";
    return s;
}

TEST(SupplementLines, TwoSidedTTest)
{
    const Supplement s { .df = 24, .standardiser = Standardiser::Pooled, .figures = { figure(Measure::PValue, 0.0123456, std::nullopt, Method::StudentT),
        figure(Measure::MeanDifference, 4.16667, Interval { 2.40826, 5.92507 }, Method::StudentT),
        figure(Measure::CohensD, 1.92115, Interval { 0.96984, 2.84993 }, Method::NoncentralT) } };
    const std::string expected = "ZUSATZANGABEN (KI = 95%-Konfidenzintervall)\n"
                                 "p-Wert (zweiseitig)             = 0.0123\n"
                                 "   exakt, Student-t-Verteilung mit 24 Freiheitsgraden\n"
                                 "Differenz der Mittelwerte       = 4.1667\n"
                                 "   KI 2.4083 bis 5.9251 (Student-t-Verteilung)\n"
                                 "Cohens d                        = 1.9212\n"
                                 "   KI 0.9698 bis 2.8499 (nichtzentrale t-Verteilung)\n"
                                 "   Standardisierer: gemeinsame Standardabweichung\n";
    expectInBothSettings([&] { return joined(SupplementLines(s)); }, expected);
}

TEST(SupplementLines, OneSidedOpenEndsSmallPAndWordsForWhatIsLeftOut)
{
    Supplement s { .alternative = Alternative::Less, .alpha = 0.025, .df = 11.1772, .standardiser = Standardiser::MeanOfVariances, .figures = {} };
    const Figure lord { .value = {}, .interval = {}, .omitted = "für die Prüfgröße des LORD-Tests ist kein p-Wert gebräuchlich" };
    Figure shift = figure(Measure::Shift, 0.00005, std::nullopt, Method::OrderExact);
    shift.omitted = "Intervall bei so wenigen Werten für dieses Konfidenzniveau nicht erreichbar";
    s.figures = { figure(Measure::PValue, 5e-5, std::nullopt, Method::StudentT), lord,
        figure(Measure::MeanDifference, -0.0000123456, Interval { -kInf, -0.0000012 }, Method::StudentT),
        figure(Measure::CohensD, -1.19244, Interval { -kInf, -0.213 }, Method::NoncentralT), shift,
        figure(Measure::OddsRatio, kInf, Interval { 0, kInf }, Method::ConditionalExact),
        figure(Measure::RankBiserial, 0.00004, std::nullopt, Method::None) };
    expectInBothSettings([&] { return joined(SupplementLines(s)); },
        "ZUSATZANGABEN (KI = einseitiges 97.5%-Konfidenzintervall)\n"
        "p-Wert (einseitig, Ha: µ1 < µ2) = < 0.0001\n"
        "   exakt, Student-t-Verteilung mit 11.18 Freiheitsgraden\n"
        "p-Wert: für die Prüfgröße des LORD-Tests ist kein p-Wert gebräuchlich\n"
        "Differenz der Mittelwerte       = -0.00001235\n"
        "   KI -unendlich bis -0.00000120 (Student-t-Verteilung)\n"
        "Cohens d                        = -1.1924\n"
        "   KI -unendlich bis -0.2130 (nichtzentrale t-Verteilung)\n"
        "   Standardisierer: √((s1² + s2²)/2), df nach WELCH\n"
        "Verschiebung (Hodges-Lehmann)   = 0.00005000\n"
        "   Intervall bei so wenigen Werten für dieses Konfidenzniveau nicht erreichbar\n"
        "Odds Ratio (über dem Median)    = unendlich\n"
        "   KI 0.0000 bis unendlich (exakt; bedingte ML-Schätzung)\n"
        "Rangbiseriale Korrelation       = 0.0000\n"
        "   2 (R1/n - R2/m) / (n + m)\n");
}

TEST(SupplementLines, RankMethodsSayWhetherTheDataHeldTies)
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
