// SPDX-License-Identifier: MIT
// Keyboard use of the window: accelerator letters for the menus in whichever language is shown,
// the tab order through the window, Enter or F2 from the grid to the value box, Ctrl+Enter to
// apply the edited value, and the usual keys of Save as and Redo on every platform.
#pragma once

#include <QObject>
#include <QString>

class QMenu;
class QMenuBar;

namespace vste::ui {

class TMainForm;

class KeyboardAccess final : public QObject {
    Q_OBJECT

public:
    explicit KeyboardAccess(TMainForm& form);

    // Gives every menu of the bar a letter of its own; the items of a menu get theirs when it
    // is about to be shown, so that items added or renamed later are covered too.
    void markMenuBar();
    static void markMenu(QMenu* menu);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setTabOrder();
    void addMissingKeys();
    void watchMenus();

    TMainForm& m_form;
    bool m_markPending = false;
};

// `text` without its accelerator mark; a doubled "&&" (a shown ampersand) stays as it is.
QString WithoutAccelerator(const QString& text);
// The accelerator letter of `text` in lower case; null when it has none.
QChar AcceleratorOf(const QString& text);

} // namespace vste::ui
