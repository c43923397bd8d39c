// SPDX-License-Identifier: MIT
#include "ui/Suggestions.h"

#include <QAction>
#include <QDockWidget>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenu>
#include <QSettings>
#include <QShortcut>
#include <QTableWidget>
#include <QThreadPool>

#include <algorithm>
#include <exception>

#include "core/FileIO.h"
#include "translation/FuzzyIndex.h"
#include "translation/Tmx.h"
#include "ui/AnsiText.h"
#include "ui/Dialogs.h"
#include "ui/HeaderFit.h"
#include "ui/MessageText.h"

namespace vste::ui {

struct SuggestionsController::Memory {
    std::vector<TmUnit> units;
    FuzzyIndex index;
};

namespace {

const QString kFilesKey = QStringLiteral("TranslationMemory/Files");

// The memory's units: the tables' own pairs first, then each file's; and the errors of files
// that could not be read, worded for the window.
struct Built {
    std::vector<TmUnit> units;
    QStringList errors;
};

Built CollectUnits(const QStringList& files, const TCSFBody& reference, const TCSFBody& document) {
    Built built;
    MemoryBuilder memory;
    try {
        AddTablePairs(memory, reference, document);
    } catch (const std::exception& e) {
        built.errors << MessageText::ofError(e);
    }
    for (const QString& file : files) {
        try {
            const TmxContents contents = ReadTmx(LoadFile(file.toStdString()));
            for (const TmUnit& unit : contents.units)
                memory.add(unit.source, unit.target);
        } catch (const std::exception& e) {
            built.errors << QStringLiteral("%1: %2").arg(file, MessageText::ofError(e));
        }
    }
    built.units = memory.take();
    return built;
}

} // namespace

SuggestionsController::SuggestionsController(QMainWindow& window, Dialogs& dialogs, Host host)
    : QObject(&window), m_window(window), m_dialogs(dialogs), m_host(std::move(host)) {
    setObjectName(QStringLiteral("SuggestionsController"));
    m_dock = new QDockWidget(&window);
    m_dock->setObjectName(QStringLiteral("SuggestionsDock"));
    m_view = new QTableWidget(0, 4, m_dock);
    m_view->setObjectName(QStringLiteral("SuggestionsView"));
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setWordWrap(true);
    m_view->verticalHeader()->hide();
    // The key and the score as narrow as they can be; the texts share the rest.
    QHeaderView* header = m_view->horizontalHeader();
    for (int column = 0; column < 4; ++column)
        header->setSectionResizeMode(column, column < 2 ? QHeaderView::ResizeToContents
                                                        : QHeaderView::Stretch);
    m_dock->setWidget(m_view);
    window.addDockWidget(Qt::RightDockWidgetArea, m_dock);
    m_dock->hide();
    m_dock->installEventFilter(this);
    connect(m_view, &QTableWidget::cellActivated, this, [this](int row, int) { take(row); });
    connect(m_dock, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible && m_stale)
            rebuild();
        else if (visible)
            refresh();
    });
    for (int k = 1; k <= kShown; ++k) {
        auto* key = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + k)), &window);
        key->setObjectName(QStringLiteral("SuggestionShortcut%1").arg(k));
        connect(key, &QShortcut::activated, this, [this, k] { take(k - 1); });
    }
    m_chooseAction = new QAction(this);
    m_chooseAction->setObjectName(QStringLiteral("TranslationMemoryAction"));
    connect(m_chooseAction, &QAction::triggered, this, [this] { chooseFiles(); });
    m_files = QSettings().value(kFilesKey).toStringList();
    retranslate();
}

SuggestionsController::~SuggestionsController() {
    m_pool.waitForDone();
}

void SuggestionsController::addActionsTo(QMenu* tools) {
    tools->addAction(m_chooseAction);
    tools->addAction(m_dock->toggleViewAction());
}

void SuggestionsController::chooseFiles() {
    const auto choice =
        m_dialogs.openFile(&m_window, tr("Add a translation memory"),
                           {tr("Translation memories (*.tmx)") + QStringLiteral("|*.tmx")},
                           m_files.isEmpty() ? QString() : m_files.last(), 1);
    if (!choice || choice->fileName.isEmpty())
        return;
    QStringList files = m_files;
    files.removeAll(choice->fileName);
    files << choice->fileName;
    setMemoryFiles(files);
    m_dock->show();
}

void SuggestionsController::setMemoryFiles(const QStringList& files) {
    m_files = files;
    QSettings().setValue(kFilesKey, m_files);
    rebuild();
}

void SuggestionsController::rebuild() {
    m_stale = true;
    if (!m_dock->isVisible())
        return; // a hidden panel costs nothing; showing it builds
    m_stale = false;
    const TWestwoodStrings* reference = m_host.reference();
    const TWestwoodStrings* document = m_host.document();
    if (m_files.isEmpty() && (!reference || !document)) {
        m_memory.reset();
        m_recent.clear();
        refresh();
        return;
    }
    // The worker reads copies: the document keeps changing while it works.
    auto tables = std::make_shared<std::pair<TCSFBody, TCSFBody>>();
    if (reference && document)
        *tables = {reference->Body, document->Body};
    const QStringList files = m_files;
    const std::uint64_t generation = ++m_build;
    ++m_building;
    m_pool.start([this, tables = std::move(tables), files, generation]() mutable {
        Built built = CollectUnits(files, tables->first, tables->second);
        // Freeing a copy of two large tables takes a while: done here, before the build counts
        // as finished, not while the first searches run.
        tables.reset();
        auto memory = std::make_shared<Memory>();
        memory->units = std::move(built.units);
        std::vector<std::u16string> sources;
        sources.reserve(memory->units.size());
        for (const TmUnit& unit : memory->units)
            sources.push_back(unit.source);
        memory->index = FuzzyIndex(sources);
        QMetaObject::invokeMethod(
            this,
            [this, memory, errors = built.errors, generation] {
                --m_building;
                if (generation != m_build)
                    return; // a newer build is on its way
                m_memory = memory;
                m_recent.clear();
                if (!errors.isEmpty())
                    m_dialogs.error(&m_window, errors.join(QLatin1Char('\n')));
                refresh();
            },
            Qt::QueuedConnection);
    });
}

void SuggestionsController::refresh() {
    if (!m_dock->isVisible())
        return;
    const std::optional<std::u16string> query = m_host.query();
    m_wanted.reset();
    if (!m_memory || !query || query->empty()) {
        show({});
        return;
    }
    if (const std::vector<Suggestion>* found = recent(*query)) {
        show(*found);
        searchAhead();
        return;
    }
    m_wanted = *query;
    if (std::find(m_pending.begin(), m_pending.end(), *query) == m_pending.end())
        search(*query);
}

void SuggestionsController::search(const std::u16string& query) {
    m_pending.push_back(query);
    m_pool.start([this, memory = m_memory, query] {
        Found found{query, {}};
        for (const FuzzyMatch& match : memory->index.search(query, kMinScore, kShown)) {
            const TmUnit& unit = memory->units[match.unit];
            found.suggestions.push_back({unit.source, unit.target, match.score});
        }
        QMetaObject::invokeMethod(
            this,
            [this, found = std::move(found), memory]() mutable {
                searched(std::move(found), memory);
            },
            Qt::QueuedConnection);
    });
}

void SuggestionsController::searched(Found found, const std::shared_ptr<const Memory>& memory) {
    m_pending.erase(std::find(m_pending.begin(), m_pending.end(), found.query));
    const bool wanted = m_wanted == found.query;
    if (memory != m_memory) { // the memory was rebuilt meanwhile: ask it again
        if (wanted && m_memory)
            search(found.query);
        return;
    }
    constexpr std::size_t kRecent = 16;
    if (m_recent.size() == kRecent)
        m_recent.erase(m_recent.begin());
    m_recent.push_back(std::move(found));
    if (wanted) {
        m_wanted.reset();
        show(m_recent.back().suggestions);
        searchAhead();
    }
}

void SuggestionsController::searchAhead() {
    if (!m_memory || !m_host.nearby)
        return;
    for (const std::u16string& query : m_host.nearby())
        if (!query.empty() && !recent(query) &&
            std::find(m_pending.begin(), m_pending.end(), query) == m_pending.end())
            search(query);
}

const std::vector<SuggestionsController::Suggestion>*
SuggestionsController::recent(const std::u16string& query) const {
    for (auto it = m_recent.rbegin(); it != m_recent.rend(); ++it)
        if (it->query == query)
            return &it->suggestions;
    return nullptr;
}

void SuggestionsController::show(std::vector<Suggestion> found) {
    m_shown = std::move(found);
    m_view->setRowCount(static_cast<int>(m_shown.size()));
    for (int row = 0; row < static_cast<int>(m_shown.size()); ++row) {
        const Suggestion& s = m_shown[static_cast<std::size_t>(row)];
        const QString texts[] = {QStringLiteral("Ctrl+%1").arg(row + 1), QString::number(s.score),
                                 U16ToQString(s.source), U16ToQString(s.target)};
        for (int column = 0; column < 4; ++column)
            m_view->setItem(row, column, new QTableWidgetItem(texts[column]));
    }
    m_view->resizeRowsToContents();
    emit suggestionsShown();
}

void SuggestionsController::take(int k) {
    if (k < 0 || static_cast<std::size_t>(k) >= m_shown.size())
        return;
    m_host.type(m_shown[static_cast<std::size_t>(k)].target);
}

bool SuggestionsController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_dock && event->type() == QEvent::LanguageChange)
        retranslate();
    return QObject::eventFilter(watched, event);
}

void SuggestionsController::retranslate() {
    m_dock->setWindowTitle(tr("Suggestions"));
    m_view->setHorizontalHeaderLabels({tr("Key"), tr("Score"), tr("Source"), tr("Translation")});
    FitCaptions(m_view->horizontalHeader());
    m_chooseAction->setText(tr("Translation memory..."));
}

} // namespace vste::ui
