// SPDX-License-Identifier: MIT
// Expands arbitrary bytes as compressed Westwood text. Each source byte gives at most two
// characters, and an escape takes its next byte with it, so the result is bounded; a letter pair
// always expands to the same two letters wherever it stands.
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "core/WestwoodText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vste::fuzz::Check;
    const std::string_view source(reinterpret_cast<const char*>(data), size);
    const std::string result = vste::DecompressWestwoodText(source);
    Check(result.size() <= 2 * size, "expansion longer than two characters per byte");

    // Splitting the source between two bytes that are not an escape and its operand must not
    // change the result.
    if (size >= 2) {
        std::size_t cut = size / 2;
        if (static_cast<unsigned char>(source[cut - 1]) != 0x1B) {
            bool insideEscape = false;
            for (std::size_t i = 0; i < cut; ++i)
                insideEscape = !insideEscape && static_cast<unsigned char>(source[i]) == 0x1B;
            if (!insideEscape)
                Check(vste::DecompressWestwoodText(source.substr(0, cut)) +
                              vste::DecompressWestwoodText(source.substr(cut)) ==
                          result,
                      "expanding in two pieces differs from expanding at once");
        }
    }
    return 0;
}
