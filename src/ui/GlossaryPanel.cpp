// SPDX-License-Identifier: MIT
#include "ui/GlossaryPanel.h"

#include <QAction>
#include <QDockWidget>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSpinBox>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "core/FileIO.h"
#include "translation/Glossary.h"
#include "ui/AnsiText.h"
#include "ui/Dialogs.h"
#include "ui/MainForm.h"
#include "ui/MainFormSuggestions.h"
#include "ui/ProblemsController.h"
#include "ui/ReferenceTable.h"
#include "ui/ReferenceWorkbench.h"
#include "ui/WindowRoom.h"

namespace vste::ui {

namespace {
// The glossary read last, read again when the window opens.
const QString kFileKey = QStringLiteral("Glossary/File");
} // namespace

GlossaryPanel::GlossaryPanel(TMainForm& form) : QObject(&form), m_form(form) {
    setObjectName(QStringLiteral("GlossaryPanel"));
    m_tools = ToolsMenu(form, form.Help1);
    m_open = new QAction(this);
    m_open->setObjectName(QStringLiteral("GlossaryAction"));
    m_tools->addAction(m_open);
    connect(m_open, &QAction::triggered, this, [this] { openClick(); });
    createDock();
    if (QMenu* view = form.problems()->viewMenu())
        view->addAction(m_dock->toggleViewAction());
    // The list follows the shown string, its value number and the reference; the marks follow
    // the value box as it is typed into.
    connect(form.StringsGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { refresh(); });
    connect(form.ValuesSpinEdit, &QSpinBox::valueChanged, this, [this] { refresh(); });
    connect(&form.workbench()->reference(), &ReferenceTable::changed, this, [this] { refresh(); });
    connect(form.EditorMemo, &QPlainTextEdit::textChanged, this, [this] { markMissing(); });
    retranslate();
    restore();
}

GlossaryPanel::~GlossaryPanel() = default;

// The glossary of the last session comes back without a word; one that has gone since, or can
// no longer be read, is forgotten, and the panel says so when shown.
void GlossaryPanel::restore() {
    const QString fileName = QSettings().value(kFileKey).toString();
    if (fileName.isEmpty())
        return;
    if (!read(fileName)) {
        QSettings().remove(kFileKey);
        m_lostFileName = fileName;
        showStatus();
    }
}

void GlossaryPanel::createDock() {
    m_dock = new QDockWidget(&m_form);
    m_dock->setObjectName(QStringLiteral("GlossaryDock"));
    m_dock->toggleViewAction()->setObjectName(QStringLiteral("GlossaryDockAction"));
    auto* body = new QWidget(m_dock);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 2, 4, 4);
    m_status = new QLabel(body);
    m_status->setObjectName(QStringLiteral("GlossaryStatus"));
    m_status->setWordWrap(true);
    m_view = new QTreeWidget(body);
    m_view->setObjectName(QStringLiteral("GlossaryView"));
    m_view->setColumnCount(2);
    m_view->setRootIsDecorated(false);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    // Both columns share the panel's width, so the translation never hides off to the right.
    m_view->header()->setSectionResizeMode(QHeaderView::Stretch);
    m_view->setMinimumWidth(220);
    layout->addWidget(m_status);
    layout->addWidget(m_view);
    m_dock->setWidget(body);
    m_form.addDockWidget(Qt::RightDockWidgetArea, m_dock);
    m_dock->hide();
    m_dock->installEventFilter(this);
}

void GlossaryPanel::openClick() {
    const OpenDocument* open = m_form.openDocument();
    const auto choice = m_form.dialogs().openFile(
        &m_form, tr("Choose a glossary (CSV with the columns term and translation)"),
        {tr("Glossaries") + QStringLiteral("|*.csv"), tr("All files") + QStringLiteral("|*.*")},
        StartingName(m_fileName, open ? open->fileName() : QString()), 1);
    if (choice && !choice->fileName.isEmpty())
        load(choice->fileName);
}

bool GlossaryPanel::load(const QString& fileName) {
    std::string why;
    if (!read(fileName, &why)) {
        m_form.dialogs().error(&m_form, tr("The glossary %1 could not be read:\n%2")
                                            .arg(fileName, QString::fromStdString(why)));
        return false;
    }
    QSettings().setValue(kFileKey, fileName);
    showDock();
    return true;
}

bool GlossaryPanel::read(const QString& fileName, std::string* why) {
    std::vector<GlossaryTerm> terms;
    try {
        terms = ReadGlossary(LoadFile(fileName.toStdString()));
    } catch (const std::exception& e) {
        if (why)
            *why = e.what();
        return false;
    }
    m_terms = std::move(terms);
    m_foldedTerms.clear();
    m_foldedTranslations.clear();
    for (const GlossaryTerm& t : m_terms) {
        m_foldedTerms.push_back(FoldCase(t.term));
        m_foldedTranslations.push_back(FoldCase(t.translation));
    }
    m_loaded = true;
    m_fileName = fileName;
    refresh();
    emit glossaryChanged();
    return true;
}

// Opened beside an empty right area, the panel widens the window by its own width where the
// screen has room, so that the editor keeps its width.
void GlossaryPanel::showDock() {
    const QList<QDockWidget*> docks = m_form.findChildren<QDockWidget*>();
    const bool rightInUse = std::any_of(docks.begin(), docks.end(), [this](QDockWidget* d) {
        return d->isVisible() && !d->isFloating() &&
               m_form.dockWidgetArea(d) == Qt::RightDockWidgetArea;
    });
    const bool grow = m_dock->isHidden() && !rightInUse && !m_form.isMaximized() &&
                      !m_form.isFullScreen() && m_form.isVisible();
    m_dock->show();
    m_dock->raise();
    if (grow)
        GrowWithinScreen(m_form, m_dock->sizeHint().width(), 0);
}

void GlossaryPanel::refresh() {
    m_found.clear();
    m_view->clear();
    const std::optional<std::u16string> reference =
        m_loaded ? m_form.workbench()->currentReferenceValue() : std::nullopt;
    if (reference) {
        const std::u16string folded = FoldCase(*reference);
        for (std::size_t i = 0; i < m_terms.size(); ++i)
            if (ContainsWholeWord(folded, m_foldedTerms[i]))
                m_found.push_back(i);
    }
    for (const std::size_t i : m_found)
        new QTreeWidgetItem(m_view,
                            {U16ToQString(m_terms[i].term), U16ToQString(m_terms[i].translation)});
    markMissing();
    showStatus();
}

// Marked as the glossary rule finds it: the value lacks the translation, ignoring case.
void GlossaryPanel::markMissing() {
    if (m_found.empty())
        return;
    const std::u16string value = FoldCase(QStringToU16(m_form.EditorMemo->toPlainText()));
    for (int row = 0; row < m_view->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = m_view->topLevelItem(row);
        const std::u16string& translation =
            m_foldedTranslations[m_found[static_cast<std::size_t>(row)]];
        const bool missing = value.find(translation) == std::u16string::npos;
        for (int column = 0; column < 2; ++column) {
            QFont font = item->font(column);
            font.setBold(missing);
            item->setFont(column, font);
            item->setForeground(column, missing ? QBrush(Qt::red) : QBrush());
            item->setToolTip(column, missing ? tr("missing in the value") : QString());
        }
    }
}

void GlossaryPanel::showStatus() {
    if (!m_loaded && !m_lostFileName.isEmpty())
        m_status->setText(tr("The glossary %1 of the last session could not be read again")
                              .arg(QFileInfo(m_lostFileName).fileName()));
    else if (!m_loaded)
        m_status->setText(tr("No glossary is read: Tools > Glossary... chooses one"));
    else if (!m_form.workbench()->reference().isOpen())
        m_status->setText(tr("Terms are looked up in the reference: open one with File > Open "
                             "reference..."));
    else
        m_status->setText(
            tr("Glossary %1, terms: %2").arg(QFileInfo(m_fileName).fileName()).arg(m_terms.size()));
    m_status->setToolTip(m_loaded ? m_fileName : m_lostFileName);
}

void GlossaryPanel::retranslate() {
    m_open->setText(tr("Glossary..."));
    m_dock->setWindowTitle(tr("Glossary"));
    m_view->setHeaderLabels({tr("Term"), tr("Translation")});
    showStatus();
    markMissing();
}

bool GlossaryPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::LanguageChange && watched == m_dock)
        retranslate();
    return QObject::eventFilter(watched, event);
}

} // namespace vste::ui
