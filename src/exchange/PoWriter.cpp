// SPDX-License-Identifier: MIT
// gettext PO export: a header entry, then one entry per value with msgctxt naming the string
// and value, the extra value as an extracted comment, and strings escaped and wrapped as the
// gettext tools write them (lines of at most 79 columns, broken after "\n" and at spaces).
#include <charconv>

#include "exchange/Exchange.h"
#include "exchange/ExchangeText.h"
#include "exchange/PoName.h"

namespace vste {

namespace exchange {

namespace {

bool EndsInNumber(std::string_view name) {
    const std::size_t hash = name.rfind('#');
    return hash != std::string_view::npos && hash + 1 < name.size() &&
           name.find_first_not_of("0123456789", hash + 1) == std::string_view::npos;
}

} // namespace

std::string PoContext(std::string_view name, std::uint32_t valueNumber) {
    if (valueNumber == 1 && !EndsInNumber(name))
        return std::string(name);
    return std::string(name) + "#" + std::to_string(valueNumber);
}

std::pair<std::string, std::uint32_t> ParsePoContext(std::string_view context) {
    if (!EndsInNumber(context))
        return {std::string(context), 1};
    const std::size_t hash = context.rfind('#');
    std::uint32_t n = 0;
    const auto [end, error] =
        std::from_chars(context.data() + hash + 1, context.data() + context.size(), n);
    (void)end;
    return {std::string(context.substr(0, hash)), error == std::errc() ? n : 0};
}

} // namespace exchange

namespace {

constexpr std::size_t kWidth = 79;

void AppendEscaped(std::string& out, std::string_view text) {
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (ch) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\a':
            out += "\\a";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\v':
            out += "\\v";
            break;
        default:
            if (c < 0x20) {
                // Always three digits, so a digit that follows is never taken into the escape.
                out += '\\';
                out += static_cast<char>('0' + (c >> 6));
                out += static_cast<char>('0' + ((c >> 3) & 7));
                out += static_cast<char>('0' + (c & 7));
            } else {
                out.push_back(ch);
            }
        }
    }
}

std::size_t Columns(std::string_view utf8) {
    std::size_t n = 0;
    for (char c : utf8)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// `keyword "text"`, or `keyword ""` followed by one quoted line per piece when the text holds a
// line break before its end or does not fit on one line.
void AppendPoString(std::string& out, std::string_view keyword, std::string_view text,
                    std::string& scratch) {
    scratch.clear();
    AppendEscaped(scratch, text);
    const std::size_t inner = text.find('\n');
    if ((inner == std::string_view::npos || inner + 1 == text.size()) &&
        keyword.size() + 3 + Columns(scratch) <= kWidth) {
        out.append(keyword).append(" \"").append(scratch).append("\"\n");
        return;
    }
    out.append(keyword).append(" \"\"\n");
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lineEnd = text.find('\n', start);
        const std::size_t stop = lineEnd == std::string_view::npos ? text.size() : lineEnd + 1;
        std::string_view line = text.substr(start, stop - start);
        while (!line.empty()) {
            scratch.clear();
            AppendEscaped(scratch, line);
            std::size_t take = line.size();
            if (Columns(scratch) + 2 > kWidth) {
                // Break after the last space that keeps the piece within the width.
                std::size_t best = 0;
                for (std::size_t p = line.find(' ');
                     p != std::string_view::npos && p + 1 < line.size();
                     p = line.find(' ', p + 1)) {
                    scratch.clear();
                    AppendEscaped(scratch, line.substr(0, p + 1));
                    if (Columns(scratch) + 2 > kWidth)
                        break;
                    best = p + 1;
                }
                if (best != 0)
                    take = best;
            }
            scratch.clear();
            AppendEscaped(scratch, line.substr(0, take));
            out.append("\"").append(scratch).append("\"\n");
            line.remove_prefix(take);
        }
        start = stop;
    }
}

void AppendComment(std::string& out, std::string_view text) {
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        const std::string_view line = text.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        out.append(line.empty() ? "#.\n" : "#. ");
        if (!line.empty())
            out.append(line).append("\n");
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
}

bool EndsWithLf(std::string_view s) {
    return !s.empty() && s.back() == '\n';
}
bool StartsWithLf(std::string_view s) {
    return !s.empty() && s.front() == '\n';
}

void AppendHeader(std::string& out, const ExportOptions& options) {
    out += "# Strings of " + options.original + ", exported for translation.\n";
    out += "msgid \"\"\nmsgstr \"\"\n";
    out += "\"Project-Id-Version: " + options.original + "\\n\"\n";
    out += "\"Language: " + options.targetLanguage + "\\n\"\n";
    out += "\"MIME-Version: 1.0\\n\"\n";
    out += "\"Content-Type: text/plain; charset=UTF-8\\n\"\n";
    out += "\"Content-Transfer-Encoding: 8bit\\n\"\n";
}

} // namespace

std::vector<std::uint8_t> WritePo(const ExportSource& source, const ExportOptions& options) {
    std::string out;
    out.reserve(source.table().Body.size() * 80 + 256);
    AppendHeader(out, options);
    const bool translated = source.hasReference();
    std::string context, scratch;
    source.forEach([&](const ExportEntry& e) {
        // A later string of the same name cannot be told apart when the file is applied, and
        // gettext refuses two entries with the same context.
        if (!e.firstOfName)
            return;
        const std::string_view id = e.hasReference ? e.reference : e.value;
        const std::string_view str = translated && !e.untranslated ? e.value : std::string_view{};
        if (e.name.find('\0') != std::string_view::npos ||
            id.find('\0') != std::string_view::npos || str.find('\0') != std::string_view::npos)
            throw FormatError("The " + exchange::DescribeValue(e) +
                              " holds a NUL character, which a PO file cannot carry");
        out += '\n';
        if (e.hasExtra && !e.extra.empty())
            AppendComment(out, e.extra);
        // gettext requires msgid and msgstr to agree on a leading and a trailing line break;
        // where the source and the translation differ there, the entry is marked for review.
        if (!str.empty() &&
            (EndsWithLf(id) != EndsWithLf(str) || StartsWithLf(id) != StartsWithLf(str)))
            out += "#, fuzzy\n";
        context = exchange::PoContext(e.name, e.valueNumber);
        AppendPoString(out, "msgctxt", context, scratch);
        AppendPoString(out, "msgid", id, scratch);
        AppendPoString(out, "msgstr", str, scratch);
    });
    return {out.begin(), out.end()};
}

} // namespace vste
