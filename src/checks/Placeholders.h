// SPDX-License-Identifier: MIT
// The printf-style placeholders of a value: %s %d %i %u %x %X %c %f %ls %S with flags, width
// and precision, plain (%s, taken in order) or positional (%1$s); %% is text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Message.h"

namespace vste {

struct Placeholder {
    std::u16string text; // as written, "%-5.2f"
    std::string kind;    // what the argument must be: length and conversion, a '*' for each
                         // argument a star takes ("ls", "*d")
    int position = 0;    // 1.. for %1$s; 0 for a plain placeholder
};

std::vector<Placeholder> FindPlaceholders(std::u16string_view value);

// Why the placeholders of `value` do not fit those of `reference` (plain ones must come in the
// same order, positional ones may move but must be the same set); nullopt when they fit.
std::optional<Message> PlaceholderMismatch(std::u16string_view value,
                                           std::u16string_view reference);

} // namespace vste
