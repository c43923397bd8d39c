// SPDX-License-Identifier: MIT
// Rows of reference strings the document lacks ("Only in reference"): the editor shows the
// string's name for a translation to be typed, and applying that translation adds the string
// first, as Add missing from reference would, when the user agrees.
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextDocument>

#include "ui/AnsiText.h"
#include "ui/FilterBar.h"
#include "ui/MainForm.h"
#include "ui/ReferenceTable.h"
#include "ui/ReferenceWorkbench.h"
#include "ui/StringsModel.h"

namespace vste::ui {

namespace {

const TText* ReferenceString(ReferenceWorkbench* workbench, int referenceIndex) {
    const TWestwoodStrings* reference = workbench ? workbench->reference().document() : nullptr;
    if (!reference || referenceIndex < 0 ||
        static_cast<std::size_t>(referenceIndex) >= reference->Body.size())
        return nullptr;
    return &reference->Body[static_cast<std::size_t>(referenceIndex)];
}

} // namespace

void TMainForm::showReferenceRow(int referenceIndex) {
    const TText* original = ReferenceString(m_workbench, referenceIndex);
    if (!original || !m_document)
        return;
    StringNameEdit->setText(AnsiToQString(original->Name));
    SubStringEdit->setText(
        original->Values.empty() ? QString() : AnsiToQString(original->Values.front().ExtraValue));
    m_nameShownText = StringNameEdit->text();
    m_extraShownText = SubStringEdit->text();
    m_shownReference = referenceIndex;
    m_shownLine = CatsListBox->currentRow();
}

bool TMainForm::addShownReference() {
    const TText* original = ReferenceString(m_workbench, m_shownReference);
    const int row = Strings->rowOfReference(m_shownReference);
    if (!original || row < 0 || !m_document)
        return false;
    // Formats without Insert cannot take the string: the box then only explains.
    QStringList actions;
    if (m_document->format().canInsertDelete)
        actions << tr("Add missing");
    const int choice = m_dialogs->choose(
        this, tr("This string is only in the reference table; add it to the document first."),
        AnsiToQString(original->Name), actions, tr("Cancel"));
    if (choice != 0)
        return false;
    const QString name = AnsiToQString(original->Name);
    const int index =
        m_workbench->filter().addFromReference(static_cast<std::uint32_t>(m_shownReference));
    if (index < 0)
        return false;
    // The row shows the document's new string from now on; the typed text stays in the boxes.
    Strings->adoptReferenceRow(row, index);
    m_shownReference = -1;
    m_shownString = index;
    m_shownValue = 0;
    setStatusText(tr("Added from the reference: %1").arg(name));
    return true;
}

} // namespace vste::ui
