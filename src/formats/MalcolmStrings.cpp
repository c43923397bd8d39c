// SPDX-License-Identifier: MIT
// Malcolm's Revenge string files: a 16-bit count, the identifiers, one offset from the start of
// the file per string, and NUL-terminated texts; the last text's NUL is the last byte.
#include "formats/MalcolmStrings.h"

#include <vector>

#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "core/Errors.h"
#include "core/FileIO.h"
#include "formats/NumberedTexts.h"

namespace vste {

std::unique_ptr<TMalcolmStrings> TMalcolmStrings::CreateFromFile(const std::string& fileName,
                                                                 Progress& progress) {
    const auto bytes = LoadFile(fileName);
    return CreateFromBuffer(bytes, progress);
}

std::unique_ptr<TMalcolmStrings>
TMalcolmStrings::CreateFromBuffer(std::span<const std::uint8_t> data, Progress&) {
    ByteReader in(data);
    const std::uint16_t count = in.u16();
    auto doc = std::make_unique<TMalcolmStrings>();
    if (count == 0)
        return doc;

    in.require(count, 4);
    std::vector<std::uint32_t> ids(count);
    for (auto& id : ids)
        id = in.u16();
    // The offsets count from the start of the file; the last text ends at the file's end.
    std::vector<std::uint64_t> bounds(std::size_t{count} + 1);
    for (std::size_t k = 0; k < count; ++k)
        bounds[k] = in.u16();
    bounds[count] = data.size();
    doc->Body = detail::ReadNumberedTexts(in, ids, bounds, in.position());
    return doc;
}

std::vector<std::uint8_t> TMalcolmStrings::SaveToBuffer(Progress&, bool) const {
    const std::uint32_t count = LabelCount();
    // The count and every offset are 16-bit, and the tables take 4 bytes per string.
    if (count > 0xFFFF || 2 + 4 * static_cast<std::uint64_t>(count) > 0xFFFF)
        throw FormatError(Message(MessageId::TooManyFor16BitOffsets, {Number(count)}));
    const detail::NumberedTexts numbered = detail::CollectNumberedTexts(Body, 0xFFFF);
    std::vector<std::uint16_t> offsets(count);
    std::size_t offset = 2 + 4 * static_cast<std::size_t>(count);
    for (std::uint32_t k = 0; k < count; ++k) {
        const std::string& name = Body[k].Name;
        const std::size_t size = numbered.texts[k].size();
        if (size + 1 > 0xFFFF)
            throw FormatError(Message(MessageId::ValueTooLongFor16BitSize, {name, Number(size)}));
        if (offset > 0xFFFF)
            throw FormatError(Message(MessageId::TooBigFor16BitOffsets, {name}));
        offsets[k] = static_cast<std::uint16_t>(offset);
        offset += size + 1;
    }

    ByteWriter out(offset);
    out.u16(static_cast<std::uint16_t>(count));
    for (std::uint32_t id : numbered.ids)
        out.u16(static_cast<std::uint16_t>(id));
    for (std::uint16_t o : offsets)
        out.u16(o);
    detail::WriteNulTerminated(out, numbered.texts);
    return out.take();
}

} // namespace vste
