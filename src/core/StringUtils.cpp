// SPDX-License-Identifier: MIT
#include "core/StringUtils.h"

#include <algorithm>

#include "encoding/CodePage.h"

namespace vste {

namespace {

using detail::kLabelTable;

} // namespace

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

std::string FilterLabelChars(std::string_view s) {
    std::string out(s.size(), '\0');
    char* p = out.data();
    for (char c : s) {
        *p = c;
        p += kLabelTable[static_cast<unsigned char>(c)] ? 1 : 0;
    }
    out.resize(static_cast<std::size_t>(p - out.data()));
    return out;
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

std::optional<std::string> StrNameProblem(std::string_view name) {
    if (name.empty())
        return "the name is empty";
    if (name.starts_with("//"))
        return "the name starts with //, which would make its line a comment";
    if (name.find("//") != std::string_view::npos)
        return "the name holds //, which would cut it there";
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n' || c == '\r')
            return "the name holds a line end";
        if (!IsLabelChar(byte))
            return std::string("the name holds the byte 0x") + kHex[byte >> 4] + kHex[byte & 15] +
                   ", which is not one of the STR label characters";
    }
    return std::nullopt;
}

} // namespace vste
