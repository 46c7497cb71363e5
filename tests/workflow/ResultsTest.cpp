// The "Ergebnisse" command on records filled the way data input and the
// test choice fill them: the refusal after a failed check, the level
// question with every prompt and refusal, the report frame, the WEIR test's
// fixed level, and refusals of degenerate data ending in TESTNICHTMÖGLICH.
#include "ResultsFixture.h"

#include "core/TestNames.h"
#include "stats/Distributions.h"
#include "stats/ReportLines.h"
#include "stats/SupplementLines.h"

#include <cmath>
#include <functional>
#include <random>

namespace zx {
namespace {

using test::FakeResultsView;
using test::ListsFor;

constexpr const char* kStudentPrompt = "Irrtumswahrscheinlichkeit aus der Student-Verteilung\r\r(z.B. 1, 5, 10%)";
constexpr const char* kLordPrompt = "Irrtumswahrscheinlichkeit für den Lord-Test.\r\r(Nur 1% oder 5%)";
constexpr const char* kUTwoSidedPrompt = "Irrtumswahrscheinlichkeit für den U-Test.\r\r(Nur 1, 5 oder 10)";
constexpr const char* kUOneSidedPrompt = "Irrtumswahrscheinlichkeit für den U-Test.\r\r(Nur 0.5, 2.5 oder 5)";
constexpr const char* kZPrompt = "Irrtumswahrscheinlichkeit für den z-Test.\r\r(z.B. 0.5, 1 oder 5%)";
constexpr const char* kWilcoxonTwoSidedPrompt = "Irrtumswahrscheinlichkeit für den Wilcoxon-Test.\r\r(Nur 1, 2, 5 oder 10%)";
constexpr const char* kWilcoxonOneSidedPrompt = "Irrtumswahrscheinlichkeit für den Wilcoxon-Test.\r\r(Nur 0.5, 1, 2.5 oder 5%)";
constexpr const char* kMedianPrompt = "Irrtumswahrscheinlichkeit aus der Chi²-Tab.\r\r(z.B. 1, 5, 10%)";

constexpr const char* kHeadingLine = "                  ERGEBNISSE              ";
constexpr const char* kTwoSided2 = "wurde die Alternativ-Hypothese Ha: µ1 <> µ2 ";
constexpr const char* kTwoSided3 = "gegen die Nullhypothese Ho: µ1 = µ2 untersucht.";

class Results : public test::ResultsTestBase {
protected:
    // The t-test's worked example as summary values: n = 10, means 5 and 6,
    // standard deviations 1.
    void tTestExample(const std::string& haWahl)
    {
        data().summary(1, 5, 1, 10, 7, 3).summary(2, 6, 1, 10, 8, 4).choose(TestNames::TTestZwei, haWahl);
    }

    // Paired values given by their differences.
    void wilcoxon(const std::vector<double>& d, const std::string& haWahl)
    {
        data().differences(d).choose(TestNames::Wilcoxon, haWahl);
    }

    std::vector<std::string> reportLines(int from, int to) const
    {
        return std::vector<std::string>(rec->ErgText.begin() + from, rec->ErgText.begin() + to + 1);
    }
};

TEST_F(Results, FailedCheckRefusesAndClearsTheChecks)
{
    for (const char* failed : { "norm", "var" }) {
        SetUp();
        tTestExample("N");
        (std::string(failed) == "norm" ? rec->NormPruef : rec->VarPruef) = "N";
        rec->ErgText[0] = "old report";
        view.calls.clear();
        EXPECT_EQ(run(), ResultsOutcome::Refused);
        EXPECT_EQ(messages("Bitte bestätigen Sie"), std::vector<std::string> { "WÄHLEN SIE EINEN DER EMPFOHLENEN TESTS" });
        EXPECT_EQ(dialogs->shown().size(), 1u);
        EXPECT_EQ(rec->NormPruef, " ");
        EXPECT_EQ(rec->VarPruef, " ");
        EXPECT_EQ(rec->ErgText[0], "old report");
        EXPECT_EQ(view.calls, std::vector<std::string> { "results off" });
    }
}

TEST_F(Results, TTestReportInBothDecimalSettings)
{
    for (char separator : { '.', ',' }) {
        SetUp();
        SetDecimalSeparator(separator);
        tTestExample("N");
        dialogs->input("5");
        EXPECT_EQ(run(), ResultsOutcome::Shown);
        EXPECT_EQ(prompts(), std::vector<std::string> { kStudentPrompt });
        EXPECT_EQ(rec->Meldung, kStudentPrompt);
        EXPECT_EQ(rec->IrrtumTest, 5.0f);
        const std::string sep(1, separator);
        const std::vector<std::string> expected = {
            kHeadingLine,
            "Bei einer Irrtumswahrscheinlichkeit von 5% ",
            kTwoSided2,
            kTwoSided3,
            "",
            "      Freiheitsgrade              = 18",
            "      Signifikanzschranke (t-Tab) = 2" + sep + "1009",
            "      t-Wert (berechnet)          = 2" + sep + "2361",
            "",
            "",
            "Die beobachteten Unterschiede sind als signifikant anzusehen, da der t-Wert größer/gleich als die Signifikanzschranke ist.",
        };
        EXPECT_EQ(reportLines(0, 10), expected);
        // The results window is unloaded before the question, the parameter
        // and plot buttons disabled after the answer.
        EXPECT_EQ(view.calls, (std::vector<std::string> { "unload", "disable" }));
    }
}

TEST_F(Results, LevelAnswers)
{
    struct Case {
        std::vector<std::optional<std::string>> answers;
        float level;
        const char* line1;
    };
    const Case cases[] = {
        { { "5%" }, 5, "Bei einer Irrtumswahrscheinlichkeit von 5% " },
        { { "5" }, 5, "Bei einer Irrtumswahrscheinlichkeit von 5% " },
        { { std::nullopt }, 5, "Bei einer Irrtumswahrscheinlichkeit von 5% " }, // "Abbrechen"
        { { "" }, 5, "Bei einer Irrtumswahrscheinlichkeit von 5% " },
        { { "abc", "1" }, 1, "Bei einer Irrtumswahrscheinlichkeit von 1% " },
        { { "0", "0%", "%", "10" }, 10, "Bei einer Irrtumswahrscheinlichkeit von 10% " },
        // Impossible levels are asked again without a message.
        { { "-5", "60", "150", "50.5", "1e400", "1e-60", "50" }, 50, "Bei einer Irrtumswahrscheinlichkeit von 50% " },
        { { "2.5" }, 2.5f, "Bei einer Irrtumswahrscheinlichkeit von 2.5% " },
        { { "2,5%" }, 2.5f, "Bei einer Irrtumswahrscheinlichkeit von 2.5% " },
        { { " 0.1" }, 0.1f, "Bei einer Irrtumswahrscheinlichkeit von 0.1% " },
    };
    for (const auto& c : cases) {
        SetUp();
        tTestExample("N");
        for (const auto& a : c.answers)
            dialogs->input(a);
        EXPECT_EQ(run(), ResultsOutcome::Shown);
        SCOPED_TRACE(c.line1);
        EXPECT_EQ(prompts(), std::vector<std::string>(c.answers.size(), kStudentPrompt));
        EXPECT_TRUE(dialogs->shown(test::ScriptedDialogs::Kind::Message).empty());
        EXPECT_EQ(rec->IrrtumTest, c.level);
        EXPECT_EQ(rec->ErgText[1], c.line1);
        EXPECT_EQ(dialogs->pendingAnswers(), 0u);
        EXPECT_EQ(view.count("disable"), static_cast<int>(c.answers.size()));
        EXPECT_EQ(view.count("unload"), 1);
    }
    // The level in the regional form.
    SetUp();
    SetDecimalSeparator(',');
    tTestExample("N");
    dialogs->input("2,5");
    run();
    EXPECT_EQ(rec->ErgText[1], "Bei einer Irrtumswahrscheinlichkeit von 2,5% ");
}

TEST_F(Results, OneSidedTTestTakesTheDirection)
{
    tTestExample("J3");
    dialogs->input("5");
    EXPECT_EQ(run(), ResultsOutcome::Shown);
    EXPECT_EQ(rec->ErgText[2], "wurde die Alternativ-Hypothese Ha: µ1 > µ2 ");
    EXPECT_EQ(rec->ErgText[3], "gegen die Nullhypothese Ho: µ1 < µ2 untersucht.");
    EXPECT_EQ(rec->ErgText[7], "      t-Wert (berechnet)          = 2.2361");
    EXPECT_EQ(rec->ErgText[10],
        "Die beobachteten Unterschiede sind als zufällig anzusehen, da sie nicht in der Richtung der Alternativ-Hypothese liegen.");

    SetUp();
    tTestExample("J2");
    dialogs->input("5");
    run();
    EXPECT_EQ(rec->ErgText[2], "wurde die Alternativ-Hypothese Ha: µ1 < u2 ");
    EXPECT_EQ(rec->ErgText[6].substr(0, 38), "      Signifikanzschranke (t-Tab) = 1.");
    EXPECT_EQ(rec->ErgText[10],
        "Die beobachteten Unterschiede sind als signifikant anzusehen, da der t-Wert größer/gleich als die Signifikanzschranke ist.");
}

TEST_F(Results, LordLevelsAreOneOrFive)
{
    // Single values (List1) and class groups (List2) alike.
    for (int datentyp : { 1, 2 }) {
        SetUp();
        if (datentyp == 1)
            data().singleValues({ 1, 2, 3, 4, 5 }, { 4, 5, 6, 7, 8 });
        else
            data().classGroups({ 1, 2, 3, 4, 5 }, { 1, 1, 1, 1, 1 }, { 4, 5, 6, 7, 8 }, { 1, 1, 1, 1, 1 });
        test::RecordBuilder(*rec).choose(TestNames::Lord, "N");
        dialogs->input("10").input("2.5").input("1%");
        EXPECT_EQ(run(), ResultsOutcome::Shown);
        EXPECT_EQ(prompts(), std::vector<std::string>(3, kLordPrompt));
        EXPECT_EQ(messages("Fehler"), std::vector<std::string>(2, "Bitte wählen Sie nur zwischen 1% und 5%"));
        EXPECT_EQ(rec->IrrtumTest, 1.0f);
        // n = 5, 1 %, two-sided: 0.896. Single values: ranges 4 and 4, u = 3 / 4.
        // Class groups of width 1: ranges 5 and 5, u = 3 / 5.
        EXPECT_EQ(rec->ErgText[5], "      Freiheitsgrade (n)        = 5");
        EXPECT_EQ(rec->ErgText[6], "      Signifikanzschranke       = 0.8960");
        EXPECT_EQ(rec->ErgText[7], datentyp == 1 ? "      t-Wert (berechnet)        = 0.7500" : "      t-Wert (berechnet)        = 0.6000");
        EXPECT_EQ(rec->ErgText[10],
            "Die beobachteten Unterschiede sind als zufällig anzusehen, da der t-Wert kleiner als die Signifikanzschranke ist.");
    }
}

TEST_F(Results, LordRefusesTwentyOneValues)
{
    std::vector<double> x, y;
    for (int i = 1; i <= 21; ++i)
        x.push_back(i);
    for (int i = 1; i <= 10; ++i)
        y.push_back(i + 0.5);
    data().singleValues(x, y).choose(TestNames::Lord, "N");
    dialogs->input("5");
    EXPECT_EQ(run(), ResultsOutcome::NotPossible);
    EXPECT_EQ(messages("Fehler"),
        std::vector<std::string> { "LORD-Test nur bis n = 20: LORD-Test nicht möglich\r\nWÄHLEN SIE BITTE EINEN ANDEREN TEST" });
    EXPECT_EQ(rec->ErgText[0], "TESTNICHTMÖGLICH");
}

TEST_F(Results, UTestLevels)
{
    const std::vector<double> x { 1, 2, 3 }, y { 4, 5, 6, 7, 8 };

    data().singleValues(x, y).choose(TestNames::UTest, "N");
    dialogs->input("2.5").input("0.5").input("10");
    EXPECT_EQ(run(), ResultsOutcome::Shown);
    EXPECT_EQ(prompts(), std::vector<std::string>(3, kUTwoSidedPrompt));
    EXPECT_EQ(messages("Fehler"), std::vector<std::string>(2, "Bitte wählen Sie nur zwischen 1%, 5% und 10%"));
    EXPECT_EQ(rec->ErgText[6], "      Signifikanzschranke U  = 7   Uo = 20"); // T10: n = 3, m = 5

    SetUp();
    data().singleValues(x, y).choose(TestNames::UTest, "J2");
    dialogs->input("1").input("10").input("0.5");
    EXPECT_EQ(run(), ResultsOutcome::Shown);
    EXPECT_EQ(prompts(), std::vector<std::string>(3, kUOneSidedPrompt));
    EXPECT_EQ(messages("Fehler"), std::vector<std::string>(2, "Bitte wählen Sie nur zwischen 0.5%, 2.5% und 5%"));
    EXPECT_EQ(rec->ErgText[6], "      Signifikanzschranke    = 0"); // T1 has no value for n = 3, m = 5
    EXPECT_EQ(rec->ErgText[4],
        "Wenn n > 25 oder m > 25 ist, dann wird z berechnet. Beim Auftreten von Bindungen wird nach WALTER (1951) korrigiert.");
}

TEST_F(Results, UTestAboveTwentyFiveAsksForTheZTest)
{
    std::vector<double> x, y;
    for (int i = 1; i <= 30; ++i) {
        x.push_back(i);
        y.push_back(i + 0.5);
    }
    for (const char* ha : { "N", "J3" }) {
        SetUp();
        data().singleValues(x, y).choose(TestNames::UTest, ha);
        dialogs->input("3.7");
        EXPECT_EQ(run(), ResultsOutcome::Shown);
        EXPECT_EQ(prompts(), std::vector<std::string> { kZPrompt });
        EXPECT_TRUE(messages("Fehler").empty());
        EXPECT_EQ(rec->ErgText[1], "Bei einer Irrtumswahrscheinlichkeit von 3.7% ");
        EXPECT_EQ(rec->ErgText[5], "      Stichprobenumfänge n = 30 m = 30");
    }
}

TEST_F(Results, WilcoxonLevelsByTheNonZeroDifferences)
{
    // 25 differences, all non-zero: the table's levels, one question.
    std::vector<double> d;
    for (int i = 1; i <= 25; ++i)
        d.push_back(i % 4 == 0 ? -i : i);
    wilcoxon(d, "N");
    dialogs->input("2.5").input("2");
    EXPECT_EQ(run(), ResultsOutcome::Shown);
    EXPECT_EQ(prompts(), std::vector<std::string>(2, kWilcoxonTwoSidedPrompt));
    EXPECT_EQ(messages("Fehler"), std::vector<std::string> { "Bitte wählen Sie nur zwischen 1%, 2%, 5% und 10%" });
    EXPECT_EQ(rec->ErgText[5], "      Wertepaare Diff<>0     = 25");
    EXPECT_EQ(rec->ErgText[6], "      Signifikanzschranke    = 77.00");

    SetUp();
    wilcoxon(d, "J3");
    dialogs->input("2").input("10").input("2.5");
    EXPECT_EQ(run(), ResultsOutcome::Shown);
    EXPECT_EQ(prompts(), std::vector<std::string>(3, kWilcoxonOneSidedPrompt));
    EXPECT_EQ(messages("Fehler"), std::vector<std::string>(2, "Bitte wählen Sie nur zwischen 0.5%, 1%, 2.5% und 5%"));
    EXPECT_EQ(rec->ErgText[6], "      Signifikanzschranke    = 89.00");

    // 40 pairs of which 12 are equal: n' = 28 reads the table, so its levels
    // are asked for, not the z-test's.
    SetUp();
    std::vector<double> withZeros(d);
    withZeros.insert(withZeros.end(), { 26, -27, 28 });
    withZeros.insert(withZeros.end(), 12, 0.0);
    ASSERT_EQ(withZeros.size(), 40u);
    wilcoxon(withZeros, "N");
    dialogs->input("3").input("1");
    EXPECT_EQ(run(), ResultsOutcome::Shown);
    EXPECT_EQ(prompts(), std::vector<std::string>(2, kWilcoxonTwoSidedPrompt));
    EXPECT_EQ(rec->ErgText[5], "      Wertepaare Diff<>0     = 28");
    EXPECT_EQ(rec->ErgText[6], "      Signifikanzschranke    = 91.00");

    // 30 non-zero differences: the z-test, any level.
    SetUp();
    std::vector<double> thirty(d);
    thirty.insert(thirty.end(), { 26, -27, 28, 29, -30 });
    wilcoxon(thirty, "J2");
    dialogs->input("3");
    EXPECT_EQ(run(), ResultsOutcome::Shown);
    EXPECT_EQ(prompts(), std::vector<std::string> { kZPrompt });
    EXPECT_EQ(rec->ErgText[5], "      Wertepaare Diff<>0             = 30");
    EXPECT_EQ(rec->ErgText[6], "      Signifikanzschranke(Z-Tab.)    = " + Format(*NormalZ(DistMode::Quantile, 0.015), "0.0000"));
}

TEST_F(Results, WilcoxonWithTooFewNonZeroDifferences)
{
    wilcoxon({ 1, -2, 3, 0, 0, 0, 0, 0 }, "N");
    dialogs->input("5");
    EXPECT_EQ(run(), ResultsOutcome::NotPossible);
    EXPECT_EQ(prompts(), std::vector<std::string> { kWilcoxonTwoSidedPrompt });
    EXPECT_EQ(messages("Fehler"), std::vector<std::string> { "WILCOXON-Test nicht möglich: weniger als 6 Paardifferenzen ungleich 0." });
    EXPECT_EQ(rec->ErgText[0], "TESTNICHTMÖGLICH");
}

TEST_F(Results, MedianAndSignTestPrompts)
{
    data().singleValues({ 1, 2, 3, 4, 5 }, { 6, 7, 8, 9, 10 }).choose(TestNames::Median, "N");
    dialogs->input("5");
    EXPECT_EQ(run(), ResultsOutcome::Shown);
    EXPECT_EQ(prompts(), std::vector<std::string> { kMedianPrompt });
    EXPECT_EQ(rec->ErgText[8], "          Chi²-Wert (berechnet)  = 9.0000");

    SetUp();
    data().differences({ 1, 2, 0.5, 3, 4, 2, 7, 1, -1, -2, 0 }).choose(TestNames::Vorzeichen, "N");
    dialogs->input("5");
    EXPECT_EQ(run(), ResultsOutcome::Shown);
    EXPECT_EQ(prompts(), std::vector<std::string> { kStudentPrompt });
    EXPECT_EQ(rec->ErgText[7], "      Chi²-Wert (berechnet)   = 3.6000");
}

// WEIR runs two-sided at 5 % without a question, whatever was chosen.
TEST_F(Results, WeirTakesFiveSidedTwo)
{
    for (char separator : { '.', ',' }) {
        SetUp();
        SetDecimalSeparator(separator);
        data().singleValues({ 1, 3, 1, 3 }, { 3, 5, 3, 5 }).choose(TestNames::Weir, "J2");
        rec->IrrtumTest = 1;
        EXPECT_EQ(run(), ResultsOutcome::Shown);
        EXPECT_TRUE(dialogs->shown().empty());
        EXPECT_EQ(rec->HaWahl, "N");
        EXPECT_EQ(view.calls, std::vector<std::string> { "results on" });
        const std::vector<std::string> expected = {
            kHeadingLine,
            "Bei einer Irrtumswahrscheinlichkeit von 5% ",
            kTwoSided2,
            kTwoSided3,
            "",
            "  ",
            "      Signifikanzschranke  = 2",
            std::string("      t-Wert (berechnet)   = 2") + separator + "0000",
            "",
            "",
            "Die beobachteten Unterschiede sind als signifikant anzusehen, da der t-Wert größer/gleich als 2 ist.",
        };
        EXPECT_EQ(reportLines(0, 10), expected);
        ASSERT_TRUE(rec->Zusatzangaben);
        EXPECT_EQ(rec->Zusatzangaben->alternative, Alternative::TwoSided);
        EXPECT_EQ(rec->Zusatzangaben->alpha, 0.05);
        EXPECT_FALSE(rec->Zusatzangaben->figures.at(0).value);
    }
}

// The additions use the level and hypothesis of the run, and rank methods
// ask for single values.
TEST_F(Results, AdditionsFollowTheRun)
{
    tTestExample("J3");
    dialogs->input("2.5");
    EXPECT_EQ(run(), ResultsOutcome::Shown);
    ASSERT_TRUE(rec->Zusatzangaben);
    EXPECT_EQ(rec->Zusatzangaben->alternative, Alternative::Greater);
    EXPECT_EQ(rec->Zusatzangaben->alpha, 0.025);
    EXPECT_EQ(rec->Zusatzangaben->df, 18);

    SetUp();
    data().classGroups({ 1, 2, 3 }, { 2, 3, 1 }, { 2, 3, 4 }, { 1, 2, 3 }).choose(TestNames::UTest, "N");
    dialogs->input("5");
    EXPECT_EQ(run(), ResultsOutcome::Shown);
    ASSERT_TRUE(rec->Zusatzangaben);
    EXPECT_EQ(rec->Zusatzangaben->figures.at(0).omitted, "Rangverfahren sind aus Klassengruppen oder Kennwerten nicht berechenbar");
}

// Only the nine tests give a report: a variance test's name, or none, leaves
// everything as it was.
TEST_F(Results, NoReportWithoutOneOfTheNineTests)
{
    for (const char* name : { "", "F-TEST Varianzvergleich", "t-TEST Varianzvergleich (Wertepaare)" }) {
        tTestExample("J3");
        rec->TestName = name;
        rec->ErgText[0] = "alt";
        EXPECT_EQ(RunResults(*rec, *dialogs, TestListSelection {}, view), ResultsOutcome::NoTest) << name;
        EXPECT_TRUE(dialogs->shown().empty());
        EXPECT_TRUE(view.calls.empty());
        EXPECT_EQ(rec->ErgText[0], "alt");
    }
}

// A failed check stands against the tests it concerns; the tests its advice
// recommends run.
TEST_F(Results, FailedCheckStandsAgainstTheTestsItConcerns)
{
    struct Case {
        const char* failed; // "norm" or "var"
        const char* test;
        bool refused;
    };
    const Case cases[] = {
        { "norm", TestNames::Lord, true }, { "norm", TestNames::Weir, true }, { "norm", TestNames::UTest, false },
        { "norm", TestNames::Median, false }, { "var", TestNames::TTestZwei, true }, { "var", TestNames::Welch, false },
        { "var", TestNames::Weir, false },
    };
    for (const Case& c : cases) {
        SetUp();
        data().singleValues({ 1, 2, 3, 4, 5 }, { 3, 4, 5, 6, 8, 9 }).choose(c.test, "N");
        (std::string(c.failed) == "norm" ? rec->NormPruef : rec->VarPruef) = "N";
        if (!c.refused && std::string(c.test) != TestNames::Weir)
            dialogs->input("5");
        EXPECT_EQ(run(), c.refused ? ResultsOutcome::Refused : ResultsOutcome::Shown) << c.failed << " " << c.test;
    }
    // Paired values: unequal variances stand against the paired t-test, not
    // against WILCOXON.
    for (const char* test : { TestNames::TTestPaare, TestNames::Wilcoxon }) {
        SetUp();
        data().differences({ 1, -2, 3, 4, 6, 7 }).choose(test, "N");
        rec->VarPruef = "N";
        const bool refused = std::string(test) == TestNames::TTestPaare;
        if (!refused)
            dialogs->input("5");
        EXPECT_EQ(run(), refused ? ResultsOutcome::Refused : ResultsOutcome::Shown) << test;
    }
}

TEST_F(Results, EachRunStartsFromAClearedReport)
{
    tTestExample("N");
    for (auto& line : rec->ErgText)
        line = "old";
    dialogs->input("5");
    run();
    for (int i = 4; i <= 15; ++i) {
        if (i != 5 && i != 6 && i != 7 && i != 10) {
            EXPECT_TRUE(rec->ErgText[static_cast<std::size_t>(i)].empty()) << i;
        }
    }
    EXPECT_EQ(rec->ErgText[16], "old");
    EXPECT_EQ(rec->ErgText[51], "old");
}

TEST_F(Results, UnknownHypothesisIsRefused)
{
    tTestExample("");
    dialogs->input("5");
    EXPECT_EQ(run(), ResultsOutcome::NotPossible);
    EXPECT_EQ(messages("Fehler"), std::vector<std::string> { "t-Test für Zweistichproben nicht möglich: keine Alternativ-Hypothese gewählt." });
    EXPECT_TRUE(rec->ErgText[2].empty());
}

// Degenerate data through the whole command: a "Fehler" box naming the test
// and the cause, TESTNICHTMÖGLICH in line 0, no number in the report.
TEST_F(Results, DegenerateDataEndInTestNotPossible)
{
    struct Case {
        std::function<void(test::RecordBuilder&)> fill;
        const char* message;
    };
    const Case cases[] = {
        { [](auto& b) { b.singleValues({ 5, 5, 5 }, { 7, 7, 7, 7 }).choose(TestNames::TTestZwei, "N"); },
            "t-Test für Zweistichproben nicht möglich: die Varianz beider Stichproben ist 0 (alle Werte jeder Stichprobe sind gleich)." },
        { [](auto& b) { b.singleValues({ 5, 5, 5 }, { 7, 7, 7, 7 }).choose(TestNames::Welch, "J2"); },
            "WELCH-Test nicht möglich: die Varianz beider Stichproben ist 0 (alle Werte jeder Stichprobe sind gleich)." },
        { [](auto& b) { b.singleValues({ 5, 5, 5 }, { 7, 7, 7, 7 }).choose(TestNames::Lord, "N"); },
            "LORD-Test nicht möglich: die Spannweiten beider Stichproben sind 0." },
        { [](auto& b) { b.summary(1, 5, 1, 1, 5, 5).summary(2, 6, 1, 1, 6, 6).choose(TestNames::TTestZwei, "N"); },
            "t-Test für Zweistichproben nicht möglich: zu wenige Werte (n1 + n2 - 2 = 0)." },
        { [](auto& b) { b.singleValues({ 1, 5, 9 }, { 5, 5, 5, 5 }).choose(TestNames::Median, "N"); },
            "MEDIAN-Test nicht möglich: alle Werte der 2. Stichprobe sind gleich dem Median." },
        { [](auto& b) { b.differences({ 2, 2, 2, 2 }).choose(TestNames::TTestPaare, "N"); },
            "t-Test für Wertepaare nicht möglich: alle Paardifferenzen sind gleich (Standardabweichung 0)." },
        { [](auto& b) { b.differences({ 0, 0, 0, 0 }).choose(TestNames::Vorzeichen, "N"); },
            "VORZEICHEN-Test nicht möglich: alle Paardifferenzen sind 0." },
    };
    for (const auto& c : cases) {
        SetUp();
        test::RecordBuilder b(*rec);
        c.fill(b);
        rec->Zusatzangaben = Supplement {}; // of an earlier run
        dialogs->input("5");
        SCOPED_TRACE(c.message);
        EXPECT_EQ(run(), ResultsOutcome::NotPossible);
        EXPECT_FALSE(rec->Zusatzangaben);
        EXPECT_EQ(messages("Fehler"), std::vector<std::string> { c.message });
        EXPECT_EQ(rec->Meldung, c.message);
        EXPECT_EQ(rec->ErgText[0], "TESTNICHTMÖGLICH");
        for (int i = 4; i <= 15; ++i)
            EXPECT_TRUE(rec->ErgText[static_cast<std::size_t>(i)].empty()) << i;
    }

    // WEIR without a question.
    SetUp();
    data().singleValues({ 5, 5, 5 }, { 7, 7, 7, 7 }).choose(TestNames::Weir, "N");
    EXPECT_EQ(run(), ResultsOutcome::NotPossible);
    EXPECT_EQ(messages("Fehler"),
        std::vector<std::string> { "WEIR-Test nicht möglich: die Varianz beider Stichproben ist 0 (alle Werte jeder Stichprobe sind gleich)." });
    EXPECT_EQ(rec->ErgText[0], "TESTNICHTMÖGLICH");
}

} // namespace
} // namespace zx

namespace zx {
namespace {

// Random, constant, tied and extreme samples through every test and every
// alternative: each run ends in a report with a verdict or in
// TESTNICHTMÖGLICH, and no line, the additions' included, ever shows NaN or
// infinity. Samples beyond what the input accepts stop at the test choice
// with the guard's overflow or underflow message, and the test does not run,
// as in the main window.
TEST_F(Results, NoDataEverPrintsNaNOrInfinity)
{
    std::mt19937 random(20240611);
    auto sample = [&random](int kind, int size) {
        std::vector<double> v;
        std::uniform_real_distribution<double> unit(-1, 1);
        std::uniform_int_distribution<int> small(0, 2);
        for (int i = 0; i < size; ++i) {
            switch (kind) {
            case 0: v.push_back(10 + unit(random)); break;
            case 1: v.push_back(4); break;
            case 2: v.push_back(small(random)); break;
            case 3: v.push_back(unit(random) * 1.7e308); break;
            case 4: v.push_back(1.5e308); break;
            case 5: v.push_back(unit(random) * 1e-300); break;
            default: v.push_back(i % 2 == 0 ? 1e300 : -1e300); break;
            }
        }
        return v;
    };
    const char* independentTests[] = { TestNames::TTestZwei, TestNames::Welch, TestNames::Lord, TestNames::Weir, TestNames::UTest,
        TestNames::Median };
    const char* pairedTests[] = { TestNames::TTestPaare, TestNames::Vorzeichen, TestNames::Wilcoxon };
    std::uniform_int_distribution<int> sizes(3, 45);
    int shown = 0, refused = 0, guarded = 0;
    for (int round = 0; round < 60; ++round) {
        const int kind1 = round % 7, kind2 = (round / 7) % 7;
        int n = sizes(random), m = sizes(random);
        if (n > m)
            std::swap(n, m); // the main window puts the smaller sample first for the U-test
        const auto x = sample(kind1, n), y = sample(kind2, m);
        for (char separator : { '.', ',' }) {
            for (const char* ha : { "N", "J2", "J3" }) {
                for (int paired = 0; paired < 2; ++paired) {
                    for (const char* name : paired ? std::vector<const char*>(std::begin(pairedTests), std::end(pairedTests))
                                                   : std::vector<const char*>(std::begin(independentTests), std::end(independentTests))) {
                        SetUp();
                        SetDecimalSeparator(separator);
                        if (paired)
                            data().pairs(x, std::vector<double>(y.begin(), y.begin() + n));
                        else
                            data().singleValues(x, y);
                        SCOPED_TRACE(std::string(name) + " " + ha + " round " + std::to_string(round));
                        if (!ComputeDescriptives(*rec, *dialogs)) {
                            ++guarded;
                            ASSERT_EQ(messages("Fehler").size(), 1u);
                            const std::string m = messages("Fehler")[0];
                            EXPECT_TRUE(m.find("Überlauf") != std::string::npos || m.find("Zahlenunterlauf") != std::string::npos) << m;
                            continue;
                        }
                        rec->TestName = name;
                        rec->HaWahl = ha;
                        rec->NormPruef = rec->VarPruef = " ";
                        if (std::string(name) != TestNames::Weir)
                            dialogs->input("5");
                        const auto outcome = run();
                        std::vector<std::string> lines(rec->ErgText.begin(), rec->ErgText.begin() + 16);
                        if (outcome == ResultsOutcome::Shown) {
                            ++shown;
                            EXPECT_EQ(rec->ErgText[0], kHeadingLine);
                            EXPECT_FALSE(rec->ErgText[10].empty());
                            // The additions come with every report, numbers or words.
                            EXPECT_TRUE(rec->Zusatzangaben);
                            if (rec->Zusatzangaben)
                                for (const auto& line : SupplementLines(*rec->Zusatzangaben))
                                    lines.push_back(line);
                        } else {
                            ++refused;
                            EXPECT_EQ(outcome, ResultsOutcome::NotPossible);
                            EXPECT_EQ(rec->ErgText[0], "TESTNICHTMÖGLICH");
                            EXPECT_EQ(messages("Fehler").size(), 1u);
                            EXPECT_FALSE(rec->Zusatzangaben);
                        }
                        for (const std::string& shownLine : lines) {
                            std::string line = shownLine;
                            for (char& ch : line)
                                ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
                            EXPECT_EQ(line.find("nan"), std::string::npos) << shownLine;
                            EXPECT_EQ(line.find("inf"), std::string::npos) << shownLine;
                        }
                    }
                }
            }
        }
    }
    // Both ends were reached.
    EXPECT_GT(shown, 500);
    EXPECT_GT(refused, 100);
    EXPECT_GT(guarded, 100);
}

} // namespace
} // namespace zx
