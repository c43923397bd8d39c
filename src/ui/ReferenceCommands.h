// SPDX-License-Identifier: MIT
// The workbench's changes to the document, each one step of its history: strings appended from
// the reference, and the whole table replaced by a translation update.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/Model.h"
#include "ui/DocumentCommands.h"

namespace vste::ui {

// Appends strings at the end of the table; undo takes them off again.
class AppendStringsCommand : public DocumentCommand {
public:
    AppendStringsCommand(OpenDocument& document, const char* text, std::vector<TText> strings);
    void redo() override;
    void undo() override;

private:
    std::vector<TText> m_strings;
};

// Replaces every string (the header's string count following); undo and redo exchange the two
// sides.
// `afterSwap`, when given, is told after each exchange whether the new strings are in place
// (true after redo), for what the window keeps beside them.
class ReplaceStringsCommand : public DocumentCommand {
public:
    ReplaceStringsCommand(OpenDocument& document, const char* text, TCSFBody body,
                          std::function<void(bool replaced)> afterSwap = {});
    void redo() override { swap(true); }
    void undo() override { swap(false); }

private:
    void swap(bool replaced);
    TCSFBody m_body;
    std::function<void(bool replaced)> m_afterSwap;
};

// `original` as a new string of `document`: the name and every value with its extra value,
// tagged as Insert tags a new string (values past the first only where `severalValues`).
TText StringLike(const TWestwoodStrings& document, const TText& original, bool severalValues);

} // namespace vste::ui
