// SPDX-License-Identifier: MIT
// Blade Runner and Lands of Lore 2 string files: a 32-bit count, the identifiers, N + 1 offsets
// and NUL-terminated texts. Only the differences of the offsets give the text sizes; the game
// counts them from byte 4, so a file written here starts its first offset at 4 + 8 * N.
#include "formats/BladeRunnerStrings.h"

#include <vector>

#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "core/Errors.h"
#include "core/FileIO.h"
#include "formats/NumberedTexts.h"

namespace vste {

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
    std::vector<std::uint64_t> offsets(static_cast<std::size_t>(count) + 1);
    for (auto& offset : offsets)
        offset = in.u32();
    // Offsets count from byte 4, so the tables end at 4 + 8 * N in their terms; an end offset
    // beyond the file's size cannot belong to it.
    if (offsets[count] > data.size())
        throw ReadError();
    doc->Body =
        detail::ReadNumberedTexts(in, ids, offsets, 4 + 8 * static_cast<std::uint64_t>(count));
    return doc;
}

std::vector<std::uint8_t> TBladeRunnerStrings::SaveToBuffer(Progress&, bool) const {
    const std::uint32_t count = LabelCount();
    const detail::NumberedTexts numbered = detail::CollectNumberedTexts(Body, 0xFFFFFFFFu);
    std::uint64_t offset = 4 + 8 * static_cast<std::uint64_t>(count);
    std::vector<std::uint32_t> offsets;
    offsets.reserve(static_cast<std::size_t>(count) + 1);
    offsets.push_back(static_cast<std::uint32_t>(offset));
    for (std::uint32_t k = 0; k < count; ++k) {
        offset += numbered.texts[k].size() + 1;
        if (offset > 0xFFFFFFFFu)
            throw FormatError(Message(MessageId::TooBigFor32BitOffsets, {Body[k].Name}));
        offsets.push_back(static_cast<std::uint32_t>(offset));
    }

    ByteWriter out(static_cast<std::size_t>(offset + 4));
    out.u32(count);
    for (std::uint32_t id : numbered.ids)
        out.u32(id);
    for (std::uint32_t o : offsets)
        out.u32(o);
    detail::WriteNulTerminated(out, numbered.texts);
    return out.take();
}

} // namespace vste
