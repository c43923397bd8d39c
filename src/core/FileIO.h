// SPDX-License-Identifier: MIT
// Whole-file load and atomic store.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vste {

// Reads the whole file. Throws FileError ("Cannot open file "PATH". <reason>") when it cannot.
std::vector<std::uint8_t> LoadFile(const std::string& fileName);

// Replaces `fileName` with `data` atomically: the bytes go to a temporary file in the same
// folder, which is flushed and renamed over the target. On any failure the temporary file is
// removed, the previous file is left exactly as it was, and FileError naming the file is thrown
// ("Cannot create file "PATH". <reason>").
void StoreFileAtomically(const std::string& fileName, std::span<const std::uint8_t> data);

} // namespace vste
