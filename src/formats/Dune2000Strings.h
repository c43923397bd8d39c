// SPDX-License-Identifier: MIT
// Document of the Dune 2000 string tables (.UIB).
#pragma once

#include <memory>
#include <span>
#include <string>

#include "core/Model.h"

namespace vste {

class TDune2000Strings : public TWestwoodStrings {
public:
    // Reading constructors. Throw ReadError for a malformed file, FileError when it cannot be read.
    static std::unique_ptr<TDune2000Strings> CreateFromFile(const std::string& fileName,
                                                            Progress& progress);
    static std::unique_ptr<TDune2000Strings> CreateFromBuffer(std::span<const std::uint8_t> data,
                                                              Progress& progress);

    std::vector<std::uint8_t> SaveToBuffer(Progress& progress, bool ansiMode) const override;
};

} // namespace vste
