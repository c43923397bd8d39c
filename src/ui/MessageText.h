// SPDX-License-Identifier: MIT
// The engine's messages (findings, refused saves, unreadable files) in the interface language:
// the one place where the window words a message id. Its English equals the engine's own.
#pragma once

#include <QCoreApplication>
#include <QString>

#include <exception>

#include "core/Message.h"

namespace vste::ui {

class MessageText {
    Q_DECLARE_TR_FUNCTIONS(vste::ui::MessageText)

public:
    // The message in the interface language; verbatim parts (names, numbers) stay as they are.
    static QString text(const Message& message);
    // An error as the window shows it: a DocumentError's message worded here, any other
    // exception's what() as it is.
    static QString ofError(const std::exception& error);
    // The pattern of a worded id in the interface language, with %1..%9 for its arguments;
    // empty for Verbatim and List.
    static QString pattern(MessageId id);
    // The English source of the same pattern, as the translation file holds it.
    static const char* source(MessageId id);
    // The system's reason for error number `err` in the interface language, or `fallback` (the
    // system's own text) for a number the window does not word itself.
    static QString systemReason(int err, const QString& fallback);
};

} // namespace vste::ui
