// SPDX-License-Identifier: MIT
// The table of supported formats and the one place that maps a format to its reading
// constructor and writer.
#include "formats/Registry.h"

#include <algorithm>
#include <stdexcept>

#include "core/CompiledStrings.h"
#include "core/EmpireAtWarStrings.h"
#include "core/Errors.h"
#include "core/FileIO.h"
#include "formats/BladeRunnerStrings.h"
#include "formats/Dune2000Strings.h"
#include "formats/LiquidStrings.h"
#include "formats/MalcolmStrings.h"

namespace vste {
namespace {

constexpr std::string_view kCsfSaveFilter =
    "Compiled String Table Files (*.CSF)|*.CSF|Uncompiled String Table Files (*.STR)|*.STR";

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

const std::vector<FormatInfo>& Formats() {
    // clang-format off
    static const std::vector<FormatInfo> formats{
        //  id                          short       extensions
        //  open filter
        //  save filter, default extension, insert/delete, names, extra values, progress,
        //  several values, version and language, encoding mode, Fargus, import, favorites,
        //  detects single-byte values, Save as STR text,
        //  the file keeps several values, the format written outside STR text,
        //  keys made from names (only where set)
        {DocumentFormat::CSF, "csf", {".csf"},
         "Compiled String Table Files (*.CSF)|*.CSF",
         kCsfSaveFilter, ".csf", true, true, true, true,
         true, true, true, true, true, true, true, true,
         true, DocumentFormat::CSF},
        {DocumentFormat::STR, "str", {".str"},
         "Uncompiled String Table Files (*.STR)|*.STR",
         kCsfSaveFilter, ".csf", true, true, true, true,
         true, true, true, false, false, false, false, true,
         false, DocumentFormat::CSF},
        {DocumentFormat::EmpireAtWar, "eaw", {".dat"},
         "Empire at War Text Data Files (*.DAT)|*.DAT",
         "Empire at War Text Data Files (*.DAT)|*.DAT", ".dat", true, true, false, true,
         false, false, false, false, false, false, false, false,
         false, DocumentFormat::EmpireAtWar, true},
        {DocumentFormat::Dune2000, "uib", {".uib"},
         "Dune 2000 String Table Files (*.UIB)|*.UIB",
         "Dune 2000 String Table Files (*.UIB)|*.UIB", ".uib", false, true, false, true,
         false, false, false, false, false, false, false, false,
         false, DocumentFormat::Dune2000},
        {DocumentFormat::Westwood, "westwood", {".eng", ".ger", ".fre", ".dip", ".lm", ".dat"},
         "Westwood String Table Files (*.ENG, etc)|*.ENG; *.GER; *.FRE; *.DIP; *.LM; *.DAT",
         "Westwood String Table Files (*.ENG, etc)|*.ENG", ".eng", false, false, false, false,
         false, false, false, false, false, false, false, false,
         false, DocumentFormat::Westwood},
        {DocumentFormat::Liquid, "lte", {".lte"},
         "Liquid Text Files (*.LTE)|*.LTE",
         "Liquid Text Files (*.LTE)|*.LTE", ".lte", false, false, false, false,
         false, false, false, false, false, false, false, false,
         false, DocumentFormat::Liquid},
        {DocumentFormat::BladeRunner, "trr", {".trr"},
         "Blade Runner\\LoL2 String Table Files (*.TRR)|*.TRR",
         "", "", false, false, false, false,
         false, false, false, false, false, false, false, false,
         false, DocumentFormat::BladeRunner},
        {DocumentFormat::Malcolm, "tre", {".tre", ".trf", ".trg"},
         "Malcolm's Revenge String Table Files (*.TRE)|*.TRE; *.TRF; *.TRG",
         "", "", false, false, false, false,
         false, false, false, false, false, false, false, false,
         false, DocumentFormat::Malcolm},
    };
    // clang-format on
    return formats;
}

const FormatInfo& GetFormatInfo(DocumentFormat id) {
    for (const auto& f : Formats())
        if (f.id == id)
            return f;
    throw std::invalid_argument("Unknown document format " + std::to_string(static_cast<int>(id)));
}

std::string FormatNameList() {
    std::string list;
    for (const FormatInfo& f : Formats()) {
        if (!list.empty())
            list += ", ";
        list += f.shortName;
    }
    return list;
}

std::string FormatExtensionList() {
    std::string list;
    std::vector<std::string_view> taken;
    for (const FormatInfo& f : Formats()) {
        if (!list.empty())
            list += ", ";
        list += f.shortName;
        list += " (";
        const std::size_t open = list.size();
        for (std::string_view extension : f.extensions) {
            if (std::find(taken.begin(), taken.end(), extension) != taken.end())
                continue;
            taken.push_back(extension);
            if (list.size() > open)
                list += ' ';
            list += extension;
        }
        list += ')';
    }
    return list;
}

const FormatInfo* FindFormatByName(std::string_view shortName) {
    for (const auto& f : Formats())
        if (f.shortName == shortName)
            return &f;
    return nullptr;
}

const FormatInfo* FindFormatByFileName(std::string_view fileName) {
    // The extension of the last path component only: a dot in a folder name does not count.
    const auto slash = fileName.find_last_of("/\\");
    const auto base = slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    const auto dot = base.rfind('.');
    if (dot == std::string_view::npos)
        return nullptr;
    std::string ext(base.substr(dot));
    std::transform(ext.begin(), ext.end(), ext.begin(), LowerAscii);
    // In id order, so ".dat" finds Empire at War before the Westwood files.
    for (const auto& f : Formats())
        if (std::find(f.extensions.begin(), f.extensions.end(), ext) != f.extensions.end())
            return &f;
    return nullptr;
}

std::unique_ptr<TWestwoodStrings> NewDocument(DocumentFormat format) {
    switch (format) {
    case DocumentFormat::CSF: {
        auto table = std::make_unique<TCompiledStrings>();
        table->Magic = kCsfMagic;
        table->Version = 3;
        return table;
    }
    case DocumentFormat::STR:
        return std::make_unique<TCompiledStrings>();
    case DocumentFormat::EmpireAtWar:
        return std::make_unique<TEmpireAtWarStrings>();
    case DocumentFormat::Dune2000:
        return std::make_unique<TDune2000Strings>();
    case DocumentFormat::Westwood:
        return std::make_unique<TWestwoodStrings>();
    case DocumentFormat::Liquid:
        return std::make_unique<TLiquidStrings>();
    case DocumentFormat::BladeRunner:
        return std::make_unique<TBladeRunnerStrings>();
    case DocumentFormat::Malcolm:
        return std::make_unique<TMalcolmStrings>();
    }
    throw std::invalid_argument("unknown document format");
}

ReadResult ReadDocument(DocumentFormat format, std::span<const std::uint8_t> data,
                        Progress& progress) {
    ReadResult r;
    switch (format) {
    case DocumentFormat::CSF:
        r.document = TCompiledStrings::CreateFromBuffer(data, progress, r.singleByte);
        break;
    case DocumentFormat::STR:
        r.document = TCompiledStrings::CreateFromSTRBuffer(data, progress);
        break;
    case DocumentFormat::EmpireAtWar:
        r.document = TEmpireAtWarStrings::CreateFromBuffer(data, progress);
        break;
    case DocumentFormat::Dune2000:
        r.document = TDune2000Strings::CreateFromBuffer(data, progress);
        break;
    case DocumentFormat::Westwood:
        r.document = TWestwoodStrings::CreateFromBuffer(data, progress);
        break;
    case DocumentFormat::Liquid:
        r.document = TLiquidStrings::CreateFromBuffer(data, progress);
        break;
    case DocumentFormat::BladeRunner:
        r.document = TBladeRunnerStrings::CreateFromBuffer(data, progress);
        break;
    case DocumentFormat::Malcolm:
        r.document = TMalcolmStrings::CreateFromBuffer(data, progress);
        break;
    default:
        throw std::invalid_argument("Unknown document format " +
                                    std::to_string(static_cast<int>(format)));
    }
    return r;
}

ReadResult ReadDocumentFile(DocumentFormat format, const std::string& fileName,
                            Progress& progress) {
    // STR text is refused by the file's name when it is no text at all.
    if (format == DocumentFormat::STR) {
        ReadResult r;
        r.document = TCompiledStrings::CreateFromSTRFile(fileName, progress);
        return r;
    }
    // The file's bytes live only while they are parsed, so a large table is not held twice.
    return ReadDocument(format, LoadFile(fileName), progress);
}

std::vector<std::uint8_t> WriteDocument(DocumentFormat format, const TWestwoodStrings& document,
                                        Progress& progress, bool ansiMode) {
    if (format == DocumentFormat::STR) {
        const auto* compiled = dynamic_cast<const TCompiledStrings*>(&document);
        if (!compiled)
            throw FormatError(Message(MessageId::SaveAsStrNeedsCsf));
        return compiled->SaveToSTRBuffer(progress);
    }
    return document.SaveToBuffer(progress, ansiMode);
}

} // namespace vste
