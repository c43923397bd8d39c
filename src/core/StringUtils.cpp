// SPDX-License-Identifier: MIT
#include "core/StringUtils.h"

#include <algorithm>

#include "encoding/CodePage.h"

namespace vste {

std::string_view QuotedPart(std::string_view s) {
    const std::size_t first = s.find('"');
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = s.rfind('"');
    if (last <= first) {
        return {};
    }
    return s.substr(first + 1, last - first - 1);
}

bool IsEndKeyword(std::string_view s) {
    if (s.size() != 3) {
        return false;
    }
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    return upper(s[0]) == 'E' && upper(s[1]) == 'N' && upper(s[2]) == 'D';
}

void PlainCodec::appendAnsi(std::string& out, std::u16string_view text) const {
    const std::size_t start = out.size();
    out.resize(start + text.size());
    const std::size_t written =
        writeAnsi(reinterpret_cast<std::uint8_t*>(out.data() + start), text);
    out.resize(start + written);
}

std::u16string PlainAnsiToWide(std::string_view text, int codePage) {
    std::u16string out;
    PlainCodec(codePage).appendWide(out, text);
    return out;
}

std::string PlainWideToAnsi(std::u16string_view text, int codePage) {
    std::string out;
    PlainCodec(codePage).appendAnsi(out, text);
    return out;
}

} // namespace vste
