// SPDX-License-Identifier: MIT
// Runs the selected rules over a document: the whole table in table order, or only some strings
// (those an edit changed), reusing what prepare() computed for the whole table.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "checks/Rule.h"

namespace vste {

class CheckEngine {
public:
    // `ruleIds` empty: every rule that applies to the target (reference rules only with a
    // reference). Throws std::invalid_argument for an unknown id, or for a named rule that
    // cannot run: a reference rule without a reference, a rule for another format, or one
    // whose extras (dictionary, glossary) are missing. The extras must outlive the engine.
    CheckEngine(const CheckTarget& target, const std::vector<std::string>& ruleIds = {},
                const Reference* reference = nullptr, const CheckExtras& extras = {});
    ~CheckEngine();

    // The ids of the rules that run, in order.
    std::vector<std::string_view> ruleIds() const;

    // The whole-table work (name index, layout, reference matching). Call it before checking and
    // again after strings were added, deleted or renamed. The document must stay alive and
    // unchanged in size until the next prepare().
    void prepare(const TCSFBody& document);
    // The same work in parts, for a caller that must not pause for all of it at once:
    // prepareParts(document) returns how many parts there are, then prepareStep(k) does part k
    // for k = 0, 1, ... in order. Checking may start once every part is done.
    std::size_t prepareParts(const TCSFBody& document);
    void prepareStep(std::size_t part);

    // Every finding, string by string in table order, then those about reference strings the
    // document lacks.
    void checkAll(const FindingSink& sink) const;
    // The findings of the given strings only (per-string rules and the string's own part of the
    // whole-table rules as of the last prepare()), in the order given.
    void checkStrings(std::span<const std::uint32_t> indexes, const FindingSink& sink) const;

private:
    void checkOne(std::uint32_t index, const TText* reference, const CheckSetup& setup,
                  const FindingSink& sink) const;

    CheckTarget m_target;
    const Reference* m_reference;
    CheckExtras m_extras;
    std::vector<std::unique_ptr<Rule>> m_rules;
    const TCSFBody* m_document = nullptr;
    std::vector<std::uint32_t> m_match;
};

// Convenience: all findings of a document, collected.
std::vector<Finding> CheckDocument(const TCSFBody& document, const CheckTarget& target,
                                   const Reference* reference = nullptr,
                                   const std::vector<std::string>& ruleIds = {},
                                   const CheckExtras& extras = {});

// What a save in the target format would lose or refuse: the errors of unstorable-character,
// str-name (for STR) and too-long.
std::vector<Finding> SaveBlockers(const TCSFBody& document, const CheckTarget& target);
// Whether a save blocker makes the writer refuse the save (a name or size the format cannot
// hold), rather than lose text as unstorable-character does.
bool RefusesSave(const Finding& blocker);

} // namespace vste
