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
    Check(vste::HasLabelChars(line) == !filtered.empty(), "HasLabelChars disagrees with filter");
    Check(vste::FilterLabelChars(filtered) == filtered, "filtering twice changes the text");

    const std::size_t last = vste::LastPos('"', line);
    Check(last <= line.size(), "LastPos beyond the line");
    if (last > 0)
        Check(line[last - 1] == '"' && line.find('"', last) == std::string_view::npos,
              "LastPos is not the last quote");

    const std::string quoted = vste::ExtractQuoted(line);
    Check(quoted.size() <= line.size(), "quoted part longer than the line");
    Check(line.find(quoted) != std::string_view::npos, "quoted part is not part of the line");
    const std::string_view part = vste::QuotedPart(line);
    Check(part.empty() || (part.data() >= line.data() &&
                           part.data() + part.size() <= line.data() + line.size()),
          "QuotedPart points outside the line");

    for (std::uint8_t mode = 0; mode < 2; ++mode) {
        const std::string stripped = vste::StripComment(line, mode);
        Check(line.substr(0, stripped.size()) == stripped, "StripComment is not a prefix");
    }
    const std::string name = vste::StripComment(filtered, 1);
    Check(name.find("//") == std::string::npos || name.rfind("//", 0) == 0,
          "a label name keeps a comment");

    if (vste::IsEndKeyword(line))
        Check(line.size() == 3, "END keyword of another length");
    return 0;
}
