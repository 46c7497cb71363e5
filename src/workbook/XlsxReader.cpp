#include "workbook/XlsxReader.h"

#include "core/TextDecoding.h"
#include "workbook/CellReference.h"
#include "workbook/GsfSupport.h"
#include "workbook/ValueText.h"
#include "workbook/XmlParts.h"

#include <charconv>
#include <map>
#include <vector>

namespace zx {

namespace {

bool isMain(std::string_view ns) { return ns == xmlns::kSpreadsheetMl || ns == xmlns::kStrictSpreadsheetMl; }

// The last part of a relationship type ("worksheet" of ".../relationships/worksheet").
std::string_view typeName(std::string_view type)
{
    const std::size_t slash = type.rfind('/');
    return slash == std::string_view::npos ? type : type.substr(slash + 1);
}

std::string folderOf(std::string_view part)
{
    const std::size_t slash = part.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(part.substr(0, slash + 1));
}

// A relationship's target, relative to the folder of its source part, as a
// path in the package.
std::string resolve(std::string_view folder, std::string_view target)
{
    std::string joined = !target.empty() && target.front() == '/' ? std::string(target.substr(1))
                                                                    : std::string(folder) + std::string(target);
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= joined.size()) {
        std::size_t slash = joined.find('/', start);
        if (slash == std::string::npos)
            slash = joined.size();
        const std::string piece = joined.substr(start, slash - start);
        if (piece == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!piece.empty() && piece != ".") {
            parts.push_back(piece);
        }
        start = slash + 1;
    }
    std::string out;
    for (const std::string& p : parts)
        out += (out.empty() ? "" : "/") + p;
    return out;
}

struct Relationship {
    std::string type; // the last part of its type
    std::string target; // resolved
};

// A .rels part: relationship ids to their types and targets.
class RelationshipsHandler : public XmlHandler {
public:
    explicit RelationshipsHandler(std::string folder) : folder_(std::move(folder)) {}
    std::map<std::string, Relationship, std::less<>> byId;

    void startElement(std::string_view, std::string_view name, std::span<const XmlAttribute> a) override
    {
        if (name != "Relationship" || Attribute(a, "TargetMode") == "External")
            return;
        byId[std::string(Attribute(a, "Id"))]
            = { std::string(typeName(Attribute(a, "Type"))), resolve(folder_, Attribute(a, "Target")) };
    }
    void endElement(std::string_view, std::string_view) override {}
    void characters(std::string_view) override {}

private:
    std::string folder_;
};

// The .rels of a part ("xl/_rels/workbook.xml.rels" for "xl/workbook.xml");
// none when the package has none.
bool readRelationships(const ZipPackage& package, std::string_view part, RelationshipsHandler& out, ParseFailure& failure)
{
    const std::string folder = folderOf(part);
    const std::string relsPath = folder + "_rels/" + std::string(part.substr(folder.size())) + ".rels";
    const auto xml = package.read(relsPath, failure);
    if (!xml)
        return failure.detail.empty();
    return ParseXml(*xml, out, failure, relsPath);
}

struct SheetEntry {
    std::string name;
    std::string relationshipId;
    SheetVisibility visibility = SheetVisibility::Visible;
};

class WorkbookHandler : public XmlHandler {
public:
    std::vector<SheetEntry> sheets;
    bool dates1904 = false;
    bool isWorkbook = false;
    int activeTab = 0;

    void startElement(std::string_view ns, std::string_view name, std::span<const XmlAttribute> a) override
    {
        if (!isMain(ns))
            return;
        if (name == "workbook") {
            isWorkbook = true;
        } else if (name == "workbookPr") {
            const std::string_view v = Attribute(a, "date1904");
            dates1904 = v == "1" || v == "true";
        } else if (name == "workbookView" && !sawView_) {
            sawView_ = true;
            int tab = 0;
            const std::string_view v = Attribute(a, "activeTab");
            if (std::from_chars(v.data(), v.data() + v.size(), tab).ec == std::errc())
                activeTab = tab;
        } else if (name == "sheet") {
            SheetEntry e;
            e.name = RepairUtf8(Attribute(a, "name"));
            e.relationshipId = Attribute(a, "id", xmlns::kRelationships);
            if (e.relationshipId.empty())
                e.relationshipId = Attribute(a, "id", xmlns::kStrictRelationships);
            const std::string_view state = Attribute(a, "state");
            e.visibility = state == "hidden" ? SheetVisibility::Hidden
                : state == "veryHidden"      ? SheetVisibility::VeryHidden
                                             : SheetVisibility::Visible;
            sheets.push_back(std::move(e));
        }
    }
    void endElement(std::string_view, std::string_view) override {}
    void characters(std::string_view) override {}

private:
    bool sawView_ = false;
};

// Keeps the texts of a workbook within kMaxTextBytes.
class Texts {
public:
    explicit Texts(TextPool& pool) : pool_(pool) {}
    std::uint32_t add(std::string text)
    {
        bytes_ += text.size();
        if (bytes_ > kMaxTextBytes)
            throw ReadStop{ { OpenErrorCode::TooLarge, "more text than the limit",
                "sie enthält mehr als " + GermanCount(kMaxTextBytes >> 20) + " MB Text" } };
        pool_.push_back(RepairUtf8(text));
        return static_cast<std::uint32_t>(pool_.size() - 1);
    }
    std::size_t size() const { return pool_.size(); }

private:
    TextPool& pool_;
    std::size_t bytes_ = 0;
};

// The shared-string table: each <si> is the text of its <t> elements, also
// those in rich-text runs <r>, but not the phonetic guides <rPh>.
class SharedStringsHandler : public XmlHandler {
public:
    explicit SharedStringsHandler(Texts& texts) : texts_(texts) {}

    void startElement(std::string_view ns, std::string_view name, std::span<const XmlAttribute>) override
    {
        if (!isMain(ns))
            return;
        if (name == "si") {
            current_.clear();
            inItem_ = true;
        } else if (name == "rPh") {
            ++phonetic_;
        } else if (name == "t") {
            inText_ = inItem_ && phonetic_ == 0;
        }
    }
    void endElement(std::string_view ns, std::string_view name) override
    {
        if (!isMain(ns))
            return;
        if (name == "si") {
            texts_.add(UnescapeOoxml(current_));
            inItem_ = false;
        } else if (name == "rPh") {
            --phonetic_;
        } else if (name == "t") {
            inText_ = false;
        }
    }
    void characters(std::string_view text) override
    {
        if (inText_)
            current_ += text;
    }

private:
    Texts& texts_;
    std::string current_;
    bool inItem_ = false, inText_ = false;
    int phonetic_ = 0;
};

std::optional<unsigned> positiveNumber(std::string_view v)
{
    unsigned n = 0;
    const auto r = std::from_chars(v.data(), v.data() + v.size(), n);
    if (r.ec != std::errc() || r.ptr != v.data() + v.size())
        return std::nullopt;
    return n;
}

ReadStop damaged(std::string detail) { return ReadStop{ { OpenErrorCode::Damaged, std::move(detail), {} } }; }

// The cells of one worksheet part.
class SheetHandler : public XmlHandler {
public:
    SheetHandler(SheetCells& cells, Texts& texts, std::size_t sharedStrings, std::size_t& cellCount, bool dates1904)
        : cells_(cells), texts_(texts), sharedStrings_(sharedStrings), cellCount_(cellCount), dates1904_(dates1904)
    {
    }

    void startElement(std::string_view ns, std::string_view name, std::span<const XmlAttribute> a) override
    {
        if (!isMain(ns))
            return;
        if (name == "row") {
            const std::string_view r = Attribute(a, "r");
            if (r.empty()) {
                ++row_;
            } else {
                const auto n = positiveNumber(r);
                if (!n || *n < 1 || *n > static_cast<unsigned>(kMaxReferenceRows))
                    throw damaged("row number " + std::string(r));
                row_ = static_cast<int>(*n) - 1;
            }
            column_ = -1;
        } else if (name == "c") {
            const std::string_view r = Attribute(a, "r");
            if (r.empty()) {
                ++column_;
                if (row_ < 0 || column_ >= kMaxReferenceColumns)
                    throw damaged("a cell outside the sheet");
            } else {
                const auto p = ParseA1(r);
                if (!p)
                    throw damaged("cell reference " + std::string(r));
                row_ = p->row;
                column_ = p->column;
            }
            type_ = Attribute(a, "t");
            value_.clear();
            inlineText_.clear();
            inCell_ = true;
        } else if (inCell_ && name == "v") {
            collect_ = &value_;
        } else if (inCell_ && name == "is") {
            inInline_ = true;
        } else if (inInline_ && name == "rPh") {
            ++phonetic_;
        } else if (inInline_ && name == "t" && phonetic_ == 0) {
            collect_ = &inlineText_;
        }
    }

    void endElement(std::string_view ns, std::string_view name) override
    {
        if (!isMain(ns))
            return;
        if (name == "v" || name == "t") {
            collect_ = nullptr;
        } else if (name == "rPh") {
            --phonetic_;
        } else if (name == "is") {
            inInline_ = false;
        } else if (name == "c") {
            inCell_ = false;
            put();
        }
    }

    void characters(std::string_view text) override
    {
        if (collect_)
            collect_->append(text);
    }

private:
    void count()
    {
        if (++cellCount_ > kMaxCells)
            throw ReadStop{ { OpenErrorCode::TooLarge, "more cells than the limit",
                "sie enthält mehr als " + GermanCount(kMaxCells) + " gefüllte Zellen" } };
    }

    void put()
    {
        const unsigned row = static_cast<unsigned>(row_), column = static_cast<unsigned>(column_);
        if (type_ == "inlineStr") {
            if (!inlineText_.empty()) {
                count();
                cells_.putText(row, column, texts_.add(UnescapeOoxml(inlineText_)));
            }
            return;
        }
        // A cell without a value holds a format only, or a formula never
        // calculated.
        if (value_.empty())
            return;
        count();
        if (type_ == "s") {
            const auto index = positiveNumber(value_);
            if (!index || *index >= sharedStrings_)
                throw damaged("shared string " + value_ + " of " + std::to_string(sharedStrings_));
            cells_.putText(row, column, static_cast<std::uint32_t>(*index));
        } else if (type_ == "str") {
            cells_.putText(row, column, texts_.add(UnescapeOoxml(value_)));
        } else if (type_ == "b") {
            const auto v = ParseDecimal(value_);
            if (!v && value_ != "true" && value_ != "false")
                throw damaged("boolean " + value_);
            cells_.putBoolean(row, column, v ? *v != 0 : value_ == "true");
        } else if (type_ == "e") {
            cells_.putErrorText(row, column, texts_.add(value_));
        } else if (type_ == "d") {
            const long long nullDate = dates1904_ ? DaysFromCivil(1904, 1, 1) : DaysFromCivil(1899, 12, 30);
            auto serial = SerialFromIsoDate(value_, nullDate);
            if (!serial)
                throw damaged("date " + value_);
            // Excel counts the 29th February 1900 that never was.
            if (!dates1904_ && *serial >= 1 && *serial < 61)
                *serial -= 1;
            cells_.putNumber(row, column, *serial);
        } else if (type_.empty() || type_ == "n") {
            bool overflow = false;
            const auto v = ParseDecimal(value_, &overflow);
            if (overflow) // beyond the doubles, as a spreadsheet shows it
                cells_.putError(row, column, kNumError);
            else if (!v)
                throw damaged("number " + value_);
            else
                cells_.putNumber(row, column, *v);
        } else {
            throw damaged("cell type " + std::string(type_));
        }
    }

    SheetCells& cells_;
    Texts& texts_;
    std::size_t sharedStrings_;
    std::size_t& cellCount_;
    bool dates1904_;
    int row_ = -1, column_ = -1;
    std::string type_, value_, inlineText_;
    std::string* collect_ = nullptr;
    bool inCell_ = false, inInline_ = false;
    int phonetic_ = 0;
};

} // namespace

bool IsXlsxPackage(const ZipPackage& package)
{
    return package.has("[Content_Types].xml") && (package.has("_rels/.rels") || package.has("xl/workbook.xml"));
}

ReadOutcome ReadXlsxPackage(const ZipPackage& package)
{
    ReadOutcome out;
    ParseFailure& failure = out.failure;
    const auto fail = [&](OpenErrorCode code, std::string detail) {
        failure = { code, std::move(detail), {} };
        return std::move(out);
    };

    // The workbook part, as the package's relationships name it.
    std::string workbookPart = "xl/workbook.xml";
    RelationshipsHandler packageRels("");
    if (!readRelationships(package, "", packageRels, failure))
        return out;
    for (const auto& [id, rel] : packageRels.byId)
        if (rel.type == "officeDocument")
            workbookPart = rel.target;
    // Excel's binary workbook (.xlsb) keeps the same package with parts of
    // its own records.
    if (workbookPart.size() >= 4 && SameNameIgnoringCase(workbookPart.substr(workbookPart.size() - 4), ".bin"))
        return fail(OpenErrorCode::NotAWorkbook, "a binary workbook (.xlsb)");
    const auto workbookXml = package.read(workbookPart, failure);
    if (!workbookXml) {
        if (!failure.detail.empty())
            return out;
        return fail(OpenErrorCode::NotAWorkbook, "a ZIP package without a workbook part");
    }
    WorkbookHandler book;
    if (!ParseXml(*workbookXml, book, failure, workbookPart))
        return out;
    // A document or a presentation is an Office package too.
    if (!book.isWorkbook)
        return fail(OpenErrorCode::NotAWorkbook, "an Office Open XML package of another kind");
    RelationshipsHandler rels(folderOf(workbookPart));
    if (!readRelationships(package, workbookPart, rels, failure))
        return out;

    StoredBook stored;
    stored.dates1904 = book.dates1904;
    Texts texts(stored.texts);
    for (const auto& [id, rel] : rels.byId) {
        if (rel.type != "sharedStrings")
            continue;
        const auto xml = package.read(rel.target, failure);
        if (!xml) {
            if (!failure.detail.empty())
                return out;
            continue;
        }
        SharedStringsHandler strings(texts);
        if (!ParseXml(*xml, strings, failure, rel.target))
            return out;
    }
    const std::size_t sharedStrings = texts.size();

    std::size_t cellCount = 0;
    int activeWorksheet = -1;
    for (std::size_t tab = 0; tab < book.sheets.size(); ++tab) {
        const SheetEntry& entry = book.sheets[tab];
        const auto rel = rels.byId.find(entry.relationshipId);
        if (rel == rels.byId.end())
            return fail(OpenErrorCode::Damaged, "sheet \"" + entry.name + "\" has no part");
        // Chart sheets, dialog sheets and macro sheets hold no cells for us.
        if (rel->second.type != "worksheet")
            continue;
        const auto xml = package.read(rel->second.target, failure);
        if (!xml)
            return failure.detail.empty() ? fail(OpenErrorCode::Damaged, rel->second.target + " is missing")
                                          : std::move(out);
        auto cells = std::make_shared<SheetCells>();
        SheetHandler handler(*cells, texts, sharedStrings, cellCount, book.dates1904);
        if (!ParseXml(*xml, handler, failure, rel->second.target))
            return out;
        cells->finish(stored.texts);
        if (static_cast<int>(tab) == book.activeTab)
            activeWorksheet = static_cast<int>(stored.sheets.size());
        stored.sheets.push_back({ entry.name, entry.visibility, std::move(cells) });
    }
    stored.frontSheet = ChooseFrontSheet(stored.sheets, activeWorksheet);
    out.workbook = std::make_unique<StoredWorkbook>(std::move(stored));
    return out;
}

ReadOutcome ReadXlsxBytes(std::span<const std::uint8_t> bytes)
{
    return ReadPackageBytes(bytes, ReadXlsxPackage);
}

} // namespace zx
