// SPDX-License-Identifier: MIT
// Typed text is never lost: text typed in the name, value or extra-value box and not applied is
// applied as one Apply step before another string is shown, and Undo and Redo act on a box's
// own typing before the document's history.
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTableView>
#include <QTextDocument>

#include <algorithm>

#include "ui/AnsiText.h"
#include "ui/DocumentCommands.h"
#include "ui/MainForm.h"
#include "ui/StringsModel.h"
#include "ui/TypedTextGuard.h"

namespace vste::ui {

bool TMainForm::hasPendingEdits() const {
    if (!m_document)
        return false;
    // Text typed for a string the document lacks is pending as well: leaving offers to add it.
    if (m_shownReference < 0) {
        if (m_shownString < 0 || m_shownValue < 0)
            return false;
        const TCSFBody& body = m_document->document().Body;
        if (static_cast<std::size_t>(m_shownString) >= body.size() ||
            static_cast<std::size_t>(m_shownValue) >=
                body[static_cast<std::size_t>(m_shownString)].Values.size())
            return false;
    }
    return StringNameEdit->text() != m_nameShownText || SubStringEdit->text() != m_extraShownText ||
           EditorMemo->document()->toRawText() != m_memoShownText;
}

void TMainForm::rememberShownTexts() {
    const std::u16string value = memoValue();
    m_memoValue = value;
    m_memoShownText = EditorMemo->document()->toRawText();
    m_nameShownText = StringNameEdit->text();
    m_extraShownText = SubStringEdit->text();
}

bool TMainForm::applyEdits(int bodyIndex, int valueIndex) {
    if (!TypedTextGuard::confirm(this, *m_dialogs, StringNameEdit->text(), SubStringEdit->text()))
        return false;
    const std::string name = nameBoxText();
    const auto string = static_cast<std::size_t>(bodyIndex);
    const bool sameName = m_document->document().Body[string].Name == name;
    push(MakeApplyCommand(*m_document, static_cast<std::uint32_t>(bodyIndex),
                          static_cast<std::uint32_t>(valueIndex), name, memoValue(),
                          extraBoxText()));
    rememberShownTexts();
    const int row = Strings->rowOf(bodyIndex);
    if (sameName && row >= 0) {
        const TText& text = m_document->document().Body[string];
        Strings->setValueText(
            row, U16ToQString(text.Values[static_cast<std::size_t>(valueIndex)].Value));
    }
    return true;
}

bool TMainForm::applyPendingEdits() {
    if (m_shownReference >= 0) {
        // The string is added first, as its own step; the typed text is then applied to it.
        const bool typed = hasPendingEdits();
        if (!addShownReference())
            return false;
        if (!typed)
            return true;
    }
    const bool renamed =
        m_document->document().Body[static_cast<std::size_t>(m_shownString)].Name != nameBoxText();
    if (!applyEdits(m_shownString, m_shownValue))
        return false;
    if (renamed) {
        // The list names the categories the new name may have made; the line stays.
        const int line = CatsListBox->currentRow();
        refillCategoryList();
        const QSignalBlocker blocker(CatsListBox);
        CatsListBox->setCurrentRow(std::min(line, CatsListBox->count() - 1));
    }
    return true;
}

bool TMainForm::leaveShownString() {
    return !hasPendingEdits() || applyPendingEdits();
}

void TMainForm::gridCurrentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (m_revertingSelection)
        return;
    const int row = current.isValid() ? current.row() : -1;
    // A reference row is a string of its own as well, though not the document's.
    const bool sameString =
        Strings->bodyIndex(row) == m_shownString && Strings->referenceRow(row) == m_shownReference;
    if (!sameString && !leaveShownString()) {
        m_revertingSelection = true;
        StringsGrid->setCurrentIndex(previous);
        m_revertingSelection = false;
        return;
    }
    StringsGridClick();
}

bool TMainForm::moveToString(int step) {
    if (!m_document || !leaveShownString())
        return false;
    int row = currentRow() + step;
    int line = CatsListBox->currentRow();
    while (row < 0 || row >= Strings->rows()) {
        line += step;
        if (line < 0 || line >= CatsListBox->count())
            return false;
        selectCategoryLine(line);
        row = step > 0 ? 0 : Strings->rows() - 1;
    }
    selectRow(row);
    return true;
}

QWidget* TMainForm::typingToUndo(bool redo) const {
    const auto can = [redo](QWidget* box) {
        if (const auto* line = qobject_cast<QLineEdit*>(box))
            return line->isEnabled() && (redo ? line->isRedoAvailable() : line->isUndoAvailable());
        const auto* memo = qobject_cast<QPlainTextEdit*>(box);
        return memo &&
               (redo ? memo->document()->isRedoAvailable() : memo->document()->isUndoAvailable());
    };
    QWidget* focused = focusWidget();
    const std::array<QWidget*, 3> boxes{EditorMemo, StringNameEdit, SubStringEdit};
    if (std::find(boxes.begin(), boxes.end(), focused) != boxes.end() && can(focused))
        return focused;
    for (QWidget* box : boxes)
        if (can(box))
            return box;
    return nullptr;
}

} // namespace vste::ui
