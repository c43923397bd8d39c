// SPDX-License-Identifier: MIT
// Find and Replace: the dock, its actions, Find all in slices, and going to a result.
#include "ui/FindController.h"

#include <QAction>
#include <QCheckBox>
#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTextCursor>

#include <algorithm>

#include "core/StringUtils.h"
#include "ui/AnsiText.h"
#include "ui/FindPanel.h"
#include "ui/FindResultsModel.h"
#include "ui/HeaderFit.h"
#include "ui/MainForm.h"
#include "ui/ProgressBarAdapter.h"
#include "ui/ReferenceWorkbench.h"
#include "ui/StringsModel.h"

namespace vste::ui {

namespace {

constexpr std::uint32_t kStringsPerStep = 256;

} // namespace

FindController::FindController(TMainForm& form) : QObject(&form), m_form(form) {
    setObjectName(QStringLiteral("FindController"));
    m_dock = new QDockWidget(&form);
    m_dock->setObjectName(QStringLiteral("FindDock"));
    m_panel = new FindPanel(m_dock);
    m_dock->setWidget(m_panel);
    form.addDockWidget(Qt::BottomDockWidgetArea, m_dock);
    m_dock->hide();

    m_results = new FindResultsModel(this);
    QTableView* view = m_panel->ResultsView;
    view->setModel(m_results);
    view->setItemDelegateForColumn(FindResultsModel::TextColumn, new MatchDelegate(view));
    view->setColumnWidth(FindResultsModel::CategoryColumn, 90);
    view->setColumnWidth(FindResultsModel::NameColumn, 170);
    view->setColumnWidth(FindResultsModel::ValueColumn, 50);
    view->setColumnWidth(FindResultsModel::FieldColumn, 90);

    FindReplaceAction = new QAction(this);
    FindReplaceAction->setObjectName(QStringLiteral("FindReplaceAction"));
    FindReplaceAction->setShortcuts(QKeySequence::keyBindings(QKeySequence::Find) +
                                    QKeySequence::keyBindings(QKeySequence::Replace));
    FindNextAction = new QAction(this);
    FindNextAction->setObjectName(QStringLiteral("FindNextAction"));
    FindNextAction->setShortcuts(QKeySequence::FindNext);
    FindPreviousAction = new QAction(this);
    FindPreviousAction->setObjectName(QStringLiteral("FindPreviousAction"));
    FindPreviousAction->setShortcuts(QKeySequence::FindPrevious);
    connect(FindReplaceAction, &QAction::triggered, this, &FindController::showPanel);
    connect(FindNextAction, &QAction::triggered, this, &FindController::findNext);
    connect(FindPreviousAction, &QAction::triggered, this, &FindController::findPrevious);

    connect(m_panel->FindAllButton, &QPushButton::clicked, this, &FindController::findAll);
    connect(m_panel->PatternEdit, &QLineEdit::returnPressed, this, &FindController::findAll);
    connect(m_panel->StopButton, &QPushButton::clicked, this, &FindController::stop);
    connect(m_panel->ReplaceButton, &QPushButton::clicked, this, &FindController::replaceCurrent);
    connect(m_panel->ReplaceAllButton, &QPushButton::clicked, this, &FindController::replaceAll);
    connect(view, &QTableView::activated, this,
            [this](const QModelIndex& index) { goToResult(index.row()); });
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& index) { m_current = index.row(); });
    connect(m_panel->PatternEdit, &QLineEdit::textChanged, this, &FindController::checkPattern);
    connect(m_panel->RegexBox, &QCheckBox::toggled, this, &FindController::checkPattern);
    connect(m_panel, &FindPanel::languageChanged, this, &FindController::retranslate);
    // Every open ends with the grid showing the new document's rows.
    connect(form.Strings, &QAbstractItemModel::modelReset, this, &FindController::watchDocument);

    m_slices.setInterval(0);
    connect(&m_slices, &QTimer::timeout, this, &FindController::runSlice);
    retranslate();
}

FindController::~FindController() = default;

void FindController::addActionsTo(QMenu* menu) {
    menu->addSeparator()->setObjectName(QStringLiteral("FindSeparator"));
    menu->addAction(FindReplaceAction);
    menu->addAction(FindNextAction);
    menu->addAction(FindPreviousAction);
}

void FindController::retranslate() {
    m_dock->setWindowTitle(tr("Find and Replace"));
    FindReplaceAction->setText(tr("Find and Replace..."));
    FindNextAction->setText(tr("Find next"));
    FindPreviousAction->setText(tr("Find previous"));
    m_results->retranslate();
    FitCaptions(m_panel->ResultsView->horizontalHeader());
    checkPattern();
    updateCount();
}

void FindController::showPanel() {
    m_dock->show();
    m_dock->raise();
    m_panel->PatternEdit->setFocus();
    m_panel->PatternEdit->selectAll();
}

// The results, the running search and the quick searches all read the document; they follow
// the one the window has open now.
void FindController::watchDocument() {
    OpenDocument* document = m_form.openDocument();
    if (document == m_watched)
        return;
    if (m_watched)
        disconnect(m_watched, nullptr, this, nullptr);
    m_watched = document;
    if (m_job != Job::None)
        finishJob({});
    m_results->reset(document ? &document->document() : nullptr, m_form.CurrentCategories, 0);
    m_current = -1;
    m_listed = false;
    m_note.clear();
    updateCount();
    if (!document)
        return;
    connect(document, &OpenDocument::changed, this, &FindController::documentChanged);
    connect(document, &QObject::destroyed, this, [this] {
        // The window is replacing or closing the document: forget everything that points in.
        m_slices.stop();
        m_job = Job::None;
        m_finder.reset();
        m_replacer.reset();
        m_plan = {};
        m_results->reset(nullptr, {}, 0);
        m_current = -1;
    });
}

void FindController::documentChanged() {
    m_form.Strings->documentChanged();
    if (m_changing)
        return;
    // What the last Replace all did no longer describes the table (an undo, another edit).
    const bool noted = !m_note.isEmpty();
    m_note.clear();
    if (m_job != Job::None)
        finishJob(tr("Stopped: the table changed."));
    if ((m_results->rows() > 0 && !m_results->stale()) || noted) {
        m_results->setStale(m_results->rows() > 0);
        updateCount();
    }
}

void FindController::showPatternError(const search::PatternError& error) {
    const std::u16string pattern = QStringToU16(m_panel->PatternEdit->text());
    if (error.offset() < 0 || !m_panel->RegexBox->isChecked()) {
        m_panel->showPatternError(
            pattern.empty() ? tr("Type what to find.")
                            : tr("Invalid pattern: %1").arg(QString::fromUtf8(error.what())));
        return;
    }
    // ICU's own name of the problem follows the last colon of the message.
    const std::string message = error.what();
    const std::size_t colon = message.rfind(": ");
    const QString detail =
        QString::fromStdString(colon == std::string::npos ? message : message.substr(colon + 2));
    const auto at = std::min<std::size_t>(static_cast<std::size_t>(error.offset()), pattern.size());
    const std::uint32_t character =
        search::CodePointOffset(pattern, static_cast<std::uint32_t>(at));
    m_panel->showPatternError(
        tr("Invalid regular expression at character %1: %2").arg(character + 1).arg(detail));
}

// Regular expressions are checked as they are typed, so the error shows before a search.
void FindController::checkPattern() {
    if (!m_panel->RegexBox->isChecked() || m_panel->PatternEdit->text().isEmpty()) {
        m_panel->showPatternError({});
        return;
    }
    try {
        search::Matcher probe(m_panel->options());
        m_panel->showPatternError({});
    } catch (const search::PatternError& error) {
        showPatternError(error);
    }
}

std::optional<search::SearchOptions> FindController::searchOptions() {
    watchDocument();
    search::SearchOptions options = m_panel->options();
    try {
        search::Matcher probe(options);
    } catch (const search::PatternError& error) {
        showPatternError(error);
        return std::nullopt;
    }
    m_panel->showPatternError({});
    if (!m_watched) {
        updateCount(tr("Open a string table first."));
        return std::nullopt;
    }
    if (!options.inNames && !options.inValues && !options.inExtras && !options.inReference) {
        updateCount(tr("Choose where to look."));
        return std::nullopt;
    }
    return options;
}

void FindController::findAll() {
    m_note.clear();
    startFind(false);
}

void FindController::startFind(bool goToFirst) {
    m_focusMatch = goToFirst && m_focusMatch;
    if (m_job != Job::None)
        finishJob({});
    const TWestwoodStrings* document = m_watched ? &m_watched->document() : nullptr;
    m_results->reset(document, m_form.CurrentCategories, PlainCodec().codePage());
    m_current = -1;
    m_listed = false;
    const std::optional<search::SearchOptions> options = searchOptions();
    if (!options) {
        emit searchFinished();
        return;
    }
    m_searched = *options;
    m_listed = true;
    m_results->reset(&m_watched->document(), m_form.CurrentCategories, PlainCodec().codePage());
    m_finder =
        std::make_unique<search::Finder>(m_watched->document(), m_watched->format().id, *options);
    attachReference(*options);
    m_job = Job::Find;
    m_goToFirst = goToFirst;
    m_panel->StopButton->setEnabled(true);
    m_form.m_progress->SetMax(static_cast<int>(m_finder->total()));
    // The first slice runs now, so the first rows show at once.
    runSlice();
}

void FindController::stop() {
    if (m_job != Job::None)
        finishJob(tr("Stopped."));
}

void FindController::runSlice() {
    m_clock.start();
    if (m_job == Job::Find)
        findSlice();
    else if (m_job == Job::Plan)
        planSlice();
}

void FindController::findSlice() {
    std::vector<search::Match> found;
    bool more = true;
    QString failure;
    try {
        do
            more = m_finder->next(found, kStringsPerStep);
        while (more && m_clock.elapsed() < m_sliceMs);
    } catch (const std::runtime_error& error) {
        failure = tr("The search stopped: %1").arg(QString::fromUtf8(error.what()));
    }
    m_results->append(found);
    m_form.m_progress->SetPosition(static_cast<int>(m_finder->position()));
    if (m_goToFirst && m_results->rows() > 0) {
        m_goToFirst = false;
        goToResult(0);
    }
    if (!failure.isEmpty() || !more) {
        finishJob(failure);
        return;
    }
    updateCount();
    if (!m_slices.isActive())
        m_slices.start();
}

void FindController::finishJob(const QString& message) {
    const Job job = m_job;
    m_slices.stop();
    m_job = Job::None;
    m_finder.reset();
    m_replacer.reset();
    m_form.m_progress->reset();
    m_panel->StopButton->setEnabled(false);
    updateCount(message);
    if (job == Job::Find)
        emit searchFinished();
    else if (job == Job::Plan) {
        m_plan = {};
        emit replaceAllFinished();
    }
}

void FindController::updateCount(const QString& message) {
    QString text;
    if (m_listed)
        text = tr("Matches: %1, strings: %2").arg(m_results->rows()).arg(m_results->strings());
    if (m_job == Job::Find)
        text += tr(", searching...");
    if (m_results->stale())
        text += tr(" (the table has changed since)");
    for (const QString& note : {m_note, message})
        if (!note.isEmpty())
            text = text.isEmpty() ? note : text + QStringLiteral(". ") + note;
    m_panel->CountLabel->setText(text);
}

void FindController::findNext() {
    walk(1);
}

void FindController::findPrevious() {
    walk(-1);
}

void FindController::walk(int step) {
    m_focusMatch = true;
    const int rows = m_results->rows();
    if (rows == 0) {
        if (m_job == Job::None) {
            m_note.clear();
            startFind(true);
        }
        return;
    }
    const int row = m_current < 0 ? (step > 0 ? 0 : rows - 1) : (m_current + step + rows) % rows;
    goToResult(row);
}

void FindController::goToResult(int row) {
    watchDocument();
    const search::Match* match = m_results->matchAt(row);
    if (!match || !m_watched)
        return;
    const TWestwoodStrings& document = m_watched->document();
    if (match->stringIndex >= document.Body.size())
        return;
    // A match in the reference shows the string's value of that number, or its last one.
    const auto values = static_cast<std::uint32_t>(document.Body[match->stringIndex].ValueCount());
    if (match->valueIndex > values && !match->inReference)
        return;
    const search::Match shown = *match;
    QTableView* view = m_panel->ResultsView;
    view->setCurrentIndex(m_results->index(row, 0));
    view->scrollTo(m_results->index(row, 0));
    m_current = row;
    showString(shown.stringIndex, std::min(shown.valueIndex, values));
    selectMatch(shown);
}

// Selects the string's category, its row and the value, as a click on each would.
void FindController::showString(std::uint32_t stringIndex, std::uint32_t valueIndex) {
    if (!m_form.leaveShownString())
        return;
    const TCat& categories = m_form.CurrentCategories;
    const auto target = static_cast<std::int32_t>(stringIndex);
    // The category the list names first; every category when an undone rename moved the string.
    std::size_t k = m_results->categoryOf(stringIndex);
    const auto holds = [&](std::size_t c) {
        const TIDs& ids = categories[c].IDs;
        return std::find(ids.begin(), ids.end(), target) != ids.end();
    };
    if (k >= categories.size() || !holds(k)) {
        k = 0;
        while (k < categories.size() && !holds(k))
            ++k;
        if (k == categories.size())
            return;
    }
    if (m_form.CatsListBox->currentRow() != static_cast<int>(k))
        m_form.selectCategoryLine(static_cast<int>(k));
    const int row = m_form.rowShowing(target);
    if (m_form.currentRow() != row)
        m_form.selectRow(row);
    if (valueIndex > 0 && m_form.ValuesSpinEdit->value() != static_cast<int>(valueIndex))
        m_form.ValuesSpinEdit->setValue(static_cast<int>(valueIndex));
}

} // namespace vste::ui
