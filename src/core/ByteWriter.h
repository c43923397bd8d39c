// SPDX-License-Identifier: MIT
// Little-endian output buffer; every writer builds its whole file here before storing it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "core/Model.h"

namespace vste {

class ByteWriter {
public:
    // Grows as it is written.
    ByteWriter() = default;
    // Pre-sized: writers that know the file's size (or a bound of it) allocate it once.
    explicit ByteWriter(std::size_t size) : m_out(size) {}

    // Bytes written so far.
    std::size_t size() const { return m_pos; }

    void u8(std::uint8_t v) { *room(1) = v; }
    void u16(std::uint16_t v) {
        std::uint8_t* p = room(2);
        p[0] = static_cast<std::uint8_t>(v);
        p[1] = static_cast<std::uint8_t>(v >> 8);
    }
    void u32(std::uint32_t v) {
        std::uint8_t* p = room(4);
        p[0] = static_cast<std::uint8_t>(v);
        p[1] = static_cast<std::uint8_t>(v >> 8);
        p[2] = static_cast<std::uint8_t>(v >> 16);
        p[3] = static_cast<std::uint8_t>(v >> 24);
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void tag(const Tag4& t) { std::memcpy(room(4), t.data(), 4); }
    void bytes(std::string_view s) {
        if (!s.empty())
            std::memcpy(room(s.size()), s.data(), s.size());
    }
    // UTF-16 code units, each as a 16-bit value XOR `mask` (0 for plain text).
    void units(std::u16string_view text, std::uint16_t mask = 0) {
        std::uint8_t* p = room(2 * text.size());
        for (std::size_t k = 0; k < text.size(); ++k) {
            const auto u = static_cast<std::uint16_t>(text[k] ^ mask);
            p[2 * k] = static_cast<std::uint8_t>(u);
            p[2 * k + 1] = static_cast<std::uint8_t>(u >> 8);
        }
    }
    // `n` bytes to be filled by the caller; the pointer is valid until the next write.
    std::uint8_t* room(std::size_t n) {
        if (n > m_out.size() - m_pos)
            m_out.resize(std::max(m_out.size() * 2, m_pos + n));
        std::uint8_t* p = m_out.data() + m_pos;
        m_pos += n;
        return p;
    }

    // The bytes written; the writer is left empty.
    std::vector<std::uint8_t> take() {
        m_out.resize(m_pos);
        m_pos = 0;
        return std::move(m_out);
    }

private:
    std::vector<std::uint8_t> m_out;
    std::size_t m_pos = 0;
};

} // namespace vste
