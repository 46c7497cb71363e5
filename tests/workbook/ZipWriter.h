// The smallest .xlsx and .ods packages that hold the given sheets.
#pragma once

#include "BiffBuilder.h"

#include <gsf/gsf-outfile-zip.h>

namespace zx::test {

inline std::string repeated(const std::string& s, std::size_t n)
{
    std::string out;
    while (n--)
        out += s;
    return out;
}

using NamedPart = std::pair<std::string, std::string>; // path in the package, content

inline ByteVector zipFile(const std::vector<NamedPart>& parts)
{
    return gsfContainer([](GsfOutput* memory) { return gsf_outfile_zip_new(memory, nullptr); },
        [](GsfOutfile* zip, const char* path) { return gsf_outfile_new_child_full(zip, path, FALSE, "compression-level", GSF_ZIP_DEFLATED, nullptr); }, parts);
}

inline const char* kXmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
inline const std::string kSpreadsheetMl = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

// An .xlsx of the sheets (name, perhaps with more attributes as in R"(S" state="hidden)",
// and <sheetData>), shared strings, more inside <workbook>, a doctype before each <worksheet>.
inline ByteVector xlsxFile(const std::vector<std::pair<std::string, std::string>>& sheets,
    const std::vector<std::string>& sharedStrings = {}, const std::string& workbookExtra = {}, const std::string& doctype = {})
{
    const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const std::string relsHead = std::string(kXmlHead) + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    std::vector<NamedPart> parts{ { "[Content_Types].xml", "<Types/>" },
        { "_rels/.rels", relsHead + "<Relationship Id=\"rId1\" Type=\"" + rel + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>" } };
    std::string book = std::string(kXmlHead) + "<workbook xmlns=\"" + kSpreadsheetMl + "\" xmlns:r=\"" + rel + "\">" + workbookExtra + "<sheets>";
    std::string rels = relsHead;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        book += "<sheet name=\"" + sheets[i].first + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
        rels += "<Relationship Id=\"rId" + n + "\" Type=\"" + rel + "/worksheet\" Target=\"worksheets/sheet" + n + ".xml\"/>";
        parts.push_back({ "xl/worksheets/sheet" + n + ".xml",
            std::string(kXmlHead) + doctype + "<worksheet xmlns=\"" + kSpreadsheetMl + "\"><sheetData>" + sheets[i].second + "</sheetData></worksheet>" });
    }
    if (!sharedStrings.empty()) {
        rels += "<Relationship Id=\"rIdS\" Type=\"" + rel + "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
        std::string sst = std::string(kXmlHead) + "<sst xmlns=\"" + kSpreadsheetMl + "\">";
        for (const std::string& s : sharedStrings)
            sst += "<si><t>" + s + "</t></si>";
        parts.push_back({ "xl/sharedStrings.xml", sst + "</sst>" });
    }
    parts.push_back({ "xl/workbook.xml", book + "</sheets></workbook>" });
    parts.push_back({ "xl/_rels/workbook.xml.rels", rels + "</Relationships>" });
    return zipFile(parts);
}

// An .ods of the tables given, with automatic styles and the name of the active table.
inline ByteVector odsFile(const std::string& tables, const std::string& automaticStyles = {}, const std::string& activeTable = {})
{
    std::string ns;
    for (const char* n : { "office", "table", "text", "style", "config" })
        ns += std::string(" xmlns:") + n + "=\"urn:oasis:names:tc:opendocument:xmlns:" + n + ":1.0\"";
    std::vector<NamedPart> parts{ { "mimetype", "application/vnd.oasis.opendocument.spreadsheet" },
        { "content.xml",
            std::string(kXmlHead) + "<office:document-content" + ns + "><office:automatic-styles>" + automaticStyles
                + "</office:automatic-styles><office:body><office:spreadsheet>" + tables
                + "</office:spreadsheet></office:body></office:document-content>" } };
    if (!activeTable.empty())
        parts.push_back({ "settings.xml",
            std::string(kXmlHead) + "<office:document-settings" + ns + "><config:config-item config:name=\"ActiveTable\" "
                + "config:type=\"string\">" + activeTable + "</config:config-item></office:document-settings>" });
    return zipFile(parts);
}

} // namespace zx::test
