// SPDX-License-Identifier: MIT
#include "ui/FilterState.h"

#include <algorithm>
#include <memory>

#include "checks/Rule.h"
#include "core/NameIndex.h"

namespace vste::ui {

namespace {

constexpr std::uint8_t kNeedsReviewFlag = 1;

} // namespace

DiffersRule MakePlaceholdersAndLineBreaksRule() {
    auto rules = std::make_shared<std::vector<std::unique_ptr<Rule>>>();
    rules->push_back(MakePlaceholdersRule());
    rules->push_back(MakeLineBreaksRule());
    return [rules](const TText& string, const TText& reference) {
        static const TCSFBody kNoTable;
        static const CheckTarget kTarget;
        const CheckSetup setup{kNoTable, kTarget, nullptr, {}};
        const StringCheck check{0, string, &reference};
        bool found = false;
        const FindingSink sink = [&found](Finding&&) { found = true; };
        for (const auto& rule : *rules) {
            rule->check(check, setup, sink);
            if (found)
                return true;
        }
        return false;
    };
}

FilterState::FilterState() : m_differs(MakePlaceholdersAndLineBreaksRule()) {}

void FilterState::reset() {
    m_document = nullptr;
    m_reference = nullptr;
    invalidate();
    m_status = {};
    m_reviewFlags.clear();
    m_review.clear();
    m_groupsReady = false;
}

void FilterState::update(const TWestwoodStrings& document, const TWestwoodStrings* reference,
                         std::uint64_t structureStamp, std::uint64_t valueStamp) {
    const bool rematch =
        &document != m_document || reference != m_reference || structureStamp != m_structureStamp;
    if (!rematch && valueStamp == m_valueStamp)
        return;
    m_document = &document;
    m_reference = reference;
    m_structureStamp = structureStamp;
    m_valueStamp = valueStamp;
    if (rematch) {
        m_groupsReady = false;
        if (reference) {
            m_status = CompareWithReference(document.Body, reference->Body, m_differs);
        } else {
            m_status = {};
            m_status.match.toB.assign(document.Body.size(), kNoString);
            rebuildFlags();
        }
        m_reviewFlags.assign(document.Body.size(), 0);
        if (!m_review.empty())
            for (std::uint32_t i = 0; i < document.Body.size(); ++i)
                m_reviewFlags[i] = m_review.count(NameKey(document.Body[i].Name)) != 0;
        return;
    }
    rebuildFlags();
}

std::uint8_t FilterState::flagsOf(std::uint32_t index) const {
    const TText& string = m_document->Body[index];
    const std::uint32_t j = m_status.match.toB[index];
    const TText* original = j == kNoString ? nullptr : &m_reference->Body[j];
    std::uint8_t flags = 0;
    if (m_reference && !original)
        flags |= kMissingInReference;
    if (IsUntranslated(string, original))
        flags |= kUntranslated;
    if (original && m_differs(string, *original))
        flags |= kDiffersFromReference;
    return flags;
}

void FilterState::rebuildFlags() {
    m_status.flags.resize(m_document->Body.size());
    for (std::uint32_t i = 0; i < m_status.flags.size(); ++i)
        m_status.flags[i] = flagsOf(i);
}

bool FilterState::keeps(FilterKind kind, std::uint32_t index) const {
    if (index >= m_status.flags.size())
        return kind == FilterKind::All;
    switch (kind) {
    case FilterKind::All:
        return true;
    case FilterKind::Untranslated:
        return m_status.flags[index] & kUntranslated;
    case FilterKind::Differs:
        return m_status.flags[index] & kDiffersFromReference;
    case FilterKind::MissingInReference:
        return m_status.flags[index] & kMissingInReference;
    case FilterKind::NeedsReview:
        return index < m_reviewFlags.size() && (m_reviewFlags[index] & kNeedsReviewFlag);
    case FilterKind::OnlyInReference:
        break;
    }
    return false;
}

std::size_t FilterState::count(FilterKind kind) const {
    switch (kind) {
    case FilterKind::All:
        return m_status.flags.size();
    case FilterKind::Untranslated:
        return m_status.count(kUntranslated);
    case FilterKind::Differs:
        return m_status.count(kDiffersFromReference);
    case FilterKind::MissingInReference:
        return m_status.count(kMissingInReference);
    case FilterKind::OnlyInReference:
        return m_status.onlyInReference.size();
    case FilterKind::NeedsReview:
        return static_cast<std::size_t>(
            std::count(m_reviewFlags.begin(), m_reviewFlags.end(), kNeedsReviewFlag));
    }
    return 0;
}

std::uint32_t FilterState::referenceOf(std::uint32_t index) const {
    return index < m_status.match.toB.size() ? m_status.match.toB[index] : kNoString;
}

const std::vector<std::uint32_t>& FilterState::onlyInReferenceOf(const std::string& category) {
    static const std::vector<std::uint32_t> kNone;
    if (!m_reference)
        return kNone;
    if (!m_groupsReady) {
        // The reference's own category rule names the group; a category of that name in the
        // document lists them.
        std::vector<std::uint32_t> groupOf(m_reference->Body.size(), kNoString);
        m_groupOfName.clear();
        m_groups.clear();
        const TCat categories = m_reference->GetCategories();
        for (std::size_t k = 0; k < categories.size(); ++k)
            for (const std::int32_t id : categories[k].IDs)
                groupOf[static_cast<std::size_t>(id)] = static_cast<std::uint32_t>(k);
        for (std::size_t k = 0; k < categories.size(); ++k)
            m_groupOfName.emplace(categories[k].Name, k);
        m_groups.resize(categories.size());
        for (const std::uint32_t j : m_status.onlyInReference)
            if (groupOf[j] != kNoString)
                m_groups[groupOf[j]].push_back(j);
        m_groupsReady = true;
    }
    const auto found = m_groupOfName.find(category);
    return found == m_groupOfName.end() ? kNone : m_groups[found->second];
}

void FilterState::markForReview(const std::vector<std::string>& names) {
    for (const std::string& name : names)
        m_review.insert(NameKey(name));
    invalidate();
}

void FilterState::forgetReview(const std::vector<std::string>& names) {
    for (const std::string& name : names)
        m_review.erase(NameKey(name));
    invalidate();
}

void FilterState::markReviewed(const std::vector<std::uint32_t>& indexes) {
    if (!m_document)
        return;
    const TCSFBody& body = m_document->Body;
    std::unordered_set<std::string> keys;
    for (const std::uint32_t i : indexes)
        if (i < body.size()) {
            std::string key = NameKey(body[i].Name);
            if (m_review.erase(key) != 0)
                keys.insert(std::move(key));
        }
    if (keys.empty())
        return;
    // Only the few strings still awaiting review need their names compared.
    const std::size_t count = std::min(m_reviewFlags.size(), body.size());
    for (std::size_t i = 0; i < count; ++i)
        if (m_reviewFlags[i] && keys.count(NameKey(body[i].Name)))
            m_reviewFlags[i] = 0;
}

} // namespace vste::ui
