// SPDX-License-Identifier: MIT
#include "core/FileIO.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#include "core/Errors.h"

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vste {
namespace {

std::string reason(int err) {
    const char* text = std::strerror(err);
    std::string s = text ? text : "Unknown error";
    if (!s.empty() && s.back() != '.')
        s += '.';
    return s;
}

[[noreturn]] void throwOpen(const std::string& fileName, int err) {
    throw FileError("Cannot open file \"" + fileName + "\". " + reason(err));
}

[[noreturn]] void throwCreate(const std::string& fileName, int err) {
    throw FileError("Cannot create file \"" + fileName + "\". " + reason(err));
}

} // namespace

std::vector<std::uint8_t> LoadFile(const std::string& fileName) {
    std::error_code ec;
    if (std::filesystem::is_directory(std::filesystem::u8path(fileName), ec))
        throwOpen(fileName, EISDIR);
#ifdef _WIN32
    // The name is UTF-8; the narrow fopen would take it in the ANSI code page.
    std::FILE* f = _wfopen(std::filesystem::u8path(fileName).c_str(), L"rb");
#else
    std::FILE* f = std::fopen(fileName.c_str(), "rb");
#endif
    if (!f)
        throwOpen(fileName, errno);
    // Read straight into the buffer, sized from the file's length; a file that grows while it
    // is read is still read whole.
    std::vector<std::uint8_t> data;
    if (std::fseek(f, 0, SEEK_END) == 0) {
        const long size = std::ftell(f);
        if (size > 0)
            data.resize(static_cast<std::size_t>(size));
        std::fseek(f, 0, SEEK_SET);
    }
    std::size_t filled = 0;
    while (filled < data.size()) {
        const std::size_t n = std::fread(data.data() + filled, 1, data.size() - filled, f);
        if (n == 0)
            break;
        filled += n;
    }
    data.resize(filled);
    if (!std::ferror(f)) {
        std::uint8_t chunk[1 << 16];
        while (const std::size_t n = std::fread(chunk, 1, sizeof chunk, f))
            data.insert(data.end(), chunk, chunk + n);
    }
    if (std::ferror(f)) {
        const int err = errno;
        std::fclose(f);
        throwOpen(fileName, err ? err : EIO);
    }
    std::fclose(f);
    return data;
}

#ifndef _WIN32
void StoreFileAtomically(const std::string& fileName, std::span<const std::uint8_t> data) {
    namespace fs = std::filesystem;
    const fs::path target = fs::u8path(fileName);
    std::error_code ec;
    if (fs::is_directory(target, ec))
        throwCreate(fileName, EISDIR);
    fs::path dir = target.parent_path();
    if (dir.empty())
        dir = ".";

    // Keep the permissions of the file being replaced; new files get the usual 0666 & ~umask.
    mode_t mode = 0666;
    struct stat st {};
    bool existed = ::stat(target.c_str(), &st) == 0;
    if (existed)
        mode = st.st_mode & 07777;

    std::random_device rd;
    std::string tmp;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".vste-%08x.tmp", static_cast<unsigned>(rd()));
        tmp = (dir / (target.filename().string() + suffix)).string();
        fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, existed ? 0600 : mode);
        if (fd < 0 && errno != EEXIST)
            throwCreate(fileName, errno);
    }
    if (fd < 0)
        throwCreate(fileName, EEXIST);

    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(tmp.c_str());
        throwCreate(fileName, err);
    };
    const std::uint8_t* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (existed)
        (void)::fchmod(fd, mode);
    if (::fsync(fd) != 0)
        fail(errno);
    if (::close(fd) != 0) {
        int err = errno;
        ::unlink(tmp.c_str());
        throwCreate(fileName, err);
    }
    if (::rename(tmp.c_str(), target.c_str()) != 0) {
        int err = errno;
        ::unlink(tmp.c_str());
        throwCreate(fileName, err);
    }
}
#else
void StoreFileAtomically(const std::string& fileName, std::span<const std::uint8_t> data) {
    namespace fs = std::filesystem;
    const fs::path target = fs::u8path(fileName);
    fs::path tmp = target;
    tmp += ".vste-tmp";
    std::FILE* f = _wfopen(tmp.c_str(), L"wb");
    if (!f)
        throwCreate(fileName, errno);
    std::error_code ec;
    if (std::fwrite(data.data(), 1, data.size(), f) != data.size() || std::fflush(f) != 0) {
        int err = errno;
        std::fclose(f);
        fs::remove(tmp, ec);
        throwCreate(fileName, err);
    }
    if (std::fclose(f) != 0) {
        int err = errno;
        fs::remove(tmp, ec);
        throwCreate(fileName, err);
    }
    fs::rename(tmp, target, ec);
    if (ec) {
        const int err = ec.value();
        fs::remove(tmp, ec);
        throwCreate(fileName, err);
    }
}
#endif

} // namespace vste
