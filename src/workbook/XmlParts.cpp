#include "workbook/XmlParts.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <exception>
#include <algorithm>
#include <mutex>
#include <vector>

namespace zx {

namespace {

std::string_view view(const xmlChar* s) { return s ? std::string_view(reinterpret_cast<const char*>(s)) : std::string_view(); }

struct State {
    XmlHandler& handler;
    std::vector<XmlAttribute> attributes;
    std::exception_ptr stopped; // a handler's ReadStop, kept until the parser has returned
    bool doctype = false;
};

State& stateOf(void* context) { return *static_cast<State*>(static_cast<xmlParserCtxtPtr>(context)->_private); }

// Runs a handler call; what it throws stops the parser and is rethrown
// after it, never through libxml2's C frames.
template <typename Call>
void guarded(void* context, Call&& call)
{
    State& s = stateOf(context);
    if (s.stopped)
        return;
    try {
        call(s);
    } catch (...) {
        s.stopped = std::current_exception();
        xmlStopParser(static_cast<xmlParserCtxtPtr>(context));
    }
}

void startElement(void* context, const xmlChar* localName, const xmlChar*, const xmlChar* uri, int, const xmlChar**,
    int attributeCount, int, const xmlChar** attributes)
{
    guarded(context, [&](State& s) {
        s.attributes.clear();
        // Five pointers an attribute: local name, prefix, URI, value start, value end.
        for (int i = 0; i < attributeCount; ++i) {
            const xmlChar** a = attributes + 5 * i;
            s.attributes.push_back({ view(a[2]), view(a[0]),
                std::string_view(reinterpret_cast<const char*>(a[3]), static_cast<std::size_t>(a[4] - a[3])) });
        }
        s.handler.startElement(view(uri), view(localName), s.attributes);
    });
}

void endElement(void* context, const xmlChar* localName, const xmlChar*, const xmlChar* uri)
{
    guarded(context, [&](State& s) { s.handler.endElement(view(uri), view(localName)); });
}

void characters(void* context, const xmlChar* text, int length)
{
    guarded(context, [&](State& s) {
        s.handler.characters(std::string_view(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length)));
    });
}

// No part of a workbook has a document type; one that has is refused before
// any of its entities could be declared, let alone expanded.
void internalSubset(void* context, const xmlChar*, const xmlChar*, const xmlChar*)
{
    stateOf(context).doctype = true;
    xmlStopParser(static_cast<xmlParserCtxtPtr>(context));
}

void quiet(void*, const char*, ...) {}
void quietStructured(void*, xmlErrorPtr) {}

} // namespace

bool ParseXml(std::string_view xml, XmlHandler& handler, ParseFailure& failure, std::string_view part)
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { xmlInitParser(); });

    const auto fail = [&](std::string detail) {
        failure = { OpenErrorCode::Damaged, std::string(part) + ": " + detail };
        return false;
    };

    xmlSAXHandler sax{};
    sax.initialized = XML_SAX2_MAGIC;
    sax.startElementNs = startElement;
    sax.endElementNs = endElement;
    sax.characters = characters;
    sax.cdataBlock = characters;
    sax.internalSubset = internalSubset;
    sax.warning = quiet;
    sax.error = quiet;
    sax.serror = quietStructured;

    State state{ handler, {}, nullptr, false };
    xmlParserCtxtPtr context = xmlCreatePushParserCtxt(&sax, nullptr, nullptr, 0, nullptr);
    if (!context) {
        failure = { OpenErrorCode::TooLarge, std::string(part) + ": no memory for the XML parser" };
        return false;
    }
    context->_private = &state;
    // No network, no external documents, no entity substitution; the
    // parser's own limits on depth and on the size of a text stay on.
    xmlCtxtUseOptions(context, XML_PARSE_NONET);
    // In pieces: the push parser refuses to look ahead over more than 10 MB
    // at once, which a whole sheet part would ask of it.
    constexpr std::size_t kPiece = 1 << 20;
    int result = 0;
    std::size_t done = 0;
    do {
        const std::size_t n = std::min(kPiece, xml.size() - done);
        result = xmlParseChunk(context, xml.data() + done, static_cast<int>(n), done + n == xml.size());
        done += n;
    } while (result == 0 && done < xml.size() && !state.stopped && !state.doctype);
    const bool wellFormed = context->wellFormed != 0;
    std::string error;
    if (const xmlError* e = xmlCtxtGetLastError(context); e && e->message)
        error = e->message;
    xmlFreeParserCtxt(context);

    if (state.stopped) {
        try {
            std::rethrow_exception(state.stopped);
        } catch (const ReadStop& stop) {
            failure = stop.failure;
            return false;
        } catch (const std::bad_alloc&) {
            failure = { OpenErrorCode::TooLarge, std::string(part) + ": out of memory" };
            return false;
        }
    }
    if (state.doctype)
        return fail("a document type declaration");
    if (result != 0 || !wellFormed) {
        while (!error.empty() && (error.back() == '\n' || error.back() == ' '))
            error.pop_back();
        return fail(error.empty() ? "not well-formed XML" : error);
    }
    return true;
}

std::string_view Attribute(std::span<const XmlAttribute> attributes, std::string_view name, std::string_view ns)
{
    for (const XmlAttribute& a : attributes)
        if (a.name == name && a.ns == ns)
            return a.value;
    return {};
}

} // namespace zx
