// SPDX-License-Identifier: MIT
// unstorable-character and str-game-reader: what the code page and the games' STR reader do to
// the characters of a string.
//
// Names and extra values are single-byte text in the document already: they are written byte
// for byte, so a save loses nothing of them and unstorable-character looks only at values. Text
// typed for a name or an extra value is checked with LostCharacters (Unstorable.h) before it
// becomes bytes.
#include <algorithm>

#include "checks/Rule.h"
#include "checks/Unstorable.h"
#include "core/StringUtils.h"
#include "encoding/CodePage.h"
#include "formats/Limits.h"
#include "formats/Registry.h"

namespace vste {
namespace {

// The values the target format writes: every value where the file keeps several, else the
// first.
std::size_t WrittenValues(const TText& text, DocumentFormat format) {
    if (GetFormatInfo(format).storesSeveralValues)
        return text.Values.size();
    return std::min<std::size_t>(text.Values.size(), 1);
}

class UnstorableCharacterRule : public Rule {
public:
    UnstorableCharacterRule() : Rule("unstorable-character", Severity::Error) {}

    void prepare(const CheckSetup& setup) override {
        m_singleByte = ValuesSingleByte(setup.target.format, setup.target.ansiMode);
        m_conversion = LimitsOf(setup.target.format).values == ValueStorage::PlainCodePage
                           ? Conversion::Plain
                           : Conversion::Composing;
    }

    void check(const StringCheck& s, const CheckSetup& setup,
               const FindingSink& sink) const override {
        if (!m_singleByte)
            return;
        const std::size_t count = WrittenValues(s.text, setup.target.format);
        for (std::size_t k = 0; k < count; ++k) {
            const std::u16string& value = s.text.Values[k].Value;
            const auto index = static_cast<std::uint32_t>(k);
            // Single-byte values end at a zero byte; STR text holds none at all.
            if (value.find(u'\0') != std::u16string::npos)
                report(sink, s, index, Field::Value,
                       Message(m_conversion == Conversion::Composing
                                   ? MessageId::NulEndsSingleByteValue
                                   : MessageId::NulInStrText));
            const std::vector<LostCharacter> lost =
                LostCharacters(value, setup.target.codePage, m_conversion);
            if (!lost.empty())
                report(sink, s, index, Field::Value, DescribeLost(lost, setup.target.codePage));
        }
    }

private:
    bool m_singleByte = false;
    Conversion m_conversion = Conversion::Composing;
};

constexpr std::size_t kStrReaderLine = 10240;

bool IsExtraChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

class StrGameReaderRule : public Rule {
public:
    StrGameReaderRule() : Rule("str-game-reader", Severity::Warning) {}

    bool appliesTo(DocumentFormat format) const override { return format == DocumentFormat::STR; }

    void prepare(const CheckSetup& setup) override {
        m_codec = PlainCodec(setup.target.codePage == 0 ? ActiveCodePage() : setup.target.codePage);
    }

    void check(const StringCheck& s, const CheckSetup& setup,
               const FindingSink& sink) const override {
        (void)setup;
        if (!s.text.Values.empty())
            checkValue(s, s.text.Values.front().Value, sink);
        for (std::size_t k = 0; k < s.text.Values.size(); ++k)
            checkExtra(s, static_cast<std::uint32_t>(k), sink);
    }

private:
    void checkValue(const StringCheck& s, std::u16string_view value,
                    const FindingSink& sink) const {
        // Quotes, the text (a line feed written as two characters) and the line end.
        std::size_t line = 2 + value.size() + 2;
        bool reportedEnd = false;
        for (std::size_t k = 0; k < value.size(); ++k) {
            const char16_t c = value[k];
            if (c == u'\n')
                ++line;
            if (c < 0x80 || reportedEnd)
                continue;
            if (IsHighSurrogate(c) && k + 1 < value.size() && IsLowSurrogate(value[k + 1])) {
                --line; // the pair becomes one byte
                ++k;
                continue;
            }
            if (m_codec.toAnsi(c) == 0xFF) {
                report(
                    sink, s, 0, Field::Value,
                    Message(MessageId::ByteEndsStrFile,
                            {CharacterText(c), Number(static_cast<unsigned>(m_codec.codePage()))}));
                reportedEnd = true;
            }
        }
        if (line > kStrReaderLine)
            report(sink, s, 0, Field::Value,
                   Message(MessageId::StrLineTooLong, {Number(line), Number(kStrReaderLine)}));
    }

    void checkExtra(const StringCheck& s, std::uint32_t k, const FindingSink& sink) const {
        const TTextContainer& value = s.text.Values[k];
        const std::string& extra = value.ExtraValue;
        if (!value.HasExtraValue() || extra.empty())
            return;
        const bool plain = std::all_of(extra.begin(), extra.end(), IsExtraChar);
        const bool digitLast = extra.back() >= '0' && extra.back() <= '9';
        if (plain && !digitLast)
            return;
        report(sink, s, k, Field::Extra,
               Message(plain ? MessageId::ExtraEndsInDigit : MessageId::ExtraHoldsOtherCharacters,
                       {QuotedName(extra, m_codec.codePage())}));
    }

    PlainCodec m_codec{1252};
};

} // namespace

std::unique_ptr<Rule> MakeUnstorableCharacterRule() {
    return std::make_unique<UnstorableCharacterRule>();
}

std::unique_ptr<Rule> MakeStrGameReaderRule() {
    return std::make_unique<StrGameReaderRule>();
}

} // namespace vste
