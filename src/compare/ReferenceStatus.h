// SPDX-License-Identifier: MIT
// A document read beside a reference table (the original a translation is made from): which of
// its strings still need translating, which the reference lacks, and which strings only the
// reference has. Computed once per reference; a view filters rows by the flags.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "compare/NameMatch.h"
#include "core/Model.h"

namespace vste {

enum RowFlag : std::uint8_t {
    kUntranslated = 1,         // see IsUntranslated
    kMissingInReference = 2,   // the reference has no string of that name
    kDiffersFromReference = 4, // the differs rule holds (placeholders, line breaks, ...)
};

// Decides whether a document string departs from its reference string in what the game relies
// on, such as placeholders or line breaks. The rules themselves belong to the checks; the
// comparison only calls the one it is given.
using DiffersRule = std::function<bool(const TText& string, const TText& reference)>;

// A value still needs translating when it is empty, or when it equals the reference's value of
// the same number while that one is not empty. A string is untranslated when any of its values
// is; `reference` may be null (a string the reference lacks is untranslated only when empty).
bool IsUntranslated(const TText& string, const TText* reference);

struct ReferenceStatus {
    NameMatch match;                            // toB: document -> reference; toA: back
    std::vector<std::uint8_t> flags;            // per document string, RowFlag bits
    std::vector<std::uint32_t> onlyInReference; // reference indexes, in the reference's order

    // How many document strings carry `flag`.
    std::size_t count(RowFlag flag) const;
    std::uint32_t referenceOf(std::uint32_t row) const { return match.toB[row]; }
};

// `differs` may be empty: no string is then flagged kDiffersFromReference. It is called only
// for strings that have a reference string.
ReferenceStatus CompareWithReference(const TCSFBody& document, const TCSFBody& reference,
                                     const DiffersRule& differs = {}, int codePage = 0);

} // namespace vste
