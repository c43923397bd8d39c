// SPDX-License-Identifier: MIT
// vste-cli diff (two tables compared by name ignoring case) and vste-cli update (a translation
// carried over to a new version of its original).
#pragma once

#include <cstdio>
#include <string>

#include "cli/CliSupport.h"

namespace vste::cli {

// Exit status of `diff --exit-code` when the tables differ.
inline constexpr int kTablesDifferExitCode = 3;

struct DiffOptions {
    InputOptions a;
    InputOptions b;
    bool exitCode = false;
};

struct UpdateCommandOptions {
    InputOptions oldSource;
    InputOptions newSource;
    InputOptions translation;
    std::string sourceFormat; // short name for OLD and NEW; empty: their extensions decide
    std::string output;
    bool keepRemoved = false;
    bool unicode = false;
};

// Prints the comparison as JSON and returns whether the tables differ. Throws UsageError for
// impossible arguments, ReadError or FileError when a table cannot be read.
bool Diff(const DiffOptions& options, std::FILE* out);
// Writes OUT in the translation's format and prints the report as JSON. Throws UsageError for
// impossible arguments; ReadError, FileError or FormatError when reading or writing fails, and
// std::runtime_error naming the string when an added value cannot be stored as single-byte text
// of the code page (nothing is written then).
void Update(const UpdateCommandOptions& options, std::FILE* out);

Command AddDiffCommand(CLI::App& app, CommonOptions& common);
Command AddUpdateCommand(CLI::App& app, CommonOptions& common);

} // namespace vste::cli
