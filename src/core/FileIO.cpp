// SPDX-License-Identifier: MIT
#include "core/FileIO.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#include "core/Errors.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vste {
namespace {

[[noreturn]] void throwOpen(const std::string& fileName, int err) {
    throw FileError(Message(MessageId::CannotOpenFile, {fileName, SystemReason(err)}));
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
    if (!f) {
#ifdef _WIN32
        // Held open by another program without sharing reads as "Permission denied" otherwise.
        if (_doserrno == ERROR_SHARING_VIOLATION || _doserrno == ERROR_LOCK_VIOLATION)
            throw FileError(
                Message(MessageId::CannotOpenFile, {fileName, WindowsReason(_doserrno, {})}));
#endif
        throwOpen(fileName, errno);
    }
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

// On Windows the save is in FileIOWindows.cpp.
#ifndef _WIN32
namespace {

[[noreturn]] void throwCreate(const std::string& fileName, Message why) {
    throw FileError(Message(MessageId::CannotCreateFile, {fileName, std::move(why)}));
}

[[noreturn]] void throwCreate(const std::string& fileName, int err) {
    throwCreate(fileName, SystemReason(err));
}

// The file a save must replace: `target` with its chain of symbolic links followed, so that the
// link stays a link and the file it names gets the new bytes. A relative link is read against the
// link's own folder. A link to a missing file resolves to that file, which the save then creates.
std::filesystem::path resolveLinks(const std::string& fileName) {
    namespace fs = std::filesystem;
    fs::path path = fs::u8path(fileName);
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        std::error_code ec;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec)
            throwCreate(fileName, ec.value());
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    throwCreate(fileName, ELOOP);
}

// An existing file the user may not write is refused rather than silently replaced, since the
// rename would succeed in a writable folder. Root may write anything, so for root a file with no
// write bit at all counts as protected.
void refuseReadOnly(const std::string& fileName, const std::filesystem::path& target,
                    const struct stat& st) {
    if (::geteuid() == 0) {
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            throwCreate(fileName, EACCES);
        return;
    }
    // A file that has just gone away is simply created.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT)
        throwCreate(fileName, errno);
}

// A device, FIFO or socket in the way would be replaced by a regular file (as root, even
// /dev/null), so anything but a regular file is refused.
void refuseSpecial(const std::string& fileName, const struct stat& st) {
    if (S_ISREG(st.st_mode))
        return;
    const MessageId kind = S_ISFIFO(st.st_mode)   ? MessageId::KindFifo
                           : S_ISSOCK(st.st_mode) ? MessageId::KindSocket
                           : S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)
                               ? MessageId::KindDevice
                               : MessageId::KindSpecialFile;
    throwCreate(fileName, Message(MessageId::NotRegularFile, {Message(kind)}));
}

// Creates a fresh temporary file beside `target`; returns its descriptor and sets `tmp`.
int openTemporary(const std::string& fileName, const std::filesystem::path& target,
                  mode_t createMode, std::string& tmp) {
    std::filesystem::path dir = target.parent_path();
    if (dir.empty())
        dir = ".";
    std::random_device rd;
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".vste-%08x.tmp", static_cast<unsigned>(rd()));
        tmp = (dir / (target.filename().string() + suffix)).string();
        const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, createMode);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST)
            throwCreate(fileName, errno);
    }
    throwCreate(fileName, EEXIST);
}

// Writes all of `data`; returns 0 or the error number.
int writeAll(int fd, std::span<const std::uint8_t> data) {
    const std::uint8_t* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return 0;
}

} // namespace

void StoreFileAtomically(const std::string& fileName, std::span<const std::uint8_t> data) {
    const std::filesystem::path target = resolveLinks(fileName);
    struct stat st {};
    const bool existed = ::stat(target.c_str(), &st) == 0;
    if (existed && S_ISDIR(st.st_mode))
        throwCreate(fileName, EISDIR);
    if (existed) {
        refuseSpecial(fileName, st);
        refuseReadOnly(fileName, target, st);
    }

    // A new file gets 0666 less the umask from open(); a replaced one keeps its owner, group and
    // permission bits (the owner only where the process may set it; the mode after the owner,
    // since a change of owner clears the set-id bits).
    std::string tmp;
    const int fd = openTemporary(fileName, target, existed ? 0600 : 0666, tmp);
    int err = writeAll(fd, data);
    if (err == 0 && existed) {
        // Folders that keep no owners or modes (FAT, some network shares) refuse both; the
        // bytes matter more than the bits there.
        (void)!::fchown(fd, st.st_uid, st.st_gid);
        (void)!::fchmod(fd, st.st_mode & 07777);
    }
    if (err == 0 && ::fsync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && ::rename(tmp.c_str(), target.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(tmp.c_str());
        throwCreate(fileName, err);
    }
}
#endif

} // namespace vste
