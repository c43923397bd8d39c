// SPDX-License-Identifier: MIT
// The commands of vste-cli, apart from argument parsing.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>

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

enum class AnsiOverride { FromFile, Ansi, Unicode };

struct ConvertOptions {
    InputOptions input;
    std::string output;
    std::string to; // short name; empty: the document's own format
    AnsiOverride ansi = AnsiOverride::FromFile;
    std::string importFile;
    std::string fargus; // "decode", "encode" or empty
    std::optional<std::int32_t> version;
    std::optional<std::int32_t> language;
};

// Each throws UsageError for impossible arguments and DocumentError (or another std::exception)
// when reading or writing fails.
void Dump(const InputOptions& options, std::FILE* out);
void Categories(const InputOptions& options, std::FILE* out);
void Convert(const ConvertOptions& options);

} // namespace vste::cli
