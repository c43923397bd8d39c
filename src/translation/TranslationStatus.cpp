// SPDX-License-Identifier: MIT
#include "translation/TranslationStatus.h"

#include "compare/NameMatch.h"

namespace vste {

namespace {

const std::u16string& FirstValue(const TText& text) {
    static const std::u16string none;
    return text.Values.empty() ? none : text.Values.front().Value;
}

} // namespace

bool FirstValueUntranslated(const TText& string, const TText& source) {
    const std::u16string& value = FirstValue(string);
    return value.empty() || value == FirstValue(source);
}

TranslationStatus CountTranslation(const TCSFBody& source, const TCSFBody& translation,
                                   int codePage) {
    const NameMatch match = MatchByName(source, translation, codePage);
    TranslationStatus status;
    status.strings = translation.size();
    for (std::uint32_t i = 0; i < source.size(); ++i) {
        const std::uint32_t j = match.toB[i];
        if (j == kNoString)
            ++status.missing;
        else if (FirstValueUntranslated(translation[j], source[i]))
            ++status.untranslated;
        else
            ++status.translated;
    }
    for (std::uint32_t a : match.toA)
        status.onlyHere += a == kNoString;
    status.percent = source.empty() ? 0 : status.translated * 100 / source.size();
    return status;
}

TranslationStatus CountTranslation(const OutlineNames& source, const CsfOutline& translation) {
    const CsfOutline& table = source.table();
    const OutlinePairing pairing = source.pair(translation);
    TranslationStatus status;
    status.strings = translation.size();
    std::size_t paired = 0;
    for (std::uint32_t j = 0; j < translation.size(); ++j) {
        const std::uint32_t i = pairing.toB[j];
        if (i == kNoString) {
            ++status.onlyHere;
            continue;
        }
        ++paired;
        const StoredText value = translation.value(j, 0);
        if (value.empty() || value == table.value(i, 0))
            ++status.untranslated;
        else
            ++status.translated;
    }
    status.missing = table.size() - paired;
    status.percent = table.size() == 0 ? 0 : status.translated * 100 / table.size();
    return status;
}

} // namespace vste
