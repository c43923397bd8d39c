// SPDX-License-Identifier: MIT
// Builds CSF bytes from a short description, for tests that need files of a given shape, through
// the one CSF byte builder that the samples, fuzzers and benchmarks share.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/SampleFiles.h"

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
        std::uint32_t values = 0;
        for (const auto& l : labels)
            values += static_cast<std::uint32_t>(l.values.size());
        samples::Builder out = samples::CsfHeader(
            static_cast<std::uint32_t>(version), static_cast<std::uint32_t>(labels.size()),
            stringCount < 0 ? values : static_cast<std::uint32_t>(stringCount),
            static_cast<std::uint32_t>(language));
        std::vector<std::uint8_t> bytes = out.take();
        // The reserved field sits between the string count and the language.
        for (int i = 0; i < 4; ++i)
            bytes[16 + static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(reserved >> (8 * i));
        samples::Builder body;
        const std::string tagTail = version == 2 ? "rtS" : "RTS";
        for (const auto& l : labels) {
            samples::CsfLabel(body, l.name, static_cast<std::uint32_t>(l.values.size()));
            for (const auto& v : l.values) {
                if (v.extra)
                    samples::CsfExtraValue(body, v.text, v.extraValue, "W" + tagTail);
                else
                    samples::CsfValue(body, v.text, " " + tagTail);
            }
        }
        const std::vector<std::uint8_t> rest = body.take();
        bytes.insert(bytes.end(), rest.begin(), rest.end());
        bytes.insert(bytes.end(), trailing.begin(), trailing.end());
        return bytes;
    }
};

} // namespace vste::test
