// SPDX-License-Identifier: MIT
// Document of the Blade Runner and Lands of Lore 2 string files (.TRR).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "core/Model.h"

namespace vste {

class TBladeRunnerStrings : public TWestwoodStrings {
public:
    // Reading constructors. Throw ReadError for a malformed file, FileError when it cannot be read.
    static std::unique_ptr<TBladeRunnerStrings> CreateFromFile(const std::string& fileName,
                                                               Progress& progress);
    static std::unique_ptr<TBladeRunnerStrings> CreateFromBuffer(std::span<const std::uint8_t> data,
                                                                 Progress& progress);

    // The file layout: 32-bit count, identifiers, N + 1 offsets counted from byte 4 (the first
    // is 4 + 8 * N), and the texts in the active code page, each ending with a NUL. Throws
    // FormatError naming the string when a name is not an identifier or the file would pass 4 GiB.
    std::vector<std::uint8_t> SaveToBuffer(Progress& progress, bool ansiMode) const override;
};

} // namespace vste
