// SPDX-License-Identifier: MIT
// The filter above the string grid while a reference is open (or strings await review): which
// strings of a category the grid shows, with the count of each choice, the category list's
// counts, and Add missing from reference.
#pragma once

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/FilterState.h"
#include "ui/OpenDocument.h"

class QAction;
class QComboBox;
class QEvent;
class QLabel;
class QPushButton;
class QWidget;

namespace vste::ui {

class ReferenceTable;
class TMainForm;

class FilterController final : public QObject {
    Q_OBJECT

public:
    FilterController(TMainForm& form, ReferenceTable& reference);

    QWidget* bar() const { return m_bar; }
    QComboBox* combo() const { return m_combo; }
    QAction* addMissingAction() const { return m_addMissing; }

    FilterKind filter() const { return m_filter; }
    void setFilter(FilterKind kind);
    // The filter's data for the open document, brought up to date.
    FilterState& state();
    // Notices another open document: forgets what awaited review in the one before.
    void followDocument();
    // Inserts every reference string the document lacks, as one step; returns how many.
    int addMissing();
    // Inserts reference string `referenceIndex` at the end of the document as Add missing does,
    // as one step; its Body index, or -1 when the document cannot take it.
    int addFromReference(std::uint32_t referenceIndex);
    // Adds the "Needs review" choice holding these strings and shows them.
    void markForReview(const std::vector<std::string>& names);
    // Takes these strings off the "Needs review" choice, as an undone update does.
    void forgetReview(const std::vector<std::string>& names);
    // The reference opened or closed.
    void referenceChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void retranslate();
    void updateVisibility();
    void updateCounts();
    // Shows beside each category how many of its strings the filter keeps and hides those with
    // none; `keepCurrent` keeps the current category shown (after an edit made there).
    void decorateCategories(bool keepCurrent = false);
    void showCategoryAgain();
    void rowsFor(const TIDs& ids, TIDs& rows, std::vector<std::uint32_t>& referenceRows);
    void documentChanged(const DocumentTouch& touch, bool fromHistory);

    TMainForm& m_form;
    ReferenceTable& m_reference;
    QPointer<OpenDocument> m_document;
    FilterState m_state;
    FilterKind m_filter = FilterKind::All;
    bool m_countsPending = false;
    QWidget* m_bar = nullptr;
    QLabel* m_label = nullptr;
    QComboBox* m_combo = nullptr;
    QPushButton* m_addMissingButton = nullptr;
    QAction* m_addMissing = nullptr;
};

} // namespace vste::ui
