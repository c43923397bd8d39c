// SPDX-License-Identifier: MIT
// Rules about names and sizes: duplicate-name, str-name, eaw-key and too-long.
#include <cstdio>
#include <optional>

#include "checks/Rule.h"
#include "core/EmpireAtWarStrings.h"
#include "core/StrLabels.h"
#include "encoding/CodePage.h"
#include "formats/Limits.h"

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
        std::string message = other == s.text.Name
                                  ? "string " + std::to_string(first + 1) + " has the same name"
                                  : "string " + std::to_string(first + 1) + " (" +
                                        QuotedName(other, setup.target.codePage) +
                                        ") has the same name ignoring case";
        // Empire at War files may repeat a key on purpose (the credits are read in file order),
        // while the other formats keep one string per name.
        if (setup.target.format == DocumentFormat::EmpireAtWar) {
            report(sink, Severity::Warning, s, 0, Field::Name,
                   message + "; a look-up by key finds only one of them");
            return;
        }
        report(sink, s, 0, Field::Name, message + "; the game sees only one of them");
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
                   "not a valid STR label: the name " + std::string(StrNameFaultText(*fault)));
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
                   "the key " + Hex32(stored) + " is not the CRC-32 of the name (" +
                       Hex32(expected) + "): the game does not find the string by its name");
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
        const std::string_view where = m_limits.formatName;
        if (m_limits.namesStored && s.text.Name.size() > m_limits.nameBytes)
            report(sink, s, 0, Field::Name,
                   "the name is " + std::to_string(s.text.Name.size()) + " bytes long; " +
                       std::string(where) + " holds names of at most " +
                       std::to_string(m_limits.nameBytes) + " bytes");
        const std::size_t written = setup.target.format == DocumentFormat::CSF
                                        ? s.text.Values.size()
                                        : std::min<std::size_t>(s.text.Values.size(), 1);
        for (std::size_t k = 0; k < written; ++k)
            checkValue(s, static_cast<std::uint32_t>(k), sink);
        if (s.index == m_limits.strings)
            report(sink, s, 0, Field::Name,
                   "the table has " + std::to_string(setup.document.size()) + " strings; " +
                       std::string(where) + " holds at most " + std::to_string(m_limits.strings) +
                       ", and this is the first one beyond");
        if (m_overflow && m_overflow->index == s.index)
            report(sink, s, 0, Field::Value,
                   "with this string the file reaches " + std::to_string(m_overflow->size) +
                       " bytes; the offsets of " + std::string(where) + " reach at most " +
                       std::to_string(m_limits.fileBytes) + " bytes");
    }

private:
    void checkValue(const StringCheck& s, std::uint32_t k, const FindingSink& sink) const {
        const TTextContainer& value = s.text.Values[k];
        std::uint64_t length = value.Value.size();
        // Single-byte formats count the converted bytes, which composition may make fewer.
        if (length > m_limits.valueUnits && m_limits.values == ValueStorage::CodePage)
            length = WideToAnsi(value.Value).size();
        if (length > m_limits.valueUnits)
            report(sink, s, k, Field::Value,
                   "the value is " + std::to_string(length) + " characters long; " +
                       std::string(m_limits.formatName) + " holds values of at most " +
                       std::to_string(m_limits.valueUnits));
        if (m_extras && value.HasExtraValue() && value.ExtraValue.size() > m_limits.extraBytes)
            report(sink, s, k, Field::Extra,
                   "the extra value is " + std::to_string(value.ExtraValue.size()) +
                       " bytes long; " + std::string(m_limits.formatName) +
                       " holds extra values of at most " + std::to_string(m_limits.extraBytes) +
                       " bytes");
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
