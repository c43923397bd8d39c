// SPDX-License-Identifier: MIT
// Builds CSF bytes from a short description, for tests that need files of a given shape.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vste::test {

struct CsfValueSpec {
    CsfValueSpec(std::u16string t, bool w = false, std::string e = {})
        : text(std::move(t)), extra(w), extraValue(std::move(e)) {}
    std::u16string text;
    bool extra; // "W" tag with an extra value
    std::string extraValue;
};

struct CsfLabelSpec {
    std::string name;
    std::vector<CsfValueSpec> values;
};

class CsfBuilder {
public:
    int version = 3;
    int language = 0;
    std::uint32_t reserved = 0;
    // Header string count; by default the number of values described.
    std::int64_t stringCount = -1;
    std::vector<CsfLabelSpec> labels;
    std::vector<std::uint8_t> trailing;

    CsfBuilder& label(std::string name, std::u16string text) {
        labels.push_back({std::move(name), {CsfValueSpec{std::move(text)}}});
        return *this;
    }

    std::vector<std::uint8_t> bytes() const {
        std::vector<std::uint8_t> out;
        auto u32 = [&](std::uint32_t v) {
            for (int i = 0; i < 4; ++i)
                out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        };
        auto raw = [&](const std::string& s) { out.insert(out.end(), s.begin(), s.end()); };
        const bool v2 = version == 2;
        std::uint32_t values = 0;
        for (const auto& l : labels)
            values += static_cast<std::uint32_t>(l.values.size());
        raw(" FSC");
        u32(static_cast<std::uint32_t>(version));
        u32(static_cast<std::uint32_t>(labels.size()));
        u32(stringCount < 0 ? values : static_cast<std::uint32_t>(stringCount));
        u32(reserved);
        u32(static_cast<std::uint32_t>(language));
        for (const auto& l : labels) {
            raw(" LBL");
            u32(static_cast<std::uint32_t>(l.values.size()));
            u32(static_cast<std::uint32_t>(l.name.size()));
            raw(l.name);
            for (const auto& v : l.values) {
                out.push_back(v.extra ? 'W' : ' ');
                raw(v2 ? "rtS" : "RTS");
                u32(static_cast<std::uint32_t>(v.text.size()));
                for (char16_t c : v.text) {
                    const auto u = static_cast<std::uint16_t>(c ^ 0xFFFF);
                    out.push_back(static_cast<std::uint8_t>(u));
                    out.push_back(static_cast<std::uint8_t>(u >> 8));
                }
                if (v.extra) {
                    u32(static_cast<std::uint32_t>(v.extraValue.size()));
                    raw(v.extraValue);
                }
            }
        }
        out.insert(out.end(), trailing.begin(), trailing.end());
        return out;
    }
};

} // namespace vste::test
