// SPDX-License-Identifier: MIT
// Translation memories: units of a source text and its translation, collected from paired
// tables or read from TMX 1.4b files, and written as TMX 1.4b.
//
// Reading takes each `tu` with exactly one `tuv` of the source language and one of the target
// language (`xml:lang`, or the older `lang`; "en" also matches "en-US"); other units are counted
// as skipped. A segment's text is all the text inside `seg`, the text of inline tags included:
// `<ph>%s</ph>` and `<bpt i="1">&lt;b&gt;</bpt>` hold the game's own codes, which the
// translation needs, so they read as "%s" and "<b>".
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/Errors.h"
#include "core/Model.h"
#include "translation/CsfOutline.h"
#include "translation/LargeMemory.h"

namespace vste {

struct TmUnit {
    std::u16string source;
    std::u16string target;
};

// A malformed TMX file; what() starts with the line ("line 12: ") and gives the reason.
class TmxError : public DocumentError {
public:
    using DocumentError::DocumentError;
};

// The units of a memory in the order they came, each pair of texts once.
class MemoryBuilder {
public:
    // False (and nothing added) when the same source and target are already in.
    bool add(std::u16string source, std::u16string target);
    std::size_t size() const { return m_units.size(); }
    void reserve(std::size_t units) {
        m_units.reserve(units);
        m_seen.reserve(units);
    }
    const std::vector<TmUnit>& units() const { return m_units; }
    std::vector<TmUnit> take() { return std::move(m_units); }

private:
    std::vector<TmUnit> m_units;
    std::unordered_multimap<std::size_t, std::uint32_t> m_seen;
};

// Adds, for each string of `source` paired by name ignoring case with one of `translation`, one
// unit per value number whose two values are both non-empty and differ. Throws FormatError
// naming the string when a value cannot go into XML (a control character, an unpaired
// surrogate).
void AddTablePairs(MemoryBuilder& memory, const TCSFBody& source, const TCSFBody& translation,
                   int codePage = 0);

struct TmxContents {
    std::string sourceLanguage;
    std::string targetLanguage; // empty when the file holds no other language
    std::vector<TmUnit> units;
    std::size_t skipped = 0; // `tu` elements without exactly one `tuv` of each language
};

// Reads a TMX file (UTF-8, or UTF-16 with a byte-order mark). `sourceLanguage` empty: the
// header's srclang; `targetLanguage` empty: the first other language of the file. Throws TmxError
// for a file that is not well-formed TMX: bad XML or character references, a DOCTYPE with
// declarations, inline tags nested deeper than 64.
TmxContents ReadTmx(std::span<const std::uint8_t> data, std::string_view sourceLanguage = {},
                    std::string_view targetLanguage = {});

// TMX 1.4b of `units` in order, UTF-8.
std::vector<std::uint8_t> WriteTmx(std::span<const TmUnit> units, std::string_view sourceLanguage,
                                   std::string_view targetLanguage);

struct OutlinedPair {
    const CsfOutline* source = nullptr;
    const CsfOutline* translation = nullptr;
};

struct TablePairsTmx {
    LargeText bytes;
    std::size_t units = 0;
};

// The TMX that AddTablePairs of each pair in turn and then WriteTmx give, written straight from
// outlined tables, with no text copied out of their bytes first. Throws FormatError as
// AddTablePairs does.
TablePairsTmx WriteTablePairsTmx(std::span<const OutlinedPair> pairs,
                                 std::string_view sourceLanguage, std::string_view targetLanguage,
                                 int codePage = 0);

} // namespace vste
