// SPDX-License-Identifier: MIT
// Whole-file load and atomic store.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace vste {

// File names are UTF-8 throughout the program; these convert at std::filesystem's boundary, where
// a narrow string would otherwise be taken in Windows' ANSI code page.
inline std::filesystem::path PathFromUtf8(const std::string& name) {
    return std::filesystem::u8path(name);
}
inline std::string Utf8Name(const std::filesystem::path& path) {
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

// Reads the whole file. Throws FileError ("Cannot open file "PATH". <reason>") when it cannot.
std::vector<std::uint8_t> LoadFile(const std::string& fileName);

// Replaces `fileName` with `data` atomically: the bytes go to a temporary file in the same
// folder, which is flushed and renamed over the target. A symbolic link is followed (through a
// chain, relative to the link's folder, also to a file that does not exist yet): the file it
// names is replaced and the link stays. A replaced file keeps its permission bits, and its owner
// and group where the process may set them; a new file gets 0666 less the umask. An existing
// file the user may not write (for root: one without any write bit) is refused, and so is one that
// is not a regular file (a device, FIFO or socket, also behind a link). On any failure
// the temporary file is removed, the previous file is left exactly as it was, and FileError
// naming the file is thrown ("Cannot create file "PATH". <reason>"). On Windows the new file
// takes the old one's place with ReplaceFileW (keeping its attributes and security), a read-only
// file is refused, and a file another program holds open stays as it was ("in use").
void StoreFileAtomically(const std::string& fileName, std::span<const std::uint8_t> data);

} // namespace vste
