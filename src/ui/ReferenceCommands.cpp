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
    for (std::size_t k = m_strings.size(); k-- > 0;) {
        // The values past the first, then the string, as redo added them.
        const std::uint32_t at = table.LabelCount() - 1;
        std::vector<TTextContainer> more;
        while (table.Body[at].Values.size() > 1)
            more.push_back(table.TakeLastValue(at));
        m_strings[k] = table.ExtractString(at);
        std::move(more.rbegin(), more.rend(), std::back_inserter(m_strings[k].Values));
    }
    m_document.notifyChanged({-1, 0, true});
}

ReplaceStringsCommand::ReplaceStringsCommand(OpenDocument& document, const char* text,
                                             TCSFBody body,
                                             std::function<void(bool replaced)> afterSwap)
    : DocumentCommand(document, text), m_body(std::move(body)), m_afterSwap(std::move(afterSwap)) {}

void ReplaceStringsCommand::swap(bool replaced) {
    doc().SwapStrings(m_body);
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
        TTextContainer value;
        value.Value = original.Values[k].Value;
        value.ExtraValue = original.Values[k].ExtraValue;
        value.Tag =
            TWestwoodStrings::AppendedValueTag(&text.Values.back(), !value.ExtraValue.empty());
        text.Values.push_back(std::move(value));
    }
    return text;
}

} // namespace vste::ui
