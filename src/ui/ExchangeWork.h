// SPDX-License-Identifier: MIT
// The window's export and import of exchange files, as plain functions the window runs away from
// its own thread: both only read the document; the import's changes come back as a plan.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "exchange/ApplyPlan.h"
#include "exchange/Exchange.h"
#include "formats/Registry.h"

namespace vste::ui {

// The table's values in `format`, with the reference's values as the source text when
// `reference` is not null. Throws FormatError for a value no exchange file can carry.
std::vector<std::uint8_t> ExportTable(const TWestwoodStrings& table,
                                      const TWestwoodStrings* reference,
                                      const ExchangeFormatInfo& format,
                                      const ExportOptions& options);

// What the document is and how it is saved, which decides what an import may change.
struct ImportTarget {
    const TWestwoodStrings& document;
    const FormatInfo& format;
    bool ansiMode = false;
};

// Reads `fileName` as `exchange` and plans taking its values into the document, refusing what a
// save in the document's format would refuse. Throws FileError when the file cannot be read and
// ExchangeError, starting with the quoted file name, for a malformed file.
ApplyPlan PlanImport(const ImportTarget& target, const ExchangeFormatInfo& exchange,
                     const std::string& fileName, char separator);

} // namespace vste::ui
