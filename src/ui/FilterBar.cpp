// SPDX-License-Identifier: MIT
#include "ui/FilterBar.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "ui/AnsiText.h"
#include "ui/MainForm.h"
#include "ui/ReferenceCommands.h"
#include "ui/ReferenceTable.h"
#include "ui/StringsModel.h"

namespace vste::ui {

namespace {

struct Choice {
    FilterKind kind;
    const char* text;
};

const Choice kChoices[] = {
    {FilterKind::All, QT_TRANSLATE_NOOP("vste::ui::FilterController", "All")},
    {FilterKind::Untranslated, QT_TRANSLATE_NOOP("vste::ui::FilterController", "Untranslated")},
    {FilterKind::Differs,
     QT_TRANSLATE_NOOP("vste::ui::FilterController", "Differs in placeholders or line breaks")},
    {FilterKind::MissingInReference,
     QT_TRANSLATE_NOOP("vste::ui::FilterController", "Missing in reference")},
    {FilterKind::OnlyInReference,
     QT_TRANSLATE_NOOP("vste::ui::FilterController", "Only in reference")},
    {FilterKind::NeedsReview, QT_TRANSLATE_NOOP("vste::ui::FilterController", "Needs review")},
};

} // namespace

FilterController::FilterController(TMainForm& form, ReferenceTable& reference)
    : QObject(&form), m_form(form), m_reference(reference) {
    setObjectName(QStringLiteral("FilterController"));
    m_bar = new QWidget(form.RightGroupBox);
    m_bar->setObjectName(QStringLiteral("FilterBar"));
    auto* layout = new QHBoxLayout(m_bar);
    layout->setContentsMargins(8, 0, 8, 0);
    m_label = new QLabel(m_bar);
    m_label->setObjectName(QStringLiteral("FilterLabel"));
    m_combo = new QComboBox(m_bar);
    m_combo->setObjectName(QStringLiteral("FilterCombo"));
    m_combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_label->setBuddy(m_combo);
    m_addMissing = new QAction(this);
    m_addMissing->setObjectName(QStringLiteral("AddMissingFromReference"));
    m_addMissingButton = new QPushButton(m_bar);
    m_addMissingButton->setObjectName(QStringLiteral("AddMissingButton"));
    layout->addWidget(m_label);
    layout->addWidget(m_combo);
    layout->addStretch(1);
    layout->addWidget(m_addMissingButton);
    if (auto* right = qobject_cast<QBoxLayout*>(form.RightGroupBox->layout()))
        right->insertWidget(0, m_bar);
    m_bar->installEventFilter(this);

    connect(m_combo, &QComboBox::activated, this, [this](int index) {
        setFilter(static_cast<FilterKind>(m_combo->itemData(index).toInt()));
    });
    connect(m_addMissing, &QAction::triggered, this, [this] { addMissing(); });
    // Going to a string the filter hides shows every string again.
    connect(&form, &TMainForm::filterHidesString, this, [this] { setFilter(FilterKind::All); });
    connect(m_addMissingButton, &QPushButton::clicked, this, [this] { addMissing(); });
    // The window refills the list after every change of names; the counts go on again.
    connect(form.CatsListBox->model(), &QAbstractItemModel::rowsInserted, this,
            [this] { decorateCategories(); });
    form.Strings->setRowSource(
        [this](const TIDs& ids, TIDs& rows, std::vector<std::uint32_t>& referenceRows) {
            rowsFor(ids, rows, referenceRows);
        });
    retranslate();
    updateVisibility();
}

void FilterController::followDocument() {
    OpenDocument* open = m_form.openDocument();
    if (open == m_document.data())
        return;
    // Another document: what awaited review belonged to the one before.
    m_state.reset();
    m_document = open;
    if (m_filter == FilterKind::NeedsReview)
        m_filter = FilterKind::All;
    if (open)
        connect(open, &OpenDocument::changed, this, &FilterController::documentChanged);
    QTimer::singleShot(0, this, [this] {
        updateVisibility();
        updateCounts();
    });
}

FilterState& FilterController::state() {
    followDocument();
    if (OpenDocument* open = m_form.openDocument())
        m_state.update(open->document(), m_reference.document(), open->structureChangeCount(),
                       open->changeCount());
    return m_state;
}

void FilterController::rowsFor(const TIDs& ids, TIDs& rows,
                               std::vector<std::uint32_t>& referenceRows) {
    // Showing every string needs no flags: an edit of a million-string table stays quick.
    followDocument();
    if (m_filter == FilterKind::All) {
        rows = ids;
        return;
    }
    FilterState& filterState = state();
    FilterKind kind = m_filter;
    if (kind == FilterKind::NeedsReview && !filterState.hasReview())
        kind = FilterKind::All;
    if (kind == FilterKind::All) {
        rows = ids;
        return;
    }
    if (kind == FilterKind::OnlyInReference) {
        const int line = m_form.CatsListBox->currentRow();
        if (line >= 0 && static_cast<std::size_t>(line) < m_form.CurrentCategories.size())
            referenceRows = filterState.onlyInReferenceOf(
                m_form.CurrentCategories[static_cast<std::size_t>(line)].Name);
        return;
    }
    for (const std::int32_t id : ids)
        if (filterState.keeps(kind, static_cast<std::uint32_t>(id)))
            rows.push_back(id);
}

void FilterController::setFilter(FilterKind kind) {
    m_filter = kind;
    const int index = m_combo->findData(static_cast<int>(kind));
    if (index >= 0)
        m_combo->setCurrentIndex(index);
    decorateCategories();
    showCategoryAgain();
}

// Shows the current category through the filter, or the first one the filter keeps when it
// hides the current one.
void FilterController::showCategoryAgain() {
    QListWidget* list = m_form.CatsListBox;
    int line = list->currentRow();
    if (line < 0 || list->isRowHidden(line)) {
        for (int k = 0; k < list->count(); ++k)
            if (!list->isRowHidden(k)) {
                line = k;
                break;
            }
    }
    if (line >= 0 && line != list->currentRow())
        list->setCurrentRow(line);
    else
        m_form.CatsListBoxClick();
}

void FilterController::decorateCategories(bool keepCurrent) {
    QListWidget* list = m_form.CatsListBox;
    const TCat& categories = m_form.CurrentCategories;
    if (static_cast<std::size_t>(list->count()) != categories.size() || !m_form.openDocument())
        return;
    followDocument();
    FilterKind kind = m_filter;
    FilterState* filterState = kind == FilterKind::All ? nullptr : &state();
    if (kind == FilterKind::NeedsReview && !filterState->hasReview())
        kind = FilterKind::All;
    for (int k = 0; k < list->count(); ++k) {
        const TCategory& category = categories[static_cast<std::size_t>(k)];
        QListWidgetItem* item = list->item(k);
        const QString name = AnsiToQString(category.Name);
        if (kind == FilterKind::All) {
            if (item->text() != name)
                item->setText(name);
            list->setRowHidden(k, false);
            continue;
        }
        std::size_t kept = 0;
        if (kind == FilterKind::OnlyInReference) {
            kept = filterState->onlyInReferenceOf(category.Name).size();
        } else {
            for (const std::int32_t id : category.IDs)
                kept += filterState->keeps(kind, static_cast<std::uint32_t>(id));
        }
        item->setText(QStringLiteral("%1 (%2)").arg(name).arg(kept));
        list->setRowHidden(k, kept == 0 && !(keepCurrent && k == list->currentRow()));
    }
}

void FilterController::updateCounts() {
    m_countsPending = false;
    const bool open = m_form.openDocument() != nullptr;
    FilterState* filterState = open ? &state() : nullptr;
    const bool review = filterState && filterState->hasReview();
    if (m_filter == FilterKind::NeedsReview && !review)
        m_filter = FilterKind::All;
    m_combo->clear();
    for (const Choice& choice : kChoices) {
        if (choice.kind == FilterKind::NeedsReview && !review)
            continue;
        const std::size_t count = filterState ? filterState->count(choice.kind) : 0;
        m_combo->addItem(tr(choice.text) + QStringLiteral(" (%1)").arg(count),
                         static_cast<int>(choice.kind));
    }
    m_combo->setCurrentIndex(std::max(0, m_combo->findData(static_cast<int>(m_filter))));
    const bool canAdd = filterState && m_reference.isOpen() &&
                        m_form.openDocument()->format().canInsertDelete &&
                        !filterState->onlyInReference().empty();
    m_addMissing->setEnabled(canAdd);
    m_addMissingButton->setEnabled(canAdd);
}

void FilterController::updateVisibility() {
    const bool review = m_form.openDocument() && state().hasReview();
    m_bar->setVisible(m_reference.isOpen() || review);
}

void FilterController::referenceChanged() {
    m_state.invalidate();
    if (!m_reference.isOpen() && m_filter != FilterKind::NeedsReview)
        m_filter = FilterKind::All;
    updateVisibility();
    updateCounts();
    decorateCategories();
    if (m_form.openDocument())
        showCategoryAgain();
}

void FilterController::documentChanged(const DocumentTouch& touch, bool fromHistory) {
    OpenDocument* open = m_form.openDocument();
    if (!open)
        return;
    // Applying a value of a string, or taking another table's, is its review.
    if (!fromHistory && m_state.hasReview()) {
        if (!touch.strings.empty())
            m_state.markReviewed(touch.strings);
        else if (touch.stringIndex >= 0)
            m_state.markReviewed({static_cast<std::uint32_t>(touch.stringIndex)});
    }
    // Counting a million strings once after a burst of changes, not once per change.
    if (!m_countsPending && !m_bar->isHidden()) {
        m_countsPending = true;
        QTimer::singleShot(0, this, [this] {
            updateCounts();
            decorateCategories(true);
        });
    }
}

int FilterController::addMissing() {
    OpenDocument* open = m_form.openDocument();
    if (!open || !m_reference.isOpen() || !open->format().canInsertDelete)
        return 0;
    const std::vector<std::uint32_t>& missing = state().onlyInReference();
    if (missing.empty()) {
        m_form.setStatusText([] { return tr("The document has every string of the reference"); });
        return 0;
    }
    std::vector<TText> strings;
    strings.reserve(missing.size());
    const TWestwoodStrings& reference = *m_reference.document();
    for (const std::uint32_t j : missing)
        strings.push_back(
            StringLike(open->document(), reference.Body[j], open->format().severalValues));
    const int added = static_cast<int>(strings.size());
    open->push(new AppendStringsCommand(
        *open, QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Add missing from reference"),
        std::move(strings)));
    m_form.showChange({-1, 0, true});
    m_form.setStatusText(
        [added] { return tr("%n string(s) added from the reference", nullptr, added); });
    return added;
}

int FilterController::addFromReference(std::uint32_t referenceIndex) {
    OpenDocument* open = m_form.openDocument();
    const TWestwoodStrings* reference = m_reference.document();
    if (!open || !reference || !open->format().canInsertDelete ||
        referenceIndex >= reference->Body.size())
        return -1;
    std::vector<TText> strings;
    strings.push_back(StringLike(open->document(), reference->Body[referenceIndex],
                                 open->format().severalValues));
    const auto index = static_cast<int>(open->document().LabelCount());
    open->push(new AppendStringsCommand(
        *open, QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Add missing from reference"),
        std::move(strings)));
    return index;
}

void FilterController::markForReview(const std::vector<std::string>& names) {
    state().markForReview(names);
    updateVisibility();
    updateCounts();
    setFilter(FilterKind::NeedsReview);
}

void FilterController::forgetReview(const std::vector<std::string>& names) {
    state().forgetReview(names);
    updateVisibility();
    updateCounts();
    setFilter(m_filter);
}

void FilterController::retranslate() {
    m_label->setText(tr("Show:"));
    m_addMissing->setText(tr("Add missing from reference"));
    m_addMissingButton->setText(tr("Add missing from reference"));
    updateCounts();
}

bool FilterController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_bar && event->type() == QEvent::LanguageChange)
        retranslate();
    return QObject::eventFilter(watched, event);
}

} // namespace vste::ui
