// SPDX-License-Identifier: MIT
// XLSX import: libzip opens the workbook in memory, pugixml parses its parts. The first sheet
// of the workbook is read; cells hold shared strings (Excel, LibreOffice), inline strings
// (libxlsxwriter's streaming mode) or plain numbers (an index column a program took for numbers).
#include <zip.h>

#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <map>
#include <memory>

#include "exchange/CsvTable.h"
#include "exchange/Exchange.h"
#include "exchange/ExchangeText.h"
#include "exchange/ExchangeXml.h"

namespace vste {

namespace {

// No part of a workbook of a string table comes near these. A part is read in pieces and refused
// as soon as it inflates beyond the absolute cap (a sheet of 100,000 strings is about 20 MiB), or
// beyond kMaxRatio times its compressed size (the XML of a sheet compresses some tenfold to
// thirtyfold; a zip bomb a thousandfold); its declared size is trusted for nothing. Small parts
// may inflate as they like.
constexpr zip_uint64_t kMaxPartSize = zip_uint64_t{64} << 20;
constexpr zip_uint64_t kMaxRatio = 100;
constexpr zip_uint64_t kAlwaysAllowed = zip_uint64_t{4} << 20;
constexpr std::size_t kPiece = 64 * 1024;
// What the rows a workbook gives may hold in all: shared strings referenced by many cells would
// otherwise multiply.
constexpr std::size_t kMaxRowText = std::size_t{256} << 20;

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

class Workbook {
public:
    explicit Workbook(std::span<const std::uint8_t> data) {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source = zip_source_buffer_create(data.data(), data.size(), 0, &error);
        if (source != nullptr)
            m_archive.reset(zip_open_from_source(source, ZIP_RDONLY, &error));
        if (!m_archive) {
            if (source != nullptr)
                zip_source_free(source);
            const std::string reason = zip_error_strerror(&error);
            zip_error_fini(&error);
            throw ExchangeError("the file is not an XLSX workbook (not a zip archive: " + reason +
                                ")");
        }
        zip_error_fini(&error);
    }

    // The part's bytes; nullopt when the archive lacks it.
    std::optional<std::string> part(const std::string& name) const {
        zip_stat_t stat;
        if (zip_stat(m_archive.get(), name.c_str(), 0, &stat) != 0)
            return std::nullopt;
        // The sheet's part is named by the file, at any length.
        const std::string shown = exchange::Quote(name, false);
        zip_uint64_t cap = kMaxPartSize;
        if ((stat.valid & ZIP_STAT_COMP_SIZE) != 0 && stat.comp_size < kMaxPartSize / kMaxRatio)
            cap = std::max(kAlwaysAllowed, stat.comp_size * kMaxRatio);
        std::unique_ptr<zip_file_t, EntryCloser> file(zip_fopen(m_archive.get(), name.c_str(), 0));
        if (!file)
            throw ExchangeError(shown + ": the part cannot be read from the archive");
        std::string bytes;
        while (true) {
            const std::size_t had = bytes.size();
            bytes.resize(had + kPiece);
            const zip_int64_t got = zip_fread(file.get(), bytes.data() + had, kPiece);
            if (got < 0)
                throw ExchangeError(shown + ": the part is damaged");
            bytes.resize(had + static_cast<std::size_t>(got));
            if (bytes.size() > cap)
                throw ExchangeError(shown + ": the part is too large (it inflates beyond " +
                                    std::to_string(cap >> 20) + " MiB)");
            if (got == 0)
                break;
        }
        if ((stat.valid & ZIP_STAT_SIZE) != 0 && stat.size != bytes.size())
            throw ExchangeError(shown + ": the part is damaged");
        return bytes;
    }

    pugi::xml_document xml(const std::string& name, bool required) const {
        pugi::xml_document doc;
        const std::optional<std::string> bytes = part(name);
        if (!bytes) {
            if (required)
                throw ExchangeError("the file is not an XLSX workbook (it has no " +
                                    exchange::Quote(name, false) + ")");
            return doc;
        }
        const pugi::xml_parse_result parsed =
            doc.load_buffer(bytes->data(), bytes->size(), exchange::kRawXmlParse);
        if (!parsed)
            throw ExchangeError(exchange::Quote(name, false) + " line " +
                                std::to_string(exchange::LineOfOffset(
                                    *bytes, static_cast<std::size_t>(parsed.offset))) +
                                ": " + parsed.description());
        return doc;
    }

private:
    std::unique_ptr<zip_t, ArchiveCloser> m_archive;
};

// "xl/worksheets/sheet1.xml" for the first sheet the workbook lists.
std::string FirstSheetPart(const Workbook& workbook) {
    const pugi::xml_document book = workbook.xml("xl/workbook.xml", true);
    const pugi::xml_node sheet = book.child("workbook").child("sheets").child("sheet");
    if (!sheet)
        throw ExchangeError("xl/workbook.xml: the workbook has no sheet");
    const std::string id = sheet.attribute("r:id").value();
    const pugi::xml_document rels = workbook.xml("xl/_rels/workbook.xml.rels", false);
    for (pugi::xml_node r : rels.child("Relationships").children("Relationship")) {
        if (id != r.attribute("Id").value())
            continue;
        std::string target =
            exchange::DecodeXml(r.attribute("Target").value(), "xl/_rels/workbook.xml.rels");
        if (!target.empty() && target.front() == '/')
            return target.substr(1);
        return "xl/" + target;
    }
    return "xl/worksheets/sheet1.xml";
}

// The text of a string item as written, references undecoded: <t> directly, or the <t> of each
// rich-text run; phonetic hints (<rPh>) are not part of the text.
std::string RawItemText(pugi::xml_node item) {
    std::string text;
    for (pugi::xml_node child : item.children()) {
        if (std::string_view(child.name()) == "t")
            text += child.text().get();
        else if (std::string_view(child.name()) == "r")
            text += child.child("t").text().get();
    }
    return text;
}

// Kept as written: each is decoded when a cell of a wanted column uses it, so that a fault is
// reported with that cell.
std::vector<std::string> SharedStrings(const Workbook& workbook) {
    const pugi::xml_document doc = workbook.xml("xl/sharedStrings.xml", false);
    std::vector<std::string> strings;
    for (pugi::xml_node si : doc.child("sst").children("si"))
        strings.push_back(RawItemText(si));
    return strings;
}

// 0-based column of a reference such as "AB12"; -1 when it has no letters.
int ColumnOf(std::string_view ref) {
    int column = 0;
    std::size_t i = 0;
    for (; i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z' && column < 100000; ++i)
        column = column * 26 + (ref[i] - 'A' + 1);
    return i == 0 ? -1 : column - 1;
}

std::string CellName(int column, std::size_t row) {
    std::string letters;
    for (int c = column + 1; c > 0; c = (c - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
    return letters + std::to_string(row);
}

std::string SharedString(const std::string& value, const std::vector<std::string>& shared,
                         const std::string& where) {
    std::size_t index = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), index);
    if (value.empty() || error != std::errc() || end != value.data() + value.size())
        throw ExchangeError(where + ": the shared string index " + exchange::Quote(value) +
                            " is not a whole number");
    if (index >= shared.size())
        throw ExchangeError(where + ": shared string " + value + " does not exist");
    return exchange::XlsxUnescape(exchange::DecodeXml(shared[index], where));
}

std::string CellText(pugi::xml_node cell, const std::vector<std::string>& shared,
                     const std::string& where) {
    const std::string_view type = cell.attribute("t").value();
    std::string text;
    if (type == "inlineStr") {
        text = exchange::XlsxUnescape(exchange::DecodeXml(RawItemText(cell.child("is")), where));
    } else {
        const std::string value = exchange::DecodeXml(cell.child("v").text().get(), where);
        text = type == "s"     ? SharedString(value, shared, where)
               : type == "str" ? exchange::XlsxUnescape(value)
                               : value;
    }
    if (exchange::FindInvalidUtf8(text))
        throw ExchangeError(where + ": the text is not UTF-8");
    return text;
}

// Reads the sheet row by row, keeping only the cells a row holds in the columns it is asked for.
class SheetReader {
public:
    SheetReader(const Workbook& workbook, const std::string& part)
        : m_shared(SharedStrings(workbook)), m_doc(workbook.xml(part, true)) {
        const pugi::xml_node data = m_doc.child("worksheet").child("sheetData");
        m_row = data.child("row");
    }

    // The next row's number and its cells in `wanted` columns (all columns when empty), by
    // column; false after the last row.
    bool next(std::size_t& number, std::map<int, std::string>& cells,
              const std::vector<int>& wanted) {
        if (!m_row)
            return false;
        cells.clear();
        number = m_row.attribute("r").as_ullong(m_number + 1);
        m_number = number;
        int column = 0;
        for (pugi::xml_node cell : m_row.children("c")) {
            if (cell.attribute("r"))
                column = ColumnOf(cell.attribute("r").value());
            if (column < 0 || column >= 16384)
                throw ExchangeError("row " + std::to_string(number) +
                                    ": a cell reference is not valid");
            if (wanted.empty() || std::find(wanted.begin(), wanted.end(), column) != wanted.end()) {
                std::string text = CellText(cell, m_shared, "cell " + CellName(column, number));
                m_total += text.size();
                if (m_total > kMaxRowText)
                    throw ExchangeError("cell " + CellName(column, number) +
                                        ": the sheet is too large (its cells hold over " +
                                        std::to_string(kMaxRowText >> 20) + " MiB of text)");
                cells[column] = std::move(text);
            }
            ++column;
        }
        m_row = m_row.next_sibling("row");
        return true;
    }

private:
    std::vector<std::string> m_shared;
    pugi::xml_document m_doc;
    pugi::xml_node m_row;
    std::size_t m_number = 0;
    std::size_t m_total = 0;
};

std::vector<ImportRow> ReadSheet(const Workbook& workbook) {
    SheetReader sheet(workbook, FirstSheetPart(workbook));
    std::size_t number = 0;
    std::map<int, std::string> cells;
    if (!sheet.next(number, cells, {}))
        throw ExchangeError("cell A1: the sheet is empty (expected the header row name, index, "
                            "reference, value, extra)");
    std::vector<std::string> header(cells.empty() ? 0 : cells.rbegin()->first + 1);
    for (auto& [column, text] : cells)
        header[static_cast<std::size_t>(column)] = std::move(text);
    const exchange::ExchangeColumns columns =
        exchange::FindColumns(header, "row " + std::to_string(number));
    const std::vector<int> wanted = {columns.name, columns.index, columns.value, columns.extra};
    std::vector<ImportRow> rows;
    while (sheet.next(number, cells, wanted)) {
        const auto name = cells.find(columns.name);
        const auto index = cells.find(columns.index);
        if ((name == cells.end() || name->second.empty()) &&
            (index == cells.end() || index->second.empty()))
            continue; // an empty or formatting-only row
        ImportRow row;
        row.valueNumber =
            exchange::ParseValueNumber(index != cells.end() ? index->second : std::string{},
                                       "cell " + CellName(columns.index, number));
        if (name != cells.end())
            row.name = std::move(name->second);
        if (const auto value = cells.find(columns.value); value != cells.end())
            row.value = std::move(value->second);
        if (const auto extra = cells.find(columns.extra);
            columns.extra >= 0 && extra != cells.end())
            row.extra = std::move(extra->second);
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

std::vector<ImportRow> ReadXlsx(std::span<const std::uint8_t> data, const ImportOptions& options) {
    (void)options;
    return exchange::WithMemoryGuard([&] {
        const Workbook workbook(data);
        return ReadSheet(workbook);
    });
}

} // namespace vste
