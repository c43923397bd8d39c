// SPDX-License-Identifier: MIT
// Runs the built vste-cli as a separate process, for the end-to-end tests of every command.
#pragma once

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "core/CompiledStrings.h"
#include "support/TestSupport.h"

namespace vste::test {

struct CliResult {
    int code = -1; // exit status; -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs vste-cli with `args` (no shell interpretation), standard input empty, keeping its output
// in files of `dir`.
CliResult RunCli(const TempDir& dir, const std::vector<std::string>& args);

// The whole contents of a file as text; empty when it cannot be read.
std::string ReadText(const std::string& fileName);

// Writes a version 3 CSF table of `body` with the header's `language`; its values are single bytes
// of `codePage` when `ansi`. Returns the file's name.
std::string WriteCsfTable(const std::string& fileName, TCSFBody body, int codePage, bool ansi,
                          std::int32_t language = 0);

// A test that runs vste-cli on files of its own temporary folder.
class CliRunTest : public ::testing::Test {
protected:
    CliResult Run(const std::vector<std::string>& args) { return RunCli(dir, args); }

    // Runs a command that must succeed and returns its parsed JSON output (null when it failed).
    nlohmann::ordered_json RunJson(const std::vector<std::string>& args) {
        const CliResult r = Run(args);
        EXPECT_EQ(r.code, 0) << r.err;
        return r.code == 0 ? nlohmann::ordered_json::parse(r.out) : nlohmann::ordered_json();
    }

    TempDir dir;
};

} // namespace vste::test
