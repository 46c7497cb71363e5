// The choice of a test without the main window: "Wahl des TESTS", a click in
// a test list and a click in the hypothesis list. The windows show what
// these decide; the command-line analysis makes the same choices.
#pragma once

#include <string>

namespace zx {

struct AnalysisRecord;
class Dialogs;

// The test lists of the main window: List1 single values, List2 class
// groups and summary values, List3 paired values.
enum class TestList { None = 0, Single = 1, Grouped = 2, Paired = 3 };

// The list that offers the tests of a data type.
TestList ListFor(int datentyp);

// "Datentyp: Einzelne Werte" and the others, shown above the lists.
const char* DataTypeLine(int datentyp);

// "Wahl des TESTS": both checks blank again, and the descriptive values of
// the samples (paired values: of the differences; summary values were set at
// input). False when the arithmetic guard stopped the computation, which
// leaves nothing to test.
bool StartTestChoice(AnalysisRecord& record, Dialogs& dialogs);

// The test at a position of a list (0-based), or nothing.
const char* TestAt(TestList list, int index);

enum class TestChosen {
    None,            // no test at that position
    NeedsHypothesis, // the hypothesis is chosen next
    TwoSidedOnly,    // the WEIR test: hypothesis and level fixed, "Ergebnisse" at once
};

// A click in a test list: TestName and the report's heading; the WEIR test
// fixes its two-sided hypothesis; the U-test puts the smaller sample first,
// after telling the user.
TestChosen ChooseTest(AnalysisRecord& record, Dialogs& dialogs, TestList list, int index);

// A click in the hypothesis list (0 two-sided, 1 µ1 < µ2, 2 µ1 > µ2):
// HaWahl and report lines 2 and 3. False for any other position.
bool ChooseHypothesis(AnalysisRecord& record, int index);

} // namespace zx
