// SPDX-License-Identifier: MIT
#include "ui/ProjectController.h"

#include <QAction>
#include <QDockWidget>
#include <QEvent>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QThread>

#include <exception>

#include "translation/Project.h"
#include "ui/Dialogs.h"
#include "ui/MessageText.h"
#include "ui/OpenFormats.h"
#include "ui/ProjectPanels.h"

namespace vste::ui {

namespace {

constexpr int kRecentProjects = 5;

} // namespace

ProjectController::ProjectController(QMainWindow& window, Dialogs& dialogs, Host host)
    : QObject(&window), m_window(window), m_dialogs(dialogs), m_host(std::move(host)) {
    setObjectName(QStringLiteral("ProjectController"));
    m_panels = new ProjectPanels(
        window, [this](int language, const std::string& name) { openLanguage(language, name); });
    m_openAction = new QAction(this);
    m_openAction->setObjectName(QStringLiteral("OpenProject"));
    connect(m_openAction, &QAction::triggered, this, [this] { openProjectClick(); });
    m_recentMenu = new QMenu(&window);
    m_recentMenu->setObjectName(QStringLiteral("RecentProjectsMenu"));
    m_recentMenu->installEventFilter(this);
    rebuildRecent();
    retranslate();
}

bool ProjectController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_recentMenu && event->type() == QEvent::LanguageChange)
        retranslate();
    return QObject::eventFilter(watched, event);
}

ProjectController::~ProjectController() {
    if (m_loading)
        m_loading->wait();
}

void ProjectController::addActionsTo(QMenu* menu, QAction* before) {
    menu->insertAction(before, m_openAction);
    menu->insertMenu(before, m_recentMenu);
}

void ProjectController::openProjectClick() {
    if (busy())
        return;
    const auto choice =
        m_dialogs.openFile(&m_window, tr("Choose the project's source table"), OpenFilters(),
                           StartingName(m_lastSource, m_host.documentFileName()), m_format);
    if (!choice || choice->fileName.isEmpty())
        return;
    m_lastSource = choice->fileName;
    openProject(choice->fileName, OpenFilterForFile(choice->fileName, choice->filterIndex));
}

void ProjectController::openProject(const QString& source, int format, const QString& open) {
    if (busy() || !IsOpenFilterIndex(format))
        return;
    m_format = format;
    m_host.setStatus([] { return tr("Reading the project's tables. Please Stand By..."); });
    auto tables = std::make_shared<std::shared_ptr<ProjectTables>>();
    auto error = std::make_shared<QString>();
    const std::string path = source.toStdString();
    m_loading = QThread::create([=] {
        try {
            *tables = std::make_shared<ProjectTables>(path, static_cast<DocumentFormat>(format));
        } catch (const std::exception& e) {
            *error =
                QStringLiteral("%1: %2").arg(QString::fromStdString(path), MessageText::ofError(e));
        }
    });
    m_loading->setObjectName(QStringLiteral("ProjectLoading"));
    connect(m_loading, &QThread::finished, this, [this, tables, error, open] {
        m_loading->deleteLater();
        m_loading = nullptr;
        loaded(*tables, *error, open);
    });
    m_loading->start();
}

void ProjectController::loaded(std::shared_ptr<ProjectTables> tables, const QString& error,
                               const QString& open) {
    if (!tables) {
        m_host.setStatus([] { return QString(); });
        m_dialogs.error(&m_window, tr("Cannot open the project:\n%1").arg(error));
        emit projectLoaded();
        return;
    }
    m_project = std::move(tables);
    m_panels->setProject(m_project.get());
    m_host.setStatus([count = static_cast<int>(m_project->languages().size())] {
        return tr("Project opened; languages: %1").arg(count);
    });
    remember(QString());
    if (!open.isEmpty()) {
        const auto& languages = m_project->languages();
        for (std::size_t k = 0; k < languages.size(); ++k)
            if (QString::fromStdString(languages[k].path) == open)
                openLanguage(static_cast<int>(k), {});
    }
    emit projectLoaded();
}

void ProjectController::openLanguage(int language, const std::string& name) {
    if (!m_project || language < 0 ||
        static_cast<std::size_t>(language) >= m_project->languages().size())
        return;
    const QString file =
        QString::fromStdString(m_project->languages()[static_cast<std::size_t>(language)].path);
    const QString source = QString::fromStdString(m_project->sourcePath());
    if (m_host.openLanguage(file, m_format, source, name))
        remember(file);
}

void ProjectController::fileSaved(const QString& fileName) {
    if (!m_project)
        return;
    const QString saved = QFileInfo(fileName).absoluteFilePath();
    bool ours =
        QFileInfo(QString::fromStdString(m_project->sourcePath())).absoluteFilePath() == saved;
    for (const ProjectTables::Language& language : m_project->languages())
        ours = ours || QFileInfo(QString::fromStdString(language.path)).absoluteFilePath() == saved;
    if (ours)
        openProject(QString::fromStdString(m_project->sourcePath()), m_format);
}

void ProjectController::showString(const std::string& name) {
    m_panels->showString(name);
}

void ProjectController::remember(const QString& open) {
    if (!m_project)
        return;
    const QString source = QString::fromStdString(m_project->sourcePath());
    QList<Settings::RecentProject> projects = Settings::recentProjects();
    QString kept = open;
    for (qsizetype k = projects.size() - 1; k >= 0; --k)
        if (projects[k].source == source) {
            if (kept.isEmpty())
                kept = projects[k].open;
            projects.removeAt(k);
        }
    projects.prepend({source, m_format, kept});
    while (projects.size() > kRecentProjects)
        projects.removeLast();
    Settings::setRecentProjects(projects);
    rebuildRecent();
}

void ProjectController::rebuildRecent() {
    m_recentMenu->clear();
    const QList<Settings::RecentProject> projects = Settings::recentProjects();
    for (const Settings::RecentProject& project : projects) {
        QAction* item = m_recentMenu->addAction(QFileInfo(project.source).fileName());
        item->setToolTip(project.source);
        connect(item, &QAction::triggered, this,
                [this, project] { openProject(project.source, project.format, project.open); });
    }
    m_recentMenu->setEnabled(!projects.isEmpty());
}

void ProjectController::retranslate() {
    m_openAction->setText(tr("Open project..."));
    m_recentMenu->setTitle(tr("Recent projects"));
    m_panels->retranslate();
}

} // namespace vste::ui
