// Where the program finds its workbook: record 1 of the parameter file, or a
// sensible folder when that file is missing.
#pragma once

#include <optional>
#include <string>

namespace zx {

// Record 1 of the parameter file: fixed 100-byte records, the first holding a
// 16-bit little-endian length followed by that many Windows-1252 characters.
// Returns the text as UTF-8, or nothing when the file is missing, unreadable,
// too short, or claims a length beyond its record.
std::optional<std::string> ReadParameterRecord1(const std::string& path);

struct DirectoryCandidates {
    std::optional<std::string> fromParameterFile;
    std::optional<std::string> fromCommandLine; // the program's only argument
    std::optional<std::string> exampleFolder;   // folder of the bundled workbook, if present
    std::string currentFolder;
};

// The program directory with a trailing path separator: the parameter file's
// record, else the folder named on the command line, else the example
// workbook's folder, else the current folder. Empty candidates are skipped.
std::string ResolveProgramDirectory(const DirectoryCandidates& c);

// Appends '/' unless the text already ends in a path separator.
std::string WithTrailingSeparator(std::string dir);

} // namespace zx
