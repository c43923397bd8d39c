// SPDX-License-Identifier: MIT
#include "translation/Glossary.h"

#include <string>

#include "encoding/CodePage.h"
#include "exchange/CsvTable.h"
#include "exchange/Exchange.h"

namespace vste {

std::vector<GlossaryTerm> ReadGlossary(std::span<const std::uint8_t> data) {
    std::vector<GlossaryTerm> terms;
    int term = -1, translation = -1;
    bool header = true;
    exchange::ForEachCsvRecord(data, [&](std::size_t line, std::vector<std::string>& fields) {
        const std::string where = "line " + std::to_string(line);
        if (header) {
            for (std::size_t i = fields.size(); i-- > 0;) {
                const std::string name = exchange::NormalizedHeader(fields[i]);
                if (name == "term")
                    term = static_cast<int>(i);
                else if (name == "translation")
                    translation = static_cast<int>(i);
            }
            if (term < 0 || translation < 0)
                throw ExchangeError(where + ": the header needs the columns term and translation");
            header = false;
            return;
        }
        const auto t = static_cast<std::size_t>(term);
        const auto r = static_cast<std::size_t>(translation);
        if (fields.size() <= t || fields[t].empty())
            return; // a blank line or a row without a term
        if (fields.size() <= r)
            throw ExchangeError(where + ": the row has no translation column");
        terms.push_back({Utf8ToUtf16(fields[t]), Utf8ToUtf16(fields[r])});
    });
    if (header)
        throw ExchangeError("line 1: the file is empty (expected the header term,translation)");
    return terms;
}

} // namespace vste
