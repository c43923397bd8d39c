// SPDX-License-Identifier: MIT
#include "support/CliRun.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "encoding/CodePage.h"

namespace vste::test {

namespace {

#ifdef _WIN32
std::wstring Wide(const std::string& utf8) {
    return std::filesystem::u8path(utf8).wstring();
}

// One argument as CommandLineToArgvW reads it back: quoted, with quotes and the backslashes
// before them escaped.
std::wstring QuoteArgument(const std::wstring& arg) {
    std::wstring q = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        q.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        q += c;
    }
    q.append(backslashes * 2, L'\\');
    return q + L"\"";
}

HANDLE OpenForChild(const std::wstring& name, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Starts the program with its output in the two files and waits; its exit code or -1.
int RunOnce(const std::vector<std::string>& args, const std::string& out,
            const std::string& err) {
    std::wstring line = QuoteArgument(Wide(VSTE_CLI_PATH));
    for (const auto& a : args)
        line += L" " + QuoteArgument(Wide(a));
    const HANDLE in = OpenForChild(L"NUL", GENERIC_READ, OPEN_EXISTING);
    const HANDLE o = OpenForChild(Wide(out), GENERIC_WRITE, CREATE_ALWAYS);
    const HANDLE e = OpenForChild(Wide(err), GENERIC_WRITE, CREATE_ALWAYS);
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = in;
    start.hStdOutput = o;
    start.hStdError = e;
    PROCESS_INFORMATION process{};
    int code = -1;
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start,
                       &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD exit = 0;
        if (GetExitCodeProcess(process.hProcess, &exit))
            code = static_cast<int>(exit);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    for (HANDLE h : {in, o, e})
        CloseHandle(h);
    return code;
}

// Under Wine a start now and then fails right after the last program ended (its output files
// are not yet free): tried again a few times before the run counts as failed.
int RunProgram(const std::vector<std::string>& args, const std::string& out,
               const std::string& err) {
    int code = -1;
    for (int attempt = 0; attempt < 5 && code == -1; ++attempt) {
        if (attempt > 0)
            Sleep(200);
        code = RunOnce(args, out, err);
    }
    return code;
}
#else

std::string Quote(const std::string& arg) {
    std::string q = "'";
    for (char c : arg)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

int RunProgram(const std::vector<std::string>& args, const std::string& out,
               const std::string& err) {
    std::string command = Quote(VSTE_CLI_PATH);
    for (const auto& a : args)
        command.append(" ").append(Quote(a));
    command += " >" + Quote(out) + " 2>" + Quote(err) + " </dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

} // namespace

std::string ReadText(const std::string& fileName) {
    std::ifstream in(std::filesystem::u8path(fileName), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

CliResult RunCli(const TempDir& dir, const std::vector<std::string>& args) {
    const std::string out = dir.file("stdout.txt"), err = dir.file("stderr.txt");
    const int code = RunProgram(args, out, err);
    return {code, ReadText(out), ReadText(err)};
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
