// SPDX-License-Identifier: MIT
// XLIFF 1.2: one trans-unit per value, with id "S.V" (string position and value number, unique
// even for repeated names), resname = the name, source, target when a reference is given, and
// the extra value as a note. CR, and tab and LF inside attributes, are written as character
// references so that XML parsers give them back unchanged. XML 1.0 cannot hold other control
// characters at all: a string holding one is refused with its name.
#include <pugixml.hpp>

#include <charconv>

#include "exchange/Exchange.h"
#include "exchange/ExchangeText.h"

namespace vste {

namespace {

void AppendXml(std::string& out, std::string_view text, bool attribute) {
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += attribute ? "&quot;" : "\"";
            break;
        case '\r':
            out += "&#13;";
            break;
        case '\n':
            out += attribute ? "&#10;" : "\n";
            break;
        case '\t':
            out += attribute ? "&#9;" : "\t";
            break;
        default:
            out.push_back(c);
        }
    }
}

void RequireXmlText(const ExportEntry& e, std::string_view text) {
    if (const auto bad = exchange::FindXmlForbidden(text))
        throw FormatError("The " + exchange::DescribeValue(e) + " holds the character " +
                          exchange::CodePointText(*bad) + ", which XML 1.0 cannot carry");
}

void AppendElement(std::string& out, std::string_view tag, std::string_view text) {
    out.append("        <").append(tag).append(">");
    AppendXml(out, text, false);
    out.append("</").append(tag).append(">\n");
}

// The value number of an id "S.V"; 1 when the id has no such suffix.
std::uint32_t ValueNumberOfId(std::string_view id) {
    const std::size_t dot = id.rfind('.');
    if (dot == std::string_view::npos)
        return 1;
    std::uint32_t n = 0;
    const auto [end, error] = std::from_chars(id.data() + dot + 1, id.data() + id.size(), n);
    return error == std::errc() && end == id.data() + id.size() && n > 0 ? n : 1;
}

// The text of an element, including that of inline elements a tool may have added.
void AppendText(pugi::xml_node element, std::string& out) {
    for (pugi::xml_node child : element.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            out += child.value();
        else if (child.type() == pugi::node_element)
            AppendText(child, out);
    }
}

void CollectUnits(pugi::xml_node parent, std::vector<ImportRow>& rows, std::string_view text) {
    for (pugi::xml_node node : parent.children()) {
        const std::string_view name = node.name();
        if (name == "group") {
            CollectUnits(node, rows, text);
            continue;
        }
        if (name != "trans-unit")
            continue;
        const pugi::xml_attribute resname = node.attribute("resname");
        if (!resname)
            throw ExchangeError("line " +
                                std::to_string(exchange::LineOfOffset(
                                    text, static_cast<std::size_t>(node.offset_debug()))) +
                                ": a trans-unit without resname does not name a string");
        ImportRow row;
        row.name = resname.value();
        row.valueNumber = ValueNumberOfId(node.attribute("id").value());
        AppendText(node.child("target"), row.value);
        rows.push_back(std::move(row));
    }
}

} // namespace

std::vector<std::uint8_t> WriteXliff(const ExportSource& source, const ExportOptions& options) {
    std::string out;
    out.reserve(source.table().Body.size() * 160 + 512);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<xliff version=\"1.2\" xmlns=\"urn:oasis:names:tc:xliff:document:1.2\">\n"
           "  <file original=\"";
    AppendXml(out, options.original, true);
    out += "\" datatype=\"plaintext\" source-language=\"";
    AppendXml(out, options.sourceLanguage, true);
    out += "\"";
    if (!options.targetLanguage.empty()) {
        out += " target-language=\"";
        AppendXml(out, options.targetLanguage, true);
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
        AppendXml(out, e.name, true);
        out += "\" xml:space=\"preserve\">\n";
        AppendElement(out, "source", sourceText);
        if (translated && e.untranslated) {
            out += "        <target state=\"needs-translation\">";
            AppendXml(out, e.value, false);
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
    const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
    exchange::RequireUtf8(exchange::WithoutBom(text));
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer(
        data.data(), data.size(), pugi::parse_default | pugi::parse_ws_pcdata, pugi::encoding_utf8);
    if (!parsed)
        throw ExchangeError(
            "line " +
            std::to_string(exchange::LineOfOffset(text, static_cast<std::size_t>(parsed.offset))) +
            ": " + parsed.description());
    const pugi::xml_node root = doc.document_element();
    if (std::string_view(root.name()) != "xliff")
        throw ExchangeError("line 1: the document is XML but not XLIFF (its root element is <" +
                            std::string(root.name()) + ">)");
    std::vector<ImportRow> rows;
    for (pugi::xml_node file : root.children("file"))
        CollectUnits(file.child("body"), rows, text);
    return rows;
}

} // namespace vste
