// SPDX-License-Identifier: MIT
// The value box's text: how a value is shown in it, and text put into it as if typed.
#pragma once

#include <QChar>
#include <QString>

#include <string>

class QPlainTextEdit;

namespace vste::ui {

// Carriage returns stay inside a line of the value box: the text widget would otherwise start a
// new line at each of them, and an Apply would turn CR LF into two line breaks.
inline constexpr QChar kShownCarriageReturn(0x240D);

// `value` as the value box shows it.
QString ValueBoxText(const std::u16string& value);
// Replaces the box's text with `value` as one edit of the box: typed text that is not applied
// yet, which one Undo of the box takes back.
void TypeIntoValueBox(QPlainTextEdit& box, const std::u16string& value);

} // namespace vste::ui
