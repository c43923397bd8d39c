// SPDX-License-Identifier: MIT
#include "ui/ReferenceCommands.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace vste::ui {

AppendStringsCommand::AppendStringsCommand(OpenDocument& document, const char* text,
                                           std::vector<TText> strings)
    : DocumentCommand(document, text), m_strings(std::move(strings)) {}

void AppendStringsCommand::redo() {
    TWestwoodStrings& table = doc();
    const auto first = static_cast<int>(table.LabelCount());
    m_stringCountBefore = table.StringCount;
    for (TText& text : m_strings) {
        // A CSF header counts every value, as Add value does.
        std::vector<TTextContainer> more;
        if (text.Values.size() > 1)
            more.assign(std::make_move_iterator(text.Values.begin() + 1),
                        std::make_move_iterator(text.Values.end()));
        text.Values.resize(std::min<std::size_t>(text.Values.size(), 1));
        const std::uint32_t at = table.LabelCount();
        table.InsertString(at, std::move(text));
        for (TTextContainer& value : more)
            table.AddValue(at, std::move(value));
    }
    m_document.notifyChanged({m_strings.empty() ? -1 : first, 0, true});
}

void AppendStringsCommand::undo() {
    TWestwoodStrings& table = doc();
    for (std::size_t k = m_strings.size(); k-- > 0;)
        m_strings[k] = table.ExtractString(table.LabelCount() - 1);
    table.StringCount = m_stringCountBefore;
    m_document.notifyChanged({-1, 0, true});
}

ReplaceStringsCommand::ReplaceStringsCommand(OpenDocument& document, const char* text,
                                             TCSFBody body, std::int32_t stringCount,
                                             std::function<void(bool replaced)> afterSwap)
    : DocumentCommand(document, text), m_body(std::move(body)), m_stringCount(stringCount),
      m_afterSwap(std::move(afterSwap)) {}

void ReplaceStringsCommand::swap(bool replaced) {
    TWestwoodStrings& table = doc();
    std::swap(table.Body, m_body);
    std::swap(table.StringCount, m_stringCount);
    m_document.notifyChanged({-1, 0, true});
    if (m_afterSwap)
        m_afterSwap(replaced);
}

TText StringLike(const TWestwoodStrings& document, const TText& original, bool severalValues) {
    const TTextContainer* first = original.Values.empty() ? nullptr : &original.Values.front();
    TText text = document.NewString(original.Name, first ? first->Value : std::u16string(),
                                    first ? first->ExtraValue : std::string());
    if (!severalValues || text.Values.empty())
        return text;
    for (std::size_t k = 1; k < original.Values.size(); ++k) {
        TTextContainer value = text.Values.front();
        value.Value = original.Values[k].Value;
        value.ExtraValue = original.Values[k].ExtraValue;
        // The extra value mark tells whether an extra value follows, as Apply sets it.
        value.Tag[0] = value.ExtraValue.empty() ? std::uint8_t{0x20} : kExtraValueMark;
        text.Values.push_back(std::move(value));
    }
    return text;
}

} // namespace vste::ui
