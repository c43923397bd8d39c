// SPDX-License-Identifier: MIT
// vste-cli export and apply: a table to an exchange file for translators, and the translated
// values back into the table.
#pragma once

#include <cstdio>
#include <string>

#include "cli/CliSupport.h"

namespace vste::cli {

struct ExportCommandOptions {
    InputOptions input;
    std::string output;
    InputOptions reference;
    std::string separator;
    std::string sourceLanguage = "en";
    std::string targetLanguage;
};

struct ApplyCommandOptions {
    InputOptions input;
    std::string exchange;
    std::string output;
    std::string to;
    std::string separator;
};

// Both throw UsageError for impossible arguments and another std::exception when reading or
// writing fails; nothing is written then.
void Export(const ExportCommandOptions& options);
void Apply(const ApplyCommandOptions& options, std::FILE* out);

Command AddExportCommand(CLI::App& app, CommonOptions& common);
Command AddApplyCommand(CLI::App& app, CommonOptions& common);

} // namespace vste::cli
