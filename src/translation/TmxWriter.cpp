// SPDX-License-Identifier: MIT
// Collecting units and writing TMX 1.4b. The writer escapes by hand, as the XLIFF writer does,
// so that a million units go out in one pass.
#include <functional>

#include "compare/NameMatch.h"
#include "core/StringUtils.h"
#include "exchange/ExchangeText.h"
#include "translation/LargeMemory.h"
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

// Throws the FormatError AddTablePairs gives for the first of two values that cannot go into
// XML; returns when both can.
void RefuseValue(const std::u16string& a, const std::u16string& b, std::size_t k,
                 std::string_view fromName, std::string_view toName, int codePage) {
    std::string scratch;
    for (const std::u16string* text : {&a, &b}) {
        const std::string problem = XmlProblem(*text, scratch);
        if (!problem.empty())
            throw FormatError(
                "Value " + std::to_string(k + 1) + " of the string \"" +
                Utf16ToUtf8(PlainAnsiToWide(text == &a ? fromName : toName, codePage)) + "\" " +
                problem);
    }
}

// A TMX file being written into one buffer, text escaped as it is encoded.
class TmxText {
public:
    TmxText(std::string_view sourceLanguage, std::string_view targetLanguage,
            std::size_t expected) {
        m_out.reserve(expected);
        m_out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tmx version=\"1.4\">\n  <header "
                 "creationtool=\"vste\" creationtoolversion=\"" VSTE_VERSION_STRING
                 "\" segtype=\"sentence\" o-tmf=\"vste\" adminlang=\"en\" srclang=\"";
        std::string escaped;
        exchange::AppendXmlEscaped(escaped, sourceLanguage, true);
        m_out += escaped;
        m_out += "\" datatype=\"plaintext\"/>\n  <body>\n";
        m_sourceTuv = "      <tuv xml:lang=\"" + escaped + "\"><seg>";
        escaped.clear();
        exchange::AppendXmlEscaped(escaped, targetLanguage, true);
        m_targetTuv = "      <tuv xml:lang=\"" + escaped + "\"><seg>";
    }

    // One unit of texts given by their code units; false (and the buffer undefined) when one of
    // them holds what XML cannot carry.
    template <class Source, class Target>
    bool unit(const Source& source, std::size_t sourceLength, const Target& target,
              std::size_t targetLength) {
        m_out += "    <tu>\n";
        m_out += m_sourceTuv;
        bool ok = segment(source, sourceLength);
        m_out += "</seg></tuv>\n";
        m_out += m_targetTuv;
        ok = segment(target, targetLength) && ok;
        m_out += "</seg></tuv>\n    </tu>\n";
        return ok;
    }
    void finish() { m_out += "  </body>\n</tmx>\n"; }
    LargeText& text() { return m_out; }

private:
    template <class Units> bool segment(const Units& unitAt, std::size_t length) {
        bool ok = true;
        for (std::size_t k = 0; k < length; ++k) {
            char32_t c = unitAt(k);
            if (c < 0x80) {
                ok = ok && (c >= 0x20 || c == '\t' || c == '\n' || c == '\r');
                appendAscii(static_cast<char>(c));
                continue;
            }
            if (c >= 0xD800 && c < 0xDC00 && k + 1 < length && unitAt(k + 1) >= 0xDC00 &&
                unitAt(k + 1) < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (unitAt(k + 1) - 0xDC00);
                ++k;
            } else {
                ok = ok && !(c >= 0xD800 && c < 0xE000) && c < 0xFFFE;
            }
            appendCodePoint(c);
        }
        return ok;
    }
    void appendAscii(char c) {
        switch (c) {
        case '&':
            m_out += "&amp;";
            break;
        case '<':
            m_out += "&lt;";
            break;
        case '>':
            m_out += "&gt;";
            break;
        case '\r':
            m_out += "&#13;";
            break;
        default:
            m_out.push_back(c);
        }
    }
    void appendCodePoint(char32_t c) {
        char bytes[4];
        std::size_t n = 0;
        if (c < 0x800) {
            bytes[n++] = static_cast<char>(0xC0 | (c >> 6));
        } else if (c < 0x10000) {
            bytes[n++] = static_cast<char>(0xE0 | (c >> 12));
            bytes[n++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        } else {
            bytes[n++] = static_cast<char>(0xF0 | (c >> 18));
            bytes[n++] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            bytes[n++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        }
        bytes[n++] = static_cast<char>(0x80 | (c & 0x3F));
        m_out.append(bytes, n);
    }

    LargeText m_out;
    std::string m_sourceTuv;
    std::string m_targetTuv;
};

// The pairs of stored texts already written, each once.
class UnitSet {
public:
    explicit UnitSet(std::size_t most) {
        std::size_t capacity = 16;
        while (capacity < 2 * most)
            capacity *= 2;
        m_slots.assign(capacity, 0);
        m_mask = capacity - 1;
    }
    // False when the pair is in already.
    bool add(const StoredText& a, const StoredText& b) {
        const std::uint32_t hash = HashOf(a, b);
        std::size_t at = hash & m_mask;
        for (; m_slots[at] != 0; at = (at + 1) & m_mask) {
            if (m_slots[at] >> 32 != hash)
                continue;
            const auto& [x, y] = m_units[static_cast<std::uint32_t>(m_slots[at]) - 1];
            if (x == a && y == b)
                return false;
        }
        m_units.emplace_back(a, b);
        m_slots[at] = std::uint64_t{hash} << 32 | m_units.size();
        return true;
    }
    std::size_t size() const { return m_units.size(); }

private:
    static std::uint32_t HashOf(const StoredText& a, const StoredText& b) {
        const std::hash<std::string_view> hash;
        const auto bytes = [](const StoredText& t) {
            return std::string_view(reinterpret_cast<const char*>(t.units),
                                    2 * std::size_t{t.length});
        };
        const std::size_t h = hash(bytes(a)) * 0x9E3779B97F4A7C15ULL ^ hash(bytes(b));
        return static_cast<std::uint32_t>(h ^ (h >> 32));
    }

    LargeVector<std::uint64_t> m_slots; // hash << 32 | unit + 1; 0: empty
    LargeVector<std::pair<StoredText, StoredText>> m_units;
    std::size_t m_mask = 0;
};

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
            RefuseValue(a, b, k, from.Name, to.Name, codePage);
            memory.add(a, b);
        }
    }
}

std::vector<std::uint8_t> WriteTmx(std::span<const TmUnit> units, std::string_view sourceLanguage,
                                   std::string_view targetLanguage) {
    TmxText out(sourceLanguage, targetLanguage, units.size() * 200 + 512);
    for (const TmUnit& unit : units) {
        const auto source = [&unit](std::size_t k) { return unit.source[k]; };
        const auto target = [&unit](std::size_t k) { return unit.target[k]; };
        if (!out.unit(source, unit.source.size(), target, unit.target.size()))
            throw FormatError("A unit of the memory cannot be written in XML");
    }
    out.finish();
    return {out.text().begin(), out.text().end()};
}

TablePairsTmx WriteTablePairsTmx(std::span<const OutlinedPair> pairs,
                                 std::string_view sourceLanguage, std::string_view targetLanguage,
                                 int codePage) {
    std::size_t values = 0;
    std::size_t bytes = 512;
    for (const OutlinedPair& pair : pairs)
        for (std::uint32_t i = 0; i < pair.source->size(); ++i)
            for (std::uint32_t k = 0; k < pair.source->valueCount(i); ++k) {
                ++values;
                bytes += 100 + 2 * pair.source->value(i, k).length;
            }
    TmxText out(sourceLanguage, targetLanguage, 2 * bytes);
    UnitSet seen(values);
    for (const OutlinedPair& pair : pairs) {
        const OutlinePairing pairing = OutlineNames(*pair.translation, codePage).pair(*pair.source);
        for (std::uint32_t i = 0; i < pair.source->size(); ++i) {
            const std::uint32_t j = pairing.toB[i];
            if (j == kNoString)
                continue;
            const std::uint32_t count =
                std::min(pair.source->valueCount(i), pair.translation->valueCount(j));
            for (std::uint32_t k = 0; k < count; ++k) {
                const StoredText a = pair.source->value(i, k);
                const StoredText b = pair.translation->value(j, k);
                if (a.empty() || b.empty() || a == b || !seen.add(a, b))
                    continue;
                const auto source = [&a](std::size_t n) { return a.at(n); };
                const auto target = [&b](std::size_t n) { return b.at(n); };
                if (!out.unit(source, a.length, target, b.length)) {
                    RefuseValue(a.text(), b.text(), k, pair.source->name(i),
                                pair.translation->name(j), codePage);
                    throw FormatError("A unit of the memory cannot be written in XML");
                }
            }
        }
    }
    out.finish();
    return {std::move(out.text()), seen.size()};
}

} // namespace vste
