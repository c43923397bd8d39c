// SPDX-License-Identifier: MIT
// The tables the comparison benchmarks measure, made from the million-label table: a newer
// version of it (some values edited, some strings removed, added or re-cased, the order kept)
// and a translation of it (every value changed).
#pragma once

#include <cctype>
#include <string>

#include "BigTable.h"

namespace vste::bench {

// Every 100th value edited, every 1000th string removed, every 500th name upper-cased, and one
// new string after every 1000th.
inline TCSFBody newerVersion(const TCSFBody& original) {
    TCSFBody body;
    body.reserve(original.size() + original.size() / 1000);
    for (std::size_t i = 0; i < original.size(); ++i) {
        if (i % 1000 == 999)
            continue;
        TText text = original[i];
        if (i % 100 == 7)
            text.Values[0].Value += u" (patched)";
        if (i % 500 == 3)
            for (char& c : text.Name)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        body.push_back(std::move(text));
        if (i % 1000 == 0) {
            TText added = original[i];
            added.Name = "NEW:Added" + std::to_string(i);
            body.push_back(std::move(added));
        }
    }
    return body;
}

// Every value replaced by its reverse, as a stand-in for a translation.
inline TCSFBody translationOf(const TCSFBody& original) {
    TCSFBody body = original;
    for (TText& text : body)
        for (TTextContainer& v : text.Values)
            v.Value.assign(v.Value.rbegin(), v.Value.rend());
    return body;
}

} // namespace vste::bench
