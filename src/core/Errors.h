// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "core/Message.h"

namespace vste {

// Base of every error a document operation reports; what() is the text shown to the user in
// English, message() the same as an id with arguments for a program that words it itself.
class DocumentError : public std::runtime_error {
public:
    explicit DocumentError(const Message& message)
        : std::runtime_error(EnglishText(message)),
          m_message(std::make_shared<const Message>(message)) {}
    // An error worded only in English (a library's own text).
    explicit DocumentError(const std::string& text) : DocumentError(Message(text)) {}
    explicit DocumentError(const char* text) : DocumentError(Message(text)) {}

    const Message& message() const { return *m_message; }

private:
    std::shared_ptr<const Message> m_message; // shared, so that copying the error throws nothing
};

// The input ends before a field or text that its counts and lengths announce, or its numbers
// are impossible for its size.
class ReadError : public DocumentError {
public:
    ReadError() : DocumentError(Message(MessageId::StreamReadError)) {}
};

// A file cannot be opened, created or written; the message names the file.
class FileError : public DocumentError {
public:
    using DocumentError::DocumentError;
};

// The document cannot be expressed in the requested layout (a value too long for a 16-bit
// size field, a name that is not a number, ...). Nothing has been written.
class FormatError : public DocumentError {
public:
    using DocumentError::DocumentError;
};

} // namespace vste
