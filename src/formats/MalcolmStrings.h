// SPDX-License-Identifier: MIT
// Document of the Malcolm's Revenge string files (.TRE, .TRF, .TRG).
#pragma once

#include <memory>
#include <span>
#include <string>

#include "core/Model.h"

namespace vste {

class TMalcolmStrings : public TWestwoodStrings {
public:
    // Reading constructors. Throw ReadError for a malformed file, FileError when it cannot be read.
    static std::unique_ptr<TMalcolmStrings> CreateFromFile(const std::string& fileName,
                                                           Progress& progress);
    static std::unique_ptr<TMalcolmStrings> CreateFromBuffer(std::span<const std::uint8_t> data,
                                                             Progress& progress);

    // The file layout: 16-bit count, identifiers, offsets from the start of the file, and the
    // texts in the active code page, each ending with a NUL. Throws FormatError naming the string
    // when a name is not an identifier up to 65535, or a text or offset does not fit 16 bits.
    std::vector<std::uint8_t> SaveToBuffer(Progress& progress, bool ansiMode) const override;
};

} // namespace vste
