// The date lines of reports and listings, in German form whatever the
// locale of the desktop.
#pragma once

#include <string>

namespace zx {

// Now, as "06.12.2026 14:01:15".
std::string ReportDateTime();
// Today, as "06.12.2026".
std::string ReportDate();

} // namespace zx
