// SPDX-License-Identifier: MIT
#include "ui/CompareCommands.h"

#include <utility>

namespace vste::ui {

namespace {

class TakeValuesCommand : public DocumentCommand {
public:
    TakeValuesCommand(OpenDocument& document, const char* text, TValuesSwap swap)
        : DocumentCommand(document, text), m_swap(std::move(swap)) {}
    void redo() override { exchange(); }
    void undo() override { exchange(); }

private:
    void exchange() {
        doc().SwapValues(m_swap, true);
        DocumentTouch touch;
        touch.stringIndex =
            m_swap.StringIndexes.empty() ? -1 : static_cast<int>(m_swap.StringIndexes.front());
        touch.strings = m_swap.StringIndexes;
        m_document.notifyChanged(touch);
    }
    TValuesSwap m_swap;
};

std::vector<TTextContainer> TakenValues(const TWestwoodStrings& document, std::uint32_t index,
                                        const TText& theirs) {
    const TText& mine = document.Body[index];
    std::vector<TTextContainer> values;
    for (std::uint32_t k = 0; k < theirs.Values.size(); ++k) {
        const TTextContainer& source = theirs.Values[k];
        TTextContainer value;
        value.Value = source.Value;
        value.ExtraValue = source.ExtraValue;
        if (k < mine.Values.size()) {
            for (const TFieldEdit& edit :
                 document.SetValueEdits(index, k, source.Value, source.ExtraValue))
                value.Tag = edit.Tag;
        } else {
            value.Tag = TWestwoodStrings::AppendedValueTag(
                values.empty() ? nullptr : &values.back(), !value.ExtraValue.empty());
        }
        values.push_back(std::move(value));
    }
    return values;
}

} // namespace

std::unique_ptr<QUndoCommand> MakeTakeValuesCommand(OpenDocument& document,
                                                    const TWestwoodStrings& other,
                                                    const std::vector<ChangedString>& pairs,
                                                    const char* text) {
    const TWestwoodStrings& table = document.document();
    TValuesSwap swap;
    for (const ChangedString& pair : pairs) {
        const TText& theirs = other.Body[pair.b];
        // Every string keeps at least one value.
        if (theirs.Values.empty())
            continue;
        swap.StringIndexes.push_back(pair.a);
        swap.Values.push_back(TakenValues(table, pair.a, theirs));
    }
    return std::make_unique<TakeValuesCommand>(document, text, std::move(swap));
}

} // namespace vste::ui
