// SPDX-License-Identifier: MIT
#include "compare/TableDiff.h"

namespace vste {

bool SameValues(const TText& a, const TText& b) {
    if (a.Values.size() != b.Values.size())
        return false;
    for (std::size_t k = 0; k < a.Values.size(); ++k) {
        const TTextContainer& x = a.Values[k];
        const TTextContainer& y = b.Values[k];
        if (x.Value != y.Value || x.ExtraValue != y.ExtraValue)
            return false;
    }
    return true;
}

TableDiff DiffTables(const TCSFBody& a, const TCSFBody& b, int codePage) {
    const NameMatch match = MatchByName(a, b, codePage);
    TableDiff diff;
    for (std::uint32_t i = 0; i < a.size(); ++i) {
        const std::uint32_t j = match.toB[i];
        if (j == kNoString)
            diff.onlyInA.push_back(i);
        else if (a[i].Name != b[j].Name || !SameValues(a[i], b[j]))
            diff.changed.push_back({i, j});
    }
    for (std::uint32_t j = 0; j < b.size(); ++j)
        if (match.toA[j] == kNoString)
            diff.onlyInB.push_back(j);
    return diff;
}

} // namespace vste
