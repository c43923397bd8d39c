// SPDX-License-Identifier: MIT
#include "exchange/ExchangeText.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "encoding/CodePage.h"

namespace vste::exchange {

void AppendCodePoint(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

namespace {

// Length of the well-formed UTF-8 sequence at `i`, 0 when there is none.
std::size_t SequenceLength(std::string_view t, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(t[k]); };
    const auto cont = [&](std::size_t k) { return k < t.size() && (b(k) & 0xC0) == 0x80; };
    const unsigned char c = b(i);
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF)
        return cont(i + 1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (!cont(i + 1) || !cont(i + 2))
            return 0;
        if ((c == 0xE0 && b(i + 1) < 0xA0) || (c == 0xED && b(i + 1) >= 0xA0))
            return 0; // overlong, or a surrogate
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (!cont(i + 1) || !cont(i + 2) || !cont(i + 3))
            return 0;
        if ((c == 0xF0 && b(i + 1) < 0x90) || (c == 0xF4 && b(i + 1) >= 0x90))
            return 0;
        return 4;
    }
    return 0;
}

} // namespace

bool AppendUtf8Strict(std::string& out, std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            return false;
        }
        AppendCodePoint(out, c);
    }
    return true;
}

std::optional<std::size_t> FindInvalidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        // Plain ASCII runs are the common case of every exchange file.
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t n = SequenceLength(text, i);
        if (n == 0)
            return i;
        i += n;
    }
    return std::nullopt;
}

std::size_t LineOfOffset(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    return 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + offset, '\n'));
}

void RequireUtf8(std::string_view text) {
    if (const auto bad = FindInvalidUtf8(text))
        throw ExchangeError("line " + std::to_string(LineOfOffset(text, *bad)) +
                            ": the file is not UTF-8 text");
}

std::string_view WithoutBom(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    return text;
}

std::optional<char32_t> FindXmlForbidden(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return c;
        if (c == 0xEF && utf8.substr(i, 2) == "\xEF\xBF" && i + 2 < utf8.size()) {
            const auto last = static_cast<unsigned char>(utf8[i + 2]);
            if (last == 0xBE || last == 0xBF)
                return 0xFF00 + last;
        }
    }
    return std::nullopt;
}

std::string Quote(std::string_view text, bool marks) {
    constexpr std::size_t kShown = 80;
    std::size_t cut = 0;
    std::size_t characters = 0;
    while (cut < text.size() && characters < kShown) {
        const std::size_t n = SequenceLength(text, cut);
        cut += n == 0 ? 1 : n;
        ++characters;
    }
    std::string out = marks ? "\"" : "";
    out.append(text.substr(0, cut));
    if (cut < text.size())
        out += "...";
    if (marks)
        out += '"';
    return out;
}

std::string CodePointText(char32_t c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
    return buffer;
}

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::string DescribeValue(const ExportEntry& entry) {
    std::string name;
    for (char ch : entry.name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
            name += buffer;
        } else {
            name.push_back(ch);
        }
    }
    return "value " + std::to_string(entry.valueNumber) + " of the string \"" + name + "\"";
}

} // namespace vste::exchange

namespace vste::exchange {

namespace {

bool IsHex(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// True when `text` at `i` is "_x" followed by four hex digits and "_".
bool IsXlsxEscapeAt(std::string_view text, std::size_t i) {
    return i + 7 <= text.size() && text[i] == '_' && text[i + 1] == 'x' && IsHex(text[i + 2]) &&
           IsHex(text[i + 3]) && IsHex(text[i + 4]) && IsHex(text[i + 5]) && text[i + 6] == '_';
}

void AppendEscape(std::string& out, unsigned code) {
    char buffer[12];
    std::snprintf(buffer, sizeof buffer, "_x%04X_", code);
    out += buffer;
}

} // namespace

void AppendXlsxEscaped(std::string& out, std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if ((c < 0x20 && c != '\t' && c != '\n') || (c == '_' && IsXlsxEscapeAt(utf8, i))) {
            AppendEscape(out, c);
        } else if (c == 0xEF && utf8.substr(i, 2) == "\xEF\xBF" && i + 2 < utf8.size() &&
                   (static_cast<unsigned char>(utf8[i + 2]) & 0xFE) == 0xBE) {
            AppendEscape(out, 0xFF00u + static_cast<unsigned char>(utf8[i + 2]));
            i += 2;
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
}

std::string XlsxUnescape(std::string_view text) {
    if (text.find("_x") == std::string_view::npos)
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsXlsxEscapeAt(text, i)) {
            const auto code =
                static_cast<char32_t>(std::stoul(std::string(text.substr(i + 2, 4)), nullptr, 16));
            if (code >= 0xD800 && code <= 0xDFFF)
                AppendCodePoint(out, 0xFFFD); // never written; a broken escape of another program
            else
                AppendCodePoint(out, code);
            i += 6;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

void AppendXmlEscaped(std::string& out, std::string_view text, bool attribute) {
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += attribute ? "&quot;" : "\"";
            break;
        case '\r':
            out += "&#13;";
            break;
        case '\n':
            out += attribute ? "&#10;" : "\n";
            break;
        case '\t':
            out += attribute ? "&#9;" : "\t";
            break;
        default:
            out.push_back(c);
        }
    }
}

} // namespace vste::exchange
