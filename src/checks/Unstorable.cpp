// SPDX-License-Identifier: MIT
#include "checks/Unstorable.h"

#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <climits>

#include "checks/Rule.h"
#include "core/StringUtils.h"
#include "encoding/CodePage.h"

namespace vste {
namespace {

std::u16string ToNfc(std::u16string_view text) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status) || text.size() > INT_MAX)
        return std::u16string(text);
    const icu::UnicodeString source(false, text.data(), static_cast<int32_t>(text.size()));
    const icu::UnicodeString result = nfc->normalize(source, status);
    if (U_FAILURE(status))
        return std::u16string(text);
    return std::u16string(result.getBuffer(), static_cast<std::size_t>(result.length()));
}

// Code point at `k` (a surrogate pair counts as one); advances `k`.
char32_t NextCodePoint(std::u16string_view text, std::size_t& k) {
    const char16_t unit = text[k++];
    if (IsHighSurrogate(unit) && k < text.size() && IsLowSurrogate(text[k]))
        return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[k++] - 0xDC00);
    return unit;
}

void AddOnce(std::vector<LostCharacter>& lost, char32_t character, std::u16string writtenAs) {
    for (const LostCharacter& l : lost)
        if (l.character == character)
            return;
    lost.push_back({character, std::move(writtenAs)});
}

// Each code point on its own through WideToAnsi and back.
void CollectComposing(std::u16string_view text, int codePage, std::vector<LostCharacter>& lost) {
    for (std::size_t k = 0; k < text.size();) {
        const std::size_t start = k;
        const char32_t character = NextCodePoint(text, k);
        if (character < 0x80)
            continue;
        const std::u16string_view one = text.substr(start, k - start);
        std::u16string back = AnsiToWide(WideToAnsi(one, codePage), codePage);
        if (back != one)
            AddOnce(lost, character, std::move(back));
    }
}

void CollectPlain(std::u16string_view text, const PlainCodec& codec,
                  std::vector<LostCharacter>& lost) {
    for (std::size_t k = 0; k < text.size();) {
        const std::size_t start = k;
        const char32_t character = NextCodePoint(text, k);
        if (character < 0x80)
            continue;
        // A surrogate pair is written as one byte, like any character the code page lacks.
        const std::uint8_t byte = k - start == 2 ? std::uint8_t{'?'} : codec.toAnsi(text[start]);
        const char16_t back = codec.toWide(byte);
        if (k - start == 2 || back != text[start])
            AddOnce(lost, character, std::u16string(1, back));
    }
}

} // namespace

std::vector<LostCharacter> LostCharacters(std::u16string_view text, int codePage,
                                          Conversion conversion) {
    std::vector<LostCharacter> lost;
    if (std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; }))
        return lost;
    const int page = codePage == 0 ? ActiveCodePage() : codePage;
    // A codec per thread and code page: its table fills once, so a million values cost a table
    // look-up per character.
    thread_local PlainCodec codec(page);
    if (codec.codePage() != page)
        codec = PlainCodec(page);
    if (conversion == Conversion::Plain) {
        CollectPlain(text, codec, lost);
        return lost;
    }
    // Every character stored and read back on its own as itself: nothing to lose.
    const bool eachKept = std::all_of(text.begin(), text.end(), [](char16_t c) {
        return c < 0x80 || c == 0 || codec.toWide(codec.toAnsi(c)) == c;
    });
    if (eachKept)
        return lost;
    // The writer's conversion of the whole text, which composes before it looks letters up.
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t nul = std::min(text.find(u'\0', start), text.size());
        const std::u16string_view piece = text.substr(start, nul - start);
        const std::u16string back = AnsiToWide(WideToAnsi(piece, page), page);
        if (back != piece) {
            const std::u16string nfc = ToNfc(piece);
            if (back != nfc)
                CollectComposing(nfc, page, lost);
        }
        start = nul + 1;
    }
    return lost;
}

Message DescribeLost(const std::vector<LostCharacter>& lost, int codePage) {
    constexpr std::size_t kListed = 5;
    Message list(MessageId::List);
    for (std::size_t k = 0; k < lost.size() && k < kListed; ++k) {
        const std::string character = CharacterText(lost[k].character);
        list.args.push_back(lost[k].writtenAs.empty()
                                ? Message(MessageId::CharacterDropped, {character})
                                : Message(MessageId::CharacterWrittenAs,
                                          {character, Utf16ToUtf8(lost[k].writtenAs)}));
    }
    if (lost.size() > kListed)
        list.args.push_back(Message(MessageId::MoreCharacters, {Number(lost.size() - kListed)}));
    const int page = codePage == 0 ? ActiveCodePage() : codePage;
    return Message(MessageId::CodePageCannotHold,
                   {Number(static_cast<unsigned>(page)), std::move(list)});
}

} // namespace vste
