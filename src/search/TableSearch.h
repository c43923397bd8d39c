// SPDX-License-Identifier: MIT
// Find all over a whole string table: every name, value and extra value, in table order. The
// search runs in slices (Finder::next) so that a window can run it on a worker thread, deliver
// results as they come and cancel it between slices.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/Model.h"
#include "core/StringTable.h"
#include "core/StringUtils.h"
#include "formats/Registry.h"
#include "search/Matcher.h"

namespace vste::search {

using vste::Field;
using vste::FieldName;

struct Match {
    std::uint32_t stringIndex = 0; // index in the document's Body
    std::uint32_t valueIndex = 0;  // 1-based; 0 for a match in the name
    Field field = Field::Name;
    std::uint32_t start = 0; // code points of the field's text
    std::uint32_t length = 0;
    std::uint32_t start16 = 0; // UTF-16 code units of the field's text (for text editors)
    std::uint32_t length16 = 0;
    // In value `valueIndex` of the reference string paired with string `stringIndex`, not in
    // the document (field is Value then).
    bool inReference = false;
};

// The fields of a string that a search looks at, each as UTF-16 text: names and extra values
// are single-byte text shown through the code page, one code unit per byte. Extra values exist
// only in formats that have them, and only where the value's tag marks one.
class FieldWalker {
public:
    // codePage 0: the code page active now.
    FieldWalker(const SearchOptions& options, DocumentFormat format, int codePage = 0);

    // Calls visit(field, valueIndex, text) for each searched field of `text`, in table order.
    template <typename Visit> void forEach(StringView text, Visit&& visit) {
        if (m_options.inNames) {
            m_buffer.clear();
            m_codec.appendWide(m_buffer, text.name());
            visit(Field::Name, 0u, std::u16string_view(m_buffer));
        }
        if (!m_options.inValues && !m_extras)
            return;
        for (std::uint32_t k = 0; k < text.valueCount(); ++k) {
            const ValueView value = text.value(k);
            if (m_options.inValues)
                visit(Field::Value, k + 1, value.text());
            if (m_extras && value.hasExtra()) {
                m_buffer.clear();
                m_codec.appendWide(m_buffer, value.extra());
                visit(Field::Extra, k + 1, std::u16string_view(m_buffer));
            }
        }
    }

    const PlainCodec& codec() const { return m_codec; }
    bool namesStored() const { return m_namesStored; }

private:
    SearchOptions m_options;
    PlainCodec m_codec;
    bool m_extras;
    bool m_namesStored;
    std::u16string m_buffer;
};

// The text of one field as the search saw it. Throws std::out_of_range for a field the
// document lacks.
std::u16string FieldText(const TWestwoodStrings& document, std::uint32_t stringIndex,
                         std::uint32_t valueIndex, Field field, int codePage = 0);

// `error` (a regular expression past its limits) thrown again as std::runtime_error naming the
// string it happened in: "string N (NAME): ...", N 1-based.
[[noreturn]] void ThrowInString(std::uint32_t index, StringView text,
                                const std::runtime_error& error);

// A search in progress. The document must stay unchanged while it runs.
class Finder {
public:
    // Throws PatternError for an empty or invalid pattern.
    Finder(const TWestwoodStrings& document, DocumentFormat format, const SearchOptions& options,
           int codePage = 0);

    // Searches up to `strings` more strings and appends their matches to `out`. Returns false
    // once the whole table is searched. Throws std::runtime_error (naming the string) when a
    // regular expression exceeds its limits.
    bool next(std::vector<Match>& out, std::uint32_t strings = 4096);

    // With the option inReference, each string's own matches are followed by those in the
    // values of `reference[pairs[i]]` (none where pairs[i] is past the reference). Both must
    // outlive the search.
    void setReference(const TWestwoodStrings& reference, const std::vector<std::uint32_t>& pairs);

    // Past `deadline`, next() throws (see Matcher::setDeadline), naming the string.
    void setDeadline(Matcher::Clock::time_point deadline) { m_matcher.setDeadline(deadline); }

    std::uint32_t position() const { return m_position; } // strings searched so far
    std::uint32_t total() const { return m_document.size(); }

private:
    void collect(Field field, std::uint32_t valueIndex, std::u16string_view text, bool inReference,
                 std::vector<Match>& out);

    StringTable m_document;
    Matcher m_matcher;
    FieldWalker m_walker;
    std::uint32_t m_position = 0;
    std::vector<Span> m_spans;
    std::optional<StringTable> m_reference;
    const std::vector<std::uint32_t>* m_pairs = nullptr;
};

// Runs a whole search, handing over the matches of every `chunkStrings` strings (the vector
// may be taken). Stops between chunks once `cancel` is set and returns false then. Throws as
// Finder does.
bool FindAll(const TWestwoodStrings& document, DocumentFormat format, const SearchOptions& options,
             const std::function<void(std::vector<Match>&)>& onChunk,
             const std::atomic<bool>* cancel = nullptr, std::uint32_t chunkStrings = 4096);

} // namespace vste::search
