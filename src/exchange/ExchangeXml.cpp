// SPDX-License-Identifier: MIT
#include "exchange/ExchangeXml.h"

#include <charconv>

#include "exchange/ExchangeText.h"

namespace vste::exchange {

namespace {

// The code point a reference "&...;" (without '&' and ';') stands for.
char32_t ReferenceValue(std::string_view body, const std::string& where) {
    static constexpr std::pair<std::string_view, char32_t> kNamed[] = {
        {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& [name, c] : kNamed)
        if (body == name)
            return c;
    if (body.empty() || body.front() != '#')
        throw ExchangeError(where + ": the entity reference &" + Quote(body, false) +
                            "; is not one XML predefines (an exchange file uses only &lt; &gt; "
                            "&amp; &quot; &apos; and character references)");
    const bool hex = body.size() > 1 && body[1] == 'x';
    const std::string_view digits = body.substr(hex ? 2 : 1);
    std::uint32_t value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, hex ? 16 : 10);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        value > 0x10FFFF)
        throw ExchangeError(where + ": the character reference &" + Quote(body, false) +
                            "; is beyond U+10FFFF or not a number");
    if (value == 0 || (value >= 0xD800 && value <= 0xDFFF))
        throw ExchangeError(where + ": the character reference &" + Quote(body, false) +
                            "; stands for " + CodePointText(value) + ", which no text can hold");
    return value;
}

} // namespace

std::string DecodeXml(std::string_view raw, const std::string& where) {
    std::size_t amp = raw.find('&');
    if (amp == std::string_view::npos)
        return std::string(raw);
    std::string out;
    out.reserve(raw.size());
    std::size_t from = 0;
    for (; amp != std::string_view::npos; amp = raw.find('&', from)) {
        out.append(raw.substr(from, amp - from));
        const std::size_t semicolon = raw.find(';', amp);
        // A reference is short; a long run without ';' is a bare '&'.
        if (semicolon == std::string_view::npos || semicolon - amp > 12)
            throw ExchangeError(where + ": a bare '&' (write it &amp;)");
        AppendCodePoint(out, ReferenceValue(raw.substr(amp + 1, semicolon - amp - 1), where));
        from = semicolon + 1;
    }
    out.append(raw.substr(from));
    return out;
}

std::string LineOf(std::string_view text, pugi::xml_node node) {
    const std::ptrdiff_t offset = node.offset_debug();
    return "line " +
           std::to_string(LineOfOffset(text, offset < 0 ? 0 : static_cast<std::size_t>(offset)));
}

} // namespace vste::exchange
