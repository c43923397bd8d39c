// SPDX-License-Identifier: MIT
// Categories of a CSF or STR document: labels grouped by the prefix before their first colon
// (else before their first underscore), upper-cased; labels with neither go to "Other".
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "core/CompiledStrings.h"
#include "encoding/CodePage.h"

namespace vste {
namespace {

// Byte-wise comparison as unsigned values; a proper prefix sorts first.
bool nameLess(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    const int c = n == 0 ? 0 : std::memcmp(a.data(), b.data(), n);
    return c != 0 ? c < 0 : a.size() < b.size();
}

// The part of a name that, upper-cased, names its category; none for "Other".
std::optional<std::string_view> CategoryPrefix(std::string_view name) {
    std::size_t end = name.find(':');
    if (end == std::string_view::npos)
        end = name.find('_');
    if (end == std::string_view::npos)
        return std::nullopt;
    return name.substr(0, end);
}

} // namespace

std::string TCompiledStrings::CategoryOf(std::string_view name) const {
    const auto prefix = CategoryPrefix(name);
    return prefix ? AnsiUpperCase(*prefix) : std::string("Other");
}

TCat TCompiledStrings::GetCategories() const {
    TCat cats;
    std::unordered_map<std::string, std::size_t> byName;
    // Raw prefixes repeat far more often than they differ; remembering what each one maps to
    // upper-cases every distinct prefix once.
    std::unordered_map<std::string_view, std::size_t> byPrefix;
    std::string_view lastPrefix;
    std::size_t lastCategory = SIZE_MAX;

    auto categoryNamed = [&](std::string name) {
        auto [it, added] = byName.try_emplace(std::move(name), cats.size());
        if (added)
            cats.push_back(TCategory{it->first, {}});
        return it->second;
    };

    for (std::size_t i = 0; i < Body.size(); ++i) {
        const auto found = CategoryPrefix(Body[i].Name);
        std::size_t category;
        if (!found) {
            category = categoryNamed("Other");
        } else {
            const std::string_view prefix = *found;
            if (lastCategory != SIZE_MAX && prefix == lastPrefix) {
                category = lastCategory;
            } else {
                auto it = byPrefix.find(prefix);
                if (it == byPrefix.end())
                    it = byPrefix.emplace(prefix, categoryNamed(AnsiUpperCase(prefix))).first;
                category = it->second;
                lastPrefix = prefix;
                lastCategory = category;
            }
        }
        cats[category].IDs.push_back(static_cast<std::int32_t>(i));
    }

    // Names are unique, so any correct sort gives the one order; stable for good measure.
    std::vector<std::size_t> order(cats.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return nameLess(cats[a].Name, cats[b].Name);
    });
    TCat sorted;
    sorted.reserve(cats.size());
    for (std::size_t k : order)
        sorted.push_back(std::move(cats[k]));
    return sorted;
}

} // namespace vste
