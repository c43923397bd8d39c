// SPDX-License-Identifier: MIT
// Malcolm's Revenge string files: a 16-bit count, the identifiers, one offset from the start of
// the file per string, and NUL-terminated texts; the last text's NUL is the last byte.
#include "formats/MalcolmStrings.h"

#include <vector>

#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "core/Errors.h"
#include "core/FileIO.h"
#include "encoding/CodePage.h"
#include "formats/BladeRunnerStrings.h"

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
    std::vector<std::uint16_t> ids(count);
    for (auto& id : ids)
        id = in.u16();
    std::vector<std::uint16_t> offsets(count);
    for (auto& offset : offsets)
        offset = in.u16();

    // The texts follow the tables at once (an even position); each text holds at least its NUL,
    // so the offsets rise, and the last text starts before the file's end.
    const std::size_t tables = in.position();
    if (offsets[0] < tables || offsets[0] % 2 != 0)
        throw ReadError();
    for (std::size_t k = 1; k < count; ++k)
        if (offsets[k] <= offsets[k - 1])
            throw ReadError();
    if (offsets[count - 1] >= data.size())
        throw ReadError();

    doc->Body.resize(count);
    for (std::size_t k = 0; k < count; ++k) {
        TText& text = doc->Body[k];
        text.Name = std::to_string(ids[k]);
        text.Values.resize(1);
        const std::size_t end = k + 1 < count ? offsets[k + 1] : data.size();
        text.Values.front().Value = AnsiToWide(in.bytes(end - offsets[k] - 1));
        if (k + 1 < count)
            in.skip(1); // the NUL; the last one, the file's last byte, is not read
    }
    return doc;
}

std::vector<std::uint8_t> TMalcolmStrings::SaveToBuffer(Progress&, bool) const {
    const std::uint32_t count = LabelCount();
    // The count and every offset are 16-bit, and the tables take 4 bytes per string.
    if (count > 0xFFFF || 2 + 4 * static_cast<std::uint64_t>(count) > 0xFFFF)
        throw FormatError("The document cannot be saved: " + std::to_string(count) +
                          " strings are too many for 16-bit offsets");
    std::vector<std::uint16_t> ids(count);
    std::vector<std::uint16_t> offsets(count);
    std::vector<std::string> texts(count);
    std::size_t offset = 2 + 4 * static_cast<std::size_t>(count);
    for (std::uint32_t k = 0; k < count; ++k) {
        const TText& text = Body[k];
        ids[k] = static_cast<std::uint16_t>(detail::IdentifierOfName(text, 0xFFFF));
        if (!text.Values.empty())
            texts[k] = WideToAnsi(text.Values.front().Value);
        if (texts[k].size() + 1 > 0xFFFF)
            throw FormatError("The string \"" + text.Name + "\" cannot be saved: its value of " +
                              std::to_string(texts[k].size()) +
                              " characters is too long for a 16-bit size");
        if (offset > 0xFFFF)
            throw FormatError("The string \"" + text.Name +
                              "\" cannot be saved: the file would be too big for 16-bit offsets");
        offsets[k] = static_cast<std::uint16_t>(offset);
        offset += texts[k].size() + 1;
    }

    ByteWriter out;
    out.reserve(offset);
    out.u16(static_cast<std::uint16_t>(count));
    for (std::uint16_t id : ids)
        out.u16(id);
    for (std::uint16_t o : offsets)
        out.u16(o);
    for (const std::string& text : texts) {
        out.bytes(text);
        out.u8(0);
    }
    return out.take();
}

} // namespace vste
