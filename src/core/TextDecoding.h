// Text of workbook and parameter files to UTF-8: UTF-16 of Excel 97-2003,
// the 8-bit code pages of Excel 5.0/95, of the parameter file and of text
// files, and UTF-8 that must be checked.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zx {

void AppendUtf8(std::string& out, char32_t codePoint);

// UTF-16 code units to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::span<const char16_t> units);

// 8-bit text in the given Windows code page (the number of a CODEPAGE record:
// 1250..1258, 10000 Mac Roman, 437, 850, 866, 874, 932, 936, 949, 950 and
// others) to UTF-8. Unknown code pages are read as Windows-1252; bytes the code
// page leaves unassigned become U+FFFD.
std::string CodePageToUtf8(std::span<const std::uint8_t> bytes, unsigned codePage);

// Windows-1252 bytes to UTF-8 (the five unassigned positions become U+FFFD).
std::string Windows1252ToUtf8(const std::string& bytes);

// Upper case of every character, one character for one: "ß" stays, as in
// the names users have always seen. Text that is not UTF-8 stays as it is.
std::string UpperCase(const std::string& utf8);

// Where the first byte sequence that is not well-formed UTF-8 starts (an
// overlong form, a surrogate, beyond U+10FFFF, cut short); text.size() when
// all of it is.
std::size_t InvalidUtf8At(std::string_view text);

// The text with every such sequence replaced by U+FFFD.
std::string RepairUtf8(std::string_view text);

// True when CodePageToUtf8 knows the code page (instead of falling back to
// Windows-1252).
bool IsKnownCodePage(unsigned codePage);

} // namespace zx
