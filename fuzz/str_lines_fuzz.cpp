// SPDX-License-Identifier: MIT
// Runs the STR line functions on arbitrary lines and checks how their results relate to the line:
// the name a label line gives, and that every name the writer accepts reads back unchanged.
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "core/StrLabels.h"
#include "core/StringUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vste::fuzz::Check;
    const std::string_view line(reinterpret_cast<const char*>(data), size);

    const std::string_view name = vste::StrLabelName(line);
    Check(name.empty() ||
              (name.data() >= line.data() && name.data() + name.size() <= line.data() + size),
          "the label name points outside the line");
    Check(vste::StrLabelName(name) == name, "taking the name twice changes it");

    if (!vste::FindStrNameFault(line)) {
        // The line the writer stores for this name.
        const std::string written = std::string(line) + "\r\n";
        const vste::StrLineMarks marks = vste::MarksOfStrLine(written);
        Check(!marks.isBlank() && !marks.isComment(), "an accepted name is not a label line");
        Check(vste::StrLabelName(written) == line, "an accepted name reads back differently");
    }

    const std::string_view part = vste::QuotedPart(line);
    Check(part.size() <= line.size(), "quoted part longer than the line");
    Check(part.empty() || (part.data() >= line.data() &&
                           part.data() + part.size() <= line.data() + line.size()),
          "QuotedPart points outside the line");

    if (vste::IsEndKeyword(line))
        Check(line.size() == 3, "END keyword of another length");
    return 0;
}
