#include "core/TextDecoding.h"

#include <glib.h>

#include <algorithm>

namespace zx {

namespace {

struct CodePageTable {
    unsigned codePage;
    char16_t high[128];
};

#include "core/CodePageTables.inc"

const CodePageTable* findTable(unsigned codePage)
{
    // Excel writes these numbers for the Macintosh and Windows defaults, and
    // 367 (US-ASCII) for files whose text is plain ASCII in practice.
    if (codePage == 32768)
        codePage = 10000;
    else if (codePage == 32769 || codePage == 367)
        codePage = 1252;
    const auto it = std::find_if(std::begin(kCodePageTables), std::end(kCodePageTables),
        [codePage](const CodePageTable& t) { return t.codePage == codePage; });
    return it == std::end(kCodePageTables) ? nullptr : &*it;
}

// The East Asian double-byte code pages are left to the C library's converter.
const char* multiByteCharset(unsigned codePage)
{
    switch (codePage) {
    case 932: return "CP932";
    case 936: return "CP936";
    case 949: return "CP949";
    case 950: return "CP950";
    case 1361: return "JOHAB";
    default: return nullptr;
    }
}

std::string decodeWithTable(std::span<const std::uint8_t> bytes, const CodePageTable& table)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (const std::uint8_t b : bytes) {
        if (b < 0x80)
            out += static_cast<char>(b);
        else
            AppendUtf8(out, table.high[b - 0x80]);
    }
    return out;
}

} // namespace

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = 0xFFFD;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string Utf16ToUtf8(std::span<const char16_t> units)
{
    std::string out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00
            && units[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            AppendUtf8(out, u); // a lone surrogate becomes U+FFFD there
        }
    }
    return out;
}

namespace {

// The length of the well-formed UTF-8 sequence at text[i], 0 when there is none.
std::size_t sequenceAt(std::string_view text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char b = byte(i);
    if (b < 0x80)
        return 1;
    std::size_t n;
    unsigned char low = 0x80, high = 0xBF; // the allowed range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        if (b == 0xE0)
            low = 0xA0; // overlong
        else if (b == 0xED)
            high = 0x9F; // surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        if (b == 0xF0)
            low = 0x90;
        else if (b == 0xF4)
            high = 0x8F; // beyond U+10FFFF
    } else {
        return 0;
    }
    if (i + n > text.size() || byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (std::size_t k = 2; k < n; ++k)
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    return n;
}

} // namespace

std::size_t InvalidUtf8At(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = sequenceAt(text, i);
        if (n == 0)
            return i;
        i += n;
    }
    return text.size();
}

std::string RepairUtf8(std::string_view text)
{
    std::size_t i = InvalidUtf8At(text);
    std::string out(text.substr(0, i));
    while (i < text.size()) {
        const std::size_t n = sequenceAt(text, i);
        if (n == 0) {
            AppendUtf8(out, 0xFFFD);
            ++i;
        } else {
            out.append(text.substr(i, n));
            i += n;
        }
    }
    return out;
}

std::string Windows1252ToUtf8(const std::string& bytes)
{
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    return CodePageToUtf8(std::span(data, bytes.size()), 1252);
}

bool IsKnownCodePage(unsigned codePage)
{
    return findTable(codePage) != nullptr || multiByteCharset(codePage) != nullptr;
}

std::string CodePageToUtf8(std::span<const std::uint8_t> bytes, unsigned codePage)
{
    if (const CodePageTable* table = findTable(codePage))
        return decodeWithTable(bytes, *table);
    if (const char* charset = multiByteCharset(codePage)) {
        const bool plainAscii = std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b < 0x80; });
        if (plainAscii)
            return std::string(bytes.begin(), bytes.end());
        gsize written = 0;
        gchar* converted = g_convert(reinterpret_cast<const gchar*>(bytes.data()),
            static_cast<gssize>(bytes.size()), "UTF-8", charset, nullptr, &written, nullptr);
        if (converted) {
            std::string out(converted, written);
            g_free(converted);
            return out;
        }
        // Broken double-byte text: show it byte by byte rather than not at all.
    }
    return decodeWithTable(bytes, *findTable(1252));
}

std::string UpperCase(const std::string& utf8)
{
    if (!g_utf8_validate(utf8.data(), static_cast<gssize>(utf8.size()), nullptr))
        return utf8;
    std::string out;
    for (const char* p = utf8.c_str(); *p; p = g_utf8_next_char(p))
        AppendUtf8(out, static_cast<char32_t>(g_unichar_toupper(g_utf8_get_char(p))));
    return out;
}

} // namespace zx
