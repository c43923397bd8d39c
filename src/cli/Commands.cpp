// SPDX-License-Identifier: MIT
#include "cli/Commands.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <string_view>
#include <utility>

#include "core/FileIO.h"
#include "core/Model.h"
#include "core/Progress.h"
#include "core/StringUtils.h"
#include "encoding/CodePage.h"
#include "formats/Registry.h"

namespace vste::cli {

// The converted document, deliberately not destroyed before the program ends. Volatile, so the
// store stays and leak checkers find the document still reachable.
TWestwoodStrings* volatile g_documentKeptUntilExit = nullptr;
namespace {

using Json = nlohmann::ordered_json;

// Buffered output: a dump of a million strings goes out in large blocks.
class Output {
public:
    explicit Output(std::FILE* file) : m_file(file) { m_buffer.reserve(kBlock + 4096); }
    ~Output() { flushNoThrow(); }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    void write(std::string_view text) {
        m_buffer.append(text);
        if (m_buffer.size() >= kBlock)
            flush();
    }
    void flush() {
        if (!flushNoThrow())
            throw std::runtime_error("Cannot write the output");
    }

private:
    bool flushNoThrow() {
        const bool ok = m_buffer.empty() ||
                        std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file) == m_buffer.size();
        m_buffer.clear();
        return ok && std::fflush(m_file) == 0;
    }

    static constexpr std::size_t kBlock = 1 << 20;
    std::FILE* m_file;
    std::string m_buffer;
};

std::string DumpJson(const Json& json) {
    return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string HexBytes(const Tag4& bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string s;
    for (std::uint8_t b : bytes) {
        s.push_back(kDigits[b >> 4]);
        s.push_back(kDigits[b & 15]);
    }
    return s;
}

// Single-byte text (names, extra values) as the active code page shows it, every byte of it:
// a NUL inside a name or an extra value is part of what the file holds, so the text is not cut
// there as AnsiToWide would.
std::string Shown(const std::string& singleByte) {
    return Utf16ToUtf8(PlainAnsiToWide(singleByte));
}

bool IsCompiled(DocumentFormat f) {
    return f == DocumentFormat::CSF || f == DocumentFormat::STR;
}

const FormatInfo& FormatByName(const std::string& name) {
    const FormatInfo* info = FindFormatByName(name);
    if (info == nullptr)
        throw UsageError("unknown format \"" + name +
                         "\" (known: csf, str, eaw, uib, westwood, lte, trr, tre)");
    return *info;
}

const FormatInfo& InputFormat(const InputOptions& options) {
    if (!options.format.empty())
        return FormatByName(options.format);
    const FormatInfo* info = FindFormatByFileName(options.file);
    if (info == nullptr)
        throw UsageError("cannot tell the format of \"" + options.file +
                         "\" from its extension; name it with --format");
    return *info;
}

ReadResult Read(const InputOptions& options, const FormatInfo& format) {
    NullProgress progress;
    return ReadDocumentFile(format.id, options.file, progress);
}

} // namespace

void Dump(const InputOptions& options, std::FILE* file) {
    const FormatInfo& format = InputFormat(options);
    const ReadResult read = Read(options, format);
    const TWestwoodStrings& doc = *read.document;

    Json header;
    header["format"] = format.shortName;
    header["magic"] = HexBytes(doc.Magic);
    header["version"] = doc.Version;
    header["label_count"] = doc.LabelCount();
    header["string_count"] = doc.StringCount;
    header["reserved"] = HexBytes(doc.Reserved);
    header["language"] = doc.Language;
    header["single_byte"] = read.singleByte;

    // The header object without its closing brace, then the labels one per line, so that no
    // tree of the whole table is ever built.
    Output out(file);
    std::string head = DumpJson(header);
    head.pop_back();
    out.write(head);
    out.write(doc.Body.empty() ? ",\"labels\":[]}\n" : ",\"labels\":[\n");
    for (std::size_t i = 0; i < doc.Body.size(); ++i) {
        const TText& text = doc.Body[i];
        Json label;
        label["name"] = Shown(text.Name);
        label["tag"] = HexBytes(text.Tag);
        Json values = Json::array();
        for (const TTextContainer& v : text.Values) {
            Json value;
            value["tag"] = HexBytes(v.Tag);
            value["value"] = Utf16ToUtf8(v.Value);
            value["extra"] = Shown(v.ExtraValue);
            values.push_back(std::move(value));
        }
        label["values"] = std::move(values);
        out.write(DumpJson(label));
        out.write(i + 1 < doc.Body.size() ? ",\n" : "\n]}\n");
    }
    out.flush();
}

void Categories(const InputOptions& options, std::FILE* file) {
    const FormatInfo& format = InputFormat(options);
    const ReadResult read = Read(options, format);
    const TCat categories = read.document->GetCategories();
    Output out(file);
    out.write(categories.empty() ? "[]\n" : "[\n");
    for (std::size_t i = 0; i < categories.size(); ++i) {
        Json category;
        category["name"] = Shown(categories[i].Name);
        category["ids"] = categories[i].IDs;
        out.write(DumpJson(category));
        out.write(i + 1 < categories.size() ? ",\n" : "\n]\n");
    }
    out.flush();
}

void Convert(const ConvertOptions& options) {
    const FormatInfo& from = InputFormat(options.input);
    // Everything the arguments alone rule out is refused before any file is touched.
    DocumentFormat target = from.id == DocumentFormat::STR ? DocumentFormat::CSF : from.id;
    if (!options.to.empty()) {
        const FormatInfo& to = FormatByName(options.to);
        if (to.id != from.id && !(IsCompiled(from.id) && IsCompiled(to.id)))
            throw UsageError("cannot convert a " + std::string(from.shortName) + " document to " +
                             std::string(to.shortName) + ": it can only be written as " +
                             std::string(from.shortName) +
                             "; only csf and str documents convert to each other");
        target = to.id;
    }
    if (!IsCompiled(from.id)) {
        const auto refuse = [&](const char* option) {
            throw UsageError(std::string(option) +
                             " applies only to csf and str documents, not to " +
                             std::string(from.shortName));
        };
        if (!options.importFile.empty())
            refuse("--import");
        if (!options.fargus.empty())
            refuse("--fargus");
        if (options.version)
            refuse("--set-version");
        if (options.language)
            refuse("--set-language");
    }

    NullProgress progress;
    ReadResult read = Read(options.input, from);
    TWestwoodStrings& doc = *read.document;
    if (!options.importFile.empty()) {
        ReadResult source = ReadDocumentFile(DocumentFormat::CSF, options.importFile, progress);
        doc.ImportStrings(*source.document, progress);
    }
    if (options.fargus == "decode")
        doc.DecodeFargusCyrillic();
    else if (options.fargus == "encode")
        doc.EncodeFargusCyrillic();
    if (options.version)
        doc.SetVersion(*options.version);
    if (options.language)
        doc.SetLanguage(*options.language);

    bool ansiMode = read.singleByte;
    if (options.ansi == AnsiOverride::Ansi)
        ansiMode = true;
    else if (options.ansi == AnsiOverride::Unicode)
        ansiMode = false;

    const std::vector<std::uint8_t> bytes = WriteDocument(target, doc, progress, ansiMode);
    // The program ends right after this command: tearing down a million strings one by one
    // would only cost time, so the document is left to the end of the process (still reachable,
    // so leak checkers do not count it).
    g_documentKeptUntilExit = read.document.release();
    StoreFileAtomically(options.output, bytes);
}

} // namespace vste::cli
