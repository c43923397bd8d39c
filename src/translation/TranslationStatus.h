// SPDX-License-Identifier: MIT
// How far a translation of a source table has come: its strings paired with the source's by name
// ignoring case (as the reference pairs them), counted as translated, untranslated, missing and
// only in the translation.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/Model.h"
#include "translation/CsfOutline.h"

namespace vste {

struct TranslationStatus {
    std::size_t strings = 0;      // the translation's strings
    std::size_t translated = 0;   // paired, and not untranslated
    std::size_t untranslated = 0; // paired, and FirstValueUntranslated
    std::size_t missing = 0;      // source strings the translation lacks
    std::size_t onlyHere = 0;     // translation strings the source lacks
    std::size_t percent = 0;      // translated * 100 / source strings, rounded down
};

// A string still needs translating when its first value is empty or exactly the source string's
// first value.
bool FirstValueUntranslated(const TText& string, const TText& source);

TranslationStatus CountTranslation(const TCSFBody& source, const TCSFBody& translation,
                                   int codePage = 0);
// The same for outlined tables, the source's names grouped once for any number of translations.
TranslationStatus CountTranslation(const OutlineNames& source, const CsfOutline& translation);

} // namespace vste
