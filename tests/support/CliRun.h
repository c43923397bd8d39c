// SPDX-License-Identifier: MIT
// Runs the built vste-cli as a separate process, for the end-to-end tests of every command.
#pragma once

#include <string>
#include <vector>

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

} // namespace vste::test
