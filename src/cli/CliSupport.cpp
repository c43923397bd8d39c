// SPDX-License-Identifier: MIT
#include "cli/CliSupport.h"

#include <CLI/CLI.hpp>

#include <filesystem>

#include "core/Errors.h"
#include "core/FileIO.h"
#include "core/Progress.h"
#include "core/StringUtils.h"
#include "encoding/CodePage.h"
#include "exchange/Exchange.h"

namespace vste::cli {

// Volatile, so the stores stay and the tables remain reachable until the end.
TWestwoodStrings* volatile g_tablesKeptUntilExit[4] = {};

void AddFormatOption(CLI::App& command, const std::string& name, std::string& format,
                     const std::string& what) {
    command.add_option(name, format,
                       "Format of " + what +
                           "; without it the extension decides (case-insensitive, .dat means "
                           "eaw). Formats: " +
                           FormatExtensionList());
}

void AddInputOptions(CLI::App& command, InputOptions& input, CommonOptions& common) {
    AddFormatOption(command, "--format", input.format, "the input file");
    command.add_option("--codepage", common.codePage,
                       "Single-byte code page of names, extra values and single-byte text: "
                       "1250-1258 or 874. Default: VSTE_CODEPAGE, else the locale's language");
}

std::string DumpJson(const Json& json) {
    return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string Shown(const std::string& singleByte) {
    return Utf16ToUtf8(PlainAnsiToWide(singleByte));
}

const FormatInfo& FormatByName(const std::string& name) {
    const FormatInfo* info = FindFormatByName(name);
    if (info == nullptr)
        throw UsageError("unknown format \"" + name + "\" (known: " + FormatNameList() + ")");
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

bool IsCompiled(DocumentFormat format) {
    return GetFormatInfo(format).compiledAs == DocumentFormat::CSF;
}

DocumentFormat TargetFormat(const FormatInfo& from, const std::string& to, DocumentFormat unnamed,
                            std::string_view verb) {
    if (to.empty())
        return unnamed;
    const FormatInfo& target = FormatByName(to);
    if (target.id != from.id && !(IsCompiled(from.id) && IsCompiled(target.id)))
        throw UsageError("cannot " + std::string(verb) + " a " + std::string(from.shortName) +
                         " document as " + std::string(target.shortName) +
                         ": it can only be written as " + std::string(from.shortName) +
                         "; only csf and str documents convert to each other");
    return target.id;
}

void KeepUntilExit(std::unique_ptr<TWestwoodStrings> document) {
    for (TWestwoodStrings* volatile& slot : g_tablesKeptUntilExit) {
        if (slot == nullptr) {
            slot = document.release();
            return;
        }
    }
}

DocumentFormat DefaultOutputFormat(const FormatInfo& from) {
    return from.compiledAs;
}

void RefuseTableOutput(const std::string& output,
                       std::initializer_list<std::string> exchangeInputs) {
    namespace fs = std::filesystem;
    const fs::path out = fs::u8path(output);
    for (const std::string& input : exchangeInputs) {
        std::error_code ec;
        if (output == input || fs::equivalent(out, fs::u8path(input), ec))
            throw UsageError("OUT \"" + output + "\" is the exchange file \"" + input +
                             "\" being read; writing the table there would replace it");
    }
    if (const ExchangeFormatInfo* named = FindExchangeFormatByFileName(output))
        throw UsageError("OUT \"" + output + "\" is named as a " + std::string(named->shortName) +
                         " exchange file, but a string table is written there; use export to "
                         "write exchange files");
}

ReadResult ReadTable(DocumentFormat format, const std::string& file) {
    NullProgress progress;
    try {
        return ReadDocumentFile(format, file, progress);
    } catch (const FileError&) {
        throw; // names the file already
    } catch (const DocumentError& e) {
        throw DocumentError(file + ": " + e.what());
    } catch (const std::bad_alloc&) {
        throw DocumentError(file + ": " + kTooLargeToRead);
    }
}

ReadResult Read(const InputOptions& options, const FormatInfo& format) {
    return ReadTable(format.id, options.file);
}

void Write(const std::string& file, DocumentFormat format, const TWestwoodStrings& document,
           bool ansiMode) {
    NullProgress progress;
    StoreFileAtomically(file, WriteDocument(format, document, progress, ansiMode));
}

Output::Output(std::FILE* file) : m_file(file) {
    m_buffer.reserve(kBlock + 4096);
}

Output::~Output() {
    flushNoThrow();
}

void Output::write(std::string_view text) {
    m_buffer.append(text);
    if (m_buffer.size() >= kBlock)
        flush();
}

void Output::flush() {
    if (!flushNoThrow())
        throw std::runtime_error("Cannot write the output");
}

bool Output::flushNoThrow() {
    const bool ok = m_buffer.empty() ||
                    std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file) == m_buffer.size();
    m_buffer.clear();
    return ok && std::fflush(m_file) == 0;
}

} // namespace vste::cli
