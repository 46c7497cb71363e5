// Builds small workbook streams record by record, and OLE2 containers around
// them, so that tests can say exactly which bytes the reader gets.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace zx::test {

using ByteVector = std::vector<std::uint8_t>;

inline void put16(ByteVector& b, unsigned v)
{
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

inline void put32(ByteVector& b, std::uint32_t v)
{
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

inline void putDouble(ByteVector& b, double d)
{
    std::uint64_t bits;
    std::memcpy(&bits, &d, 8);
    put32(b, static_cast<std::uint32_t>(bits));
    put32(b, static_cast<std::uint32_t>(bits >> 32));
}

inline void putBytes(ByteVector& b, const std::string& s) { b.insert(b.end(), s.begin(), s.end()); }

// One record: type, 16-bit length, data.
inline ByteVector record(unsigned type, const ByteVector& data)
{
    ByteVector r;
    r.reserve(4 + data.size());
    put16(r, type);
    put16(r, static_cast<unsigned>(data.size()));
    if (!data.empty())
        r.insert(r.end(), data.begin(), data.end());
    return r;
}

// Cell record bodies.
inline ByteVector cellHead(unsigned row, unsigned col)
{
    ByteVector b;
    put16(b, row);
    put16(b, col);
    put16(b, 15); // XF index
    return b;
}

inline ByteVector numberRecord(unsigned row, unsigned col, double v)
{
    ByteVector b = cellHead(row, col);
    putDouble(b, v);
    return record(0x0203, b);
}

inline ByteVector rkRecord(unsigned row, unsigned col, std::uint32_t rk)
{
    ByteVector b = cellHead(row, col);
    put32(b, rk);
    return record(0x027E, b);
}

inline ByteVector labelSstRecord(unsigned row, unsigned col, std::uint32_t index)
{
    ByteVector b = cellHead(row, col);
    put32(b, index);
    return record(0x00FD, b);
}

inline ByteVector boolErrRecord(unsigned row, unsigned col, unsigned value, bool isError)
{
    ByteVector b = cellHead(row, col);
    b.push_back(static_cast<std::uint8_t>(value));
    b.push_back(isError ? 1 : 0);
    return record(0x0205, b);
}

// A FORMULA record with the given 8 result bytes and a one-token formula.
inline ByteVector formulaRecord(unsigned row, unsigned col, const ByteVector& result8)
{
    ByteVector b = cellHead(row, col);
    b.insert(b.end(), result8.begin(), result8.end());
    put16(b, 0);    // flags
    put32(b, 0);    // chn
    put16(b, 1);    // cce
    b.push_back(0x1D); // ptgBool
    return record(0x0006, b);
}

inline ByteVector formulaNumber(unsigned row, unsigned col, double v)
{
    ByteVector r;
    putDouble(r, v);
    return formulaRecord(row, col, r);
}

// Special results: type 0 string, 1 boolean, 2 error, 3 empty string.
inline ByteVector formulaSpecial(unsigned row, unsigned col, unsigned type, unsigned value = 0)
{
    return formulaRecord(row, col, ByteVector{ static_cast<std::uint8_t>(type), 0, static_cast<std::uint8_t>(value), 0, 0, 0, 0xFF, 0xFF });
}

// BIFF8 XLUnicodeString with a 16-bit count: 8-bit characters when every
// character fits, else UTF-16 (text given as UTF-16 code units).
inline ByteVector unicodeString16(const std::u16string& s, bool forceWide = false)
{
    ByteVector b;
    put16(b, static_cast<unsigned>(s.size()));
    bool wide = forceWide;
    for (char16_t c : s)
        wide = wide || c > 0xFF;
    b.push_back(wide ? 1 : 0);
    for (char16_t c : s) {
        b.push_back(static_cast<std::uint8_t>(c & 0xFF));
        if (wide)
            b.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return b;
}

inline ByteVector stringRecord(const std::u16string& s) { return record(0x0207, unicodeString16(s)); }

inline ByteVector labelRecord8(unsigned row, unsigned col, const std::u16string& s)
{
    ByteVector b = cellHead(row, col);
    const ByteVector str = unicodeString16(s);
    b.insert(b.end(), str.begin(), str.end());
    return record(0x0204, b);
}

// A BIFF5 LABEL: 16-bit count and bytes in the workbook's code page.
inline ByteVector labelRecord5(unsigned row, unsigned col, const std::string& bytes)
{
    ByteVector b = cellHead(row, col);
    put16(b, static_cast<unsigned>(bytes.size()));
    putBytes(b, bytes);
    return record(0x0204, b);
}

inline ByteVector eofRecord() { return record(0x000A, {}); }

inline ByteVector bofRecord(bool biff8, unsigned substream)
{
    ByteVector b;
    put16(b, biff8 ? 0x0600 : 0x0500);
    put16(b, substream);
    put16(b, 0x0DBB); // build
    put16(b, 0x07CC); // year
    if (biff8) {
        put32(b, 0);
        put32(b, 0);
    }
    return record(0x0809, b);
}

struct SheetLayout {
    std::string name;   // BIFF8: Latin-1 or ASCII here; BIFF5: code-page bytes
    unsigned state = 0; // 0 visible, 1 hidden, 2 very hidden
    unsigned type = 0;  // 0 worksheet, 2 chart
    ByteVector records; // the substream's records between BOF and EOF
};

// A whole workbook stream: globals (BOF, optional CODEPAGE, WINDOW1 with the
// active tab, extra records such as an SST, BOUNDSHEETs, EOF), then the
// sheets' substreams.
struct BookLayout {
    bool biff8 = true;
    int codePage = -1; // -1: no CODEPAGE record
    unsigned activeTab = 0;
    ByteVector globalsExtra; // placed before the BOUNDSHEET records
    std::vector<SheetLayout> sheets;
};

inline ByteVector buildStream(const BookLayout& layout)
{
    ByteVector globals = bofRecord(layout.biff8, 0x0005);
    if (layout.codePage >= 0) {
        ByteVector cp;
        put16(cp, static_cast<unsigned>(layout.codePage));
        const ByteVector r = record(0x0042, cp);
        globals.insert(globals.end(), r.begin(), r.end());
    }
    {
        ByteVector w;
        for (int i = 0; i < 5; ++i)
            put16(w, 0);
        put16(w, layout.activeTab);
        put16(w, 0);
        put16(w, 1);
        put16(w, 600);
        const ByteVector r = record(0x003D, w);
        globals.insert(globals.end(), r.begin(), r.end());
    }
    globals.insert(globals.end(), layout.globalsExtra.begin(), layout.globalsExtra.end());

    std::vector<std::size_t> offsetFields;
    for (const SheetLayout& s : layout.sheets) {
        ByteVector b;
        put32(b, 0); // patched below
        b.push_back(static_cast<std::uint8_t>(s.state));
        b.push_back(static_cast<std::uint8_t>(s.type));
        b.push_back(static_cast<std::uint8_t>(s.name.size()));
        if (layout.biff8)
            b.push_back(0); // 8-bit characters
        putBytes(b, s.name);
        offsetFields.push_back(globals.size() + 4);
        const ByteVector r = record(0x0085, b);
        globals.insert(globals.end(), r.begin(), r.end());
    }
    const ByteVector eof = eofRecord();
    globals.insert(globals.end(), eof.begin(), eof.end());

    ByteVector stream = globals;
    for (std::size_t i = 0; i < layout.sheets.size(); ++i) {
        const auto offset = static_cast<std::uint32_t>(stream.size());
        for (int k = 0; k < 4; ++k)
            stream[offsetFields[i] + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(offset >> (8 * k));
        const ByteVector bof = bofRecord(layout.biff8, layout.sheets[i].type == 2 ? 0x0020 : 0x0010);
        stream.insert(stream.end(), bof.begin(), bof.end());
        stream.insert(stream.end(), layout.sheets[i].records.begin(), layout.sheets[i].records.end());
        stream.insert(stream.end(), eof.begin(), eof.end());
    }
    return stream;
}

// An SST record and its CONTINUE records from raw string bytes, split into
// pieces at the given sizes (the last piece takes the rest). Each piece after
// the first is a CONTINUE record; the caller puts any flag bytes a split
// through characters needs into the bytes itself.
inline ByteVector sstRecords(std::uint32_t count, const std::vector<ByteVector>& pieces)
{
    ByteVector out;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        ByteVector data;
        if (i == 0) {
            put32(data, count);
            put32(data, count);
        }
        data.insert(data.end(), pieces[i].begin(), pieces[i].end());
        const ByteVector r = record(i == 0 ? 0x00FC : 0x003C, data);
        out.insert(out.end(), r.begin(), r.end());
    }
    return out;
}

inline ByteVector concat(std::initializer_list<ByteVector> parts)
{
    ByteVector out;
    for (const ByteVector& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

} // namespace zx::test
