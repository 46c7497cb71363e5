// Numbers of reference files, read with "." whatever the C library's locale
// says: the suites also run under German.
#pragma once

#include <charconv>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zx::test {

inline double ReadNumber(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end == text.data())
        throw std::invalid_argument("not a number: " + std::string(text));
    return value;
}

} // namespace zx::test
