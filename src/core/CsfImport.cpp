// SPDX-License-Identifier: MIT
// Import of the values of another table, label by label, matched by upper-cased name.
#include <algorithm>
#include <climits>
#include <unordered_map>

#include "core/CompiledStrings.h"
#include "core/CsfText.h"

namespace vste {

void TCompiledStrings::ImportStrings(TWestwoodStrings& source, Progress& progress) {
    if (&source == this)
        return; // a table importing itself would move arrays onto themselves
    constexpr std::uint32_t kNone = UINT32_MAX;

    // Source labels of each upper-cased name, chained in file order: a current label takes the
    // first one not yet given away, so the first source label wins and each gives its values
    // once. A source label without values has nothing to give.
    struct Chain {
        std::uint32_t head;
        std::uint32_t tail;
    };
    const std::size_t sourceCount = source.Body.size();
    std::unordered_map<std::string, Chain> index;
    index.reserve(sourceCount);
    std::vector<std::uint32_t> next(sourceCount, kNone);
    for (std::uint32_t j = 0; j < sourceCount; ++j) {
        if (source.Body[j].Values.empty())
            continue;
        auto [it, added] = index.try_emplace(csf::UpperCaseName(source.Body[j].Name), Chain{j, j});
        if (!added) {
            next[it->second.tail] = j;
            it->second.tail = j;
        }
    }

    progress.SetMax(
        Body.empty() ? -1 : static_cast<int>(std::min<std::size_t>(Body.size() - 1, INT_MAX)));
    for (std::size_t i = 0; i < Body.size(); ++i) {
        auto it = index.find(csf::UpperCaseName(Body[i].Name));
        if (it != index.end() && it->second.head != kNone) {
            const std::uint32_t j = it->second.head;
            it->second.head = next[j];
            // The whole array moves, so the label's value count is the source label's.
            Body[i].Values = std::move(source.Body[j].Values);
            source.Body[j].Values.clear();
        }
        progress.SetPosition(static_cast<int>(std::min<std::size_t>(i, INT_MAX)));
    }
}

} // namespace vste
