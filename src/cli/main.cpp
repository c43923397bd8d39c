// SPDX-License-Identifier: MIT
// vste-cli: inspect, check and convert string tables from the command line.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "cli/CheckCommands.h"
#include "cli/Commands.h"
#include "cli/CompareCommands.h"
#include "cli/ExchangeCommands.h"
#include "cli/SearchCommands.h"
#include "cli/TranslationCommands.h"
#include "encoding/CodePage.h"

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#endif

namespace {

#ifdef _WIN32
// Windows passes main() its arguments in the ANSI code page, which cannot hold every file name:
// they are taken as UTF-16 from the system and made UTF-8, as every name is inside the program.
// Output is UTF-8 bytes as they are, to a pipe or file as on Linux (no CR added before LF), and
// a console is told to show UTF-8.
std::vector<std::string> Utf8Arguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> out;
    for (int i = 0; wide != nullptr && i < count; ++i)
        out.push_back(vste::Utf16ToUtf8(reinterpret_cast<const char16_t*>(wide[i])));
    LocalFree(wide);
    return out;
}

void SetUpConsole() {
    SetConsoleOutputCP(CP_UTF8);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}
#endif

int Fail(const std::string& message, int code) {
    std::fprintf(stderr, "vste-cli: %s\n", message.c_str());
    return code;
}

void ActivateCodePage(const vste::cli::CommonOptions& common) {
    if (common.codePage) {
        if (!vste::IsSupportedCodePage(*common.codePage))
            throw vste::cli::UsageError("unsupported code page " +
                                        std::to_string(*common.codePage) +
                                        " (supported: 1250-1258, 874)");
        vste::SetActiveCodePage(*common.codePage);
    } else {
        vste::InitActiveCodePageFromEnvironment();
    }
}

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    SetUpConsole();
    std::vector<std::string> arguments = Utf8Arguments();
    std::vector<char*> pointers;
    for (std::string& a : arguments)
        pointers.push_back(a.data());
    pointers.push_back(nullptr);
    argc = static_cast<int>(arguments.size());
    argv = pointers.data();
#endif
    CLI::App app{"vste-cli: inspect and convert the string tables of games (CSF, STR and older "
                 "formats).\n"
                 "Exit status: 0 on success, 1 when reading or writing fails, 2 for a usage error "
                 "(including a conversion the document cannot make)."};
    app.require_subcommand(1);
    // Options are --long and -s on every system: a path such as /mods/game.csf is a path.
    app.allow_windows_style_options(false);
    app.set_version_flag("--version", std::string("vste-cli ") + VSTE_VERSION_STRING);
    app.footer("Run 'vste-cli COMMAND --help' for the options of each command. Names and extra "
               "values are single-byte text shown through the code page; values are UTF-8.");

    vste::cli::CommonOptions common;
    // One line per command, in the order --help lists them.
    // clang-format off
    const std::vector<vste::cli::Command> commands = {
        vste::cli::AddDumpCommand(app, common),
        vste::cli::AddCategoriesCommand(app, common),
        vste::cli::AddConvertCommand(app, common),
        vste::cli::AddFindCommand(app, common),
        vste::cli::AddReplaceCommand(app, common),
        vste::cli::AddCheckCommand(app, common),
        vste::cli::AddDiffCommand(app, common),
        vste::cli::AddUpdateCommand(app, common),
        vste::cli::AddExportCommand(app, common),
        vste::cli::AddApplyCommand(app, common),
        vste::cli::AddStatusCommand(app, common),
        vste::cli::AddTmCommand(app, common),
        vste::cli::AddPretranslateCommand(app, common),
    };
    // clang-format on

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        return Fail(std::string(e.what()) + "\nRun with --help for more information.", 2);
    }

    try {
        ActivateCodePage(common);
        for (const vste::cli::Command& command : commands) {
            if (command.parser->parsed()) {
                command.run();
                break;
            }
        }
    } catch (const vste::cli::UsageError& e) {
        return Fail(e.what(), 2);
    } catch (const std::bad_alloc&) {
        // Reading is what takes memory in proportion to the input; tables read through
        // ReadTable name their file.
        return Fail(std::string("not enough memory: ") + vste::cli::kTooLargeToRead, 1);
    } catch (const std::exception& e) {
        return Fail(e.what(), 1);
    }
    return 0;
}
