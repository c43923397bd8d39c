// SPDX-License-Identifier: MIT
// What the string filter knows about the document read beside its reference: the strings
// paired by name, each string's flags, the reference's strings the document lacks, and the
// strings an update marked for review. Derived data is rebuilt only when the tables changed.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "compare/ReferenceStatus.h"
#include "core/Model.h"

namespace vste::ui {

enum class FilterKind {
    All,
    Untranslated,
    Differs, // placeholders or line breaks differ from the reference's
    MissingInReference,
    OnlyInReference,
    NeedsReview,
};
inline constexpr int kFilterKindCount = 6;

// The placeholders and line-breaks checks, as the comparison's differs rule.
DiffersRule MakePlaceholdersAndLineBreaksRule();

class FilterState {
public:
    FilterState();

    // Brings the derived data up to date: everything after `structureStamp` changed (names or
    // strings), the flags after `valueStamp` changed. `reference` may be null.
    void update(const TWestwoodStrings& document, const TWestwoodStrings* reference,
                std::uint64_t structureStamp, std::uint64_t valueStamp);
    // The reference changed: everything is rebuilt at the next update.
    void invalidate() { m_structureStamp = m_valueStamp = UINT64_MAX; }
    // Forgets everything, the strings marked for review included (another document).
    void reset();

    // Whether string `index` of the document passes `kind` (OnlyInReference: none does).
    bool keeps(FilterKind kind, std::uint32_t index) const;
    std::size_t count(FilterKind kind) const;
    // The reference string paired with document string `index`, or kNoString.
    std::uint32_t referenceOf(std::uint32_t index) const;
    // The reference string paired with each document string (kNoString: none).
    const std::vector<std::uint32_t>& referencePairs() const { return m_status.match.toB; }
    const std::vector<std::uint32_t>& onlyInReference() const { return m_status.onlyInReference; }
    // The reference strings the document lacks, grouped under the names of the categories the
    // reference's own category rule gives them (computed on first use).
    const std::vector<std::uint32_t>& onlyInReferenceOf(const std::string& category);

    // Marks strings for review by their names; markReviewed takes the strings of these
    // document indexes off, with every other string of the same names.
    void markForReview(const std::vector<std::string>& names);
    void markReviewed(const std::vector<std::uint32_t>& indexes);
    void forgetReview(const std::vector<std::string>& names);
    bool hasReview() const { return !m_review.empty(); }

private:
    std::uint8_t flagsOf(std::uint32_t index) const;
    void rebuildFlags();

    const TWestwoodStrings* m_document = nullptr;
    const TWestwoodStrings* m_reference = nullptr;
    std::uint64_t m_structureStamp = UINT64_MAX;
    std::uint64_t m_valueStamp = UINT64_MAX;
    DiffersRule m_differs;
    ReferenceStatus m_status;
    std::vector<std::uint8_t> m_reviewFlags;
    std::unordered_set<std::string> m_review; // upper-cased names
    bool m_groupsReady = false;
    std::unordered_map<std::string, std::size_t> m_groupOfName;
    std::vector<std::vector<std::uint32_t>> m_groups;
};

} // namespace vste::ui
