// SPDX-License-Identifier: MIT
#include "compare/NameMatch.h"

#include <string>

#include "encoding/CodePage.h"

namespace vste {

NameMatch MatchByName(const TCSFBody& a, const TCSFBody& b, int codePage) {
    NameIndex index(b, codePage);
    NameMatch match;
    match.toB.assign(a.size(), kNoString);
    match.toA.assign(b.size(), kNoString);
    std::string upper;
    for (std::uint32_t i = 0; i < a.size(); ++i) {
        upper.clear();
        AppendAnsiUpperCase(a[i].Name, upper, codePage);
        const std::uint32_t j = index.take(upper);
        if (j == kNoString)
            continue;
        match.toB[i] = j;
        match.toA[j] = i;
    }
    return match;
}

} // namespace vste
