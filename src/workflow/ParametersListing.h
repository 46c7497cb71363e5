// What the descriptive-parameters window shows and prints: the listing of the
// current sample with its footnote, date and name, and the page with the
// parameters of both samples.
#pragma once

#include "workflow/PrintedText.h"

#include <optional>
#include <string>

namespace zx {

struct AnalysisRecord;
class Dialogs;

// The window's text: report lines 1 to 21, a rule, the footnote (line 22)
// and the date with the current sample's name in upper case; lines end in
// CR LF, the last one does not.
std::string ParametersText(const AnalysisRecord& record, const std::string& date);

// The printed page: heading, then each sample's 21 parameters (paired values:
// one block, the differences), footnote and date. Both samples' parameters
// are computed first, so that none is printed stale or empty; nothing when
// the arithmetic guard stopped that.
std::optional<PrintedText> ParametersPrintout(AnalysisRecord& record, Dialogs& dialogs, const std::string& date);

} // namespace zx
