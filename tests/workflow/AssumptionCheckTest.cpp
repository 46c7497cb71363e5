// The assumption check without its windows: the level questions and their
// refusals, the whole report of each normality test, the outcome and advice
// per data type, the variance comparison after a passed normality test, the
// samples a test cannot judge, and "Weitere Tests". The statistics
// themselves are checked against their references in the engine's tests.
#include "ResultsFixture.h"

#include "core/TestNames.h"
#include "workflow/AssumptionCheck.h"

#include <functional>

namespace zx {
namespace {

const std::string br = "\r\n";
const std::string kNoDeviation = "Das vorliegende Datenmaterial weist keine signifikante Abweichung von der Normalverteilung auf ";
const std::string kClosing = "Prüfungen auf Nicht-Normalität einer sehr großen Grundgesamtheit mit wenigen Werten sind "
                             "strenggenommen unzulässig. Die Ergebnisse können zufällig sein.";
const std::string kAllEqual = "Test für diese Stichprobe nicht möglich: alle Werte sind gleich (Standardabweichung 0).";

class AssumptionCheck : public test::ResultsTestBase {
protected:
    CheckRun check(NormalityTest test, const char* level)
    {
        dialogs->input(level);
        const float l = AskCheckLevel(*rec, *dialogs, test);
        return RunAssumptionCheck(*rec, *dialogs, test, l);
    }
};

TEST_F(AssumptionCheck, LevelQuestions)
{
    struct Case {
        NormalityTest test;
        std::vector<std::optional<std::string>> answers;
        float level;
        const char* prompt;
        const char* refusal; // shown once for the first answer, or nothing
    };
    const Case cases[] = {
        { NormalityTest::KolmogorovSmirnov, { "2", "5%" }, 5, "Irrtumswahrscheinlichkeit/KST-Tab\r\r(Nur 1, 5 oder 10%)",
            "Bitte wählen Sie nur zwischen 1, 5 und 10%" },
        { NormalityTest::KolmogorovSmirnov, { std::nullopt }, 5, "Irrtumswahrscheinlichkeit/KST-Tab\r\r(Nur 1, 5 oder 10%)", nullptr },
        { NormalityTest::ShapiroWilk, { "0.1", "" }, 5, "Irrtumswahrscheinlichkeit/SHAPIRO-WILK-Tab\r\r(Nur 1, 5 oder 10%)",
            "Bitte wählen Sie nur 1, 5 oder 10%" },
        { NormalityTest::ShapiroWilk, { "10" }, 10, "Irrtumswahrscheinlichkeit/SHAPIRO-WILK-Tab\r\r(Nur 1, 5 oder 10%)", nullptr },
        { NormalityTest::David, { "0,5", "0.1" }, 0.1f, "Irrtumswahrscheinlichkeit/DAVID-Tab\r\r(Nur 0.1, 1, 5 oder 10%)",
            "Bitte wählen Sie nur zwischen 0.1, 1 und 5%" },
        { NormalityTest::David, { "1%" }, 1, "Irrtumswahrscheinlichkeit/DAVID-Tab\r\r(Nur 0.1, 1, 5 oder 10%)", nullptr },
    };
    for (const Case& c : cases) {
        SetUp();
        for (const auto& a : c.answers)
            dialogs->input(a);
        EXPECT_EQ(AskCheckLevel(*rec, *dialogs, c.test), c.level);
        EXPECT_EQ(prompts(), std::vector<std::string>(c.answers.size(), c.prompt));
        EXPECT_EQ(messages("Fehler"), c.refusal ? std::vector<std::string> { c.refusal } : std::vector<std::string> {});
    }
}

TEST_F(AssumptionCheck, KolmogorovSmirnovReportOfTwoSamples)
{
    SetDecimalSeparator(',');
    data().singleValues({ 1, 2, 3, 4, 5 }, { 2, 2, 2, 3, 3, 4, 7, 7, 9 }).choose(TestNames::Welch, "N");
    const CheckRun run = check(NormalityTest::KolmogorovSmirnov, "5");
    const std::string verdict = br + kNoDeviation + "(Dk < Signifikanzlimit).";
    EXPECT_EQ(run.normalityReport,
        "             PRÜFUNG AUF NICHT-NORMALVERTEILUNG\r\n              < Test nach KOLMOGOROFF-SMIRNOF > " + br
            + "                Irrtumswahrscheinlichkeit: 5,0%" + br + br
            + " Umfang  n   . . . . . . . . . . . . . = 5       STICHPROBE = 1" + br
            + " Signifikanzlimit (Tab.-Wert)  . . . . = 0,5700" + br
            + " Prüfgröße (DK)  . . . . . . . . . . . = 0,2000" + br + verdict + br + br + " " + br
            + " Umfang  n     . . . . . . . . . . . . = 9       STICHPROBE = 2" + br
            + " Signifikanzlimit (Tab.-Wert)  . . . . = 0,4500" + br
            + " Prüfgröße (DK)  . . . . . . . . . . . = 0,3262" + br + verdict + br + br + "   " + br + br
            + std::string(40, '-') + br + kClosing);
    EXPECT_EQ(rec->NormPruef, "J");
    EXPECT_EQ(rec->Irrtum, 5.0f);
    // WELCH assumes no equal variances: nothing follows.
    EXPECT_FALSE(run.varianceReport);
    EXPECT_EQ(rec->VarPruef, " ");
    EXPECT_EQ(run.normalityAdvice, nullptr);
}

TEST_F(AssumptionCheck, ShapiroWilkReportOfPairedValuesTestsTheDifferencesOnce)
{
    data().pairs({ 2, 4, 7 }, { 1, 2, 3 }).choose(TestNames::TTestPaare, "N"); // differences 1, 2, 4
    const CheckRun run = check(NormalityTest::ShapiroWilk, "5");
    EXPECT_EQ(run.normalityReport,
        "             PRÜFUNG AUF NICHT-NORMALVERTEILUNG\r\n                 < Test nach SHAPIRO-WILK > " + br
            + "                 Irrtumswahrscheinlichkeit: 5.0%" + br + br
            + "  Umfang  n   . . . . . . . . . . . .  = 3       STICHPROBE = 1" + br
            + "  Signifikanzlimit (Tab-Wert) . . . .  = 0.7670" + br
            + "  Prüfgröße (W) . . . . . . . . . . .  = 0.9643" + br + br + kNoDeviation + "(W > Signifikanzlimit)." + br + br
            + "   " + br + "(Bei Wertepaaren werden nur die Differenzen auf Nicht-Normalverteilung geprüft.)" + br + "   " + br
            + "   " + br + "   " + br + br + "   " + br + br + "---------------------------                " + br + kClosing);
    // The variance comparison of the two columns followed.
    ASSERT_TRUE(run.varianceReport);
    EXPECT_NE(run.varianceReport->find("< Nach dem t-Test für abhängige Stichproben >"), std::string::npos);
    EXPECT_EQ(*run.varianceReport, CheckReportText(*rec));
    EXPECT_NE(rec->VarPruef, " ");
}

TEST_F(AssumptionCheck, DavidReportOfClassGroups)
{
    data()
        .classGroups({ 85, 95, 105, 115, 125, 135, 145, 155 }, { 2, 5, 9, 14, 11, 7, 3, 1 },
            { 85, 95, 105, 115, 125, 135, 145, 155 }, { 1, 3, 6, 10, 13, 9, 5, 2 })
        .choose(TestNames::Weir, "N");
    const CheckRun run = check(NormalityTest::David, "5");
    // Limits between the rows 50 and 55, and 45 and 50; R/s over the class
    // limits 80 to 160 (NumPy: 5.0947, 5.0188).
    const std::string verdict = "Das vorliegende Datenmaterial weist keine signifikante Abweichung von der Normalverteilung "
                                "auf [R/s innerhalb des Bereichs zwischen der oberen und unteren Grenze].";
    EXPECT_EQ(run.normalityReport,
        "             PRÜFUNG AUF NICHT-NORMALVERTEILUNG\r\n               < Nach dem Test DAVID et al. > " + br
            + "               Irrtumswahrscheinlichkeit: 5.0%" + br + br
            + "  Umfang  n    . . . . . . . . . . . .  = 52     STICHPROBE = 1" + br
            + "  Unteres Limit (Tab-Wert)   . . . . .  = 3.8580" + br
            + "  Oberes  Limit (Tab-Wert)   . . . . .  = 5.3820" + br
            + "  R/s-Quotient     . . . . . . . . . .  = 5.0947" + br + br + verdict + br + br
            + "  Umfang  n       . . . . . . . . . . . = 49     STICHPROBE = 2" + br
            + "  Unteres Limit (Tab-Wert)  . . . . . . = 3.8140" + br
            + "  Oberes  Limit (Tab-Wert)  . . . . . . = 5.3320" + br
            + "  R/s-Quotient      . . . . . . . . . . = 5.0188" + br + br + verdict + br + br
            + "   (Berechnung beruht auf den eingegebenen Klassenmitten)   " + br + kClosing);
    EXPECT_NEAR(rec->QuotientWS[2].value_or(0), 5.0188, 5e-5);
    EXPECT_FALSE(run.varianceReport);
}

// DAVID at 5 % on each data type: a sample split in two halves lies below
// the lower limit; variances 25 times apart differ.
TEST_F(AssumptionCheck, OutcomeAndAdvicePerDataType)
{
    const std::vector<double> halves { 0, 0, 0, 0, 0, 10, 10, 10, 10, 10 };
    const std::vector<double> even { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 };
    const std::vector<double> even5 { 5, 10, 15, 20, 25, 30, 35, 40, 45, 50 };
    struct Case {
        const char* name;
        std::function<void(test::RecordBuilder&)> fill;
        const char* normalityAdvice;
        const char* varianceAdvice;
    };
    const Case cases[] = {
        { "single, not normal", [&](auto& b) { b.singleValues(even, halves); }, "Text1", nullptr },
        { "single, unequal", [&](auto& b) { b.singleValues(even, even5); }, nullptr, "Text2" },
        { "classes, not normal", [](auto& b) { b.classGroups({ 10, 11, 100 }, { 5, 0, 5 }, { 1, 2, 3 }, { 2, 3, 2 }); },
            "Text6", nullptr },
        { "classes, unequal",
            [](auto& b) { b.classGroups({ 1, 2, 3, 4, 5 }, { 2, 3, 4, 3, 2 }, { 10, 20, 30, 40, 50 }, { 2, 3, 4, 3, 2 }); },
            nullptr, "Text7" },
        { "summary, not normal", [](auto& b) { b.summary(1, 10, 5, 10, 15, 5).summary(2, 10, 5, 10, 20, 5); }, "Text6",
            nullptr },
        { "summary, unequal", [](auto& b) { b.summary(1, 10, 1, 10, 11.5, 8.5).summary(2, 10, 5, 10, 17.5, 2.5); }, nullptr,
            "Text7" },
        { "pairs, not normal", [&](auto& b) { b.differences(halves); }, "Text3", nullptr },
        { "pairs, unequal", [&](auto& b) { b.pairs(even5, even); }, nullptr, "Text4" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        auto b = data();
        c.fill(b);
        b.choose(rec->Datentyp == 4 ? TestNames::TTestPaare : TestNames::TTestZwei, "N");
        const CheckRun run = check(NormalityTest::David, "5");
        EXPECT_STREQ(run.normalityAdvice ? run.normalityAdvice->box : nullptr, c.normalityAdvice);
        EXPECT_STREQ(run.varianceAdvice ? run.varianceAdvice->box : nullptr, c.varianceAdvice);
        EXPECT_EQ(rec->NormPruef, c.normalityAdvice ? "N" : "J");
        // A rejected normality ends the check; otherwise the variances are compared.
        EXPECT_EQ(run.varianceReport.has_value(), !c.normalityAdvice);
        EXPECT_EQ(rec->VarPruef, c.normalityAdvice ? " " : c.varianceAdvice ? "N" : "J");
        EXPECT_TRUE(messages("Fehler").empty());
    }
}

TEST_F(AssumptionCheck, TooSmallOrLargeSampleIsRefusedBeforeAnyIsJudged)
{
    data().singleValues({ 1, 2, 3, 4 }, std::vector<double>(51, 1.5)).choose(TestNames::TTestZwei, "N");
    rec->ErgText[3] = "alt";
    const CheckRun run = check(NormalityTest::ShapiroWilk, "5");
    EXPECT_TRUE(run.refused);
    EXPECT_EQ(messages("Fehler"),
        std::vector<std::string> { "Stichprobe zu groß/klein: Test nicht möglich. Wählen Sie den KS- oder DAVID-Test aus." });
    EXPECT_EQ(rec->NormPruef, " ");
    EXPECT_EQ(rec->VarPruef, " ");
    EXPECT_EQ(rec->ErgText[3], "alt");
    EXPECT_TRUE(run.normalityReport.empty());

    // Class groups of too few values for KOLMOGOROFF-SMIRNOV.
    SetUp();
    data().classGroups({ 1, 2, 3 }, { 1, 0, 1 }, { 1, 2, 3 }, { 1, 1, 1 }).choose(TestNames::TTestZwei, "N");
    EXPECT_TRUE(check(NormalityTest::KolmogorovSmirnov, "5").refused);
    EXPECT_EQ(messages("Fehler"), std::vector<std::string> { "Stichprobe zu klein: Test nicht möglich. Wählen Sie den DAVID-Test aus." });
}

TEST_F(AssumptionCheck, SampleOfEqualValuesIsNotJudgedTheOtherIs)
{
    for (NormalityTest test : OfferedNormalityTests(1)) {
        SetUp();
        data().singleValues({ 4, 4, 4, 4 }, { 0, 0, 0, 0, 0, 10, 10, 10, 10, 10 }).choose(TestNames::TTestZwei, "N");
        const CheckRun run = check(test, "5");
        // Sample 1 has its size and, in place of limits and statistic, the reason.
        const std::string& text = run.normalityReport;
        const auto first = text.find("STICHPROBE = 1");
        const auto reason = text.find(kAllEqual);
        ASSERT_LT(first, reason) << text;
        EXPECT_LT(reason, text.find("STICHPROBE = 2")) << text;
        EXPECT_EQ(text.find_first_of("0123456789", first + 14), text.find_first_of("0123456789", reason)) << text;
        // The second sample's halves are judged (SHAPIRO-WILK at n = 10:
        // W = 0.6553 below 0.842).
        EXPECT_EQ(rec->NormPruef, "N") << run.normalityReport;
        EXPECT_TRUE(messages("Fehler").empty());
    }
    // Both samples untested leave the check passed, and the variances
    // cannot be compared.
    SetUp();
    data().singleValues({ 4, 4, 4 }, { 5, 5, 5 }).choose(TestNames::TTestZwei, "N");
    const CheckRun run = check(NormalityTest::KolmogorovSmirnov, "5");
    EXPECT_EQ(rec->NormPruef, "J");
    ASSERT_TRUE(run.varianceReport);
    EXPECT_EQ(rec->ErgText[12], "F-Test nicht möglich: die Varianz einer Stichprobe ist 0 (alle Werte gleich).");
    EXPECT_EQ(rec->VarPruef, " ");
}

TEST_F(AssumptionCheck, DavidWithoutMinimumAndMaximumStopsForThatSample)
{
    data().summary(1, 10, 2, 20, 0, 0).summary(2, 10, 5, 10, 15, 5).choose(TestNames::Lord, "N");
    const CheckRun run = check(NormalityTest::David, "5");
    const std::string missing = "DAVID et al.-Test für Stichprobe 1 nicht möglich, da MIN und MAX nicht eingegeben (beide 0).";
    EXPECT_EQ(messages("Fehler"), std::vector<std::string> { missing });
    EXPECT_NE(run.normalityReport.find(missing), std::string::npos);
    // Sample 2 (R/s = 2 below 2.67) is judged as usual.
    EXPECT_NE(run.normalityReport.find("STICHPROBE = 2"), std::string::npos);
    EXPECT_NE(run.normalityReport.find(br + std::string(38, '-') + br), std::string::npos);
    EXPECT_EQ(rec->NormPruef, "N");
}

TEST_F(AssumptionCheck, DavidAboveTheTableUsesItsLastRowAndSaysSo)
{
    data().classGroups({ 1, 2, 3, 4, 5 }, { 100, 300, 500, 300, 100 }, { 1, 2, 3 }, { 2, 3, 2 }).choose(TestNames::Welch, "N");
    const CheckRun run = check(NormalityTest::David, "5");
    EXPECT_NE(run.normalityReport.find("= 1300     STICHPROBE = 1" + br + "  Unteres Limit (Tab-Wert)   . . . . .  = 5.7900"),
        std::string::npos)
        << run.normalityReport;
    EXPECT_NE(run.normalityReport.find("Grenze]." + br + "(Die Tafel endet bei n = 1000; die Grenzen für n = 1000 wurden verwendet.)"),
        std::string::npos);
    EXPECT_EQ(rec->NormPruef, "N"); // R/s = 4.82 below 5.79
}

TEST_F(AssumptionCheck, FurtherVarianceTestLevel)
{
    struct Case {
        std::vector<std::optional<std::string>> answers;
        float level;
    };
    const Case cases[] = {
        { { "60", "1" }, 1 }, { { "" }, 5 }, { { std::nullopt }, 5 }, { { "0.5" }, 0.5f }, { { "2,5" }, 2.5f },
        { { "abc", "0", "-5", "50" }, 5 }, // 50 is taken, and read as 5
        { { "0.000001", "0.00001" }, 0.00001f },
    };
    for (const Case& c : cases) {
        SetUp();
        data().singleValues({ 1, 2, 3, 4 }, { 2, 4, 6, 9 });
        for (const auto& a : c.answers)
            dialogs->input(a);
        const auto report = RunFurtherVarianceTest(*rec, *dialogs, VarianceList::Independent);
        ASSERT_TRUE(report);
        EXPECT_EQ(rec->TestName, "F-TEST Varianzvergleich");
        EXPECT_EQ(rec->Irrtum, c.level);
        EXPECT_EQ(prompts(), std::vector<std::string>(c.answers.size(), "Irrtumswahrscheinlichkeit/F-Tab.\r\r(z.B. 0.5, 1 oder 5%)"));
        EXPECT_TRUE(messages("Fehler").empty());
        // The moments were computed for the comparison.
        EXPECT_NE(report->find("VARIANZ(2)                          = 8.9167"), std::string::npos) << *report;
    }
}

TEST_F(AssumptionCheck, FurtherVarianceTestOfPairedValuesAtFivePercent)
{
    data().pairs({ 1, 2, 4, 7, 9 }, { 2, 2, 5, 6, 12 }).choose(TestNames::TTestPaare, "N");
    rec->Mittelwert[2] = -99; // paired values are described under 1 only
    const double meanDifference = rec->Mittelwert[1];
    const double varianceDifference = rec->Varianz[1];
    dialogs->input("1%");
    const auto report = RunFurtherVarianceTest(*rec, *dialogs, VarianceList::Paired);
    ASSERT_TRUE(report);
    EXPECT_EQ(rec->TestName, "t-TEST Varianzvergleich (Wertepaare)");
    EXPECT_EQ(prompts(), std::vector<std::string> { "Irrtumswahrscheinlichkeit/t-Tab.\r\r(z.B. 0.5, 1 oder 5%)" });
    EXPECT_NE(report->find("Irrtumswahrscheinlichkeit             = 5.0%"), std::string::npos);
    EXPECT_EQ(rec->Irrtum, 5.0f);
    // The record still describes the differences.
    EXPECT_EQ(rec->Mittelwert[1], meanDifference);
    EXPECT_EQ(rec->Varianz[1], varianceDifference);
    EXPECT_EQ(rec->Mittelwert[2], -99);
}

// Summary values have no additional tests; their entered values stay, even
// with rows of an earlier input of single values in the record.
TEST_F(AssumptionCheck, SummaryValuesHaveNoFurtherTests)
{
    data().singleValues({ 1, 2, 3, 4, 5, 6 }, { 1, 2, 3, 4, 5, 6 });
    data().summary(1, 24.93, 0.9, 25, 26.4, 23.5).summary(2, 25.1, 0.8, 25, 26.5, 23.5);
    rec->TestName = TestNames::TTestZwei;
    EXPECT_FALSE(RunFurtherVarianceTest(*rec, *dialogs, VarianceList::Independent));
    EXPECT_EQ(rec->TestName, TestNames::TTestZwei);
    EXPECT_EQ(rec->Umfang[1], 25);
    EXPECT_EQ(rec->Mittelwert[1], 24.93);
    EXPECT_EQ(rec->StdAbw[2], 0.8);
    EXPECT_TRUE(dialogs->shown().empty());
}

} // namespace
} // namespace zx
