#include "app/ProgramDirectory.h"

#include <fstream>
#include <iterator>

namespace zx {

namespace {
constexpr std::size_t kRecordLength = 100;
constexpr std::size_t kLengthField = 2;

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Positions 0x80..0x9F of Windows-1252; 0xFFFD where the code page has nothing.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};
} // namespace

std::string Windows1252ToUtf8(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char b : bytes) {
        if (b >= 0x80 && b <= 0x9F)
            appendUtf8(out, kHighControls[b - 0x80]);
        else
            appendUtf8(out, b);
    }
    return out;
}

std::optional<std::string> ReadParameterRecord1(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string record(kRecordLength, '\0');
    in.read(record.data(), kRecordLength);
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got < kLengthField)
        return std::nullopt;
    const std::size_t length = static_cast<unsigned char>(record[0])
        | (static_cast<std::size_t>(static_cast<unsigned char>(record[1])) << 8);
    if (length > kRecordLength - kLengthField || kLengthField + length > got)
        return std::nullopt;
    return Windows1252ToUtf8(record.substr(kLengthField, length));
}

std::string WithTrailingSeparator(std::string dir)
{
    if (dir.empty() || (dir.back() != '/' && dir.back() != '\\'))
        dir += '/';
    return dir;
}

std::string ResolveProgramDirectory(const DirectoryCandidates& c)
{
    for (const auto* candidate : { &c.fromParameterFile, &c.fromCommandLine, &c.exampleFolder }) {
        if (*candidate && !(*candidate)->empty())
            return WithTrailingSeparator(**candidate);
    }
    return WithTrailingSeparator(c.currentFolder.empty() ? std::string(".") : c.currentFolder);
}

} // namespace zx
