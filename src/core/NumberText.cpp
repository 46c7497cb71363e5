#include "core/NumberText.h"

#include <atomic>
#include <charconv>
#include <cmath>

namespace zx {

namespace {

std::atomic<char> g_decimalSeparator { '.' };

// printf's %G with the given precision, without the minus of a negative zero.
// Written with to_chars: printf would take the decimal point of the C
// library's locale, which the windows set to the user's region.
std::string generalForm(double value, int precision)
{
    if (value == 0)
        value = 0; // turns -0 into +0
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, precision).ptr;
    std::string text(buf, end);
    for (char& c : text)
        if (c == 'e')
            c = 'E';
    return text;
}

std::string withSeparator(std::string text, char separator)
{
    for (char& c : text)
        if (c == '.')
            c = separator;
    return text;
}

std::string leadingBlank(std::string text)
{
    return text.front() == '-' ? text : " " + text;
}

// |value| as a digit string rounded half away from zero to `decimals` places,
// working on its 15-significant-digit decimal form. Returns integer and
// fraction digits.
struct FixedDigits {
    std::string integer;
    std::string fraction;
    bool allZero = true;
};

FixedDigits roundFixed(double magnitude, int decimals)
{
    FixedDigits out;
    std::string digits;
    int exponent = 0;
    if (magnitude != 0) {
        char buf[64];
        const auto end = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14).ptr;
        std::string_view s(buf, static_cast<std::size_t>(end - buf)); // d.dddddddddddddde±XX
        digits.push_back(s[0]);
        digits.append(s.substr(2, 14));
        std::from_chars(s.data() + s.find('e') + (s[s.find('e') + 1] == '+' ? 2 : 1), s.data() + s.size(), exponent);
        const int cut = exponent + 1 + decimals; // index of the first digit dropped
        if (cut < 15) {
            const bool up = cut >= 0 && digits[static_cast<std::size_t>(cut)] >= '5';
            digits.resize(static_cast<std::size_t>(std::max(cut, 0)));
            if (up) {
                int j = static_cast<int>(digits.size()) - 1;
                while (j >= 0 && digits[static_cast<std::size_t>(j)] == '9')
                    digits[static_cast<std::size_t>(j--)] = '0';
                if (j >= 0) {
                    ++digits[static_cast<std::size_t>(j)];
                } else {
                    digits.insert(digits.begin(), '1');
                    ++exponent;
                }
            }
        }
    }
    // The digit of weight 10^w sits at index exponent - w.
    auto digitAt = [&](int w) -> char {
        const int j = exponent - w;
        return j >= 0 && j < static_cast<int>(digits.size()) ? digits[static_cast<std::size_t>(j)] : '0';
    };
    for (int w = std::max(exponent, 0); w >= 0; --w)
        out.integer += digitAt(w);
    for (int w = -1; w >= -decimals; --w)
        out.fraction += digitAt(w);
    for (char c : out.integer + out.fraction)
        if (c != '0')
            out.allZero = false;
    // Leading zeros of the integer part go; the pattern decides how many stay.
    const auto firstNonZero = out.integer.find_first_not_of('0');
    out.integer = firstNonZero == std::string::npos ? std::string() : out.integer.substr(firstNonZero);
    return out;
}

} // namespace

void SetDecimalSeparator(char separator) { g_decimalSeparator = separator; }
char DecimalSeparator() { return g_decimalSeparator; }

std::string Str(double value) { return leadingBlank(generalForm(value, 15)); }
std::string Str(long long value) { return leadingBlank(std::to_string(value)); }
std::string Str(int value) { return Str(static_cast<long long>(value)); }
std::string StrSingle(float value) { return leadingBlank(generalForm(value, 7)); }

std::string CStr(double value) { return withSeparator(generalForm(value, 15), DecimalSeparator()); }
std::string CStrSingle(float value) { return withSeparator(generalForm(value, 7), DecimalSeparator()); }

std::string Format(double value, std::string_view pattern)
{
    const bool percent = !pattern.empty() && pattern.back() == '%';
    if (percent)
        pattern.remove_suffix(1);
    const auto point = pattern.find('.');
    const std::string_view intPattern = pattern.substr(0, point);
    const std::string_view fracPattern = point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);
    int minInteger = 0;
    for (char c : intPattern)
        minInteger += c == '0';
    int decimals = 0;
    for (char c : fracPattern)
        decimals += c == '0';

    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Inf" : "Inf";
    const double scaled = percent ? value * 100 : value;
    FixedDigits d = roundFixed(std::fabs(scaled), decimals);
    std::string text;
    if (scaled < 0 && !d.allZero)
        text += '-';
    if (static_cast<int>(d.integer.size()) < minInteger)
        d.integer.insert(0, static_cast<std::size_t>(minInteger) - d.integer.size(), '0');
    text += d.integer;
    if (decimals > 0)
        text += DecimalSeparator() + d.fraction;
    if (percent)
        text += '%';
    return text;
}

double Val(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::string number;
    auto takeDigits = [&] {
        std::size_t n = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            number += text[i++];
            ++n;
        }
        return n;
    };
    std::size_t mantissaDigits = takeDigits();
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        ++i;
        number += '.';
        mantissaDigits += takeDigits();
    }
    if (mantissaDigits == 0)
        return 0;
    // An exponent counts only when digits follow it.
    if (i + 1 < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (text[j] == '+' || text[j] == '-')
            ++j;
        if (j < text.size() && text[j] >= '0' && text[j] <= '9') {
            number += 'e';
            number.append(text.substr(i + 1, j - i - 1));
            i = j;
            takeDigits();
        }
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range)
        value = number.find("e-") != std::string::npos ? 0.0 : HUGE_VAL;
    return negative ? -value : value;
}

double LevelValue(std::string_view answer)
{
    if (answer.empty())
        return 5;
    if (answer.back() == '%')
        answer.remove_suffix(1);
    return Val(answer);
}

} // namespace zx
