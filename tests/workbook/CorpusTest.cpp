// Real workbooks against independent readers: for every workbook of the
// corpus, xlsdump must print what xlrd 1.2.0 (.xls), openpyxl (.xlsx) or
// pandas (.ods) printed into the committed reference (data/corpus/*.txt,
// written by data/make_corpus_references.py). The reader's own fixtures
// (data/fixture-*.xls) are checked the same way against the dumps
// make_fixtures.py wrote with them.
#include "ReferenceDump.h"

#include "workbook/Workbook.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

namespace zx {
namespace {

namespace fs = std::filesystem;
using namespace zx::test;

const fs::path kData = ZX_WORKBOOK_TEST_DATA;
const fs::path kCorpus = ZX_XLS_CORPUS;
// Where the corpus workbooks lie, and which of their files are workbooks.
const std::vector<std::pair<fs::path, std::vector<std::string>>> kCorpusFolders{
    { kCorpus, { ".xls" } },
    { kCorpus / "other-formats", { ".xlsx", ".ods" } },
    { kData / "xml-corpus", { ".xlsx", ".ods" } },
};

fs::path corpusWorkbook(const std::string& name)
{
    for (const auto& [folder, extensions] : kCorpusFolders)
        if (fs::exists(folder / name))
            return folder / name;
    return kCorpus / name;
}

struct Sample {
    std::string name;      // file name of the workbook
    fs::path workbook;     // where the workbook is
    fs::path reference;    // its expected dump
};

std::vector<Sample> samples()
{
    std::vector<Sample> out;
    for (const auto& entry : fs::directory_iterator(kData / "corpus")) {
        const std::string file = entry.path().filename().string();
        if (entry.path().extension() != ".txt")
            continue;
        const std::string name = file.substr(0, file.size() - 4);
        out.push_back({ name, corpusWorkbook(name), entry.path() });
    }
    for (const char* name : { "fixture-cells.xls", "fixture-sheets.xls" })
        out.push_back({ name, kData / name, kData / (std::string(name) + ".txt") });
    std::sort(out.begin(), out.end(), [](const Sample& a, const Sample& b) { return a.name < b.name; });
    return out;
}

std::string testName(const ::testing::TestParamInfo<Sample>& info)
{
    std::string n;
    for (const char c : info.param.name)
        n += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return n;
}

struct RunResult {
    std::string output;
    int status = -1;
};

RunResult runXlsdump(const fs::path& workbook)
{
    RunResult r;
    const std::string command = std::string("'") + ZX_XLSDUMP + "' '" + workbook.string() + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return r;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        r.output.append(buffer, n);
    const int status = ::pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

class Workbooks : public ::testing::TestWithParam<Sample> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fs::exists(GetParam().workbook)) << GetParam().workbook;
        expected_ = referenceLines(GetParam().reference.string());
        ASSERT_FALSE(expected_.empty()) << GetParam().reference;
    }

    bool expectsError() const { return expected_.size() == 1 && expected_[0].rfind("error\t", 0) == 0; }

    std::vector<std::string> expected_;
};

TEST_P(Workbooks, XlsdumpPrintsTheReference)
{
    const RunResult run = runXlsdump(GetParam().workbook);
    EXPECT_EQ(run.status, expectsError() ? 1 : 0);
    expectSameDump(expected_, splitLines(run.output));
}

TEST_P(Workbooks, EveryCellAndExtentThroughTheInterface)
{
    const OpenResult result = OpenWorkbook(GetParam().workbook.string());
    if (expectsError()) {
        ASSERT_FALSE(result);
        EXPECT_EQ("error\t" + std::string(OpenErrorCodeName(result.error->code)), comparable(expected_[0]));
        EXPECT_NE(result.error->message.find(GetParam().workbook.string()), std::string::npos)
            << "the sentence names the file: " << result.error->message;
        return;
    }
    ASSERT_TRUE(result) << result.error->detail;
    expectCellsAndExtents(*result.workbook, expected_);
}

INSTANTIATE_TEST_SUITE_P(Reference, Workbooks, ::testing::ValuesIn(samples()), testName);

TEST(CorpusReferences, EveryCorpusWorkbookHasOne)
{
    int workbooks = 0;
    for (const auto& [folder, extensions] : kCorpusFolders) {
        ASSERT_TRUE(fs::is_directory(folder)) << folder;
        for (const auto& entry : fs::directory_iterator(folder)) {
            std::string ext = entry.path().extension().string();
            std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
            if (std::find(extensions.begin(), extensions.end(), ext) == extensions.end())
                continue;
            ++workbooks;
            EXPECT_TRUE(fs::exists(kData / "corpus" / (entry.path().filename().string() + ".txt")))
                << entry.path().filename() << " has no reference: run data/make_corpus_references.py";
        }
    }
    EXPECT_GE(workbooks, 40);
}

} // namespace
} // namespace zx
