// The analysis as one JSON object: the report lines as shown, the numbers
// behind them, the descriptive parameters of both samples and the check.
#pragma once

#include "cli/CommandLine.h"
#include "workflow/AssumptionCheck.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zx {
struct AnalysisRecord;
}

namespace zx::cli {

// `names`: the samples' names as entered (the listing shortens the record's);
// `report`, `checkText`, `listings`: the texts as the windows show them.
std::string JsonReport(const AnalysisRecord& record, const std::array<std::string, 3>& names, const std::string& report,
    const std::optional<CheckRun>& check, const std::string& checkText, const std::vector<std::string>& listings,
    const Options& options);

} // namespace zx::cli
