// Whatever the bytes, the reader answers with a workbook or an error: no
// crash, no hang, no read outside the data (the suite also runs under
// AddressSanitizer and UndefinedBehaviorSanitizer). Real workbooks are cut
// short and have single bytes changed, in the container and in the
// workbook stream.
#include "OleWriter.h"

#include "workbook/WorkbookDump.h"
#include "workbook/XlsReader.h"

#include <gtest/gtest.h>

#include <glib.h>

#include <filesystem>
#include <ostream>
#include <streambuf>

namespace zx {
namespace {

namespace fs = std::filesystem;
using namespace zx::test;

const fs::path kData = ZX_WORKBOOK_TEST_DATA;
const fs::path kCorpus = ZX_XLS_CORPUS;

std::vector<fs::path> workbooks()
{
    std::vector<fs::path> out{ kData / "fixture-cells.xls", kData / "fixture-sheets.xls" };
    for (const auto& e : fs::directory_iterator(kCorpus)) {
        std::string ext = e.path().extension().string();
        if (ext == ".xls" || ext == ".XLS")
            out.push_back(e.path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

// libgsf warns on stderr about every broken container; here that is the
// point, so the warnings are only counted.
int gsfWarnings = 0;
class QuietContainerWarnings : public ::testing::Environment {
public:
    void SetUp() override
    {
        g_log_set_handler("libgsf:msole", static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE),
            [](const gchar*, GLogLevelFlags, const gchar*, gpointer) { ++gsfWarnings; }, nullptr);
    }
};
const auto* const kQuiet = ::testing::AddGlobalTestEnvironment(new QuietContainerWarnings);

// Small and deterministic: the same positions on every run.
class Lcg {
public:
    explicit Lcg(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next()
    {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return state_ >> 33;
    }
    std::size_t below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(next() % n); }

private:
    std::uint64_t state_;
};

class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// Touches everything a user of the workbook could ask for.
void walk(const Workbook& book)
{
    NullBuffer nothing;
    std::ostream out(&nothing);
    DumpWorkbook(book, out);
    for (int s = -1; s <= book.sheetCount(); ++s) {
        const SheetExtent e = book.extent(s);
        book.cell(s, 0, 0);
        book.cell(s, e.rows - 1, e.columns - 1);
        book.cell(s, e.rows, e.columns);
        book.sheetName(s);
        book.sheetVisibility(s);
    }
    const int front = book.frontSheet();
    EXPECT_TRUE(book.sheetCount() == 0 ? front == -1 : (front >= 0 && front < book.sheetCount()));
}

void readAndWalk(const ByteVector& bytes)
{
    const XlsReadOutcome out = ReadXlsBytes(bytes);
    if (out.workbook)
        walk(*out.workbook);
    else
        EXPECT_FALSE(out.failure.detail.empty());
}

std::vector<ByteVector> streamsOf(const std::vector<fs::path>& files)
{
    std::vector<ByteVector> out;
    for (const fs::path& f : files) {
        const ByteVector bytes = readFile(f.string());
        if (!HasOle2Signature(bytes))
            continue;
        ParseFailure failure;
        if (auto s = ExtractWorkbookStream(bytes, failure))
            out.push_back(std::move(*s));
    }
    return out;
}

TEST(HostileFiles, CutShortAnywhere)
{
    for (const fs::path& f : workbooks()) {
        SCOPED_TRACE(f.filename().string());
        const ByteVector whole = readFile(f.string());
        const std::size_t n = whole.size();
        for (const std::size_t length : { std::size_t{ 0 }, std::size_t{ 1 }, std::size_t{ 8 }, std::size_t{ 100 },
                 std::size_t{ 511 }, std::size_t{ 512 }, std::size_t{ 513 }, std::size_t{ 1536 }, n / 4, n / 3,
                 n / 2, 2 * n / 3, 3 * n / 4, n > 512 ? n - 512 : 0, n > 1 ? n - 1 : 0 }) {
            if (length > n)
                continue;
            SCOPED_TRACE("cut to " + std::to_string(length) + " bytes");
            readAndWalk(ByteVector(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
        }
    }
}

TEST(HostileFiles, SingleBytesChanged)
{
    Lcg rng(20240601);
    for (const fs::path& f : workbooks()) {
        SCOPED_TRACE(f.filename().string());
        const ByteVector whole = readFile(f.string());
        for (int i = 0; i < 40; ++i) {
            ByteVector bytes = whole;
            const std::size_t at = rng.below(bytes.size());
            bytes[at] = static_cast<std::uint8_t>(rng.next());
            SCOPED_TRACE("byte " + std::to_string(at));
            readAndWalk(bytes);
        }
    }
}

// Where the last EOF record of the stream ends; writers may pad the stream
// beyond it.
std::size_t contentEnd(const ByteVector& s)
{
    std::size_t pos = 0;
    std::size_t end = 0;
    while (s.size() - pos >= 4) {
        const std::size_t length = s[pos + 2] | (s[pos + 3] << 8);
        if (s.size() - pos - 4 < length)
            break;
        const bool eof = s[pos] == 0x0A && s[pos + 1] == 0x00;
        pos += 4 + length;
        if (eof)
            end = pos;
    }
    return end;
}

TEST(HostileStreams, CutShortStreamsAreNeverReadInPart)
{
    const auto streams = streamsOf(workbooks());
    ASSERT_FALSE(streams.empty());
    for (const ByteVector& stream : streams) {
        // Every sheet is read to its EOF record, so a stream cut before the
        // last sheet's end must not come back as a workbook.
        const std::size_t end = contentEnd(stream);
        ASSERT_GT(end, 0u);
        for (int k = 0; k < 50; ++k) {
            const std::size_t length = end * static_cast<std::size_t>(k) / 50 + (k % 7);
            const ParseOutcome out = ParseWorkbookStream({ stream.data(), length });
            EXPECT_FALSE(out.workbook.has_value()) << "cut to " << length << " of " << stream.size();
        }
        EXPECT_EQ(ParseWorkbookStream({ stream.data(), end }).workbook.has_value(),
            ParseWorkbookStream(stream).workbook.has_value())
            << "the stream up to its last EOF reads as the whole one";
    }
}

TEST(HostileStreams, BytesChangedAnywhere)
{
    Lcg rng(7);
    for (const ByteVector& stream : streamsOf(workbooks())) {
        for (int i = 0; i < 300; ++i) {
            ByteVector bytes = stream;
            // A single byte, or a 16-bit field set to an extreme.
            const std::size_t at = rng.below(bytes.size());
            if (i % 3 == 0 && at + 1 < bytes.size()) {
                const std::uint8_t v = (i % 2) ? 0xFF : 0x00;
                bytes[at] = v;
                bytes[at + 1] = v;
            } else {
                bytes[at] = static_cast<std::uint8_t>(rng.next());
            }
            const ParseOutcome out = ParseWorkbookStream(bytes);
            if (out.workbook)
                walk(XlsWorkbook(std::move(*out.workbook)));
        }
    }
}

} // namespace
} // namespace zx
