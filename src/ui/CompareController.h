// SPDX-License-Identifier: MIT
// File > Compare with: the open document beside another table in a dock, listing the strings
// only here, only there, and changed, with both values side by side and the changed words
// marked. A double-click goes to the string; Take other's value and Take all changed are steps
// of the history.
#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

#include "compare/TableDiff.h"
#include "core/Model.h"

class QAction;
class QDockWidget;
class QEvent;
class QPushButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace vste::ui {

class TMainForm;

// The words of `mine` and `theirs` between their common leading and trailing words, marked
// with brackets; the texts unchanged when they are equal.
std::pair<QString, QString> MarkChangedWords(const QString& mine, const QString& theirs);

class CompareController final : public QObject {
    Q_OBJECT

public:
    explicit CompareController(TMainForm& form);
    ~CompareController() override;

    QAction* action() const { return m_action; }
    QDockWidget* dock() const { return m_dock; }
    QTreeWidget* list() const { return m_list; }

    // Compares the open document with `fileName` read as format `filterIndex` and shows the dock.
    bool compareWith(const QString& fileName, int filterIndex);
    // Takes the other table's values for the changed strings of the selected rows (all changed
    // strings when `all`), as one step; returns how many strings changed.
    int takeOthers(bool all);
    // Selects the string of list row `row` in the window.
    void goToRow(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void compareClick();
    // Follows the window's document: its changes make the list again.
    void followDocument();
    // Makes the list again shortly after the document changed, once for a burst of changes.
    void scheduleFill();
    void fill();
    void retranslate();
    QTreeWidgetItem* addRow(int kind, std::uint32_t index, const TText* mine, const TText* theirs);

    TMainForm& m_form;
    std::unique_ptr<TWestwoodStrings> m_other;
    QString m_otherName;
    TableDiff m_diff;
    bool m_stale = false; // the document changed since the list was made
    QTimer* m_refill = nullptr;
    QAction* m_action = nullptr;
    QDockWidget* m_dock = nullptr;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_takeSelected = nullptr;
    QPushButton* m_takeAll = nullptr;
};

} // namespace vste::ui
