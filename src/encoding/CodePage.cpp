// SPDX-License-Identifier: MIT
// Code page conversion through tables built once per code page with ICU. Values are converted one
// at a time by the million, so the common case (text that needs no normalisation) is a table
// look-up per character and no ICU call at all.
#include "encoding/CodePage.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <unordered_map>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace vste {
namespace {

constexpr std::size_t kCodePageCount = 10;
// Private-use home of the bytes a code page leaves undefined.
constexpr char16_t kUndefinedByteBase = 0xF700;

// Everything one code page needs, built once.
struct CodePageTables {
    std::array<char16_t, 256> toWide{};
    std::array<unsigned char, 65536>
        fromWide{};                  // exact mapping, else look-alike base letter, else '?'
    std::array<bool, 65536> exact{}; // fromWide holds the character itself
    // Characters written as a letter plus combining marks of the code page (1258, 1255).
    std::array<bool, 65536> expands{};
    std::unordered_map<char16_t, std::string> expansions;
    std::array<unsigned char, 256> upper{};
};

const char* IcuName(int codePage) {
    switch (codePage) {
    case 1250:
        return "windows-1250";
    case 1251:
        return "windows-1251";
    case 1252:
        return "windows-1252";
    case 1253:
        return "windows-1253";
    case 1254:
        return "windows-1254";
    case 1255:
        return "windows-1255";
    case 1256:
        return "windows-1256";
    case 1257:
        return "windows-1257";
    case 1258:
        return "windows-1258";
    case 874:
        return "windows-874";
    default:
        return nullptr;
    }
}

std::size_t CodePageIndex(int codePage) {
    const auto& pages = SupportedCodePages();
    for (std::size_t i = 0; i < pages.size(); ++i)
        if (pages[i] == codePage)
            return i;
    throw std::invalid_argument("unsupported code page " + std::to_string(codePage));
}

const icu::Normalizer2& Normalizer(const icu::Normalizer2* (*instance)(UErrorCode&)) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* normalizer = instance(status);
    if (U_FAILURE(status) || normalizer == nullptr)
        throw std::runtime_error("the Unicode normalisation data is not available");
    return *normalizer;
}

const icu::Normalizer2& Nfc() {
    return Normalizer(&icu::Normalizer2::getNFCInstance);
}

const icu::Normalizer2& Nfd() {
    return Normalizer(&icu::Normalizer2::getNFDInstance);
}

// Characters that NFC leaves alone whatever surrounds them: quick check "yes" and combining
// class 0. A text made of these alone is already NFC. Surrogates are excluded.
struct StableTable {
    std::array<bool, 65536> stable{};
    StableTable() {
        for (UChar32 c = 0; c < 0x10000; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            stable[static_cast<std::size_t>(c)] =
                u_getIntPropertyValue(c, UCHAR_NFC_QUICK_CHECK) == UNORM_YES &&
                u_getCombiningClass(c) == 0;
        }
    }
};

const StableTable& Stable() {
    static const StableTable table;
    return table;
}

std::unique_ptr<CodePageTables> BuildTables(int codePage) {
    auto t = std::make_unique<CodePageTables>();
    UErrorCode status = U_ZERO_ERROR;
    UConverter* conv = ucnv_open(IcuName(codePage), &status);
    if (U_FAILURE(status) || conv == nullptr)
        throw std::runtime_error("cannot open the converter of code page " +
                                 std::to_string(codePage));
    t->toWide[0] = 0;
    for (int b = 1; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        UChar out[4];
        UErrorCode e = U_ZERO_ERROR;
        ucnv_reset(conv);
        const int32_t n = ucnv_toUChars(conv, out, 4, &byte, 1, &e);
        char16_t w = (U_SUCCESS(e) && n == 1) ? static_cast<char16_t>(out[0]) : u'\uFFFD';
        // A byte the code page leaves undefined still gets a character of its own, so that
        // single-byte text survives a round trip unchanged.
        if (w == u'\uFFFD' || (w == 0x1A && b != 0x1A))
            w = static_cast<char16_t>(kUndefinedByteBase + b);
        t->toWide[static_cast<std::size_t>(b)] = w;
    }
    ucnv_close(conv);

    t->fromWide.fill('?');
    // Lower bytes win where two bytes decode to the same character.
    for (int b = 255; b >= 0; --b) {
        t->fromWide[t->toWide[static_cast<std::size_t>(b)]] = static_cast<unsigned char>(b);
        t->exact[t->toWide[static_cast<std::size_t>(b)]] = true;
    }

    // A missing character is written through its canonical decomposition: its base letter
    // composed with as many of its marks as give a character of the code page, followed by the
    // other marks when the code page has all of them (1258: U+1EC7 -> E-circumflex + dot below),
    // else that letter alone as a look-alike (U+0100 -> 'A', 1252 U+01D8 -> u-diaeresis).
    const icu::Normalizer2& nfd = Nfd();
    const icu::Normalizer2& nfc = Nfc();
    const auto exactUnit = [&t](char16_t u) { return t->exact[u]; };
    for (UChar32 c = 0x80; c < 0x10000; ++c) {
        if (t->exact[static_cast<std::size_t>(c)] || (c >= 0xD800 && c <= 0xDFFF))
            continue;
        icu::UnicodeString decomposition;
        if (!nfd.getDecomposition(c, decomposition) || decomposition.isEmpty())
            continue;
        UErrorCode e = U_ZERO_ERROR;
        decomposition = nfd.normalize(decomposition, e);
        if (U_FAILURE(e) || decomposition.isEmpty())
            continue;
        char16_t base = decomposition.charAt(0);
        std::u16string marks;
        for (int32_t i = 1; i < decomposition.length(); ++i)
            marks.push_back(decomposition.charAt(i));
        for (bool composed = true; composed;) {
            composed = false;
            for (std::size_t i = 0; i < marks.size() && !composed; ++i) {
                icu::UnicodeString pair;
                pair.append(static_cast<UChar>(base)).append(static_cast<UChar>(marks[i]));
                UErrorCode e2 = U_ZERO_ERROR;
                const icu::UnicodeString one = nfc.normalize(pair, e2);
                if (U_SUCCESS(e2) && one.length() == 1 && exactUnit(one.charAt(0))) {
                    base = one.charAt(0);
                    marks.erase(i, 1);
                    composed = true;
                }
            }
        }
        if (!exactUnit(base))
            continue;
        t->fromWide[static_cast<std::size_t>(c)] = t->fromWide[base];
        if (!marks.empty() && std::all_of(marks.begin(), marks.end(), exactUnit)) {
            std::string expansion(1, static_cast<char>(t->fromWide[base]));
            for (char16_t m : marks)
                expansion.push_back(static_cast<char>(t->fromWide[m]));
            t->expands[static_cast<std::size_t>(c)] = true;
            t->expansions.emplace(static_cast<char16_t>(c), std::move(expansion));
        }
    }

    // Upper-casing by the code page's letters; a byte whose upper-case letter the code page lacks
    // stays as it is (1252 micro sign).
    for (int b = 0; b < 256; ++b) {
        const char16_t w = t->toWide[static_cast<std::size_t>(b)];
        const UChar32 u = u_toupper(w);
        t->upper[static_cast<std::size_t>(b)] =
            (u != w && u < 0x10000 && t->exact[static_cast<std::size_t>(u)])
                ? t->fromWide[static_cast<std::size_t>(u)]
                : static_cast<unsigned char>(b);
    }
    return t;
}

const CodePageTables& Tables(int codePage) {
    static std::array<std::once_flag, kCodePageCount> once;
    static std::array<std::unique_ptr<CodePageTables>, kCodePageCount> tables;
    const std::size_t i = CodePageIndex(codePage == 0 ? ActiveCodePage() : codePage);
    const int cp = SupportedCodePages()[i];
    std::call_once(once[i], [&] { tables[i] = BuildTables(cp); });
    return *tables[i];
}

std::atomic<int> g_activeCodePage{1252};

std::u16string_view UpToNul(std::u16string_view text) {
    const auto nul = text.find(u'\0');
    return nul == std::u16string_view::npos ? text : text.substr(0, nul);
}

std::string_view UpToNul(std::string_view text) {
    const auto nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

// Text that is not NFC already, or holds surrogates: normalise, then map; a combining mark the
// code page lacks is dropped (its base letter has been written), a character outside the BMP
// becomes one '?'.
std::string WideToAnsiSlow(std::u16string_view text, const CodePageTables& t) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString source(false, reinterpret_cast<const UChar*>(text.data()),
                                    static_cast<int32_t>(text.size()));
    icu::UnicodeString composed = Nfc().normalize(source, status);
    if (U_FAILURE(status))
        composed = source;
    std::string result;
    result.reserve(static_cast<std::size_t>(composed.length()));
    const int32_t n = composed.length();
    for (int32_t i = 0; i < n; ++i) {
        const char16_t c = static_cast<char16_t>(composed.charAt(i));
        if (IsHighSurrogate(c) && i + 1 < n &&
            IsLowSurrogate(static_cast<char16_t>(composed.charAt(i + 1)))) {
            result.push_back('?');
            ++i;
            continue;
        }
        if (t.expands[c]) {
            result += t.expansions.at(c);
            continue;
        }
        if (!t.exact[c] && u_getCombiningClass(c) != 0 && t.fromWide[c] == '?')
            continue;
        result.push_back(static_cast<char>(t.fromWide[c]));
    }
    return result;
}

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
    text = UpToNul(text);
    if (text.empty())
        return {};
    const CodePageTables& t = Tables(codePage);
    const StableTable& stable = Stable();
    std::string result(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (!stable.stable[c] || t.expands[c])
            return WideToAnsiSlow(text, t);
        result[i] = static_cast<char>(t.fromWide[c]);
    }
    return result;
}

std::u16string AnsiToWide(std::string_view text, int codePage) {
    text = UpToNul(text);
    if (text.empty())
        return {};
    const CodePageTables& t = Tables(codePage);
    std::u16string result(text.size(), u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        result[i] = t.toWide[static_cast<unsigned char>(text[i])];
    return result;
}

std::string AnsiUpperCase(std::string_view text, int codePage) {
    std::string result;
    AppendAnsiUpperCase(text, result, codePage);
    return result;
}

void AppendAnsiUpperCase(std::string_view text, std::string& out, int codePage) {
    const CodePageTables& t = Tables(codePage);
    const std::size_t start = out.size();
    out.resize(start + text.size());
    char* dest = out.data() + start;
    for (std::size_t i = 0; i < text.size(); ++i)
        dest[i] = static_cast<char>(t.upper[static_cast<unsigned char>(text[i])]);
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
