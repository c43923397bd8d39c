// SPDX-License-Identifier: MIT
// Applying an exchange file to a table, computed first as a plan that changes nothing: the
// command line applies it at once, the window can push it as one undoable step.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Model.h"
#include "core/StringTable.h"
#include "exchange/Exchange.h"

namespace vste {

// The position in the table of the string a name (single-byte, as the table stores names)
// means; nullopt when the table has none.
using NameLookup = std::function<std::optional<std::uint32_t>(std::string_view name)>;
// True when the table's format cannot store `proposed` as value `valueIndex` (0-based) of
// `string`; such a string is refused and left as it is.
using RefusalCheck = std::function<bool(StringView string, std::uint32_t valueIndex,
                                        const TTextContainer& proposed)>;

struct ApplyOptions {
    NameLookup find;
    RefusalCheck refuse;       // may be empty: nothing is refused
    bool applyExtras = false;  // the exchange format carries extra values and the table keeps them
    bool canAddValues = false; // the table's format keeps more than one value per string
};

struct ValueChange {
    std::uint32_t stringIndex = 0;
    std::uint32_t valueIndex = 0; // 0-based
    TTextContainer before;
    TTextContainer after;
};

// A value appended to a string; additions of one string are listed in order.
struct ValueAddition {
    std::uint32_t stringIndex = 0;
    TTextContainer value;
};

// A row for a value the string does not have (beyond the one a row may add).
struct MissingValue {
    std::string name;              // as the exchange file spells it
    std::uint32_t valueNumber = 0; // 1-based
    bool operator==(const MissingValue&) const = default;
};

// Counts are of strings: one is updated when any of its values changes.
struct ApplyReport {
    std::size_t updated = 0;
    std::size_t unchanged = 0;
    std::vector<std::string> notFound;       // names as the exchange file spells them, once each
    std::vector<std::string> refused;        // names as the table shows them (UTF-8)
    std::vector<MissingValue> missingValues; // skipped rows, in the table's order
};

struct ApplyPlan {
    std::vector<ValueChange> changes;
    std::vector<ValueAddition> additions;
    ApplyReport report;
};

// Rows of a string apply in value order; the first row of a (string, value number) counts. An
// empty value (and, where extras apply, an empty extra) leaves what the table holds. A row for
// the value one past a string's last value adds it where the format keeps several values; rows
// for other missing values are skipped and listed in the report.
ApplyPlan BuildApplyPlan(const TWestwoodStrings& table, const std::vector<ImportRow>& rows,
                         const ApplyOptions& options);
// Performs the plan on the table it was built for.
void ApplyPlanTo(TWestwoodStrings& table, const ApplyPlan& plan);
// Undoes ApplyPlanTo.
void RevertPlan(TWestwoodStrings& table, const ApplyPlan& plan);

} // namespace vste
