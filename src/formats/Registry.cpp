// SPDX-License-Identifier: MIT
// Placeholder: CSF and STR only; replaced by the full registry.
#include "formats/Registry.h"

#include <stdexcept>

#include "core/CompiledStrings.h"
#include "core/FileIO.h"

namespace vste {
const std::vector<FormatInfo>& Formats() {
    static const std::vector<FormatInfo> v{
        {DocumentFormat::CSF, "csf", {".csf"}, "Compiled String Table Files (*.CSF)|*.CSF", "Compiled String Table Files (*.CSF)|*.CSF|Uncompiled String Table Files (*.STR)|*.STR", ".csf", true, true, true, true},
        {DocumentFormat::STR, "str", {".str"}, "Uncompiled String Table Files (*.STR)|*.STR", "Compiled String Table Files (*.CSF)|*.CSF|Uncompiled String Table Files (*.STR)|*.STR", ".csf", true, true, true, true},
    };
    return v;
}
const FormatInfo& GetFormatInfo(DocumentFormat id) {
    for (const auto& f : Formats()) if (f.id == id) return f;
    throw std::invalid_argument("unknown format");
}
const FormatInfo* FindFormatByName(std::string_view n) {
    for (const auto& f : Formats()) if (f.shortName == n) return &f;
    return nullptr;
}
const FormatInfo* FindFormatByFileName(std::string_view) { return nullptr; }
ReadResult ReadDocument(DocumentFormat format, std::span<const std::uint8_t> data, Progress& progress) {
    ReadResult r;
    if (format == DocumentFormat::STR) r.document = TCompiledStrings::CreateFromSTRBuffer(data, progress);
    else r.document = TCompiledStrings::CreateFromBuffer(data, progress, r.singleByte);
    return r;
}
ReadResult ReadDocumentFile(DocumentFormat format, const std::string& fileName, Progress& progress) {
    auto bytes = LoadFile(fileName);
    return ReadDocument(format, bytes, progress);
}
std::vector<std::uint8_t> WriteDocument(DocumentFormat format, const TWestwoodStrings& document, Progress& progress, bool ansiMode) {
    if (format == DocumentFormat::STR) return dynamic_cast<const TCompiledStrings&>(document).SaveToSTRBuffer(progress);
    return document.SaveToBuffer(progress, ansiMode);
}
} // namespace vste
