// SPDX-License-Identifier: MIT
#include "core/Message.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace vste {
namespace {

struct Entry {
    MessageId id;
    std::string_view name;
    std::string_view english;
};

constexpr Entry kEntries[] = {
#define VSTE_MESSAGE_ENTRY(id, english) {MessageId::id, #id, english},
    VSTE_MESSAGES(VSTE_MESSAGE_ENTRY)
#undef VSTE_MESSAGE_ENTRY
};

const Entry* Find(MessageId id) {
    // The entries follow the enum, which starts with Verbatim and List.
    const auto index = static_cast<std::size_t>(id) - 2;
    return static_cast<std::size_t>(id) >= 2 && index < std::size(kEntries) ? &kEntries[index]
                                                                            : nullptr;
}

} // namespace

const std::vector<MessageId>& WordedMessageIds() {
    static const std::vector<MessageId> ids = [] {
        std::vector<MessageId> all;
        for (const Entry& e : kEntries)
            all.push_back(e.id);
        return all;
    }();
    return ids;
}

std::string_view MessageIdName(MessageId id) {
    if (id == MessageId::Verbatim)
        return "Verbatim";
    if (id == MessageId::List)
        return "List";
    const Entry* e = Find(id);
    return e ? e->name : std::string_view("Unknown");
}

std::string_view EnglishPattern(MessageId id) {
    const Entry* e = Find(id);
    return e ? e->english : std::string_view();
}

int ArgumentCount(MessageId id) {
    const std::string_view pattern = EnglishPattern(id);
    int most = 0;
    for (std::size_t k = 0; k + 1 < pattern.size(); ++k)
        if (pattern[k] == '%' && pattern[k + 1] >= '1' && pattern[k + 1] <= '9')
            most = std::max(most, pattern[k + 1] - '0');
    return most;
}

Message Number(std::uint64_t value) {
    return Message(std::to_string(value));
}

Message SystemReason(int err) {
    const char* text = std::strerror(err);
    std::string s = text ? text : "Unknown error";
    if (!s.empty() && s.back() != '.')
        s += '.';
    return Message(MessageId::SystemError, {Number(static_cast<std::uint64_t>(err)), s});
}

Message WindowsReason(unsigned long code, std::string systemText) {
    // The codes of winerror.h, spelled out so that the mapping builds and is tested everywhere.
    switch (code) {
    case 2: // ERROR_FILE_NOT_FOUND
    case 3: // ERROR_PATH_NOT_FOUND
        return SystemReason(ENOENT);
    case 5: // ERROR_ACCESS_DENIED
        return SystemReason(EACCES);
    case 32:   // ERROR_SHARING_VIOLATION
    case 33:   // ERROR_LOCK_VIOLATION
    case 1175: // ERROR_UNABLE_TO_REMOVE_REPLACED
    case 1224: // ERROR_USER_MAPPED_FILE
        return Message(MessageId::FileInUse);
    case 19: // ERROR_WRITE_PROTECT
        return Message(MessageId::FileReadOnly);
    case 39:  // ERROR_HANDLE_DISK_FULL
    case 112: // ERROR_DISK_FULL
        return SystemReason(ENOSPC);
    case 206: // ERROR_FILENAME_EXCED_RANGE
        return SystemReason(ENAMETOOLONG);
    default:
        break;
    }
    while (!systemText.empty() &&
           (systemText.back() == '\n' || systemText.back() == '\r' || systemText.back() == ' '))
        systemText.pop_back();
    if (systemText.empty())
        systemText = "Windows error " + std::to_string(code) + ".";
    return Message(std::move(systemText));
}

std::string FillPattern(std::string_view pattern, const std::vector<std::string>& args) {
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t k = 0; k < pattern.size(); ++k) {
        const char c = pattern[k];
        if (c == '%' && k + 1 < pattern.size() && pattern[k + 1] >= '1' && pattern[k + 1] <= '9') {
            const auto n = static_cast<std::size_t>(pattern[k + 1] - '1');
            if (n < args.size()) {
                out += args[n];
                ++k;
                continue;
            }
        }
        out += c;
    }
    return out;
}

std::string EnglishText(const Message& message) {
    if (message.id == MessageId::Verbatim)
        return message.text;
    std::vector<std::string> args;
    args.reserve(message.args.size());
    for (const Message& arg : message.args)
        args.push_back(EnglishText(arg));
    if (message.id == MessageId::List) {
        std::string joined;
        for (std::size_t k = 0; k < args.size(); ++k)
            joined.append(k == 0 ? "" : ", ").append(args[k]);
        return joined;
    }
    return FillPattern(EnglishPattern(message.id), args);
}

} // namespace vste
