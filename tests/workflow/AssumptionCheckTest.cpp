// The assumption check and "Weitere Tests" without their windows; the
// statistics: the engine's tests.
#include "ResultsFixture.h"

#include "workflow/AssumptionCheck.h"
#include "ReadNumber.h"

#include <functional>

namespace zx {
namespace {

using NT = NormalityTest;
using Texts = std::vector<std::string>;
using test::SetClassGroups;

class AssumptionCheck : public test::ResultsTestBase {
protected:
    CheckRun check(NT test)
    {
        dialogs->input("5");
        return RunAssumptionCheck(*rec, *dialogs, test, AskCheckLevel(*rec, *dialogs, test));
    }
};

TEST_F(AssumptionCheck, WhichTestsAreChecked)
{
    using S = AssumptionStep;
    for (const auto& [t, step] : { std::pair { TestNames::TTestZwei, S::Check }, { TestNames::Welch, S::Check }, { TestNames::Lord, S::Check },
             { TestNames::Weir, S::Check }, { TestNames::TTestPaare, S::Check }, { TestNames::UTest, S::ShapeNotice }, { TestNames::Median, S::None },
             { TestNames::Wilcoxon, S::None }, { TestNames::Vorzeichen, S::None }, { "", S::None } })
        EXPECT_EQ(AssumptionStepFor(t), step) << t;
    const std::vector<NT> all = { NT::KolmogorovSmirnov, NT::ShapiroWilk, NT::David };
    const std::vector<NT> offered[] = { {}, all, { NT::KolmogorovSmirnov, NT::David }, { NT::David }, all, {} };
    for (int datentyp = 0; datentyp <= 5; ++datentyp)
        EXPECT_EQ(OfferedNormalityTests(datentyp), offered[datentyp]) << datentyp;
}

// Each level the table has, after one it has not; "Abbrechen" and "" mean 5.
TEST_F(AssumptionCheck, LevelQuestions)
{
    struct Case { NT test; const char* prompt; const char* refused; const char* refusal; std::vector<std::optional<std::string>> accepted; };
    const Case cases[] = {
        { NT::KolmogorovSmirnov, "KST-Tab\r\r(Nur 1, 5 oder 10%)", "2", "Bitte wählen Sie nur zwischen 1, 5 und 10%", { "1", "5", "10", std::nullopt } },
        { NT::ShapiroWilk, "SHAPIRO-WILK-Tab\r\r(Nur 1, 5 oder 10%)", "0.1", "Bitte wählen Sie nur 1, 5 oder 10%", { "1", "5", "10", "" } },
        { NT::David, "DAVID-Tab\r\r(Nur 0.1, 1, 5 oder 10%)", "0.5", "Bitte wählen Sie nur zwischen 0.1, 1 und 5%", { "0.1", "1", "5", "10" } },
    };
    for (const Case& c : cases) {
        for (const auto& level : c.accepted) {
            SetUp();
            dialogs->input(c.refused).input(level);
            EXPECT_EQ(AskCheckLevel(*rec, *dialogs, c.test), level.value_or("").empty() ? 5 : static_cast<float>(test::ReadNumber(*level)));
            EXPECT_EQ(prompts(), Texts(2, std::string("Irrtumswahrscheinlichkeit/") + c.prompt));
            EXPECT_EQ(messages("Fehler"), Texts { c.refusal });
        }
    }
    for (int i = 0; i <= 15; ++i) // the layout of a check's report lines
        rec->ErgText[static_cast<std::size_t>(i)] = "L" + std::to_string(i);
    EXPECT_EQ(CheckReportText(*rec), "L0\r\nL1\r\n\r\nL3\r\nL4\r\nL5\r\nL6\r\n\r\nL7\r\nL8\r\nL9\r\nL10\r\nL11\r\n\r\nL12\r\n\r\nL13\r\nL14");
}

// DAVID at 5 % per data type: two split halves fail; variances 25 times apart
// differ, unasked by WELCH and WEIR; paired values test their differences.
TEST_F(AssumptionCheck, OutcomeAndAdvicePerDataType)
{
    const std::vector<double> halves { 0, 0, 0, 0, 0, 10, 10, 10, 10, 10 }, even { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 };
    const std::vector<double> even5 { 5, 10, 15, 20, 25, 30, 35, 40, 45, 50 };
    auto narrowAndWide = [this] { summary(1, 10, 1, 10, 11.5, 8.5), summary(2, 10, 5, 10, 17.5, 2.5); };
    struct Case { const char* test; std::function<void()> fill; const char* normalityAdvice; const char* varianceAdvice; };
    const Case cases[] = {
        { TestNames::TTestZwei, [&] { single(even, halves); }, "Text1", nullptr },
        { TestNames::Lord, [&] { single(even, even5); }, nullptr, "Text2" },
        { TestNames::Welch, [&] { single(even, even5); }, nullptr, nullptr },
        { TestNames::TTestZwei, [&] { SetClassGroups(*rec, 1, { 10, 11, 100 }, { 5, 0, 5 }), SetClassGroups(*rec, 2, { 1, 2, 3 }, { 2, 3, 2 }); }, "Text6", nullptr },
        { TestNames::TTestZwei,
            [&] { SetClassGroups(*rec, 1, { 1, 2, 3, 4, 5 }, { 2, 3, 4, 3, 2 }), SetClassGroups(*rec, 2, { 10, 20, 30, 40, 50 }, { 2, 3, 4, 3, 2 }); },
            nullptr, "Text7" },
        { TestNames::TTestZwei, [&] { summary(1, 10, 5, 10, 15, 5), summary(2, 10, 5, 10, 20, 5); }, "Text6", nullptr },
        { TestNames::TTestZwei, narrowAndWide, nullptr, "Text7" },
        { TestNames::Weir, narrowAndWide, nullptr, nullptr },
        { TestNames::TTestPaare, [&] { differences(halves); }, "Text3", nullptr },
        { TestNames::TTestPaare, [&] { test::SetPairs(*rec, even5, even); }, nullptr, "Text4" },
    };
    for (const Case& c : cases) {
        SetUp();
        c.fill();
        choose(c.test, "N");
        SCOPED_TRACE(std::string(c.test) + " " + std::to_string(rec->Datentyp));
        const CheckRun run = check(NT::David);
        EXPECT_FALSE(run.refused);
        EXPECT_STREQ(run.normalityAdvice ? run.normalityAdvice->box : nullptr, c.normalityAdvice);
        EXPECT_STREQ(run.varianceAdvice ? run.varianceAdvice->box : nullptr, c.varianceAdvice);
        const std::string t = c.test;
        const bool compared = !c.normalityAdvice && t != TestNames::Welch && t != TestNames::Weir;
        EXPECT_EQ(run.varianceReport.has_value(), compared);
        EXPECT_EQ(rec->NormPruef + rec->VarPruef, std::string(c.normalityAdvice ? "N" : "J") + (!compared ? " " : c.varianceAdvice ? "N" : "J"));
        EXPECT_EQ(run.varianceReport.value_or(run.normalityReport), CheckReportText(*rec));
        EXPECT_EQ(run.normalityReport.find("STICHPROBE = 2") != std::string::npos, rec->Datentyp != 4);
        EXPECT_TRUE(messages("Fehler").empty());
    }
}

// A size outside the table refuses the check; equal values, or no minimum and
// maximum, say why in the sample's place; DAVID beyond its table: its last row.
TEST_F(AssumptionCheck, SamplesATestCannotJudge)
{
    const std::vector<double> halves { 0, 0, 0, 0, 0, 10, 10, 10, 10, 10 };
    const std::string missing = "DAVID et al.-Test für Stichprobe 1 nicht möglich, da MIN und MAX nicht eingegeben (beide 0).";
    const std::string equal = "Test für diese Stichprobe nicht möglich: alle Werte sind gleich";
    struct Case { std::function<void()> fill; NT test; const char* message; std::string inReport; const char* checks; };
    const Case cases[] = {
        { [&] { single({ 1, 2, 3, 4 }, std::vector<double>(51, 1.5)); }, NT::ShapiroWilk,
            "Stichprobe zu groß/klein: Test nicht möglich. Wählen Sie den KS- oder DAVID-Test aus.", "", "  " },
        { [&] { SetClassGroups(*rec, 1, { 1, 2, 3 }, { 1, 0, 1 }), SetClassGroups(*rec, 2, { 1, 2, 3 }, { 1, 1, 1 }); }, NT::KolmogorovSmirnov,
            "Stichprobe zu klein: Test nicht möglich. Wählen Sie den DAVID-Test aus.", "", "  " },
        { [&] { single({ 4, 4, 4, 4 }, halves); }, NT::KolmogorovSmirnov, nullptr, equal, "N " },
        { [&] { single({ 4, 4, 4, 4 }, halves); }, NT::ShapiroWilk, nullptr, equal, "N " },
        { [&] { single({ 4, 4, 4, 4 }, halves); }, NT::David, nullptr, equal, "N " },
        { [&] { summary(1, 10, 2, 20, 0, 0), summary(2, 10, 5, 10, 15, 5); }, NT::David, missing.c_str(), missing, "N " }, // R/s = 2 below 2.67
        { [&] { SetClassGroups(*rec, 1, { 1, 2, 3, 4, 5 }, { 100, 300, 500, 300, 100 }), SetClassGroups(*rec, 2, { 1, 2, 3 }, { 2, 3, 2 }); },
            NT::David, nullptr, "(Die Tafel endet bei n = 1000; die Grenzen für n = 1000 wurden verwendet.)", "N " },
    };
    for (const Case& c : cases) {
        SetUp();
        c.fill();
        choose(TestNames::Welch, "N");
        rec->ErgText[3] = "alt";
        const CheckRun run = check(c.test);
        EXPECT_EQ(run.refused, c.inReport.empty());
        EXPECT_EQ(messages("Fehler"), c.message ? Texts { c.message } : Texts {});
        EXPECT_EQ(rec->NormPruef + rec->VarPruef, c.checks);
        const std::string& text = run.normalityReport;
        EXPECT_TRUE(c.inReport.empty() ? text.empty() && rec->ErgText[3] == "alt"
                                       : text.find("STICHPROBE = 1") < text.find(c.inReport) && text.find(c.inReport) < text.find("STICHPROBE = 2")) << text;
    }
}

// "Weitere Tests": its level (0.00001 to 50 %) asked only for the data type
// served, else 5 %, the moments computed first; summary values have none.
TEST_F(AssumptionCheck, FurtherVarianceTests)
{
    struct Case { VarianceList list; int datentyp; std::vector<std::optional<std::string>> answers; float level; };
    const Case cases[] = {
        { VarianceList::Independent, 1, { "60", "1" }, 1 }, { VarianceList::Independent, 1, { std::nullopt }, 5 },
        { VarianceList::Independent, 1, { "abc", "0", "-5", "50" }, 5 }, // 50 is taken, and read as 5
        { VarianceList::Independent, 1, { "0.000001", "0.00001" }, 0.00001f }, { VarianceList::Paired, 1, {}, 5 },
        { VarianceList::Paired, 4, { "1%" }, 5 }, { VarianceList::Independent, 4, {}, 5 },
    };
    for (const Case& c : cases) {
        SetUp();
        c.datentyp == 1 ? single({ 1, 2, 3, 4 }, { 2, 4, 6, 9 }) : test::SetPairs(*rec, { 1, 2, 4, 7, 9 }, { 2, 2, 5, 6, 12 });
        rec->Mittelwert[2] = -99;
        for (const auto& a : c.answers)
            dialogs->input(a);
        const auto report = RunFurtherVarianceTest(*rec, *dialogs, c.list);
        ASSERT_TRUE(report);
        const bool paired = c.list == VarianceList::Paired;
        EXPECT_EQ(rec->TestName, paired ? TestNames::TVarianz : TestNames::FVarianz);
        EXPECT_EQ(rec->Irrtum, c.level);
        EXPECT_EQ(prompts(), Texts(c.answers.size(), std::string("Irrtumswahrscheinlichkeit/") + (paired ? "t" : "F") + "-Tab.\r\r(z.B. 0.5, 1 oder 5%)"));
        EXPECT_TRUE(messages("Fehler").empty());
        EXPECT_TRUE(c.datentyp == 1 ? report->find("VARIANZ(2)                          = 8.9167") != std::string::npos : rec->Mittelwert[2] == -99) << *report;
    }
    SetUp();
    single({ 1, 2, 3, 4, 5, 6 }, { 1, 2, 3, 4, 5, 6 });
    summary(1, 24.93, 0.9, 25, 26.4, 23.5), summary(2, 25.1, 0.8, 25, 26.5, 23.5);
    rec->TestName = TestNames::TTestZwei;
    EXPECT_FALSE(RunFurtherVarianceTest(*rec, *dialogs, VarianceList::Independent));
    EXPECT_EQ(rec->TestName, TestNames::TTestZwei);
    EXPECT_EQ(rec->Mittelwert[1], 24.93);
    EXPECT_TRUE(dialogs->shown().empty());
}

} // namespace
} // namespace zx
