// SPDX-License-Identifier: MIT
// View > Wrap long values: the value box breaks long lines at the box's width instead of
// scrolling sideways, and the grid's value tooltips show whole values broken into lines. The
// choice is remembered between runs.
#pragma once

#include <QObject>

class QAction;
class QEvent;
class QMenu;

namespace vste::ui {

class TMainForm;

class ValueWrapping final : public QObject {
    Q_OBJECT

public:
    // Adds the item to the window's View menu and applies the remembered choice.
    explicit ValueWrapping(TMainForm& form);

    QAction* action() const { return m_action; }
    void setWrapping(bool wrap);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void retranslate();

    TMainForm& m_form;
    QMenu* m_menu = nullptr;
    QAction* m_action = nullptr;
};

} // namespace vste::ui
