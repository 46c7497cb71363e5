// The XML of package parts, read with libxml2's SAX2 parser: elements by
// namespace and local name, their attributes all at once, text as it comes.
// A document type is refused before it could declare an entity, so no part
// can grow while it is read; libxml2's limits on depth and text stay on.
#pragma once

#include "workbook/StoredWorkbook.h"

#include <span>
#include <string>
#include <string_view>

namespace zx {

struct XmlAttribute {
    std::string_view ns; // the namespace URI, empty for none
    std::string_view name;
    std::string_view value;
};

class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    virtual void startElement(std::string_view ns, std::string_view name, std::span<const XmlAttribute> attributes) = 0;
    virtual void endElement(std::string_view ns, std::string_view name) = 0;
    // The text between tags, entities decoded; one text may come in pieces.
    virtual void characters(std::string_view text) = 0;
};

// Thrown by a handler to stop reading with this failure.
struct ReadStop {
    ParseFailure failure;
};

// Reads the XML of the part named part (for the detail of a failure). False
// and the reason in failure when it is not well-formed or a handler stopped.
bool ParseXml(std::string_view xml, XmlHandler& handler, ParseFailure& failure, std::string_view part);

// The value of the attribute without namespace, or in namespace ns; empty
// when missing.
std::string_view Attribute(std::span<const XmlAttribute> attributes, std::string_view name, std::string_view ns = {});

// Namespaces of the parts we read.
namespace xmlns {
inline constexpr std::string_view kSpreadsheetMl = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr std::string_view kStrictSpreadsheetMl = "http://purl.oclc.org/ooxml/spreadsheetml/main";
inline constexpr std::string_view kRelationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr std::string_view kStrictRelationships = "http://purl.oclc.org/ooxml/officeDocument/relationships";
inline constexpr std::string_view kPackageRelationships = "http://schemas.openxmlformats.org/package/2006/relationships";
inline constexpr std::string_view kOffice = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
inline constexpr std::string_view kTable = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
inline constexpr std::string_view kText = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
inline constexpr std::string_view kStyle = "urn:oasis:names:tc:opendocument:xmlns:style:1.0";
inline constexpr std::string_view kConfig = "urn:oasis:names:tc:opendocument:xmlns:config:1.0";
inline constexpr std::string_view kManifest = "urn:oasis:names:tc:opendocument:xmlns:manifest:1.0";
inline constexpr std::string_view kCalcExt = "urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0";
} // namespace xmlns

} // namespace zx
