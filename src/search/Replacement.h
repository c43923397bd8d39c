// SPDX-License-Identifier: MIT
// The replacement text of a regular expression, split once into literal text and references to
// captured groups, so that each match costs only the appending.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "search/Matcher.h"

namespace vste::search {

class Matcher::Replacement {
public:
    // Literal text: no group references.
    explicit Replacement(std::u16string_view literal);
    // Parses `$n`, `${name}` and `\x` against a pattern of `groups` groups; `groupNumber` gives
    // the number of a named group or -1. Throws PatternError for a group the pattern lacks.
    Replacement(std::u16string_view text, int groups,
                const std::function<int(std::u16string_view)>& groupNumber);

    // Appends the replacement of one match of `text`; `group(n)` gives the start and end of
    // group n in `text`, or -1 when the group took no part in the match.
    template <typename GroupFn>
    void appendTo(std::u16string& out, std::u16string_view text, GroupFn group) const {
        for (const Piece& piece : m_pieces) {
            if (piece.group < 0) {
                out.append(piece.literal);
                continue;
            }
            const std::pair<int, int> range = group(piece.group);
            if (range.first >= 0 && range.second >= range.first)
                out.append(text.substr(static_cast<std::size_t>(range.first),
                                       static_cast<std::size_t>(range.second - range.first)));
        }
    }

private:
    struct Piece {
        std::u16string literal;
        int group = -1;
    };
    std::vector<Piece> m_pieces;
};

} // namespace vste::search
