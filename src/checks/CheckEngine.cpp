// SPDX-License-Identifier: MIT
#include "checks/CheckEngine.h"

#include <algorithm>
#include <stdexcept>

namespace vste {
CheckEngine::CheckEngine(const CheckTarget& target, const std::vector<std::string>& ruleIds,
                         const Reference* reference, const CheckExtras& extras)
    : m_target(target), m_reference(reference), m_extras(extras) {
    for (const std::string& id : ruleIds) {
        const auto& all = AllRuleIds();
        if (std::find(all.begin(), all.end(), id) == all.end())
            throw std::invalid_argument("unknown rule '" + id + "' (known: " + RuleIdList() + ")");
    }
    const std::string_view format = GetFormatInfo(target.format).shortName;
    for (std::unique_ptr<Rule>& rule : MakeRules()) {
        const bool named = std::find(ruleIds.begin(), ruleIds.end(), rule->id()) != ruleIds.end();
        const char* missing = rule->missingExtra(extras);
        const bool runnable = (!rule->needsReference() || reference != nullptr) &&
                              rule->appliesTo(target.format) && missing == nullptr;
        if (named && rule->needsReference() && reference == nullptr)
            throw std::invalid_argument("rule '" + std::string(rule->id()) +
                                        "' needs a reference table");
        if (named && !rule->appliesTo(target.format))
            throw std::invalid_argument("rule '" + std::string(rule->id()) +
                                        "' does not apply to " + std::string(format) +
                                        " documents");
        if (named && missing != nullptr)
            throw std::invalid_argument("rule '" + std::string(rule->id()) + "' needs " + missing);
        if (runnable && (ruleIds.empty() || named))
            m_rules.push_back(std::move(rule));
    }
}

CheckEngine::~CheckEngine() = default;

std::vector<std::string_view> CheckEngine::ruleIds() const {
    std::vector<std::string_view> ids;
    for (const auto& rule : m_rules)
        ids.push_back(rule->id());
    return ids;
}

void CheckEngine::prepare(const TCSFBody& document) {
    const std::size_t parts = prepareParts(document);
    for (std::size_t k = 0; k < parts; ++k)
        prepareStep(k);
}

std::size_t CheckEngine::prepareParts(const TCSFBody& document) {
    m_document = &document;
    m_match.clear();
    return m_rules.size() + 1; // matching the reference's names, then each rule's own
}

void CheckEngine::prepareStep(std::size_t part) {
    const TCSFBody& document = *m_document;
    if (part == 0) {
        if (m_reference != nullptr) {
            m_match.resize(document.size());
            for (std::size_t i = 0; i < document.size(); ++i)
                m_match[i] = m_reference->index().find(document[i].Name);
        }
        return;
    }
    const CheckSetup setup{document, m_target, m_reference, m_match, &m_extras};
    m_rules.at(part - 1)->prepare(setup);
}

void CheckEngine::checkOne(std::uint32_t index, const TText* reference, const CheckSetup& setup,
                           const FindingSink& sink) const {
    const StringCheck string{index, setup.document[index], reference};
    for (const auto& rule : m_rules)
        rule->check(string, setup, sink);
}

void CheckEngine::checkAll(const FindingSink& sink) const {
    if (m_document == nullptr)
        throw std::logic_error("CheckEngine::checkAll before prepare");
    const CheckSetup setup{*m_document, m_target, m_reference, m_match, &m_extras};
    for (std::uint32_t i = 0; i < m_document->size(); ++i) {
        const TText* reference =
            m_match.empty() || m_match[i] == kNoString ? nullptr : &m_reference->body()[m_match[i]];
        checkOne(i, reference, setup, sink);
    }
    for (const auto& rule : m_rules)
        rule->finish(setup, sink);
}

void CheckEngine::checkStrings(std::span<const std::uint32_t> indexes,
                               const FindingSink& sink) const {
    if (m_document == nullptr)
        throw std::logic_error("CheckEngine::checkStrings before prepare");
    const CheckSetup setup{*m_document, m_target, m_reference, m_match, &m_extras};
    for (std::uint32_t i : indexes) {
        if (i >= m_document->size())
            continue;
        // The name may have changed since prepare(): match it again.
        const std::uint32_t match =
            m_reference ? m_reference->index().find((*m_document)[i].Name) : kNoString;
        checkOne(i, match == kNoString ? nullptr : &m_reference->body()[match], setup, sink);
    }
}

std::vector<Finding> CheckDocument(const TCSFBody& document, const CheckTarget& target,
                                   const Reference* reference,
                                   const std::vector<std::string>& ruleIds,
                                   const CheckExtras& extras) {
    CheckEngine engine(target, ruleIds, reference, extras);
    engine.prepare(document);
    std::vector<Finding> findings;
    engine.checkAll([&findings](Finding&& f) { findings.push_back(std::move(f)); });
    return findings;
}

std::vector<Finding> SaveBlockers(const TCSFBody& document, const CheckTarget& target) {
    std::vector<std::string> ids{"unstorable-character", "too-long"};
    if (target.format == DocumentFormat::STR)
        ids.emplace_back("str-name");
    std::vector<Finding> errors;
    for (Finding& f : CheckDocument(document, target, nullptr, ids))
        if (f.severity == Severity::Error)
            errors.push_back(std::move(f));
    return errors;
}

bool RefusesSave(const Finding& blocker) {
    return blocker.severity == Severity::Error &&
           (blocker.rule == "str-name" || blocker.rule == "too-long");
}

} // namespace vste
