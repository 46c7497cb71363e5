#include "workflow/ResultsCommand.h"

#include "core/AnalysisRecord.h"
#include "core/Dialogs.h"
#include "core/NumberText.h"
#include "core/TestNames.h"
#include "stats/EffectSizes.h"
#include "stats/IndependentTests.h"
#include "stats/PairedTests.h"
#include "stats/RankTests.h"
#include "stats/ResultFigures.h"
#include "stats/ReportLines.h"
#include "stats/TestOutcome.h"
#include "workflow/AssumptionCheck.h"

#include <algorithm>
#include <initializer_list>
#include <string>

namespace zx {

namespace {

constexpr const char* kRecommendTest = "WÄHLEN SIE EINEN DER EMPFOHLENEN TESTS";
constexpr const char* kConfirmTitle = "Bitte bestätigen Sie";
constexpr const char* kErrorTitle = "Fehler";

// Highest level the question accepts: beyond it a quantile would be asked
// for an impossible probability.
constexpr float kMaxLevel = 50;

// List positions of the tests whose levels are checked.
constexpr int kLordPosition = 2;     // List1, List2
constexpr int kUTestPosition = 4;    // List1
constexpr int kWilcoxonPosition = 1; // List3

struct LevelPrompt {
    const char* question;
    const char* hint;
};

constexpr LevelPrompt kLordPrompt { "Irrtumswahrscheinlichkeit für den Lord-Test.", "(Nur 1% oder 5%)" };
constexpr LevelPrompt kUTwoSidedPrompt { "Irrtumswahrscheinlichkeit für den U-Test.", "(Nur 1, 5 oder 10)" };
constexpr LevelPrompt kUOneSidedPrompt { "Irrtumswahrscheinlichkeit für den U-Test.", "(Nur 0.5, 2.5 oder 5)" };
constexpr LevelPrompt kZPrompt { "Irrtumswahrscheinlichkeit für den z-Test.", "(z.B. 0.5, 1 oder 5%)" };
constexpr LevelPrompt kWilcoxonTwoSidedPrompt { "Irrtumswahrscheinlichkeit für den Wilcoxon-Test.", "(Nur 1, 2, 5 oder 10%)" };
constexpr LevelPrompt kWilcoxonOneSidedPrompt { "Irrtumswahrscheinlichkeit für den Wilcoxon-Test.", "(Nur 0.5, 1, 2.5 oder 5%)" };
constexpr LevelPrompt kMedianPrompt { "Irrtumswahrscheinlichkeit aus der Chi²-Tab.", "(z.B. 1, 5, 10%)" };
constexpr LevelPrompt kStudentPrompt { "Irrtumswahrscheinlichkeit aus der Student-Verteilung", "(z.B. 1, 5, 10%)" };

// What the level question needs to know about the data.
struct Sizes {
    int n = 0;      // AnzahlWerte(1)
    int m = 0;      // AnzahlWerte(2)
    int nPrime = 0; // non-zero pair differences
};

Sizes sizesOf(const AnalysisRecord& r)
{
    Sizes s;
    s.n = r.AnzahlWerte[1];
    s.m = r.AnzahlWerte[2];
    s.nPrime = NonZeroCount(PairDifferences(r));
    return s;
}

bool uTestTable(const Sizes& s) { return s.n <= kUTableMax && s.m <= kUTableMax; }
// The WILCOXON test reads its table below 30 non-zero differences; the
// question must offer that table's levels exactly then.
bool wilcoxonTable(const Sizes& s) { return s.nPrime < kWilcoxonNormalFrom; }

LevelPrompt promptFor(const AnalysisRecord& r, const Sizes& s)
{
    const bool twoSided = r.HaWahl == "N";
    if (r.TestName == TestNames::Lord)
        return kLordPrompt;
    if (r.TestName == TestNames::UTest) {
        if (!uTestTable(s))
            return kZPrompt;
        return twoSided ? kUTwoSidedPrompt : kUOneSidedPrompt;
    }
    if (r.TestName == TestNames::Wilcoxon) {
        if (!wilcoxonTable(s))
            return kZPrompt;
        return twoSided ? kWilcoxonTwoSidedPrompt : kWilcoxonOneSidedPrompt;
    }
    if (r.TestName == TestNames::Median)
        return kMedianPrompt;
    return kStudentPrompt;
}

bool oneOf(float level, std::initializer_list<float> allowed)
{
    return std::find(allowed.begin(), allowed.end(), level) != allowed.end();
}

// The refusal message of a level the chosen test's table has no column for.
const char* levelRefusal(const AnalysisRecord& r, const TestListSelection& lists, const Sizes& s, float level)
{
    const bool twoSided = r.HaWahl == "N";
    if ((lists.list2 == kLordPosition || lists.list1 == kLordPosition) && !oneOf(level, { 1, 5 }))
        return "Bitte wählen Sie nur zwischen 1% und 5%";
    if (lists.list1 == kUTestPosition && uTestTable(s)) {
        if (twoSided && !oneOf(level, { 1, 5, 10 }))
            return "Bitte wählen Sie nur zwischen 1%, 5% und 10%";
        if (!twoSided && !oneOf(level, { 0.5f, 2.5f, 5 }))
            return "Bitte wählen Sie nur zwischen 0.5%, 2.5% und 5%";
    }
    if (lists.list3 == kWilcoxonPosition && wilcoxonTable(s)) {
        if (twoSided && !oneOf(level, { 1, 2, 5, 10 }))
            return "Bitte wählen Sie nur zwischen 1%, 2%, 5% und 10%";
        if (!twoSided && !oneOf(level, { 0.5f, 1, 2.5f, 5 }))
            return "Bitte wählen Sie nur zwischen 0.5%, 1%, 2.5% und 5%";
    }
    return nullptr;
}

// Asks until the answer is a level the test can use; writes IrrtumTest and
// line 1. An empty answer (also "Abbrechen") counts as 5, which every test
// accepts, so the question always ends.
void askLevel(AnalysisRecord& r, Dialogs& dialogs, const TestListSelection& lists, ResultsCommandView& view)
{
    view.unloadResultsWindow();
    const Sizes sizes = sizesOf(r);
    for (;;) {
        const LevelPrompt prompt = promptFor(r, sizes);
        const std::string answer = InputValue(dialogs, r, std::string(prompt.question) + kCr + kCr + prompt.hint);
        view.disableDescriptiveAndGraphics();
        // 0, negative and too large levels are simply asked again; so is a
        // level too small to be held as a Single.
        const double typed = LevelValue(answer);
        if (!(typed > 0 && typed <= kMaxLevel))
            continue;
        const auto level = static_cast<float>(typed);
        if (!(level > 0))
            continue;
        if (const char* refusal = levelRefusal(r, lists, sizes, level)) {
            r.Meldung = refusal;
            dialogs.ShowMessage(r.Meldung, kErrorTitle);
            continue;
        }
        r.IrrtumTest = level;
        r.ErgText[1] = LevelLine(level);
        return;
    }
}

// Writes the result's lines, or shows the refusal and marks the report.
// True when the lines are written.
template <typename Result, typename Write>
bool finish(AnalysisRecord& r, Dialogs& dialogs, const Computed<Result>& computed, Write write)
{
    if (const auto* refusal = std::get_if<Refusal>(&computed)) {
        r.Meldung = refusal->message;
        dialogs.ShowMessage(r.Meldung, kErrorTitle);
        r.ErgText[0] = kTestNotPossible;
        return false;
    }
    write(std::get<Result>(computed), r.ErgText);
    r.Pruefgroessen = FiguresOf(std::get<Result>(computed));
    return true;
}

// The tests that take a hypothesis refuse to guess one. A test that ran
// leaves its additions beside the report: `supplement` computes them from
// the result and the alternative.
template <typename Result, typename Compute, typename Write, typename Add>
void runWithAlternative(AnalysisRecord& r, Dialogs& dialogs, const char* title, Compute compute, Write write, Add supplement)
{
    const auto alternative = AlternativeOf(r.HaWahl);
    if (!alternative) {
        finish<Result>(r, dialogs, Computed<Result>(NotPossible(title, kNoAlternative)), write);
        return;
    }
    const Computed<Result> computed = compute(*alternative);
    if (finish<Result>(r, dialogs, computed, write))
        r.Zusatzangaben = supplement(std::get<Result>(computed), *alternative);
}

// Rank methods need the single values; class groups and summary values do
// not have them.
bool hasSingleValues(const AnalysisRecord& r) { return r.Datentyp == 1; }

Supplement withoutSingleValues(Alternative alternative, double alpha)
{
    Supplement s;
    s.alternative = alternative;
    s.alpha = alpha;
    Figure p;
    p.omitted = "Rangverfahren sind aus Klassengruppen oder Kennwerten nicht berechenbar";
    s.figures.push_back(p);
    return s;
}

void runTest(AnalysisRecord& r, Dialogs& dialogs)
{
    const float level = r.IrrtumTest;
    const double alpha = Fraction(level);
    const std::string& name = r.TestName;
    const SampleSummary a = SummaryOf(r, 1);
    const SampleSummary b = SummaryOf(r, 2);
    if (name == TestNames::TTestZwei) {
        runWithAlternative<TTestResult>(r, dialogs, kTTestTitle,
            [&](Alternative h) { return ComputeTTest(a, b, level, h); }, WriteTTest,
            [&](const TTestResult&, Alternative h) { return TTestSupplement(a, b, alpha, h); });
    } else if (name == TestNames::Welch) {
        runWithAlternative<WelchResult>(r, dialogs, kWelchTitle,
            [&](Alternative h) { return ComputeWelch(a, b, level, h); }, WriteWelch,
            [&](const WelchResult&, Alternative h) { return WelchSupplement(a, b, alpha, h); });
    } else if (name == TestNames::Lord) {
        runWithAlternative<LordResult>(r, dialogs, kLordTitle,
            [&](Alternative h) { return ComputeLord(a, b, level, h); }, WriteLord,
            [&](const LordResult&, Alternative h) { return WelchFiguresWithoutP(a, b, alpha, h, kLordTitle); });
    } else if (name == TestNames::UTest) {
        const auto x = SampleValues(r, 1), y = SampleValues(r, 2);
        runWithAlternative<UTestResult>(r, dialogs, kUTestTitle,
            [&](Alternative h) { return ComputeUTest(x, y, level, h); }, WriteUTest,
            [&](const UTestResult&, Alternative h) {
                return hasSingleValues(r) ? UTestSupplement(x, y, alpha, h) : withoutSingleValues(h, alpha);
            });
    } else if (name == TestNames::Median) {
        const auto x = SampleValues(r, 1), y = SampleValues(r, 2);
        runWithAlternative<MedianResult>(r, dialogs, kMedianTitle,
            [&](Alternative h) { return ComputeMedianTest(x, y, level, h); }, WriteMedianTest,
            [&](const MedianResult& table, Alternative h) {
                return hasSingleValues(r) ? MedianTestSupplement(table, alpha, h) : withoutSingleValues(h, alpha);
            });
    } else if (name == TestNames::TTestPaare) {
        runWithAlternative<PairedTResult>(r, dialogs, kPairedTTitle,
            [&](Alternative h) { return ComputePairedTTest(r.Umfang[1], r.Mittelwert[1], r.StdAbw[1], level, h); },
            WritePairedTTest,
            [&](const PairedTResult&, Alternative h) {
                return PairedTSupplement(r.Umfang[1], r.Mittelwert[1], r.StdAbw[1], alpha, h);
            });
    } else if (name == TestNames::Vorzeichen) {
        const auto d = PairDifferences(r);
        runWithAlternative<SignTestResult>(r, dialogs, kSignTitle,
            [&](Alternative h) { return ComputeSignTest(d, level, h); }, WriteSignTest,
            [&](const SignTestResult&, Alternative h) { return SignTestSupplement(d, alpha, h); });
    } else if (name == TestNames::Wilcoxon) {
        const auto d = PairDifferences(r);
        runWithAlternative<WilcoxonResult>(r, dialogs, kWilcoxonTitle,
            [&](Alternative h) { return ComputeWilcoxon(d, level, h); }, WriteWilcoxon,
            [&](const WilcoxonResult&, Alternative h) { return WilcoxonSupplement(d, alpha, h); });
    }
}

bool asksLevel(const std::string& name)
{
    for (const char* test : { TestNames::TTestZwei, TestNames::Welch, TestNames::Lord, TestNames::UTest, TestNames::Median,
             TestNames::TTestPaare, TestNames::Vorzeichen, TestNames::Wilcoxon })
        if (name == test)
            return true;
    return false;
}

// Whether a failed check stands against the chosen test. A rejected
// normality concerns every parametric test, unequal variances those that
// assume equal ones; the tests the advice recommends instead run.
bool failedCheckConcerns(const AnalysisRecord& r)
{
    if (AssumptionStepFor(r.TestName) != AssumptionStep::Check)
        return false;
    if (r.NormPruef == "N")
        return true;
    return r.VarPruef == "N" && r.TestName != TestNames::Welch && r.TestName != TestNames::Weir;
}

void writeHypothesisLines(AnalysisRecord& r)
{
    if (const Hypothesis* h = HypothesisOf(r.HaWahl)) {
        r.ErgText[2] = h->line2;
        r.ErgText[3] = h->line3;
    }
}

} // namespace

ResultsOutcome RunResults(AnalysisRecord& r, Dialogs& dialogs, const TestListSelection& lists, ResultsCommandView& view)
{
    // Only the nine tests give a report; anything else would show an empty one.
    if (r.TestName != TestNames::Weir && !asksLevel(r.TestName))
        return ResultsOutcome::NoTest;
    if (failedCheckConcerns(r)) {
        view.setResultsButtonEnabled(false);
        r.Meldung = kRecommendTest;
        dialogs.ShowMessage(r.Meldung, kConfirmTitle);
        r.NormPruef = " ";
        r.VarPruef = " ";
        return ResultsOutcome::Refused;
    }

    for (int i = 0; i <= 15; ++i)
        r.ErgText[static_cast<std::size_t>(i)].clear();
    r.Zusatzangaben.reset();
    r.Pruefgroessen.reset();
    r.ErgText[0] = kHeading;
    r.ErgText[1] = LevelLine(5);
    writeHypothesisLines(r);

    if (r.TestName == TestNames::Weir) {
        // Two-sided at 5 % only, without a question.
        r.HaWahl = "N";
        writeHypothesisLines(r);
        view.setResultsButtonEnabled(true);
        const SampleSummary a = SummaryOf(r, 1);
        const SampleSummary b = SummaryOf(r, 2);
        if (finish<WeirResult>(r, dialogs, ComputeWeir(a, b), WriteWeir))
            r.Zusatzangaben = WelchFiguresWithoutP(a, b, Fraction(5), Alternative::TwoSided, kWeirTitle);
    } else {
        askLevel(r, dialogs, lists, view);
        runTest(r, dialogs);
    }
    return r.ErgText[0] == kTestNotPossible ? ResultsOutcome::NotPossible : ResultsOutcome::Shown;
}

} // namespace zx
