// SPDX-License-Identifier: MIT
// Exchange files for translators' tools (CSV, XLSX, gettext PO, XLIFF 1.2): what a writer is
// given for every value of a table, what a reader hands back, and the one table of exchange
// formats, chosen by file extension like the string table formats.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Errors.h"
#include "core/Model.h"

namespace vste {

// A malformed exchange file. what() starts with the place ("line 12: ", "cell C4: ") and gives
// the reason; the caller adds the file's name.
class ExchangeError : public DocumentError {
public:
    using DocumentError::DocumentError;
};

// The reference table's string for a string of the exported table; nullptr when it has none.
using ReferenceLookup = std::function<const TText*(const TText& string)>;

// One value of the exported table, as UTF-8. Views are valid only during the callback.
struct ExportEntry {
    std::uint32_t stringIndex = 0; // 0-based position in the table
    std::uint32_t valueNumber = 1; // 1-based
    std::string_view name;
    std::string_view value;
    std::string_view reference; // the reference's value with the same number; empty when none
    bool hasReference = false;  // the reference holds this string and value number
    // With a reference table: the value is empty or exactly the reference's value, so it still
    // needs translating (PO writes an empty msgstr, XLIFF marks the target).
    bool untranslated = false;
    std::string_view extra;
    bool hasExtra = false;
    // False for a later string whose name is byte for byte that of an earlier one.
    bool firstOfName = true;
};

struct ExportOptions {
    char separator = ',';
    std::string sourceLanguage = "en";
    std::string targetLanguage;       // empty: not stated
    std::string original = "strings"; // the table's file name, for XLIFF's `original`
};

// The values of a table in order, converted to UTF-8 with names and extra values shown through
// the active code page.
class ExportSource {
public:
    // `reference` may be empty (no reference table).
    ExportSource(const TWestwoodStrings& table, ReferenceLookup reference);

    bool hasReference() const { return static_cast<bool>(m_reference); }
    const TWestwoodStrings& table() const { return m_table; }
    // Calls `visit` for every value. Throws FormatError naming the string for a value that is not
    // valid UTF-16 (an unpaired surrogate), which no exchange format can carry.
    void forEach(const std::function<void(const ExportEntry&)>& visit) const;

private:
    const TWestwoodStrings& m_table;
    ReferenceLookup m_reference;
};

// One value read back from an exchange file, as UTF-8.
struct ImportRow {
    std::string name;
    std::uint32_t valueNumber = 1; // 1-based
    std::string value;             // empty: leave the value as it is
    std::optional<std::string> extra;
};

struct ImportOptions {
    char separator = 0; // CSV: 0 finds comma, semicolon or tab from the header row
};

enum class ExchangeFormat { Csv, Xlsx, Po, Xliff };

struct ExchangeFormatInfo {
    ExchangeFormat id;
    std::string_view shortName;               // "csv", "xlsx", "po", "xliff"
    std::vector<std::string_view> extensions; // lower-case, with the dot
    std::string_view filter;                  // "CSV files (*.csv)"
    bool carriesExtras;                       // a reader's extra values are applied
    // Throws FormatError when a value cannot be written in the format (the message names the
    // string).
    std::vector<std::uint8_t> (*write)(const ExportSource& source, const ExportOptions& options);
    // Throws ExchangeError for a malformed file.
    std::vector<ImportRow> (*read)(std::span<const std::uint8_t> data,
                                   const ImportOptions& options);
};

const std::vector<ExchangeFormatInfo>& ExchangeFormats();
const ExchangeFormatInfo* FindExchangeFormatByName(std::string_view shortName);
// By the extension, case-insensitive: .csv, .xlsx, .po, .pot, .xlf, .xliff.
const ExchangeFormatInfo* FindExchangeFormatByFileName(std::string_view fileName);
// Every exchange extension in the table's order, each as `prefix` + ".csv", joined by
// `separator`: ".csv, .xlsx, …" for a message, "*.csv; *.xlsx; …" for a file dialog.
std::string ExchangeExtensionList(std::string_view prefix, std::string_view separator);

// The writers and readers the table lists.
std::vector<std::uint8_t> WriteCsv(const ExportSource& source, const ExportOptions& options);
std::vector<ImportRow> ReadCsv(std::span<const std::uint8_t> data, const ImportOptions& options);
std::vector<std::uint8_t> WriteXlsx(const ExportSource& source, const ExportOptions& options);
std::vector<ImportRow> ReadXlsx(std::span<const std::uint8_t> data, const ImportOptions& options);
std::vector<std::uint8_t> WritePo(const ExportSource& source, const ExportOptions& options);
std::vector<ImportRow> ReadPo(std::span<const std::uint8_t> data, const ImportOptions& options);
std::vector<std::uint8_t> WriteXliff(const ExportSource& source, const ExportOptions& options);
std::vector<ImportRow> ReadXliff(std::span<const std::uint8_t> data, const ImportOptions& options);

} // namespace vste
