#include "workbook/XmlParts.h"

#include <orcus/sax_ns_parser.hpp>
#include <orcus/xml_namespace.hpp>

#include <deque>
#include <vector>

namespace zx {

namespace {

std::string_view nsOf(orcus::xmlns_id_t id)
{
    return id == orcus::XMLNS_UNKNOWN_ID ? std::string_view() : std::string_view(id);
}

// Collects the attributes, which the parser hands over before their element,
// and passes each element on with all of them.
class Adapter {
public:
    explicit Adapter(XmlHandler& handler) : handler_(handler) {}

    void doctype(const orcus::sax::doctype_declaration&) {}
    void start_declaration(std::string_view) {}
    void end_declaration(std::string_view) {}
    void attribute(std::string_view, std::string_view) {}

    void attribute(const orcus::sax_ns_parser_attribute& a)
    {
        std::string_view value = a.value;
        if (a.transient) // decoded into a buffer the parser reuses
            value = owned_.emplace_back(a.value);
        attributes_.push_back({ nsOf(a.ns), a.name, value });
    }

    void start_element(const orcus::sax_ns_parser_element& e)
    {
        ++depth_;
        handler_.startElement(nsOf(e.ns), e.name, attributes_);
        attributes_.clear();
        owned_.clear();
    }

    void end_element(const orcus::sax_ns_parser_element& e)
    {
        --depth_;
        handler_.endElement(nsOf(e.ns), e.name);
    }

    void characters(std::string_view text, bool) { handler_.characters(text); }

    int depth() const { return depth_; }

private:
    XmlHandler& handler_;
    std::vector<XmlAttribute> attributes_;
    std::deque<std::string> owned_;
    int depth_ = 0;
};

} // namespace

bool ParseXml(std::string_view xml, XmlHandler& handler, ParseFailure& failure, std::string_view part)
{
    const auto fail = [&](std::string detail) {
        failure = { OpenErrorCode::Damaged, std::string(part) + ": " + detail, {} };
        return false;
    };
    try {
        orcus::xmlns_repository repository;
        orcus::xmlns_context context = repository.create_context();
        Adapter adapter(handler);
        orcus::sax_ns_parser<Adapter> parser(xml.data(), xml.size(), context, adapter);
        parser.parse();
        // The parser accepts a document that ends inside an element: a part
        // cut short.
        if (adapter.depth() != 0)
            return fail("the XML ends inside an element");
        return true;
    } catch (const ReadStop& stop) {
        failure = stop.failure;
        return false;
    } catch (const std::bad_alloc&) {
        failure = { OpenErrorCode::TooLarge, std::string(part) + ": out of memory", {} };
        return false;
    } catch (const std::exception& e) {
        return fail(e.what());
    }
}

std::string_view Attribute(std::span<const XmlAttribute> attributes, std::string_view name, std::string_view ns)
{
    for (const XmlAttribute& a : attributes)
        if (a.name == name && a.ns == ns)
            return a.value;
    return {};
}

} // namespace zx
