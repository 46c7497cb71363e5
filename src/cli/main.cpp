// zerantix-cli: one analysis of the module KAPA21 without windows, for
// scripts and pipelines. It reads the workbook (and the parameter file that
// names the program folder) and writes nothing but stdout and stderr.
#include "cli/Analysis.h"
#include "cli/CommandLine.h"
#include "core/NumberText.h"

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <iostream>

namespace {

// The program's folder, for finding blatt.xls as the windows find it.
std::string programFolder(const char* argv0)
{
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        return self.parent_path().string();
    return std::filesystem::absolute(argv0, error).parent_path().string();
}

} // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    const zx::cli::Parsed parsed = zx::cli::ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
    switch (parsed.kind) {
    case zx::cli::Parsed::Kind::Help: std::cout << zx::cli::HelpText(); return 0;
    case zx::cli::Parsed::Kind::Version: std::cout << zx::cli::VersionText(); return 0;
    case zx::cli::Parsed::Kind::Error: std::cerr << "zerantix-cli: " << parsed.message << "\n"; return zx::cli::kRefusedInput;
    case zx::cli::Parsed::Kind::Run: break;
    }
    // The decimal separator of the reports: as asked, else the region's.
    const char* point = std::localeconv()->decimal_point;
    zx::SetDecimalSeparator(parsed.options.separator.value_or(point && *point == ',' ? ',' : '.'));
    const auto outcome = zx::cli::RunAnalysis(parsed.options, programFolder(argv[0]), ZX_EXAMPLES_DIR);
    std::cout << outcome.out << std::flush;
    if (!outcome.err.empty())
        std::cerr << (outcome.status == zx::cli::kResult ? "" : "zerantix-cli: ") << outcome.err;
    return outcome.status;
}
