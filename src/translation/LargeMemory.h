// SPDX-License-Identifier: MIT
// Memory for the big buffers of the translation work: a million strings read, indexed or written
// as TMX. Touching fresh memory one small page at a time is a large part of that work, so blocks
// of a few megabytes and more are asked for in huge pages where the system offers them, also to
// read files into.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vste {

// A block of at least `bytes` (large: huge pages when possible); null when the system has none.
void* AllocateLarge(std::size_t bytes);
void FreeLarge(void* block, std::size_t bytes);
// Blocks from this size up go to AllocateLarge.
inline constexpr std::size_t kLargeBlock = std::size_t{4} << 20;

template <class T> struct LargeAllocator {
    using value_type = T;
    LargeAllocator() = default;
    template <class U> LargeAllocator(const LargeAllocator<U>&) {}

    T* allocate(std::size_t n) {
        const std::size_t bytes = n * sizeof(T);
        if (bytes < kLargeBlock)
            return static_cast<T*>(::operator new(bytes));
        if (void* block = AllocateLarge(bytes))
            return static_cast<T*>(block);
        throw std::bad_alloc();
    }
    void deallocate(T* p, std::size_t n) {
        const std::size_t bytes = n * sizeof(T);
        if (bytes < kLargeBlock)
            ::operator delete(p);
        else
            FreeLarge(p, bytes);
    }
    template <class U> bool operator==(const LargeAllocator<U>&) const { return true; }
};

template <class T> using LargeVector = std::vector<T, LargeAllocator<T>>;
using LargeText = std::basic_string<char, std::char_traits<char>, LargeAllocator<char>>;

// Blocks handed out one after another from large chunks and given back all at once when the
// arena goes: for the many small allocations of one big parse. Not for several threads at once.
class LargeArena {
public:
    LargeArena() = default;
    LargeArena(const LargeArena&) = delete;
    LargeArena& operator=(const LargeArena&) = delete;
    ~LargeArena();

    // Aligned for any type; null when the system has no memory left.
    void* allocate(std::size_t bytes);
    bool owns(const void* block) const;

private:
    struct Chunk {
        char* start;
        std::size_t size;
    };
    static constexpr std::size_t kChunk = std::size_t{64} << 20;
    std::vector<Chunk> m_chunks;
    std::size_t m_used = 0; // of the last chunk
};

// A file's bytes read into huge pages. Read gives nothing when the file cannot be read so (it
// cannot be opened or read, or is no regular file); the caller then reads it the ordinary way,
// which also reports why it cannot. The bytes are copied rather than mapped, so that a file cut
// short by another program while it is in use cannot bring the process down.
class LargeFile {
public:
    static std::optional<LargeFile> Read(const std::string& fileName);
    std::span<const std::uint8_t> bytes() const { return m_data; }

private:
    LargeVector<std::uint8_t> m_data;
};

// The file's bytes: read into huge pages when possible, else read whole as LoadFile reads them
// (throwing FileError as it does).
class FileBytes {
public:
    explicit FileBytes(const std::string& fileName);
    std::span<const std::uint8_t> bytes() const {
        return m_large ? m_large->bytes() : std::span<const std::uint8_t>(m_read);
    }

private:
    std::optional<LargeFile> m_large;
    std::vector<std::uint8_t> m_read;
};

} // namespace vste
