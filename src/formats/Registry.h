// SPDX-License-Identifier: MIT
// The one table of supported file formats, shared by the window and the command line: ids (the
// open dialog's filter index), short names, extensions, dialog filters, capabilities, and
// reading from bytes or files.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Model.h"

namespace vste {

// Values are the open dialog's 1-based filter index.
enum class DocumentFormat : int {
    CSF = 1,
    STR = 2,
    EmpireAtWar = 3,
    Dune2000 = 4,
    Westwood = 5,
    Liquid = 6,
    BladeRunner = 7,
    Malcolm = 8,
};

struct FormatInfo {
    DocumentFormat id;
    std::string_view shortName; // "csf", "str", "eaw", "uib", "westwood", "lte", "trr", "tre"
    std::vector<std::string_view> extensions; // lower-case, with the dot: ".csf"
    std::string_view openFilter;              // "Compiled String Table Files (*.CSF)|*.CSF"
    std::string_view saveFilter;              // empty when Save as sets no filter
    std::string_view defaultExtension;        // ".csf"; empty when none
    bool canInsertDelete;                     // AddString/DeleteString really change the table
    bool editableNames;                       // the file stores names (the name box is enabled)
    bool hasExtraValues;                      // values can carry an extra value
    bool readerReportsProgress;
    // What the editor offers for the format.
    bool severalValues;      // Add value and Remove value
    bool versionAndLanguage; // the File Version and File Language menus
    bool encodingMode;       // the Character Encoding menu (Unicode or single-byte values)
    bool fargus;             // the Nox Fargus recoding (for version 2 tables)
    bool importStrings;      // Import strings from CSF
    bool favorites;          // Set file as favorite
    bool detectsSingleByte;  // the reader tells single-byte values (else Unicode mode is set)
    bool savesStrText;       // Save as offers STR text beside the format
    // What the file itself keeps.
    bool storesSeveralValues;   // every value of a string (else only the first is written)
    DocumentFormat compiledAs;  // written as, outside STR text: CSF for STR documents
    bool keysFromNames = false; // the first value's tag is a key made from the name
};

// All eight, in id order.
const std::vector<FormatInfo>& Formats();
// The short names, "csf, str, …", in id order.
std::string FormatNameList();
// The short names with the extensions that find them: "csf (.csf), str (.str), eaw (.dat), …"
// (an extension an earlier format takes is not repeated).
std::string FormatExtensionList();
const FormatInfo& GetFormatInfo(DocumentFormat id);
// By short name ("csf"); nullptr when unknown.
const FormatInfo* FindFormatByName(std::string_view shortName);
// By the file name's extension, case-insensitive (".dat" means Empire at War); nullptr when
// unknown.
const FormatInfo* FindFormatByFileName(std::string_view fileName);

struct ReadResult {
    std::unique_ptr<TWestwoodStrings> document;
    bool singleByte = false; // the CSF reader's single-byte flag; false for other formats
};

// An empty document of the format's class, as New makes one: no strings; a CSF table of
// version 3 and language 0 with its magic, the header fields of other formats zero.
std::unique_ptr<TWestwoodStrings> NewDocument(DocumentFormat format);

// Throws ReadError for a malformed input and FileError when a file cannot be read.
ReadResult ReadDocument(DocumentFormat format, std::span<const std::uint8_t> data,
                        Progress& progress);
ReadResult ReadDocumentFile(DocumentFormat format, const std::string& fileName, Progress& progress);

// The bytes that saving `document` in `format` stores: the STR text for STR, otherwise the
// document's own SaveToBuffer. Throws FormatError when the layout cannot hold the document.
std::vector<std::uint8_t> WriteDocument(DocumentFormat format, const TWestwoodStrings& document,
                                        Progress& progress, bool ansiMode);

} // namespace vste
