// SPDX-License-Identifier: MIT
// Editing: Apply changes, Insert, Delete, Add value and Remove value.
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>

#include "core/EmpireAtWarStrings.h"
#include "ui/AnsiText.h"
#include "ui/Dialogs.h"
#include "ui/MainForm.h"
#include "ui/StringsModel.h"

namespace vste::ui {

// Byte 0 marks an extra value ('W') or none (' '); the letters follow the file version.
Tag4 TMainForm::editorValueTag(bool lowerCaseLetters) const {
    const bool extra = !SubStringEdit->text().isEmpty();
    return Tag4{static_cast<std::uint8_t>(extra ? 'W' : ' '),
                static_cast<std::uint8_t>(lowerCaseLetters ? 'r' : 'R'),
                static_cast<std::uint8_t>(lowerCaseLetters ? 't' : 'T'),
                static_cast<std::uint8_t>('S')};
}

void TMainForm::SaveButtonClick() {
    const int bodyIndex = currentBodyIndex();
    const int valueIndex = currentValueIndex();
    if (bodyIndex < 0 || valueIndex < 0)
        return;
    const int row = currentRow();
    const std::string name = nameBoxText();
    TText& text = CurrentDocument->Body[static_cast<std::size_t>(bodyIndex)];
    const bool sameName = text.Name == name;
    if (!sameName) {
        // An Empire at War string is looked up by a key made from its name: renaming keeps it
        // in step, and the value tag below must not overwrite it.
        if (auto* keyed = dynamic_cast<TEmpireAtWarStrings*>(CurrentDocument.get()))
            keyed->RenameString(static_cast<std::uint32_t>(bodyIndex), name);
        else
            text.Name = name;
    }
    TTextContainer& value = text.Values[static_cast<std::size_t>(valueIndex)];
    value.Value = memoValue();
    if (DocumentFormat != 3)
        value.Tag = editorValueTag(CurrentDocument->Version == 2);
    value.ExtraValue = extraBoxText();

    if (sameName) {
        Strings->setValueText(row, U16ToQString(value.Value));
    } else {
        CurrentCategories = CurrentDocument->GetCategories();
        const int line = CatsListBox->currentRow();
        fillCategories(line);
        selectRow(row);
    }
    ChangesSaved = 0;
}

void TMainForm::InsertButtonClick() {
    if (!CurrentDocument)
        return;
    if (StringNameEdit->text().isEmpty() || memoLineCount() == 0) {
        // This message has a single wording, shown under both interface languages.
        showError(QStringLiteral("Невозможно добавить пустую строку!"));
        return;
    }
    TText text;
    text.Name = nameBoxText();
    TTextContainer value;
    value.Tag = editorValueTag(CurrentDocument->Version != 3);
    value.ExtraValue = extraBoxText();
    value.Value = memoValue();
    text.Values.push_back(std::move(value));
    const std::string name = text.Name;
    CurrentDocument->AddString(std::move(text));

    CurrentCategories = CurrentDocument->GetCategories();
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
    ChangesSaved = 0;
}

void TMainForm::DeleteButtonClick() {
    if (!CurrentDocument)
        return;
    if (Strings->rows() == 1 && CatsListBox->count() == 1) {
        showError(chooseText(QT_TR_NOOP("String Table must containe one string!")));
        ChangesSaved = 0;
        return;
    }
    const int bodyIndex = currentBodyIndex();
    if (bodyIndex < 0)
        return;
    const int row = currentRow();
    const int rowsBefore = Strings->rows();
    CurrentDocument->DeleteString(static_cast<std::uint32_t>(bodyIndex));

    CurrentCategories = CurrentDocument->GetCategories();
    const int line = CatsListBox->currentRow();
    refillCategoryList();
    // When the deleted string was its category's only one, the category is gone: the one
    // above it is shown.
    selectCategoryLine(rowsBefore > 1 ? line : std::max(0, line - 1));
    selectRow(std::max(0, row - 1));
    ChangesSaved = 0;
}

void TMainForm::AddValueButtonClick() {
    TText* text = currentString();
    if (!text)
        return;
    const int n = static_cast<int>(text->ValueCount()) + 1;
    {
        const QSignalBlocker blocker(ValuesSpinEdit);
        ValuesSpinEdit->setMaximum(n);
    }
    CurrentDocument->StringCount += 1;
    TTextContainer value;
    value.Tag = kValueTagV3;
    text->Values.push_back(std::move(value));
    setMemoValue({});
    ValuesSpinEdit->setValue(n);
    updateValuesNumberLabel();
    ValuesSpinEdit->setEnabled(true);
    RemoveValueButton->setEnabled(true);
}

void TMainForm::RemoveValueButtonClick() {
    TText* text = currentString();
    if (!text || text->ValueCount() <= 1)
        return;
    const int n = static_cast<int>(text->ValueCount()) - 1;
    const int shown = ValuesSpinEdit->value();
    {
        const QSignalBlocker blocker(ValuesSpinEdit);
        ValuesSpinEdit->setMaximum(n);
        ValuesSpinEdit->setValue(n);
    }
    CurrentDocument->StringCount -= 1;
    text->Values.pop_back();
    if (shown != n)
        ValuesSpinEditChange();
    if (n == 1) {
        RemoveValueButton->setEnabled(false);
        ValuesSpinEdit->setEnabled(false);
    }
    updateValuesNumberLabel();
}

} // namespace vste::ui
