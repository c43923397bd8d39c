// SPDX-License-Identifier: MIT
// XLSX import: libzip opens the workbook in memory, pugixml parses its parts. The first sheet
// of the workbook is read; cells hold shared strings (Excel, LibreOffice), inline strings
// (libxlsxwriter's streaming mode) or plain numbers (an index column a program took for numbers).
#include <zip.h>

#include <pugixml.hpp>

#include <map>
#include <memory>

#include "exchange/CsvTable.h"
#include "exchange/Exchange.h"
#include "exchange/ExchangeText.h"

namespace vste {

namespace {

// No part of a workbook of a string table comes near this; a larger one is refused before its
// bytes are inflated.
constexpr zip_uint64_t kMaxPartSize = zip_uint64_t{1} << 30;

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
        if ((stat.valid & ZIP_STAT_SIZE) == 0 || stat.size > kMaxPartSize)
            throw ExchangeError(name + ": the part is larger than a workbook of strings can be");
        std::unique_ptr<zip_file_t, EntryCloser> file(zip_fopen(m_archive.get(), name.c_str(), 0));
        if (!file)
            throw ExchangeError(name + ": the part cannot be read from the archive");
        std::string bytes(static_cast<std::size_t>(stat.size), '\0');
        const zip_int64_t got = zip_fread(file.get(), bytes.data(), stat.size);
        if (got < 0 || static_cast<zip_uint64_t>(got) != stat.size)
            throw ExchangeError(name + ": the part is damaged");
        return bytes;
    }

    pugi::xml_document xml(const std::string& name, bool required) const {
        pugi::xml_document doc;
        const std::optional<std::string> bytes = part(name);
        if (!bytes) {
            if (required)
                throw ExchangeError("the file is not an XLSX workbook (it has no " + name + ")");
            return doc;
        }
        const pugi::xml_parse_result parsed = doc.load_buffer(bytes->data(), bytes->size());
        if (!parsed)
            throw ExchangeError(name + " line " +
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
        std::string target = r.attribute("Target").value();
        if (!target.empty() && target.front() == '/')
            return target.substr(1);
        return "xl/" + target;
    }
    return "xl/worksheets/sheet1.xml";
}

// The text of a string item: <t> directly, or the <t> of each rich-text run; phonetic hints
// (<rPh>) are not part of the text.
std::string ItemText(pugi::xml_node item) {
    std::string text;
    for (pugi::xml_node child : item.children()) {
        if (std::string_view(child.name()) == "t")
            text += child.text().get();
        else if (std::string_view(child.name()) == "r")
            text += child.child("t").text().get();
    }
    return exchange::XlsxUnescape(text);
}

std::vector<std::string> SharedStrings(const Workbook& workbook) {
    const pugi::xml_document doc = workbook.xml("xl/sharedStrings.xml", false);
    std::vector<std::string> strings;
    for (pugi::xml_node si : doc.child("sst").children("si"))
        strings.push_back(ItemText(si));
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

std::string RawCellText(pugi::xml_node cell, const std::vector<std::string>& shared,
                        const std::string& where) {
    const std::string_view type = cell.attribute("t").value();
    if (type == "inlineStr")
        return ItemText(cell.child("is"));
    const std::string value = cell.child("v").text().get();
    if (type != "s")
        return type == "str" ? exchange::XlsxUnescape(value) : value;
    const std::size_t index = cell.child("v").text().as_ullong(shared.size());
    if (index >= shared.size())
        throw ExchangeError("cell " + where + ": shared string " + value + " does not exist");
    return shared[index];
}

std::string CellText(pugi::xml_node cell, const std::vector<std::string>& shared,
                     const std::string& where) {
    std::string text = RawCellText(cell, shared, where);
    if (exchange::FindInvalidUtf8(text))
        throw ExchangeError("cell " + where + ": the text is not UTF-8");
    return text;
}

struct SheetRow {
    std::size_t number = 0;
    std::vector<std::string> cells;
};

std::vector<SheetRow> SheetRows(const Workbook& workbook, const std::string& part) {
    const std::vector<std::string> shared = SharedStrings(workbook);
    const pugi::xml_document doc = workbook.xml(part, true);
    std::vector<SheetRow> rows;
    for (pugi::xml_node row : doc.child("worksheet").child("sheetData").children("row")) {
        SheetRow out;
        out.number = row.attribute("r").as_ullong(rows.empty() ? 1 : rows.back().number + 1);
        int next = 0;
        for (pugi::xml_node cell : row.children("c")) {
            const int column = cell.attribute("r") ? ColumnOf(cell.attribute("r").value()) : next;
            if (column < 0 || column >= 16384)
                throw ExchangeError("row " + std::to_string(out.number) +
                                    ": a cell reference is not valid");
            if (out.cells.size() <= static_cast<std::size_t>(column))
                out.cells.resize(static_cast<std::size_t>(column) + 1);
            out.cells[static_cast<std::size_t>(column)] =
                CellText(cell, shared, CellName(column, out.number));
            next = column + 1;
        }
        rows.push_back(std::move(out));
    }
    return rows;
}

} // namespace

std::vector<ImportRow> ReadXlsx(std::span<const std::uint8_t> data, const ImportOptions& options) {
    (void)options;
    const Workbook workbook(data);
    std::vector<SheetRow> sheet = SheetRows(workbook, FirstSheetPart(workbook));
    if (sheet.empty())
        throw ExchangeError("cell A1: the sheet is empty (expected the header row name, index, "
                            "reference, value, extra)");
    const exchange::ExchangeColumns columns =
        exchange::FindColumns(sheet.front().cells, "row " + std::to_string(sheet.front().number));
    const auto cell = [](SheetRow& row, int column) -> std::string* {
        return static_cast<std::size_t>(column) < row.cells.size()
                   ? &row.cells[static_cast<std::size_t>(column)]
                   : nullptr;
    };
    std::vector<ImportRow> rows;
    rows.reserve(sheet.size());
    for (std::size_t i = 1; i < sheet.size(); ++i) {
        SheetRow& r = sheet[i];
        std::string* name = cell(r, columns.name);
        std::string* index = cell(r, columns.index);
        if ((name == nullptr || name->empty()) && (index == nullptr || index->empty()))
            continue; // an empty or formatting-only row
        ImportRow row;
        row.valueNumber = exchange::ParseValueNumber(index != nullptr ? *index : std::string{},
                                                     "cell " + CellName(columns.index, r.number));
        if (name != nullptr)
            row.name = std::move(*name);
        if (std::string* value = cell(r, columns.value))
            row.value = std::move(*value);
        if (columns.extra >= 0)
            if (std::string* extra = cell(r, columns.extra))
                row.extra = std::move(*extra);
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace vste
