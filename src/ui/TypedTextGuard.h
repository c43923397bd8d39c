// SPDX-License-Identifier: MIT
// The question before Apply or Insert stores a typed name or extra value with characters the
// code page cannot hold: names and extra values are single-byte text, so such a character would
// become '?' or a look-alike at once. Nothing is stored that way unless the user says so.
#pragma once

#include <QCoreApplication>
#include <QString>

class QWidget;

namespace vste::ui {

class Dialogs;

class TypedTextGuard {
    Q_DECLARE_TR_FUNCTIONS(vste::ui::TypedTextGuard)

public:
    // What the active code page loses of the typed `name` and `extra`, one line per box; empty
    // when it holds every character.
    static QString describeLosses(const QString& name, const QString& extra);
    // True when both texts fit the code page, or the user chose to store them anyway (Cancel is
    // the default).
    static bool confirm(QWidget* parent, Dialogs& dialogs, const QString& name,
                        const QString& extra);
};

} // namespace vste::ui
