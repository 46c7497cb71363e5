// Text of workbooks to UTF-8: code pages, UTF-16 with and without its
// surrogate pairs, the edges of well-formed UTF-8, upper case.
#include "core/TextDecoding.h"

#include <gtest/gtest.h>

namespace zx {
namespace {

std::string decode(const std::string& bytes, unsigned codePage)
{
    return CodePageToUtf8(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), codePage);
}

TEST(TextDecoding, CodePages)
{
    struct Case { unsigned codePage; const char* bytes; const char* text; };
    const Case cases[] = {
        { 1252, "Ma\xDF \x80", "Maß €" }, { 1252, "\x81", "\xEF\xBF\xBD" }, { 1250, "\x8A", "Š" }, { 1251, "\xC0", "А" },
        { 437, "\x81", "ü" }, { 10000, "\x80", "Ä" }, { 32768, "\x80", "Ä" }, { 32769, "\x80", "€" }, { 367, "\x80", "€" },
        { 9999, "\x80", "€" },               // unknown: Windows-1252
        { 932, "\x82\xA0", "あ" }, { 936, "\xC4\xE3", "你" }, { 949, "\xB0\xA1", "가" }, { 950, "\xA4\xA4", "中" },
        { 932, "abc", "abc" }, { 936, "\xC0", "À" }, // broken double-byte text: byte by byte
    };
    for (const auto& c : cases)
        EXPECT_EQ(decode(c.bytes, c.codePage), c.text) << c.codePage;
    EXPECT_EQ(Windows1252ToUtf8("\xE4\xF6\xFC"), "äöü");
    for (unsigned known : { 1252u, 10000u, 32768u, 32769u, 367u, 1361u, 932u })
        EXPECT_TRUE(IsKnownCodePage(known)) << known;
    EXPECT_FALSE(IsKnownCodePage(9999));
}

TEST(TextDecoding, Utf16AndCodePointLengths)
{
    const std::u16string units = u"A\u00E9\u07FF\u0800\uFFFF\U00010000\U0010FFFF";
    EXPECT_EQ(Utf16ToUtf8(units), "A\xC3\xA9\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF");
    const char16_t lone[] = { 0xD800, u'x', 0xDC00, 0xDBFF };
    EXPECT_EQ(Utf16ToUtf8(lone), "\xEF\xBF\xBDx\xEF\xBF\xBD\xEF\xBF\xBD");
    std::string out;
    AppendUtf8(out, 0x110000);
    AppendUtf8(out, 0x7F);
    AppendUtf8(out, 0x80);
    EXPECT_EQ(out, "\xEF\xBF\xBD\x7F\xC2\x80");
}

TEST(TextDecoding, WellFormedUtf8)
{
    // Each text: where its first ill-formed sequence starts (npos: nowhere).
    const std::pair<const char*, std::size_t> cases[] = {
        { "a\xC2\x80\xDF\xBF", std::string::npos }, { "\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80", std::string::npos },
        { "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", std::string::npos }, { "a\xC1\xBF", 1 }, { "\xE0\x9F\xBF", 0 },
        { "\xED\xA0\x80", 0 }, { "\xF0\x8F\xBF\xBF", 0 }, { "\xF4\x90\x80\x80", 0 }, { "\xF5\x80", 0 }, { "ab\xE2\x82", 2 },
        { "\xE2\x28\xA1", 0 }, { "\xF0\x90\x28\x80", 0 }, { "\x80", 0 },
    };
    for (const auto& [text, at] : cases)
        EXPECT_EQ(InvalidUtf8At(text), at == std::string::npos ? std::string_view(text).size() : at) << text;
    EXPECT_EQ(RepairUtf8("a\xE2\x82\xC3\xA4\xFF"), "a\xEF\xBF\xBD\xEF\xBF\xBD\xC3\xA4\xEF\xBF\xBD");
    EXPECT_EQ(RepairUtf8("ok"), "ok");
}

TEST(TextDecoding, UpperCaseCharacterForCharacter)
{
    EXPECT_EQ(UpperCase("straße äöü x1"), "STRAßE ÄÖÜ X1");
    EXPECT_EQ(UpperCase("ab\xFF"), "ab\xFF") << "not UTF-8: as it is";
}

} // namespace
} // namespace zx
