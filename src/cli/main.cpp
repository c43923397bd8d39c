// SPDX-License-Identifier: MIT
// vste-cli: inspect and convert string tables from the command line.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>
#include <optional>
#include <string>

#include "cli/Commands.h"
#include "encoding/CodePage.h"

namespace {

constexpr const char* kFormats =
    "csf (.csf), str (.str), eaw (.dat), uib (.uib), westwood (.eng .ger .fre .dip .lm), "
    "lte (.lte), trr (.trr), tre (.tre .trf .trg)";

int Fail(const std::string& message, int code) {
    std::fprintf(stderr, "vste-cli: %s\n", message.c_str());
    return code;
}

void AddInputOptions(CLI::App& command, vste::cli::InputOptions& input,
                     std::optional<int>& codePage) {
    command.add_option("--format", input.format,
                       std::string("Format of the input file; without it the extension decides "
                                   "(case-insensitive, .dat means eaw). Formats: ") +
                           kFormats);
    command.add_option("--codepage", codePage,
                       "Single-byte code page of names, extra values and single-byte text: "
                       "1250-1258 or 874. Default: VSTE_CODEPAGE, else the locale's language");
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"vste-cli: inspect and convert the string tables of games (CSF, STR and older "
                 "formats).\n"
                 "Exit status: 0 on success, 1 when reading or writing fails, 2 for a usage error "
                 "(including a conversion the document cannot make)."};
    app.require_subcommand(1);
    app.footer("Run 'vste-cli COMMAND --help' for the options of each command. Names and extra "
               "values are single-byte text shown through the code page; values are UTF-8.");

    vste::cli::InputOptions input;
    vste::cli::ConvertOptions convert;
    std::optional<int> codePage;

    CLI::App* dump = app.add_subcommand(
        "dump",
        "Print the table as one JSON object: format, magic, version, label_count, "
        "string_count, reserved, language, single_byte and labels (name, tag, values with "
        "tag, value and extra). Tags, magic and reserved are 8 hex digits of the raw bytes");
    dump->add_option("FILE", input.file, "String table to read")->required();
    AddInputOptions(*dump, input, codePage);

    CLI::App* categories = app.add_subcommand(
        "categories", "Print the categories as a JSON array of {\"name\", \"ids\"}, where ids are "
                      "the 0-based indexes of the category's strings");
    categories->add_option("FILE", input.file, "String table to read")->required();
    AddInputOptions(*categories, input, codePage);

    CLI::App* conv = app.add_subcommand(
        "convert", "Read IN, apply --import, --fargus, --set-version and --set-language in this "
                   "order, and write OUT. Without --to the document is written in its own format "
                   "(an STR document is written as CSF); only csf and str documents convert to "
                   "each other, and only they accept the editing options");
    conv->add_option("IN", convert.input.file, "String table to read")->required();
    conv->add_option("OUT", convert.output, "File to write (replaced atomically)")->required();
    AddInputOptions(*conv, convert.input, codePage);
    conv->add_option("--to", convert.to,
                     "Format to write: str or csf for csf/str documents, "
                     "otherwise the document's own format");
    CLI::Option* ansi = conv->add_flag_callback(
        "--ansi", [&] { convert.ansi = vste::cli::AnsiOverride::Ansi; },
        "Write CSF values as single bytes of the code page (default: as the input was found)");
    CLI::Option* unicode = conv->add_flag_callback(
        "--unicode", [&] { convert.ansi = vste::cli::AnsiOverride::Unicode; },
        "Write CSF values as UTF-16 code units (default: as the input was found)");
    ansi->excludes(unicode);
    conv->add_option("--import", convert.importFile,
                     "Replace values by those of the same-named strings of this CSF file");
    conv->add_option("--fargus", convert.fargus,
                     "Recode the values from (decode) or to (encode) the Fargus Cyrillic layout")
        ->check(CLI::IsMember({"decode", "encode"}));
    conv->add_option("--set-version", convert.version, "New format version (e.g. 2 or 3)");
    conv->add_option("--set-language", convert.language, "New language code");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        return Fail(std::string(e.what()) + "\nRun with --help for more information.", 2);
    }

    try {
        if (codePage) {
            if (!vste::IsSupportedCodePage(*codePage))
                throw vste::cli::UsageError("unsupported code page " + std::to_string(*codePage) +
                                            " (supported: 1250-1258, 874)");
            vste::SetActiveCodePage(*codePage);
        } else {
            vste::InitActiveCodePageFromEnvironment();
        }
        if (dump->parsed())
            vste::cli::Dump(input, stdout);
        else if (categories->parsed())
            vste::cli::Categories(input, stdout);
        else
            vste::cli::Convert(convert);
    } catch (const vste::cli::UsageError& e) {
        return Fail(e.what(), 2);
    } catch (const std::exception& e) {
        return Fail(e.what(), 1);
    }
    return 0;
}
