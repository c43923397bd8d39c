// SPDX-License-Identifier: MIT
// The lines of STR text as the reader tells them apart, the name a label line gives, and the one
// rule for the names a label line carries unchanged. The writer, the str-name check and the
// window's save guard all ask FindStrNameFault, so none of them can accept a name another
// refuses.
#pragma once

#include <optional>
#include <string_view>

#include "core/Message.h"

namespace vste {

// What the reader needs to know of a line to tell its kind, without collecting its label
// characters (StringUtils.h): how many there are (counting stops at four) and the first three.
// A line without any is skipped like a blank one; one whose label characters begin with // is a
// comment; one whose label characters are END, ignoring case, ends a label.
struct StrLineMarks {
    int count = 0;
    char first[3] = {};

    bool isBlank() const { return count == 0; }
    bool isComment() const;
    bool isEnd() const;
};

StrLineMarks MarksOfStrLine(std::string_view line);

// The name a label line gives: the line cut before a // that does not begin it, without the
// spaces and tabs at either end and without its line end. Every other byte stays. The view
// points into `line`.
std::string_view StrLabelName(std::string_view line);

// Why a name cannot be written as a label line that reads back as the same name.
enum class StrNameFault {
    Empty,
    LineEnd,      // a carriage return or line feed would end the line
    Nul,          // a file holding a zero byte does not read as STR text
    LeadingSpace, // the reader drops white space at either end
    LeadingTab,
    TrailingSpace,
    TrailingTab,
    CommentMark,    // // begins a comment, which the reader cuts off
    EndKeyword,     // END, ignoring case, ends a label in the games' reader
    LeadingQuote,   // the games' reader takes a line beginning with " for a value
    ReadsAsBlank,   // no label character at all: the reader skips the line
    ReadsAsComment, // its label characters begin with //, as a comment's do
};

// The first fault of `name` in the order above; nullopt when the name can be written.
std::optional<StrNameFault> FindStrNameFault(std::string_view name);

// The fault in words: "the name is empty", "the name begins with a space", ...
Message StrNameFaultMessage(StrNameFault fault);

} // namespace vste
