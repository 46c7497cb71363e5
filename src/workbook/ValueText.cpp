#include "workbook/ValueText.h"

#include "core/TextDecoding.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace zx {

namespace {

std::string_view trimmed(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads an unsigned whole number of exactly `digits` digits (any number when
// digits is 0) at the front of s.
std::optional<long long> takeNumber(std::string_view& s, std::size_t digits = 0)
{
    std::size_t n = 0;
    while (n < s.size() && isDigit(s[n]) && (digits == 0 || n < digits) && n < 12)
        ++n;
    if (n == 0 || (digits != 0 && n != digits))
        return std::nullopt;
    long long v = 0;
    std::from_chars(s.data(), s.data() + n, v);
    s.remove_prefix(n);
    return v;
}

bool take(std::string_view& s, char c)
{
    if (s.empty() || s.front() != c)
        return false;
    s.remove_prefix(1);
    return true;
}

// Seconds with an optional fraction ("15", "15.25").
std::optional<double> takeSeconds(std::string_view& s)
{
    std::size_t n = 0;
    while (n < s.size() && (isDigit(s[n]) || s[n] == '.'))
        ++n;
    if (n == 0)
        return std::nullopt;
    double v = 0;
    const auto r = std::from_chars(s.data(), s.data() + n, v);
    if (r.ec != std::errc() || r.ptr != s.data() + n)
        return std::nullopt;
    s.remove_prefix(n);
    return v;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<double> ParseDecimal(std::string_view text, bool* overflow)
{
    if (overflow)
        *overflow = false;
    std::string_view s = trimmed(text);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    const std::size_t first = !s.empty() && s.front() == '-' ? 1 : 0;
    // from_chars would also take "inf" and "nan".
    if (s.size() <= first || !(isDigit(s[first]) || s[first] == '.'))
        return std::nullopt;
    double value = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::general);
    if (r.ptr != s.data() + s.size())
        return std::nullopt;
    if (r.ec == std::errc::result_out_of_range) {
        // Too small for a double is 0; too large is no number we can hold.
        const char* e = s.data() + s.find_first_of("eE");
        if (s.find_first_of("eE") == std::string_view::npos || e[1] != '-') {
            if (overflow)
                *overflow = true;
            return std::nullopt;
        }
        return first ? -0.0 : 0.0;
    }
    if (r.ec != std::errc())
        return std::nullopt;
    return value;
}

long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    // Howard Hinnant's days_from_civil.
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

std::optional<double> SerialFromIsoDate(std::string_view text, long long nullDate)
{
    std::string_view s = trimmed(text);
    const bool negative = take(s, '-');
    const auto year = takeNumber(s, 0);
    if (!year || !take(s, '-'))
        return std::nullopt;
    const auto month = takeNumber(s, 2);
    if (!month || !take(s, '-'))
        return std::nullopt;
    const auto day = takeNumber(s, 2);
    if (!day || *month < 1 || *month > 12 || *day < 1 || *day > 31)
        return std::nullopt;
    double seconds = 0;
    if (take(s, 'T')) {
        const auto h = takeNumber(s, 2);
        if (!h || !take(s, ':'))
            return std::nullopt;
        const auto mi = takeNumber(s, 2);
        if (!mi)
            return std::nullopt;
        double sec = 0;
        if (take(s, ':')) {
            const auto parsed = takeSeconds(s);
            if (!parsed)
                return std::nullopt;
            sec = *parsed;
        }
        seconds = static_cast<double>(*h) * 3600 + static_cast<double>(*mi) * 60 + sec;
    }
    // A time zone ("Z", "+01:00") is left aside, as spreadsheets do.
    if (!s.empty() && s.front() != 'Z' && s.front() != '+' && s.front() != '-')
        return std::nullopt;
    const long long days = DaysFromCivil(negative ? -*year : *year, static_cast<unsigned>(*month),
                               static_cast<unsigned>(*day))
        - nullDate;
    return static_cast<double>(days) + seconds / 86400.0;
}

std::optional<double> DaysFromIsoDuration(std::string_view text)
{
    std::string_view s = trimmed(text);
    const bool negative = take(s, '-');
    if (!take(s, 'P'))
        return std::nullopt;
    double seconds = 0;
    bool inTime = false, any = false;
    while (!s.empty()) {
        if (take(s, 'T')) {
            inTime = true;
            continue;
        }
        const auto v = takeSeconds(s);
        if (!v || s.empty())
            return std::nullopt;
        const char unit = s.front();
        s.remove_prefix(1);
        any = true;
        if (!inTime && unit == 'D')
            seconds += *v * 86400;
        else if (inTime && unit == 'H')
            seconds += *v * 3600;
        else if (inTime && unit == 'M')
            seconds += *v * 60;
        else if (inTime && unit == 'S')
            seconds += *v;
        else
            return std::nullopt; // years and months have no fixed length
    }
    if (!any)
        return std::nullopt;
    return (negative ? -seconds : seconds) / 86400.0;
}

std::string UnescapeOoxml(std::string_view text)
{
    if (text.find("_x") == std::string_view::npos)
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (i + 7 <= text.size() && text[i] == '_' && text[i + 1] == 'x' && text[i + 6] == '_') {
            int code = 0;
            bool hex = true;
            for (std::size_t k = 2; k < 6; ++k) {
                const int h = hexValue(text[i + k]);
                hex = hex && h >= 0;
                code = code * 16 + (h < 0 ? 0 : h);
            }
            if (hex) {
                AppendUtf8(out, static_cast<char32_t>(code));
                i += 7;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

} // namespace zx
