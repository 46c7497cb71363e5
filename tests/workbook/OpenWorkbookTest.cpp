// Opening files: the container, the errors and their German sentences, and
// that reading leaves the file alone.
#include "BiffBuilder.h"
#include "OleWriter.h"
#include "ZipWriter.h"
#include "TestPrinters.h"

#include "workbook/Workbook.h"
#include "workbook/XlsReader.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <functional>

namespace zx {
namespace {

namespace fs = std::filesystem;
using namespace zx::test;

const fs::path kData = ZX_WORKBOOK_TEST_DATA;

class Files : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path()
            / ("zx-input-" + std::to_string(::getpid()) + "-"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir_, ec);
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    std::string write(const std::string& name, const ByteVector& bytes) const
    {
        const std::string p = path(name);
        writeFile(p, bytes);
        return p;
    }

    fs::path dir_;
};

ByteVector smallBook(double value, bool biff8 = true)
{
    BookLayout layout;
    layout.biff8 = biff8;
    layout.sheets = { { "Tabelle1", 0, 0, numberRecord(0, 0, value) } };
    return buildStream(layout);
}

// --- The workbook stream inside the container --------------------------------

struct ContainerCase {
    const char* name;
    std::vector<NamedStream> streams;
    double expectedA1; // NaN: no workbook expected
};

class Containers : public Files, public ::testing::WithParamInterface<ContainerCase> {};

TEST_P(Containers, FindTheWorkbookStream)
{
    const ContainerCase& c = GetParam();
    const XlsReadOutcome out = ReadXlsBytes(oleFile(c.streams));
    if (std::isnan(c.expectedA1)) {
        ASSERT_FALSE(out.workbook);
        EXPECT_EQ(out.failure.code, OpenErrorCode::NotAWorkbook);
        return;
    }
    ASSERT_TRUE(out.workbook) << out.failure.detail;
    EXPECT_EQ(out.workbook->cell(0, "A1"), Cell::number(c.expectedA1));
}

std::vector<ContainerCase> containerCases()
{
    ByteVector large = smallBook(7);
    // A stream of more than 4096 bytes lives in regular sectors, a smaller one
    // in the mini stream: both ways must read.
    {
        BookLayout layout;
        ByteVector cells;
        for (unsigned r = 0; r < 2000; ++r) {
            const ByteVector n = numberRecord(r, 0, r == 0 ? 8 : r);
            cells.insert(cells.end(), n.begin(), n.end());
        }
        layout.sheets = { { "Gross", 0, 0, cells } };
        large = buildStream(layout);
    }
    const double none = std::nan("");
    return {
        { "Workbook", { { "Workbook", smallBook(1) } }, 1 },
        { "BookOfExcel95", { { "Book", smallBook(2, false) } }, 2 },
        { "BookInCapitals", { { "BOOK", smallBook(3) } }, 3 },
        { "WorkbookInCapitals", { { "WORKBOOK", smallBook(4) } }, 4 },
        { "WorkbookBeforeBookWhateverTheOrder", { { "Book", smallBook(5, false) }, { "Workbook", smallBook(6) } }, 6 },
        { "AmongOtherStreams", { { "\x05SummaryInformation", ByteVector(100, 0) }, { "Workbook", smallBook(9) } }, 9 },
        { "LargeStreamInRegularSectors", { { "Workbook", large } }, 8 },
        { "NoWorkbookStream", { { "WordDocument", smallBook(1) } }, none },
    };
}

INSTANTIATE_TEST_SUITE_P(Ole2, Containers, ::testing::ValuesIn(containerCases()),
    [](const ::testing::TestParamInfo<ContainerCase>& info) { return std::string(info.param.name); });

// --- Errors and their sentences ------------------------------------------------

struct ErrorCase {
    const char* name;
    std::function<std::string(Files&)> makePath;
    OpenErrorCode code;
    const char* sentencePart; // a piece the German sentence must hold
};

class OpenErrors : public Files, public ::testing::WithParamInterface<ErrorCase> {
public:
    std::string pathOf(const std::string& name) const { return path(name); }
    std::string fileOf(const std::string& name, const ByteVector& bytes) const { return write(name, bytes); }
};

TEST_P(OpenErrors, GiveCodeAndGermanSentence)
{
    const ErrorCase& c = GetParam();
    const std::string p = c.makePath(*this);
    const OpenResult r = OpenWorkbook(p);
    ASSERT_FALSE(r);
    ASSERT_TRUE(r.error.has_value());
    EXPECT_EQ(r.error->code, c.code) << r.error->detail;
    EXPECT_NE(r.error->message.find("\u201E" + p + "\u201C"), std::string::npos)
        << "the sentence names the file in German quotes: " << r.error->message;
    EXPECT_NE(r.error->message.find(c.sentencePart), std::string::npos) << r.error->message;
    EXPECT_EQ(r.error->message.back(), '.') << r.error->message;
    EXPECT_FALSE(r.error->detail.empty());
}

std::vector<ErrorCase> errorCases()
{
    auto file = [](const char* name, ByteVector bytes) {
        return [name, bytes](Files& f) { return static_cast<OpenErrors&>(f).fileOf(name, bytes); };
    };
    ByteVector filePass = smallBook(1);
    {
        BookLayout layout;
        layout.globalsExtra = record(0x002F, ByteVector{ 1, 0, 1, 0, 1, 0 });
        layout.sheets = { { "x", 0, 0, {} } };
        filePass = buildStream(layout);
    }
    ByteVector truncatedOle = oleFile({ { "Workbook", smallBook(1) } });
    truncatedOle.resize(700);
    ByteVector brokenStream = smallBook(1);
    brokenStream.resize(brokenStream.size() - 3);
    ByteVector excel4{ 0x09, 0x04, 0x06, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00 };
    ByteVector zip{ 'P', 'K', 0x03, 0x04, 0x14, 0x00, 0x00, 0x00 };
    ByteVector picture{ 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R' };
    const std::string page = "<!DOCTYPE html>\n<html><body><table><tr><td>1</td></tr></table></body></html>";
    ByteVector truncatedXlsx = xlsxFile({ { "Tabelle1", "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>" } });
    truncatedXlsx.resize(truncatedXlsx.size() / 2);
    // Office packages of another kind: their relationships name another main part.
    const auto officePackage = [](const std::string& part, const std::string& content) {
        return zipFile({ { "[Content_Types].xml", "<Types/>" },
            { "_rels/.rels",
                "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship Id=\"r\" "
                "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" Target=\""
                    + part + "\"/></Relationships>" },
            { part, content } });
    };
    const ByteVector wordDocument = officePackage("word/document.xml",
        "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body/></w:document>");
    const ByteVector binaryWorkbook = officePackage("xl/workbook.bin", std::string("\x83\x01\x00", 3));
    return {
        { "Missing", [](Files& f) { return static_cast<OpenErrors&>(f).pathOf("blätter.xls"); },
            OpenErrorCode::FileNotFound, "wurde nicht gefunden." },
        { "MissingFolder", [](Files& f) { return static_cast<OpenErrors&>(f).pathOf("fehlt/blatt.xls"); },
            OpenErrorCode::FileNotFound, "wurde nicht gefunden." },
        { "Folder", [](Files& f) { return static_cast<OpenErrors&>(f).pathOf(""); }, OpenErrorCode::NotReadable,
            "ist ein Ordner" },
        { "LinkLoop",
            [](Files& f) {
                const std::string a = static_cast<OpenErrors&>(f).pathOf("a.xls");
                const std::string b = static_cast<OpenErrors&>(f).pathOf("b.xls");
                fs::create_symlink(b, a);
                fs::create_symlink(a, b);
                return a;
            },
            OpenErrorCode::NotReadable, "kann nicht gelesen werden" },
        { "Device", [](Files&) { return std::string("/dev/zero"); }, OpenErrorCode::NotReadable,
            "kann nicht gelesen werden" },
        { "EmptyFile", file("leer.xls", {}), OpenErrorCode::NotAWorkbook, "ist leer" },
        { "ZipHeaderOnly", file("neu.xlsx", zip), OpenErrorCode::Damaged, "ist beschädigt" },
        { "TruncatedXlsx", file("halb.xlsx", truncatedXlsx), OpenErrorCode::Damaged, "ist beschädigt" },
        { "OtherZip", file("brief.docx", zipFile({ { "word/document.xml", "<w/>" } })), OpenErrorCode::NotAWorkbook,
            "ZIP-Archiv, aber keine Arbeitsmappe" },
        { "WordDocument", file("brief.docx", wordDocument), OpenErrorCode::NotAWorkbook, "keine Arbeitsmappe, die Zerantix" },
        { "BinaryWorkbook", file("binaer.xlsb", binaryWorkbook), OpenErrorCode::NotAWorkbook, "keine Arbeitsmappe, die Zerantix" },
        { "WebPageNamedXls", file("export.xls", ByteVector(page.begin(), page.end())), OpenErrorCode::NotAWorkbook,
            "Web-Seite oder XML-Datei" },
        { "EncryptedXlsx", file("geheim.xlsx", oleFile({ { "EncryptionInfo", ByteVector(600, 1) }, { "EncryptedPackage", ByteVector(600, 2) } })),
            OpenErrorCode::Encrypted, "mit einem Kennwort geschützt" },
        { "Excel4", file("alt.xls", excel4), OpenErrorCode::NotAWorkbook, "älteren Excel-Version" },
        { "Picture", file("bild.xls", picture), OpenErrorCode::NotAWorkbook, "keine Arbeitsmappe, die Zerantix lesen kann" },
        { "OleWithoutWorkbook", file("brief.doc", oleFile({ { "WordDocument", ByteVector(600, 1) } })),
            OpenErrorCode::NotAWorkbook, "keine Arbeitsmappe, die Zerantix lesen kann" },
        { "Encrypted", file("geheim.xls", oleFile({ { "Workbook", filePass } })), OpenErrorCode::Encrypted,
            "mit einem Kennwort geschützt" },
        { "TruncatedContainer", file("kaputt.xls", truncatedOle), OpenErrorCode::Damaged, "ist beschädigt" },
        { "BrokenWorkbookStream", file("kaputt2.xls", oleFile({ { "Workbook", brokenStream } })),
            OpenErrorCode::Damaged, "ist beschädigt" },
    };
}

INSTANTIATE_TEST_SUITE_P(Files, OpenErrors, ::testing::ValuesIn(errorCases()),
    [](const ::testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.name); });

TEST(OpenErrorCodes, HaveFixedNames)
{
    EXPECT_EQ(OpenErrorCodeName(OpenErrorCode::FileNotFound), "not-found");
    EXPECT_EQ(OpenErrorCodeName(OpenErrorCode::NotReadable), "not-readable");
    EXPECT_EQ(OpenErrorCodeName(OpenErrorCode::NotAWorkbook), "not-a-workbook");
    EXPECT_EQ(OpenErrorCodeName(OpenErrorCode::Encrypted), "encrypted");
    EXPECT_EQ(OpenErrorCodeName(OpenErrorCode::Damaged), "damaged");
    EXPECT_EQ(OpenErrorCodeName(OpenErrorCode::TooLarge), "too-large");
}

// --- Reading leaves the file alone --------------------------------------------

bool processHoldsOpen(const fs::path& file)
{
    for (const auto& fd : fs::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        const fs::path target = fs::read_symlink(fd.path(), ec);
        if (!ec && target == fs::canonical(file))
            return true;
    }
    return false;
}

TEST_F(Files, ReadingNeitherChangesNorHoldsTheFile)
{
    const std::string p = write("blatt.xls", oleFile({ { "Workbook", smallBook(42) } }));
    fs::permissions(p, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const ByteVector before = readFile(p);
    const auto timeBefore = fs::last_write_time(p);

    const OpenResult r = OpenWorkbook(p);
    ASSERT_TRUE(r) << r.error->detail;
    EXPECT_EQ(r.workbook->cell(0, "A1"), Cell::number(42)) << "a read-only file opens";
    // While the workbook is in use, the file is not kept open: others can read,
    // replace or delete it.
    EXPECT_FALSE(processHoldsOpen(p));
    EXPECT_EQ(readFile(p), before);
    EXPECT_EQ(fs::last_write_time(p), timeBefore);
    fs::remove(p);
    EXPECT_EQ(r.workbook->cell(0, "A1"), Cell::number(42)) << "the workbook lives on in memory";
}

TEST_F(Files, CorpusLikeFileIsUnchangedAfterReading)
{
    const std::string p = (kData / "fixture-cells.xls").string();
    const ByteVector before = readFile(p);
    const auto timeBefore = fs::last_write_time(p);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(OpenWorkbook(p));
    EXPECT_EQ(readFile(p), before);
    EXPECT_EQ(fs::last_write_time(p), timeBefore);
}

// --- The reader's own fixtures ---------------------------------------------------

TEST(Fixtures, FrontSheetAndVisibilityAsSaved)
{
    const OpenResult r = OpenWorkbook((kData / "fixture-sheets.xls").string());
    ASSERT_TRUE(r) << r.error->detail;
    const Workbook& book = *r.workbook;
    ASSERT_EQ(book.sheetCount(), 4);
    EXPECT_EQ(book.frontSheet(), 2);
    EXPECT_EQ(book.sheetName(book.frontSheet()), "Daten");
    EXPECT_EQ(book.sheetVisibility(0), SheetVisibility::Visible);
    EXPECT_EQ(book.sheetVisibility(1), SheetVisibility::Hidden);
    EXPECT_EQ(book.sheetVisibility(2), SheetVisibility::Visible);
    EXPECT_EQ(book.sheetVisibility(3), SheetVisibility::VeryHidden);
    EXPECT_FALSE(book.uses1904Dates());
}

TEST(Fixtures, FormattedBlankCellsDoNotCountTowardsTheSize)
{
    // fixture-cells.xls has shaded blank cells at J6 and U701; its values end
    // in column H and row 601.
    const OpenResult r = OpenWorkbook((kData / "fixture-cells.xls").string());
    ASSERT_TRUE(r) << r.error->detail;
    EXPECT_EQ(r.workbook->extent(0), (SheetExtent{ 601, 8 }));
    EXPECT_TRUE(r.workbook->cell(0, "U701").isEmpty());
}

TEST_F(Files, BareWorkbookStreamWithoutContainer)
{
    const OpenResult r = OpenWorkbook(write("roh.xls", smallBook(3.5)));
    ASSERT_TRUE(r) << r.error->detail;
    EXPECT_EQ(r.workbook->cell(0, "A1"), Cell::number(3.5));
}

} // namespace
} // namespace zx
