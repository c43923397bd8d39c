// SPDX-License-Identifier: MIT
// vste-cli check: the findings of the check rules, as compiler-style lines or as JSON.
#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>

#include "cli/CliSupport.h"

namespace vste::cli {

struct CheckOptions {
    InputOptions input;
    InputOptions reference; // file empty: no reference
    std::string saveAs;     // short name; empty: the document's own format
    std::string rules;      // comma-separated rule ids; empty: every rule that applies
    bool json = false;
    std::string spelling;      // dictionary name; empty: no spelling rule
    std::string dictionaryDir; // empty: the system's dictionaries
    std::string personal;      // file of accepted words
    std::string glossary;      // CSV of terms; needs a reference
};

// The check found errors; what() says how many, for the exit status 1.
class CheckFailed : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes the findings to `out`. Throws UsageError for impossible arguments, ReadError or
// FileError when a table cannot be read, and CheckFailed after writing when there are errors.
void Check(const CheckOptions& options, std::FILE* out);

Command AddCheckCommand(CLI::App& app, CommonOptions& common);

} // namespace vste::cli
