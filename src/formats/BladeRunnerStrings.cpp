// SPDX-License-Identifier: MIT
// Blade Runner and Lands of Lore 2 string files: a 32-bit count, the identifiers, N + 1 offsets
// and NUL-terminated texts. Only the differences of the offsets give the text sizes; the game
// counts them from byte 4, so a file written here starts its first offset at 4 + 8 * N.
#include "formats/BladeRunnerStrings.h"

#include <charconv>
#include <vector>

#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "core/Errors.h"
#include "core/FileIO.h"
#include "encoding/CodePage.h"

namespace vste {

std::uint32_t detail::IdentifierOfName(const TText& text, std::uint32_t max) {
    const std::string& name = text.Name;
    std::uint64_t value = 0;
    const char* end = name.data() + name.size();
    const auto [ptr, ec] = std::from_chars(name.data(), end, value);
    if (name.empty() || ptr != end || ec != std::errc() || value > max)
        throw FormatError("The string \"" + name +
                          "\" cannot be saved: its name must be a number from 0 to " +
                          std::to_string(max));
    return static_cast<std::uint32_t>(value);
}

std::unique_ptr<TBladeRunnerStrings>
TBladeRunnerStrings::CreateFromFile(const std::string& fileName, Progress& progress) {
    const auto bytes = LoadFile(fileName);
    return CreateFromBuffer(bytes, progress);
}

std::unique_ptr<TBladeRunnerStrings>
TBladeRunnerStrings::CreateFromBuffer(std::span<const std::uint8_t> data, Progress&) {
    ByteReader in(data);
    const std::uint32_t count = in.u32();
    auto doc = std::make_unique<TBladeRunnerStrings>();
    if (count == 0)
        return doc; // the single closing offset may be there or not

    in.require(8 * static_cast<std::uint64_t>(count) + 4);
    std::vector<std::uint32_t> ids(count);
    for (auto& id : ids)
        id = in.u32();
    std::vector<std::uint32_t> offsets(static_cast<std::size_t>(count) + 1);
    for (auto& offset : offsets)
        offset = in.u32();

    // The texts follow the tables at once, so the first offset can be no smaller than the
    // tables (counted from byte 4) and, the tables being even, not odd. Every text holds at
    // least its NUL, and all of them must lie within the file.
    if (offsets[0] < 4 + 8 * static_cast<std::uint64_t>(count) || offsets[0] % 2 != 0)
        throw ReadError();
    for (std::uint32_t k = 0; k < count; ++k)
        if (offsets[k + 1] <= offsets[k])
            throw ReadError();
    if (offsets[count] > data.size())
        throw ReadError();
    in.require(offsets[count] - offsets[0]);

    doc->Body.resize(count);
    for (std::uint32_t k = 0; k < count; ++k) {
        TText& text = doc->Body[k];
        text.Name = std::to_string(ids[k]);
        text.Values.resize(1);
        const std::uint32_t size = offsets[k + 1] - offsets[k];
        text.Values.front().Value = AnsiToWide(in.bytes(size - 1));
        in.skip(1); // the NUL
    }
    return doc;
}

std::vector<std::uint8_t> TBladeRunnerStrings::SaveToBuffer(Progress&, bool) const {
    const std::uint32_t count = LabelCount();
    std::vector<std::uint32_t> ids(count);
    std::vector<std::string> texts(count);
    std::uint64_t offset = 4 + 8 * static_cast<std::uint64_t>(count);
    std::vector<std::uint32_t> offsets;
    offsets.reserve(static_cast<std::size_t>(count) + 1);
    offsets.push_back(static_cast<std::uint32_t>(offset));
    for (std::uint32_t k = 0; k < count; ++k) {
        const TText& text = Body[k];
        ids[k] = detail::IdentifierOfName(text, 0xFFFFFFFFu);
        if (!text.Values.empty())
            texts[k] = WideToAnsi(text.Values.front().Value);
        offset += texts[k].size() + 1;
        if (offset > 0xFFFFFFFFu)
            throw FormatError("The string \"" + text.Name +
                              "\" cannot be saved: the file would be too big for 32-bit offsets");
        offsets.push_back(static_cast<std::uint32_t>(offset));
    }

    ByteWriter out;
    out.reserve(static_cast<std::size_t>(offset + 4));
    out.u32(count);
    for (std::uint32_t id : ids)
        out.u32(id);
    for (std::uint32_t o : offsets)
        out.u32(o);
    for (const std::string& text : texts) {
        out.bytes(text);
        out.u8(0);
    }
    return out.take();
}

} // namespace vste
