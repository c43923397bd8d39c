// SPDX-License-Identifier: MIT
// vste-cli find and replace: the table-wide search of the matching engine, for scripts.
#pragma once

#include <cstdio>
#include <string>

#include "cli/CliSupport.h"

namespace vste::cli {

struct FindOptions {
    InputOptions input;
    std::string pattern; // UTF-8
    bool regex = false;
    bool matchCase = false;
    bool wholeWord = false;
    std::string in = "name,value,extra";
    double timeLimit = 60; // seconds for the whole search
};

struct ReplaceOptions {
    FindOptions find;
    std::string output;
    std::string replacement; // UTF-8
    std::string to;          // short name; empty: the document's own format (str: csf)
};

// Each throws UsageError for impossible arguments, search::PatternError for an unusable pattern
// or replacement, and another std::exception when reading or writing fails or the search runs
// past its time limit (naming the pattern and the string).
void Find(const FindOptions& options, std::FILE* out);
void Replace(const ReplaceOptions& options, std::FILE* out);

Command AddFindCommand(CLI::App& app, CommonOptions& common);
Command AddReplaceCommand(CLI::App& app, CommonOptions& common);

} // namespace vste::cli
