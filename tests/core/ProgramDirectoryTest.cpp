#include "core/ProgramDirectory.h"
#include "core/TextDecoding.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace zx {
namespace {

namespace fs = std::filesystem;

class ParameterFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("zx-param-" + std::to_string(::getpid()) + "-"
                   + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
        path_ = (dir_ / "velbor.PAR").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Record 1 with the given length field and text, padded to 100 bytes,
    // followed by a second record of other content.
    void write(unsigned length, const std::string& text, std::size_t totalSize = 200)
    {
        std::string bytes;
        bytes += static_cast<char>(length & 0xFF);
        bytes += static_cast<char>(length >> 8);
        bytes += text;
        bytes.resize(totalSize, '\x7f');
        std::ofstream(path_, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    fs::path dir_;
    std::string path_;
};

TEST_F(ParameterFile, ReadsRecordOne)
{
    write(12, "C:\\Zerantix\\");
    EXPECT_EQ(ReadParameterRecord1(path_), "C:\\Zerantix\\");
}

TEST_F(ParameterFile, MissingOrEmptyFile)
{
    EXPECT_FALSE(ReadParameterRecord1(path_).has_value());
    std::ofstream(path_).close();
    EXPECT_FALSE(ReadParameterRecord1(path_).has_value());
    EXPECT_FALSE(ReadParameterRecord1(dir_.string()).has_value()) << "a folder is not a parameter file";
}

TEST_F(ParameterFile, LengthBeyondTheRecordCountsAsMissing)
{
    write(98, std::string(98, 'a'));
    EXPECT_EQ(ReadParameterRecord1(path_), std::string(98, 'a'));
    write(99, std::string(99, 'a'));
    EXPECT_FALSE(ReadParameterRecord1(path_).has_value());
    write(0xFFFF, "/home/x/");
    EXPECT_FALSE(ReadParameterRecord1(path_).has_value());
}

TEST_F(ParameterFile, TruncatedRecord)
{
    write(20, "/home/anna/zx/", 10);
    EXPECT_FALSE(ReadParameterRecord1(path_).has_value());
}

TEST_F(ParameterFile, Windows1252TextBecomesUtf8)
{
    // "C:\Übung\Maß€\" in Windows-1252
    const std::string cp1252 = "C:\\\xDC" "bung\\Ma\xDF\x80\\";
    write(static_cast<unsigned>(cp1252.size()), cp1252);
    EXPECT_EQ(ReadParameterRecord1(path_), "C:\\Übung\\Maß€\\");
}

TEST(Windows1252, WholeUpperHalf)
{
    EXPECT_EQ(Windows1252ToUtf8("\xE4\xF6\xFC\xC4\xD6\xDC\xDF\xB5"), "äöüÄÖÜßµ");
    EXPECT_EQ(Windows1252ToUtf8("\x84\x93\x96"), "„“–");
    EXPECT_EQ(Windows1252ToUtf8("\x81"), "\xEF\xBF\xBD");
}

TEST(ResolveProgramDirectory, OrderOfCandidates)
{
    DirectoryCandidates c;
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
    c = {};
    EXPECT_EQ(ResolveProgramDirectory(c), "./");
}

// Where the parameter file and the example workbook are looked for.
TEST(ResolveProgramDirectory, ParameterFileAndExampleFolder)
{
    ::setenv("XDG_CONFIG_HOME", "/konfig", 1);
    EXPECT_EQ(ParameterFilePath(), "/konfig/velbor.PAR");
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", "/home/anwender", 1);
    EXPECT_EQ(ParameterFilePath(), "/home/anwender/.config/velbor.PAR");

    const std::filesystem::path root = std::filesystem::path(testing::TempDir()) / "zx-examples";
    std::filesystem::create_directories(root / "bin");
    std::filesystem::create_directories(root / "examples");
    EXPECT_FALSE(FindExampleFolder((root / "bin").string(), "/gibt/es/nicht"));
    std::ofstream(root / "examples" / "blatt.xls") << "x";
    EXPECT_EQ(FindExampleFolder((root / "bin").string(), "/gibt/es/nicht"), (root / "examples").string());
    EXPECT_EQ(FindExampleFolder("/gibt/es/nicht", (root / "examples").string()), (root / "examples").string());
    std::filesystem::remove_all(root);
}

} // namespace
} // namespace zx
