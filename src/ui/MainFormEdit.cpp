// SPDX-License-Identifier: MIT
// Editing: Apply changes, Insert, Delete, Add value and Remove value, each one step of the
// history; Undo and Redo, which show what they touched.
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>

#include <QMetaObject>

#include <algorithm>

#include "ui/AnsiText.h"
#include "ui/Dialogs.h"
#include "ui/DocumentCommands.h"
#include "ui/MainForm.h"
#include "ui/StringsModel.h"
#include "ui/TypedTextGuard.h"

namespace vste::ui {

void TMainForm::SaveButtonClick() {
    if (m_shownReference >= 0) {
        // The row's string is only in the reference: Apply adds it first, then shows it.
        if (applyPendingEdits())
            StringsGridClick();
        return;
    }
    const int bodyIndex = currentBodyIndex();
    const int valueIndex = currentValueIndex();
    if (bodyIndex < 0 || valueIndex < 0)
        return;
    const int row = currentRow();
    const bool sameName = currentString()->Name == nameBoxText();
    if (!applyEdits(bodyIndex, valueIndex) || sameName)
        return;
    const int line = CatsListBox->currentRow();
    fillCategories(line);
    selectRow(row);
}

void TMainForm::InsertButtonClick() {
    if (!m_document)
        return;
    if (StringNameEdit->text().isEmpty() || memoLineCount() == 0) {
        // This message has a single wording, shown under both interface languages.
        showError(QStringLiteral("Невозможно добавить пустую строку!"));
        return;
    }
    if (!TypedTextGuard::confirm(this, *m_dialogs, StringNameEdit->text(), SubStringEdit->text()))
        return;
    const std::string name = nameBoxText();
    const TWestwoodStrings& document = m_document->document();
    push(std::make_unique<InsertStringCommand>(
        *m_document, document.LabelCount(), document.NewString(name, memoValue(), extraBoxText())));
    // The typed text went into the new string.
    rememberShownTexts();

    const int line = CatsListBox->currentRow();
    refillCategoryList();
    bool sameCategory = false;
    if (line >= 0 && static_cast<std::size_t>(line) < CurrentCategories.size()) {
        const std::string& category = CurrentCategories[static_cast<std::size_t>(line)].Name;
        sameCategory =
            name.compare(0, category.size(), category) == 0 && name.find(':') == category.size();
    }
    if (sameCategory) {
        selectCategoryLine(line);
        selectRow(Strings->rows() - 1);
    } else {
        selectCategoryLine(CatsListBox->count() - 1);
        selectRow(0);
    }
}

void TMainForm::DeleteButtonClick() {
    if (!m_document)
        return;
    if (Strings->rows() == 1 && CatsListBox->count() == 1) {
        // Nothing changes, so nothing is left unsaved.
        showError(chooseText(QT_TR_NOOP("String Table must containe one string!")));
        return;
    }
    const int bodyIndex = currentBodyIndex();
    if (bodyIndex < 0)
        return;
    const int row = currentRow();
    const int rowsBefore = Strings->rows();
    push(std::make_unique<DeleteStringCommand>(*m_document, static_cast<std::uint32_t>(bodyIndex)));
    // What the boxes hold went with the string.
    m_shownString = -1;

    const int line = CatsListBox->currentRow();
    refillCategoryList();
    // When the deleted string was its category's only one, the category is gone: the one
    // above it is shown.
    selectCategoryLine(rowsBefore > 1 ? line : std::max(0, line - 1));
    selectRow(std::max(0, row - 1));
}

void TMainForm::AddValueButtonClick() {
    const int bodyIndex = currentBodyIndex();
    if (bodyIndex < 0 || !leaveShownString())
        return;
    push(std::make_unique<ValueCountCommand>(*m_document, static_cast<std::uint32_t>(bodyIndex),
                                             true));
    const int n = static_cast<int>(currentString()->ValueCount());
    {
        const QSignalBlocker blocker(ValuesSpinEdit);
        ValuesSpinEdit->setMaximum(n);
    }
    setMemoValue({});
    ValuesSpinEdit->setValue(n);
    updateValuesNumberLabel();
    ValuesSpinEdit->setEnabled(true);
    RemoveValueButton->setEnabled(true);
}

void TMainForm::RemoveValueButtonClick() {
    const TText* text = currentString();
    if (!text || text->ValueCount() <= 1 || !leaveShownString())
        return;
    const int shown = ValuesSpinEdit->value();
    push(std::make_unique<ValueCountCommand>(
        *m_document, static_cast<std::uint32_t>(currentBodyIndex()), false));
    const int n = static_cast<int>(currentString()->ValueCount());
    {
        const QSignalBlocker blocker(ValuesSpinEdit);
        ValuesSpinEdit->setMaximum(n);
        ValuesSpinEdit->setValue(n);
    }
    if (shown != n)
        ValuesSpinEditChange();
    if (n == 1) {
        RemoveValueButton->setEnabled(false);
        ValuesSpinEdit->setEnabled(false);
    }
    updateValuesNumberLabel();
}

void TMainForm::UndoClick() {
    if (QWidget* box = typingToUndo(false))
        QMetaObject::invokeMethod(box, "undo");
    else if (m_document)
        m_document->undoStack().undo();
    updateUndoActions();
}

void TMainForm::RedoClick() {
    if (QWidget* box = typingToUndo(true))
        QMetaObject::invokeMethod(box, "redo");
    else if (m_document)
        m_document->undoStack().redo();
    updateUndoActions();
}

void TMainForm::documentChanged(const DocumentTouch& touch, bool fromHistory) {
    KeepCategories(CurrentCategories, m_document->document(), touch);
    if (fromHistory)
        showTouched(touch);
}

int TMainForm::rowShowing(int index) {
    int row = Strings->rowOf(index);
    if (row < 0 && CatsListBox->currentRow() >= 0) {
        emit filterHidesString();
        row = Strings->rowOf(index);
    }
    return row;
}

// Selects the category, row and value that an undo or redo touched; when it touched no string
// in particular, the shown category stays.
void TMainForm::showTouched(const DocumentTouch& touch) {
    const TWestwoodStrings& document = m_document->document();
    const int line = CatsListBox->currentRow();
    if (touch.structure)
        refillCategoryList();
    if (touch.stringIndex < 0 ||
        static_cast<std::size_t>(touch.stringIndex) >= document.Body.size()) {
        selectCategoryLine(std::max(0, line));
        return;
    }
    for (std::size_t k = 0; k < CurrentCategories.size(); ++k) {
        const TIDs& ids = CurrentCategories[k].IDs;
        const auto found = std::find(ids.begin(), ids.end(), touch.stringIndex);
        if (found == ids.end())
            continue;
        if (touch.structure || static_cast<int>(k) != line)
            selectCategoryLine(static_cast<int>(k));
        // The filter may show fewer rows than the category holds.
        const int row = rowShowing(touch.stringIndex);
        selectRow(row);
        StringsGridClick();
        const TText& text = document.Body[static_cast<std::size_t>(touch.stringIndex)];
        if (touch.valueIndex > 0 && static_cast<std::size_t>(touch.valueIndex) < text.Values.size())
            ValuesSpinEdit->setValue(touch.valueIndex + 1);
        if (!touch.valueCount && static_cast<std::size_t>(touch.valueIndex) < text.Values.size())
            Strings->setValueText(
                row, U16ToQString(text.Values[static_cast<std::size_t>(touch.valueIndex)].Value));
        return;
    }
}

} // namespace vste::ui
