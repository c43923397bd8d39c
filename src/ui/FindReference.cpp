// SPDX-License-Identifier: MIT
// Find and Replace over the reference column: the reference's values are searched beside each
// string they are paired with, and listed as matches of that string that Replace leaves alone.
// Also selecting a match's text, in the editor or in the reference value.
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <algorithm>

#include "ui/FilterBar.h"
#include "ui/FindController.h"
#include "ui/FindPanel.h"
#include "ui/FindResultsModel.h"
#include "ui/MainForm.h"
#include "ui/ReferenceTable.h"
#include "ui/ReferenceWorkbench.h"

namespace vste::ui {

void FindController::attachReference(const search::SearchOptions& options) {
    ReferenceWorkbench* workbench = m_form.workbench();
    if (!options.inReference || !workbench || !workbench->reference().isOpen() || !m_watched)
        return;
    const TWestwoodStrings& reference = *workbench->reference().document();
    m_results->setReference(&reference.Body, workbench->filter().state().referencePairs());
    m_finder->setReference(reference, m_results->referencePairs());
}

void FindController::setReference(const TWestwoodStrings* reference) {
    m_panel->InReferenceBox->setEnabled(reference != nullptr);
    if (!m_results->reference())
        return;
    // The listed matches in the reference name strings of the table that was there before.
    if (m_job != Job::None)
        finishJob({});
    m_results->reset(m_watched ? &m_watched->document() : nullptr, m_form.CurrentCategories,
                     m_results->codePage());
    m_current = -1;
    m_listed = false;
    updateCount(tr("The reference changed; search again."));
}

void FindController::selectMatch(const search::Match& match) {
    const auto start = static_cast<int>(match.start16);
    const auto length = static_cast<int>(match.length16);
    QWidget* box = nullptr;
    if (match.field == search::Field::Name) {
        m_form.StringNameEdit->setSelection(start, length);
        box = m_form.StringNameEdit;
    } else if (match.field == search::Field::Extra) {
        m_form.SubStringEdit->setSelection(start, length);
        box = m_form.SubStringEdit;
    } else {
        QPlainTextEdit* editor =
            match.inReference ? m_form.workbench()->referenceValueEdit() : m_form.EditorMemo;
        QTextCursor cursor(editor->document());
        const int last = editor->document()->characterCount() - 1;
        cursor.setPosition(std::clamp(start, 0, last));
        cursor.setPosition(std::clamp(start + length, 0, last), QTextCursor::KeepAnchor);
        editor->setTextCursor(cursor);
        editor->ensureCursorVisible();
        box = editor;
    }
    // Find next and Find previous go on in the editor, the match selected where it is; a result
    // chosen in the list leaves the focus in the list.
    if (m_focusMatch && box->isEnabled())
        box->setFocus(Qt::OtherFocusReason);
    m_focusMatch = false;
}

} // namespace vste::ui
