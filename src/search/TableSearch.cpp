// SPDX-License-Identifier: MIT
#include "search/TableSearch.h"

#include <stdexcept>

#include "encoding/CodePage.h"

namespace vste::search {

FieldWalker::FieldWalker(const SearchOptions& options, DocumentFormat format, int codePage)
    : m_options(options), m_codec(codePage),
      m_extras(options.inExtras && GetFormatInfo(format).hasExtraValues),
      m_namesStored(GetFormatInfo(format).editableNames) {}

std::u16string FieldText(const TWestwoodStrings& document, std::uint32_t stringIndex,
                         std::uint32_t valueIndex, Field field, int codePage) {
    const StringView text = StringTable(document).at(stringIndex);
    if (field == Field::Name)
        return PlainAnsiToWide(text.name(), codePage);
    const ValueView value = text.valueAt(valueIndex - 1);
    return field == Field::Value ? std::u16string(value.text())
                                 : PlainAnsiToWide(value.extra(), codePage);
}

void ThrowInString(std::uint32_t index, StringView text, const std::runtime_error& error) {
    throw std::runtime_error("string " + std::to_string(index + 1) + " (" +
                             Utf16ToUtf8(PlainAnsiToWide(text.name())) + "): " + error.what());
}

Finder::Finder(const TWestwoodStrings& document, DocumentFormat format,
               const SearchOptions& options, int codePage)
    : m_document(document), m_matcher(options), m_walker(options, format, codePage) {}

void Finder::setReference(const TWestwoodStrings& reference,
                          const std::vector<std::uint32_t>& pairs) {
    if (!m_matcher.options().inReference)
        return;
    m_reference.emplace(reference);
    m_pairs = &pairs;
}

void Finder::collect(Field field, std::uint32_t valueIndex, std::u16string_view text,
                     bool inReference, std::vector<Match>& out) {
    m_spans.clear();
    m_matcher.find(text, m_spans);
    std::uint32_t counted = 0, points = 0; // code points up to `counted` units
    for (const Span& span : m_spans) {
        Match match{m_position, valueIndex, field, 0, 0, span.start, span.length, inReference};
        points += CodePointOffset(text.substr(counted), span.start - counted);
        counted = span.start;
        match.start = points;
        match.length = CodePointOffset(text.substr(span.start), span.length);
        out.push_back(match);
    }
}

bool Finder::next(std::vector<Match>& out, std::uint32_t strings) {
    const std::uint32_t end = total() - m_position < strings ? total() : m_position + strings;
    for (; m_position < end; ++m_position) {
        const StringView text = m_document[m_position];
        try {
            m_walker.forEach(
                text, [&](Field field, std::uint32_t valueIndex, std::u16string_view fieldText) {
                    collect(field, valueIndex, fieldText, false, out);
                });
            if (m_reference && m_position < m_pairs->size() &&
                (*m_pairs)[m_position] < m_reference->size()) {
                const StringView paired = (*m_reference)[(*m_pairs)[m_position]];
                for (std::uint32_t k = 0; k < paired.valueCount(); ++k)
                    collect(Field::Value, k + 1, paired.value(k).text(), true, out);
            }
        } catch (const std::runtime_error& e) {
            ThrowInString(m_position, text, e);
        }
    }
    return m_position < total();
}

bool FindAll(const TWestwoodStrings& document, DocumentFormat format, const SearchOptions& options,
             const std::function<void(std::vector<Match>&)>& onChunk,
             const std::atomic<bool>* cancel, std::uint32_t chunkStrings) {
    Finder finder(document, format, options);
    std::vector<Match> chunk;
    bool more = true;
    while (more) {
        if (cancel != nullptr && cancel->load(std::memory_order_relaxed))
            return false;
        chunk.clear();
        more = finder.next(chunk, chunkStrings);
        if (!chunk.empty())
            onChunk(chunk);
    }
    return true;
}

} // namespace vste::search
