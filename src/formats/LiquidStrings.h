// SPDX-License-Identifier: MIT
// Document of the Liquid text files (.LTE).
#pragma once

#include <cstdint>
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

    // Throws FormatError ("'NAME' is not a valid integer value") when a name is not an unsigned
    // 32-bit decimal number; nothing is encoded then.
    std::vector<std::uint8_t> SaveToBuffer(Progress& progress, bool ansiMode) const override;

    // The file's set of identifiers is fixed: strings are neither added nor deleted.
    void AddString(TText text) override { (void)text; }
    void DeleteString(std::uint32_t index) override { (void)index; }
};

// The identifier a string's name stands for: an unsigned 32-bit decimal number (digits only).
// Throws FormatError ("'NAME' is not a valid integer value") otherwise.
std::uint32_t ParseLiquidIdentifier(const std::string& name);

} // namespace vste
