// SPDX-License-Identifier: MIT
#include "core/WestwoodText.h"

#include <algorithm>

#include "core/ByteWriter.h"
#include "core/Errors.h"
#include "encoding/CodePage.h"

namespace vste {

namespace {

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool isAscii(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; });
}

} // namespace

std::string DecompressWestwoodText(std::string_view source) {
    std::string result;
    result.reserve(source.size() * 2);
    for (std::size_t i = 0; i < source.size(); ++i) {
        const auto b = static_cast<unsigned char>(source[i]);
        if (b >= 0x80) {
            const unsigned row = (b >> 3) & 0x0F;
            result += kWestwoodFirstLetters[row];
            result += kWestwoodFollowers[row][b & 0x07];
        } else if (b >= 0x20) {
            result += static_cast<char>(b);
        } else if (b == 0x1B) {
            // An escape at the very end has no byte to carry and stands for 0 + 0x7F.
            const unsigned next =
                i + 1 < source.size() ? static_cast<unsigned char>(source[++i]) : 0;
            result += static_cast<char>(static_cast<unsigned char>((next + 0x7F) & 0xFF));
        } else if (b == 0x0D) {
            result += '\n';
        } else {
            result += static_cast<char>(0xA7);
        }
    }
    return result;
}

std::vector<std::uint8_t> EncodeWestwoodStrings(const TCSFBody& body, Progress& progress) {
    const std::size_t count = body.size();
    SetProgressMax(progress, count);

    // Every value is converted first, so the offsets count the bytes really stored (a letter
    // that the code page spells as letter plus mark takes two). Offsets are computed wide and
    // checked, so a document that does not fit is refused instead of being written with
    // wrapped-around offsets.
    std::vector<std::string> texts(count);
    std::vector<std::size_t> offsets(count + 1);
    std::size_t offset = 2 * count + 2;
    for (std::size_t i = 0; i < count; ++i) {
        offsets[i] = offset;
        texts[i] = FirstValueBytes(body[i]);
        offset += texts[i].size() + 1;
        if (offset + 1 > kWestwoodMaxFileSize)
            throw FormatError(Message(MessageId::WestwoodTooBig, {body[i].Name}));
    }
    offsets[count] = offset;

    ByteWriter out(offset + 1);
    for (std::size_t o : offsets)
        out.u16(static_cast<std::uint16_t>(o));
    for (std::size_t i = 0; i < count; ++i) {
        out.bytes(texts[i]);
        out.u8(0);
        progress.SetPosition(ProgressIndex(i));
    }
    out.u8(0);
    return out.take();
}

std::u16string BytesToWide(std::string_view bytes) {
    bytes = bytes.substr(0, std::min(bytes.size(), bytes.find('\0')));
    if (isAscii(bytes))
        return std::u16string(bytes.begin(), bytes.end());
    return CodePageCodec::Get().toUnicode(bytes);
}

std::string WideToBytes(std::u16string_view text) {
    if (isAscii(text) && text.find(u'\0') == std::u16string_view::npos)
        return std::string(text.begin(), text.end());
    return CodePageCodec::Get().toAnsi(text);
}

std::string FirstValueBytes(const TText& text) {
    return text.Values.empty() ? std::string() : WideToBytes(text.Values.front().Value);
}

} // namespace vste
