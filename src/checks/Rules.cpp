// SPDX-License-Identifier: MIT
#include <cstdio>

#include "checks/Rule.h"
#include "core/StringUtils.h"
#include "encoding/CodePage.h"

namespace vste {

std::string_view SeverityName(Severity severity) {
    return severity == Severity::Error ? "error" : "warning";
}

std::vector<std::unique_ptr<Rule>> MakeRules() {
    std::vector<std::unique_ptr<Rule>> rules;
    rules.push_back(MakeUnstorableCharacterRule());
    rules.push_back(MakeDuplicateNameRule());
    rules.push_back(MakeStrNameRule());
    rules.push_back(MakeTooLongRule());
    rules.push_back(MakeStrGameReaderRule());
    rules.push_back(MakeEawKeyRule());
    rules.push_back(MakeEmptyValueRule());
    rules.push_back(MakeEdgeWhitespaceRule());
    rules.push_back(MakePlaceholdersRule());
    rules.push_back(MakeLineBreaksRule());
    rules.push_back(MakeUntranslatedRule());
    rules.push_back(MakeMissingInReferenceRule());
    rules.push_back(MakeOnlyInReferenceRule());
    rules.push_back(MakeSpellingRule());
    rules.push_back(MakeGlossaryRule());
    return rules;
}

const std::vector<std::string_view>& AllRuleIds() {
    static const std::vector<std::string_view> ids = [] {
        std::vector<std::string_view> all;
        for (const auto& rule : MakeRules())
            all.push_back(rule->id());
        return all;
    }();
    return ids;
}

std::string RuleIdList() {
    std::string list;
    for (std::string_view id : AllRuleIds())
        list.append(list.empty() ? "" : ", ").append(id);
    return list;
}

std::string QuotedName(const std::string& singleByteName, int codePage) {
    std::string quoted(1, '\'');
    quoted += Utf16ToUtf8(PlainAnsiToWide(singleByteName, codePage));
    quoted += '\'';
    return quoted;
}

std::string CharacterText(char32_t character) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character));
    std::u16string units;
    if (character > 0xFFFF) {
        units.push_back(static_cast<char16_t>(0xD7C0 + (character >> 10)));
        units.push_back(static_cast<char16_t>(0xDC00 | (character & 0x3FF)));
    } else {
        units.push_back(static_cast<char16_t>(character));
    }
    if (character < 0x20 || character == 0x7F)
        return code; // a control character shows nothing between quotes
    return std::string(code) + " '" + Utf16ToUtf8(units) + "'";
}

} // namespace vste
