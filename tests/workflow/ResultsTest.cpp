// The main window's test choice and "Ergebnisse" without the window; the
// tests' numbers: ReferenceTest.
#include "ResultsFixture.h"

#include "stats/SupplementLines.h"
#include "ReadNumber.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <random>

namespace zx {
namespace {

using Texts = std::vector<std::string>;
const char* kTwoSided[] = { "wurde die Alternativ-Hypothese Ha: µ1 <> µ2 ", "gegen die Nullhypothese Ho: µ1 = µ2 untersucht." };

class Results : public test::ResultsTestBase {
protected:
    // Single values 1..n and 1.5..m+0.5, these as class midpoints, or n
    // non-zero pair differences and m zero ones.
    void sized(int datentyp, int n, int m)
    {
        std::vector<double> x, y, d;
        for (int i = 1; i <= n; ++i)
            x.push_back(i), d.push_back(i % 4 == 0 ? -i : i);
        for (int i = 1; i <= m; ++i)
            y.push_back(i + 0.5);
        d.resize(static_cast<std::size_t>(n + m), 0.0);
        datentyp == 4 ? differences(d) : single(x, y);
        if (datentyp == 2)
            test::SetClassGroups(*rec, 1, x, std::vector<int>(x.size(), 1)), test::SetClassGroups(*rec, 2, y, std::vector<int>(y.size(), 1));
    }
    // The t-test's worked example as summary values: n = 10, means 5 and 6, s = 1.
    void tTestExample(const char* haWahl) { summary(1, 5, 1, 10, 7, 3), summary(2, 6, 1, 10, 8, 4), choose(TestNames::TTestZwei, haWahl); }
};

// A click in a list: WEIR fixes its hypothesis, no test there chooses none,
// paired values have their heading; summary values keep what was entered.
TEST_F(Results, ChoosingATest)
{
    sized(2, 3, 2);
    rec->NormPruef = rec->VarPruef = "J";
    ASSERT_TRUE(StartTestChoice(*rec, *dialogs));
    EXPECT_EQ(ChooseTest(*rec, *dialogs, TestList::Grouped, 3), TestChosen::TwoSidedOnly);
    EXPECT_EQ(Texts(rec->ErgText.begin(), rec->ErgText.begin() + 3), (Texts { "                                           ERGEBNISSE",
                                                                         "Bei einer Irrtumswahrscheinlichkeit von 5% ", kTwoSided[0] }));
    EXPECT_EQ(rec->TestName + rec->HaWahl + rec->NormPruef + rec->VarPruef, "WEIR-TESTN  ");
    for (const auto& [list, index] : { std::pair { TestList::Grouped, 4 }, { TestList::Single, 6 }, { TestList::Paired, 3 }, { TestList::Paired, -1 } })
        EXPECT_EQ(ChooseTest(*rec, *dialogs, list, index), TestChosen::None);
    EXPECT_EQ(rec->TestName, "");
    rec->ErgText[0] = "alt";
    ChooseTest(*rec, *dialogs, TestList::Single, 0);
    EXPECT_EQ(rec->ErgText[0], "alt");
    ChooseTest(*rec, *dialogs, TestList::Paired, 0);
    EXPECT_EQ(rec->ErgText[0], "                  ERGEBNISSE              ");
    EXPECT_FALSE(ChooseHypothesis(*rec, 3));
    EXPECT_TRUE(ChooseHypothesis(*rec, 2));
    EXPECT_EQ(rec->HaWahl + " " + rec->ErgText[3], "J3 gegen die Nullhypothese Ho: µ1 < µ2 untersucht.");
    EXPECT_EQ(std::string(DataTypeLine(4)) + "|" + DataTypeLine(0), "Datentyp: Verbunden / Wertepaare|DATENTYP:");
    sized(1, 3, 3);
    summary(1, 24.93, 0.9, 25, 26.4, 23.5);
    ASSERT_TRUE(StartTestChoice(*rec, *dialogs));
    EXPECT_EQ(rec->Mittelwert[1], 24.93);
}

// Each accepted level after the answers the test refuses: with a message
// where its table has no such column, silently where no test could use it.
TEST_F(Results, LevelQuestion)
{
    struct Case { const char* test; int datentyp, n, m; const char* ha; std::string prompt; Texts refused; std::string refusal; Texts accepted; };
    const std::string q = "Irrtumswahrscheinlichkeit ", t = q + "aus der Student-Verteilung\r\r(z.B. 1, 5, 10%)", z = q + "für den z-Test.\r\r(z.B. 0.5, 1 oder 5%)";
    const std::string lord = q + "für den Lord-Test.\r\r(Nur 1% oder 5%)", u = q + "für den U-Test.\r\r", w = q + "für den Wilcoxon-Test.\r\r(Nur ";
    const std::string only = "Bitte wählen Sie nur zwischen ", uOne = only + "0.5%, 2.5% und 5%", wTwo = only + "1%, 2%, 5% und 10%";
    const Case cases[] = {
        { TestNames::TTestZwei, 1, 5, 5, "N", t, { "abc", "-5", "0", "50.5", "1e400", "1e-60" }, "", { "50", "0.1", "2,5" } },
        { TestNames::Lord, 1, 5, 5, "N", lord, { "10", "2.5" }, only + "1% und 5%", { "1", "5" } },
        { TestNames::Lord, 2, 5, 5, "J3", lord, { "2" }, only + "1% und 5%", { "1", "5" } },
        { TestNames::UTest, 1, 3, 5, "N", u + "(Nur 1, 5 oder 10)", { "2.5", "0.5" }, only + "1%, 5% und 10%", { "1", "5", "10" } },
        { TestNames::UTest, 1, 3, 5, "J2", u + "(Nur 0.5, 2.5 oder 5)", { "1", "10" }, uOne, { "0.5", "2.5", "5" } },
        // The table up to 25 values in each sample, the z-test beyond.
        { TestNames::UTest, 1, 25, 25, "J3", u + "(Nur 0.5, 2.5 oder 5)", { "1" }, uOne, { "2.5" } },
        { TestNames::UTest, 1, 25, 26, "N", z, {}, "", { "3.7" } }, { TestNames::UTest, 1, 26, 25, "J3", z, {}, "", { "3.7" } },
        // WILCOXON: the table below 30 non-zero differences, zeros not counted.
        { TestNames::Wilcoxon, 4, 29, 0, "N", w + "1, 2, 5 oder 10%)", { "2.5" }, wTwo, { "1", "2", "5", "10" } },
        { TestNames::Wilcoxon, 4, 28, 12, "N", w + "1, 2, 5 oder 10%)", { "3" }, wTwo, { "1" } },
        { TestNames::Wilcoxon, 4, 6, 0, "J3", w + "0.5, 1, 2.5 oder 5%)", { "2", "10" }, only + "0.5%, 1%, 2.5% und 5%", { "0.5", "1", "2.5", "5" } },
        { TestNames::Wilcoxon, 4, 30, 0, "J2", z, {}, "", { "3" } }, { TestNames::Vorzeichen, 4, 6, 0, "N", t, {}, "", { "2" } },
        { TestNames::Median, 1, 5, 5, "N", q + "aus der Chi²-Tab.\r\r(z.B. 1, 5, 10%)", {}, "", { "5" } },
    };
    for (const Case& c : cases) {
        for (std::string level : c.accepted) {
            SCOPED_TRACE(std::string(c.test) + " " + c.ha + " " + std::to_string(c.n) + " " + std::to_string(c.m) + " " + level);
            SetUp();
            const auto comma = level.find(','); // the line shows the regional separator
            SetDecimalSeparator(comma == std::string::npos ? '.' : ',');
            sized(c.datentyp, c.n, c.m);
            choose(c.test, c.ha);
            dialogs->clear(); // the U-test's exchange of the samples
            for (const auto& a : c.refused)
                dialogs->input(a);
            dialogs->input(level);
            EXPECT_EQ(run(), ResultsOutcome::Shown);
            EXPECT_EQ(prompts(), Texts(c.refused.size() + 1, c.prompt));
            EXPECT_EQ(messages("Fehler"), c.refusal.empty() ? Texts {} : Texts(c.refused.size(), c.refusal));
            EXPECT_EQ(rec->ErgText[1], "Bei einer Irrtumswahrscheinlichkeit von " + level + "% ");
            if (comma != std::string::npos)
                level[comma] = '.';
            EXPECT_EQ(rec->IrrtumTest, static_cast<float>(test::ReadNumber(level)));
            // The results window unloaded before the question, parameters and plots disabled after each answer.
            Texts expected { "unload" };
            EXPECT_EQ(calls, (expected.resize(c.refused.size() + 2, "disable"), expected));
        }
    }
}

// A rejected normality refuses every parametric test, unequal variances those
// that assume equal ones; the tests the advice recommends run.
TEST_F(Results, FailedCheck)
{
    struct Case { const char* failed; const char* test; int datentyp; bool refused; };
    const Case cases[] = {
        { "norm", TestNames::Lord, 1, true }, { "norm", TestNames::Weir, 1, true }, { "norm", TestNames::TTestPaare, 4, true },
        { "norm", TestNames::UTest, 1, false }, { "norm", TestNames::Median, 1, false }, { "norm", TestNames::Wilcoxon, 4, false },
        { "var", TestNames::TTestZwei, 1, true }, { "var", TestNames::Lord, 1, true }, { "var", TestNames::TTestPaare, 4, true },
        { "var", TestNames::Welch, 1, false }, { "var", TestNames::Weir, 1, false }, { "var", TestNames::Wilcoxon, 4, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.failed) + " " + c.test);
        SetUp();
        sized(c.datentyp, 6, c.datentyp == 4 ? 0 : 7);
        choose(c.test, "N");
        (std::string(c.failed) == "norm" ? rec->NormPruef : rec->VarPruef) = "N";
        rec->ErgText[0] = "old report";
        if (!c.refused && std::string(c.test) != TestNames::Weir)
            dialogs->input("5");
        EXPECT_EQ(run(), c.refused ? ResultsOutcome::Refused : ResultsOutcome::Shown);
        if (c.refused) {
            EXPECT_EQ(messages("Bitte bestätigen Sie"), Texts { "WÄHLEN SIE EINEN DER EMPFOHLENEN TESTS" });
            EXPECT_EQ(dialogs->shown().size(), 1u);
            EXPECT_EQ(rec->NormPruef + rec->VarPruef + rec->ErgText[0], "  old report");
            EXPECT_EQ(calls, Texts { "results off" });
        }
    }
}

// The worked example's report at 5 % ("Abbrechen"), German numbers (ReferenceTest
// prints with "."), over an old one: lines 0 to 15 are the command's.
TEST_F(Results, Report)
{
    SetDecimalSeparator(',');
    tTestExample("N");
    rec->ErgText.fill("old");
    dialogs->input(std::nullopt);
    EXPECT_EQ(run(), ResultsOutcome::Shown);
    const Texts expected = { "                  ERGEBNISSE              ", "Bei einer Irrtumswahrscheinlichkeit von 5% ", kTwoSided[0], kTwoSided[1], "",
        "      Freiheitsgrade              = 18", "      Signifikanzschranke (t-Tab) = 2,1009", "      t-Wert (berechnet)          = 2,2361", "", "",
        "Die beobachteten Unterschiede sind als signifikant anzusehen, da der t-Wert größer/gleich als die Signifikanzschranke ist.",
        "", "", "", "", "", "old" };
    EXPECT_EQ(Texts(rec->ErgText.begin(), rec->ErgText.begin() + 17), expected);
}

// The additions and figures follow the level and hypothesis of the run;
// rank methods without single values say why they have none.
TEST_F(Results, AdditionsFollowTheRun)
{
    tTestExample("J2");
    dialogs->input("1");
    EXPECT_EQ(run(), ResultsOutcome::Shown);
    EXPECT_EQ(rec->ErgText[2], "wurde die Alternativ-Hypothese Ha: µ1 < u2 ");
    ASSERT_TRUE(rec->Zusatzangaben && rec->Pruefgroessen);
    EXPECT_EQ(rec->Zusatzangaben->alternative, Alternative::Less);
    EXPECT_EQ(rec->Zusatzangaben->alpha, 0.01);
    EXPECT_EQ(rec->Zusatzangaben->df, 18);
    EXPECT_NEAR(*rec->Pruefgroessen->critical, 2.552380, 5e-4); // SciPy: t.ppf(0.99, 18)
    for (const char* test : { TestNames::UTest, TestNames::Median }) {
        SetUp();
        sized(2, 3, 3);
        choose(TestNames::TTestZwei, "N");
        rec->TestName = test;
        dialogs->input("5");
        EXPECT_EQ(run(), ResultsOutcome::Shown);
        EXPECT_EQ(rec->Zusatzangaben->figures.at(0).omitted, "Rangverfahren sind aus Klassengruppen oder Kennwerten nicht berechenbar");
    }
    // WEIR: two-sided at 5 % without a question, whatever was chosen before.
    SetUp();
    single({ 1, 3, 1, 3 }, { 3, 5, 3, 5 });
    choose(TestNames::Weir, "N");
    rec->HaWahl = "J2";
    rec->ErgText[2] = "old";
    EXPECT_EQ(run(), ResultsOutcome::Shown);
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(calls, Texts { "results on" });
    EXPECT_EQ(Texts(rec->ErgText.begin() + 1, rec->ErgText.begin() + 4), (Texts { "Bei einer Irrtumswahrscheinlichkeit von 5% ", kTwoSided[0], kTwoSided[1] }));
    EXPECT_EQ(rec->HaWahl + " " + rec->Pruefgroessen->verdict, "N signifikant");
    EXPECT_EQ(rec->Zusatzangaben->alternative, Alternative::TwoSided);
    EXPECT_EQ(rec->Zusatzangaben->alpha, 0.05);
    EXPECT_FALSE(rec->Zusatzangaben->figures.at(0).value);
}

// Data a test refuses, and a missing hypothesis: a "Fehler" box, line 0
// TESTNICHTMÖGLICH, nothing of an earlier run left. Other tests: no report.
TEST_F(Results, NotPossible)
{
    struct Case { const char* test; const char* ha; const char* says; };
    const Case cases[] = {
        { TestNames::TTestZwei, "N", "t-Test für Zweistichproben nicht möglich: die Varianz beider Stichproben ist 0" },
        { TestNames::Weir, "N", "WEIR-Test nicht möglich: die Varianz beider Stichproben ist 0" },
        { TestNames::TTestZwei, "", "t-Test für Zweistichproben nicht möglich: keine Alternativ-Hypothese gewählt." },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.says);
        SetUp();
        *c.ha ? single({ 5, 5, 5 }, { 7, 7, 7, 7 }) : single({ 1, 2, 4 }, { 2, 3, 5, 9 });
        choose(c.test, "N");
        rec->HaWahl = c.ha;
        rec->Zusatzangaben = Supplement {}, rec->Pruefgroessen = TestFigures {}, rec->ErgText.fill("old");
        if (std::string(c.test) != TestNames::Weir)
            dialogs->input("5");
        EXPECT_EQ(run(), ResultsOutcome::NotPossible);
        ASSERT_EQ(messages("Fehler").size(), 1u);
        EXPECT_EQ(messages("Fehler")[0].rfind(c.says, 0), 0u) << messages("Fehler")[0];
        EXPECT_EQ(rec->Meldung, messages("Fehler")[0]);
        EXPECT_EQ(rec->ErgText[0], "TESTNICHTMÖGLICH");
        EXPECT_EQ(Texts(rec->ErgText.begin() + 4, rec->ErgText.begin() + 16), Texts(12, ""));
        EXPECT_FALSE(rec->Zusatzangaben || rec->Pruefgroessen);
    }
    for (const char* name : { "", TestNames::FVarianz, TestNames::TVarianz }) {
        SetUp();
        tTestExample("J3");
        rec->TestName = name;
        rec->ErgText[0] = "alt";
        EXPECT_EQ(run(), ResultsOutcome::NoTest) << name;
        EXPECT_TRUE(dialogs->shown().empty() && calls.empty() && rec->ErgText[0] == "alt");
    }
}

// Random, constant, tied, tiny and huge samples through every test and
// alternative: a verdict, or a "Fehler" box; never NaN or infinity in a line.
TEST_F(Results, NoDataEverPrintsNaNOrInfinity)
{
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> unit(-1, 1);
    const double scales[] = { 1, 0, 1e-300, 1.7e308, 1e300, 1 };
    std::map<ResultsOutcome, int> outcomes;
    for (int round = 0; round < 50; ++round) {
        auto sample = [&](int kind, int size) {
            std::vector<double> v;
            for (int i = 0; i < size; ++i)
                v.push_back(kind == 1 ? 4 : kind == 5 ? std::round(unit(random)) : (kind == 0 ? 10 : 0) + unit(random) * scales[kind]);
            return v;
        };
        const int n = 3 + round % 11, m = n + round % 30;
        const auto x = sample(round % 6, n), y = sample(round / 6 % 6, m);
        for (const std::string name : { TestNames::TTestZwei, TestNames::Welch, TestNames::Lord, TestNames::Weir, TestNames::UTest,
                 TestNames::Median, TestNames::TTestPaare, TestNames::Vorzeichen, TestNames::Wilcoxon }) {
            for (const char* ha : { "N", "J2", "J3" }) {
                SCOPED_TRACE(name + " " + ha + " round " + std::to_string(round));
                SetUp();
                SetDecimalSeparator(round % 2 ? ',' : '.');
                const bool paired = name == TestNames::TTestPaare || name == TestNames::Vorzeichen || name == TestNames::Wilcoxon;
                paired ? test::SetPairs(*rec, x, std::vector<double>(y.begin(), y.begin() + n)) : single(x, y);
                rec->TestName = name, rec->HaWahl = ha;
                if (name != TestNames::Weir)
                    dialogs->input("5");
                const auto outcome = StartTestChoice(*rec, *dialogs) ? run() : ResultsOutcome::NoTest;
                ++outcomes[outcome];
                EXPECT_EQ(messages("Fehler").size(), outcome == ResultsOutcome::Shown ? 0u : 1u);
                EXPECT_EQ(rec->ErgText[10].empty() || !rec->Zusatzangaben, outcome != ResultsOutcome::Shown); // verdict, additions
                const Texts more = rec->Zusatzangaben ? SupplementLines(*rec->Zusatzangaben) : Texts {};
                auto join = [](std::string a, const std::string& line) { return a + line + "\n"; };
                std::string all = std::accumulate(more.begin(), more.end(), std::accumulate(rec->ErgText.begin(), rec->ErgText.begin() + 16, std::string(), join), join);
                std::transform(all.begin(), all.end(), all.begin(), [](unsigned char ch) { return std::tolower(ch); });
                EXPECT_TRUE(all.find("nan") == std::string::npos && all.find("inf") == std::string::npos) << all;
            }
        }
    }
    // Reports, refusals by the tests, and the guard's stops at the test choice.
    EXPECT_TRUE(outcomes[ResultsOutcome::Shown] > 300 && outcomes[ResultsOutcome::NotPossible] > 50 && outcomes[ResultsOutcome::NoTest] > 100);
}

} // namespace
} // namespace zx
