// SPDX-License-Identifier: MIT
// Collecting units and writing TMX 1.4b. The writer escapes by hand, as the XLIFF writer does,
// so that a million units go out in one pass.
#include <functional>

#include "compare/NameMatch.h"
#include "core/StringUtils.h"
#include "exchange/ExchangeText.h"
#include "translation/Tmx.h"

namespace vste {

namespace {

std::size_t HashOf(const std::u16string& source, const std::u16string& target) {
    const std::hash<std::u16string> hash;
    return hash(source) * 0x9E3779B97F4A7C15ULL ^ hash(target);
}

// Why `value` cannot be written in XML; empty when it can.
std::string XmlProblem(std::u16string_view value, std::string& utf8) {
    utf8.clear();
    if (!exchange::AppendUtf8Strict(utf8, value))
        return "holds an unpaired surrogate";
    if (const auto bad = exchange::FindXmlForbidden(utf8))
        return "holds the character " + exchange::CodePointText(*bad) +
               ", which XML 1.0 cannot carry";
    return {};
}

} // namespace

bool MemoryBuilder::add(std::u16string source, std::u16string target) {
    const std::size_t hash = HashOf(source, target);
    const auto [first, last] = m_seen.equal_range(hash);
    for (auto it = first; it != last; ++it) {
        const TmUnit& unit = m_units[it->second];
        if (unit.source == source && unit.target == target)
            return false;
    }
    m_seen.emplace(hash, static_cast<std::uint32_t>(m_units.size()));
    m_units.push_back({std::move(source), std::move(target)});
    return true;
}

void AddTablePairs(MemoryBuilder& memory, const TCSFBody& source, const TCSFBody& translation,
                   int codePage) {
    const NameMatch match = MatchByName(source, translation, codePage);
    memory.reserve(memory.size() + source.size());
    std::string scratch;
    for (std::uint32_t i = 0; i < source.size(); ++i) {
        if (match.toB[i] == kNoString)
            continue;
        const TText& from = source[i];
        const TText& to = translation[match.toB[i]];
        const std::size_t values = std::min(from.Values.size(), to.Values.size());
        for (std::size_t k = 0; k < values; ++k) {
            const std::u16string& a = from.Values[k].Value;
            const std::u16string& b = to.Values[k].Value;
            if (a.empty() || b.empty() || a == b)
                continue;
            for (const std::u16string* text : {&a, &b}) {
                const std::string problem = XmlProblem(*text, scratch);
                if (!problem.empty())
                    throw FormatError(
                        "Value " + std::to_string(k + 1) + " of the string \"" +
                        Utf16ToUtf8(PlainAnsiToWide(text == &a ? from.Name : to.Name, codePage)) +
                        "\" " + problem);
            }
            memory.add(a, b);
        }
    }
}

std::vector<std::uint8_t> WriteTmx(std::span<const TmUnit> units, std::string_view sourceLanguage,
                                   std::string_view targetLanguage) {
    std::string out;
    out.reserve(units.size() * 200 + 512);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tmx version=\"1.4\">\n  <header "
           "creationtool=\"vste\" creationtoolversion=\"" VSTE_VERSION_STRING
           "\" segtype=\"sentence\" o-tmf=\"vste\" adminlang=\"en\" srclang=\"";
    exchange::AppendXmlEscaped(out, sourceLanguage, true);
    out += "\" datatype=\"plaintext\"/>\n  <body>\n";
    std::string text;
    auto tuv = [&](std::string_view language, const std::u16string& segment) {
        out += "      <tuv xml:lang=\"";
        exchange::AppendXmlEscaped(out, language, true);
        out += "\"><seg>";
        if (!XmlProblem(segment, text).empty())
            throw FormatError("A unit of the memory cannot be written in XML");
        exchange::AppendXmlEscaped(out, text, false);
        out += "</seg></tuv>\n";
    };
    for (const TmUnit& unit : units) {
        out += "    <tu>\n";
        tuv(sourceLanguage, unit.source);
        tuv(targetLanguage, unit.target);
        out += "    </tu>\n";
    }
    out += "  </body>\n</tmx>\n";
    return {out.begin(), out.end()};
}

} // namespace vste
