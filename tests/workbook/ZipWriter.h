// Writes ZIP packages with libgsf, and from them the smallest .xlsx and .ods
// workbooks that hold the given sheets, to test the readers on parts written
// to the point.
#pragma once

#include "BiffBuilder.h"

#include <gsf/gsf-outfile-zip.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-utils.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace zx::test {

using NamedPart = std::pair<std::string, std::string>; // path in the package, content

inline ByteVector zipFile(const std::vector<NamedPart>& parts, bool compress = true)
{
    gsf_init();
    GsfOutput* memory = gsf_output_memory_new();
    GsfOutfile* zip = gsf_outfile_zip_new(memory, nullptr);
    std::map<std::string, GsfOutfile*> folders{ { "", zip } };
    const auto folder = [&](const std::string& path) {
        std::string done;
        GsfOutfile* parent = zip;
        for (std::size_t start = 0, slash; (slash = path.find('/', start)) != std::string::npos; start = slash + 1) {
            done = path.substr(0, slash);
            auto& f = folders[done];
            if (!f)
                f = GSF_OUTFILE(gsf_outfile_new_child(parent, path.substr(start, slash - start).c_str(), TRUE));
            parent = f;
        }
        return parent;
    };
    for (const auto& [path, data] : parts) {
        GsfOutfile* parent = folder(path);
        const std::string name = path.substr(path.rfind('/') + 1);
        GsfOutput* child = gsf_outfile_new_child_full(parent, name.c_str(), FALSE, "compression-level",
            compress ? GSF_ZIP_DEFLATED : GSF_ZIP_STORED, nullptr);
        gsf_output_write(child, data.size(), reinterpret_cast<const guint8*>(data.data()));
        gsf_output_close(child);
        g_object_unref(child);
    }
    // Folders close after their children, innermost first.
    for (auto it = folders.rbegin(); it != folders.rend(); ++it) {
        gsf_output_close(GSF_OUTPUT(it->second));
        g_object_unref(it->second);
    }
    const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory));
    ByteVector out(bytes, bytes + gsf_output_size(memory));
    g_object_unref(memory);
    return out;
}

inline const char* kXmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

// An .xlsx of the given sheets (name, the content of <sheetData>), with the
// shared strings given and more inside <workbook> (<workbookPr>, <bookViews>).
inline ByteVector xlsxFile(const std::vector<std::pair<std::string, std::string>>& sheets,
    const std::vector<std::string>& sharedStrings = {}, const std::string& workbookExtra = {})
{
    const std::string main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    std::vector<NamedPart> parts;
    parts.push_back({ "[Content_Types].xml",
        std::string(kXmlHead) + "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>" });
    parts.push_back({ "_rels/.rels",
        std::string(kXmlHead) + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId1\" Type=\"" + rel + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>" });
    std::string book = std::string(kXmlHead) + "<workbook xmlns=\"" + main + "\" xmlns:r=\"" + rel + "\">" + workbookExtra + "<sheets>";
    std::string rels = std::string(kXmlHead) + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        book += "<sheet name=\"" + sheets[i].first + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
        rels += "<Relationship Id=\"rId" + n + "\" Type=\"" + rel + "/worksheet\" Target=\"worksheets/sheet" + n + ".xml\"/>";
        parts.push_back({ "xl/worksheets/sheet" + n + ".xml",
            std::string(kXmlHead) + "<worksheet xmlns=\"" + main + "\"><sheetData>" + sheets[i].second + "</sheetData></worksheet>" });
    }
    if (!sharedStrings.empty()) {
        rels += "<Relationship Id=\"rIdS\" Type=\"" + rel + "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
        std::string sst = std::string(kXmlHead) + "<sst xmlns=\"" + main + "\">";
        for (const std::string& s : sharedStrings)
            sst += "<si><t>" + s + "</t></si>";
        parts.push_back({ "xl/sharedStrings.xml", sst + "</sst>" });
    }
    parts.push_back({ "xl/workbook.xml", book + "</sheets></workbook>" });
    parts.push_back({ "xl/_rels/workbook.xml.rels", rels + "</Relationships>" });
    return zipFile(parts);
}

// An .ods whose spreadsheet body is tables (<table:table> elements), with
// automatic styles and the name of the active table.
inline ByteVector odsFile(const std::string& tables, const std::string& automaticStyles = {}, const std::string& activeTable = {})
{
    const std::string ns = "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                           "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                           "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
                           "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
                           "xmlns:config=\"urn:oasis:names:tc:opendocument:xmlns:config:1.0\" "
                           "xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\"";
    std::vector<NamedPart> parts{
        { "mimetype", "application/vnd.oasis.opendocument.spreadsheet" },
        { "META-INF/manifest.xml", std::string(kXmlHead) + "<manifest:manifest " + ns + "/>" },
        { "content.xml",
            std::string(kXmlHead) + "<office:document-content " + ns + "><office:automatic-styles>" + automaticStyles
                + "</office:automatic-styles><office:body><office:spreadsheet>" + tables
                + "</office:spreadsheet></office:body></office:document-content>" },
    };
    if (!activeTable.empty())
        parts.push_back({ "settings.xml",
            std::string(kXmlHead) + "<office:document-settings " + ns
                + "><config:config-item config:name=\"ActiveTable\" config:type=\"string\">" + activeTable
                + "</config:config-item></office:document-settings>" });
    return zipFile(parts);
}

} // namespace zx::test
