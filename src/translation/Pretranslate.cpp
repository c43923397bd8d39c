// SPDX-License-Identifier: MIT
#include "translation/Pretranslate.h"

#include "compare/NameMatch.h"
#include "translation/TranslationStatus.h"

namespace vste {

Pretranslation PlanPretranslation(const TCSFBody& table, const TCSFBody& source,
                                  std::span<const TmUnit> memory, const FuzzyIndex& index,
                                  int minScore, const StoreRefusal& refuse, int codePage) {
    const NameMatch match = MatchByName(table, source, codePage);
    Pretranslation plan;
    for (std::uint32_t j = 0; j < table.size(); ++j) {
        const std::uint32_t i = match.toB[j];
        if (i == kNoString || !FirstValueUntranslated(table[j], source[i]))
            continue;
        const TText& string = table[j];
        const std::vector<FuzzyMatch> best =
            string.Values.empty() || source[i].Values.empty()
                ? std::vector<FuzzyMatch>{}
                : index.search(source[i].Values.front().Value, minScore, 1);
        if (best.empty()) {
            ++plan.left;
            continue;
        }
        TTextContainer proposed = string.Values.front();
        proposed.Value = memory[best.front().unit].target;
        if (refuse && refuse(StringView(string), 0, proposed)) {
            plan.refused.push_back(j);
            ++plan.left;
            continue;
        }
        plan.fills.push_back({j, std::move(proposed.Value), best.front().score});
    }
    return plan;
}

void ApplyPretranslation(TWestwoodStrings& table, const Pretranslation& plan) {
    for (const Pretranslation::Fill& fill : plan.fills)
        table.SetValue(fill.string, 0, fill.value, table.Body[fill.string].Values[0].ExtraValue);
}

} // namespace vste
