// SPDX-License-Identifier: MIT
// Whether the format a table is written in can store a new value of one of its strings, judged
// by the save guard's own rules (unstorable-character and too-long), so that an import refuses
// exactly what a save would refuse, in the command line and in the window alike.
#pragma once

#include <cstdint>
#include <string>

#include "checks/CheckEngine.h"
#include "core/StringTable.h"

namespace vste {

class StoreCheck {
public:
    explicit StoreCheck(const CheckTarget& target);
    StoreCheck(const StoreCheck&) = delete;
    StoreCheck& operator=(const StoreCheck&) = delete;

    // True when the target format cannot hold `proposed` as value `valueIndex` (0-based; one
    // past the last value for a value to be added) of `string`: characters the code page lacks,
    // or a value or extra value beyond the format's limits. Only that value is judged; the rest
    // of the string and of the table is the save guard's business.
    bool refuses(StringView string, std::uint32_t valueIndex, const TTextContainer& proposed) {
        return !problem(string, valueIndex, proposed).empty();
    }
    // Why refuses() is true, in the words of the check that refuses (UTF-8); empty when it is
    // not.
    std::string problem(StringView string, std::uint32_t valueIndex,
                        const TTextContainer& proposed) {
        return EnglishText(problemMessage(string, valueIndex, proposed));
    }
    // The same as a message; empty when refuses() is false.
    Message problemMessage(StringView string, std::uint32_t valueIndex,
                           const TTextContainer& proposed);

private:
    CheckEngine m_engine;
    TCSFBody m_scratch; // one string: the candidate, checked as the engine's whole document
};

} // namespace vste
