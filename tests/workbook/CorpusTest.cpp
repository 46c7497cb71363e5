// Every corpus workbook against the reference xlrd, openpyxl or pandas printed
// (data/corpus/*.txt by data/make_corpus_references.py; the fixtures' beside
// them): xlsdump prints it, and Workbook::cell finds each cell within the extents.
#include "BiffBuilder.h"
#include "Corpus.h"

#include "workbook/WorkbookDump.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <map>
#include <sstream>

namespace zx {
namespace {

using namespace zx::test;

// Lines without comments; an error line by its code only, as its sentence names the path.
std::vector<std::string> lines(std::istream&& in)
{
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#')
            out.push_back(line.starts_with("error\t") ? line.substr(0, line.find('\t', 6)) : line);
    return out;
}

std::string xlsdump(const fs::path& workbook, int& status)
{
    std::string output;
    FILE* pipe = ::popen(("'" ZX_XLSDUMP "' '" + workbook.string() + "'").c_str(), "r");
    char buffer[65536];
    for (std::size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    const int s = pipe ? ::pclose(pipe) : -1;
    status = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
    return output;
}

class Workbooks : public ::testing::TestWithParam<fs::path> {};

TEST_P(Workbooks, ReadAsTheReferenceSays)
{
    const fs::path workbook = GetParam();
    const fs::path reference = fs::exists(workbook.string() + ".txt") ? fs::path(workbook.string() + ".txt")
                                                                      : kData / "corpus" / (workbook.filename().string() + ".txt");
    const std::vector<std::string> expected = lines(std::ifstream(reference));
    ASSERT_FALSE(expected.empty()) << reference << " is missing: run data/make_corpus_references.py";
    const bool error = expected[0].starts_with("error\t");

    int status = -1;
    const std::vector<std::string> dumped = lines(std::istringstream(xlsdump(workbook, status)));
    EXPECT_EQ(status, error ? 1 : 0);
    const auto [e, d] = std::mismatch(expected.begin(), expected.end(), dumped.begin(), dumped.end());
    if (e != expected.end() || d != dumped.end())
        ADD_FAILURE() << "line " << (e - expected.begin()) + 1 << " of " << expected.size() << "\n  expected: "
                      << (e == expected.end() ? "(nothing)" : *e) << "\n  xlsdump:  " << (d == dumped.end() ? "(nothing)" : *d);

    const OpenResult result = OpenWorkbook(workbook.string());
    if (error) {
        ASSERT_FALSE(result);
        EXPECT_EQ("error\t" + std::string(OpenErrorCodeName(result.error->code)), expected[0]);
        return;
    }
    ASSERT_TRUE(result) << result.error->detail;
    const Workbook& book = *result.workbook;
    std::map<int, SheetExtent> extents;
    for (const std::string& line : expected) {
        if (line.starts_with("sheet\t"))
            continue;
        const std::size_t bang = line.find('!'), tab = line.find('\t');
        const int sheet = std::stoi(line.substr(0, bang));
        const auto p = ParseA1(line.substr(bang + 1, tab - bang - 1));
        ASSERT_TRUE(p) << line;
        extents[sheet] = { std::max(extents[sheet].rows, p->row + 1), std::max(extents[sheet].columns, p->column + 1) };
        const Cell c = book.cell(sheet, *p);
        const std::string value = c.isNumber() ? "n\t" + DumpNumber(c.numberValue())
            : c.isBoolean()                    ? std::string("b\t") + (c.booleanValue() ? "1" : "0")
            : c.isEmpty()                      ? "(empty)"
                                               : (c.isText() ? "s\t" : "e\t") + DumpEscape(c.textValue());
        EXPECT_EQ(line.substr(tab + 1), value) << line;
    }
    for (int s = 0; s < book.sheetCount(); ++s)
        EXPECT_EQ(book.extent(s), extents[s]) << "sheet " << s;
}

INSTANTIATE_TEST_SUITE_P(Corpus, Workbooks, ::testing::ValuesIn(corpusWorkbooks()), [](const auto& info) {
    std::string name = info.param.filename().string();
    std::replace_if(name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
});

TEST(Corpus, IsComplete) { EXPECT_GE(corpusWorkbooks().size(), 62u); }

} // namespace
} // namespace zx
