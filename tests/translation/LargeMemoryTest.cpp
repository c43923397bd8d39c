// SPDX-License-Identifier: MIT
// Large blocks, the arena and files read into them hold what is put in them, and a file that
// cannot be read so is read or refused as LoadFile reads or refuses it.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>

#include "core/Errors.h"
#include "core/FileIO.h"
#include "support/TestSupport.h"
#include "translation/LargeMemory.h"

using namespace vste;
using namespace vste::test;

TEST(LargeMemoryTest, VectorsKeepTheirValuesAcrossTheLargeBlockSize) {
    // Grown one by one past the size where blocks come from AllocateLarge, and assigned there.
    LargeVector<std::uint32_t> grown;
    const std::size_t count = 3 * kLargeBlock / sizeof(std::uint32_t) + 7;
    for (std::uint32_t i = 0; i < count; ++i)
        grown.push_back(i * 2654435761u);
    for (std::uint32_t i = 0; i < count; i += 4093)
        ASSERT_EQ(grown[i], i * 2654435761u);
    EXPECT_EQ(grown.back(), static_cast<std::uint32_t>(count - 1) * 2654435761u);
    LargeVector<std::uint64_t> assigned(kLargeBlock / 8 + 1, 42);
    assigned.resize(kLargeBlock / 8 - 1);
    assigned.shrink_to_fit();
    EXPECT_EQ(assigned.front() + assigned.back(), 84u);
}

TEST(LargeMemoryTest, ArenaBlocksAreAlignedApartAndOwned) {
    std::mt19937 rng(3);
    LargeArena arena;
    std::vector<std::pair<unsigned char*, std::size_t>> blocks;
    for (int i = 0; i < 3000; ++i) {
        // Mostly small, now and then larger than a whole chunk.
        const std::size_t size = i % 1000 == 999 ? (std::size_t{65} << 20) : 1 + rng() % 40000;
        auto* block = static_cast<unsigned char*>(arena.allocate(size));
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % 16, 0u);
        std::memset(block, i & 0xFF, size);
        blocks.emplace_back(block, size);
    }
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const auto [block, size] = blocks[i];
        ASSERT_EQ(block[0], i & 0xFF) << i;
        ASSERT_EQ(block[size - 1], i & 0xFF) << i;
        EXPECT_TRUE(arena.owns(block + size - 1));
    }
    const std::vector<char> elsewhere(16);
    EXPECT_FALSE(arena.owns(elsewhere.data()));
}

TEST(LargeMemoryTest, FileBytesAreTheFilesOrLoadFilesRefusal) {
    TempDir dir;
    const Bytes some{0, 1, 2, 0xFF, 'x'};
    WriteBytes(dir.file("some.bin"), some);
    WriteBytes(dir.file("empty.bin"), {});
    std::filesystem::create_directory(dir.file("folder"));
    {
        const FileBytes bytes(dir.file("some.bin"));
        EXPECT_EQ(Bytes(bytes.bytes().begin(), bytes.bytes().end()), some);
        EXPECT_TRUE(FileBytes(dir.file("empty.bin")).bytes().empty());
    }
    for (const std::string name : {"missing.bin", "folder"}) {
        std::string expected;
        try {
            LoadFile(dir.file(name));
        } catch (const FileError& e) {
            expected = e.what();
        }
        ASSERT_NE(expected, "") << name;
        try {
            FileBytes bytes(dir.file(name));
            ADD_FAILURE() << name << " read";
        } catch (const FileError& e) {
            EXPECT_EQ(std::string(e.what()), expected);
        }
    }
}
