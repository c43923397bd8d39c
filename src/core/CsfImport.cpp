// SPDX-License-Identifier: MIT
// Import of the values of another table, label by label, matched by upper-cased name.
#include <string>
#include <utility>

#include "core/CompiledStrings.h"
#include "core/NameIndex.h"
#include "encoding/CodePage.h"

namespace vste {

void TCompiledStrings::ImportStrings(TWestwoodStrings& source, Progress& progress) {
    (void)ImportStringValues(source, progress);
}

TValuesSwap TCompiledStrings::ImportStringValues(TWestwoodStrings& source, Progress& progress) {
    TValuesSwap old;
    if (&source == this)
        return old; // a table importing itself would move arrays onto themselves

    // The first source label in file order wins, and each gives its values once; a second current
    // label of the same name takes the next one, or keeps its own values when none is left.
    // A source label without values has nothing to give and is passed over.
    NameIndex index(source.Body);
    SetProgressMax(progress, Body.size());
    std::string upper;
    for (std::size_t i = 0; i < Body.size(); ++i) {
        upper.clear();
        AppendAnsiUpperCase(Body[i].Name, upper);
        std::uint32_t j = index.take(upper);
        while (j != kNoString && source.Body[j].Values.empty())
            j = index.take(upper);
        if (j != kNoString) {
            // The whole array moves, so the label's value count is the source label's.
            old.StringIndexes.push_back(static_cast<std::uint32_t>(i));
            old.Values.push_back(std::exchange(Body[i].Values, std::move(source.Body[j].Values)));
            source.Body[j].Values.clear();
        }
        progress.SetPosition(ProgressIndex(i));
    }
    return old;
}

} // namespace vste
