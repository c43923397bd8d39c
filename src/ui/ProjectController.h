// SPDX-License-Identifier: MIT
// File > Open project...: a source table and every other table of its format in its folder (and
// one level of subfolders) as the project's languages, read in the background; the Languages and
// In every language panels; opening a language with the source as its reference; the projects
// last opened under File > Recent projects.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>

#include "ui/Settings.h"

class QAction;
class QMainWindow;
class QMenu;
class QThread;

namespace vste {
class ProjectTables;
}

namespace vste::ui {

class Dialogs;
class ProjectPanels;

class ProjectController final : public QObject {
    Q_OBJECT

public:
    struct Host {
        // The open document's file; empty for none.
        std::function<QString()> documentFileName;
        // Opens `file` (format 1..8) as the document with `reference` as its reference, showing
        // the string `name` when it is not empty; false when the file could not be opened.
        std::function<bool(const QString& file, int format, const QString& reference,
                           const std::string& name)>
            openLanguage;
        // Shows a status text, worded again when the interface language changes.
        std::function<void(std::function<QString()>)> setStatus;
    };

    ProjectController(QMainWindow& window, Dialogs& dialogs, Host host);
    ~ProjectController() override;

    // Puts Open project... and Recent projects into `menu` before `before`.
    void addActionsTo(QMenu* menu, QAction* before);
    ProjectPanels& panels() { return *m_panels; }
    const ProjectTables* project() const { return m_project.get(); }
    // Reads the project of `source` (format 1..8) in the background, then opens `open` (a
    // language table; empty for none) with the source as its reference.
    void openProject(const QString& source, int format, const QString& open = QString());
    bool busy() const { return m_loading != nullptr; }
    // The string shown in the editor, by name.
    void showString(const std::string& name);
    // A file was saved: when it is one of the project's tables, the project is read again so
    // that its counts and values are those of the files.
    void fileSaved(const QString& fileName);
    void retranslate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // The project's tables were read (or could not be).
    void projectLoaded();

private:
    void openProjectClick();
    void loaded(std::shared_ptr<ProjectTables> tables, const QString& error, const QString& open);
    void openLanguage(int language, const std::string& name);
    void remember(const QString& open);
    void rebuildRecent();

    QMainWindow& m_window;
    Dialogs& m_dialogs;
    Host m_host;
    ProjectPanels* m_panels;
    QAction* m_openAction;
    QMenu* m_recentMenu;
    std::shared_ptr<ProjectTables> m_project;
    int m_format = 1;
    QThread* m_loading = nullptr;
    QString m_lastSource;
};

} // namespace vste::ui
