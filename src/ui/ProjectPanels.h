// SPDX-License-Identifier: MIT
// The two panels of a translation project: Languages (each language's file, language number,
// progress and counts) and In every language (the shown string's value in each language).
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <string>

class QDockWidget;
class QMainWindow;
class QTableWidget;

namespace vste {
class ProjectTables;
}

namespace vste::ui {

class ProjectPanels final : public QObject {
    Q_OBJECT

public:
    // Called with a language (0-based) to open, and the string to show there (empty: none).
    using OpenLanguage = std::function<void(int language, const std::string& name)>;

    ProjectPanels(QMainWindow& window, OpenLanguage open);

    QDockWidget* languagesDock() const { return m_languagesDock; }
    QDockWidget* valuesDock() const { return m_valuesDock; }
    // Lists the project's languages (null: none) and shows both panels.
    void setProject(const ProjectTables* project);
    // The string shown in the editor, by name; empty for none.
    void showString(const std::string& name);
    void retranslate();

private:
    void fillLanguages();
    void fillValues();
    // Gives the values panel room for a sentence per language.
    void widenValues();

    QMainWindow& m_window;
    OpenLanguage m_open;
    const ProjectTables* m_project = nullptr;
    std::string m_name;
    QDockWidget* m_languagesDock;
    QTableWidget* m_languages;
    QDockWidget* m_valuesDock;
    QTableWidget* m_values;
};

} // namespace vste::ui
