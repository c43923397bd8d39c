// SPDX-License-Identifier: MIT
// The tables of one code page, built once with ICU. Values are converted one at a time by the
// million, so the common case (text that needs no normalisation) is a table look-up per
// character and no ICU call at all.
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <stdexcept>

#include "encoding/CodePage.h"

namespace vste {
namespace {

constexpr std::size_t kCodePageCount = 10;
// Private-use home of the bytes a code page leaves undefined.
constexpr char16_t kUndefinedByteBase = 0xF700;

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

std::u16string_view UpToNul(std::u16string_view text) {
    const auto nul = text.find(u'\0');
    return nul == std::u16string_view::npos ? text : text.substr(0, nul);
}

std::string_view UpToNul(std::string_view text) {
    const auto nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

} // namespace

const CodePageCodec& CodePageCodec::Get(int codePage) {
    static std::array<std::once_flag, kCodePageCount> once;
    static std::array<std::unique_ptr<CodePageCodec>, kCodePageCount> codecs;
    const std::size_t i = CodePageIndex(codePage == 0 ? ActiveCodePage() : codePage);
    const int cp = SupportedCodePages()[i];
    std::call_once(once[i], [&] { codecs[i].reset(new CodePageCodec(cp)); });
    return *codecs[i];
}

CodePageCodec::CodePageCodec(int codePage) : m_codePage(codePage) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* conv = ucnv_open(IcuName(codePage), &status);
    if (U_FAILURE(status) || conv == nullptr)
        throw std::runtime_error("cannot open the converter of code page " +
                                 std::to_string(codePage));
    m_toWide[0] = 0;
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
        m_toWide[static_cast<std::size_t>(b)] = w;
    }
    ucnv_close(conv);

    m_fromWide.fill('?');
    // Lower bytes win where two bytes decode to the same character.
    for (int b = 255; b >= 0; --b) {
        m_fromWide[m_toWide[static_cast<std::size_t>(b)]] = static_cast<unsigned char>(b);
        m_exact[m_toWide[static_cast<std::size_t>(b)]] = true;
    }
    buildDecompositions();
    buildUpperCase();
}

// A missing character is written through its canonical decomposition: its base letter composed
// with as many of its marks as give a character of the code page, followed by the other marks
// when the code page has all of them (1258: U+1EC7 -> E-circumflex + dot below), else that
// letter alone as a look-alike (U+0100 -> 'A', 1252 U+01D8 -> u-diaeresis).
void CodePageCodec::buildDecompositions() {
    const icu::Normalizer2& nfd = Nfd();
    const icu::Normalizer2& nfc = Nfc();
    const auto exactUnit = [this](char16_t u) { return m_exact[u]; };
    for (UChar32 c = 0x80; c < 0x10000; ++c) {
        if (m_exact[static_cast<std::size_t>(c)] || (c >= 0xD800 && c <= 0xDFFF))
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
        m_fromWide[static_cast<std::size_t>(c)] = m_fromWide[base];
        if (!marks.empty() && std::all_of(marks.begin(), marks.end(), exactUnit)) {
            std::string expansion(1, static_cast<char>(m_fromWide[base]));
            for (char16_t m : marks)
                expansion.push_back(static_cast<char>(m_fromWide[m]));
            m_expands[static_cast<std::size_t>(c)] = true;
            m_expansions.emplace(static_cast<char16_t>(c), std::move(expansion));
        }
    }
}

// Upper-casing by the code page's letters; a byte whose upper-case letter the code page lacks
// stays as it is (1252 micro sign).
void CodePageCodec::buildUpperCase() {
    for (int b = 0; b < 256; ++b) {
        const char16_t w = m_toWide[static_cast<std::size_t>(b)];
        const UChar32 u = u_toupper(w);
        m_upper[static_cast<std::size_t>(b)] =
            (u != w && u < 0x10000 && m_exact[static_cast<std::size_t>(u)])
                ? m_fromWide[static_cast<std::size_t>(u)]
                : static_cast<unsigned char>(b);
    }
}

// Text that is not NFC already, or holds surrogates: normalise, then map; a combining mark the
// code page lacks is dropped (its base letter has been written), a character outside the BMP
// becomes one '?'. A letter with a letter-plus-mark spelling gets it while the characters still
// to come keep a byte each within `width`, else its one-byte look-alike.
std::string CodePageCodec::toAnsiSlow(std::u16string_view text, std::size_t width) const {
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
        if (m_expands[c]) {
            const std::string& expansion = m_expansions.at(c);
            const auto after = static_cast<std::size_t>(n - i - 1);
            if (width == std::string::npos || result.size() + expansion.size() + after <= width) {
                result += expansion;
                continue;
            }
        }
        if (!m_exact[c] && u_getCombiningClass(c) != 0 && m_fromWide[c] == '?')
            continue;
        result.push_back(static_cast<char>(m_fromWide[c]));
    }
    return result;
}

// Text made of characters that need no normalisation and have one byte each: a table look-up
// per character. False, with `result` undefined, when the text needs the slow path.
bool CodePageCodec::toAnsiByTable(std::u16string_view text, std::string& result) const {
    const StableTable& stable = Stable();
    result.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (!stable.stable[c] || m_expands[c])
            return false;
        result[i] = static_cast<char>(m_fromWide[c]);
    }
    return true;
}

std::string CodePageCodec::toAnsi(std::u16string_view text) const {
    text = UpToNul(text);
    std::string result;
    if (!toAnsiByTable(text, result))
        result = toAnsiSlow(text, std::string::npos);
    return result;
}

std::string CodePageCodec::toAnsiWithin(std::u16string_view text) const {
    text = UpToNul(text);
    std::string result;
    if (toAnsiByTable(text, result))
        return result;
    result = toAnsiSlow(text, text.size());
    // The few characters whose composed form is longer (Hebrew presentation forms) are then
    // written unit by unit.
    if (result.size() > text.size())
        result.resize(writeBytes(reinterpret_cast<std::uint8_t*>(result.data()), text));
    return result;
}

std::u16string CodePageCodec::toUnicode(std::string_view text) const {
    text = UpToNul(text);
    std::u16string result;
    appendWide(result, text);
    return result;
}

void CodePageCodec::appendWide(std::u16string& out, std::string_view bytes) const {
    const std::size_t start = out.size();
    out.resize(start + bytes.size());
    char16_t* p = out.data() + start;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        p[i] = m_toWide[static_cast<unsigned char>(bytes[i])];
}

std::size_t CodePageCodec::writeBytes(std::uint8_t* out, std::u16string_view text) const {
    std::uint8_t* p = out;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t u = text[i];
        *p++ = m_fromWide[u];
        // A surrogate pair is one character outside the code page: one '?'.
        if (IsHighSurrogate(u) && i + 1 < n && IsLowSurrogate(text[i + 1]))
            ++i;
    }
    return static_cast<std::size_t>(p - out);
}

void CodePageCodec::appendUpperCase(std::string_view text, std::string& out) const {
    const std::size_t start = out.size();
    out.resize(start + text.size());
    char* dest = out.data() + start;
    for (std::size_t i = 0; i < text.size(); ++i)
        dest[i] = static_cast<char>(m_upper[static_cast<unsigned char>(text[i])]);
}

} // namespace vste
