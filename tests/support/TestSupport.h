// SPDX-License-Identifier: MIT
// Helpers shared by the core, format and CLI tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vste::test {

using Bytes = std::vector<std::uint8_t>;

// A fresh empty folder under the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    // The UTF-8 name of `name` (UTF-8) in the folder.
    std::string file(const std::string& name) const;

private:
    std::filesystem::path m_path;
};

Bytes ReadBytes(const std::string& fileName);
void WriteBytes(const std::string& fileName, const Bytes& data);
// Bytes from a string of hex digits; spaces are ignored ("20 46 53 43").
Bytes Hex(const std::string& hex);
std::string ToHex(const Bytes& data);
std::u16string U16(const char* utf8);
// The Empire at War test files kept with the tests.
std::string EawDir();
// The optional folder of real string files (the CMake variable VSTE_CORPUS_DIR); empty when it is
// not set or not there.
std::string CorpusDir();

} // namespace vste::test
