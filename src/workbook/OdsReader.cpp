#include "workbook/OdsReader.h"

#include "core/TextDecoding.h"
#include "workbook/ValueText.h"
#include "workbook/XmlParts.h"

#include <charconv>
#include <set>
#include <vector>

namespace zx {

namespace {

ReadStop tooLarge(std::string detail, std::string reason)
{
    return ReadStop{ { OpenErrorCode::TooLarge, std::move(detail), std::move(reason) } };
}

std::size_t repeatOf(std::span<const XmlAttribute> a, std::string_view name)
{
    const std::string_view v = Attribute(a, name, xmlns::kTable);
    std::size_t n = 1;
    if (v.empty() || std::from_chars(v.data(), v.data() + v.size(), n).ec != std::errc() || n == 0)
        return 1;
    return n;
}

// The active sheet's name from settings.xml.
class SettingsHandler : public XmlHandler {
public:
    std::string activeTable;

    void startElement(std::string_view ns, std::string_view name, std::span<const XmlAttribute> a) override
    {
        inActive_ = ns == xmlns::kConfig && name == "config-item" && Attribute(a, "name", xmlns::kConfig) == "ActiveTable"
            && activeTable.empty();
    }
    void endElement(std::string_view, std::string_view) override { inActive_ = false; }
    void characters(std::string_view text) override
    {
        if (inActive_)
            activeTable += text;
    }

private:
    bool inActive_ = false;
};

// True when the manifest says that parts are encrypted.
class ManifestHandler : public XmlHandler {
public:
    bool encrypted = false;
    void startElement(std::string_view ns, std::string_view name, std::span<const XmlAttribute>) override
    {
        encrypted = encrypted || (ns == xmlns::kManifest && name == "encryption-data");
    }
    void endElement(std::string_view, std::string_view) override {}
    void characters(std::string_view) override {}
};

struct Value {
    enum class Kind { Number, Text, Boolean, Error } kind = Kind::Number;
    double number = 0;
    std::uint32_t text = 0;
};

// The sheets of content.xml.
class ContentHandler : public XmlHandler {
public:
    explicit ContentHandler(StoredBook& book) : book_(book) {}

    void startElement(std::string_view ns, std::string_view name, std::span<const XmlAttribute> a) override
    {
        if (ns == xmlns::kStyle && name == "style") {
            style_ = Attribute(a, "name", xmlns::kStyle);
        } else if (ns == xmlns::kStyle && name == "table-properties") {
            if (Attribute(a, "display", xmlns::kTable) == "false")
                hiddenStyles_.insert(style_);
        } else if (ns == xmlns::kTable && name == "null-date") {
            const auto serial = SerialFromIsoDate(Attribute(a, "date-value", xmlns::kTable), 0);
            if (serial)
                nullDate_ = static_cast<long long>(*serial);
        } else if (ns == xmlns::kTable && name == "table") {
            if (++tableDepth_ == 1)
                startTable(a);
        } else if (tableDepth_ != 1) {
            // Tables inside shapes or cells are no sheets.
        } else if (ns == xmlns::kTable && name == "table-row") {
            rowRepeat_ = repeatOf(a, "number-rows-repeated");
            column_ = 0;
            rowCells_.clear();
        } else if (ns == xmlns::kTable && (name == "table-cell" || name == "covered-table-cell")) {
            startCell(name == "covered-table-cell", a);
        } else if (ns == xmlns::kOffice && name == "annotation") {
            ++ignoredDepth_;
        } else if (inCell_ && ignoredDepth_ == 0 && ns == xmlns::kText) {
            if (name == "p" || name == "h") {
                if (paragraphs_++ > 0)
                    appendText("\n");
                inParagraph_ = true;
            } else if (inParagraph_ && name == "s") {
                const std::string_view c = Attribute(a, "c", xmlns::kText);
                std::size_t n = 1;
                if (!c.empty())
                    std::from_chars(c.data(), c.data() + c.size(), n);
                appendText(std::string(std::min(n, kMaxCellTextLength), ' '));
            } else if (inParagraph_ && name == "tab") {
                appendText("\t");
            } else if (inParagraph_ && name == "line-break") {
                appendText("\n");
            }
        }
    }

    void endElement(std::string_view ns, std::string_view name) override
    {
        if (ns == xmlns::kTable && name == "table") {
            if (tableDepth_-- == 1)
                endTable();
        } else if (tableDepth_ != 1) {
        } else if (ns == xmlns::kTable && (name == "table-cell" || name == "covered-table-cell")) {
            endCell();
        } else if (ns == xmlns::kTable && name == "table-row") {
            endRow();
        } else if (ns == xmlns::kOffice && name == "annotation") {
            --ignoredDepth_;
        } else if (ns == xmlns::kText && (name == "p" || name == "h")) {
            inParagraph_ = false;
        }
    }

    void characters(std::string_view text) override
    {
        if (inCell_ && inParagraph_ && ignoredDepth_ == 0)
            appendText(text);
    }

    std::vector<std::string> tableStyles;

private:
    void startTable(std::span<const XmlAttribute> a)
    {
        book_.sheets.push_back({ RepairUtf8(Attribute(a, "name", xmlns::kTable)), SheetVisibility::Visible, nullptr });
        tableStyles.emplace_back(Attribute(a, "style-name", xmlns::kTable));
        cells_ = std::make_shared<SheetCells>();
        row_ = 0;
    }

    void endTable()
    {
        cells_->finish(book_.texts);
        book_.sheets.back().cells = std::move(cells_);
        if (hiddenStyles_.count(tableStyles.back()))
            book_.sheets.back().visibility = SheetVisibility::Hidden;
    }

    void startCell(bool covered, std::span<const XmlAttribute> a)
    {
        inCell_ = true;
        covered_ = covered;
        cellRepeat_ = repeatOf(a, "number-columns-repeated");
        text_.clear();
        paragraphs_ = 0;
        value_.reset();
        stringValue_.reset();
        if (covered)
            return; // what a merged range hides is not shown
        const std::string_view type = Attribute(a, "value-type", xmlns::kOffice);
        const auto number = [&](std::string_view attribute, std::optional<double> v, bool overflow = false) {
            if (overflow) { // beyond the doubles, as a spreadsheet shows it
                value_ = Value{ Value::Kind::Error, 0, numError() };
                return;
            }
            if (!v)
                throw ReadStop{ { OpenErrorCode::Damaged,
                    "content.xml: " + std::string(attribute) + " \"" + std::string(Attribute(a, attribute, xmlns::kOffice)) + "\"", {} } };
            value_ = Value{ Value::Kind::Number, *v, 0 };
        };
        if (Attribute(a, "value-type", xmlns::kCalcExt) == "error") {
            error_ = true;
        } else if (type == "float" || type == "percentage" || type == "currency") {
            bool overflow = false;
            const auto v = ParseDecimal(Attribute(a, "value", xmlns::kOffice), &overflow);
            number("value", v, overflow);
        } else if (type == "date") {
            number("date-value", SerialFromIsoDate(Attribute(a, "date-value", xmlns::kOffice), nullDate_));
        } else if (type == "time") {
            number("time-value", DaysFromIsoDuration(Attribute(a, "time-value", xmlns::kOffice)));
        } else if (type == "boolean") {
            const std::string_view v = Attribute(a, "boolean-value", xmlns::kOffice);
            value_ = Value{ Value::Kind::Boolean, v == "true" || v == "1" ? 1.0 : 0.0, 0 };
        } else if (type == "string") {
            isString_ = true;
            for (const XmlAttribute& at : a)
                if (at.ns == xmlns::kOffice && at.name == "string-value")
                    stringValue_ = std::string(at.value);
        }
    }

    std::uint32_t numError()
    {
        book_.texts.push_back(ErrorText(kNumError));
        return static_cast<std::uint32_t>(book_.texts.size() - 1);
    }

    void appendText(std::string_view s)
    {
        if (text_.size() + s.size() > kMaxTextBytes)
            throw tooLarge("a cell text beyond the limit", "sie enthält mehr als " + GermanCount(kMaxTextBytes >> 20) + " MB Text");
        text_ += s;
    }

    void endCell()
    {
        inCell_ = false;
        if (!covered_ && (isString_ || error_)) {
            std::string text = stringValue_ && !error_ ? std::move(*stringValue_) : std::move(text_);
            if (!text.empty()) {
                textBytes_ += text.size();
                if (textBytes_ > kMaxTextBytes)
                    throw tooLarge("more text than the limit", "sie enthält mehr als " + GermanCount(kMaxTextBytes >> 20) + " MB Text");
                book_.texts.push_back(RepairUtf8(text));
                value_ = Value{ error_ ? Value::Kind::Error : Value::Kind::Text, 0,
                    static_cast<std::uint32_t>(book_.texts.size() - 1) };
            }
        }
        isString_ = error_ = false;
        if (value_) {
            for (std::size_t i = 0; i < cellRepeat_; ++i) {
                if (column_ + i >= static_cast<std::size_t>(kMaxReferenceColumns))
                    throw beyondSheet();
                rowCells_.emplace_back(static_cast<unsigned>(column_ + i), *value_);
            }
            if (rowCells_.size() > kMaxCells)
                throw cellLimit();
        }
        column_ += cellRepeat_;
    }

    void endRow()
    {
        if (!rowCells_.empty()) {
            if (row_ + rowRepeat_ > static_cast<std::size_t>(kMaxReferenceRows))
                throw beyondSheet();
            if (rowCells_.size() * rowRepeat_ > kMaxCells - cellCount_)
                throw cellLimit();
            for (std::size_t r = 0; r < rowRepeat_; ++r) {
                const unsigned row = static_cast<unsigned>(row_ + r);
                for (const auto& [column, v] : rowCells_) {
                    switch (v.kind) {
                    case Value::Kind::Number: cells_->putNumber(row, column, v.number); break;
                    case Value::Kind::Boolean: cells_->putBoolean(row, column, v.number != 0); break;
                    case Value::Kind::Text: cells_->putText(row, column, v.text); break;
                    case Value::Kind::Error: cells_->putErrorText(row, column, v.text); break;
                    }
                }
            }
            cellCount_ += rowCells_.size() * rowRepeat_;
        }
        // Empty rows repeated to the end of the sheet are only counted.
        row_ = std::min(row_ + rowRepeat_, static_cast<std::size_t>(kMaxReferenceRows));
    }

    ReadStop cellLimit() const
    {
        return tooLarge("more cells than the limit", "sie enthält mehr als " + GermanCount(kMaxCells) + " gefüllte Zellen");
    }
    ReadStop beyondSheet() const
    {
        return tooLarge("content beyond the largest sheet", "sie enthält Werte jenseits der Zeile "
                + GermanCount(static_cast<std::size_t>(kMaxReferenceRows)) + " oder der Spalte XFD");
    }

    StoredBook& book_;
    std::set<std::string, std::less<>> hiddenStyles_;
    std::string style_;
    long long nullDate_ = DaysFromCivil(1899, 12, 30);
    int tableDepth_ = 0;
    std::shared_ptr<SheetCells> cells_;
    std::size_t row_ = 0, rowRepeat_ = 1, column_ = 0, cellRepeat_ = 1;
    std::vector<std::pair<unsigned, Value>> rowCells_;
    std::size_t cellCount_ = 0, textBytes_ = 0;
    bool inCell_ = false, covered_ = false, isString_ = false, error_ = false, inParagraph_ = false;
    int ignoredDepth_ = 0, paragraphs_ = 0;
    std::string text_;
    std::optional<std::string> stringValue_;
    std::optional<Value> value_;
};

} // namespace

bool IsOdsPackage(const ZipPackage& package)
{
    ParseFailure ignored;
    const auto mimetype = package.read("mimetype", ignored);
    if (mimetype)
        return mimetype->rfind("application/vnd.oasis.opendocument.spreadsheet", 0) == 0;
    return package.has("content.xml") && package.has("META-INF/manifest.xml");
}

ReadOutcome ReadOdsPackage(const ZipPackage& package)
{
    ReadOutcome out;
    ParseFailure& failure = out.failure;
    if (const auto manifest = package.read("META-INF/manifest.xml", failure)) {
        ManifestHandler handler;
        if (!ParseXml(*manifest, handler, failure, "META-INF/manifest.xml"))
            return out;
        if (handler.encrypted) {
            failure = { OpenErrorCode::Encrypted, "an encrypted OpenDocument package", {} };
            return out;
        }
    } else if (!failure.detail.empty()) {
        return out;
    }
    const auto content = package.read("content.xml", failure);
    if (!content) {
        if (failure.detail.empty())
            failure = { OpenErrorCode::NotAWorkbook, "an OpenDocument package without content.xml", {} };
        return out;
    }
    StoredBook book;
    ContentHandler handler(book);
    if (!ParseXml(*content, handler, failure, "content.xml"))
        return out;

    int active = -1;
    if (const auto settings = package.read("settings.xml", failure)) {
        SettingsHandler s;
        if (!ParseXml(*settings, s, failure, "settings.xml"))
            return out;
        for (std::size_t i = 0; i < book.sheets.size() && active < 0; ++i)
            if (book.sheets[i].name == s.activeTable)
                active = static_cast<int>(i);
    } else if (!failure.detail.empty()) {
        return out;
    }
    book.frontSheet = ChooseFrontSheet(book.sheets, active < 0 ? 0 : active);
    out.workbook = std::make_unique<StoredWorkbook>(std::move(book));
    return out;
}

ReadOutcome ReadOdsBytes(std::span<const std::uint8_t> bytes)
{
    return ReadPackageBytes(bytes, ReadOdsPackage);
}

} // namespace zx
