// SPDX-License-Identifier: MIT
// The active code page and the conversions between UTF-16 and single-byte text or UTF-8.
#include "encoding/CodePage.h"

#include <atomic>
#include <cstdlib>
#include <stdexcept>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace vste {
namespace {

std::atomic<int> g_activeCodePage{1252};

} // namespace

const std::vector<int>& SupportedCodePages() {
    static const std::vector<int> pages{1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 874};
    return pages;
}

bool IsSupportedCodePage(int codePage) {
    for (int c : SupportedCodePages())
        if (c == codePage)
            return true;
    return false;
}

int ActiveCodePage() {
    return g_activeCodePage.load(std::memory_order_relaxed);
}

void SetActiveCodePage(int codePage) {
    if (!IsSupportedCodePage(codePage))
        throw std::invalid_argument("unsupported code page " + std::to_string(codePage));
    g_activeCodePage.store(codePage, std::memory_order_relaxed);
}

int CodePageForLocale(std::string_view localeName) {
    std::string language;
    for (char c : localeName) {
        if (c == '_' || c == '-' || c == '.' || c == '@')
            break;
        language.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c));
    }
    struct Entry {
        std::string_view language;
        int codePage;
    };
    static constexpr Entry kTable[] = {
        {"ru", 1251}, {"uk", 1251}, {"be", 1251}, {"bg", 1251}, {"mk", 1251}, {"sr", 1251},
        {"pl", 1250}, {"cs", 1250}, {"sk", 1250}, {"hu", 1250}, {"sl", 1250}, {"hr", 1250},
        {"ro", 1250}, {"el", 1253}, {"tr", 1254}, {"he", 1255}, {"ar", 1256}, {"fa", 1256},
        {"et", 1257}, {"lv", 1257}, {"lt", 1257}, {"vi", 1258}, {"th", 874},
    };
    for (const Entry& e : kTable)
        if (e.language == language)
            return e.codePage;
    return 1252;
}

void InitActiveCodePageFromEnvironment() {
    if (const char* value = std::getenv("VSTE_CODEPAGE"); value != nullptr && *value != '\0') {
        char* end = nullptr;
        const long cp = std::strtol(value, &end, 10);
        if (end != value && *end == '\0' && IsSupportedCodePage(static_cast<int>(cp))) {
            SetActiveCodePage(static_cast<int>(cp));
            return;
        }
    }
#ifdef _WIN32
    // The system's ANSI code page, where it is one of ours.
    if (const int acp = static_cast<int>(GetACP()); IsSupportedCodePage(acp)) {
        SetActiveCodePage(acp);
        return;
    }
#endif
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        if (const char* value = std::getenv(name); value != nullptr && *value != '\0') {
            SetActiveCodePage(CodePageForLocale(value));
            return;
        }
    }
    SetActiveCodePage(1252);
}

std::string WideToAnsi(std::u16string_view text, int codePage) {
    return CodePageCodec::Get(codePage).toAnsi(text);
}

std::u16string AnsiToWide(std::string_view text, int codePage) {
    return CodePageCodec::Get(codePage).toUnicode(text);
}

std::string AnsiUpperCase(std::string_view text, int codePage) {
    std::string result;
    AppendAnsiUpperCase(text, result, codePage);
    return result;
}

void AppendAnsiUpperCase(std::string_view text, std::string& out, int codePage) {
    CodePageCodec::Get(codePage).appendUpperCase(text, out);
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        if (IsHighSurrogate(static_cast<char16_t>(c)) && i + 1 < text.size() &&
            IsLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        }
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const auto cont = [&](std::size_t i) { return i < text.size() && (byte(i) & 0xC0) == 0x80; };
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char b = byte(i);
        char32_t c = 0xFFFD;
        std::size_t len = 1;
        if (b < 0x80) {
            c = b;
        } else if (b >= 0xC2 && b <= 0xDF && cont(i + 1)) {
            c = (char32_t(b & 0x1F) << 6) | (byte(i + 1) & 0x3F);
            len = 2;
        } else if (b >= 0xE0 && b <= 0xEF && cont(i + 1) && cont(i + 2)) {
            const char32_t v = (char32_t(b & 0x0F) << 12) | (char32_t(byte(i + 1) & 0x3F) << 6) |
                               (byte(i + 2) & 0x3F);
            if (v >= 0x800 && (v < 0xD800 || v > 0xDFFF)) {
                c = v;
                len = 3;
            }
        } else if (b >= 0xF0 && b <= 0xF4 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
            const char32_t v = (char32_t(b & 0x07) << 18) | (char32_t(byte(i + 1) & 0x3F) << 12) |
                               (char32_t(byte(i + 2) & 0x3F) << 6) | (byte(i + 3) & 0x3F);
            if (v >= 0x10000 && v <= 0x10FFFF) {
                c = v;
                len = 4;
            }
        }
        if (c >= 0x10000) {
            out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
        i += len;
    }
    return out;
}

} // namespace vste
