// SPDX-License-Identifier: MIT
// CSV as RFC 4180 describes it, in UTF-8 with a byte-order mark so that spreadsheet programs
// recognise the encoding. Records end with CR LF; a field is quoted when it holds the separator,
// a quote, CR, LF or an edge space, so line ends inside values come back exactly as written.
#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

#include "exchange/CsvTable.h"
#include "exchange/Exchange.h"
#include "exchange/ExchangeText.h"
#include "exchange/ExchangeXml.h"

namespace vste {

namespace {

void AppendField(std::string& out, std::string_view field, char separator) {
    const bool quote =
        field.find_first_of(std::string{separator, '"', '\r', '\n'}) != std::string_view::npos ||
        (!field.empty() && (field.front() == ' ' || field.back() == ' '));
    if (!quote) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (char c : field) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

// Reads records one at a time, counting lines for error messages.
class CsvParser {
public:
    CsvParser(std::string_view text, char separator) : m_text(text), m_separator(separator) {}

    // The next record's fields; false at the end of the text. Throws ExchangeError for broken
    // quoting.
    bool next(std::vector<std::string>& fields) {
        if (m_pos >= m_text.size())
            return false;
        m_recordLine = m_line;
        std::size_t count = 0;
        while (true) {
            if (fields.size() <= count)
                fields.emplace_back();
            std::string& field = fields[count++];
            field.clear();
            const char end = readField(field);
            if (end != m_separator)
                break;
        }
        fields.resize(count);
        return true;
    }
    std::size_t recordLine() const { return m_recordLine; }

private:
    [[noreturn]] void fail(std::size_t line, const std::string& reason) const {
        throw ExchangeError("line " + std::to_string(line) + ": " + reason);
    }

    // Consumes what ends a field: the separator, a line end (returned as '\n') or the end.
    char consumeEnd() {
        if (m_pos >= m_text.size())
            return '\n';
        const char c = m_text[m_pos++];
        if (c == m_separator)
            return c;
        if (c == '\r' && m_pos < m_text.size() && m_text[m_pos] == '\n')
            ++m_pos;
        ++m_line;
        return '\n';
    }

    char readField(std::string& field) {
        if (m_pos < m_text.size() && m_text[m_pos] == '"')
            return readQuoted(field);
        const std::size_t start = m_pos;
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (c == m_separator || c == '\r' || c == '\n')
                break;
            if (c == '"')
                fail(m_line, "a quote inside an unquoted field (quote the field and double the "
                             "quote)");
            ++m_pos;
        }
        field.assign(m_text.substr(start, m_pos - start));
        return consumeEnd();
    }

    char readQuoted(std::string& field) {
        const std::size_t openLine = m_line;
        ++m_pos;
        while (true) {
            const std::size_t quote = m_text.find('"', m_pos);
            if (quote == std::string_view::npos)
                fail(openLine, "a quoted field is not closed");
            const std::string_view part = m_text.substr(m_pos, quote - m_pos);
            m_line += static_cast<std::size_t>(std::count(part.begin(), part.end(), '\n'));
            field.append(part);
            m_pos = quote + 1;
            if (m_pos < m_text.size() && m_text[m_pos] == '"') {
                field.push_back('"');
                ++m_pos;
                continue;
            }
            break;
        }
        if (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (c != m_separator && c != '\r' && c != '\n')
                fail(m_line, "text after the closing quote of a field");
        }
        return consumeEnd();
    }

    std::string_view m_text;
    char m_separator;
    std::size_t m_pos = 0;
    std::size_t m_line = 1;
    std::size_t m_recordLine = 1;
};

char DetectSeparator(std::string_view text) {
    const std::string_view first = text.substr(0, text.find('\n'));
    char best = ',';
    std::size_t bestCount = 0;
    for (char c : {',', ';', '\t'}) {
        const auto n = static_cast<std::size_t>(std::count(first.begin(), first.end(), c));
        if (n > bestCount) {
            best = c;
            bestCount = n;
        }
    }
    return best;
}

} // namespace

namespace exchange {

std::string NormalizedHeader(std::string_view header) {
    while (!header.empty() && std::isspace(static_cast<unsigned char>(header.front())))
        header.remove_prefix(1);
    while (!header.empty() && std::isspace(static_cast<unsigned char>(header.back())))
        header.remove_suffix(1);
    return Lower(header);
}

ExchangeColumns FindColumns(const std::vector<std::string>& header, const std::string& where) {
    ExchangeColumns columns;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string h = NormalizedHeader(header[i]);
        int* slot = h == "name"    ? &columns.name
                    : h == "index" ? &columns.index
                    : h == "value" ? &columns.value
                    : h == "extra" ? &columns.extra
                                   : nullptr;
        if (slot != nullptr && *slot < 0)
            *slot = static_cast<int>(i);
    }
    for (const auto& [column, label] :
         {std::pair{columns.name, "name"}, std::pair{columns.index, "index"},
          std::pair{columns.value, "value"}})
        if (column < 0)
            throw ExchangeError(where + ": the header has no \"" + label +
                                "\" column (expected name, index, reference, value, extra)");
    return columns;
}

std::uint32_t ParseValueNumber(std::string_view text, const std::string& where) {
    std::uint32_t n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc() || end != text.data() + text.size() || n == 0)
        throw ExchangeError(where + ": the index " + Quote(text) +
                            " is not a value number (1, 2, ...)");
    return n;
}

} // namespace exchange

std::vector<std::uint8_t> WriteCsv(const ExportSource& source, const ExportOptions& options) {
    const char sep = options.separator;
    std::string out = "\xEF\xBB\xBF";
    out.reserve(source.table().Body.size() * 48 + 64);
    for (std::string_view h : {"name", "index", "reference", "value", "extra"}) {
        out.append(h);
        out.push_back(h == "extra" ? '\r' : sep);
    }
    out.push_back('\n');
    source.forEach([&](const ExportEntry& e) {
        AppendField(out, e.name, sep);
        out.push_back(sep);
        out.append(std::to_string(e.valueNumber));
        out.push_back(sep);
        AppendField(out, e.reference, sep);
        out.push_back(sep);
        AppendField(out, e.value, sep);
        out.push_back(sep);
        AppendField(out, e.hasExtra ? e.extra : std::string_view{}, sep);
        out.append("\r\n");
    });
    return {out.begin(), out.end()};
}

std::vector<ImportRow> ReadCsv(std::span<const std::uint8_t> data, const ImportOptions& options) {
    return exchange::WithMemoryGuard([&] {
        const std::string_view text =
            exchange::WithoutBom({reinterpret_cast<const char*>(data.data()), data.size()});
        exchange::RequireUtf8(text);
        CsvParser parser(text, options.separator != 0 ? options.separator : DetectSeparator(text));
        std::vector<std::string> fields;
        if (!parser.next(fields))
            throw ExchangeError("line 1: the file is empty (expected the header row name, index, "
                                "reference, value, extra)");
        const exchange::ExchangeColumns columns = exchange::FindColumns(fields, "line 1");
        const auto needed =
            static_cast<std::size_t>(std::max({columns.name, columns.index, columns.value}));

        std::vector<ImportRow> rows;
        while (parser.next(fields)) {
            if (fields.size() == 1 && fields[0].empty())
                continue; // a blank line
            const std::string where = "line " + std::to_string(parser.recordLine());
            if (fields.size() <= needed)
                throw ExchangeError(where + ": the row has " + std::to_string(fields.size()) +
                                    " fields, fewer than the header's columns need");
            ImportRow row;
            row.name = std::move(fields[static_cast<std::size_t>(columns.name)]);
            row.valueNumber =
                exchange::ParseValueNumber(fields[static_cast<std::size_t>(columns.index)], where);
            row.value = std::move(fields[static_cast<std::size_t>(columns.value)]);
            if (columns.extra >= 0 && static_cast<std::size_t>(columns.extra) < fields.size())
                row.extra = std::move(fields[static_cast<std::size_t>(columns.extra)]);
            rows.push_back(std::move(row));
        }
        return rows;
    });
}

} // namespace vste

namespace vste::exchange {

void ForEachCsvRecord(
    std::span<const std::uint8_t> data,
    const std::function<void(std::size_t line, std::vector<std::string>& fields)>& visit) {
    const std::string_view text =
        WithoutBom({reinterpret_cast<const char*>(data.data()), data.size()});
    RequireUtf8(text);
    CsvParser parser(text, DetectSeparator(text));
    std::vector<std::string> fields;
    while (parser.next(fields))
        visit(parser.recordLine(), fields);
}

} // namespace vste::exchange
