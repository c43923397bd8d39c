// SPDX-License-Identifier: MIT
#include "checks/StoreCheck.h"

#include <algorithm>

namespace vste {

StoreCheck::StoreCheck(const CheckTarget& target)
    : m_engine(target, {"unstorable-character", "too-long"}), m_scratch(1) {
    // The engine keeps a pointer to the one-string document; refuses() rewrites that string in
    // place and never resizes the body, so one prepare() serves every call.
    m_engine.prepare(m_scratch);
}

Message StoreCheck::problemMessage(StringView string, std::uint32_t valueIndex,
                                   const TTextContainer& proposed) {
    TText& candidate = m_scratch.front();
    candidate.Tag = string.labelTag();
    candidate.Name = string.name();
    candidate.Values.clear();
    for (std::uint32_t k = 0; k < std::min(valueIndex, string.valueCount()); ++k)
        candidate.Values.push_back(string.value(k).copy());
    candidate.Values.push_back(proposed);
    Message problem;
    const std::uint32_t only = 0;
    m_engine.checkStrings({&only, 1}, [&](Finding&& finding) {
        if (problem.empty() && finding.severity == Severity::Error &&
            finding.field != Field::Name && finding.valueIndex == valueIndex)
            problem = finding.wording.empty() ? Message(std::string(finding.rule))
                                              : std::move(finding.wording);
    });
    return problem;
}

} // namespace vste
