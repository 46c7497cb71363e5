// Where the program finds its workbook: record 1 of the parameter file, the
// order of the candidate folders, where the parameter file and examples are.
#include "core/ProgramDirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace zx {
namespace {

namespace fs = std::filesystem;

TEST(ProgramDirectory, RecordOneOfTheParameterFile)
{
    // One folder per process: the German run of these tests may run beside this one.
    const fs::path dir = fs::path(testing::TempDir()) / ("zx-parameter-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "velbor.PAR").string();
    struct Case { unsigned length; std::string text; std::size_t fileSize; std::optional<std::string> read; };
    const Case cases[] = {
        { 12, "C:\\Zerantix\\", 200, "C:\\Zerantix\\" },
        { 98, std::string(98, 'a'), 200, std::string(98, 'a') }, // the whole record
        { 99, std::string(99, 'a'), 200, std::nullopt },         // beyond the record
        { 0x100 + 12, "C:\\Zerantix\\", 200, std::nullopt },
        { 3, "abc", 5, "abc" },                                   // the file ends with the text
        { 3, "abc", 4, std::nullopt },                            // cut short
        { 0, "", 2, "" },
        { 0, "", 1, std::nullopt },
        { 14, "C:\\\xDC" "bung\\Ma\xDF\x80\\", 200, "C:\\Übung\\Maß€\\" }, // Windows-1252
    };
    for (const auto& c : cases) {
        std::string bytes { static_cast<char>(c.length & 0xFF), static_cast<char>(c.length >> 8) };
        bytes += c.text;
        bytes.resize(c.fileSize, '\x7f');
        std::ofstream(path, std::ios::binary) << bytes;
        EXPECT_EQ(ReadParameterRecord1(path), c.read) << c.length << " " << c.text << " in " << c.fileSize << " bytes";
    }
    EXPECT_FALSE(ReadParameterRecord1(dir.string())) << "a folder is not a parameter file";
    fs::remove_all(dir);
    EXPECT_FALSE(ReadParameterRecord1(path)) << "missing";
}

TEST(ProgramDirectory, OrderOfCandidates)
{
    DirectoryCandidates c;
    EXPECT_EQ(ResolveProgramDirectory(c), "./");
    c.currentFolder = "/cwd";
    EXPECT_EQ(ResolveProgramDirectory(c), "/cwd/");
    c.exampleFolder = "/opt/zx/examples";
    EXPECT_EQ(ResolveProgramDirectory(c), "/opt/zx/examples/");
    c.fromCommandLine = "/data/";
    EXPECT_EQ(ResolveProgramDirectory(c), "/data/");
    c.fromParameterFile = "C:\\Zerantix\\";
    EXPECT_EQ(ResolveProgramDirectory(c), "C:\\Zerantix\\");
    c.fromParameterFile = "";
    EXPECT_EQ(ResolveProgramDirectory(c), "/data/") << "an empty record names no folder";
}

TEST(ProgramDirectory, WhereTheParameterFileAndTheExamplesAreLookedFor)
{
    ::setenv("XDG_CONFIG_HOME", "/konfig", 1);
    EXPECT_EQ(ParameterFilePath(), "/konfig/velbor.PAR");
    ::setenv("XDG_CONFIG_HOME", "", 1);
    ::setenv("HOME", "/home/anwender", 1);
    EXPECT_EQ(ParameterFilePath(), "/home/anwender/.config/velbor.PAR");

    const fs::path root = fs::path(testing::TempDir()) / ("zx-examples-" + std::to_string(::getpid()));
    const std::string bin = (root / "bin").string(), examples = (root / "examples").string();
    fs::create_directories(root / "bin" / "examples");
    fs::create_directories(examples);
    EXPECT_FALSE(FindExampleFolder(bin, "/gibt/es/nicht"));
    std::ofstream(root / "examples" / "blatt.xls") << "x";
    EXPECT_EQ(FindExampleFolder(bin, "/gibt/es/nicht"), examples) << "one level up";
    EXPECT_EQ(FindExampleFolder("/gibt/es/nicht", examples), examples) << "the built-in folder";
    std::ofstream(root / "bin" / "examples" / "blatt.xls") << "x";
    EXPECT_EQ(FindExampleFolder(bin, examples), (root / "bin" / "examples").string()) << "beside the program first";
    // No parameter file in the configuration folder: the argument decides.
    EXPECT_EQ(FindProgramDirectory(bin, "/daten", examples, "/cwd"), "/daten/");
    fs::remove_all(root);
}

} // namespace
} // namespace zx
