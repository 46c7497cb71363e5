// The "Ergebnisse" command without its windows: the refusal after a failed
// assumption check, the report's common lines, the question for the error
// probability, and the chosen test. The main window shows the outcome.
//
// The report is left in record.ErgText: line 0 the heading (or
// "TESTNICHTMÖGLICH"), 1 the level, 2 and 3 the hypotheses, 4 to 10 the
// test's lines. Lines 12 and 13 and the assumption note of line 4 are the
// results window's to write.
#pragma once

namespace zx {

struct AnalysisRecord;
class Dialogs;

// Selected positions (0-based, -1 for none) of the main window's test lists:
// List1 single values, List2 class groups and summary values, List3 paired
// values. The level question's checks go by them.
struct TestListSelection {
    int list1 = -1;
    int list2 = -1;
    int list3 = -1;
};

// What the command does to the main window while it runs.
class ResultsCommandView {
public:
    virtual ~ResultsCommandView() = default;
    // Before the level question is asked (not for the WEIR test, which asks
    // none): unload the results window if it is loaded.
    virtual void unloadResultsWindow() = 0;
    // After each answer to the level question: disable "Deskriptive
    // Parameter" and "Graphik".
    virtual void disableDescriptiveAndGraphics() = 0;
    // "Ergebnisse": disabled on the refusal after a failed check, enabled
    // again for the WEIR test.
    virtual void setResultsButtonEnabled(bool enabled) = 0;
};

enum class ResultsOutcome {
    // An assumption check of the chosen test had failed (NormPruef "N" for
    // a parametric test, VarPruef "N" for one that assumes equal
    // variances): the user was told to choose a recommended test, both
    // checks are blank again, the report is untouched and no test ran.
    Refused,
    // TestName is none of the nine tests: nothing was done.
    NoTest,
    // The report is complete; show it.
    Shown,
    // The test refused its data after a "Fehler" box; line 0 reads
    // "TESTNICHTMÖGLICH".
    NotPossible,
};

// Runs the command on the record's TestName and HaWahl. The dialogs ask the
// level and show the messages; the view takes the main window's changes.
ResultsOutcome RunResults(AnalysisRecord& record, Dialogs& dialogs, const TestListSelection& lists, ResultsCommandView& view);

} // namespace zx
