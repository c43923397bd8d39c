// SPDX-License-Identifier: MIT
// Bounds-checked little-endian cursor over bytes in memory. Every read that would pass the end
// throws ReadError, so a reader never touches memory it does not own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "core/Errors.h"
#include "core/Model.h"

namespace vste {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : m_data(data) {}

    std::size_t position() const { return m_pos; }
    std::size_t size() const { return m_data.size(); }
    std::size_t remaining() const { return m_data.size() - m_pos; }
    bool atEnd() const { return m_pos == m_data.size(); }

    // Throws ReadError unless `count` items of `itemSize` bytes can still be read. Call it before
    // sizing any container from a count found in the file.
    void require(std::uint64_t count, std::uint64_t itemSize = 1) const {
        if (itemSize != 0 && count > remaining() / itemSize)
            throw ReadError();
    }

    void seek(std::size_t pos) {
        if (pos > m_data.size())
            throw ReadError();
        m_pos = pos;
    }
    void skip(std::size_t n) {
        require(n);
        m_pos += n;
    }

    std::uint8_t u8() {
        require(1);
        return m_data[m_pos++];
    }
    std::uint16_t u16() {
        require(2);
        const auto* p = m_data.data() + m_pos;
        m_pos += 2;
        return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
    }
    std::uint32_t u32() {
        require(4);
        const auto* p = m_data.data() + m_pos;
        m_pos += 4;
        return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
               (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    Tag4 tag() {
        require(4);
        Tag4 t;
        std::memcpy(t.data(), m_data.data() + m_pos, 4);
        m_pos += 4;
        return t;
    }
    // `n` bytes as a single-byte string.
    std::string bytes(std::size_t n) {
        require(n);
        std::string s(reinterpret_cast<const char*>(m_data.data() + m_pos), n);
        m_pos += n;
        return s;
    }
    std::span<const std::uint8_t> span(std::size_t n) {
        require(n);
        auto s = m_data.subspan(m_pos, n);
        m_pos += n;
        return s;
    }

private:
    std::span<const std::uint8_t> m_data;
    std::size_t m_pos = 0;
};

} // namespace vste
