// SPDX-License-Identifier: MIT
// The commands of vste-cli. Each Add...Command registers one command with the parser; a new
// command is a new file with its own Add...Command, listed once in main.cpp.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "cli/CliSupport.h"

namespace vste::cli {

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

// Each throws UsageError for impossible arguments and another std::exception when reading or
// writing fails.
void Dump(const InputOptions& options, std::FILE* out);
void Categories(const InputOptions& options, std::FILE* out);
void Convert(const ConvertOptions& options);

Command AddDumpCommand(CLI::App& app, CommonOptions& common);
Command AddCategoriesCommand(CLI::App& app, CommonOptions& common);
Command AddConvertCommand(CLI::App& app, CommonOptions& common);

} // namespace vste::cli
