// SPDX-License-Identifier: MIT
// Document of the Liquid text files (.LTE).
#pragma once

#include <memory>
#include <span>
#include <string>

#include "core/Model.h"

namespace vste {

class TLiquidStrings : public TWestwoodStrings {
public:
    // Reading constructors. Throw ReadError for a malformed file, FileError when it cannot be read.
    static std::unique_ptr<TLiquidStrings> CreateFromFile(const std::string& fileName,
                                                         Progress& progress);
    static std::unique_ptr<TLiquidStrings> CreateFromBuffer(std::span<const std::uint8_t> data,
                                                           Progress& progress);

    std::vector<std::uint8_t> SaveToBuffer(Progress& progress, bool ansiMode) const override;
};

} // namespace vste
