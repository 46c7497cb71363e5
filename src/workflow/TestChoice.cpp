#include "workflow/TestChoice.h"

#include "core/AnalysisRecord.h"
#include "core/Dialogs.h"
#include "core/TestNames.h"
#include "stats/Descriptive.h"
#include "stats/Helpers.h"
#include "stats/ReportLines.h"

namespace zx {

namespace {

constexpr const char* kIndependent[] = { TestNames::TTestZwei, TestNames::Welch, TestNames::Lord, TestNames::Weir,
    TestNames::UTest, TestNames::Median };
constexpr const char* kPaired[] = { TestNames::TTestPaare, TestNames::Wilcoxon, TestNames::Vorzeichen };

void writeHypothesis(AnalysisRecord& r, const Hypothesis& h)
{
    r.HaWahl = h.HaWahl;
    r.ErgText[2] = h.line2;
    r.ErgText[3] = h.line3;
}

} // namespace

TestList ListFor(int datentyp)
{
    switch (datentyp) {
    case 1: return TestList::Single;
    case 2:
    case 3: return TestList::Grouped;
    case 4: return TestList::Paired;
    default: return TestList::None;
    }
}

const char* DataTypeLine(int datentyp)
{
    switch (datentyp) {
    case 1: return "Datentyp: Einzelne Werte";
    case 2: return "Datentyp: Klassengruppen (Klassenmitte)";
    case 3: return "Datentyp: XQUER/STANDARDABWEICHUNG/UMFANG";
    case 4: return "Datentyp: Verbunden / Wertepaare";
    default: return "DATENTYP:";
    }
}

bool StartTestChoice(AnalysisRecord& r, Dialogs& dialogs)
{
    r.NormPruef = " ";
    r.VarPruef = " ";
    return r.Datentyp == 3 || ComputeDescriptives(r, dialogs);
}

const char* TestAt(TestList list, int index)
{
    if (index < 0)
        return nullptr;
    switch (list) {
    case TestList::Single: return index < 6 ? kIndependent[index] : nullptr;
    case TestList::Grouped: return index < 4 ? kIndependent[index] : nullptr;
    case TestList::Paired: return index < 3 ? kPaired[index] : nullptr;
    case TestList::None: break;
    }
    return nullptr;
}

TestChosen ChooseTest(AnalysisRecord& r, Dialogs& dialogs, TestList list, int index)
{
    r.TestName.clear();
    if (list == TestList::Grouped)
        r.ErgText[0] = kHeadingGrouped;
    else if (list == TestList::Paired)
        r.ErgText[0] = kHeading;
    const char* test = TestAt(list, index);
    if (!test)
        return TestChosen::None;
    r.TestName = test;
    if (r.TestName == TestNames::Weir) {
        r.ErgText[1] = LevelLine(5);
        writeHypothesis(r, *HypothesisOf("N"));
        return TestChosen::TwoSidedOnly;
    }
    if (r.TestName == TestNames::UTest && r.AnzahlWerte[1] > r.AnzahlWerte[2]) {
        const std::string crlf = kCrLf;
        dialogs.ShowMessage("Beim U-Test muß n < m eingegeben werden." + crlf + "n < > m werden durch Zerantix vertauscht" + crlf
                + "Bei der Ha-Wahl muß dies berücksichtigt werden." + crlf + "Zum Fortsetzen drucken Sie OK.",
            "Fehler");
        SwapSamples(r);
    }
    return TestChosen::NeedsHypothesis;
}

bool ChooseHypothesis(AnalysisRecord& r, int index)
{
    const Hypothesis* h = HypothesisAt(index);
    if (!h)
        return false;
    writeHypothesis(r, *h);
    return true;
}

} // namespace zx
