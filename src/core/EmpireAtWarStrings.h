// SPDX-License-Identifier: MIT
// Document of the Empire at War text data files (.DAT), and parent of the CSF document, which
// takes its string deleting from here.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "core/Model.h"

namespace vste {

class TEmpireAtWarStrings : public TWestwoodStrings {
public:
    // Reading constructors. Throw ReadError for a malformed file, FileError when it cannot be read.
    static std::unique_ptr<TEmpireAtWarStrings> CreateFromFile(const std::string& fileName,
                                                               Progress& progress);
    static std::unique_ptr<TEmpireAtWarStrings> CreateFromBuffer(std::span<const std::uint8_t> data,
                                                                 Progress& progress);

    TCat GetCategories() const override;
    void SaveToFile(const std::string& fileName, Progress& progress, bool ansiMode) override;
    void AddString(TText text) override;
    void DeleteString(std::uint32_t index) override;
    std::vector<std::uint8_t> SaveToBuffer(Progress& progress, bool ansiMode) const override;

    // The key the game looks a string up by: the standard CRC-32 (zlib's crc32) of the name's
    // bytes, stored little-endian as the first value's Tag.
    static Tag4 KeyForName(std::string_view name);

    // Whether the keys were in ascending order (as unsigned numbers) when the file was read; the
    // writer then keeps them ascending. True for a document that was not read from a file.
    bool KeysAscending() const { return m_keysAscending; }

protected:
    // Whether keys follow the names (CRC-32). Derived formats such as CSF keep other data in
    // their value tags and override this.
    bool KeysFromNames() const override { return true; }
    std::string CategoryOf(std::string_view name) const override;

private:
    bool m_keysAscending = true;
};

} // namespace vste
