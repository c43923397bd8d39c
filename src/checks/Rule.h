// SPDX-License-Identifier: MIT
// One check rule: a stable id, a severity, and a check over one string (with its reference
// string when there is a reference). Rules that look at the whole table (duplicate names, the
// size of a 16-bit file) do that work once in prepare(); findings about no document string come
// from finish(). A new rule is a new class and one line in MakeRules().
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "checks/Finding.h"
#include "checks/Wording.h"

namespace vste {

using FindingSink = std::function<void(Finding&&)>;

// What every rule may look at during one run.
struct CheckSetup {
    const TCSFBody& document;
    const CheckTarget& target;
    const Reference* reference = nullptr; // nullptr without a reference
    // For each document string, the reference string of the same name or kNoString; empty
    // without a reference.
    std::span<const std::uint32_t> referenceMatch;
    const CheckExtras* extras = nullptr; // never null while the engine runs
};

// One string as a rule sees it.
struct StringCheck {
    std::uint32_t index;
    const TText& text;
    const TText* reference = nullptr; // the reference string of the same name, if any
};

class Rule {
public:
    Rule(std::string_view id, Severity severity) : m_id(id), m_severity(severity) {}
    virtual ~Rule() = default;
    Rule(const Rule&) = delete;
    Rule& operator=(const Rule&) = delete;

    std::string_view id() const { return m_id; }
    Severity severity() const { return m_severity; }

    virtual bool needsReference() const { return false; }
    // What the rule lacks among the extras to run ("a dictionary"); nullptr when it can run.
    virtual const char* missingExtra(const CheckExtras& extras) const {
        (void)extras;
        return nullptr;
    }
    // Whether the rule has anything to say about a document written in that format.
    virtual bool appliesTo(DocumentFormat format) const {
        (void)format;
        return true;
    }
    virtual void prepare(const CheckSetup& setup) { (void)setup; }
    virtual void check(const StringCheck& string, const CheckSetup& setup,
                       const FindingSink& sink) const = 0;
    virtual void finish(const CheckSetup& setup, const FindingSink& sink) const {
        (void)setup;
        (void)sink;
    }

protected:
    void report(const FindingSink& sink, const StringCheck& string, std::uint32_t valueIndex,
                Field field, Message message) const {
        report(sink, m_severity, string, valueIndex, field, std::move(message));
    }
    void report(const FindingSink& sink, Severity severity, const StringCheck& string,
                std::uint32_t valueIndex, Field field, Message message) const {
        sink(MakeFinding(m_id, severity, string.index, string.text.Name, valueIndex, field,
                         std::move(message)));
    }

private:
    std::string_view m_id;
    Severity m_severity;
};

// Every rule, in the order findings of one string are listed.
std::vector<std::unique_ptr<Rule>> MakeRules();
// Their ids, in the same order.
const std::vector<std::string_view>& AllRuleIds();
// The same ids as one text: "unstorable-character, duplicate-name, ...".
std::string RuleIdList();

// The rules of each group, defined in their own files.
std::unique_ptr<Rule> MakeUnstorableCharacterRule();
std::unique_ptr<Rule> MakeDuplicateNameRule();
std::unique_ptr<Rule> MakeStrNameRule();
std::unique_ptr<Rule> MakeTooLongRule();
std::unique_ptr<Rule> MakeStrGameReaderRule();
std::unique_ptr<Rule> MakeEawKeyRule();
std::unique_ptr<Rule> MakeEmptyValueRule();
std::unique_ptr<Rule> MakeEdgeWhitespaceRule();
std::unique_ptr<Rule> MakePlaceholdersRule();
std::unique_ptr<Rule> MakeLineBreaksRule();
std::unique_ptr<Rule> MakeUntranslatedRule();
std::unique_ptr<Rule> MakeMissingInReferenceRule();
std::unique_ptr<Rule> MakeOnlyInReferenceRule();
std::unique_ptr<Rule> MakeSpellingRule();
std::unique_ptr<Rule> MakeGlossaryRule();

// Text helpers shared by the rules' messages.
std::string QuotedName(const std::string& singleByteName, int codePage); // "'NAME'" in UTF-8
std::string CharacterText(char32_t character);                           // "U+03A9 'Ω'"

} // namespace vste
