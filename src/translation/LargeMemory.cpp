// SPDX-License-Identifier: MIT
#include "translation/LargeMemory.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "core/FileIO.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vste {

#ifndef _WIN32

namespace {
constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t Rounded(std::size_t bytes) {
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}
} // namespace

void* AllocateLarge(std::size_t bytes) {
    // Mapped with a huge page of slack, then trimmed to start on a huge-page boundary, where
    // the system can back it with huge pages.
    const std::size_t size = Rounded(bytes);
    void* raw = ::mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
    if (aligned > start)
        ::munmap(raw, aligned - start);
    if (const std::size_t tail = start + size + kHugePage - (aligned + size); tail > 0)
        ::munmap(reinterpret_cast<void*>(aligned + size), tail);
#ifdef MADV_HUGEPAGE
    ::madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
#endif
    return reinterpret_cast<void*>(aligned);
}

void FreeLarge(void* block, std::size_t bytes) {
    if (block)
        ::munmap(block, Rounded(bytes));
}

std::optional<LargeFile> LargeFile::Read(const std::string& fileName) {
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    LargeFile file;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok)
        file.m_data.resize(static_cast<std::size_t>(st.st_size));
    // Whole, also when the file grows while it is read: what comes past the size it had goes
    // through a chunk, so that the usual read ending at that size moves nothing.
    std::size_t filled = 0;
    std::vector<std::uint8_t> chunk;
    while (ok) {
        const bool full = filled == file.m_data.size();
        if (full)
            chunk.resize(std::size_t{1} << 16);
        std::uint8_t* into = full ? chunk.data() : file.m_data.data() + filled;
        const std::size_t room = full ? chunk.size() : file.m_data.size() - filled;
        const ::ssize_t n = ::read(fd, into, room);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n >= 0;
        if (n <= 0)
            break;
        if (full)
            file.m_data.insert(file.m_data.end(), chunk.begin(), chunk.begin() + n);
        filled += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (!ok)
        return std::nullopt;
    return file;
}

#else

void* AllocateLarge(std::size_t bytes) {
    return std::malloc(bytes);
}

void FreeLarge(void* block, std::size_t) {
    std::free(block);
}

std::optional<LargeFile> LargeFile::Read(const std::string&) {
    return std::nullopt;
}

#endif

LargeArena::~LargeArena() {
    for (const Chunk& chunk : m_chunks)
        FreeLarge(chunk.start, chunk.size);
}

void* LargeArena::allocate(std::size_t bytes) {
    bytes = (bytes + 15) / 16 * 16;
    if (m_chunks.empty() || m_chunks.back().size - m_used < bytes) {
        const std::size_t size = std::max(kChunk, bytes);
        void* start = AllocateLarge(size);
        if (!start)
            return nullptr;
        m_chunks.push_back({static_cast<char*>(start), size});
        m_used = 0;
    }
    void* block = m_chunks.back().start + m_used;
    m_used += bytes;
    return block;
}

bool LargeArena::owns(const void* block) const {
    const auto* p = static_cast<const char*>(block);
    for (const Chunk& chunk : m_chunks)
        if (p >= chunk.start && p < chunk.start + chunk.size)
            return true;
    return false;
}

FileBytes::FileBytes(const std::string& fileName) : m_large(LargeFile::Read(fileName)) {
    if (!m_large)
        m_read = LoadFile(fileName);
}

} // namespace vste
