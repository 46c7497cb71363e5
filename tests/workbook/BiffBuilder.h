// Workbook streams built record by record, in OLE2 containers, so that tests
// say exactly which bytes the reader gets.
#pragma once

#include "workbook/Workbook.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-utils.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace zx {

inline void PrintTo(const Cell& c, std::ostream* os)
{
    static const char* kinds[] = { "empty", "number", "text", "boolean", "error" };
    *os << kinds[static_cast<int>(c.kind())] << ' ' << c.numberValue() << " \"" << c.textValue() << '"';
}

inline void PrintTo(const SheetExtent& e, std::ostream* os) { *os << e.rows << " rows x " << e.columns << " columns"; }

namespace test {

using ByteVector = std::vector<std::uint8_t>;

inline void put16(ByteVector& b, unsigned v)
{
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void put32(ByteVector& b, std::uint32_t v)
{
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

inline ByteVector concat(std::initializer_list<ByteVector> parts)
{
    ByteVector out;
    for (const ByteVector& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline ByteVector resized(ByteVector b, std::size_t size)
{
    b.resize(size);
    return b;
}

// One record: type, 16-bit length, data.
inline ByteVector record(unsigned type, const ByteVector& data)
{
    ByteVector r;
    put16(r, type);
    put16(r, static_cast<unsigned>(data.size()));
    return concat({ r, data });
}

// Cell records: row, column, XF index, then the value.
inline ByteVector cellRecord(unsigned type, unsigned row, unsigned col, const ByteVector& value)
{
    ByteVector b;
    for (const unsigned v : { row, col, 15u })
        put16(b, v);
    return record(type, concat({ b, value }));
}

inline ByteVector numberRecord(unsigned row, unsigned col, double v)
{
    ByteVector b(8);
    std::memcpy(b.data(), &v, 8);
    return cellRecord(0x0203, row, col, b);
}

inline ByteVector labelSstRecord(unsigned row, unsigned col, std::uint32_t index)
{
    ByteVector b;
    put32(b, index);
    return cellRecord(0x00FD, row, col, b);
}

// BIFF8 XLUnicodeString with a 16-bit count: 8-bit characters when every
// character fits, else UTF-16.
inline ByteVector unicodeString16(const std::u16string& s)
{
    ByteVector b;
    put16(b, static_cast<unsigned>(s.size()));
    const bool wide = std::any_of(s.begin(), s.end(), [](char16_t c) { return c > 0xFF; });
    b.push_back(wide ? 1 : 0);
    for (char16_t c : s)
        wide ? put16(b, c) : b.push_back(static_cast<std::uint8_t>(c));
    return b;
}

inline ByteVector bofRecord(bool biff8, unsigned substream)
{
    ByteVector b;
    for (unsigned v : { biff8 ? 0x0600u : 0x0500u, substream, 0x0DBBu, 0x07CCu })
        put16(b, v);
    b.resize(biff8 ? 16 : 8);
    return record(0x0809, b);
}

inline ByteVector eofRecord() { return record(0x000A, {}); }

struct SheetLayout {
    std::string name;   // 8-bit characters
    unsigned state = 0; // 0 visible, 1 hidden, 2 very hidden
    unsigned type = 0;  // 0 worksheet, 2 chart
    ByteVector records; // the substream's records between BOF and EOF
};

// A workbook stream: globals (BOF, WINDOW1, the extra records, BOUNDSHEETs, EOF), then the sheets.
struct BookLayout {
    bool biff8 = true;
    unsigned activeTab = 0;
    ByteVector globalsExtra;
    std::vector<SheetLayout> sheets;
};

inline ByteVector buildStream(const BookLayout& layout)
{
    ByteVector window(18);
    window[10] = static_cast<std::uint8_t>(layout.activeTab);
    ByteVector globals = concat({ bofRecord(layout.biff8, 0x0005), record(0x003D, window), layout.globalsExtra });
    std::vector<std::size_t> offsetFields;
    for (const SheetLayout& s : layout.sheets) {
        ByteVector b{ 0, 0, 0, 0, static_cast<std::uint8_t>(s.state), static_cast<std::uint8_t>(s.type), static_cast<std::uint8_t>(s.name.size()) };
        if (layout.biff8)
            b.push_back(0); // 8-bit characters
        b.insert(b.end(), s.name.begin(), s.name.end());
        offsetFields.push_back(globals.size() + 4);
        globals = concat({ globals, record(0x0085, b) });
    }
    ByteVector stream = concat({ globals, eofRecord() });
    for (std::size_t i = 0; i < layout.sheets.size(); ++i) {
        for (std::size_t k = 0; k < 4; ++k)
            stream[offsetFields[i] + k] = static_cast<std::uint8_t>(stream.size() >> (8 * k));
        stream = concat({ stream, bofRecord(layout.biff8, layout.sheets[i].type == 2 ? 0x0020 : 0x0010),
            layout.sheets[i].records, eofRecord() });
    }
    return stream;
}

inline ByteVector oneSheet(const ByteVector& cells, const ByteVector& globalsExtra = {}, bool biff8 = true)
{
    return buildStream({ biff8, 0, globalsExtra, { { "Tabelle1", 0, 0, cells } } });
}

// An SST record holding the first piece of the table, a CONTINUE record each further piece.
inline ByteVector sstRecords(std::uint32_t count, const std::vector<ByteVector>& pieces)
{
    ByteVector head;
    put32(head, count);
    put32(head, count);
    ByteVector out = record(0x00FC, concat({ head, pieces.at(0) }));
    for (std::size_t i = 1; i < pieces.size(); ++i)
        out = concat({ out, record(0x003C, pieces[i]) });
    return out;
}

using NamedStream = std::pair<std::string, ByteVector>;

// The bytes of a container that `open` makes in memory, with a child made by `child` for each named part.
template <class Data>
ByteVector gsfContainer(GsfOutfile* (*open)(GsfOutput*), GsfOutput* (*child)(GsfOutfile*, const char*), const std::vector<std::pair<std::string, Data>>& parts)
{
    gsf_init();
    GsfOutput* memory = gsf_output_memory_new();
    GsfOutfile* container = open(memory);
    for (const auto& [name, data] : parts) {
        GsfOutput* c = child(container, name.c_str());
        gsf_output_write(c, data.size(), reinterpret_cast<const guint8*>(data.data()));
        gsf_output_close(c);
        g_object_unref(c);
    }
    gsf_output_close(GSF_OUTPUT(container));
    g_object_unref(container);
    const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory));
    ByteVector out(bytes, bytes + gsf_output_size(memory));
    g_object_unref(memory);
    return out;
}

inline ByteVector oleFile(const std::vector<NamedStream>& streams)
{
    return gsfContainer(gsf_outfile_msole_new, [](GsfOutfile* ole, const char* name) { return gsf_outfile_new_child(ole, name, FALSE); }, streams);
}

inline void writeFile(const std::string& path, const ByteVector& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline ByteVector readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return ByteVector(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace test
} // namespace zx
