// SPDX-License-Identifier: MIT
// Dune 2000 string tables: a record count, then name/value pairs, each a NUL-terminated text
// after its 16-bit size. A line break in a value is stored as the byte 0xAC.
#include "formats/Dune2000Strings.h"

#include <algorithm>
#include <limits>

#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "core/Errors.h"
#include "core/FileIO.h"
#include "core/WestwoodText.h"

namespace vste {

namespace {

// Two 16-bit sizes; a well-formed record has at least two terminators besides.
constexpr std::size_t kMinRecordSize = 2 + 2;
constexpr char16_t kStoredLineBreak = u'\u00AC';
constexpr std::size_t kMaxField = std::numeric_limits<std::uint16_t>::max();

// A size field counts its terminator, so zero leaves no room for it.
std::string_view readField(ByteReader& in) {
    const std::uint16_t size = in.u16();
    if (size == 0)
        throw ReadError();
    const auto bytes = in.span(size);
    return {reinterpret_cast<const char*>(bytes.data()), std::size_t{size} - 1};
}

// Text that every supported code page stores unchanged, byte for byte, and that holds no line
// break to translate.
bool isPlainAscii(std::u16string_view text) {
    for (char16_t c : text)
        if (c == 0 || c == u'\n' || c >= 0x80)
            return false;
    return true;
}

} // namespace

std::unique_ptr<TDune2000Strings> TDune2000Strings::CreateFromFile(const std::string& fileName,
                                                                   Progress& progress) {
    const std::vector<std::uint8_t> data = LoadFile(fileName);
    return CreateFromBuffer(data, progress);
}

std::unique_ptr<TDune2000Strings>
TDune2000Strings::CreateFromBuffer(std::span<const std::uint8_t> data, Progress& progress) {
    ByteReader in(data);
    const std::uint32_t count = in.u32();
    in.require(count, kMinRecordSize);

    auto document = std::make_unique<TDune2000Strings>();
    document->Body.resize(count);
    SetProgressMax(progress, count);
    for (std::uint32_t i = 0; i < count; ++i) {
        TText& text = document->Body[i];
        text.Name = readField(in);
        // The stored terminator never becomes part of the value, even when it is not a NUL.
        TTextContainer& container = text.Values.emplace_back();
        container.Value = BytesToWide(readField(in));
        std::replace(container.Value.begin(), container.Value.end(), kStoredLineBreak, u'\n');
        progress.SetPosition(ProgressIndex(i));
    }
    return document;
}

std::vector<std::uint8_t> TDune2000Strings::SaveToBuffer(Progress& progress, bool ansiMode) const {
    (void)ansiMode;
    const std::size_t count = Body.size();
    SetProgressMax(progress, count);
    // Values are converted first so that each size counts the bytes really stored (a letter the
    // code page spells as letter plus mark takes two) and the buffer is allocated once.
    std::vector<std::string> values(count);
    std::size_t total = 4;
    std::u16string stored;
    for (std::size_t i = 0; i < count; ++i) {
        const TText& text = Body[i];
        const std::u16string_view value = text.Values.empty()
                                              ? std::u16string_view{}
                                              : std::u16string_view{text.Values.front().Value};
        if (isPlainAscii(value)) {
            values[i].assign(value.begin(), value.end());
        } else {
            stored.assign(value);
            std::replace(stored.begin(), stored.end(), u'\n', kStoredLineBreak);
            values[i] = WideToBytes(stored);
        }
        // Sizes are 16-bit and count the terminator: refuse what would wrap around.
        if (text.Name.size() >= kMaxField)
            throw FormatError(Message(MessageId::Dune2000NameTooLong, {text.Name}));
        if (values[i].size() >= kMaxField)
            throw FormatError(Message(MessageId::Dune2000ValueTooLong, {text.Name}));
        total += 6 + text.Name.size() + values[i].size();
    }
    ByteWriter out(total);
    out.u32(static_cast<std::uint32_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        const TText& text = Body[i];
        out.u16(static_cast<std::uint16_t>(text.Name.size() + 1));
        out.bytes(text.Name);
        out.u8(0);
        out.u16(static_cast<std::uint16_t>(values[i].size() + 1));
        out.bytes(values[i]);
        out.u8(0);
        progress.SetPosition(ProgressIndex(i));
    }
    return out.take();
}

} // namespace vste
