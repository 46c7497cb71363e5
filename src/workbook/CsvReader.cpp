#include "workbook/CsvReader.h"

#include "core/TextDecoding.h"
#include "workbook/ValueText.h"

#include <algorithm>
#include <array>
#include <map>
#include <vector>

namespace zx {

namespace {

constexpr std::size_t kSampleBytes = 64 * 1024;
constexpr std::size_t kSampleLines = 100;

std::string decode(std::span<const std::uint8_t> bytes)
{
    const auto starts = [&](std::initializer_list<std::uint8_t> bom) {
        return bytes.size() >= bom.size() && std::equal(bom.begin(), bom.end(), bytes.begin());
    };
    if (starts({ 0xEF, 0xBB, 0xBF }))
        return RepairUtf8({ reinterpret_cast<const char*>(bytes.data()) + 3, bytes.size() - 3 });
    if (starts({ 0xFF, 0xFE }) || starts({ 0xFE, 0xFF })) {
        // Excel's "Unicode text" is UTF-16 with a byte-order mark.
        const bool little = bytes[0] == 0xFF;
        std::vector<char16_t> units;
        units.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            units.push_back(static_cast<char16_t>(little ? bytes[i] | (bytes[i + 1] << 8) : (bytes[i] << 8) | bytes[i + 1]));
        return Utf16ToUtf8(units);
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (InvalidUtf8At(text) == text.size())
        return std::string(text);
    return CodePageToUtf8(bytes, 1252);
}

// A field longer than this many bytes holds more characters than a cell.
constexpr std::size_t kMaxFieldBytes = 4 * kMaxCellTextLength;

// Splits text into records of fields: separator, quotes ("a;b" and "" for a
// quote inside) and line ends (CR LF, LF, CR). visit(fields) for each record;
// it returns false to stop. A record of more fields than a sheet has columns
// or a field of more than kMaxFieldBytes is handed over as soon as it is
// seen, cut there, so that one endless line costs neither time nor memory.
template <typename Visit>
void splitRecords(std::string_view text, char separator, Visit&& visit)
{
    std::vector<std::string> fields;
    std::string field;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        fields.clear();
        for (;;) {
            field.clear();
            if (i < n && text[i] == '"') {
                ++i;
                for (;;) {
                    const std::size_t quote = text.find('"', i);
                    if (quote == std::string_view::npos) { // unterminated: the rest
                        field.append(text.substr(i));
                        i = n;
                        break;
                    }
                    field.append(text.substr(i, quote - i));
                    i = quote + 1;
                    if (i < n && text[i] == '"') {
                        field += '"';
                        ++i;
                    } else {
                        break;
                    }
                }
            }
            // Unquoted text, or what follows a closing quote, up to the next separator.
            std::size_t end = i;
            while (end < n && text[end] != separator && text[end] != '\n' && text[end] != '\r')
                ++end;
            field.append(text.substr(i, end - i));
            i = end;
            if (field.size() > kMaxFieldBytes)
                field.resize(kMaxFieldBytes + 1);
            fields.push_back(field);
            if (field.size() > kMaxFieldBytes || fields.size() > static_cast<std::size_t>(kMaxReferenceColumns)) {
                visit(fields);
                return;
            }
            if (i < n && text[i] == separator) {
                ++i;
                continue;
            }
            break;
        }
        if (i < n && text[i] == '\r')
            ++i;
        if (i < n && text[i] == '\n')
            ++i;
        if (!visit(fields))
            return;
    }
}

bool digit(char c) { return c >= '0' && c <= '9'; }

// "1.234.567": one to three digits, then groups of exactly three.
bool grouped(std::string_view digits, char group)
{
    const std::size_t first = digits.find(group);
    if (first == 0 || first > 3)
        return false;
    for (std::size_t i = first; i < digits.size(); i += 4) {
        if (digits[i] != group || i + 4 > digits.size())
            return false;
        for (std::size_t k = 1; k <= 3; ++k)
            if (!digit(digits[i + k]))
                return false;
    }
    return true;
}

} // namespace

std::optional<double> CsvNumber(std::string_view field, char decimal)
{
    std::string_view s = field;
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    bool percent = false;
    if (!s.empty() && s.back() == '%') {
        percent = true;
        s.remove_suffix(1);
        while (!s.empty() && s.back() == ' ')
            s.remove_suffix(1);
    }
    if (s.empty())
        return std::nullopt;
    std::string text;
    std::size_t i = 0;
    if (s[0] == '-' || s[0] == '+')
        text += s[i++];
    // The whole-number part, with the other separator as grouping.
    const char group = decimal == ',' ? '.' : ',';
    std::size_t end = i;
    while (end < s.size() && (digit(s[end]) || s[end] == group))
        ++end;
    const std::string_view whole = s.substr(i, end - i);
    if (whole.find(group) != std::string_view::npos) {
        if (!grouped(whole, group))
            return std::nullopt;
        for (const char c : whole)
            if (c != group)
                text += c;
    } else {
        text += whole;
    }
    i = end;
    if (i < s.size() && s[i] == decimal) {
        text += '.';
        ++i;
    }
    // The fraction and exponent are left to the exact reader.
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (!(digit(c) || c == 'e' || c == 'E' || c == '+' || c == '-'))
            return std::nullopt;
        text += c;
    }
    if (percent) {
        if (text.find_first_of("eE") != std::string::npos)
            return std::nullopt;
        text += "e-2"; // exact: the decimal point moves, nothing is divided
    }
    return ParseDecimal(text);
}

CsvDialect DetectCsvDialect(std::string_view text)
{
    std::string_view sample = text.substr(0, std::min(text.size(), kSampleBytes));
    if (sample.size() < text.size()) {
        const std::size_t lastBreak = sample.find_last_of("\r\n");
        if (lastBreak != std::string_view::npos)
            sample = sample.substr(0, lastBreak);
    }
    // For each candidate the number of lines that split into the most common
    // number of fields, when that is more than one.
    constexpr std::array<char, 3> candidates{ '\t', ';', ',' }; // preferred in this order
    std::array<std::size_t, 3> score{};
    for (std::size_t c = 0; c < candidates.size(); ++c) {
        std::map<std::size_t, std::size_t> counts;
        std::size_t seen = 0;
        splitRecords(sample, candidates[c], [&](const std::vector<std::string>& fields) {
            if (!(fields.size() == 1 && fields[0].empty()))
                ++counts[fields.size()];
            return ++seen < kSampleLines;
        });
        std::size_t best = 0, bestFields = 0;
        for (const auto& [fields, lineCount] : counts)
            if (lineCount > best || (lineCount == best && fields > bestFields))
                best = lineCount, bestFields = fields;
        score[c] = bestFields > 1 ? best : 0;
    }
    CsvDialect d;
    const std::size_t winner = static_cast<std::size_t>(std::max_element(score.begin(), score.end()) - score.begin());
    d.separator = score[winner] > 0 ? candidates[winner] : ';';

    // Commas that only ever stand alone between digits ("1,5") are decimal
    // commas of a single column, as a German spreadsheet writes it, not
    // separators. Numbers with a point and none with a comma are written
    // the English way.
    std::size_t linesSeen = 0;
    bool commaDecimals = false, pointNumbers = false, otherCommas = false;
    splitRecords(sample, d.separator == ',' ? ';' : d.separator, [&](const std::vector<std::string>& fields) {
        for (const std::string& f : fields) {
            if (f.find(',') != std::string::npos) {
                if (CsvNumber(f, ','))
                    commaDecimals = true;
                else
                    otherCommas = true;
            }
            if (f.find('.') != std::string::npos && CsvNumber(f, '.'))
                pointNumbers = true;
        }
        return ++linesSeen < kSampleLines;
    });
    if (d.separator == ',' && commaDecimals && !otherCommas && !pointNumbers)
        d.separator = ';';
    if (d.separator == ',')
        d.decimal = '.';
    else
        d.decimal = commaDecimals || !pointNumbers ? ',' : '.';
    return d;
}

bool LooksLikeText(std::span<const std::uint8_t> head)
{
    if (head.size() >= 2 && ((head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF)))
        return true;
    std::size_t controls = 0;
    for (const std::uint8_t b : head) {
        if (b == 0)
            return false;
        if ((b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f' && b != 0x1A) || b == 0x7F)
            ++controls;
    }
    return controls * 100 <= head.size();
}

ReadOutcome ReadCsvBytes(std::span<const std::uint8_t> bytes, const std::string& sheetName)
{
    ReadOutcome out;
    const auto tooLarge = [&](std::string detail, std::string reason) {
        out.failure = { OpenErrorCode::TooLarge, std::move(detail), std::move(reason) };
        return std::move(out);
    };
    if (bytes.size() > kMaxFileBytes)
        return tooLarge("a text file beyond the limit", "die Datei ist größer als " + GermanCount(kMaxFileBytes >> 20) + " MB");
    const std::string text = decode(bytes);
    const CsvDialect dialect = DetectCsvDialect(text);

    StoredBook book;
    auto cells = std::make_shared<SheetCells>();
    std::size_t row = 0, cellCount = 0, textBytes = 0;
    std::string limit, detail;
    splitRecords(text, dialect.separator, [&](const std::vector<std::string>& fields) {
        if (fields.size() > static_cast<std::size_t>(kMaxReferenceColumns)) {
            detail = "a line of more fields than columns";
            limit = "eine Zeile enthält mehr als " + GermanCount(static_cast<std::size_t>(kMaxReferenceColumns)) + " Werte";
            return false;
        }
        for (std::size_t column = 0; column < fields.size(); ++column) {
            const std::string& f = fields[column];
            if (f.empty())
                continue;
            if (row >= static_cast<std::size_t>(kMaxReferenceRows)) {
                detail = "more lines than rows";
                limit = "sie hat mehr als " + GermanCount(static_cast<std::size_t>(kMaxReferenceRows)) + " Zeilen";
                return false;
            }
            if (++cellCount > kMaxCells) {
                detail = "more cells than the limit";
                limit = "sie enthält mehr als " + GermanCount(kMaxCells) + " gefüllte Zellen";
                return false;
            }
            if (const auto v = CsvNumber(f, dialect.decimal)) {
                cells->putNumber(static_cast<unsigned>(row), static_cast<unsigned>(column), *v);
                continue;
            }
            const auto characters = static_cast<std::size_t>(
                std::count_if(f.begin(), f.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
            if (characters > kMaxCellTextLength) {
                detail = "a field longer than a cell holds";
                limit = "ein Wert ist länger als " + GermanCount(kMaxCellTextLength) + " Zeichen";
                return false;
            }
            textBytes += f.size();
            if (textBytes > kMaxTextBytes) {
                detail = "more text than the limit";
                limit = "sie enthält mehr als " + GermanCount(kMaxTextBytes >> 20) + " MB Text";
                return false;
            }
            book.texts.push_back(f);
            cells->putText(static_cast<unsigned>(row), static_cast<unsigned>(column),
                static_cast<std::uint32_t>(book.texts.size() - 1));
        }
        ++row;
        return true;
    });
    if (!limit.empty())
        return tooLarge(detail, limit);
    cells->finish(book.texts);
    book.sheets.push_back({ sheetName, SheetVisibility::Visible, std::move(cells) });
    book.frontSheet = 0;
    out.workbook = std::make_unique<StoredWorkbook>(std::move(book));
    return out;
}

} // namespace zx
