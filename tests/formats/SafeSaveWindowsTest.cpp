// SPDX-License-Identifier: MIT
// The atomic save on Windows: the new bytes replace the file through ReplaceFileW, which keeps its
// attributes; a read-only file is refused and a file another program holds open without sharing
// is reported as in use, both keeping their bytes; names outside the ANSI code page work; and no
// temporary file is left behind by any failure.
#ifdef _WIN32
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/Errors.h"
#include "core/FileIO.h"
#include "support/TestSupport.h"

using namespace vste;
using vste::test::Bytes;
using vste::test::ReadBytes;
using vste::test::TempDir;
using vste::test::WriteBytes;

namespace {

const Bytes kPrevious = {'o', 'l', 'd', '\r', '\n', 0};
const Bytes kNew = {'n', 'e', 'w', '\r', '\n', 0xFF, 0};

std::wstring Wide(const std::string& utf8) {
    return PathFromUtf8(utf8).wstring();
}

std::vector<std::string> Entries(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        names.push_back(Utf8Name(e.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

std::string SaveError(const std::string& path, const Bytes& data) {
    try {
        StoreFileAtomically(path, data);
    } catch (const FileError& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(SafeSaveWindows, NamesOutsideTheAnsiCodePageAreCreatedReplacedAndRead) {
    TempDir dir;
    for (const char* name : {"таблица.csf", "表格.csf", "émoji 😀.csf"}) {
        const std::string path = dir.file(name);
        StoreFileAtomically(path, kPrevious);
        StoreFileAtomically(path, kNew);
        EXPECT_EQ(LoadFile(path), kNew) << name;
        EXPECT_TRUE(std::filesystem::exists(PathFromUtf8(path))) << name;
    }
    EXPECT_EQ(Entries(dir).size(), 3u);
}

TEST(SafeSaveWindows, AReplacedFileKeepsItsAttributes) {
    TempDir dir;
    const std::string path = dir.file("hidden.csf");
    WriteBytes(path, kPrevious);
    ASSERT_TRUE(SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN));
    StoreFileAtomically(path, kNew);
    EXPECT_EQ(ReadBytes(path), kNew);
    EXPECT_TRUE(GetFileAttributesW(Wide(path).c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(Entries(dir), std::vector<std::string>{"hidden.csf"});
}

TEST(SafeSaveWindows, AReadOnlyFileIsRefusedByNameAndKeepsItsBytes) {
    TempDir dir;
    const std::string path = dir.file("locked.csf");
    WriteBytes(path, kPrevious);
    ASSERT_TRUE(SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(SaveError(path, kNew), "Cannot create file \"" + path + "\". The file is read-only.");
    SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(path), kPrevious);
    EXPECT_EQ(Entries(dir), std::vector<std::string>{"locked.csf"});
}

TEST(SafeSaveWindows, AFileHeldOpenWithoutSharingIsInUseAndStays) {
    TempDir dir;
    const std::string path = dir.file("open.csf");
    WriteBytes(path, kPrevious);
    const HANDLE held = CreateFileW(Wide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(SaveError(path, kNew),
              "Cannot create file \"" + path + "\". The file is in use by another program.");
    std::string readError;
    try {
        LoadFile(path);
    } catch (const FileError& e) {
        readError = e.what();
    }
    EXPECT_EQ(readError,
              "Cannot open file \"" + path + "\". The file is in use by another program.");
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(path), kPrevious);
    EXPECT_EQ(Entries(dir), std::vector<std::string>{"open.csf"});
}

TEST(SafeSaveWindows, AFolderInTheWayOrMissingIsNamedAndLeavesNothing) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "folder.csf");
    EXPECT_NE(SaveError(dir.file("folder.csf"), kNew).find("Cannot create file"),
              std::string::npos);
    const std::string missing = dir.file("missing\\t.csf");
    EXPECT_NE(SaveError(missing, kNew).find("\"" + missing + "\""), std::string::npos);
    EXPECT_EQ(Entries(dir), std::vector<std::string>{"folder.csf"});
}

#endif
