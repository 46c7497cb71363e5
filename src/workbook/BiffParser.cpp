#include "workbook/BiffParser.h"

#include "core/TextDecoding.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <map>
#include <string_view>
#include <utility>

namespace zx {

namespace {

using Bytes = std::span<const std::uint8_t>;

// Record types ([MS-XLS] 2.3, record enumeration).
namespace rec {
constexpr std::uint16_t Bof = 0x0809;  // BIFF5 and BIFF8
constexpr std::uint16_t Bof2 = 0x0009; // BIFF2
constexpr std::uint16_t Bof3 = 0x0209; // BIFF3
constexpr std::uint16_t Bof4 = 0x0409; // BIFF4
constexpr std::uint16_t Eof = 0x000A;
constexpr std::uint16_t Continue = 0x003C;
constexpr std::uint16_t FilePass = 0x002F;
constexpr std::uint16_t CodePage = 0x0042;
constexpr std::uint16_t DateMode = 0x0022;
constexpr std::uint16_t Window1 = 0x003D;
constexpr std::uint16_t BoundSheet = 0x0085;
constexpr std::uint16_t Sst = 0x00FC;
constexpr std::uint16_t LabelSst = 0x00FD;
constexpr std::uint16_t Label = 0x0204;
constexpr std::uint16_t RString = 0x00D6;
constexpr std::uint16_t Number = 0x0203;
constexpr std::uint16_t Rk = 0x027E;
constexpr std::uint16_t MulRk = 0x00BD;
constexpr std::uint16_t BoolErr = 0x0205;
constexpr std::uint16_t Formula = 0x0006;
constexpr std::uint16_t FormulaBiff3 = 0x0206; // still written by a few tools
constexpr std::uint16_t FormulaBiff4 = 0x0406;
constexpr std::uint16_t String = 0x0207;
constexpr std::uint16_t ShrFmla = 0x04BC;
constexpr std::uint16_t Array = 0x0221;
constexpr std::uint16_t Table = 0x0236;
} // namespace rec

// Stream types of a BOF record.
constexpr std::uint16_t kGlobalsSubstream = 0x0005;

bool isBof(std::uint16_t type)
{
    return type == rec::Bof || type == rec::Bof2 || type == rec::Bof3 || type == rec::Bof4;
}

// Thrown inside the parser, turned into a ParseFailure at its edge.
struct Failure {
    OpenErrorCode code;
    std::string detail;
};

[[noreturn]] void damaged(std::string detail) { throw Failure{ OpenErrorCode::Damaged, std::move(detail) }; }

std::string hex(unsigned value)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string s = "0x0000";
    for (int i = 0; i < 4; ++i)
        s[5 - i] = digits[(value >> (4 * i)) & 0xF];
    return s;
}

std::uint16_t le16(Bytes b, std::size_t at, const char* what)
{
    if (at > b.size() || b.size() - at < 2)
        damaged(std::string(what) + " record too short");
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t le32(Bytes b, std::size_t at, const char* what)
{
    if (at > b.size() || b.size() - at < 4)
        damaged(std::string(what) + " record too short");
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8)
        | (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

double ieee(Bytes b, std::size_t at, const char* what)
{
    if (at > b.size() || b.size() - at < 8)
        damaged(std::string(what) + " record too short");
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | b[at + static_cast<std::size_t>(i)];
    return std::bit_cast<double>(bits);
}

// An RK number ([MS-XLS] 2.5.217): a 30-bit integer or the top 30 bits of a
// double, either of them possibly divided by 100.
double rkValue(std::uint32_t rk)
{
    double value;
    if (rk & 0x02u)
        value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
    else
        value = std::bit_cast<double>(static_cast<std::uint64_t>(rk & 0xFFFFFFFCu) << 32);
    if (rk & 0x01u)
        value /= 100.0;
    return value;
}

struct Record {
    std::uint16_t type = 0;
    Bytes data;
    std::size_t offset = 0;
};

// Walks the records of the stream from a position. Every record read counts
// against a budget shared by all walks, so that sheets pointing into each
// other cannot make the work grow with the square of the file size.
class RecordCursor {
public:
    RecordCursor(Bytes stream, std::size_t position, std::size_t& budget)
        : stream_(stream), pos_(position), budget_(budget)
    {
    }

    bool atEnd() const { return pos_ >= stream_.size(); }

    Record next()
    {
        if (stream_.size() - pos_ < 4)
            damaged("record header cut off at offset " + std::to_string(pos_));
        Record r;
        r.offset = pos_;
        r.type = static_cast<std::uint16_t>(stream_[pos_] | (stream_[pos_ + 1] << 8));
        const std::size_t length = stream_[pos_ + 2] | (stream_[pos_ + 3] << 8);
        if (stream_.size() - pos_ - 4 < length)
            damaged("record " + hex(r.type) + " at offset " + std::to_string(pos_) + " claims "
                + std::to_string(length) + " bytes, more than the stream holds");
        if (budget_ < 4 + length)
            damaged("sheets overlap each other in the stream");
        budget_ -= 4 + length;
        r.data = stream_.subspan(pos_ + 4, length);
        pos_ += 4 + length;
        return r;
    }

    // The type of the next record, if a whole record header follows.
    std::optional<std::uint16_t> peekType() const
    {
        if (stream_.size() - pos_ < 4)
            return std::nullopt;
        return static_cast<std::uint16_t>(stream_[pos_] | (stream_[pos_ + 1] << 8));
    }

    // The record's data followed by the data of the CONTINUE records after it.
    std::vector<Bytes> withContinues(const Record& first)
    {
        std::vector<Bytes> pieces{ first.data };
        while (peekType() == rec::Continue)
            pieces.push_back(next().data);
        return pieces;
    }

private:
    Bytes stream_;
    std::size_t pos_;
    std::size_t& budget_;
};

// Reads data that may go on in CONTINUE records. Plain fields simply run on
// into the next piece; the characters of a string are special: where they
// cross into a new piece, that piece starts with a byte telling whether the
// rest of the characters are 8 or 16 bits wide ([MS-XLS] 2.5.293).
class PieceReader {
public:
    explicit PieceReader(std::vector<Bytes> pieces) : pieces_(std::move(pieces)) {}

    bool atEnd()
    {
        skipFinishedPieces();
        return piece_ >= pieces_.size();
    }

    std::uint8_t u8()
    {
        if (atEnd())
            damaged("text runs past the end of its records");
        return pieces_[piece_][pos_++];
    }
    std::uint16_t u16()
    {
        const std::uint16_t lo = u8();
        return static_cast<std::uint16_t>(lo | (u8() << 8));
    }
    std::uint32_t u32()
    {
        const std::uint32_t lo = u16();
        return lo | (static_cast<std::uint32_t>(u16()) << 16);
    }

    void skip(std::uint64_t n)
    {
        while (n > 0) {
            if (atEnd())
                damaged("text formatting runs past the end of its records");
            const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(n, remaining()));
            pos_ += take;
            n -= take;
        }
    }

    // count characters of 8-bit (Latin-1) or 16-bit width.
    void chars(std::size_t count, bool wide, std::u16string& out)
    {
        while (count > 0) {
            const std::size_t width = wide ? 2 : 1;
            if (remaining() < width) {
                // A lone odd byte at the end of a piece cannot hold a character.
                pos_ = piece_ < pieces_.size() ? pieces_[piece_].size() : 0;
                if (atEnd())
                    damaged("text runs past the end of its records");
                wide = (u8() & 0x01) != 0;
                continue;
            }
            const std::size_t take = std::min(count, remaining() / width);
            const Bytes& p = pieces_[piece_];
            for (std::size_t i = 0; i < take; ++i) {
                if (wide)
                    out += static_cast<char16_t>(p[pos_ + 2 * i] | (p[pos_ + 2 * i + 1] << 8));
                else
                    out += static_cast<char16_t>(p[pos_ + i]);
            }
            pos_ += take * width;
            count -= take;
        }
    }

    // count bytes of 8-bit text, running on into further pieces.
    void bytes(std::size_t count, std::string& out)
    {
        while (count > 0) {
            if (atEnd())
                damaged("text runs past the end of its records");
            const std::size_t take = std::min(count, remaining());
            const Bytes& p = pieces_[piece_];
            out.append(reinterpret_cast<const char*>(p.data() + pos_), take);
            pos_ += take;
            count -= take;
        }
    }

private:
    std::size_t remaining() const { return piece_ < pieces_.size() ? pieces_[piece_].size() - pos_ : 0; }
    void skipFinishedPieces()
    {
        while (piece_ < pieces_.size() && pos_ >= pieces_[piece_].size()) {
            ++piece_;
            pos_ = 0;
        }
    }

    std::vector<Bytes> pieces_;
    std::size_t piece_ = 0;
    std::size_t pos_ = 0;
};

// A BIFF8 Unicode string: a character count of lengthBytes bytes, option
// flags, optional counts of formatting runs and of the phonetic block, the
// characters, then the runs and the phonetic block, which are skipped. Outside
// the shared-string table a string of no characters may lack its flags byte.
std::string readUnicodeString(PieceReader& r, int lengthBytes, bool flagsAlwaysPresent)
{
    const std::size_t count = lengthBytes == 1 ? r.u8() : r.u16();
    if (count == 0 && !flagsAlwaysPresent)
        return {};
    const std::uint8_t flags = r.u8();
    const std::uint16_t runs = (flags & 0x08) ? r.u16() : 0;
    const std::uint32_t phonetic = (flags & 0x04) ? r.u32() : 0;
    std::u16string units;
    units.reserve(count);
    r.chars(count, (flags & 0x01) != 0, units);
    r.skip(4ull * runs);
    r.skip(phonetic);
    return Utf16ToUtf8(units);
}

std::string readUnicodeString(Bytes data, int lengthBytes)
{
    PieceReader r({ data });
    return readUnicodeString(r, lengthBytes, false);
}

struct SheetEntry {
    std::uint32_t offset = 0;
    std::uint8_t state = 0;
    std::uint8_t type = 0;
    std::string name;          // BIFF8: UTF-8 already
    std::string rawName;       // BIFF5: bytes in the workbook's code page
};

class Parser {
public:
    explicit Parser(Bytes stream)
        : stream_(stream), budget_(4 * stream.size() + (1u << 20))
    {
    }

    ParsedWorkbook run()
    {
        readGlobals();
        return assemble();
    }

private:
    void readGlobals()
    {
        RecordCursor cursor(stream_, 0, budget_);
        const auto firstType = cursor.peekType();
        if (!firstType || !isBof(*firstType))
            throw Failure{ OpenErrorCode::NotAWorkbook, "the workbook stream does not start with a BOF record" };
        const Record bof = cursor.next();
        if (bof.type != rec::Bof)
            throw Failure{ OpenErrorCode::NotAWorkbook,
                "an Excel 2.x-4.0 stream (BOF " + hex(bof.type) + "), not supported" };
        const std::uint16_t version = le16(bof.data, 0, "BOF");
        const std::uint16_t substream = le16(bof.data, 2, "BOF");
        if (version == 0x0600)
            book_.biffVersion = 8;
        else if (version == 0x0500)
            book_.biffVersion = 5;
        else
            throw Failure{ OpenErrorCode::NotAWorkbook, "unsupported BIFF version " + hex(version) };
        if (substream != kGlobalsSubstream)
            throw Failure{ OpenErrorCode::NotAWorkbook,
                "the stream starts with substream " + hex(substream) + ", not with the workbook globals" };

        bool haveWindow = false;
        bool haveSst = false;
        for (;;) {
            if (cursor.atEnd())
                damaged("the workbook globals end without an EOF record");
            const Record r = cursor.next();
            switch (r.type) {
            case rec::Eof:
                return;
            case rec::FilePass:
                throw Failure{ OpenErrorCode::Encrypted, "FILEPASS record: the workbook is encrypted" };
            case rec::CodePage:
                book_.codePage = le16(r.data, 0, "CODEPAGE");
                break;
            case rec::DateMode:
                book_.dates1904 = le16(r.data, 0, "DATEMODE") != 0;
                break;
            case rec::Window1:
                // The first window is the one Excel shows; its active tab is
                // the sheet in front.
                if (!haveWindow && r.data.size() >= 12) {
                    activeTab_ = le16(r.data, 10, "WINDOW1");
                    haveWindow = true;
                }
                break;
            case rec::BoundSheet:
                readBoundSheet(r);
                break;
            case rec::Sst: {
                auto pieces = cursor.withContinues(r);
                if (!haveSst && book_.biffVersion == 8)
                    readSst(std::move(pieces));
                haveSst = true;
                break;
            }
            default:
                break;
            }
        }
    }

    void readBoundSheet(const Record& r)
    {
        SheetEntry e;
        e.offset = le32(r.data, 0, "BOUNDSHEET");
        if (r.data.size() < 7)
            damaged("BOUNDSHEET record too short");
        e.state = r.data[4];
        e.type = r.data[5];
        const Bytes name = r.data.subspan(6);
        if (book_.biffVersion == 8) {
            e.name = readUnicodeString(name, 1);
        } else {
            PieceReader pr({ name });
            pr.bytes(pr.u8(), e.rawName);
        }
        entries_.push_back(std::move(e));
    }

    void readSst(std::vector<Bytes> pieces)
    {
        PieceReader r(std::move(pieces));
        r.u32(); // total number of references, not needed
        const std::uint32_t unique = r.u32();
        // The count is only a claim: never reserve more than the bytes could hold.
        book_.texts.reserve(std::min<std::size_t>(unique, stream_.size() / 3));
        for (std::uint32_t i = 0; i < unique && !r.atEnd(); ++i)
            book_.texts.push_back(readUnicodeString(r, 2, true));
        sstCount_ = book_.texts.size();
    }

    std::string decode8(std::string_view bytes) const
    {
        return CodePageToUtf8(
            Bytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), book_.codePage);
    }

    std::uint32_t addText(std::string text)
    {
        book_.texts.push_back(std::move(text));
        return static_cast<std::uint32_t>(book_.texts.size() - 1);
    }

    // Text in a LABEL, RSTRING or STRING record (and its CONTINUE records).
    std::string cellText(std::vector<Bytes> pieces)
    {
        PieceReader r(std::move(pieces));
        if (book_.biffVersion == 8)
            return readUnicodeString(r, 2, false);
        std::string raw;
        r.bytes(r.u16(), raw);
        return decode8(raw);
    }

    std::shared_ptr<const SheetCells> readSheet(std::uint32_t offset)
    {
        if (const auto it = sheetsByOffset_.find(offset); it != sheetsByOffset_.end())
            return it->second;
        if (offset >= stream_.size())
            damaged("a sheet starts at offset " + std::to_string(offset) + ", beyond the end of the stream");
        RecordCursor cursor(stream_, offset, budget_);
        const auto firstType = cursor.peekType();
        if (!firstType || !isBof(*firstType))
            damaged("no BOF record where a sheet should start, at offset " + std::to_string(offset));
        cursor.next();

        auto cells = std::make_shared<SheetCells>();
        int embedded = 0; // depth of charts and other substreams inside the sheet
        for (;;) {
            if (cursor.atEnd())
                damaged("a sheet ends without an EOF record");
            const Record r = cursor.next();
            if (isBof(r.type)) {
                ++embedded;
                continue;
            }
            if (r.type == rec::Eof) {
                if (embedded == 0)
                    break;
                --embedded;
                continue;
            }
            if (embedded == 0)
                readCell(r, cursor, *cells);
        }
        cells->finish(book_.texts);
        sheetsByOffset_.emplace(offset, cells);
        return cells;
    }

    void readCell(const Record& r, RecordCursor& cursor, SheetCells& cells)
    {
        const Bytes d = r.data;
        switch (r.type) {
        case rec::Number:
            cells.putNumber(le16(d, 0, "NUMBER"), le16(d, 2, "NUMBER"), ieee(d, 6, "NUMBER"));
            break;
        case rec::Rk:
            cells.putNumber(le16(d, 0, "RK"), le16(d, 2, "RK"), rkValue(le32(d, 6, "RK")));
            break;
        case rec::MulRk: {
            const unsigned row = le16(d, 0, "MULRK");
            const unsigned first = le16(d, 2, "MULRK");
            const unsigned last = le16(d, d.size() >= 2 ? d.size() - 2 : 0, "MULRK");
            // The record's length decides how many values it holds; the last
            // column field only confirms it.
            const std::size_t held = d.size() >= 6 ? (d.size() - 6) / 6 : 0;
            const std::size_t claimed = last >= first ? last - first + 1 : 0;
            const std::size_t count = std::min(held, claimed);
            for (std::size_t i = 0; i < count; ++i)
                cells.putNumber(row, static_cast<unsigned>(first + i), rkValue(le32(d, 6 + 6 * i, "MULRK")));
            break;
        }
        case rec::LabelSst: {
            const std::uint32_t index = le32(d, 6, "LABELSST");
            if (index >= sstCount_)
                damaged("a cell refers to shared string " + std::to_string(index) + " of "
                    + std::to_string(sstCount_));
            cells.putText(le16(d, 0, "LABELSST"), le16(d, 2, "LABELSST"), index);
            break;
        }
        case rec::Label:
        case rec::RString: {
            const unsigned row = le16(d, 0, "LABEL");
            const unsigned column = le16(d, 2, "LABEL");
            if (d.size() < 6)
                damaged("LABEL record too short");
            cells.putText(row, column, addText(cellText({ d.subspan(6) })));
            break;
        }
        case rec::BoolErr: {
            const unsigned row = le16(d, 0, "BOOLERR");
            const unsigned column = le16(d, 2, "BOOLERR");
            if (d.size() < 8)
                damaged("BOOLERR record too short");
            if (d[7] != 0)
                cells.putError(row, column, d[6]);
            else
                cells.putBoolean(row, column, d[6] != 0);
            break;
        }
        case rec::Formula:
        case rec::FormulaBiff3:
        case rec::FormulaBiff4:
            readFormula(r, cursor, cells);
            break;
        default:
            break; // BLANK, MULBLANK (formatting only) and everything else
        }
    }

    // A formula cell shows its cached result ([MS-XLS] 2.5.133 FormulaValue):
    // a double, or, marked by 0xFFFF in the top two bytes, a string (held in
    // the STRING record that follows), a boolean, an error or an empty string.
    void readFormula(const Record& r, RecordCursor& cursor, SheetCells& cells)
    {
        const Bytes d = r.data;
        const unsigned row = le16(d, 0, "FORMULA");
        const unsigned column = le16(d, 2, "FORMULA");
        if (d.size() < 14)
            damaged("FORMULA record too short");
        if (d[12] != 0xFF || d[13] != 0xFF) {
            cells.putNumber(row, column, ieee(d, 6, "FORMULA"));
            return;
        }
        switch (d[6]) {
        case 0: {
            // Shared-formula, array and table records may stand between.
            while (true) {
                const auto next = cursor.peekType();
                if (next == rec::ShrFmla || next == rec::Array || next == rec::Table)
                    cursor.next();
                else
                    break;
            }
            if (cursor.peekType() == rec::String) {
                const Record s = cursor.next();
                cells.putText(row, column, addText(cellText(cursor.withContinues(s))));
            }
            // Without its STRING record the result is unknown: the cell stays empty.
            break;
        }
        case 1:
            cells.putBoolean(row, column, d[8] != 0);
            break;
        case 2:
            cells.putError(row, column, d[8]);
            break;
        default:
            break; // 3: an empty string; others: unknown, shown as empty
        }
    }

    ParsedWorkbook assemble()
    {
        std::vector<int> worksheetOfTab(entries_.size(), -1);
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            SheetEntry& e = entries_[i];
            // Type 0 is a worksheet (or dialog sheet); charts, macro sheets and
            // modules hold no cells for us.
            if (e.type != 0)
                continue;
            ParsedSheet sheet;
            sheet.name = book_.biffVersion == 8 ? std::move(e.name) : decode8(e.rawName);
            switch (e.state & 0x03) {
            case 0: sheet.visibility = SheetVisibility::Visible; break;
            case 2: sheet.visibility = SheetVisibility::VeryHidden; break;
            default: sheet.visibility = SheetVisibility::Hidden; break;
            }
            sheet.cells = readSheet(e.offset);
            worksheetOfTab[i] = static_cast<int>(book_.sheets.size());
            book_.sheets.push_back(std::move(sheet));
        }

        book_.frontSheet = ChooseFrontSheet(book_.sheets,
            activeTab_ < worksheetOfTab.size() ? worksheetOfTab[activeTab_] : -1);
        return std::move(book_);
    }

    Bytes stream_;
    std::size_t budget_;
    ParsedWorkbook book_;
    std::vector<SheetEntry> entries_;
    std::size_t sstCount_ = 0;
    std::size_t activeTab_ = 0;
    std::map<std::uint32_t, std::shared_ptr<const SheetCells>> sheetsByOffset_;
};

} // namespace

ParseOutcome ParseWorkbookStream(std::span<const std::uint8_t> stream)
{
    ParseOutcome outcome;
    try {
        outcome.workbook = Parser(stream).run();
    } catch (const Failure& f) {
        outcome.failure = ParseFailure{ f.code, f.detail };
    } catch (const std::bad_alloc&) {
        outcome.failure = ParseFailure{ OpenErrorCode::Damaged, "out of memory while reading the workbook" };
    }
    return outcome;
}

} // namespace zx
