// SPDX-License-Identifier: MIT
// Rules about names and sizes: duplicate-name, str-name, eaw-key and too-long.
#include <cstdio>
#include <optional>

#include "checks/Rule.h"
#include "core/EmpireAtWarStrings.h"
#include "core/StrLabels.h"
#include "encoding/CodePage.h"
#include "formats/Limits.h"
#include "formats/Registry.h"

namespace vste {
namespace {

std::string Hex32(const Tag4& tag) {
    const std::uint32_t v =
        tag[0] | (tag[1] << 8) | (tag[2] << 16) | (static_cast<std::uint32_t>(tag[3]) << 24);
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(v));
    return text;
}

class DuplicateNameRule : public Rule {
public:
    DuplicateNameRule() : Rule("duplicate-name", Severity::Error) {}

    void prepare(const CheckSetup& setup) override {
        m_index = std::make_unique<NameIndex>(setup.document, setup.target.codePage);
    }

    void check(const StringCheck& s, const CheckSetup& setup,
               const FindingSink& sink) const override {
        const std::uint32_t first = m_index->first(s.index);
        if (first == s.index || first == kNoString)
            return;
        const std::string& other = setup.document[first].Name;
        Message message =
            other == s.text.Name
                ? Message(MessageId::SameName, {Number(first + 1)})
                : Message(MessageId::SameNameIgnoringCase,
                          {Number(first + 1), QuotedName(other, setup.target.codePage)});
        // Empire at War files may repeat a key on purpose (the credits are read in file order),
        // while the other formats keep one string per name.
        if (setup.target.format == DocumentFormat::EmpireAtWar) {
            report(sink, Severity::Warning, s, 0, Field::Name,
                   Message(MessageId::DuplicateLookUpFindsOne, {std::move(message)}));
            return;
        }
        report(sink, s, 0, Field::Name,
               Message(MessageId::DuplicateGameSeesOne, {std::move(message)}));
    }

private:
    std::unique_ptr<NameIndex> m_index;
};

class StrNameRule : public Rule {
public:
    StrNameRule() : Rule("str-name", Severity::Error) {}

    bool appliesTo(DocumentFormat format) const override { return format == DocumentFormat::STR; }

    void check(const StringCheck& s, const CheckSetup&, const FindingSink& sink) const override {
        if (const std::optional<StrNameFault> fault = FindStrNameFault(s.text.Name))
            report(sink, s, 0, Field::Name,
                   Message(MessageId::NotStrLabel, {StrNameFaultMessage(*fault)}));
    }
};

class EawKeyRule : public Rule {
public:
    EawKeyRule() : Rule("eaw-key", Severity::Warning) {}

    bool appliesTo(DocumentFormat format) const override {
        return format == DocumentFormat::EmpireAtWar;
    }

    void check(const StringCheck& s, const CheckSetup&, const FindingSink& sink) const override {
        const Tag4 stored = s.text.Values.empty() ? Tag4{} : s.text.Values.front().Tag;
        const Tag4 expected = TEmpireAtWarStrings::KeyForName(s.text.Name);
        if (stored != expected)
            report(sink, s, 0, Field::Name,
                   Message(MessageId::KeyNotCrc, {Hex32(stored), Hex32(expected)}));
    }
};

class TooLongRule : public Rule {
public:
    TooLongRule() : Rule("too-long", Severity::Error) {}

    void prepare(const CheckSetup& setup) override {
        m_limits = LimitsOf(setup.target.format);
        m_extras = GetFormatInfo(setup.target.format).hasExtraValues;
        m_overflow = FindTableOverflow(setup.target.format, setup.document);
    }

    void check(const StringCheck& s, const CheckSetup& setup,
               const FindingSink& sink) const override {
        if (m_limits.namesStored && s.text.Name.size() > m_limits.nameBytes)
            report(sink, s, 0, Field::Name,
                   Message(MessageId::NameTooLong,
                           {Number(s.text.Name.size()), where(), Number(m_limits.nameBytes)}));
        const std::size_t written = GetFormatInfo(setup.target.format).storesSeveralValues
                                        ? s.text.Values.size()
                                        : std::min<std::size_t>(s.text.Values.size(), 1);
        for (std::size_t k = 0; k < written; ++k)
            checkValue(s, static_cast<std::uint32_t>(k), sink);
        if (s.index == m_limits.strings)
            report(sink, s, 0, Field::Name,
                   Message(MessageId::TooManyStrings,
                           {Number(setup.document.size()), where(), Number(m_limits.strings)}));
        if (m_overflow && m_overflow->index == s.index)
            report(sink, s, 0, Field::Value,
                   Message(MessageId::FileTooBig,
                           {Number(m_overflow->size), where(), Number(m_limits.fileBytes)}));
    }

private:
    // The format's name, as the messages name it; made only for a finding.
    Message where() const { return Message(m_limits.formatName); }

    void checkValue(const StringCheck& s, std::uint32_t k, const FindingSink& sink) const {
        const TTextContainer& value = s.text.Values[k];
        std::uint64_t length = value.Value.size();
        // Single-byte formats count the converted bytes, which composition may make fewer.
        if (length > m_limits.valueUnits && m_limits.values == ValueStorage::CodePage)
            length = WideToAnsi(value.Value).size();
        if (length > m_limits.valueUnits)
            report(sink, s, k, Field::Value,
                   Message(MessageId::ValueTooLong,
                           {Number(length), where(), Number(m_limits.valueUnits)}));
        if (m_extras && value.HasExtraValue() && value.ExtraValue.size() > m_limits.extraBytes)
            report(sink, s, k, Field::Extra,
                   Message(MessageId::ExtraTooLong, {Number(value.ExtraValue.size()), where(),
                                                     Number(m_limits.extraBytes)}));
    }

    FormatLimits m_limits;
    bool m_extras = false;
    std::optional<TableOverflow> m_overflow;
};

} // namespace

std::unique_ptr<Rule> MakeDuplicateNameRule() {
    return std::make_unique<DuplicateNameRule>();
}
std::unique_ptr<Rule> MakeStrNameRule() {
    return std::make_unique<StrNameRule>();
}
std::unique_ptr<Rule> MakeEawKeyRule() {
    return std::make_unique<EawKeyRule>();
}
std::unique_ptr<Rule> MakeTooLongRule() {
    return std::make_unique<TooLongRule>();
}

} // namespace vste
