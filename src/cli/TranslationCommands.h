// SPDX-License-Identifier: MIT
// vste-cli status, tm build, tm suggest and pretranslate: the languages of a mod beside their
// source, and translation memories.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/CliSupport.h"

namespace vste::cli {

struct StatusOptions {
    InputOptions source;
    std::vector<std::string> tables;
    std::string format; // of the tables
};

struct TmBuildOptions {
    std::string output;
    std::vector<std::string> pairs; // SOURCE TRANSLATION ...
    std::vector<std::string> add;   // TMX files whose units are added
    std::string sourceLanguage = "en";
    std::string targetLanguage; // empty: from the first translation's CSF header or --add file
    std::string format;
};

struct TmSuggestOptions {
    std::string memory;
    std::string text;
    int min = 70;
    int max = 5;
};

struct PretranslateOptions {
    InputOptions table;
    std::string output;
    InputOptions source;
    std::string memory;
    int min = 100;
};

void Status(const StatusOptions& options, std::FILE* out);
void TmBuild(const TmBuildOptions& options, std::FILE* out);
void TmSuggest(const TmSuggestOptions& options, std::FILE* out);
void Pretranslate(const PretranslateOptions& options, std::FILE* out);

Command AddStatusCommand(CLI::App& app, CommonOptions& common);
Command AddTmCommand(CLI::App& app, CommonOptions& common);
Command AddPretranslateCommand(CLI::App& app, CommonOptions& common);

} // namespace vste::cli
