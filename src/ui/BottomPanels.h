// SPDX-License-Identifier: MIT
// The panels of the window's bottom area (Problems, Find, Compare): opened together they share
// the area as tabs, each opens tall enough for ten rows of its list, and the first time one
// opens the window grows by that much where the screen has room, so that the editor above keeps
// its buttons in view.
#pragma once

#include <QObject>

#include <vector>

class QDockWidget;
class QMainWindow;

namespace vste::ui {

class BottomPanels final : public QObject {
    Q_OBJECT

public:
    // The rows a panel shows when it opens, unless it is added with fewer.
    static constexpr int kRows = 10;

    explicit BottomPanels(QMainWindow& window);
    // Adds a dock of the bottom area, tabbed with those added before it, opening with `rows`
    // rows of its list.
    void add(QDockWidget* dock, int rows = kRows);
    // The height that shows `rows` rows of the dock's list with the rest of its content.
    static int wantedHeight(const QDockWidget& dock, int rows = kRows);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void opened(QDockWidget* dock);
    bool anotherIsOpen(const QDockWidget* dock) const;

    QMainWindow& m_window;
    std::vector<QDockWidget*> m_docks;
    std::vector<int> m_rows;
    bool m_grown = false;
};

} // namespace vste::ui
