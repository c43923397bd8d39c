// SPDX-License-Identifier: MIT
#include "ui/ProjectPanels.h"

#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QHeaderView>
#include <QMainWindow>
#include <QProgressBar>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>

#include "translation/Languages.h"
#include "translation/Project.h"
#include "ui/AnsiText.h"
#include "ui/HeaderFit.h"
#include "ui/MessageText.h"
#include "ui/WindowRoom.h"

namespace vste::ui {

namespace {

QTableWidget* NewTable(QWidget* parent, const char* name, int columns) {
    auto* table = new QTableWidget(0, columns, parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

QDockWidget* NewDock(QMainWindow& window, const char* name, QWidget* content,
                     Qt::DockWidgetArea area) {
    auto* dock = new QDockWidget(&window);
    dock->setObjectName(QString::fromLatin1(name));
    content->setParent(dock);
    dock->setWidget(content);
    window.addDockWidget(area, dock);
    dock->hide();
    return dock;
}

QTableWidgetItem* Cell(const QString& text) {
    return new QTableWidgetItem(text);
}

} // namespace

ProjectPanels::ProjectPanels(QMainWindow& window, OpenLanguage open)
    : QObject(&window), m_window(window), m_open(std::move(open)) {
    setObjectName(QStringLiteral("ProjectPanels"));
    m_languages = NewTable(nullptr, "LanguagesView", 7);
    // The languages' wide table goes under the editor with the other panels there; the values
    // of the string shown beside the editor.
    m_languagesDock = NewDock(window, "LanguagesDock", m_languages, Qt::BottomDockWidgetArea);
    m_values = NewTable(nullptr, "StringLanguagesView", 2);
    m_values->setWordWrap(true);
    m_valuesDock = NewDock(window, "StringLanguagesDock", m_values, Qt::RightDockWidgetArea);
    connect(m_languages, &QTableWidget::cellActivated, this,
            [this](int row, int) { m_open(row, m_name); });
    connect(m_values, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (m_project && static_cast<std::size_t>(row) < m_project->languages().size())
            m_open(row, m_name);
    });
    retranslate();
}

void ProjectPanels::setProject(const ProjectTables* project) {
    m_project = project;
    fillLanguages();
    fillValues();
    if (project) {
        m_languagesDock->show();
        if (!m_valuesDock->isVisible()) {
            m_valuesDock->show();
            // Wide enough for a sentence per language, once the window has laid it out.
            QTimer::singleShot(0, this, [this] { widenValues(); });
        }
    }
}

void ProjectPanels::widenValues() {
    const int wanted = m_values->fontMetrics().averageCharWidth() * 40;
    GrowWithinScreen(m_window, wanted - m_valuesDock->width(), 0);
    m_window.resizeDocks({m_valuesDock}, {wanted}, Qt::Horizontal);
}

void ProjectPanels::showString(const std::string& name) {
    if (name == m_name)
        return;
    m_name = name;
    fillValues();
}

void ProjectPanels::fillLanguages() {
    m_languages->setRowCount(0);
    if (!m_project)
        return;
    const auto& languages = m_project->languages();
    m_languages->setRowCount(static_cast<int>(languages.size()));
    const QDir folder = QFileInfo(QString::fromStdString(m_project->sourcePath())).dir();
    for (int row = 0; row < static_cast<int>(languages.size()); ++row) {
        const ProjectTables::Language& language = languages[static_cast<std::size_t>(row)];
        const QString path = QString::fromStdString(language.path);
        m_languages->setItem(row, 0, Cell(folder.relativeFilePath(path)));
        m_languages->item(row, 0)->setToolTip(path);
        QString code;
        if (language.language) {
            const auto named = CsfLanguageCode(*language.language);
            code = QString::number(*language.language);
            if (named)
                code += QStringLiteral(" (%1)").arg(
                    QString::fromLatin1(named->data(), qsizetype(named->size())));
        }
        m_languages->setItem(row, 1, Cell(code));
        if (!language.error.empty()) {
            m_languages->setItem(row, 2, Cell(MessageText::text(language.error)));
            continue;
        }
        auto* bar = new QProgressBar(m_languages);
        bar->setRange(0, 100);
        bar->setValue(static_cast<int>(language.status.percent));
        m_languages->setCellWidget(row, 2, bar);
        const TranslationStatus& s = language.status;
        int column = 3;
        for (const std::size_t count : {s.translated, s.untranslated, s.missing, s.onlyHere})
            m_languages->setItem(row, column++, Cell(QString::number(count)));
    }
    m_languages->resizeColumnsToContents();
    FitCaptions(m_languages->horizontalHeader());
}

void ProjectPanels::fillValues() {
    m_values->setRowCount(0);
    if (!m_project)
        return;
    const auto& languages = m_project->languages();
    m_values->setRowCount(static_cast<int>(languages.size()));
    for (int row = 0; row < static_cast<int>(languages.size()); ++row) {
        const std::size_t k = static_cast<std::size_t>(row);
        m_values->setItem(row, 0,
                          Cell(QFileInfo(QString::fromStdString(languages[k].path)).fileName()));
        const LanguageValue value =
            m_name.empty() ? LanguageValue{} : m_project->valueOf(k, m_name);
        QString text;
        switch (value.state) {
        case LanguageValueState::Translated:
            text = U16ToQString(value.text);
            break;
        case LanguageValueState::Untranslated:
            text = tr("untranslated: %1").arg(U16ToQString(value.text));
            break;
        case LanguageValueState::Empty:
            text = tr("(empty)");
            break;
        case LanguageValueState::Missing:
            text = m_name.empty() ? QString() : tr("(missing)");
            break;
        case LanguageValueState::Unreadable:
            text = tr("(cannot be read)");
            break;
        }
        auto* cell = Cell(text);
        if (value.state != LanguageValueState::Translated) {
            QFont font = cell->font();
            font.setItalic(true);
            cell->setFont(font);
            cell->setForeground(m_values->palette().placeholderText());
        }
        m_values->setItem(row, 1, cell);
    }
    m_values->resizeRowsToContents();
}

void ProjectPanels::retranslate() {
    m_languagesDock->setWindowTitle(tr("Languages"));
    m_languages->setHorizontalHeaderLabels({tr("File"), tr("Language"), tr("Progress"),
                                            tr("Translated"), tr("Untranslated"), tr("Missing"),
                                            tr("Only here")});
    m_valuesDock->setWindowTitle(tr("In every language"));
    m_values->setHorizontalHeaderLabels({tr("File"), tr("Value")});
    FitCaptions(m_languages->horizontalHeader());
    FitCaptions(m_values->horizontalHeader());
    fillValues();
}

} // namespace vste::ui
