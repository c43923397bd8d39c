// SPDX-License-Identifier: MIT
// Runs the STR line functions on arbitrary lines and checks how their results relate to the line.
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "core/StringUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vste::fuzz::Check;
    const std::string_view line(reinterpret_cast<const char*>(data), size);

    const std::string filtered = vste::FilterLabelChars(line);
    Check(filtered.size() <= line.size(), "filtering made the line longer");
    for (char c : filtered)
        Check(vste::IsLabelChar(static_cast<unsigned char>(c)), "filtered text kept a blank");
    Check(vste::FilterLabelChars(filtered) == filtered, "filtering twice changes the text");

    const std::string_view part = vste::QuotedPart(line);
    Check(part.size() <= line.size(), "quoted part longer than the line");
    Check(part.empty() || (part.data() >= line.data() &&
                           part.data() + part.size() <= line.data() + line.size()),
          "QuotedPart points outside the line");

    if (vste::IsEndKeyword(line))
        Check(line.size() == 3, "END keyword of another length");
    return 0;
}
