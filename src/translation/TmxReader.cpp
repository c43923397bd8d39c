// SPDX-License-Identifier: MIT
// Reading TMX with pugixml, after a scan of the raw text that refuses what pugixml would let
// through quietly: unknown or impossible character references and declared entities.
#include <pugixml.hpp>

#include <charconv>
#include <cstdlib>
#include <mutex>

#include "core/StringUtils.h"
#include "exchange/ExchangeText.h"
#include "translation/Languages.h"
#include "translation/LargeMemory.h"
#include "translation/Tmx.h"

namespace vste {

namespace {

constexpr int kMaxInlineDepth = 64;

[[noreturn]] void Fail(std::string_view text, std::size_t offset, const std::string& why) {
    throw TmxError("line " + std::to_string(exchange::LineOfOffset(text, offset)) + ": " + why);
}

bool IsXmlChar(std::uint32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// Checks the reference starting at text[at] == '&'; returns its length.
std::size_t CheckReference(std::string_view text, std::size_t at) {
    const std::size_t semicolon = text.find(';', at);
    const std::string_view ref =
        text.substr(at + 1, semicolon == std::string_view::npos ? 0 : semicolon - at - 1);
    if (semicolon == std::string_view::npos || semicolon - at > 12)
        Fail(text, at, "a '&' that begins no character reference (write &amp;)");
    if (ref == "amp" || ref == "lt" || ref == "gt" || ref == "quot" || ref == "apos")
        return ref.size() + 2;
    if (ref.size() < 2 || ref[0] != '#')
        Fail(text, at, "the entity &" + std::string(ref) + "; is not defined");
    const bool hex = ref[1] == 'x';
    std::uint32_t code = 0;
    const char* first = ref.data() + (hex ? 2 : 1);
    const auto [end, error] = std::from_chars(first, ref.data() + ref.size(), code, hex ? 16 : 10);
    if (error != std::errc() || end != ref.data() + ref.size() || !IsXmlChar(code))
        Fail(text, at, "the character reference &" + std::string(ref) + "; names no character");
    return ref.size() + 2;
}

// Skips from `at` past `close`; fails when the text ends first.
std::size_t Past(std::string_view text, std::size_t at, std::string_view close) {
    const std::size_t end = text.find(close, at);
    if (end == std::string_view::npos)
        Fail(text, at, "the file ends inside a markup declaration");
    return end + close.size();
}

void ScanMarkup(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '&') {
            i += CheckReference(text, i);
        } else if (c != '<') {
            ++i;
        } else if (text.substr(i, 9) == "<![CDATA[") {
            i = Past(text, i, "]]>");
        } else if (text.substr(i, 4) == "<!--") {
            i = Past(text, i, "-->");
        } else if (text.substr(i, 2) == "<?") {
            i = Past(text, i, "?>");
        } else if (text.substr(i, 2) == "<!") {
            const std::size_t end = Past(text, i, ">");
            if (text.substr(i, end - i).find('[') != std::string_view::npos)
                Fail(text, i, "a TMX file declares no entities or elements (DOCTYPE with [ ])");
            i = end;
        } else {
            ++i;
        }
    }
}

// Whether every `seg` holds text alone: nothing that begins with '<' (an inline tag, CDATA, a
// comment) between its start tag and its end tag. Then a segment's text is at most one node, a
// whitespace-only one being its parent's only child, and the whitespace between elements need
// not become nodes. Anything unclear counts as not plain.
bool SegmentsArePlainText(std::string_view text) {
    constexpr std::string_view kBlank = " \t\r\n";
    for (std::size_t at = text.find("<seg"); at != std::string_view::npos;
         at = text.find("<seg", at + 4)) {
        const std::size_t name = at + 4;
        if (name >= text.size() ||
            (text[name] != '>' && text[name] != '/' && kBlank.find(text[name]) == kBlank.npos))
            continue; // another element's name
        std::size_t end = name;
        while (end < text.size() && text[end] != '>') {
            if (text[end] == '"' || text[end] == '\'') {
                end = text.find(text[end], end + 1);
                if (end == std::string_view::npos)
                    return false;
            }
            ++end;
        }
        if (end >= text.size())
            return false;
        if (text[end - 1] == '/')
            continue; // <seg/>
        const std::size_t next = text.find('<', end);
        if (next == std::string_view::npos || text.substr(next, 5) != "</seg" ||
            next + 5 >= text.size() ||
            (text[next + 5] != '>' && kBlank.find(text[next + 5]) == kBlank.npos))
            return false;
    }
    return true;
}

// UTF-16 with a byte-order mark becomes UTF-8; UTF-8 stays, without its mark. The copy is
// parsed in place.
LargeText AsUtf8(std::span<const std::uint8_t> data) {
    const bool le = data.size() >= 2 && data[0] == 0xFF && data[1] == 0xFE;
    const bool be = data.size() >= 2 && data[0] == 0xFE && data[1] == 0xFF;
    if (!le && !be) {
        const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
        exchange::RequireUtf8(exchange::WithoutBom(text));
        return LargeText(exchange::WithoutBom(text));
    }
    if (data.size() % 2 != 0)
        throw TmxError("line 1: UTF-16 text of an odd number of bytes");
    std::u16string wide;
    wide.reserve(data.size() / 2);
    for (std::size_t i = 2; i + 1 < data.size(); i += 2)
        wide.push_back(
            static_cast<char16_t>(le ? data[i] | data[i + 1] << 8 : data[i] << 8 | data[i + 1]));
    std::string utf8;
    if (!exchange::AppendUtf8Strict(utf8, wide))
        throw TmxError("line 1: the UTF-16 text holds an unpaired surrogate");
    return LargeText(utf8);
}

// While a TMX file is parsed, pugixml takes its memory from an arena of the parsing thread: a
// million units make millions of nodes, and the arena's huge pages cost a fraction of the small
// ones malloc would touch. Other threads, and pugixml outside a parse, use malloc as before.
thread_local LargeArena* t_arena = nullptr;

void* AllocateNode(std::size_t bytes) {
    return t_arena ? t_arena->allocate(bytes) : std::malloc(bytes);
}

void FreeNode(void* block) {
    if (!(t_arena && t_arena->owns(block)))
        std::free(block);
}

class ArenaScope {
public:
    explicit ArenaScope(LargeArena& arena) {
        static std::once_flag hooked;
        std::call_once(hooked,
                       [] { pugi::set_memory_management_functions(AllocateNode, FreeNode); });
        t_arena = &arena;
    }
    ~ArenaScope() { t_arena = nullptr; }
    ArenaScope(const ArenaScope&) = delete;
    ArenaScope& operator=(const ArenaScope&) = delete;
};

// Fails at `offset` of the file's text as it was before it was parsed in place.
[[noreturn]] void FailInFile(std::span<const std::uint8_t> data, std::size_t offset,
                             const std::string& why) {
    Fail(AsUtf8(data), offset, why);
}

// The text inside `seg`, that of inline tags included.
std::u16string SegmentText(pugi::xml_node seg, std::span<const std::uint8_t> data) {
    // Most segments are one run of text.
    const pugi::xml_node only = seg.first_child();
    if (!only)
        return {};
    if (!only.next_sibling() &&
        (only.type() == pugi::node_pcdata || only.type() == pugi::node_cdata))
        return Utf8ToUtf16(only.value());
    std::string out;
    std::vector<pugi::xml_node> stack{seg.first_child()};
    while (!stack.empty()) {
        pugi::xml_node node = stack.back();
        if (!node) {
            stack.pop_back();
            if (!stack.empty())
                stack.back() = stack.back().next_sibling();
            continue;
        }
        if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
            out += node.value();
        if (node.type() == pugi::node_element && node.first_child()) {
            if (stack.size() >= kMaxInlineDepth)
                FailInFile(data, static_cast<std::size_t>(node.offset_debug()),
                           "inline tags nested deeper than " + std::to_string(kMaxInlineDepth));
            stack.push_back(node.first_child());
        } else {
            stack.back() = node.next_sibling();
        }
    }
    return Utf8ToUtf16(out);
}

std::string_view LanguageOf(pugi::xml_node tuv) {
    pugi::xml_attribute lang = tuv.attribute("xml:lang");
    return lang ? lang.value() : tuv.attribute("lang").value();
}

std::string FirstOtherLanguage(pugi::xml_node body, std::string_view source) {
    for (pugi::xml_node tu : body.children("tu"))
        for (pugi::xml_node tuv : tu.children("tuv"))
            if (!LanguageOf(tuv).empty() && !SameLanguage(LanguageOf(tuv), source))
                return std::string(LanguageOf(tuv));
    return {};
}

} // namespace

TmxContents ReadTmx(std::span<const std::uint8_t> data, std::string_view sourceLanguage,
                    std::string_view targetLanguage) {
    LargeText text = AsUtf8(data);
    ScanMarkup(text);
    LargeArena arena;
    const ArenaScope scope(arena); // outlives the document, which gives its nodes back
    pugi::xml_document doc;
    const unsigned whitespace =
        SegmentsArePlainText(text) ? pugi::parse_ws_pcdata_single : pugi::parse_ws_pcdata;
    const pugi::xml_parse_result parsed = doc.load_buffer_inplace(
        text.data(), text.size(), pugi::parse_default | whitespace, pugi::encoding_utf8);
    if (!parsed)
        FailInFile(data, static_cast<std::size_t>(parsed.offset), parsed.description());
    const pugi::xml_node root = doc.document_element();
    if (std::string_view(root.name()) != "tmx")
        FailInFile(data, 0,
                   "the document is XML but not TMX (its root element is <" +
                       std::string(root.name()) + ">)");
    TmxContents contents;
    contents.sourceLanguage = sourceLanguage.empty()
                                  ? std::string(root.child("header").attribute("srclang").value())
                                  : std::string(sourceLanguage);
    if (contents.sourceLanguage.empty() || contents.sourceLanguage == "*all*")
        FailInFile(data, static_cast<std::size_t>(root.child("header").offset_debug()),
                   "the header names no source language (srclang)");
    const pugi::xml_node body = root.child("body");
    contents.targetLanguage = targetLanguage.empty()
                                  ? FirstOtherLanguage(body, contents.sourceLanguage)
                                  : std::string(targetLanguage);
    std::size_t units = 0;
    for ([[maybe_unused]] pugi::xml_node tu : body.children("tu"))
        ++units;
    contents.units.reserve(units);
    for (pugi::xml_node tu : body.children("tu")) {
        pugi::xml_node source, target;
        int sources = 0, targets = 0;
        for (pugi::xml_node tuv : tu.children("tuv")) {
            const std::string_view language = LanguageOf(tuv);
            if (SameLanguage(language, contents.sourceLanguage)) {
                source = tuv;
                ++sources;
            } else if (SameLanguage(language, contents.targetLanguage)) {
                target = tuv;
                ++targets;
            }
        }
        TmUnit unit;
        if (sources == 1 && targets == 1) {
            unit.source = SegmentText(source.child("seg"), data);
            unit.target = SegmentText(target.child("seg"), data);
        }
        if (unit.source.empty() || unit.target.empty())
            ++contents.skipped;
        else
            contents.units.push_back(std::move(unit));
    }
    return contents;
}

} // namespace vste
