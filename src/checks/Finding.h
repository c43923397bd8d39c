// SPDX-License-Identifier: MIT
// What a check reports, and what it checks against: the format a document is (or will be)
// written in, the code page and the optional reference table.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/Message.h"
#include "core/NameIndex.h"
#include "formats/Registry.h"

namespace vste {

enum class Severity { Error, Warning };
// The part of a string a finding is about (Field, in the core): whole-string findings name the
// name.

std::string_view SeverityName(Severity severity); // "error", "warning"

struct Finding {
    std::string_view rule; // a rule id, such as "duplicate-name"
    Severity severity = Severity::Error;
    std::uint32_t index = kNoString; // the string in the document; kNoString: only in reference
    std::string name;                // the string's name, single-byte as stored
    std::uint32_t valueIndex = 0;    // 0-based; 0 for a name or a whole-string finding
    Field field = Field::Name;
    std::string message; // UTF-8, in English: EnglishText(wording)
    Message wording;     // the same as an id with arguments, for a program that words it itself
};

// A finding whose message is `wording` in English.
inline Finding MakeFinding(std::string_view rule, Severity severity, std::uint32_t index,
                           std::string name, std::uint32_t valueIndex, Field field,
                           Message wording) {
    std::string english = EnglishText(wording);
    return Finding{rule,
                   severity,
                   index,
                   std::move(name),
                   valueIndex,
                   field,
                   std::move(english),
                   std::move(wording)};
}

// How the document is to be written: the format, whether CSF values go single-byte, and the
// code page of single-byte text (0: the active one).
struct CheckTarget {
    DocumentFormat format = DocumentFormat::CSF;
    bool ansiMode = false;
    int codePage = 0;
};

// The original-language table a translation is checked against, with its names indexed once.
// The table must outlive the reference and stay unchanged.
class Reference {
public:
    explicit Reference(const TCSFBody& body, int codePage = 0)
        : m_body(body), m_index(body, codePage) {}
    const TCSFBody& body() const { return m_body; }
    const NameIndex& index() const { return m_index; }

private:
    const TCSFBody& m_body;
    NameIndex m_index;
};

} // namespace vste
