// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>
#include <string>

namespace vste {

// Base of every error a document operation reports; what() is the text shown to the user.
class DocumentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The input ends before a field or text that its counts and lengths announce, or its numbers
// are impossible for its size.
class ReadError : public DocumentError {
public:
    ReadError() : DocumentError("Stream read error") {}
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
