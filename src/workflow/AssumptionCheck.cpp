#include "workflow/AssumptionCheck.h"

#include "core/AnalysisRecord.h"
#include "core/Dialogs.h"
#include "core/NumberText.h"
#include "core/TestNames.h"
#include "stats/Descriptive.h"
#include "stats/VarianceTests.h"

#include <algorithm>

namespace zx {

namespace {

constexpr const char* kErrorTitle = "Fehler";

constexpr Advice kText1 { "Text1",
    "Es wird zumindest annährend \r\neine Normalverteilung \r\nvorausgesetzt. Bitte wählen Sie \r\n"
    "den Median- oder U-Test \r\n(parameterfreie Tests)  aus.\r\n" };
constexpr Advice kText6 { "Text6",
    "Es wird zumindest annährend \r\neine Normalverteilung \r\nvorausgesetzt. Bitte geben Sie \r\n"
    "die Daten ungruppiert ein und \r\nwählen Sie den Median- oder \r\nU-Test (parameterfreie Tests) aus.\r\n" };
constexpr Advice kText3 { "Text3",
    "Es wird zumindest annähernd \r\neine Normalverteilung \r\nder Paardiferenzen vorausgesetzt. \r\n"
    "Bitte wählen Sie den Wilcoxon- \r\noder Vorzeichen-Test \r\n(parameterfreie Tests)  aus.\r\n" };
constexpr Advice kText2 { "Text2",
    "Es wird bei den zu vergleichenden \r\nStichproben gleiche Variabilität \r\nvorausgesetzt. Diese Bedingung ist \r\n"
    "nicht erfüllt. Bitte wählen Sie den \r\nWELCH- oder WEIR-Test aus.\r\n" };
constexpr Advice kText7 { "Text7",
    "Es wird bei den zu vergleichenden \r\nStichproben gleiche Variabilität \r\nvorausgesetzt. Diese Bedingung ist \r\n"
    "nicht erfüllt. Bitte wählen Sie \r\nden WELCH- oder WEIR-Test aus.\r\n" };
constexpr Advice kText4 { "Text4",
    "Es wird bei den zu vergleichenden \r\nStichproben gleiche Variabilität \r\nvorausgesetzt. Diese Bedingung ist \r\n"
    "nicht erfüllt. Bitte wählen Sie den \r\nWILCOXON- oder VORZEICHEN-Test \r\naus.\r\n" };

struct LevelQuestion {
    const char* label;
    const char* range;
    const char* refusal;
    std::vector<float> accepted;
};

LevelQuestion questionOf(NormalityTest test)
{
    switch (test) {
    case NormalityTest::KolmogorovSmirnov:
        return { "Irrtumswahrscheinlichkeit/KST-Tab", "(Nur 1, 5 oder 10%)", "Bitte wählen Sie nur zwischen 1, 5 und 10%",
            { 1, 5, 10 } };
    case NormalityTest::ShapiroWilk:
        return { "Irrtumswahrscheinlichkeit/SHAPIRO-WILK-Tab", "(Nur 1, 5 oder 10%)", "Bitte wählen Sie nur 1, 5 oder 10%",
            { 1, 5, 10 } };
    case NormalityTest::David:
        break;
    }
    // The refusal names 0.1, 1 and 5 %; 10 % is accepted as well.
    return { "Irrtumswahrscheinlichkeit/DAVID-Tab", "(Nur 0.1, 1, 5 oder 10%)", "Bitte wählen Sie nur zwischen 0.1, 1 und 5%",
        { 0.1f, 1, 5, 10 } };
}

bool samplesOf(const AnalysisRecord& r, int k) { return r.Datentyp != 4 || k == 1; }

SampleFinding testSample(AnalysisRecord& r, NormalityTest test, int k, float level)
{
    switch (test) {
    case NormalityTest::KolmogorovSmirnov: return KSTest(r, k, level);
    case NormalityTest::ShapiroWilk: return ShapiroWilkTest(r, k, level);
    case NormalityTest::David: break;
    }
    return DavidTest(r, k, level);
}

// The first sample too small (or large) for the test, as its message.
std::optional<std::string> sizeRefusal(const AnalysisRecord& r, NormalityTest test)
{
    for (int k = 1; k <= 2; ++k)
        if (samplesOf(r, k))
            if (auto refusal = SizeRefusal(test, TestedSize(r, test, k)))
                return refusal;
    return std::nullopt;
}

} // namespace

AssumptionStep AssumptionStepFor(const std::string& t)
{
    if (t == TestNames::TTestZwei || t == TestNames::Welch || t == TestNames::Lord || t == TestNames::Weir
        || t == TestNames::TTestPaare)
        return AssumptionStep::Check;
    if (t == TestNames::UTest)
        return AssumptionStep::ShapeNotice;
    return AssumptionStep::None;
}

std::vector<NormalityTest> OfferedNormalityTests(int datentyp)
{
    switch (datentyp) {
    case 1:
    case 4: return { NormalityTest::KolmogorovSmirnov, NormalityTest::ShapiroWilk, NormalityTest::David };
    case 2: return { NormalityTest::KolmogorovSmirnov, NormalityTest::David };
    case 3: return { NormalityTest::David };
    default: return {};
    }
}

const char* NormalityTestEntry(NormalityTest test)
{
    switch (test) {
    case NormalityTest::KolmogorovSmirnov: return "  Kolmogoroff-Smirnoff-Test (KST)";
    case NormalityTest::ShapiroWilk: return "  Shapiro-Wilk-Test";
    case NormalityTest::David: break;
    }
    return "  David et al.-Test";
}

const Advice& NormalityAdvice(int datentyp)
{
    if (datentyp == 4)
        return kText3;
    return datentyp == 1 ? kText1 : kText6;
}

const Advice& VarianceAdvice(int datentyp)
{
    if (datentyp == 4)
        return kText4;
    return datentyp == 1 ? kText2 : kText7;
}

std::vector<Advice> AllAdvice() { return { kText7, kText6, kText3, kText4, kText1, kText2 }; }

std::string CheckReportText(const AnalysisRecord& r)
{
    const std::string br = kCrLf;
    const auto& e = r.ErgText;
    std::string text = e[0] + br + e[1] + br + br;
    for (int i = 3; i <= 6; ++i)
        text += e[static_cast<std::size_t>(i)] + br;
    text += br;
    for (int i = 7; i <= 11; ++i)
        text += e[static_cast<std::size_t>(i)] + br;
    return text + br + e[12] + br + br + e[13] + br + e[14];
}

float AskCheckLevel(AnalysisRecord& r, Dialogs& dialogs, NormalityTest test)
{
    const LevelQuestion q = questionOf(test);
    for (;;) {
        const std::string answer = InputValue(dialogs, r, std::string(q.label) + kCr + kCr + q.range);
        const auto level = static_cast<float>(LevelValue(answer));
        if (std::find(q.accepted.begin(), q.accepted.end(), level) != q.accepted.end())
            return level;
        r.Meldung = q.refusal;
        dialogs.ShowMessage(r.Meldung, kErrorTitle);
    }
}

CheckRun RunAssumptionCheck(AnalysisRecord& r, Dialogs& dialogs, NormalityTest test, float levelPercent)
{
    CheckRun run;
    r.NormPruef = "J";
    r.Irrtum = levelPercent;

    // Every sample must suit the test before any is judged.
    if (const auto refusal = sizeRefusal(r, test)) {
        r.Meldung = *refusal;
        dialogs.ShowMessage(r.Meldung, kErrorTitle);
        DeclineAssumptionCheck(r);
        run.refused = true;
        return run;
    }

    for (int i = 0; i <= 14; ++i)
        r.ErgText[static_cast<std::size_t>(i)].clear();
    WriteNormalityHeading(test, r.Irrtum, r.ErgText);
    for (int k = 1; k <= 2; ++k) {
        if (!samplesOf(r, k))
            continue;
        r.StichprobeNr = static_cast<Integer>(k);
        const SampleFinding finding = testSample(r, test, k, r.Irrtum);
        if (finding.message) {
            r.Meldung = *finding.message;
            dialogs.ShowMessage(r.Meldung, kErrorTitle);
        }
        if (finding.tested && finding.significant)
            r.NormPruef = "N";
    }
    WriteNormalityClosing(test, r.Datentyp, r.ErgText);
    run.normalityReport = CheckReportText(r);
    if (r.NormPruef == "N") {
        run.normalityAdvice = &NormalityAdvice(r.Datentyp);
        return run;
    }

    // WELCH and WEIR do not assume equal variances.
    if (r.TestName != TestNames::Welch && r.TestName != TestNames::Weir) {
        VarianceTest(r);
        run.varianceReport = CheckReportText(r);
        if (r.VarPruef == "N")
            run.varianceAdvice = &VarianceAdvice(r.Datentyp);
    }
    return run;
}

void DeclineAssumptionCheck(AnalysisRecord& r)
{
    r.NormPruef = " ";
    r.VarPruef = " ";
}

std::optional<std::string> RunFurtherVarianceTest(AnalysisRecord& r, Dialogs& dialogs, VarianceList list)
{
    // Summary values have no additional tests: their moments are the
    // entered ones and must not be recomputed from rows of an earlier input.
    if (r.Datentyp == 3)
        return std::nullopt;
    const bool paired = list == VarianceList::Paired;
    r.TestName = paired ? TestNames::TVarianz : TestNames::FVarianz;
    for (int k = 1; k <= (r.Datentyp == 4 ? 1 : 2); ++k) {
        r.StichprobeNr = static_cast<Integer>(k);
        if (!ComputeMoments(r, dialogs, k))
            return std::nullopt;
    }

    // Each list asks only for the data type it serves; otherwise the
    // answer counts as empty.
    const bool asks = paired == (r.Datentyp == 4);
    const std::string prompt = std::string("Irrtumswahrscheinlichkeit/") + (paired ? "t-Tab." : "F-Tab.") + kCr + kCr
        + "(z.B. 0.5, 1 oder 5%)";
    constexpr Single kMinLevel = 0.00001f;
    constexpr Single kMaxLevel = 50.0f;
    for (;;) {
        const std::string answer = asks ? InputValue(dialogs, r, prompt) : std::string();
        r.Irrtum = static_cast<Single>(LevelValue(answer));
        if (r.Irrtum >= kMinLevel && r.Irrtum <= kMaxLevel)
            break;
    }
    VarianceTest(r);
    return CheckReportText(r);
}

} // namespace zx
