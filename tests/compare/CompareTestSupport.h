// SPDX-License-Identifier: MIT
// Small tables for the comparison tests.
#pragma once

#include <string>
#include <vector>

#include "core/Model.h"
#include "encoding/CodePage.h"

namespace vste::test {

struct V {
    std::u16string value;
    std::string extra = {};
};

inline TText Str(const std::string& name, std::vector<V> values) {
    TText text;
    text.Tag = kLabelTag;
    text.Name = name;
    for (V& v : values) {
        TTextContainer c;
        c.Tag = kValueTagV3;
        if (!v.extra.empty())
            c.Tag[0] = kExtraValueMark;
        c.Value = std::move(v.value);
        c.ExtraValue = std::move(v.extra);
        text.Values.push_back(std::move(c));
    }
    return text;
}

inline TText Str(const std::string& name, const std::u16string& value) {
    return Str(name, std::vector<V>{{value}});
}

} // namespace vste::test
