// SPDX-License-Identifier: MIT
// gettext PO import: entries of msgctxt, msgid and msgstr with continuation strings; comments,
// obsolete entries (#~) and the header entry are skipped. The msgctxt names the string and
// value (see PoName.h); the msgstr is the new value.

#include "exchange/Exchange.h"
#include "exchange/ExchangeText.h"
#include "exchange/ExchangeXml.h"
#include "exchange/PoName.h"

namespace vste {

namespace {

struct PoEntry {
    std::optional<std::string> context, id, str;
    bool plural = false;
    std::size_t line = 0;
};

class PoParser {
public:
    explicit PoParser(std::vector<ImportRow>& rows) : m_rows(rows) {}

    void line(std::string_view text, std::size_t number) {
        m_line = number;
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
            text.remove_prefix(1);
        if (text.empty() || text.front() == '#') {
            if (m_entry.str)
                finish();
            m_target = nullptr;
            return;
        }
        if (text.front() == '"') {
            if (m_target == nullptr)
                fail("a string without a keyword before it");
            *m_target += quoted(text);
            return;
        }
        keyword(text);
    }

    // Whether an entry naming a value was read (the header entry does not count).
    bool sawEntry() const { return !m_rows.empty(); }

    void end() {
        m_line += 1;
        if (m_entry.context || m_entry.id || m_entry.str)
            finish();
    }

private:
    [[noreturn]] void fail(const std::string& reason) const {
        throw ExchangeError("line " + std::to_string(m_line) + ": " + reason);
    }

    void keyword(std::string_view text) {
        const std::size_t space = text.find_first_of(" \t");
        const std::string_view word = text.substr(0, space);
        const std::string_view rest =
            space == std::string_view::npos ? std::string_view{} : text.substr(space + 1);
        const bool startsEntry = word == "msgctxt" || word == "msgid";
        if (startsEntry && m_entry.str)
            finish();
        if (!m_entry.context && !m_entry.id && !m_entry.str)
            m_entry.line = m_line;
        std::optional<std::string>* slot = nullptr;
        if (word == "msgctxt") {
            if (m_entry.context || m_entry.id)
                fail("msgctxt after msgctxt or msgid of the same entry");
            slot = &m_entry.context;
        } else if (word == "msgid") {
            if (m_entry.id)
                fail("a second msgid without a msgstr");
            slot = &m_entry.id;
        } else if (word == "msgstr" || word.rfind("msgstr[", 0) == 0 || word == "msgid_plural") {
            if (!m_entry.id)
                fail(std::string(word) + " without a msgid");
            m_entry.plural = m_entry.plural || word != "msgstr";
            slot = &m_entry.str;
            if (m_entry.str) { // further plural forms: the first one stands
                m_scratch.emplace();
                slot = &m_scratch;
            }
        } else {
            fail("unknown keyword " + exchange::Quote(word));
        }
        slot->emplace(quoted(rest));
        m_target = &**slot;
    }

    std::string quoted(std::string_view text) {
        while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
            text.remove_suffix(1);
        if (text.size() < 2 || text.front() != '"' || text.back() != '"')
            fail("a string must stand in double quotes");
        std::string out;
        for (std::size_t i = 1; i + 1 < text.size(); ++i) {
            char c = text[i];
            if (c == '"')
                fail("a quote inside a string must be written \\\"");
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (++i + 1 >= text.size())
                fail("the string ends with a lone backslash");
            c = text[i];
            static constexpr std::string_view kFrom = "\\\"ntrabfv?'";
            static constexpr std::string_view kTo = "\\\"\n\t\r\a\b\f\v?'";
            if (const std::size_t k = kFrom.find(c); k != std::string_view::npos) {
                out.push_back(kTo[k]);
            } else if (c >= '0' && c <= '7') {
                unsigned v = 0;
                for (int n = 0; n < 3 && i + 1 < text.size() && text[i] >= '0' && text[i] <= '7';
                     ++n, ++i)
                    v = v * 8 + static_cast<unsigned>(text[i] - '0');
                --i;
                if (v == 0 || v > 0x7F)
                    fail("an octal escape outside 1-177");
                out.push_back(static_cast<char>(v));
            } else {
                fail(std::string("unknown escape \\") + c);
            }
        }
        return out;
    }

    void finish() {
        PoEntry entry = std::move(m_entry);
        m_entry = PoEntry{};
        m_target = nullptr;
        if (!entry.id || !entry.str)
            throw ExchangeError("line " + std::to_string(entry.line) +
                                ": the entry lacks a msgid or a msgstr");
        if (!entry.context) {
            if (!entry.id->empty())
                throw ExchangeError("line " + std::to_string(entry.line) +
                                    ": an entry without msgctxt does not name a string");
            checkHeader(*entry.str, entry.line);
            return;
        }
        if (entry.plural)
            throw ExchangeError("line " + std::to_string(entry.line) +
                                ": plural entries cannot be applied to a string table");
        auto [name, number] = exchange::ParsePoContext(*entry.context);
        if (number == 0)
            throw ExchangeError("line " + std::to_string(entry.line) +
                                ": the value number of msgctxt " + exchange::Quote(*entry.context) +
                                (entry.context->find_last_not_of('0') == entry.context->rfind('#')
                                     ? " is 0; value numbers count from 1"
                                     : " is too large"));
        ImportRow row;
        row.name = std::move(name);
        row.valueNumber = number;
        row.value = std::move(*entry.str);
        m_rows.push_back(std::move(row));
    }

    static void checkHeader(const std::string& header, std::size_t line) {
        const std::string lower = exchange::Lower(header);
        const std::size_t at = lower.find("charset=");
        if (at == std::string::npos)
            return;
        const std::string charset = lower.substr(at + 8, lower.find_first_of(" ;\n", at) - at - 8);
        if (charset != "utf-8" && charset != "utf8" && charset != "charset")
            throw ExchangeError("line " + std::to_string(line) + ": the file declares charset " +
                                exchange::Quote(charset, false) + "; only UTF-8 PO files are read");
    }

    std::vector<ImportRow>& m_rows;
    PoEntry m_entry;
    std::string* m_target = nullptr;
    std::optional<std::string> m_scratch;
    std::size_t m_line = 0;
};

} // namespace

std::vector<ImportRow> ReadPo(std::span<const std::uint8_t> data, const ImportOptions& options) {
    (void)options;
    return exchange::WithMemoryGuard([&] {
        const std::string_view text =
            exchange::WithoutBom({reinterpret_cast<const char*>(data.data()), data.size()});
        exchange::RequireUtf8(text);
        std::vector<ImportRow> rows;
        PoParser parser(rows);
        std::size_t start = 0;
        std::size_t number = 1;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string_view::npos)
                end = text.size();
            parser.line(text.substr(start, end - start), number++);
            start = end + 1;
        }
        parser.end();
        // Like the other formats, a file with nothing to apply is not taken for an exchange file.
        if (!parser.sawEntry())
            throw ExchangeError("line 1: the file has no entries (expected msgctxt, msgid and "
                                "msgstr of each value)");
        return rows;
    });
}

} // namespace vste
