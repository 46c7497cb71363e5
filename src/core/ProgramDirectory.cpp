#include "core/ProgramDirectory.h"

#include "core/TextDecoding.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace zx {

namespace {
constexpr std::size_t kRecordLength = 100;
constexpr std::size_t kLengthField = 2;
} // namespace

std::optional<std::string> ReadParameterRecord1(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string record(kRecordLength, '\0');
    in.read(record.data(), kRecordLength);
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got < kLengthField)
        return std::nullopt;
    const std::size_t length = static_cast<unsigned char>(record[0])
        | (static_cast<std::size_t>(static_cast<unsigned char>(record[1])) << 8);
    if (length > kRecordLength - kLengthField || kLengthField + length > got)
        return std::nullopt;
    return Windows1252ToUtf8(record.substr(kLengthField, length));
}

std::string WithTrailingSeparator(std::string dir)
{
    if (dir.empty() || (dir.back() != '/' && dir.back() != '\\'))
        dir += '/';
    return dir;
}

std::string ResolveProgramDirectory(const DirectoryCandidates& c)
{
    for (const auto* candidate : { &c.fromParameterFile, &c.fromCommandLine, &c.exampleFolder }) {
        if (*candidate && !(*candidate)->empty())
            return WithTrailingSeparator(**candidate);
    }
    return WithTrailingSeparator(c.currentFolder.empty() ? std::string(".") : c.currentFolder);
}

std::string ParameterFilePath()
{
#ifdef _WIN32
    return "c:\\velbor.PAR";
#else
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config)
        return std::string(config) + "/velbor.PAR";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config/velbor.PAR";
#endif
}

std::optional<std::string> FindExampleFolder(const std::string& programFolder, const std::string& builtIn)
{
    namespace fs = std::filesystem;
    for (const fs::path dir : { fs::path(programFolder) / "examples", fs::path(programFolder) / ".." / "examples", fs::path(builtIn) }) {
        std::error_code error;
        if (!dir.empty() && fs::exists(dir / "blatt.xls", error))
            return fs::weakly_canonical(dir, error).string();
    }
    return std::nullopt;
}

std::string FindProgramDirectory(const std::string& programFolder, const std::optional<std::string>& argumentFolder,
    const std::string& builtInExamples, const std::string& currentFolder)
{
    return ResolveProgramDirectory({ ReadParameterRecord1(ParameterFilePath()), argumentFolder,
        FindExampleFolder(programFolder, builtInExamples), currentFolder });
}

} // namespace zx
