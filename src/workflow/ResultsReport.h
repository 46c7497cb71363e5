// The text of the test-results window: the report lines of the test,
// completed by the assumption note, the names of the samples and the U-test
// caution, framed by separator lines and closed by the date; below the date
// the test's additions (p-value, estimates, effect sizes) when it left any.
#pragma once

#include <string>

namespace zx {

struct AnalysisRecord;

// Writes report lines 4 (assumption note), 12 (names) and 13 (U-test
// caution) from the check outcomes, the data type and the test.
void CompleteReportLines(AnalysisRecord& record);

// The whole report as the window shows and prints it; dateTime is the
// current date and time as text.
std::string ResultsReportText(const AnalysisRecord& record, const std::string& dateTime);

} // namespace zx
