// SPDX-License-Identifier: MIT
// Small builders for the check tests.
#pragma once

#include <string>
#include <vector>

#include "checks/CheckEngine.h"
#include "core/Model.h"

namespace vste::test {

inline TTextContainer Val(std::u16string value, std::string extra = {}) {
    TTextContainer v;
    v.Tag = kValueTagV3;
    v.Value = std::move(value);
    if (!extra.empty()) {
        v.Tag[0] = kExtraValueMark;
        v.ExtraValue = std::move(extra);
    }
    return v;
}

inline TText Str(std::string name, std::vector<TTextContainer> values) {
    TText t;
    t.Tag = kLabelTag;
    t.Name = std::move(name);
    t.Values = std::move(values);
    return t;
}

inline TText Str(std::string name, std::u16string value) {
    return Str(std::move(name), std::vector<TTextContainer>{Val(std::move(value))});
}

// The findings of one rule, or of all when `rule` is empty.
inline std::vector<Finding> Findings(const TCSFBody& body, const CheckTarget& target,
                                     const TCSFBody* reference = nullptr,
                                     const std::string& rule = {}, const CheckExtras& extras = {}) {
    const std::vector<std::string> rules =
        rule.empty() ? std::vector<std::string>{} : std::vector{rule};
    if (reference == nullptr)
        return CheckDocument(body, target, nullptr, rules, extras);
    const Reference ref(*reference, target.codePage);
    return CheckDocument(body, target, &ref, rules, extras);
}

} // namespace vste::test
