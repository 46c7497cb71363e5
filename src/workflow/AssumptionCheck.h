// The check of a parametric test's assumptions, without its windows: which
// normality tests are offered, the question for their error probability, the
// tests over the samples, the variance comparison that follows a passed
// normality test, and which advice applies. Also "Weitere Tests", the
// variance comparison as a test of its own.
//
// The check leaves its outcome in NormPruef and VarPruef (" " not checked,
// "J" passed, "N" failed), which "Ergebnisse" reads.
#pragma once

#include "stats/NormalityTests.h"

#include <optional>
#include <string>
#include <vector>

namespace zx {

struct AnalysisRecord;
class Dialogs;

// What choosing a test leads to once its hypothesis is chosen: the
// assumption check for the parametric tests, a notice on the distribution
// shape for the U-test, nothing for the others.
enum class AssumptionStep { None, Check, ShapeNotice };
AssumptionStep AssumptionStepFor(const std::string& testName);

// The normality tests offered for a data type, in the order of the list.
std::vector<NormalityTest> OfferedNormalityTests(int datentyp);
// The list entry of a test ("  Kolmogoroff-Smirnoff-Test (KST)").
const char* NormalityTestEntry(NormalityTest test);

// An advice box of the check's results: its name and its text (lines joined
// by CR LF, ending in one).
struct Advice {
    const char* box;
    const char* text;
};
// Shown when normality was rejected (Text1, Text6, Text3 by data type).
const Advice& NormalityAdvice(int datentyp);
// Shown when the variances differ (Text2, Text7, Text4 by data type).
const Advice& VarianceAdvice(int datentyp);
// All six, for the window that holds them.
std::vector<Advice> AllAdvice();

// Report lines 0 to 14 of a check as one text: line 0, line 1, an empty
// line, lines 3 to 6, an empty line, lines 7 to 11, an empty line, line 12,
// an empty line, lines 13 and 14 (line 2 is not shown), joined by CR LF.
std::string CheckReportText(const AnalysisRecord& record);

// Asks for the error probability of a normality test until the answer is
// one the test's table has (KOLMOGOROFF-SMIRNOV and SHAPIRO-WILK 1, 5 or 10;
// DAVID also 0.1), with a "Fehler" message for any other. An empty answer
// (also "Abbrechen") counts as 5.
float AskCheckLevel(AnalysisRecord& record, Dialogs& dialogs, NormalityTest test);

struct CheckRun {
    // A sample was too small (or large) for the test: the user was told,
    // nothing was judged, and the dialog is to be offered again.
    bool refused = false;
    // The normality report, and its advice when normality was rejected.
    std::string normalityReport;
    const Advice* normalityAdvice = nullptr;
    // The variance report when the comparison followed, and its advice when
    // the variances differ.
    std::optional<std::string> varianceReport;
    const Advice* varianceAdvice = nullptr;
};

// The check with the chosen normality test at the level AskCheckLevel gave:
// the test of each sample (paired values: the differences, once), and, when
// normality was not rejected and the chosen test is neither WELCH nor WEIR,
// the variance comparison. The record's report lines hold the last report.
CheckRun RunAssumptionCheck(AnalysisRecord& record, Dialogs& dialogs, NormalityTest test, float levelPercent);

// "nein": no check wanted.
void DeclineAssumptionCheck(AnalysisRecord& record);

// "Weitere Tests": the variance comparison of the list clicked, List4 (the
// t-test for paired values) or List6 (the F-test). Sets TestName, computes
// the sums and moments, asks the level (0.00001 to 50 %, asked again
// without a message otherwise; only for the data type the list serves) and
// runs the comparison. Gives its report, or nothing when the data have no
// additional tests (summary values) or the moments could not be computed.
enum class VarianceList { Paired, Independent };
std::optional<std::string> RunFurtherVarianceTest(AnalysisRecord& record, Dialogs& dialogs, VarianceList list);

} // namespace zx
