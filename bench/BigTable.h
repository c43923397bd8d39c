// SPDX-License-Identifier: MIT
// The table the benchmarks measure: a CSF of a million labels (about 120 MB) in ten categories,
// values of 3 to 12 words, every 50th value with an extra value; the same bytes for the same seed.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/CompiledStrings.h"

namespace vste::bench {

inline constexpr int kLabels = 1'000'000;

inline std::vector<std::uint8_t> generateCsf(std::uint32_t seed, int labels = kLabels) {
    static const char* const categories[] = {"GUI",  "TXT",    "NAME", "TIP",  "MSG",
                                             "LOAD", "DIALOG", "MAP",  "HELP", "OBJ"};
    static const char* const words[] = {"the",    "enemy",  "base",     "is",        "under",
                                        "attack", "our",    "forces",   "reinforce", "harvester",
                                        "unit",   "ready",  "building", "power",     "low",
                                        "select", "target", "mission",  "complete",  "commander"};
    std::mt19937 rng(seed);
    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(labels) * 130);
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto raw = [&](std::string_view s) {
        const std::size_t at = out.size();
        out.resize(at + s.size());
        std::memcpy(out.data() + at, s.data(), s.size());
    };
    raw(" FSC");
    u32(3);
    u32(static_cast<std::uint32_t>(labels));
    u32(static_cast<std::uint32_t>(labels));
    u32(0);
    u32(0);
    std::string name, value;
    for (int i = 0; i < labels; ++i) {
        name = categories[rng() % 10];
        name += (rng() % 4 == 0) ? '_' : ':';
        name += "Label";
        name += std::to_string(i);
        const int wordCount = 3 + static_cast<int>(rng() % 10);
        value.clear();
        for (int w = 0; w < wordCount; ++w) {
            if (w)
                value += ' ';
            value += words[rng() % 20];
        }
        const bool extra = i % 50 == 0;
        raw(" LBL");
        u32(1);
        u32(static_cast<std::uint32_t>(name.size()));
        raw(name);
        raw(extra ? "WRTS" : " RTS");
        u32(static_cast<std::uint32_t>(value.size()));
        for (char c : value) {
            const auto u = static_cast<std::uint16_t>(static_cast<std::uint8_t>(c) ^ 0xFFFF);
            out.push_back(static_cast<std::uint8_t>(u));
            out.push_back(static_cast<std::uint8_t>(u >> 8));
        }
        if (extra) {
            u32(12);
            raw("speech_file1");
        }
    }
    return out;
}

// The table of generateCsf(seed), read.
inline std::unique_ptr<TCompiledStrings> readBigTable(std::uint32_t seed = 2024) {
    NullProgress progress;
    bool singleByte = false;
    return TCompiledStrings::CreateFromBuffer(generateCsf(seed), progress, singleByte);
}

} // namespace vste::bench
