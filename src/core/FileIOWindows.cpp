// SPDX-License-Identifier: MIT
// The atomic save on Windows: the bytes go to a new file beside the target, are flushed to the
// disk, and then take the target's place with ReplaceFileW, which keeps the replaced file's
// attributes and security, or with MoveFileExW for a new file. Names are UTF-8 inside and wide at
// the system's boundary.
#ifdef _WIN32
#include "core/FileIO.h"

#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "core/Errors.h"

namespace vste {
namespace {

std::string Utf8(const std::wstring& wide) {
    if (wide.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(),
                            size, nullptr, nullptr);
    return out;
}

// The system's own words for `code`, in the user's language.
std::string SystemText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text = length > 0 ? Utf8(std::wstring(buffer, length)) : std::string();
    LocalFree(buffer);
    return text;
}

[[noreturn]] void throwCreate(const std::string& fileName, Message why) {
    throw FileError(Message(MessageId::CannotCreateFile, {fileName, std::move(why)}));
}

[[noreturn]] void throwWindows(const std::string& fileName, DWORD code) {
    throwCreate(fileName, WindowsReason(code, SystemText(code)));
}

// Creates a fresh file beside `target` that no other program may open while it is written.
HANDLE openTemporary(const std::string& fileName, const std::filesystem::path& target,
                     std::filesystem::path& tmp) {
    std::filesystem::path dir = target.parent_path();
    if (dir.empty())
        dir = L".";
    std::random_device rd;
    for (int attempt = 0; attempt < 16; ++attempt) {
        wchar_t suffix[32];
        std::swprintf(suffix, 32, L".vste-%08x.tmp", static_cast<unsigned>(rd()));
        tmp = dir / (target.filename().wstring() + suffix);
        const HANDLE file = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            return file;
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            throwWindows(fileName, GetLastError());
    }
    throwWindows(fileName, ERROR_FILE_EXISTS);
}

// Writes all of `data` and flushes it to the disk; returns 0 or the error code.
DWORD writeAndFlush(HANDLE file, std::span<const std::uint8_t> data) {
    const std::uint8_t* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        const DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!WriteFile(file, p, chunk, &written, nullptr))
            return GetLastError();
        p += written;
        left -= written;
    }
    return FlushFileBuffers(file) ? 0 : GetLastError();
}

// Puts `tmp` in the place of `target`; returns 0 or the error code. Every failure leaves the
// target as it was.
DWORD replaceTarget(const std::filesystem::path& tmp, const std::filesystem::path& target,
                    bool existed) {
    if (existed) {
        if (ReplaceFileW(target.c_str(), tmp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                         nullptr, nullptr))
            return 0;
        // A file removed meanwhile is simply created below.
        if (GetLastError() != ERROR_FILE_NOT_FOUND)
            return GetLastError();
    }
    if (MoveFileExW(tmp.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    return GetLastError();
}

// A file another program holds open without letting it be deleted cannot be replaced; asking
// first leaves nothing behind (some ReplaceFileW versions leave a file of their own on failure).
DWORD checkReplaceable(const std::filesystem::path& target) {
    const HANDLE probe =
        CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND ? 0 : GetLastError();
    CloseHandle(probe);
    return 0;
}

// The attributes a replaced file keeps (read-only files are refused before).
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

} // namespace

void StoreFileAtomically(const std::string& fileName, std::span<const std::uint8_t> data) {
    const std::filesystem::path target = std::filesystem::u8path(fileName);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool existed = attributes != INVALID_FILE_ATTRIBUTES;
    if (existed && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        throwCreate(fileName, SystemReason(EISDIR));
    // ReplaceFileW would replace a read-only file too; the user's protection is respected.
    if (existed && (attributes & FILE_ATTRIBUTE_READONLY))
        throwCreate(fileName, Message(MessageId::FileReadOnly));
    if (existed)
        if (const DWORD error = checkReplaceable(target); error != 0)
            throwWindows(fileName, error);

    std::filesystem::path tmp;
    const HANDLE file = openTemporary(fileName, target, tmp);
    DWORD error = writeAndFlush(file, data);
    if (!CloseHandle(file) && error == 0)
        error = GetLastError();
    // ReplaceFileW keeps them itself; set here, they also survive where it does not.
    if (error == 0 && existed && (attributes & kKeptAttributes) != 0)
        SetFileAttributesW(tmp.c_str(), attributes & kKeptAttributes);
    if (error == 0)
        error = replaceTarget(tmp, target, existed);
    if (error != 0) {
        DeleteFileW(tmp.c_str());
        throwWindows(fileName, error);
    }
}

} // namespace vste
#endif
