// SPDX-License-Identifier: MIT
// Browsing: the categories list, the string grid, the value editor and the quick searches.
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolButton>

#include <algorithm>

#include "ui/AnsiText.h"
#include "ui/MainForm.h"
#include "ui/StringsModel.h"
#include "ui/ValueBox.h"

namespace vste::ui {

void TMainForm::refillCategoryList() {
    const QSignalBlocker blocker(CatsListBox);
    CatsListBox->clear();
    QStringList names;
    names.reserve(static_cast<qsizetype>(CurrentCategories.size()));
    for (const TCategory& category : CurrentCategories)
        names << AnsiToQString(category.Name);
    CatsListBox->addItems(names);
}

void TMainForm::fillCategories(int selectLine) {
    refillCategoryList();
    selectCategoryLine(selectLine);
}

void TMainForm::selectCategoryLine(int line) {
    {
        const QSignalBlocker blocker(CatsListBox);
        const int count = CatsListBox->count();
        CatsListBox->setCurrentRow(count == 0 ? -1 : std::clamp(line, 0, count - 1));
    }
    CatsListBoxClick();
}

void TMainForm::CatsListBoxClick() {
    if (!leaveShownString()) {
        const QSignalBlocker blocker(CatsListBox);
        CatsListBox->setCurrentRow(m_shownLine);
        return;
    }
    const int k = CatsListBox->currentRow();
    if (!m_document || k < 0 || static_cast<std::size_t>(k) >= CurrentCategories.size()) {
        Strings->clear();
        StringsGroupBox->setTitle(tr("Strings"));
        clearEditor();
        return;
    }
    const TCategory& category = CurrentCategories[static_cast<std::size_t>(k)];
    Strings->setRows(&m_document->document(), category.IDs);
    StringsGroupBox->setTitle(
        chooseText(QT_TR_NOOP("Strings of [%1]")).arg(AnsiToQString(category.Name)));
    if (Strings->rows() == 0) {
        clearEditor();
        return;
    }
    {
        // Selecting row 0 must show its string even when the view kept it current.
        const QSignalBlocker blocker(StringsGrid->selectionModel());
        StringsGrid->selectionModel()->clearCurrentIndex();
    }
    selectRow(0);
}

void TMainForm::selectRow(int row, int column) {
    const int rows = Strings->rows();
    if (rows == 0) {
        clearEditor();
        return;
    }
    const QModelIndex index = Strings->index(std::clamp(row, 0, rows - 1), column);
    if (StringsGrid->currentIndex() == index)
        return;
    StringsGrid->setCurrentIndex(index);
    StringsGrid->scrollTo(index);
}

int TMainForm::currentRow() const {
    const QModelIndex index = StringsGrid->currentIndex();
    return index.isValid() ? index.row() : -1;
}

int TMainForm::currentBodyIndex() const {
    const int index = Strings->bodyIndex(currentRow());
    if (!m_document || index < 0 ||
        static_cast<std::size_t>(index) >= m_document->document().Body.size())
        return -1;
    return index;
}

const TText* TMainForm::currentString() const {
    const int index = currentBodyIndex();
    return index < 0 ? nullptr : &m_document->document().Body[static_cast<std::size_t>(index)];
}

int TMainForm::currentValueIndex() const {
    const int index = currentBodyIndex();
    if (index < 0)
        return -1;
    const TText& text = m_document->document().Body[static_cast<std::size_t>(index)];
    if (text.Values.empty())
        return -1;
    return std::clamp(ValuesSpinEdit->value(), 1, static_cast<int>(text.ValueCount())) - 1;
}

void TMainForm::clearEditor() {
    {
        const QSignalBlocker blocker(ValuesSpinEdit);
        ValuesSpinEdit->setValue(1);
        ValuesSpinEdit->setMaximum(1);
    }
    ValuesSpinEdit->setEnabled(false);
    RemoveValueButton->setEnabled(false);
    updateValuesNumberLabel();
    StringNameEdit->clear();
    setMemoValue({});
    SubStringEdit->clear();
    m_shownString = -1;
    m_shownValue = -1;
    m_nameShownText.clear();
    m_extraShownText.clear();
    m_shownReference = -1;
}

void TMainForm::StringsGridClick() {
    const TText* text = currentString();
    if (!text) {
        clearEditor();
        showReferenceRow(Strings->referenceRow(currentRow()));
        return;
    }
    const int n = std::max(1, static_cast<int>(text->ValueCount()));
    {
        const QSignalBlocker blocker(ValuesSpinEdit);
        ValuesSpinEdit->setValue(1);
        ValuesSpinEdit->setMaximum(n);
    }
    ValuesSpinEdit->setEnabled(n > 1);
    RemoveValueButton->setEnabled(n > 1);
    updateValuesNumberLabel();
    showValue(*text, 0);
}

void TMainForm::ValuesSpinEditChange() {
    if (!currentString())
        return;
    const int valueIndex = currentValueIndex();
    // Text typed for the value shown goes with that value before another is shown.
    if (valueIndex != m_shownValue && m_shownValue >= 0 && !leaveShownString()) {
        const QSignalBlocker blocker(ValuesSpinEdit);
        ValuesSpinEdit->setValue(m_shownValue + 1);
        return;
    }
    const TText* text = currentString();
    if (text && valueIndex >= 0)
        showValue(*text, valueIndex);
}

void TMainForm::showValue(const TText& text, int valueIndex) {
    StringNameEdit->setText(AnsiToQString(text.Name));
    m_nameShownText = StringNameEdit->text();
    m_shownString = static_cast<int>(&text - m_document->document().Body.data());
    m_shownValue = valueIndex;
    m_shownReference = -1;
    m_shownLine = CatsListBox->currentRow();
    if (valueIndex < 0 || static_cast<std::size_t>(valueIndex) >= text.Values.size()) {
        setMemoValue({});
        SubStringEdit->clear();
        m_extraShownText.clear();
        return;
    }
    const TTextContainer& value = text.Values[static_cast<std::size_t>(valueIndex)];
    setMemoValue(value.Value);
    SubStringEdit->setText(AnsiToQString(value.ExtraValue));
    m_extraShownText = SubStringEdit->text();
}

void TMainForm::setMemoValue(const std::u16string& value) {
    EditorMemo->setPlainText(ValueBoxText(value));
    m_memoValue = value;
    m_memoShownText = EditorMemo->document()->toRawText();
}

// The memo's lines without an empty last line, joined with LF. An untouched memo gives the value
// it was filled with, whatever characters the text widget would have changed (paragraph
// separators, the shown carriage return sign, a trailing line feed).
std::u16string TMainForm::memoValue() const {
    QString text = EditorMemo->document()->toRawText();
    if (text == m_memoShownText)
        return m_memoValue;
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(kShownCarriageReturn, QLatin1Char('\r'));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return QStringToU16(text);
}

int TMainForm::memoLineCount() const {
    const QTextDocument* document = EditorMemo->document();
    int lines = document->blockCount();
    if (document->lastBlock().text().isEmpty())
        --lines;
    return lines;
}

std::string TMainForm::nameBoxText() const {
    return QStringToAnsi(StringNameEdit->text());
}

std::string TMainForm::extraBoxText() const {
    return QStringToAnsi(SubStringEdit->text());
}

void TMainForm::QuickNameSearchEditChange() {
    quickSearch(0, QuickNameSearchEdit->text());
}

void TMainForm::QuickStringSearchEditChange() {
    quickSearch(1, QuickStringSearchEdit->text());
}

void TMainForm::quickSearch(int column, const QString& query) {
    const int row = Strings->findRow(column, query);
    if (row >= 0)
        selectRow(row, column);
}

} // namespace vste::ui
