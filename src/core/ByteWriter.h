// SPDX-License-Identifier: MIT
// Little-endian output buffer; writers build the whole file here before storing it.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/Model.h"

namespace vste {

class ByteWriter {
public:
    void reserve(std::size_t n) { m_out.reserve(n); }
    std::size_t size() const { return m_out.size(); }

    void u8(std::uint8_t v) { m_out.push_back(v); }
    void u16(std::uint16_t v) {
        m_out.push_back(static_cast<std::uint8_t>(v));
        m_out.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void u32(std::uint32_t v) {
        const std::uint8_t b[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                   static_cast<std::uint8_t>(v >> 16),
                                   static_cast<std::uint8_t>(v >> 24)};
        m_out.insert(m_out.end(), b, b + 4);
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void tag(const Tag4& t) { m_out.insert(m_out.end(), t.begin(), t.end()); }
    void bytes(std::string_view s) {
        m_out.insert(m_out.end(), reinterpret_cast<const std::uint8_t*>(s.data()),
                     reinterpret_cast<const std::uint8_t*>(s.data()) + s.size());
    }
    // Overwrites a 16- or 32-bit value written earlier (offset tables).
    void patchU16(std::size_t at, std::uint16_t v) {
        m_out.at(at) = static_cast<std::uint8_t>(v);
        m_out.at(at + 1) = static_cast<std::uint8_t>(v >> 8);
    }
    void patchU32(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            m_out.at(at + static_cast<std::size_t>(i)) = static_cast<std::uint8_t>(v >> (8 * i));
    }

    std::vector<std::uint8_t>& buffer() { return m_out; }
    std::vector<std::uint8_t> take() { return std::move(m_out); }

private:
    std::vector<std::uint8_t> m_out;
};

} // namespace vste
