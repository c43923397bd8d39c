// SPDX-License-Identifier: MIT
#include "exchange/ApplyPlan.h"

#include <algorithm>
#include <unordered_set>

#include "core/StringUtils.h"
#include "encoding/CodePage.h"

namespace vste {

namespace {

bool SameContainer(const TTextContainer& a, const TTextContainer& b) {
    return a.Tag == b.Tag && a.Value == b.Value && a.ExtraValue == b.ExtraValue;
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Whether every ASCII character is its own byte in the code page, so that ASCII text needs no
// conversion.
bool KeepsAscii(const PlainCodec& codec) {
    for (unsigned char c = 0; c < 0x80; ++c)
        if (codec.toWide(c) != c || codec.toAnsi(c) != c)
            return false;
    return true;
}

// Whether the UTF-8 `utf8` spells `current`; ASCII text, the common case, is compared without
// converting it.
bool SameText(std::u16string_view current, std::string_view utf8) {
    if (!IsAscii(utf8))
        return current == Utf8ToUtf16(utf8);
    return current.size() == utf8.size() &&
           std::equal(utf8.begin(), utf8.end(), current.begin(),
                      [](char a, char16_t b) { return static_cast<char16_t>(a) == b; });
}

// Single-byte text that shows exactly as `utf8` through the code page; nullopt when the code
// page cannot hold it.
std::optional<std::string> ToSingleByte(const PlainCodec& codec, bool keepsAscii,
                                        std::string_view utf8) {
    if (keepsAscii && IsAscii(utf8))
        return std::string(utf8);
    const std::u16string wide = Utf8ToUtf16(utf8);
    std::string bytes;
    codec.appendAnsi(bytes, wide);
    std::u16string back;
    codec.appendWide(back, bytes);
    if (back != wide)
        return std::nullopt;
    return bytes;
}

struct Hit {
    std::uint32_t stringIndex;
    std::uint32_t valueNumber;
    std::size_t row;
};

class PlanBuilder {
public:
    PlanBuilder(const TWestwoodStrings& table, const std::vector<ImportRow>& rows,
                const ApplyOptions& options)
        : m_table(table), m_rows(rows), m_options(options) {}

    ApplyPlan build() {
        std::vector<Hit> hits = findStrings();
        // Stable: of two rows for the same value, the earlier one counts. A file exported from
        // this table is in order already.
        const auto before = [](const Hit& a, const Hit& b) {
            return a.stringIndex != b.stringIndex ? a.stringIndex < b.stringIndex
                                                  : a.valueNumber < b.valueNumber;
        };
        if (!std::is_sorted(hits.begin(), hits.end(), before))
            std::stable_sort(hits.begin(), hits.end(), before);
        for (std::size_t i = 0; i < hits.size();) {
            std::size_t j = i;
            while (j < hits.size() && hits[j].stringIndex == hits[i].stringIndex)
                ++j;
            planString(hits, i, j);
            i = j;
        }
        return std::move(m_plan);
    }

private:
    std::vector<Hit> findStrings() {
        std::vector<Hit> hits;
        hits.reserve(m_rows.size());
        std::unordered_set<std::string_view> missing;
        for (std::size_t i = 0; i < m_rows.size(); ++i) {
            const ImportRow& row = m_rows[i];
            std::optional<std::uint32_t> index;
            if (m_keepsAscii && IsAscii(row.name)) {
                index = m_options.find(row.name);
            } else if (const auto name = ToSingleByte(m_codec, m_keepsAscii, row.name)) {
                index = m_options.find(*name);
            }
            if (index && *index < m_table.Body.size())
                hits.push_back({*index, row.valueNumber, i});
            else if (missing.insert(row.name).second)
                m_plan.report.notFound.push_back(row.name);
        }
        return hits;
    }

    // The row's new value and extra over `current`; false when the extra cannot be stored.
    bool merge(const ImportRow& row, TTextContainer& proposed) const {
        if (!row.value.empty())
            proposed.Value = Utf8ToUtf16(row.value);
        if (m_options.applyExtras && row.extra && !row.extra->empty()) {
            std::optional<std::string> extra = ToSingleByte(m_codec, m_keepsAscii, *row.extra);
            if (!extra)
                return false;
            proposed.ExtraValue = std::move(*extra);
            proposed.Tag[0] = kExtraValueMark;
        }
        return true;
    }

    // True when the row certainly leaves `current` as it is; false when a closer look is needed.
    bool leavesAsIs(const ImportRow& row, const TTextContainer& current) const {
        const bool extra = m_options.applyExtras && row.extra && !row.extra->empty();
        return !extra && (row.value.empty() || SameText(current.Value, row.value));
    }

    bool refused(const TText& text, std::uint32_t valueIndex, const TTextContainer& proposed) {
        return m_options.refuse && m_options.refuse(StringView(text), valueIndex, proposed);
    }

    void planString(const std::vector<Hit>& hits, std::size_t from, std::size_t to) {
        const std::uint32_t s = hits[from].stringIndex;
        const TText& text = m_table.Body[s];
        std::vector<ValueChange> changes;
        std::vector<ValueAddition> additions;
        std::uint32_t count = text.ValueCount();
        std::uint32_t last = 0;
        bool refuse = false;
        for (std::size_t h = from; h < to && !refuse; ++h) {
            const ImportRow& row = m_rows[hits[h].row];
            const std::uint32_t n = row.valueNumber;
            if (n == last)
                continue;
            last = n;
            if (n <= text.ValueCount()) {
                const TTextContainer& current = text.Values[n - 1];
                if (leavesAsIs(row, current))
                    continue;
                TTextContainer proposed = current;
                refuse = !merge(row, proposed);
                if (refuse || SameContainer(current, proposed))
                    continue;
                refuse = refused(text, n - 1, proposed);
                changes.push_back({s, n - 1, current, std::move(proposed)});
            } else if (n == count + 1 && m_options.canAddValues && !row.value.empty()) {
                TTextContainer added;
                refuse = !merge(row, added);
                added.Tag = TWestwoodStrings::AppendedValueTag(
                    text.Values.empty() ? nullptr : &text.Values.back(), !added.ExtraValue.empty());
                refuse = refuse || refused(text, n - 1, added);
                additions.push_back({s, std::move(added)});
                ++count;
            } else if (n > count + 1 || !m_options.canAddValues) {
                m_plan.report.missingValues.push_back({row.name, n});
            }
        }
        if (refuse) {
            std::u16string wide;
            m_codec.appendWide(wide, text.Name);
            m_plan.report.refused.push_back(Utf16ToUtf8(wide));
        } else if (changes.empty() && additions.empty()) {
            ++m_plan.report.unchanged;
        } else {
            ++m_plan.report.updated;
            std::move(changes.begin(), changes.end(), std::back_inserter(m_plan.changes));
            std::move(additions.begin(), additions.end(), std::back_inserter(m_plan.additions));
        }
    }

    const TWestwoodStrings& m_table;
    const std::vector<ImportRow>& m_rows;
    const ApplyOptions& m_options;
    const PlainCodec m_codec;
    const bool m_keepsAscii = KeepsAscii(m_codec);
    ApplyPlan m_plan;
};

} // namespace

ApplyPlan BuildApplyPlan(const TWestwoodStrings& table, const std::vector<ImportRow>& rows,
                         const ApplyOptions& options) {
    return PlanBuilder(table, rows, options).build();
}

void ApplyPlanTo(TWestwoodStrings& table, const ApplyPlan& plan) {
    for (const ValueChange& change : plan.changes)
        table.ReplaceValue(change.stringIndex, change.valueIndex, change.after);
    for (const ValueAddition& addition : plan.additions)
        table.AddValue(addition.stringIndex, addition.value);
}

void RevertPlan(TWestwoodStrings& table, const ApplyPlan& plan) {
    for (auto it = plan.additions.rbegin(); it != plan.additions.rend(); ++it)
        table.TakeLastValue(it->stringIndex);
    for (const ValueChange& change : plan.changes)
        table.ReplaceValue(change.stringIndex, change.valueIndex, change.before);
}

} // namespace vste
