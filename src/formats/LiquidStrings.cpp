// SPDX-License-Identifier: MIT
// Liquid text files: a header word, a record count, and records of a 32-bit identifier and a
// text of 16-bit units whose low bytes carry single-byte text of the code page.
#include "formats/LiquidStrings.h"

#include <algorithm>
#include <charconv>

#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "core/Errors.h"
#include "core/FileIO.h"
#include "core/WestwoodText.h"

namespace vste {

namespace {

// Identifier, the ignored byte, and the unit count: the least a record can take.
constexpr std::size_t kMinRecordSize = 4 + 1 + 4;

} // namespace

std::uint32_t ParseLiquidIdentifier(const std::string& name) {
    const bool digitsOnly = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return c >= '0' && c <= '9';
    });
    std::uint32_t value = 0;
    const char* end = name.data() + name.size();
    // from_chars reports a number beyond 32 bits through its error code, not its end pointer.
    const auto parsed = std::from_chars(name.data(), end, value);
    if (!digitsOnly || parsed.ec != std::errc{} || parsed.ptr != end)
        throw FormatError(Message(MessageId::NameNotInteger, {name}));
    return value;
}

std::unique_ptr<TLiquidStrings> TLiquidStrings::CreateFromFile(const std::string& fileName,
                                                               Progress& progress) {
    const std::vector<std::uint8_t> data = LoadFile(fileName);
    return CreateFromBuffer(data, progress);
}

std::unique_ptr<TLiquidStrings> TLiquidStrings::CreateFromBuffer(std::span<const std::uint8_t> data,
                                                                 Progress& progress) {
    (void)progress;
    ByteReader in(data);
    in.u32(); // header word, not interpreted
    const std::uint32_t count = in.u32();
    in.require(count, kMinRecordSize);

    auto document = std::make_unique<TLiquidStrings>();
    document->Body.reserve(count);
    std::string lowBytes;
    for (std::uint32_t i = 0; i < count; ++i) {
        TText text;
        text.Name = std::to_string(in.u32());
        in.u8();
        const std::uint32_t units = in.u32();
        // The count includes the terminating unit, so zero is impossible.
        if (units == 0)
            throw ReadError();
        const auto stored = in.span(std::size_t{units} * 2);
        lowBytes.resize(units);
        for (std::size_t u = 0; u < units; ++u)
            lowBytes[u] = static_cast<char>(stored[2 * u]);
        TTextContainer container;
        container.Value = BytesToWide(lowBytes);
        text.Values.push_back(std::move(container));
        document->Body.push_back(std::move(text));
    }
    return document;
}

std::vector<std::uint8_t> TLiquidStrings::SaveToBuffer(Progress& progress, bool ansiMode) const {
    (void)ansiMode;
    const std::size_t count = Body.size();
    SetProgressMax(progress, count);
    // Each unit count is taken from the converted bytes, so a letter that the code page spells
    // as letter plus mark keeps both.
    std::vector<std::string> values(count);
    std::size_t total = 8;
    for (std::size_t i = 0; i < count; ++i) {
        values[i] = FirstValueBytes(Body[i]);
        total += kMinRecordSize + 2 * (values[i].size() + 1);
    }
    ByteWriter out(total);
    out.u32(1);
    out.u32(static_cast<std::uint32_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        out.u32(ParseLiquidIdentifier(Body[i].Name));
        out.u8(0);
        out.u32(static_cast<std::uint32_t>(values[i].size() + 1));
        std::uint8_t* p = out.room(2 * values[i].size() + 2);
        for (char byte : values[i]) {
            *p++ = static_cast<std::uint8_t>(byte);
            *p++ = 0;
        }
        p[0] = p[1] = 0;
        progress.SetPosition(ProgressIndex(i));
    }
    return out.take();
}

} // namespace vste
