#include "workbook/CellReference.h"

#include <algorithm>

namespace zx {

namespace {
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
int letterValue(char c) { return (c >= 'a' ? c - 'a' : c - 'A') + 1; }
} // namespace

std::optional<CellPosition> ParseA1(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && s[i] == '$')
        ++i;
    // Columns are bijective base 26: A..Z, AA..ZZ, AAA..
    long column = 0;
    const std::size_t lettersStart = i;
    while (i < s.size() && isLetter(s[i])) {
        column = column * 26 + letterValue(s[i]);
        if (column > kMaxReferenceColumns)
            return std::nullopt;
        ++i;
    }
    if (i == lettersStart)
        return std::nullopt;
    if (i < s.size() && s[i] == '$')
        ++i;
    const std::size_t digitsStart = i;
    long row = 0;
    while (i < s.size() && isDigit(s[i])) {
        row = row * 10 + (s[i] - '0');
        if (row > kMaxReferenceRows)
            return std::nullopt;
        ++i;
    }
    if (i == digitsStart || i != s.size() || s[digitsStart] == '0')
        return std::nullopt;
    return CellPosition{ static_cast<int>(row - 1), static_cast<int>(column - 1) };
}

std::string ColumnLetters(int column)
{
    if (column < 0)
        return {};
    std::string letters;
    long n = static_cast<long>(column) + 1;
    while (n > 0) {
        const long digit = (n - 1) % 26;
        letters += static_cast<char>('A' + digit);
        n = (n - 1) / 26;
    }
    std::reverse(letters.begin(), letters.end());
    return letters;
}

std::string ToA1(int row, int column)
{
    if (row < 0 || column < 0)
        return {};
    return ColumnLetters(column) + std::to_string(static_cast<long>(row) + 1);
}

} // namespace zx
