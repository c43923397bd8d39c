// SPDX-License-Identifier: MIT
// XLSX export through libxlsxwriter: the CSV columns on one sheet, a bold frozen header, every
// cell a text cell (a value starting with '=' stays text), and fixed column widths.
#include <xlsxwriter.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#ifndef _WIN32
#include <unistd.h>
#endif

#include "core/FileIO.h"
#include "exchange/Exchange.h"
#include "exchange/ExchangeText.h"

namespace vste {

namespace {

constexpr lxw_row_t kMaxRows = 1048576;
constexpr std::size_t kMaxCellChars = 32767;

// libxlsxwriter writes only to a named file: a private temporary file, removed in every case.
class TemporaryFile {
public:
    TemporaryFile() {
        const std::filesystem::path folder = std::filesystem::temp_directory_path();
#ifdef _WIN32
        // A fresh name; libxlsxwriter opens it itself, taking the name as UTF-8.
        std::random_device rd;
        std::filesystem::path path;
        std::error_code ec;
        do
            path = folder / ("vste-xlsx-" + std::to_string(rd()) + std::to_string(rd()));
        while (std::filesystem::exists(path, ec));
        m_path = Utf8Name(path);
#else
        std::string pattern = Utf8Name(folder / "vste-xlsx-XXXXXX");
        const int fd = mkstemp(pattern.data());
        if (fd < 0)
            throw FileError("Cannot create a temporary file for the workbook in \"" +
                            Utf8Name(folder) + "\"");
        close(fd);
        m_path = pattern;
#endif
    }
    ~TemporaryFile() {
        std::error_code ignored;
        std::filesystem::remove(PathFromUtf8(m_path), ignored);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& path() const {
        return m_path;
    }

private:
    std::string m_path;
};

struct WorkbookCloser {
    void operator()(lxw_workbook* workbook) const { workbook_close(workbook); }
};

std::size_t CharCount(std::string_view utf8) {
    std::size_t n = 0;
    for (char c : utf8)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

class SheetWriter {
public:
    SheetWriter(lxw_workbook* workbook, lxw_worksheet* sheet) : m_sheet(sheet) {
        m_bold = workbook_add_format(workbook);
        format_set_bold(m_bold);
        format_set_num_format(m_bold, "@");
        m_text = workbook_add_format(workbook);
        format_set_num_format(m_text, "@");
        const double widths[] = {32, 8, 48, 48, 20};
        for (lxw_col_t c = 0; c < 5; ++c)
            worksheet_set_column(sheet, c, c, widths[c], m_text);
        worksheet_freeze_panes(sheet, 1, 0);
    }

    void header() {
        const char* names[] = {"name", "index", "reference", "value", "extra"};
        for (lxw_col_t c = 0; c < 5; ++c)
            worksheet_write_string(m_sheet, 0, c, names[c], m_bold);
    }

    void row(const ExportEntry& e) {
        if (++m_row >= kMaxRows)
            throw FormatError("An XLSX sheet holds at most 1048575 values; the table has more");
        const std::string index = std::to_string(e.valueNumber);
        const std::string_view cells[] = {e.name, index, e.reference, e.value,
                                          e.hasExtra ? e.extra : std::string_view{}};
        for (lxw_col_t c = 0; c < 5; ++c) {
            if (cells[c].empty())
                continue;
            if (CharCount(cells[c]) > kMaxCellChars)
                throw FormatError("The " + exchange::DescribeValue(e) +
                                  " is longer than the 32767 characters a workbook cell holds");
            m_cell.clear();
            exchange::AppendXlsxEscaped(m_cell, cells[c]);
            const lxw_error error =
                worksheet_write_string(m_sheet, m_row, c, m_cell.c_str(), m_text);
            if (error != LXW_NO_ERROR)
                throw FormatError("Cannot write the " + exchange::DescribeValue(e) +
                                  " to the workbook: " + lxw_strerror(error));
        }
    }

private:
    lxw_worksheet* m_sheet;
    lxw_format* m_bold = nullptr;
    lxw_format* m_text = nullptr;
    lxw_row_t m_row = 0;
    std::string m_cell;
};

} // namespace

std::vector<std::uint8_t> WriteXlsx(const ExportSource& source, const ExportOptions& options) {
    (void)options;
    TemporaryFile file;
    lxw_workbook_options workbookOptions{};
    workbookOptions.constant_memory = LXW_TRUE; // rows go to disk as they are written
    std::unique_ptr<lxw_workbook, WorkbookCloser> workbook(
        workbook_new_opt(file.path().c_str(), &workbookOptions));
    if (!workbook)
        throw FileError("Cannot create the workbook in \"" + file.path() + "\"");
    lxw_worksheet* sheet = workbook_add_worksheet(workbook.get(), "Strings");
    SheetWriter writer(workbook.get(), sheet);
    writer.header();
    source.forEach([&](const ExportEntry& e) { writer.row(e); });
    const lxw_error error = workbook_close(workbook.release());
    if (error != LXW_NO_ERROR)
        throw FileError(std::string("Cannot write the workbook: ") + lxw_strerror(error));
    return LoadFile(file.path());
}

} // namespace vste
