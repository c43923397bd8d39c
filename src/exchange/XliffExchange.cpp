// SPDX-License-Identifier: MIT
// XLIFF 1.2: one trans-unit per value, with id "S.V" (string position and value number, unique
// even for repeated names), resname = the name, source, target when a reference is given, and
// the extra value as a note. CR, and tab and LF inside attributes, are written as character
// references so that XML parsers give them back unchanged. XML 1.0 cannot hold other control
// characters at all: a string holding one is refused with its name.
#include <pugixml.hpp>

#include <charconv>
#include <functional>

#include "exchange/Exchange.h"
#include "exchange/ExchangeText.h"
#include "exchange/ExchangeXml.h"

namespace vste {

namespace {

void RequireXmlText(const ExportEntry& e, std::string_view text) {
    if (const auto bad = exchange::FindXmlForbidden(text))
        throw FormatError("The " + exchange::DescribeValue(e) + " holds the character " +
                          exchange::CodePointText(*bad) + ", which XML 1.0 cannot carry");
}

void AppendElement(std::string& out, std::string_view tag, std::string_view text) {
    out.append("        <").append(tag).append(">");
    exchange::AppendXmlEscaped(out, text, false);
    out.append("</").append(tag).append(">\n");
}

// The value number of an id "S.V", both positive integers. Throws ExchangeError naming the line
// for any other id.
std::uint32_t ValueNumberOfId(pugi::xml_node unit, std::string_view text) {
    const std::string where = exchange::LineOf(text, unit);
    const pugi::xml_attribute attribute = unit.attribute("id");
    const std::string id = exchange::DecodeXml(attribute.value(), where);
    const auto positive = [](std::string_view digits, std::uint32_t& n) {
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
        return !digits.empty() && digits.front() != '0' && error == std::errc() &&
               end == digits.data() + digits.size();
    };
    const std::size_t dot = id.find('.');
    std::uint32_t s = 0;
    std::uint32_t v = 0;
    if (!attribute || dot == std::string::npos ||
        !positive(std::string_view(id).substr(0, dot), s) ||
        !positive(std::string_view(id).substr(dot + 1), v))
        throw ExchangeError(where + ": the trans-unit id " + exchange::Quote(id) +
                            " is not of the form S.V (string and value number, from 1)");
    return v;
}

// Walks the nodes below `root` without recursion, refusing nesting deeper than any real file has.
class DepthWalker : public pugi::xml_tree_walker {
public:
    DepthWalker(std::string_view text, std::function<void(pugi::xml_node)> visit)
        : m_text(text), m_visit(std::move(visit)) {}
    bool for_each(pugi::xml_node& node) override {
        if (static_cast<std::size_t>(depth()) >= exchange::kMaxXmlDepth)
            throw ExchangeError(exchange::LineOf(m_text, node) +
                                ": the elements nest deeper than " +
                                std::to_string(exchange::kMaxXmlDepth) + " levels");
        m_visit(node);
        return true;
    }

private:
    std::string_view m_text;
    std::function<void(pugi::xml_node)> m_visit;
};

// The text of an element, including that of inline elements a tool may have added.
std::string ElementText(pugi::xml_node element, std::string_view text) {
    std::string raw;
    DepthWalker walker(text, [&](pugi::xml_node node) {
        if (node.type() == pugi::node_pcdata)
            raw += exchange::DecodeXml(node.value(), exchange::LineOf(text, node));
        else if (node.type() == pugi::node_cdata)
            raw += node.value();
    });
    element.traverse(walker);
    return raw;
}

void CollectUnits(pugi::xml_node body, std::vector<ImportRow>& rows, std::string_view text) {
    DepthWalker walker(text, [&](pugi::xml_node node) {
        const std::string_view parent = node.parent().name();
        if (std::string_view(node.name()) != "trans-unit" ||
            (node.parent() != body && parent != "group"))
            return;
        const std::string where = exchange::LineOf(text, node);
        const pugi::xml_attribute resname = node.attribute("resname");
        if (!resname)
            throw ExchangeError(where + ": a trans-unit without resname does not name a string");
        ImportRow row;
        row.name = exchange::DecodeXml(resname.value(), where);
        row.valueNumber = ValueNumberOfId(node, text);
        row.value = ElementText(node.child("target"), text);
        rows.push_back(std::move(row));
    });
    body.traverse(walker);
}

} // namespace

std::vector<std::uint8_t> WriteXliff(const ExportSource& source, const ExportOptions& options) {
    std::string out;
    out.reserve(source.table().Body.size() * 160 + 512);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<xliff version=\"1.2\" xmlns=\"urn:oasis:names:tc:xliff:document:1.2\">\n"
           "  <file original=\"";
    exchange::AppendXmlEscaped(out, options.original, true);
    out += "\" datatype=\"plaintext\" source-language=\"";
    exchange::AppendXmlEscaped(out, options.sourceLanguage, true);
    out += "\"";
    if (!options.targetLanguage.empty()) {
        out += " target-language=\"";
        exchange::AppendXmlEscaped(out, options.targetLanguage, true);
        out += "\"";
    }
    out += ">\n    <body>\n";
    const bool translated = source.hasReference();
    source.forEach([&](const ExportEntry& e) {
        const std::string_view sourceText = e.hasReference ? e.reference : e.value;
        RequireXmlText(e, e.name);
        RequireXmlText(e, e.value);
        RequireXmlText(e, sourceText);
        out += "      <trans-unit id=\"" + std::to_string(e.stringIndex + 1) + "." +
               std::to_string(e.valueNumber) + "\" resname=\"";
        exchange::AppendXmlEscaped(out, e.name, true);
        out += "\" xml:space=\"preserve\">\n";
        AppendElement(out, "source", sourceText);
        if (translated && e.untranslated) {
            out += "        <target state=\"needs-translation\">";
            exchange::AppendXmlEscaped(out, e.value, false);
            out += "</target>\n";
        } else if (translated) {
            AppendElement(out, "target", e.value);
        }
        if (e.hasExtra && !e.extra.empty()) {
            RequireXmlText(e, e.extra);
            AppendElement(out, "note", e.extra);
        }
        out += "      </trans-unit>\n";
    });
    out += "    </body>\n  </file>\n</xliff>\n";
    return {out.begin(), out.end()};
}

std::vector<ImportRow> ReadXliff(std::span<const std::uint8_t> data, const ImportOptions& options) {
    (void)options;
    return exchange::WithMemoryGuard([&] {
        const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
        exchange::RequireUtf8(exchange::WithoutBom(text));
        pugi::xml_document doc;
        const pugi::xml_parse_result parsed =
            doc.load_buffer(data.data(), data.size(),
                            exchange::kRawXmlParse | pugi::parse_ws_pcdata, pugi::encoding_utf8);
        if (!parsed)
            throw ExchangeError("line " +
                                std::to_string(exchange::LineOfOffset(
                                    text, static_cast<std::size_t>(parsed.offset))) +
                                ": " + parsed.description());
        const pugi::xml_node root = doc.document_element();
        if (std::string_view(root.name()) != "xliff")
            throw ExchangeError("line 1: the document is XML but not XLIFF (its root element is <" +
                                exchange::Quote(root.name(), false) + ">)");
        std::vector<ImportRow> rows;
        for (pugi::xml_node file : root.children("file"))
            CollectUnits(file.child("body"), rows, text);
        return rows;
    });
}

} // namespace vste
