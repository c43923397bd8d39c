// SPDX-License-Identifier: MIT
#include "support/CliRun.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "encoding/CodePage.h"

namespace vste::test {

namespace {

std::string Quote(const std::string& arg) {
    std::string q = "'";
    for (char c : arg)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

} // namespace

std::string ReadText(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

CliResult RunCli(const TempDir& dir, const std::vector<std::string>& args) {
    std::string command = Quote(VSTE_CLI_PATH);
    for (const auto& a : args)
        command.append(" ").append(Quote(a));
    const std::string out = dir.file("stdout.txt"), err = dir.file("stderr.txt");
    command += " >" + Quote(out) + " 2>" + Quote(err) + " </dev/null";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(out), ReadText(err)};
}

std::string WriteCsfTable(const std::string& fileName, TCSFBody body, int codePage, bool ansi,
                          std::int32_t language) {
    TCompiledStrings doc;
    doc.Magic = kCsfMagic;
    doc.Version = 3;
    doc.Language = language;
    doc.StringCount = static_cast<std::int32_t>(body.size());
    doc.Body = std::move(body);
    SetActiveCodePage(codePage);
    NullProgress progress;
    WriteBytes(fileName, doc.SaveToBuffer(progress, ansi));
    return fileName;
}

} // namespace vste::test
