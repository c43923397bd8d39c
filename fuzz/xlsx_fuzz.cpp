// SPDX-License-Identifier: MIT
// Reads arbitrary bytes as an XLSX exchange file (see ExchangeFuzz.h). An input that begins with
// the zip signature "PK" is read as it is. Any other input is the XML of the sheet, then after a
// NUL byte that of the shared strings, stored in a workbook built here: mutations of a zip
// archive's compressed parts rarely survive its checksums, so this reaches the XML the reader
// walks.
#include <zip.h>

#include <string_view>

#include "ExchangeFuzz.h"

namespace {

std::vector<std::uint8_t> StoredWorkbook(std::string_view sheet, std::string_view shared) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    static constexpr std::string_view kBook =
        "<workbook><sheets><sheet name=\"S\" sheetId=\"1\"/></sheets></workbook>";
    const std::pair<const char*, std::string_view> parts[] = {{"xl/workbook.xml", kBook},
                                                              {"xl/worksheets/sheet1.xml", sheet},
                                                              {"xl/sharedStrings.xml", shared}};
    for (const auto& [name, bytes] : parts) {
        const zip_int64_t index = zip_file_add(
            archive, name, zip_source_buffer(archive, bytes.data(), bytes.size(), 0), 0);
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    zip_close(archive);
    std::vector<std::uint8_t> out;
    zip_source_open(buffer);
    zip_source_seek(buffer, 0, SEEK_END);
    out.resize(static_cast<std::size_t>(zip_source_tell(buffer)));
    zip_source_seek(buffer, 0, SEEK_SET);
    zip_source_read(buffer, out.data(), out.size());
    zip_source_close(buffer);
    zip_source_free(buffer);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (input.substr(0, 2) == "PK")
        return vste::fuzz::ExchangeReader(vste::ReadXlsx, data, size);
    const std::size_t nul = input.find('\0');
    const std::vector<std::uint8_t> workbook =
        StoredWorkbook(input.substr(0, nul),
                       nul == std::string_view::npos ? std::string_view{} : input.substr(nul + 1));
    return vste::fuzz::ExchangeReader(vste::ReadXlsx, workbook.data(), workbook.size());
}
