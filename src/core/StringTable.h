// SPDX-License-Identifier: MIT
// How a library outside the core reads a table: its header, its number of strings, and per
// string its name, label tag and values (text, extra value, tag), as cheap views. Writing goes
// through the document's editing operations only. Reading through these views and not through
// the document's fields lets the core store strings as it sees fit.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/Model.h"

namespace vste {

// One value of a string.
class ValueView {
public:
    explicit ValueView(const TTextContainer& value) : m_value(&value) {}

    std::u16string_view text() const { return m_value->Value; }
    // The extra value's bytes (single-byte text of the code page).
    std::string_view extra() const { return m_value->ExtraValue; }
    Tag4 tag() const { return m_value->Tag; }
    // Whether the tag marks an extra value, which the file then stores.
    bool hasExtra() const { return m_value->HasExtraValue(); }
    // The value as an owned copy, for what carries values of its own (a proposed new value).
    TTextContainer copy() const { return *m_value; }

private:
    const TTextContainer* m_value;
};

// One string of a table; valid while the table is not changed.
class StringView {
public:
    explicit StringView(const TText& text) : m_text(&text) {}

    // The name's bytes (single-byte text of the code page).
    std::string_view name() const { return m_text->Name; }
    Tag4 labelTag() const { return m_text->Tag; }
    std::uint32_t valueCount() const { return m_text->ValueCount(); }
    ValueView value(std::uint32_t k) const { return ValueView(m_text->Values[k]); }
    // The same; throws std::out_of_range past the last value.
    ValueView valueAt(std::uint32_t k) const { return ValueView(m_text->Values.at(k)); }

private:
    const TText* m_text;
};

// The table as the libraries read it.
class StringTable {
public:
    explicit StringTable(const TWestwoodStrings& document) : m_document(&document) {}

    std::uint32_t size() const { return m_document->LabelCount(); }
    bool empty() const { return m_document->Body.empty(); }
    StringView operator[](std::uint32_t index) const { return StringView(m_document->Body[index]); }
    // The same; throws std::out_of_range outside the table.
    StringView at(std::uint32_t index) const { return StringView(m_document->Body.at(index)); }

    Tag4 magic() const { return m_document->Magic; }
    std::int32_t version() const { return m_document->Version; }
    std::int32_t stringCount() const { return m_document->StringCount; }
    std::int32_t language() const { return m_document->Language; }

private:
    const TWestwoodStrings* m_document;
};

} // namespace vste
