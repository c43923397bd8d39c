// SPDX-License-Identifier: MIT
#include "compare/ReferenceStatus.h"

#include <algorithm>

namespace vste {

bool IsUntranslated(const TText& string, const TText* reference) {
    for (std::size_t k = 0; k < string.Values.size(); ++k) {
        const std::u16string& value = string.Values[k].Value;
        if (value.empty())
            return true;
        if (reference && k < reference->Values.size()) {
            const std::u16string& original = reference->Values[k].Value;
            if (!original.empty() && value == original)
                return true;
        }
    }
    return false;
}

std::size_t ReferenceStatus::count(RowFlag flag) const {
    return static_cast<std::size_t>(std::count_if(
        flags.begin(), flags.end(), [flag](std::uint8_t f) { return (f & flag) != 0; }));
}

ReferenceStatus CompareWithReference(const TCSFBody& document, const TCSFBody& reference,
                                     const DiffersRule& differs, int codePage) {
    ReferenceStatus status;
    status.match = MatchByName(document, reference, codePage);
    status.flags.assign(document.size(), 0);
    for (std::uint32_t i = 0; i < document.size(); ++i) {
        const std::uint32_t j = status.match.toB[i];
        const TText* original = j == kNoString ? nullptr : &reference[j];
        std::uint8_t f = 0;
        if (!original)
            f |= kMissingInReference;
        if (IsUntranslated(document[i], original))
            f |= kUntranslated;
        if (original && differs && differs(document[i], *original))
            f |= kDiffersFromReference;
        status.flags[i] = f;
    }
    for (std::uint32_t j = 0; j < reference.size(); ++j)
        if (status.match.toA[j] == kNoString)
            status.onlyInReference.push_back(j);
    return status;
}

} // namespace vste
