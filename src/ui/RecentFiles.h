// SPDX-License-Identifier: MIT
// File > Recent files: the last files opened or saved, newest first, kept between runs.
#pragma once

#include <QObject>
#include <QString>

#include <array>

#include "ui/Settings.h"

class QAction;
class QMenu;

namespace vste::ui {

class TMainForm;

class RecentFiles final : public QObject {
    Q_OBJECT

public:
    static constexpr int kLimit = 10;

    explicit RecentFiles(TMainForm& form);

    // Puts the submenu into `menu` just after `after` (at the end when null).
    void addMenuTo(QMenu* menu, QAction* after);
    QMenu* menu() const { return m_menu; }

    // Puts `path` first (once), keeping the newest kLimit entries, and stores the list.
    void remember(const QString& path, int format);
    QList<Settings::RecentFile> files() const { return m_files; }
    // Opens entry `index` (0-based) through the window's open routine; a file that is gone is
    // dropped from the list with a message naming it.
    void open(int index);
    void clear();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rebuild();
    void retranslate();

    TMainForm& m_form;
    QMenu* m_menu;
    std::array<QAction*, kLimit> m_items{};
    QAction* m_clear;
    QList<Settings::RecentFile> m_files;
};

} // namespace vste::ui
