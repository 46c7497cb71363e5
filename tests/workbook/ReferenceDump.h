// Reading the reference dumps (the xlsdump format, '#' lines are comments)
// and comparing a workbook with them.
#pragma once

#include "TestPrinters.h"

#include "workbook/Workbook.h"
#include "workbook/WorkbookDump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace zx::test {

inline std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

inline std::vector<std::string> fields(const std::string& line)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        out.push_back(line.substr(start, tab - start));
    out.push_back(line.substr(start));
    return out;
}

// The lines of a reference file without its comments.
inline std::vector<std::string> referenceLines(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#')
            lines.push_back(line);
    return lines;
}

// Error lines compare by their code only: the sentence names the file's path.
inline std::string comparable(const std::string& line)
{
    if (line.rfind("error\t", 0) == 0) {
        const auto f = fields(line);
        return f[0] + "\t" + (f.size() > 1 ? f[1] : "");
    }
    return line;
}

// Compares dump lines with the reference and names the first difference.
inline void expectSameDump(const std::vector<std::string>& expected, const std::vector<std::string>& actual)
{
    const std::size_t n = std::max(expected.size(), actual.size());
    for (std::size_t i = 0; i < n; ++i) {
        const std::string e = i < expected.size() ? comparable(expected[i]) : "(nothing)";
        const std::string a = i < actual.size() ? comparable(actual[i]) : "(nothing)";
        if (e != a) {
            ADD_FAILURE() << "line " << i + 1 << " of " << expected.size() << " lines differs\n  expected: " << e
                          << "\n  actual:   " << a;
            return;
        }
    }
}

inline std::string unescape(const std::string& s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char c = s[++i];
            out += c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c;
        } else {
            out += s[i];
        }
    }
    return out;
}

// Looks up every reference cell through Workbook::cell (a path of its own,
// apart from the walk that xlsdump takes) and checks each sheet's extent
// against the range the reference cells span.
inline void expectCellsAndExtents(const Workbook& book, const std::vector<std::string>& reference)
{
    std::map<int, SheetExtent> extents;
    int sheets = 0;
    for (const std::string& line : reference) {
        const auto f = fields(line);
        if (f[0] == "sheet") {
            ++sheets;
            continue;
        }
        ASSERT_EQ(f.size(), 3u) << line;
        const std::size_t bang = f[0].find('!');
        const int sheet = std::stoi(f[0].substr(0, bang));
        const auto pos = ParseA1(f[0].substr(bang + 1));
        ASSERT_TRUE(pos) << line;
        SheetExtent& e = extents[sheet];
        e.rows = std::max(e.rows, pos->row + 1);
        e.columns = std::max(e.columns, pos->column + 1);
        const Cell cell = book.cell(sheet, *pos);
        if (f[1] == "n") {
            ASSERT_TRUE(cell.isNumber()) << line;
            EXPECT_EQ(DumpNumber(cell.numberValue()), f[2]) << line;
        } else if (f[1] == "s") {
            ASSERT_TRUE(cell.isText()) << line;
            EXPECT_EQ(cell.textValue(), unescape(f[2])) << line;
        } else if (f[1] == "b") {
            ASSERT_TRUE(cell.isBoolean()) << line;
            EXPECT_EQ(cell.booleanValue(), f[2] == "1") << line;
        } else if (f[1] == "e") {
            ASSERT_TRUE(cell.isError()) << line;
            EXPECT_EQ(cell.textValue(), f[2]) << line;
        } else {
            ADD_FAILURE() << "unknown type in " << line;
        }
    }
    ASSERT_EQ(book.sheetCount(), sheets);
    for (int s = 0; s < sheets; ++s)
        EXPECT_EQ(book.extent(s), extents[s]) << "sheet " << s << " (" << book.sheetName(s) << ")";
}

} // namespace zx::test
