// SPDX-License-Identifier: MIT
#include "ui/ReferenceWorkbench.h"

#include <QAction>
#include <QBoxLayout>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableView>

#include "compare/TranslationUpdate.h"
#include "ui/AnsiText.h"
#include "ui/CompareController.h"
#include "ui/Dialogs.h"
#include "ui/FilterBar.h"
#include "ui/MainForm.h"
#include "ui/OpenFormats.h"
#include "ui/ReferenceCommands.h"
#include "ui/ReferenceTable.h"
#include "ui/StringsModel.h"
#include "ui/ValueBox.h"

namespace vste::ui {

namespace {

QAction* NewAction(QObject* parent, const char* name) {
    auto* action = new QAction(parent);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

ReferenceWorkbench::ReferenceWorkbench(TMainForm& form)
    : QObject(&form), m_form(form), m_reference(std::make_unique<ReferenceTable>()) {
    setObjectName(QStringLiteral("ReferenceWorkbench"));
    m_box = new QGroupBox(form.RightGroupBox);
    m_box->setObjectName(QStringLiteral("ReferenceBox"));
    auto* boxLayout = new QHBoxLayout(m_box);
    boxLayout->setContentsMargins(8, 4, 8, 4);
    m_valueEdit = new QPlainTextEdit(m_box);
    m_valueEdit->setObjectName(QStringLiteral("ReferenceValueEdit"));
    m_valueEdit->setReadOnly(true);
    m_valueEdit->setFixedHeight(56);
    boxLayout->addWidget(m_valueEdit, 1);
    m_copyButton = new QPushButton(m_box);
    m_copyButton->setObjectName(QStringLiteral("CopyReferenceButton"));
    m_copyButton->setEnabled(false);
    boxLayout->addWidget(m_copyButton, 0, Qt::AlignTop);
    if (auto* right = qobject_cast<QBoxLayout*>(form.RightGroupBox->layout()))
        right->insertWidget(right->indexOf(form.StringBox), m_box);
    m_box->setVisible(false);
    m_box->installEventFilter(this);

    m_status = new QLabel(&form);
    m_status->setObjectName(QStringLiteral("ReferenceStatusLabel"));
    form.statusBar()->addPermanentWidget(m_status);
    m_status->setVisible(false);

    m_open = NewAction(this, "OpenReference");
    m_close = NewAction(this, "CloseReference");
    m_update = NewAction(this, "UpdateTranslation");
    m_close->setEnabled(false);
    m_update->setEnabled(false);
    // Ctrl+B, as translation tools bind copying the source text; no other command uses it.
    m_copy = NewAction(this, "CopyReferenceAction");
    m_copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    m_copy->setEnabled(false);
    connect(m_copy, &QAction::triggered, this, [this] { copyReference(); });
    connect(m_copyButton, &QAbstractButton::clicked, this, [this] { copyReference(); });
    connect(m_open, &QAction::triggered, this, [this] { openReferenceClick(); });
    connect(m_close, &QAction::triggered, this, [this] { closeReference(); });
    connect(m_update, &QAction::triggered, this, [this] { updateTranslationClick(); });

    m_filter = new FilterController(form, *m_reference);
    m_compare = new CompareController(form);
    connect(m_reference.get(), &ReferenceTable::changed, this,
            &ReferenceWorkbench::referenceChanged);
    connect(form.StringsGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { showReferenceValue(); });
    connect(form.ValuesSpinEdit, &QSpinBox::valueChanged, this, [this] { showReferenceValue(); });
    retranslate();
}

ReferenceWorkbench::~ReferenceWorkbench() = default;

void ReferenceWorkbench::addActionsTo(QMenu* file) {
    // Before the separator that sets Exit apart.
    QAction* before = nullptr;
    const QList<QAction*> actions = file->actions();
    for (qsizetype k = actions.size() - 1; k >= 0; --k)
        if (actions[k]->isSeparator()) {
            before = actions[k];
            break;
        }
    file->insertSeparator(before);
    file->insertActions(before, {m_open, m_close, m_compare->action(), m_update});
    // Update needs a document, as Compare does.
    connect(file, &QMenu::aboutToShow, this, [this] {
        const bool open = m_form.openDocument() != nullptr;
        m_update->setEnabled(open);
        m_compare->action()->setEnabled(open);
    });
}

void ReferenceWorkbench::addEditActionsTo(QMenu* edit, QAction* after) {
    const QList<QAction*> actions = edit->actions();
    const qsizetype at = actions.indexOf(after);
    QAction* before = at >= 0 && at + 1 < actions.size() ? actions[at + 1] : nullptr;
    edit->insertAction(before, m_copy);
}

std::optional<std::pair<QString, int>> ReferenceWorkbench::askFile(const QString& caption) {
    const OpenDocument* open = m_form.openDocument();
    const auto choice = m_form.dialogs().openFile(
        &m_form, caption, OpenFilters(),
        StartingName(m_lastFileName, open ? open->fileName() : QString()), m_lastFilterIndex);
    if (!choice)
        return std::nullopt;
    m_lastFileName = choice->fileName;
    m_lastFilterIndex = OpenFilterForFile(choice->fileName, choice->filterIndex);
    return std::make_pair(choice->fileName, m_lastFilterIndex);
}

std::unique_ptr<TWestwoodStrings> ReferenceWorkbench::read(const QString& fileName,
                                                           int filterIndex) {
    return ReadTableFile(m_form.dialogs(), &m_form, fileName, filterIndex);
}

void ReferenceWorkbench::openReferenceClick() {
    if (const auto file = askFile(tr("Open reference table")))
        openReference(file->first, file->second);
}

bool ReferenceWorkbench::openReference(const QString& fileName, int filterIndex) {
    std::unique_ptr<TWestwoodStrings> document = read(fileName, filterIndex);
    if (!document)
        return false;
    m_reference->adopt(std::move(document), fileName, static_cast<DocumentFormat>(filterIndex));
    m_form.setStatusText([] { return tr("Reference opened"); });
    return true;
}

void ReferenceWorkbench::closeReference() {
    m_reference->close();
}

void ReferenceWorkbench::referenceChanged() {
    const bool open = m_reference->isOpen();
    m_close->setEnabled(open);
    m_box->setVisible(open);
    m_status->setVisible(open);
    m_status->setText(open ? tr("Reference: %1").arg(m_reference->fileName()) : QString());
    m_status->setToolTip(m_reference->fileName());
    StringsModel* strings = m_form.Strings;
    if (open)
        strings->setReference(m_reference->document(), [this](std::uint32_t index) {
            return m_filter->state().referenceOf(index);
        });
    else
        strings->setReference(nullptr, {});
    QHeaderView* header = m_form.StringsGrid->horizontalHeader();
    header->setVisible(open);
    if (open)
        m_form.StringsGrid->setColumnWidth(1,
                                           std::max(100, (m_form.StringsGrid->width() - 200) / 2));
    m_filter->referenceChanged();
    showReferenceValue();
}

void ReferenceWorkbench::showReferenceValue() {
    const std::optional<std::u16string> value = currentReferenceValue();
    if (value)
        m_valueEdit->setPlainText(U16ToQString(*value));
    else
        m_valueEdit->clear();
    const bool canCopy = value && m_form.StringBox->isEnabled();
    m_copy->setEnabled(canCopy);
    m_copyButton->setEnabled(canCopy);
}

std::optional<std::u16string> ReferenceWorkbench::currentReferenceValue() const {
    const QModelIndex current = m_form.StringsGrid->currentIndex();
    return referenceValueAt(
        current.isValid() ? current.row() : -1,
        static_cast<std::size_t>(std::max(1, m_form.ValuesSpinEdit->value()) - 1));
}

std::optional<std::u16string> ReferenceWorkbench::referenceValueAt(int row,
                                                                   std::size_t valueIndex) const {
    if (!m_reference->isOpen() || !m_form.openDocument())
        return std::nullopt;
    const TWestwoodStrings& reference = *m_reference->document();
    std::uint32_t j = kNoString;
    if (const int referenceRow = m_form.Strings->referenceRow(row); referenceRow >= 0) {
        j = static_cast<std::uint32_t>(referenceRow);
        valueIndex = 0; // a string only the reference has: its first value
    } else if (const int index = m_form.Strings->bodyIndex(row); index >= 0) {
        j = m_filter->state().referenceOf(static_cast<std::uint32_t>(index));
    }
    if (j >= reference.Body.size() || valueIndex >= reference.Body[j].Values.size())
        return std::nullopt;
    return reference.Body[j].Values[valueIndex].Value;
}

void ReferenceWorkbench::copyReference() {
    const std::optional<std::u16string> value = currentReferenceValue();
    if (!value || !m_form.StringBox->isEnabled())
        return;
    TypeIntoValueBox(*m_form.EditorMemo, *value);
    m_form.EditorMemo->setFocus();
}

void ReferenceWorkbench::updateTranslationClick() {
    const auto oldSource = askFile(tr("Choose the old original"));
    if (!oldSource)
        return;
    const auto newSource = askFile(tr("Choose the new original"));
    if (!newSource)
        return;
    updateTranslation(oldSource->first, oldSource->second, newSource->first, newSource->second);
}

bool ReferenceWorkbench::updateTranslation(const QString& oldSource, int oldFilter,
                                           const QString& newSource, int newFilter) {
    OpenDocument* open = m_form.openDocument();
    if (!open)
        return false;
    const std::unique_ptr<TWestwoodStrings> older = read(oldSource, oldFilter);
    if (!older)
        return false;
    std::unique_ptr<TWestwoodStrings> newer = read(newSource, newFilter);
    if (!newer)
        return false;
    UpdatedTable updated =
        UpdateTranslation(older->Body, newer->Body, open->document(), open->format().id, {});
    const UpdateReport& report = updated.report;
    std::vector<std::string> review;
    for (const std::uint32_t k : report.changed)
        review.push_back(updated.body[k].Name);
    for (const std::uint32_t k : report.added)
        review.push_back(updated.body[k].Name);
    m_reference->adopt(std::move(newer), newSource, static_cast<DocumentFormat>(newFilter));
    // What awaits review belongs to the update: undo takes it away, redo brings it back.
    open->push(new ReplaceStringsCommand(
        *open, QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Update translation"),
        std::move(updated.body),
        [filter = QPointer<FilterController>(m_filter), review](bool replaced) {
            if (!filter)
                return;
            if (replaced)
                filter->markForReview(review);
            else
                filter->forgetReview(review);
        }));
    m_form.showChange({-1, 0, true});
    m_form.setStatusText([kept = report.kept, changed = report.changed.size(),
                          added = report.added.size(), removed = report.removed.size()] {
        return tr("Updated: %1 kept, %2 changed, %3 new, %4 removed")
            .arg(kept)
            .arg(changed)
            .arg(added)
            .arg(removed);
    });
    return true;
}

void ReferenceWorkbench::retranslate() {
    m_box->setTitle(tr("Reference value"));
    m_open->setText(tr("Open reference..."));
    m_close->setText(tr("Close reference"));
    m_update->setText(tr("Update translation..."));
    m_copy->setText(tr("Copy reference"));
    m_copyButton->setText(tr("Copy reference"));
    m_copyButton->setToolTip(tr("Puts the reference value into the value box (%1)")
                                 .arg(m_copy->shortcut().toString(QKeySequence::NativeText)));
    if (m_reference->isOpen())
        m_status->setText(tr("Reference: %1").arg(m_reference->fileName()));
}

bool ReferenceWorkbench::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_box && event->type() == QEvent::LanguageChange)
        retranslate();
    return QObject::eventFilter(watched, event);
}

} // namespace vste::ui
