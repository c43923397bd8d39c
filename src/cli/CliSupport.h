// SPDX-License-Identifier: MIT
// What every vste-cli command shares: usage errors, reading the input table, JSON output in
// large blocks, and the registration of a command with the program's argument parser.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdio>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "formats/Registry.h"

namespace CLI {
class App;
}

namespace vste::cli {

// A command line that asks for something impossible; reported with exit code 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct InputOptions {
    std::string file;
    std::string format; // short name; empty: chosen by the file's extension
};

// Options every command shares; the code page is made active before the command runs.
struct CommonOptions {
    std::optional<int> codePage;
};

// A registered command: its parser, and what runs when the command line names it. `run` throws
// UsageError for impossible arguments and another std::exception when reading or writing fails.
struct Command {
    CLI::App* parser = nullptr;
    std::function<void()> run;
};

// Adds --format (for `input`) and --codepage to a command.
void AddInputOptions(CLI::App& command, InputOptions& input, CommonOptions& common);
// Adds --format under another option name (e.g. --reference-format) bound to `format`.
void AddFormatOption(CLI::App& command, const std::string& name, std::string& format,
                     const std::string& what);

using Json = nlohmann::ordered_json;
// Compact JSON; invalid UTF-8 is replaced rather than refused.
std::string DumpJson(const Json& json);
// Single-byte text (names, extra values) as the active code page shows it, every byte of it
// (a NUL inside a name is part of what the file holds), as UTF-8.
std::string Shown(const std::string& singleByte);

// The format named by a short name; throws UsageError for an unknown one.
const FormatInfo& FormatByName(const std::string& name);
// --format when given, else the file's extension; throws UsageError when neither tells.
const FormatInfo& InputFormat(const InputOptions& options);
// CSF and STR: the two formats that convert to each other and take convert's editing options.
bool IsCompiled(DocumentFormat format);
// The format a document read as `from` is written in: `to` when it names one, else `unnamed`.
// Only csf and str documents convert to each other; any other change of format throws a
// UsageError saying that the document cannot be `verb`ed ("convert", "write", "check") so.
DocumentFormat TargetFormat(const FormatInfo& from, const std::string& to, DocumentFormat unnamed,
                            std::string_view verb);
// The document's own format, except that an STR document is written as CSF.
DocumentFormat DefaultOutputFormat(const FormatInfo& from);

// Leaves a table read by the command to the end of the process: the program ends right after the
// command, and tearing down millions of strings one by one would only cost time. The table stays
// reachable, so leak checkers do not count it. At most four tables; a fifth is destroyed.
void KeepUntilExit(std::unique_ptr<TWestwoodStrings> document);

// Refuses (UsageError) an OUT for a string table that is one of `exchangeInputs`, the exchange
// files the command reads, or whose extension names an exchange format: the table's bytes would
// replace a translator's file.
void RefuseTableOutput(const std::string& output,
                       std::initializer_list<std::string> exchangeInputs);

// What running out of memory while reading a file is reported as.
inline constexpr const char* kTooLargeToRead = "the file is too large to read";

// Reads a table. Throws FileError, or DocumentError whose message begins with the file's name
// ("FILE: Stream read error"); running out of memory is reported as the file being too large.
ReadResult ReadTable(DocumentFormat format, const std::string& file);
// Reads the input table, as ReadTable does.
ReadResult Read(const InputOptions& options, const FormatInfo& format);
// Writes `document` in `format` and stores it atomically as `file`. Throws FormatError when the
// format cannot hold the document and FileError when the file cannot be stored.
void Write(const std::string& file, DocumentFormat format, const TWestwoodStrings& document,
           bool ansiMode);

// Buffered output: a dump of a million strings goes out in large blocks.
class Output {
public:
    explicit Output(std::FILE* file);
    ~Output();
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    void write(std::string_view text);
    // Throws std::runtime_error when the output cannot be written.
    void flush();

private:
    bool flushNoThrow();

    static constexpr std::size_t kBlock = 1 << 20;
    std::FILE* m_file;
    std::string m_buffer;
};

} // namespace vste::cli
