// SPDX-License-Identifier: MIT
// Carrying a translation over to a new version of its original (a three-way update): the
// strings of the new original, in its order, with the translation's values wherever the
// translation has the string. Pure: the tables given are not changed, so a window can apply the
// result as one undoable step.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Model.h"
#include "formats/Registry.h"

namespace vste {

struct UpdateReport {
    std::uint32_t kept = 0;             // translated, and the original did not change
    std::vector<std::uint32_t> changed; // result indexes: translated, but the original changed
    std::vector<std::uint32_t> added;   // result indexes: new strings, with the original's values
    std::vector<std::uint32_t> removed; // translation indexes of strings the new original lacks
};

struct UpdatedTable {
    // The new original's strings, spelt as it spells them, then, when removed strings are kept,
    // those of the translation in its order (at indexes size of the new original and up).
    TCSFBody body;
    UpdateReport report;
};

struct UpdateOptions {
    bool keepRemoved = false;
    int codePage = 0; // for matching names ignoring case; 0: the active code page
};

// For each string of `newSource`: when `translation` has it, its values are taken, and the
// string is `changed` unless `oldSource` has it with the same values (SameValues) as
// `newSource`, else `kept`; when `translation` lacks it, the new original's values are taken and
// it is `added`. Names match ignoring case, duplicates as MatchByName pairs them.
//
// The result suits the translation's format (`format`, as the registry describes it): strings keep
// the translation's tags; added strings of a CSF translation get the value tags of its version, and
// every string of an Empire at War translation whose name changed gets the key of its new name.
UpdatedTable UpdateTranslation(const TCSFBody& oldSource, const TCSFBody& newSource,
                               const TWestwoodStrings& translation, DocumentFormat format,
                               const UpdateOptions& options);

// The same for `strings`, the translation's strings taken out of it (TakeStrings), the
// translation lending only its format: the strings the result takes are moved out of `strings`
// rather than copied; the strings it drops stay. For a caller that puts the result into the
// translation (SwapStrings) straight away.
UpdatedTable UpdateTranslationConsuming(const TCSFBody& oldSource, const TCSFBody& newSource,
                                        const TWestwoodStrings& translation, DocumentFormat format,
                                        TCSFBody& strings, const UpdateOptions& options);

} // namespace vste
