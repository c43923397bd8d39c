// SPDX-License-Identifier: MIT
#include "ui/ProblemsController.h"

#include <QAction>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

#include "checks/CheckEngine.h"
#include "ui/HeaderFit.h"
#include "ui/ProblemsModel.h"

namespace vste::ui {

namespace {

// Strings are checked in chunks until a slice's time is up, then the window takes its events.
// Each slice starts with one string and doubles the chunk: plain checks take about a microsecond
// a string, spelling with its suggestions may take milliseconds, so no fixed count suits both.
constexpr std::uint32_t kLargestChunk = 4096;
constexpr qint64 kSliceMs = 15;
// Edits that come in quick succession (a batch, typing into Apply) share one check.
constexpr int kDelayMs = 50;

} // namespace

ProblemsController::ProblemsController(QMainWindow& window, SelectString select)
    : QObject(&window), m_select(std::move(select)) {
    setObjectName(QStringLiteral("ProblemsController"));
    m_delay.setSingleShot(true);
    m_delay.setInterval(kDelayMs);
    connect(&m_delay, &QTimer::timeout, this, &ProblemsController::start);
    m_slices.setInterval(0);
    connect(&m_slices, &QTimer::timeout, this, &ProblemsController::step);
    createDock(window);
    // Values are checked against the active code page: a new one needs a new check.
    if (auto* codePages = window.findChild<QMenu*>(QStringLiteral("CodePageMenu")))
        connect(codePages, &QMenu::triggered, this, &ProblemsController::schedule);
    retranslate();
}

ProblemsController::~ProblemsController() = default;

void ProblemsController::createDock(QMainWindow& window) {
    m_dock = new QDockWidget(&window);
    m_dock->setObjectName(QStringLiteral("ProblemsDock"));
    auto* body = new QWidget(m_dock);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 2, 4, 4);
    m_counts = new QLabel(body);
    m_counts->setObjectName(QStringLiteral("ProblemsCounts"));
    m_model = new ProblemsModel(this);
    m_model->setObjectName(QStringLiteral("ProblemsModel"));
    m_view = new QTableView(body);
    m_view->setObjectName(QStringLiteral("ProblemsView"));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->setColumnWidth(ProblemsModel::RuleColumn, 150);
    m_view->setColumnWidth(ProblemsModel::NameColumn, 160);
    // "error" and "warning" in the interface language, whole.
    m_view->horizontalHeader()->setSectionResizeMode(ProblemsModel::SeverityColumn,
                                                     QHeaderView::ResizeToContents);
    layout->addWidget(m_counts);
    layout->addWidget(m_view);
    m_dock->setWidget(body);
    window.addDockWidget(Qt::BottomDockWidgetArea, m_dock);
    m_dock->hide();
    m_dock->installEventFilter(this);
    toggleAction()->setObjectName(QStringLiteral("ProblemsAction"));
    // A hidden panel checks nothing; showing it brings it up to date.
    // Queued: the item's own handler shows the dock after this connection would run.
    connect(toggleAction(), &QAction::triggered, this, &ProblemsController::resume,
            Qt::QueuedConnection);
    connect(m_dock, &QDockWidget::visibilityChanged, this, &ProblemsController::resume);
    connect(m_view, &QTableView::doubleClicked, this, &ProblemsController::activate);
    connect(m_view, &QTableView::activated, this, &ProblemsController::activate);
}

QAction* ProblemsController::toggleAction() const {
    return m_dock->toggleViewAction();
}

void ProblemsController::addViewMenu(QMenuBar* bar, QMenu* before) {
    m_viewMenu = bar->findChild<QMenu*>(QStringLiteral("View"), Qt::FindDirectChildrenOnly);
    if (!m_viewMenu) {
        m_viewMenu = new QMenu(bar);
        m_viewMenu->setObjectName(QStringLiteral("View"));
        bar->insertMenu(before ? before->menuAction() : nullptr, m_viewMenu);
    }
    m_viewMenu->addAction(toggleAction());
    retranslate();
}

void ProblemsController::setDocument(OpenDocument* document) {
    if (m_document)
        disconnect(m_document, nullptr, this, nullptr);
    stop();
    m_document = document;
    m_model->setFindings({});
    if (document) {
        connect(document, &OpenDocument::changed, this, &ProblemsController::schedule);
        connect(document, &OpenDocument::propertiesChanged, this, &ProblemsController::schedule);
        connect(document, &QObject::destroyed, this, &ProblemsController::stop);
    }
    schedule();
}

void ProblemsController::setReference(const TWestwoodStrings* reference) {
    stop();
    m_referenceTable = reference;
    m_reference.reset();
    schedule();
}

void ProblemsController::setExtras(const CheckExtras& extras) {
    stop();
    m_extras = extras;
    schedule();
}

void ProblemsController::schedule() {
    stop();
    m_stale = true;
    resume();
    showCounts();
}

void ProblemsController::resume() {
    if (m_stale && m_document && !m_dock->isHidden() && !isChecking())
        m_delay.start();
}

void ProblemsController::stop() {
    m_delay.stop();
    m_slices.stop();
    m_engine.reset();
    m_pending.clear();
}

void ProblemsController::start() {
    stop();
    if (!m_document)
        return;
    // Names are matched through the active code page, which may have changed since the last
    // check: the reference is indexed anew for each check.
    if (m_referenceTable)
        m_reference = std::make_unique<Reference>(m_referenceTable->Body);
    const CheckTarget target{m_document->format().id, m_document->ansiMode(), 0};
    m_engine = std::make_unique<CheckEngine>(target, std::vector<std::string>{}, m_reference.get(),
                                             m_extras);
    // The whole-table work goes in parts too, one slice at a time.
    m_parts = m_engine->prepareParts(m_document->document().Body);
    m_prepared = 0;
    m_next = 0;
    m_slices.start();
    showCounts();
}

void ProblemsController::step() {
    if (!m_engine || !m_document) {
        stop();
        return;
    }
    const TCSFBody& body = m_document->document().Body;
    const auto size = static_cast<std::uint32_t>(body.size());
    QElapsedTimer slice;
    slice.start();
    if (m_prepared < m_parts) {
        do
            m_engine->prepareStep(m_prepared++);
        while (m_prepared < m_parts && slice.elapsed() < kSliceMs);
        return;
    }
    std::vector<std::uint32_t> indexes;
    std::uint32_t chunk = 1;
    do {
        const std::uint32_t end = m_next + std::min(chunk, size - m_next);
        chunk = std::min(chunk * 2, kLargestChunk);
        indexes.resize(end - m_next);
        std::iota(indexes.begin(), indexes.end(), m_next);
        m_engine->checkStrings(indexes, [this](Finding&& f) { m_pending.push_back(std::move(f)); });
        m_next = end;
    } while (m_next < size && slice.elapsed() < kSliceMs);
    if (m_next < size) {
        showCounts();
        return;
    }
    // The strings of the reference that the document lacks are found once, after all others.
    if (m_reference) {
        const CheckTarget target{m_document->format().id, m_document->ansiMode(), 0};
        CheckEngine missing(target, {"only-in-reference"}, m_reference.get());
        missing.prepare(body);
        missing.checkAll([this](Finding&& f) { m_pending.push_back(std::move(f)); });
    }
    publish();
}

void ProblemsController::publish() {
    m_slices.stop();
    m_engine.reset();
    m_model->setFindings(std::move(m_pending));
    m_pending.clear();
    m_stale = false;
    showCounts();
    emit checked();
}

void ProblemsController::finishNow() {
    if (m_delay.isActive())
        start();
    while (m_slices.isActive())
        step();
}

void ProblemsController::activate(const QModelIndex& index) {
    const Finding* finding = m_model->findingAt(index.row());
    if (!finding || !m_document || finding->index == kNoString)
        return;
    if (finding->index >= m_document->document().Body.size())
        return;
    m_select(static_cast<int>(finding->index), static_cast<int>(finding->valueIndex));
}

void ProblemsController::showCounts() {
    if (!m_document) {
        m_counts->setText(tr("No file is open"));
        return;
    }
    QString text = tr("Errors: %1, warnings: %2").arg(m_model->errors()).arg(m_model->warnings());
    if (m_slices.isActive()) {
        const std::size_t size = std::max<std::size_t>(1, m_document->document().Body.size());
        text +=
            QStringLiteral("    ") + tr("Checking... %1%").arg(std::size_t{m_next} * 100 / size);
    }
    m_counts->setText(text);
}

void ProblemsController::retranslate() {
    m_dock->setWindowTitle(tr("Problems"));
    if (m_viewMenu)
        m_viewMenu->setTitle(tr("View"));
    m_model->retranslate();
    FitCaptions(m_view->horizontalHeader());
    showCounts();
}

bool ProblemsController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::LanguageChange && watched == m_dock)
        retranslate();
    return QObject::eventFilter(watched, event);
}

} // namespace vste::ui
