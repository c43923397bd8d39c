// SPDX-License-Identifier: MIT
#include "search/ReplacePlan.h"

#include <stdexcept>

#include "core/StringUtils.h"
#include "encoding/CodePage.h"

namespace vste::search {

Replacer::Replacer(const TWestwoodStrings& document, DocumentFormat format,
                   const SearchOptions& options, std::u16string_view replacement, int codePage)
    : m_document(document), m_table(document), m_matcher(options),
      m_walker(options, format, codePage) {
    m_matcher.setReplacement(replacement);
}

StorageRefusal StorageProblem(Field field, std::uint32_t valueIndex, std::u16string_view text,
                              bool namesStored, const PlainCodec& codec) {
    using Kind = StorageRefusal::Kind;
    if (field == Field::Value)
        return {};
    if (field == Field::Name && !namesStored)
        return {Kind::NamesNotStored, "this format stores no names"};
    if (field == Field::Name && text.empty())
        return {Kind::EmptyName, "the name would become empty"};
    const std::string where = field == Field::Name
                                  ? "the name"
                                  : "the extra value of value " + std::to_string(valueIndex);
    for (char16_t unit : text) {
        if (codec.toWide(codec.toAnsi(unit)) != unit)
            return {Kind::MissingCharacter,
                    where + " would hold \"" + Utf16ToUtf8(std::u16string(1, unit)) +
                        "\", which code page " + std::to_string(codec.codePage()) + " lacks"};
    }
    return {};
}

// A rename may not give a string a name (ignoring case) that another string has in the table as
// it was when the first rename was planned, or that the plan gave another string before; names
// shared already stay shared (strings of one name renamed alike, or one changing its case). `key`
// receives the new name upper-cased, `oldKey` the old.
StorageRefusal Replacer::nameProblem(const Change& change, std::string& key, std::string& oldKey) {
    if (!m_names)
        m_names = std::make_unique<NameIndex>(m_document, m_walker.codec().codePage());
    std::string bytes;
    m_walker.codec().appendAnsi(bytes, change.newText);
    const bool held = m_names->findOther(bytes, change.stringIndex, key) != kNoString;
    oldKey = m_names->upperName(change.stringIndex);
    const auto given = m_renamed.find(key);
    if ((held && key != oldKey) || (given != m_renamed.end() && given->second != oldKey))
        return {StorageRefusal::Kind::NameTaken, "the name would become \"" +
                                                     Utf16ToUtf8(change.newText) +
                                                     "\", which another string has"};
    return {};
}

// Why the pending changes of string `text` cannot all be stored, or None.
StorageRefusal Replacer::refusalOf(StringView text, std::string& newKey, std::string& oldKey) {
    for (const Change& change : m_pending) {
        StorageRefusal refusal = StorageProblem(change.field, change.valueIndex, change.newText,
                                                m_walker.namesStored(), m_walker.codec());
        if (!refusal && change.field == Field::Name)
            refusal = nameProblem(change, newKey, oldKey);
        if (refusal)
            return refusal;
    }
    if (!m_valueCheck)
        return {};
    // Each changed value is judged once, with its new value and extra value; the changes of one
    // value follow each other.
    for (std::size_t k = 0; k < m_pending.size();) {
        const std::uint32_t valueIndex = m_pending[k].valueIndex;
        if (valueIndex == 0) {
            ++k;
            continue;
        }
        TTextContainer proposed = text.valueAt(valueIndex - 1).copy();
        for (; k < m_pending.size() && m_pending[k].valueIndex == valueIndex; ++k) {
            if (m_pending[k].field == Field::Value) {
                proposed.Value = m_pending[k].newText;
            } else {
                proposed.ExtraValue.clear();
                m_walker.codec().appendAnsi(proposed.ExtraValue, m_pending[k].newText);
            }
        }
        const std::string problem = m_valueCheck(text, valueIndex - 1, proposed);
        if (!problem.empty())
            return {StorageRefusal::Kind::UnstorableValue,
                    "value " + std::to_string(valueIndex) + ": " + problem};
    }
    return {};
}

bool Replacer::next(ReplacePlan& plan, std::uint32_t strings) {
    plan.codePage = m_walker.codec().codePage();
    const std::uint32_t end = total() - m_position < strings ? total() : m_position + strings;
    for (; m_position < end; ++m_position) {
        const StringView text = m_table[m_position];
        m_pending.clear();
        try {
            m_walker.forEach(text, [&](Field field, std::uint32_t valueIndex,
                                       std::u16string_view fieldText) {
                std::size_t count = 0;
                std::u16string replaced = m_matcher.replace(fieldText, count);
                if (count > 0)
                    m_pending.push_back({m_position, valueIndex, field, std::u16string(fieldText),
                                         std::move(replaced), static_cast<std::uint32_t>(count)});
            });
        } catch (const std::runtime_error& e) {
            ThrowInString(m_position, text, e);
        }
        if (m_pending.empty())
            continue;
        std::string newKey, oldKey;
        StorageRefusal refusal = refusalOf(text, newKey, oldKey);
        if (refusal) {
            plan.refused.push_back({std::move(refusal), m_position});
            continue;
        }
        if (!newKey.empty())
            m_renamed.emplace(std::move(newKey), std::move(oldKey));
        ++plan.strings;
        for (Change& change : m_pending) {
            plan.replacements += change.replacements;
            plan.changes.push_back(std::move(change));
        }
    }
    return m_position < total();
}

ReplacePlan PlanReplaceAll(const TWestwoodStrings& document, DocumentFormat format,
                           const SearchOptions& options, std::u16string_view replacement,
                           const std::atomic<bool>* cancel, bool* cancelled,
                           const ValueCheck& valueCheck) {
    Replacer replacer(document, format, options, replacement);
    if (valueCheck)
        replacer.checkValues(valueCheck);
    ReplacePlan plan;
    bool more = true;
    while (more && !(cancel != nullptr && cancel->load(std::memory_order_relaxed)))
        more = replacer.next(plan);
    if (cancelled != nullptr)
        *cancelled = more;
    return plan;
}

namespace {

TFieldEdit EditOf(const TWestwoodStrings& document, std::uint32_t stringIndex,
                  std::uint32_t valueIndex, Field field, const std::u16string& text,
                  const PlainCodec& codec) {
    if (field == Field::Name) {
        std::string name;
        codec.appendAnsi(name, text);
        return document.RenameEdit(stringIndex, std::move(name));
    }
    TFieldEdit edit;
    edit.StringIndex = stringIndex;
    edit.ValueIndex = valueIndex - 1;
    edit.Tag = StringTable(document).at(stringIndex).valueAt(valueIndex - 1).tag();
    if (field == Field::Value) {
        edit.Field = TEditField::Value;
        edit.Value = text;
    } else {
        edit.Field = TEditField::ExtraValue;
        codec.appendAnsi(edit.Text, text);
    }
    return edit;
}

} // namespace

std::vector<TFieldEdit> PlanEdits(const TWestwoodStrings& document, const ReplacePlan& plan) {
    const PlainCodec codec(plan.codePage);
    std::vector<TFieldEdit> edits;
    edits.reserve(plan.changes.size());
    std::size_t pendingName = SIZE_MAX;
    for (std::size_t k = 0; k < plan.changes.size(); ++k) {
        const Change& change = plan.changes[k];
        if (change.field == Field::Name)
            pendingName = k;
        else
            edits.push_back(EditOf(document, change.stringIndex, change.valueIndex, change.field,
                                   change.newText, codec));
        const bool lastOfString =
            k + 1 == plan.changes.size() || plan.changes[k + 1].stringIndex != change.stringIndex;
        if (lastOfString && pendingName != SIZE_MAX) {
            const Change& name = plan.changes[pendingName];
            edits.push_back(EditOf(document, name.stringIndex, 0, name.field, name.newText, codec));
            pendingName = SIZE_MAX;
        }
    }
    return edits;
}

TFieldEdit ChangeEdit(const TWestwoodStrings& document, std::uint32_t stringIndex,
                      std::uint32_t valueIndex, Field field, const std::u16string& text,
                      int codePage) {
    return EditOf(document, stringIndex, valueIndex, field, text, PlainCodec(codePage));
}

std::vector<TFieldEdit> ApplyPlan(TWestwoodStrings& document, const ReplacePlan& plan) {
    std::vector<TFieldEdit> edits = PlanEdits(document, plan);
    document.SwapEdits(edits, false);
    return edits;
}

} // namespace vste::search
