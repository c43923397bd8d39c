// SPDX-License-Identifier: MIT
// Memory for the big buffers of the translation work: a million strings read, indexed or written
// as TMX. Touching fresh memory one small page at a time is a large part of that work, so blocks
// of a few megabytes and more are asked for in huge pages where the system offers them, and
// files are read by mapping them rather than copying their bytes.
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

// A file's bytes mapped read-only. Open gives nothing when the file cannot be mapped (it cannot
// be opened, is empty or no regular file, or the system maps no files); the caller then reads
// it the ordinary way, which also reports why it cannot.
class MappedFile {
public:
    static std::optional<MappedFile> Open(const std::string& fileName);
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&&) = delete;
    ~MappedFile();

    std::span<const std::uint8_t> bytes() const { return {m_data, m_size}; }

private:
    MappedFile(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
};

// The file's bytes: mapped when possible, else read whole (throwing FileError as LoadFile does).
class FileBytes {
public:
    explicit FileBytes(const std::string& fileName);
    std::span<const std::uint8_t> bytes() const {
        return m_mapped ? m_mapped->bytes() : std::span<const std::uint8_t>(m_read);
    }

private:
    std::optional<MappedFile> m_mapped;
    std::vector<std::uint8_t> m_read;
};

} // namespace vste
