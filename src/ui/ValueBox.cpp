// SPDX-License-Identifier: MIT
#include "ui/ValueBox.h"

#include <QPlainTextEdit>
#include <QTextCursor>

#include "ui/AnsiText.h"

namespace vste::ui {

QString ValueBoxText(const std::u16string& value) {
    QString shown = U16ToQString(value);
    shown.replace(QLatin1Char('\r'), kShownCarriageReturn);
    return shown;
}

void TypeIntoValueBox(QPlainTextEdit& box, const std::u16string& value) {
    QTextCursor cursor(box.document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(ValueBoxText(value));
    cursor.endEditBlock();
    box.setTextCursor(cursor);
}

} // namespace vste::ui
