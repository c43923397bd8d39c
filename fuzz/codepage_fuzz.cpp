// SPDX-License-Identifier: MIT
// Code page conversions in both directions, upper-casing, UTF-8 and the Fargus recoding, on
// arbitrary text. The first input byte picks the code page; the rest is the text, read both as
// single-byte text and as UTF-16 code units.
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "encoding/CodePage.h"
#include "encoding/Fargus.h"

namespace {

using vste::fuzz::Check;

// Code pages without combining marks: there no text changes under NFC, so single-byte text must
// come back byte for byte. Elsewhere marks may be composed or reordered once.
bool HasCombiningMarks(int codePage) {
    return codePage == 1255 || codePage == 1256 || codePage == 1258 || codePage == 874;
}

std::u16string WithoutLoneSurrogates(std::u16string_view w) {
    std::u16string out;
    for (std::size_t i = 0; i < w.size(); ++i) {
        const char16_t c = w[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < w.size() && w[i + 1] >= 0xDC00 &&
            w[i + 1] <= 0xDFFF) {
            out += c;
            out += w[++i];
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            out += u'\uFFFD';
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const auto& pages = vste::SupportedCodePages();
    const int cp = pages[data[0] % pages.size()];
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string_view untilNul = bytes.substr(0, bytes.find('\0'));

    // Single-byte text to UTF-16 and back.
    const std::u16string wide = vste::AnsiToWide(bytes, cp);
    Check(wide.size() == untilNul.size(), "AnsiToWide did not give one unit per byte");
    const std::string back = vste::WideToAnsi(wide, cp);
    if (!HasCombiningMarks(cp))
        Check(back == untilNul, "single-byte text changed in a round trip");
    else
        Check(vste::WideToAnsi(vste::AnsiToWide(back, cp), cp) == back,
              "a second round trip changed the text again");

    // Upper-casing keeps the length and is stable.
    const std::string upper = vste::AnsiUpperCase(bytes, cp);
    Check(upper.size() == bytes.size(), "upper-casing changed the length");
    Check(vste::AnsiUpperCase(upper, cp) == upper, "upper-casing twice changes the text");

    // The same bytes as UTF-16 code units.
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                       (static_cast<unsigned char>(bytes[i + 1]) << 8));
    const std::string ansi = vste::WideToAnsi(units, cp);
    Check(ansi.find('\0') == std::string::npos, "WideToAnsi wrote a NUL");
    if (!HasCombiningMarks(cp))
        Check(vste::WideToAnsi(vste::AnsiToWide(ansi, cp), cp) == ansi,
              "converted text does not survive a second round trip");

    const std::string utf8 = vste::Utf16ToUtf8(units);
    Check(vste::Utf8ToUtf16(utf8) == WithoutLoneSurrogates(units), "UTF-16 did not survive UTF-8");
    const std::u16string fromUtf8 = vste::Utf8ToUtf16(bytes);
    Check(vste::Utf8ToUtf16(vste::Utf16ToUtf8(fromUtf8)) == fromUtf8,
          "text decoded from UTF-8 did not survive encoding");

    Check(vste::FargusToWindows1251(units).size() == units.size() &&
              vste::Windows1251ToFargus(units).size() == units.size(),
          "Fargus recoding changed the length");
    return 0;
}
