// SPDX-License-Identifier: MIT
#include "ui/BottomPanels.h"
#include "ui/WindowRoom.h"

#include <QAbstractItemView>
#include <QDockWidget>
#include <QEvent>
#include <QHeaderView>
#include <QMainWindow>
#include <QTableView>
#include <QTimer>
#include <QTreeView>

#include <algorithm>

namespace vste::ui {

namespace {

int RowHeight(const QAbstractItemView& list) {
    if (const auto* table = qobject_cast<const QTableView*>(&list))
        return table->verticalHeader()->defaultSectionSize();
    const int hint = list.sizeHintForRow(0);
    return hint > 0 ? hint : list.fontMetrics().height() + 6;
}

int HeaderHeight(const QAbstractItemView& list) {
    if (const auto* table = qobject_cast<const QTableView*>(&list))
        return table->horizontalHeader()->sizeHint().height();
    if (const auto* tree = qobject_cast<const QTreeView*>(&list))
        return tree->isHeaderHidden() ? 0 : tree->header()->sizeHint().height();
    return 0;
}

} // namespace

BottomPanels::BottomPanels(QMainWindow& window) : QObject(&window), m_window(window) {
    setObjectName(QStringLiteral("BottomPanels"));
}

void BottomPanels::add(QDockWidget* dock, int rows) {
    if (!m_docks.empty())
        m_window.tabifyDockWidget(m_docks.back(), dock);
    m_docks.push_back(dock);
    m_rows.push_back(rows);
    dock->installEventFilter(this);
}

int BottomPanels::wantedHeight(const QDockWidget& dock, int rows) {
    const QWidget* content = dock.widget();
    const auto* list = content ? content->findChild<QAbstractItemView*>() : nullptr;
    if (!list)
        return dock.sizeHint().height();
    const int listHeight = rows * RowHeight(*list) + HeaderHeight(*list) + 2 * list->frameWidth();
    // What the dock holds besides its list: title, counts, buttons, margins.
    const int rest = std::max(0, dock.sizeHint().height() - list->sizeHint().height());
    return listHeight + rest;
}

bool BottomPanels::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        auto* dock = static_cast<QDockWidget*>(watched);
        // After the show: the main window lays the dock out first.
        QTimer::singleShot(0, this, [this, dock] { opened(dock); });
    }
    return QObject::eventFilter(watched, event);
}

bool BottomPanels::anotherIsOpen(const QDockWidget* dock) const {
    return std::any_of(m_docks.begin(), m_docks.end(), [dock](const QDockWidget* other) {
        return other != dock && other->isVisible() && !other->isFloating();
    });
}

void BottomPanels::opened(QDockWidget* dock) {
    if (!dock->isVisible() || dock->isFloating())
        return;
    dock->raise(); // the panel just opened is the tab in front
    if (anotherIsOpen(dock))
        return; // the area is open already at the height the user left it
    const auto at = std::find(m_docks.begin(), m_docks.end(), dock);
    const int wanted = wantedHeight(*dock, m_rows[static_cast<std::size_t>(at - m_docks.begin())]);
    if (!m_grown && !(m_window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        m_grown = true;
        GrowWithinScreen(m_window, 0, wanted - dock->height());
    }
    m_window.resizeDocks({dock}, {wanted}, Qt::Vertical);
}

} // namespace vste::ui
