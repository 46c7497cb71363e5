// The record parser on streams built byte by byte, for what no independent
// reader can judge: streams to refuse, shared strings cut at every byte, records
// claiming more than they hold. The rest is read against xlrd in the corpus.
#include "BiffBuilder.h"

#include "workbook/BiffParser.h"
#include "workbook/XlsReader.h"

#include <gtest/gtest.h>

namespace zx {
namespace {

using namespace zx::test;

struct StreamCase {
    const char* name;
    ByteVector stream;
    const char* at = nullptr; // the cell, in the first sheet; none: the stream cannot be read
    Cell expected = {};
    SheetExtent extent = {};
    OpenErrorCode code = OpenErrorCode::Damaged; // then this error
    const char* detail = "";                      // and this in its detail
};

class Streams : public ::testing::TestWithParam<StreamCase> {};

TEST_P(Streams, GiveTheCellOrTheRightError)
{
    ParseOutcome out = ParseWorkbookStream(GetParam().stream);
    if (!GetParam().at) {
        ASSERT_FALSE(out.workbook);
        EXPECT_EQ(out.failure.code, GetParam().code) << out.failure.detail;
        EXPECT_NE(out.failure.detail.find(GetParam().detail), std::string::npos) << out.failure.detail;
        return;
    }
    ASSERT_TRUE(out.workbook) << out.failure.detail;
    const XlsWorkbook book(std::move(*out.workbook));
    EXPECT_EQ(book.cell(0, GetParam().at), GetParam().expected);
    EXPECT_EQ(book.extent(0), GetParam().extent);
}

// The same texts in a table cut into two records at every byte: where the
// cut falls among a text's characters, the second record starts with their
// flags byte, as writers do; they never cut a UTF-16 code unit.
TEST(SharedStrings, CutAtEveryByte)
{
    const std::pair<std::u16string, Cell> texts[] = { { u"L\u00E4nge", Cell::text("Länge") },
        { u"Gr\u00F6\u00DFe \u0416\U0001F363k", Cell::text("Größe Ж\U0001F363k") }, { u"Ende", Cell::text("Ende") } };
    struct Chars {
        std::size_t begin, end, width;
    };
    std::vector<Chars> chars;
    ByteVector whole, cells;
    for (std::size_t i = 0; i < 3; ++i) {
        const ByteVector s = unicodeString16(texts[i].first);
        chars.push_back({ whole.size() + 3, whole.size() + s.size(), s[2] + 1u });
        whole = concat({ whole, s });
        cells = concat({ cells, labelSstRecord(static_cast<unsigned>(i), 0, static_cast<std::uint32_t>(i)) });
    }
    for (std::size_t cut = 1; cut < whole.size(); ++cut) {
        ByteVector rest;
        bool splitsACodeUnit = false;
        for (const Chars& c : chars)
            if (cut >= c.begin && cut < c.end) {
                rest.push_back(static_cast<std::uint8_t>(c.width - 1));
                splitsACodeUnit = (cut - c.begin) % c.width != 0;
            }
        if (splitsACodeUnit)
            continue;
        rest.insert(rest.end(), whole.begin() + static_cast<std::ptrdiff_t>(cut), whole.end());
        ParseOutcome out = ParseWorkbookStream(oneSheet(cells, sstRecords(3, { ByteVector(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut)), rest })));
        ASSERT_TRUE(out.workbook) << "cut at " << cut << ": " << out.failure.detail;
        const XlsWorkbook book(std::move(*out.workbook));
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(book.cell(0, i, 0), texts[i].second) << "cut at " << cut;
    }
}

ByteVector with(ByteVector b, std::size_t at, std::uint8_t value)
{
    b.at(at) = value;
    return b;
}

// BOUNDSHEETs whose offsets all point into one long chain of nested
// substreams: read naively, each sheet would walk the rest of the chain.
ByteVector overlappingSheets()
{
    const std::size_t n = 3000;
    ByteVector globals = bofRecord(true, 0x0005), chain, eofs;
    for (std::size_t i = 0; i < n; ++i) {
        globals = concat({ globals, record(0x0085, { 0, 0, 0, 0, 0, 0, 1, 0, 'x' }) });
        chain.insert(chain.end(), { 0x09, 0x08, 4, 0, 0, 6, 0x10, 0 });
        eofs = concat({ eofs, eofRecord() });
    }
    ByteVector stream = concat({ globals, eofRecord() });
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t k = 0; k < 4; ++k)
            stream[20 + 13 * i + 4 + k] = static_cast<std::uint8_t>((stream.size() + 8 * i) >> (8 * k));
    for (unsigned i = 0; i < 2000; ++i)
        chain = concat({ chain, numberRecord(i, 0, i) });
    return concat({ stream, chain, eofs });
}

// A FORMULA record in A1 whose cached result is a text (in the STRING record that should follow).
const ByteVector formulaText = cellRecord(0x0006, 0, 0, { 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 1, 0, 0x1D });

std::vector<StreamCase> streamCases()
{
    const ByteVector good = oneSheet(numberRecord(0, 0, 1));
    const std::size_t offsetField = 20 + 22 + 4; // BOF, WINDOW1, the BOUNDSHEET's header
    return {
        // Without its STRING record a formula's text result is unknown; the next record is still read.
        StreamCase{ "FormulaTextWithoutStringRecord", oneSheet(concat({ formulaText, numberRecord(5, 5, 1) })), "A1", Cell(), { 6, 6 } },
        StreamCase{ "RecordAfterFormulaTextWithoutStringRecord", oneSheet(concat({ formulaText, numberRecord(5, 5, 1) })), "F6", Cell::number(1), { 6, 6 } },
        // A MULRK of one value (the whole number 5) that claims the columns A to GS.
        StreamCase{ "MulRkReadsWhatItHolds", oneSheet(record(0x00BD, { 0, 0, 0, 0, 15, 0, 0x16, 0, 0, 0, 200, 0 })), "A1", Cell::number(5), { 1, 1 } },
        StreamCase{ "ErrorCodeOfNoWriter", oneSheet(cellRecord(0x0205, 0, 0, { 0x63, 1 })), "A1", Cell::error("#ERR63!"), { 1, 1 } },
        // The table claims 50 texts; while no cell needs the missing ones, that is no damage.
        StreamCase{ "FewerTextsThanClaimed", oneSheet(labelSstRecord(0, 0, 0), sstRecords(50, { unicodeString16(u"nur einer") })), "A1",
            Cell::text("nur einer"), { 1, 1 } },
        StreamCase{ "Excel95WithoutCodePageIsWindows1252", oneSheet(cellRecord(0x0204, 0, 0, { 2, 0, 'M', 0xFC }), {}, false), "A1",
            Cell::text("Mü"), { 1, 1 } },
        // Streams that cannot be read.
        { "EmptyStream", {}, nullptr, {}, {}, OpenErrorCode::NotAWorkbook },
        { "Garbage", { 'H', 'e', 'l', 'l', 'o', ' ', 'W', 'o', 'r', 'l', 'd' }, nullptr, {}, {}, OpenErrorCode::NotAWorkbook },
        { "Excel4Stream", with(good, 1, 0x04), nullptr, {}, {}, OpenErrorCode::NotAWorkbook, "Excel 2.x-4.0" },
        { "UnknownBiffVersion", with(good, 5, 0x04), nullptr, {}, {}, OpenErrorCode::NotAWorkbook },
        { "StartsWithAWorksheet", with(good, 6, 0x10), nullptr, {}, {}, OpenErrorCode::NotAWorkbook },
        { "LastRecordCutShort", resized(good, good.size() - 1) },
        { "SheetWithoutEof", resized(good, good.size() - 4) },
        { "GlobalsWithoutEof", resized(good, 42) },
        { "SheetOffsetBeyondTheStream", with(good, offsetField + 3, 0x7F) },
        { "SheetOffsetNotAtABof", with(good, offsetField, static_cast<std::uint8_t>(good[offsetField] + 4)) },
        { "NumberRecordTooShort", oneSheet(record(0x0203, ByteVector(10, 0))) },
        { "SharedStringBeyondTheTable", oneSheet(labelSstRecord(0, 0, 1), sstRecords(50, { unicodeString16(u"a") })) },
        { "SharedStringCutShort", oneSheet(labelSstRecord(0, 0, 0), sstRecords(1, { { 10, 0, 0, 'a', 'b' } })) },
        { "SheetsPointingIntoEachOther", overlappingSheets(), nullptr, {}, {}, OpenErrorCode::Damaged, "overlap" },
    };
}

INSTANTIATE_TEST_SUITE_P(Biff, Streams, ::testing::ValuesIn(streamCases()), [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace zx
