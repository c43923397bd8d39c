// SPDX-License-Identifier: MIT
// Categories kept in step with inserted, extracted and renamed strings. Rebuilding them reads
// every name of the table (a million upper-cased prefixes); an insert or a delete only moves the
// indexes after it by one and touches the one category of the string itself.
#include <algorithm>
#include <iterator>

#include "core/Model.h"

namespace vste {
namespace {

using Index = std::int32_t;

// Adds `delta` to every index at or after `from`; each category's indexes ascend.
void ShiftIndexes(TCat& cats, Index from, Index delta) {
    for (TCategory& category : cats) {
        auto it = std::lower_bound(category.IDs.begin(), category.IDs.end(), from);
        for (; it != category.IDs.end(); ++it)
            *it += delta;
    }
}

// Moves category `k` to where its first index belongs among categories ordered by first index.
void PlaceByFirstString(TCat& cats, std::size_t k) {
    TCategory moved = std::move(cats[k]);
    cats.erase(cats.begin() + static_cast<std::ptrdiff_t>(k));
    const Index first = moved.IDs.front();
    const auto at = std::lower_bound(
        cats.begin(), cats.end(), first,
        [](const TCategory& category, Index index) { return category.IDs.front() < index; });
    cats.insert(at, std::move(moved));
}

} // namespace

std::string TWestwoodStrings::CategoryOf(std::string_view) const {
    return "All strings";
}

// Adds string `index` to its category; `index` is not in any category yet. False when the
// categories do not fit the table (they were not GetCategories' own), which calls for a rebuild.
bool TWestwoodStrings::AddToCategory(TCat& cats, std::uint32_t index) const {
    const auto id = static_cast<Index>(index);
    std::string name = CategoryOf(Body[index].Name);
    auto found = std::find_if(cats.begin(), cats.end(),
                              [&](const TCategory& category) { return category.Name == name; });
    if (found == cats.end()) {
        if (CategoriesByName()) {
            const auto at = std::lower_bound(
                cats.begin(), cats.end(), name,
                [](const TCategory& category, const std::string& n) { return category.Name < n; });
            cats.insert(at, TCategory{std::move(name), {id}});
        } else {
            cats.push_back(TCategory{std::move(name), {id}});
            PlaceByFirstString(cats, cats.size() - 1);
        }
        return true;
    }
    TIDs& ids = found->IDs;
    const auto at = std::lower_bound(ids.begin(), ids.end(), id);
    if (at != ids.end() && *at == id)
        return false;
    const bool first = at == ids.begin();
    ids.insert(at, id);
    if (first && !CategoriesByName())
        PlaceByFirstString(cats, static_cast<std::size_t>(found - cats.begin()));
    return true;
}

// Takes string `index`, named `name`, out of its category; an emptied category goes. False
// when the string is not where its name puts it.
bool TWestwoodStrings::RemoveFromCategory(TCat& cats, std::uint32_t index,
                                          std::string_view name) const {
    const auto id = static_cast<Index>(index);
    const std::string category = CategoryOf(name);
    const auto found = std::find_if(cats.begin(), cats.end(),
                                    [&](const TCategory& c) { return c.Name == category; });
    if (found == cats.end())
        return false;
    TIDs& ids = found->IDs;
    const auto at = std::lower_bound(ids.begin(), ids.end(), id);
    if (at == ids.end() || *at != id)
        return false;
    const bool first = at == ids.begin();
    ids.erase(at);
    if (ids.empty())
        cats.erase(found);
    else if (first && !CategoriesByName())
        PlaceByFirstString(cats, static_cast<std::size_t>(found - cats.begin()));
    return true;
}

void TWestwoodStrings::CategoriesAfterInsert(TCat& cats, std::uint32_t at) const {
    // A table of one string has nothing to keep, and the base keeps a category even when empty.
    if (Body.size() <= 1 || at >= Body.size()) {
        cats = GetCategories();
        return;
    }
    ShiftIndexes(cats, static_cast<Index>(at), +1);
    if (!AddToCategory(cats, at))
        cats = GetCategories();
}

void TWestwoodStrings::CategoriesAfterExtract(TCat& cats, std::uint32_t index,
                                              std::string_view name) const {
    if (Body.empty() || !RemoveFromCategory(cats, index, name)) {
        cats = GetCategories();
        return;
    }
    ShiftIndexes(cats, static_cast<Index>(index) + 1, -1);
}

void TWestwoodStrings::CategoriesAfterRename(TCat& cats, std::uint32_t index,
                                             std::string_view oldName) const {
    if (index >= Body.size()) {
        cats = GetCategories();
        return;
    }
    if (CategoryOf(oldName) == CategoryOf(Body[index].Name))
        return;
    if (!RemoveFromCategory(cats, index, oldName) || !AddToCategory(cats, index))
        cats = GetCategories();
}

} // namespace vste
