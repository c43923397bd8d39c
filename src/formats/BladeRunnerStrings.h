// SPDX-License-Identifier: MIT
// Document of the Blade Runner and Lands of Lore 2 string files (.TRR).
#pragma once

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

    std::vector<std::uint8_t> SaveToBuffer(Progress& progress, bool ansiMode) const override;
};

} // namespace vste
