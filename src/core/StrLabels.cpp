// SPDX-License-Identifier: MIT
#include "core/StrLabels.h"

#include <iterator>

#include "core/StringUtils.h"

namespace vste {

bool StrLineMarks::isComment() const {
    return count >= 2 && first[0] == '/' && first[1] == '/';
}

bool StrLineMarks::isEnd() const {
    return count == 3 && IsEndKeyword(std::string_view(first, 3));
}

StrLineMarks MarksOfStrLine(std::string_view line) {
    StrLineMarks marks;
    for (char c : line) {
        if (IsLabelChar(static_cast<unsigned char>(c))) {
            if (marks.count < 3) {
                marks.first[marks.count] = c;
            }
            if (++marks.count > 3) {
                break;
            }
        }
    }
    return marks;
}

std::string_view StrLabelName(std::string_view line) {
    const std::size_t begin = line.find_first_not_of(" \t");
    if (begin == std::string_view::npos) {
        return {};
    }
    std::string_view name = line.substr(begin);
    // A // at the very beginning makes the line a comment, which is never asked for its name.
    if (const std::size_t comment = name.find("//", 1); comment != std::string_view::npos) {
        name = name.substr(0, comment);
    }
    const std::size_t last = name.find_last_not_of(" \t\r\n");
    return last == std::string_view::npos ? std::string_view() : name.substr(0, last + 1);
}

std::optional<StrNameFault> FindStrNameFault(std::string_view name) {
    if (name.empty())
        return StrNameFault::Empty;
    if (name.find_first_of("\r\n") != std::string_view::npos)
        return StrNameFault::LineEnd;
    if (name.find('\0') != std::string_view::npos)
        return StrNameFault::Nul;
    if (name.front() == ' ' || name.front() == '\t')
        return name.front() == ' ' ? StrNameFault::LeadingSpace : StrNameFault::LeadingTab;
    if (name.back() == ' ' || name.back() == '\t')
        return name.back() == ' ' ? StrNameFault::TrailingSpace : StrNameFault::TrailingTab;
    if (name.find("//") != std::string_view::npos)
        return StrNameFault::CommentMark;
    if (IsEndKeyword(name))
        return StrNameFault::EndKeyword;
    if (name.front() == '"')
        return StrNameFault::LeadingQuote;
    const StrLineMarks marks = MarksOfStrLine(name);
    if (marks.isBlank())
        return StrNameFault::ReadsAsBlank;
    if (marks.isComment())
        return StrNameFault::ReadsAsComment;
    return std::nullopt;
}

Message StrNameFaultMessage(StrNameFault fault) {
    // In the order of StrNameFault.
    static constexpr MessageId kMessages[] = {
        MessageId::StrNameEmpty,        MessageId::StrNameLineEnd,
        MessageId::StrNameNul,          MessageId::StrNameLeadingSpace,
        MessageId::StrNameLeadingTab,   MessageId::StrNameTrailingSpace,
        MessageId::StrNameTrailingTab,  MessageId::StrNameCommentMark,
        MessageId::StrNameEndKeyword,   MessageId::StrNameLeadingQuote,
        MessageId::StrNameReadsAsBlank, MessageId::StrNameReadsAsComment,
    };
    static_assert(std::size(kMessages) ==
                  static_cast<std::size_t>(StrNameFault::ReadsAsComment) + 1);
    return Message(kMessages[static_cast<std::size_t>(fault)]);
}

} // namespace vste
