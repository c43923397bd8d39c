// SPDX-License-Identifier: MIT
#include "formats/NumberedTexts.h"

#include <charconv>

#include "core/Errors.h"
#include "core/WestwoodText.h"
#include "encoding/CodePage.h"

namespace vste::detail {

std::uint32_t IdentifierOfName(const TText& text, std::uint32_t max) {
    const std::string& name = text.Name;
    std::uint64_t value = 0;
    const char* end = name.data() + name.size();
    const auto [ptr, ec] = std::from_chars(name.data(), end, value);
    if (name.empty() || ptr != end || ec != std::errc() || value > max)
        throw FormatError(Message(MessageId::NameNotNumber, {name, Number(max)}));
    return static_cast<std::uint32_t>(value);
}

TCSFBody ReadNumberedTexts(ByteReader& in, std::span<const std::uint32_t> ids,
                           std::span<const std::uint64_t> bounds, std::uint64_t tablesEnd) {
    const std::size_t count = ids.size();
    if (bounds.size() != count + 1 || bounds[0] < tablesEnd || bounds[0] % 2 != 0)
        throw ReadError();
    for (std::size_t k = 0; k < count; ++k)
        if (bounds[k + 1] <= bounds[k])
            throw ReadError();
    in.require(bounds[count] - bounds[0]);

    TCSFBody body(count);
    for (std::size_t k = 0; k < count; ++k) {
        TText& text = body[k];
        text.Name = std::to_string(ids[k]);
        text.Values.resize(1);
        const auto size = static_cast<std::size_t>(bounds[k + 1] - bounds[k]);
        text.Values.front().Value = AnsiToWide(in.bytes(size - 1));
        in.skip(1); // the NUL
    }
    return body;
}

NumberedTexts CollectNumberedTexts(const TCSFBody& body, std::uint32_t maxId) {
    NumberedTexts result;
    result.ids.reserve(body.size());
    result.texts.reserve(body.size());
    for (const TText& text : body) {
        result.ids.push_back(IdentifierOfName(text, maxId));
        result.texts.push_back(FirstValueBytes(text));
    }
    return result;
}

void WriteNulTerminated(ByteWriter& out, const std::vector<std::string>& texts) {
    for (const std::string& text : texts) {
        out.bytes(text);
        out.u8(0);
    }
}

} // namespace vste::detail
