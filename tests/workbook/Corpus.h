// The workbooks every reader test walks: the real-world ones of data/xls-corpus,
// the reader's own of data/xml-corpus and data/biff-corpus, and the fixtures.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace zx::test {

namespace fs = std::filesystem;

inline const fs::path kData = ZX_WORKBOOK_TEST_DATA;

inline std::vector<fs::path> corpusWorkbooks()
{
    std::vector<fs::path> out{ kData / "fixture-cells.xls", kData / "fixture-sheets.xls" };
    for (const fs::path& folder : { kData / "xls-corpus", kData / "xls-corpus" / "other-formats", kData / "xml-corpus", kData / "biff-corpus" })
        for (const auto& entry : fs::directory_iterator(folder)) {
            std::string ext = entry.path().extension().string();
            std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            if (ext == ".xls" || ext == ".xlsx" || ext == ".ods")
                out.push_back(entry.path());
        }
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace zx::test
