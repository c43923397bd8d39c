// SPDX-License-Identifier: MIT
#include "support/TestSupport.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "core/FileIO.h"
#include "encoding/CodePage.h"

namespace vste::test {

TempDir::TempDir() {
    std::random_device rd;
    m_path = std::filesystem::temp_directory_path() /
             ("vste-test-" + std::to_string(rd()) + "-" + std::to_string(rd()));
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir() {
    std::error_code ec;
    // Read-only folders made by tests must become writable again before removal.
    for (auto it = std::filesystem::recursive_directory_iterator(m_path, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    }
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_path, ec);
}

std::string TempDir::file(const std::string& name) const {
    // With the system's separators, as the paths the program finds in a folder have them.
    return Utf8Name((m_path / PathFromUtf8(name)).make_preferred());
}

Bytes ReadBytes(const std::string& fileName) {
    std::ifstream in(PathFromUtf8(fileName), std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + fileName);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& fileName, const Bytes& data) {
    std::ofstream out(PathFromUtf8(fileName), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
    if (!out)
        throw std::runtime_error("cannot write " + fileName);
}

Bytes Hex(const std::string& hex) {
    Bytes out;
    int nibbles = 0;
    unsigned value = 0;
    for (char c : hex) {
        unsigned v;
        if (c >= '0' && c <= '9')
            v = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f')
            v = static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            v = static_cast<unsigned>(c - 'A' + 10);
        else
            continue;
        value = value * 16 + v;
        if (++nibbles == 2) {
            out.push_back(static_cast<std::uint8_t>(value));
            nibbles = 0;
            value = 0;
        }
    }
    return out;
}

std::string ToHex(const Bytes& data) {
    static const char* digits = "0123456789abcdef";
    std::string s;
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (i)
            s += ' ';
        s += digits[data[i] >> 4];
        s += digits[data[i] & 15];
    }
    return s;
}

std::u16string U16(const char* utf8) {
    return Utf8ToUtf16(utf8);
}

std::string EawDir() {
    return VSTE_EAW_DIR;
}

std::string CorpusDir() {
    const std::string dir = VSTE_CORPUS_DIR;
    return !dir.empty() && std::filesystem::is_directory(dir) ? dir : std::string();
}

} // namespace vste::test
