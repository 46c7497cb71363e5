// Opening files: the format told by the content, the errors and their
// sentences, the file left alone, and which sheet is in front in each format.
#include "BiffBuilder.h"
#include "Corpus.h"
#include "ZipWriter.h"

#include "workbook/OdsReader.h"
#include "workbook/XlsReader.h"
#include "workbook/XlsxReader.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <functional>

namespace zx {
namespace {

using namespace zx::test;

ByteVector smallBook(double a1, bool biff8 = true) { return oneSheet(numberRecord(0, 0, a1), {}, biff8); }

// A file made in a fresh folder; the path to open.
using MakeFile = std::function<std::string(const fs::path& folder)>;

// Read-only: reading must not need to write.
MakeFile file(const std::string& name, const ByteVector& bytes)
{
    return [=](const fs::path& folder) {
        writeFile((folder / name).string(), bytes);
        fs::permissions(folder / name, fs::perms::owner_read);
        return (folder / name).string();
    };
}

bool processHoldsOpen(const fs::path& file)
{
    for (const auto& fd : fs::directory_iterator("/proc/self/fd"))
        if (std::error_code ec; fs::read_symlink(fd.path(), ec) == fs::canonical(file))
            return true;
    return false;
}

struct FileCase {
    const char* name;
    MakeFile make;
    double a1;                                        // the number in A1 of the workbook, NaN: none
    OpenErrorCode code = OpenErrorCode::NotAWorkbook; // else this error
    const char* sentence = "";                        // and a piece of its German sentence
};

class Files : public ::testing::TestWithParam<FileCase> {
protected:
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }
    const fs::path folder = fs::temp_directory_path() / ("zx-open-" + std::to_string(::getpid()));
};

TEST_P(Files, OpenAsWorkbookOrSayWhyNot)
{
    const std::string path = GetParam().make(folder);
    const ByteVector before = std::isnan(GetParam().a1) ? ByteVector() : readFile(path);
    const OpenResult r = OpenWorkbook(path);
    if (!std::isnan(GetParam().a1)) {
        ASSERT_TRUE(r) << r.error->detail;
        // While the workbook is in use, others may read, replace or delete the file.
        EXPECT_FALSE(processHoldsOpen(path));
        EXPECT_EQ(readFile(path), before);
        fs::remove(path);
        EXPECT_EQ(r.workbook->cell(0, "A1"), Cell::number(GetParam().a1)) << "the workbook lives on in memory";
        return;
    }
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error->code, GetParam().code) << r.error->detail;
    EXPECT_NE(r.error->message.find("\u201E" + path + "\u201C"), std::string::npos) << r.error->message;
    EXPECT_NE(r.error->message.find(GetParam().sentence), std::string::npos) << r.error->message;
    EXPECT_TRUE(r.error->message.ends_with(".")) << r.error->message;
}

// Office packages of another kind: their relationships name another main part.
ByteVector officePackage(const std::string& part, const std::string& content)
{
    return zipFile({ { "[Content_Types].xml", "<Types/>" },
        { "_rels/.rels", "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship Id=\"r\" "
                "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" Target=\"" + part + "\"/></Relationships>" },
        { part, content } });
}

std::vector<FileCase> fileCases()
{
    const double none = std::nan("");
    const ByteVector xlsx = xlsxFile({ { "Tabelle1", "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>" } });
    const std::string page = "\xEF\xBB\xBF \r\n<!DOCTYPE html>\n<html><body><table><tr><td>1</td></tr></table></body></html>";
    const std::string bare = page.substr(0, 3) + page.substr(6); // no blank after the byte-order mark
    const char* kForeign = "keine Arbeitsmappe, die Zerantix lesen kann";
    const auto missing = [](const char* name) { return [=](const fs::path& folder) { return (folder / name).string(); }; };
    return {
        { "Workbook", file("a.xls", oleFile({ { "Workbook", smallBook(1) } })), 1 },
        { "WorkbookBeforeBookWhateverTheOrder", file("a.xls", oleFile({ { "Book", smallBook(5, false) }, { "Workbook", smallBook(6) } })), 6 },
        { "XlsxNamedXls", file("a.xls", xlsxFile({ { "T", "<row r=\"1\"><c r=\"A1\"><v>7</v></c></row>" } })), 7 },
        { "TextNamedXls", file("a.xls", { '1', ';', '2', '\n' }), 1 },
        { "Missing", missing("blätter.xls"), none, OpenErrorCode::FileNotFound, "wurde nicht gefunden." },
        { "Folder", missing(""), none, OpenErrorCode::NotReadable, "ist ein Ordner" },
        { "LinkLoop", [](const fs::path& d) { fs::create_symlink(d / "b", d / "a.xls"); fs::create_symlink(d / "a.xls", d / "b"); return (d / "a.xls").string(); },
            none, OpenErrorCode::NotReadable, "kann nicht gelesen werden. Bitte prüfen Sie" },
        { "Device", [](const fs::path&) { return std::string("/dev/zero"); }, none, OpenErrorCode::NotReadable, "kann nicht gelesen werden" },
        { "EmptyFile", file("leer.xls", {}), none, OpenErrorCode::NotAWorkbook, "ist leer" },
        { "ZipHeaderOnly", file("neu.xlsx", { 'P', 'K', 3, 4, 0x14, 0, 0, 0 }), none, OpenErrorCode::Damaged, "ist beschädigt" },
        { "TruncatedXlsx", file("halb.xlsx", resized(xlsx, xlsx.size() / 2)), none, OpenErrorCode::Damaged, "ist beschädigt" },
        { "OtherZip", file("a.zip", zipFile({ { "word/document.xml", "<w/>" } })), none, OpenErrorCode::NotAWorkbook, "ZIP-Archiv, aber keine Arbeitsmappe" },
        { "WordDocument", file("brief.docx", officePackage("word/document.xml", "<w:document xmlns:w=\"urn:w\"/>")), none, OpenErrorCode::NotAWorkbook, kForeign },
        { "BinaryWorkbook", file("binaer.xlsb", officePackage("xl/workbook.bin", "\x83\x01")), none, OpenErrorCode::NotAWorkbook, kForeign },
        { "WebPageNamedXls", file("export.xls", ByteVector(page.begin(), page.end())), none, OpenErrorCode::NotAWorkbook, "Web-Seite oder XML-Datei" },
        { "MarkupRightAfterTheByteOrderMark", file("export.csv", ByteVector(bare.begin(), bare.end())), none,
            OpenErrorCode::NotAWorkbook, "Web-Seite oder XML-Datei" },
        { "EncryptedXlsx", file("geheim.xlsx", oleFile({ { "EncryptionInfo", ByteVector(600, 1) }, { "EncryptedPackage", ByteVector(600, 2) } })),
            none, OpenErrorCode::Encrypted, "mit einem Kennwort geschützt" },
        { "Excel4", file("alt.xls", { 0x09, 0x04, 0x06, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00 }), none, OpenErrorCode::NotAWorkbook, "älteren Excel-Version" },
        { "Excel2WithLongestBof", file("alt.xls", { 0x09, 0x00, 20, 0, 2, 0, 0x10 }), none, OpenErrorCode::NotAWorkbook, "älteren Excel-Version" },
        { "NoBofThatLong", file("alt.xls", { 0x09, 0x00, 21, 0, 2, 0, 0x10 }), none, OpenErrorCode::NotAWorkbook, kForeign },
        { "Picture", file("bild.xls", { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R' }), none, OpenErrorCode::NotAWorkbook, kForeign },
        { "OleWithoutWorkbook", file("brief.doc", oleFile({ { "WordDocument", ByteVector(600, 1) } })), none, OpenErrorCode::NotAWorkbook, kForeign },
        { "TruncatedContainer", file("kaputt.xls", resized(oleFile({ { "Workbook", smallBook(1) } }), 700)), none, OpenErrorCode::Damaged, "ist beschädigt" },
        { "BrokenWorkbookStream", file("kaputt2.xls", oleFile({ { "Workbook", resized(smallBook(1), smallBook(1).size() - 3) } })), none,
            OpenErrorCode::Damaged, "ist beschädigt" },
    };
}

INSTANTIATE_TEST_SUITE_P(Open, Files, ::testing::ValuesIn(fileCases()), [](const auto& info) { return std::string(info.param.name); });

struct FrontCase {
    const char* name;
    std::function<std::unique_ptr<Workbook>()> read;
    int front;
    std::string visibility; // per sheet: V visible, H hidden, X very hidden
    bool dates1904 = false;
};

class FrontSheet : public ::testing::TestWithParam<FrontCase> {};

TEST_P(FrontSheet, IsTheActiveVisibleWorksheet)
{
    const auto book = GetParam().read();
    ASSERT_TRUE(book);
    EXPECT_EQ(book->frontSheet(), GetParam().front);
    std::string visibility;
    for (int s = 0; s < book->sheetCount(); ++s)
        visibility += "VHX"[static_cast<int>(book->sheetVisibility(s))];
    EXPECT_EQ(visibility, GetParam().visibility);
    EXPECT_EQ(book->uses1904Dates(), GetParam().dates1904);
}

// A BIFF8 workbook: the active tab, then state and type (2: chart) per BOUNDSHEET.
std::function<std::unique_ptr<Workbook>()> xls(unsigned activeTab, std::vector<std::pair<unsigned, unsigned>> sheets, ByteVector globals = {})
{
    return [=] {
        BookLayout layout{ true, activeTab, globals, {} };
        for (const auto& [state, type] : sheets)
            layout.sheets.push_back({ "S", state, type, numberRecord(0, 0, 1) });
        return std::unique_ptr<Workbook>(ReadXlsBytes(buildStream(layout)).workbook);
    };
}

std::function<std::unique_ptr<Workbook>()> xlsx(const std::string& workbookExtra, std::vector<NamedPart> sheets = { { "A", "" }, { "B", "" }, { "C", "" } })
{
    return [=] { return ReadXlsxBytes(xlsxFile(sheets, {}, workbookExtra)).workbook; };
}

std::function<std::unique_ptr<Workbook>()> ods(const std::string& active)
{
    return [=] {
        return ReadOdsBytes(odsFile("<table:table table:name=\"Eins\" table:style-name=\"ta2\"/><table:table table:name=\"Zwei\"/>"
                                    "<table:table table:name=\"Drei\"/>",
            "<style:style style:name=\"ta2\" style:family=\"table\"><style:table-properties table:display=\"false\"/></style:style>", active))
            .workbook;
    };
}

const std::string kView = "<bookViews><workbookView activeTab=\"";

INSTANTIATE_TEST_SUITE_P(Formats, FrontSheet,
    ::testing::Values(FrontCase{ "XlsThirdTab", xls(2, { { 0, 0 }, { 0, 0 }, { 0, 0 } }), 2, "VVV" },
        // A chart sheet before it shifts the worksheet's index by one.
        FrontCase{ "XlsAfterAChartSheet", xls(2, { { 0, 0 }, { 0, 2 }, { 0, 0 } }), 1, "VV" },
        // A chart in front or a hidden active tab: the first visible worksheet instead.
        FrontCase{ "XlsChartInFront", xls(1, { { 1, 0 }, { 0, 2 }, { 0, 0 }, { 2, 0 } }, record(0x0022, { 1, 0 })), 1, "HVX", true },
        FrontCase{ "XlsActiveTabBeyondTheSheets", xls(9, { { 0, 0 }, { 0, 0 } }), 0, "VV" },
        FrontCase{ "XlsAllHidden", xls(1, { { 1, 0 }, { 2, 0 } }), 0, "HX" },
        FrontCase{ "XlsOnlyAChart", xls(0, { { 0, 2 } }), -1, "" },
        FrontCase{ "XlsAsXlwtWritesIt", [] { return OpenWorkbook((kData / "fixture-sheets.xls").string()).workbook; }, 2, "VHVX" },
        FrontCase{ "XlsxWithoutView", xlsx(""), 0, "VVV" },
        FrontCase{ "XlsxThirdTab", xlsx(kView + "2\"/></bookViews>"), 2, "VVV" },
        FrontCase{ "XlsxActiveTabBeyondTheSheets", xlsx(kView + "9\"/></bookViews>"), 0, "VVV" },
        FrontCase{ "XlsxVeryHiddenActiveTab", xlsx("<workbookPr date1904=\"true\"/>" + kView + "0\"/></bookViews>",
            { { "A\" state=\"veryHidden", "" }, { "B\" state=\"hidden", "" }, { "C", "" } }),
            2, "XHV", true },
        FrontCase{ "OdsActiveTable", ods("Drei"), 2, "HVV" },
        // Without settings the first table is active; hidden, the next visible one is in front.
        FrontCase{ "OdsWithoutSettings", ods(""), 1, "HVV" },
        FrontCase{ "OdsActiveTableMissing", ods("Fehlt"), 1, "HVV" }),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace zx
