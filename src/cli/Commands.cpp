// SPDX-License-Identifier: MIT
#include "cli/Commands.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <string_view>
#include <utility>

#include "core/Model.h"
#include "core/Progress.h"
#include "core/StringUtils.h"
#include "encoding/CodePage.h"
#include "formats/Registry.h"

namespace vste::cli {

namespace {

std::string HexBytes(const Tag4& bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string s;
    for (std::uint8_t b : bytes) {
        s.push_back(kDigits[b >> 4]);
        s.push_back(kDigits[b & 15]);
    }
    return s;
}

} // namespace

void Dump(const InputOptions& options, std::FILE* file) {
    const FormatInfo& format = InputFormat(options);
    const ReadResult read = Read(options, format);
    const TWestwoodStrings& doc = *read.document;

    Json header;
    header["format"] = format.shortName;
    header["magic"] = HexBytes(doc.Magic);
    header["version"] = doc.Version;
    header["label_count"] = doc.LabelCount();
    header["string_count"] = doc.StringCount;
    header["reserved"] = HexBytes(doc.Reserved);
    header["language"] = doc.Language;
    header["single_byte"] = read.singleByte;

    // The header object without its closing brace, then the labels one per line, so that no
    // tree of the whole table is ever built.
    Output out(file);
    std::string head = DumpJson(header);
    head.pop_back();
    out.write(head);
    out.write(doc.Body.empty() ? ",\"labels\":[]}\n" : ",\"labels\":[\n");
    for (std::size_t i = 0; i < doc.Body.size(); ++i) {
        const TText& text = doc.Body[i];
        Json label;
        label["name"] = Shown(text.Name);
        label["tag"] = HexBytes(text.Tag);
        Json values = Json::array();
        for (const TTextContainer& v : text.Values) {
            Json value;
            value["tag"] = HexBytes(v.Tag);
            value["value"] = Utf16ToUtf8(v.Value);
            value["extra"] = Shown(v.ExtraValue);
            values.push_back(std::move(value));
        }
        label["values"] = std::move(values);
        out.write(DumpJson(label));
        out.write(i + 1 < doc.Body.size() ? ",\n" : "\n]}\n");
    }
    out.flush();
}

void Categories(const InputOptions& options, std::FILE* file) {
    const FormatInfo& format = InputFormat(options);
    const ReadResult read = Read(options, format);
    const TCat categories = read.document->GetCategories();
    Output out(file);
    out.write(categories.empty() ? "[]\n" : "[\n");
    for (std::size_t i = 0; i < categories.size(); ++i) {
        Json category;
        category["name"] = Shown(categories[i].Name);
        category["ids"] = categories[i].IDs;
        out.write(DumpJson(category));
        out.write(i + 1 < categories.size() ? ",\n" : "\n]\n");
    }
    out.flush();
}

void Convert(const ConvertOptions& options) {
    const FormatInfo& from = InputFormat(options.input);
    // Everything the arguments alone rule out is refused before any file is touched.
    const DocumentFormat target =
        TargetFormat(from, options.to, DefaultOutputFormat(from), "convert");
    RefuseTableOutput(options.output, {});
    if (!IsCompiled(from.id)) {
        const auto refuse = [&](const char* option) {
            throw UsageError(std::string(option) +
                             " applies only to csf and str documents, not to " +
                             std::string(from.shortName));
        };
        if (!options.importFile.empty())
            refuse("--import");
        if (!options.fargus.empty())
            refuse("--fargus");
        if (options.version)
            refuse("--set-version");
        if (options.language)
            refuse("--set-language");
    }

    NullProgress progress;
    ReadResult read = Read(options.input, from);
    TWestwoodStrings& doc = *read.document;
    if (!options.importFile.empty()) {
        ReadResult source = ReadTable(DocumentFormat::CSF, options.importFile);
        doc.ImportStrings(*source.document, progress);
    }
    if (options.fargus == "decode")
        doc.DecodeFargusCyrillic();
    else if (options.fargus == "encode")
        doc.EncodeFargusCyrillic();
    if (options.version)
        doc.SetVersion(*options.version);
    if (options.language)
        doc.SetLanguage(*options.language);

    bool ansiMode = read.singleByte;
    if (options.ansi == AnsiOverride::Ansi)
        ansiMode = true;
    else if (options.ansi == AnsiOverride::Unicode)
        ansiMode = false;

    Write(options.output, target, doc, ansiMode);
    KeepUntilExit(std::move(read.document));
}

Command AddDumpCommand(CLI::App& app, CommonOptions& common) {
    auto input = std::make_shared<InputOptions>();
    CLI::App* dump = app.add_subcommand(
        "dump",
        "Print the table as one JSON object: format, magic, version, label_count, "
        "string_count, reserved, language, single_byte and labels (name, tag, values with "
        "tag, value and extra). Tags, magic and reserved are 8 hex digits of the raw bytes");
    dump->add_option("FILE", input->file, "String table to read")->required();
    AddInputOptions(*dump, *input, common);
    return {dump, [input] { Dump(*input, stdout); }};
}

Command AddCategoriesCommand(CLI::App& app, CommonOptions& common) {
    auto input = std::make_shared<InputOptions>();
    CLI::App* categories = app.add_subcommand(
        "categories", "Print the categories as a JSON array of {\"name\", \"ids\"}, where ids are "
                      "the 0-based indexes of the category's strings");
    categories->add_option("FILE", input->file, "String table to read")->required();
    AddInputOptions(*categories, *input, common);
    return {categories, [input] { Categories(*input, stdout); }};
}

Command AddConvertCommand(CLI::App& app, CommonOptions& common) {
    auto convert = std::make_shared<ConvertOptions>();
    CLI::App* conv = app.add_subcommand(
        "convert", "Read IN, apply --import, --fargus, --set-version and --set-language in this "
                   "order, and write OUT. Without --to the document is written in its own format "
                   "(an STR document is written as CSF); only csf and str documents convert to "
                   "each other, and only they accept the editing options");
    conv->add_option("IN", convert->input.file, "String table to read")->required();
    conv->add_option("OUT", convert->output, "File to write (replaced atomically)")->required();
    AddInputOptions(*conv, convert->input, common);
    conv->add_option("--to", convert->to,
                     "Format to write: str or csf for csf/str documents, "
                     "otherwise the document's own format");
    CLI::Option* ansi = conv->add_flag_callback(
        "--ansi", [convert] { convert->ansi = AnsiOverride::Ansi; },
        "Write CSF values as single bytes of the code page (default: as the input was found)");
    CLI::Option* unicode = conv->add_flag_callback(
        "--unicode", [convert] { convert->ansi = AnsiOverride::Unicode; },
        "Write CSF values as UTF-16 code units (default: as the input was found)");
    ansi->excludes(unicode);
    conv->add_option("--import", convert->importFile,
                     "Replace values by those of the same-named strings of this CSF file");
    conv->add_option("--fargus", convert->fargus,
                     "Recode the values from (decode) or to (encode) the Fargus Cyrillic layout")
        ->check(CLI::IsMember({"decode", "encode"}));
    conv->add_option("--set-version", convert->version, "New format version (e.g. 2 or 3)");
    conv->add_option("--set-language", convert->language, "New language code");
    return {conv, [convert] { Convert(*convert); }};
}

} // namespace vste::cli
