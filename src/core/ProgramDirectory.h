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

// Where the parameter file is: "c:\velbor.PAR" on Windows; elsewhere
// velbor.PAR in the user's configuration folder ($XDG_CONFIG_HOME, else
// ~/.config).
std::string ParameterFilePath();

// The folder of the bundled example workbook: "examples" beside the program
// or one level up, else `builtIn` (the source tree's); nothing when none of
// them holds blatt.xls.
std::optional<std::string> FindExampleFolder(const std::string& programFolder, const std::string& builtIn);

// The program directory as the start window finds it, for a program in
// `programFolder` started in `currentFolder` (`argumentFolder`: a folder
// named on the command line).
std::string FindProgramDirectory(const std::string& programFolder, const std::optional<std::string>& argumentFolder,
    const std::string& builtInExamples, const std::string& currentFolder);

} // namespace zx
