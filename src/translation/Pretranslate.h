// SPDX-License-Identifier: MIT
// Filling a table's untranslated strings from a translation memory, computed first as a plan
// that changes nothing (the command line applies it at once; the window can push it as one
// undoable step).
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/Model.h"
#include "core/StringTable.h"
#include "translation/FuzzyIndex.h"
#include "translation/Tmx.h"

namespace vste {

// True when the table's format cannot store `proposed` as value `valueIndex` of `string`; the
// string is then refused and left as it is.
using StoreRefusal = std::function<bool(StringView string, std::uint32_t valueIndex,
                                        const TTextContainer& proposed)>;

struct Pretranslation {
    struct Fill {
        std::uint32_t string = 0;
        std::u16string value; // the new first value
        int score = 100;
    };
    std::vector<Fill> fills;            // in table order
    std::vector<std::uint32_t> refused; // strings whose suggestion the format cannot store
    std::size_t left = 0;               // untranslated strings still left after the fills
};

// For each string of `table` paired by name ignoring case with a string of `source` and
// untranslated (FirstValueUntranslated), the best unit of `memory` whose source scores at least
// `minScore` against the source string's first value gives the new first value.
Pretranslation PlanPretranslation(const TCSFBody& table, const TCSFBody& source,
                                  std::span<const TmUnit> memory, const FuzzyIndex& index,
                                  int minScore, const StoreRefusal& refuse = {}, int codePage = 0);

// Sets the first values the plan fills; the extra values stay.
void ApplyPretranslation(TWestwoodStrings& table, const Pretranslation& plan);

} // namespace vste
