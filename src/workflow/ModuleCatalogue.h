// The package's module catalogue as the start window shows it.
#pragma once

#include <string>
#include <vector>

namespace zx {

struct ModuleEntry {
    std::string control;  // option button, e.g. "Option2"
    std::string caption;  // "KAPA21-Vergleich zweier Stichproben"
    std::string code;     // "KAPA21"
    std::string heading;  // first line of the description, blanks included
    std::vector<std::string> lines; // the lines after the empty line
};

// The thirteen modules in the order of the catalogue.
const std::vector<ModuleEntry>& ModuleCatalogue();

// The code of the module this program is ("KAPA21").
inline constexpr const char* kThisModuleCode = "KAPA21";

// Heading, an empty line, then the module's lines, joined with CR LF.
std::string ModuleDescription(const ModuleEntry& m);

// The fixed text behind "Warum Zerantix", one entry a line.
const std::vector<std::string>& WhyZerantixLines();

} // namespace zx
