// SPDX-License-Identifier: MIT
// Which characters of a text a single-byte code page cannot hold, found with the very
// conversions the writers use, so the answer is what a save would really write.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/Message.h"

namespace vste {

struct LostCharacter {
    char32_t character;
    std::u16string writtenAs; // what reading the written byte gives back: a look-alike, "?", or
                              // empty when the conversion drops the character
};

enum class Conversion {
    Composing, // WideToAnsi: composes to NFC first, look-alikes, drops lone combining marks
    Plain,     // PlainCodec: one character at a time, as the STR text is written
};

// The distinct characters of `text` the code page (0: active) cannot hold, in order of first
// appearance. A text that comes back canonically equal (a letter and its combining accent
// stored as the precomposed letter) loses nothing. NUL characters are not looked at: callers
// decide what a NUL means for their field.
std::vector<LostCharacter> LostCharacters(std::u16string_view text, int codePage,
                                          Conversion conversion);

// "code page 1251 cannot hold U+03A9 'Ω' (written as '?'), ..."; at most five characters are
// listed, then how many more there are.
Message DescribeLost(const std::vector<LostCharacter>& lost, int codePage);

} // namespace vste
