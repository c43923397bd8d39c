// SPDX-License-Identifier: MIT
#include "cli/ExchangeCommands.h"

#include <CLI/CLI.hpp>

#include <memory>

#include "checks/StoreCheck.h"
#include "core/Errors.h"
#include "core/FileIO.h"
#include "core/NameIndex.h"
#include "exchange/ApplyPlan.h"
#include "exchange/Exchange.h"
#include "translation/Languages.h"

namespace vste::cli {

namespace {

const ExchangeFormatInfo& ExchangeFormatOf(const std::string& fileName) {
    const ExchangeFormatInfo* info = FindExchangeFormatByFileName(fileName);
    if (info == nullptr)
        throw UsageError("cannot tell the exchange format of \"" + fileName +
                         "\" from its extension (" + ExchangeExtensionList("", ", ") + ")");
    return *info;
}

char SeparatorOf(const std::string& name, char otherwise) {
    if (name.empty())
        return otherwise;
    if (name == "comma")
        return ',';
    if (name == "semicolon")
        return ';';
    if (name == "tab")
        return '\t';
    throw UsageError("unknown separator \"" + name + "\" (comma, semicolon or tab)");
}

// Strings are matched by name ignoring case through the shared index; of several strings with
// one name the first counts.
NameLookup LookupIn(const TCSFBody& body) {
    struct State {
        explicit State(const TCSFBody& b) : index(b) {}
        NameIndex index;
        std::string scratch;
    };
    auto state = std::make_shared<State>(body);
    return [state](std::string_view name) -> std::optional<std::uint32_t> {
        const std::uint32_t i = state->index.find(name, state->scratch);
        return i == kNoString ? std::nullopt : std::optional<std::uint32_t>(i);
    };
}

// A new value is refused when a save in the target format would refuse or garble it.
RefusalCheck RefusalFor(DocumentFormat format, bool ansiMode) {
    auto check = std::make_shared<StoreCheck>(CheckTarget{format, ansiMode, 0});
    return [check](StringView text, std::uint32_t valueIndex, const TTextContainer& proposed) {
        return check->refuses(text, valueIndex, proposed);
    };
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<ImportRow> ReadExchange(const ExchangeFormatInfo& format, const std::string& file,
                                    const ImportOptions& options) {
    const std::vector<std::uint8_t> bytes = LoadFile(file);
    try {
        return format.read(bytes, options);
    } catch (const ExchangeError& e) {
        throw ExchangeError("\"" + file + "\", " + e.what());
    }
}

} // namespace

void Export(const ExportCommandOptions& options) {
    const ExchangeFormatInfo& target = ExchangeFormatOf(options.output);
    ExportOptions exportOptions;
    exportOptions.separator = SeparatorOf(options.separator, ',');
    exportOptions.sourceLanguage = options.sourceLanguage;
    exportOptions.targetLanguage = options.targetLanguage;
    exportOptions.original = BaseName(options.input.file);

    const ReadResult table = Read(options.input, InputFormat(options.input));
    ReadResult reference;
    ReferenceLookup lookup;
    if (!options.reference.file.empty()) {
        reference = Read(options.reference, InputFormat(options.reference));
        const TCSFBody* body = &reference.document->Body;
        lookup = [find = LookupIn(*body), body](const TText& text) -> const TText* {
            const auto i = find(text.Name);
            return i ? &(*body)[*i] : nullptr;
        };
    }
    // A translation's own language, where its CSF header names one other than the source's.
    if (exportOptions.targetLanguage.empty() && lookup &&
        InputFormat(options.input).id == DocumentFormat::CSF)
        if (const auto code = CsfLanguageCode(table.document->Language);
            code && !SameLanguage(*code, exportOptions.sourceLanguage))
            exportOptions.targetLanguage = std::string(*code);
    const ExportSource source(*table.document, lookup);
    StoreFileAtomically(options.output, target.write(source, exportOptions));
}

void Apply(const ApplyCommandOptions& options, std::FILE* file) {
    const FormatInfo& from = InputFormat(options.input);
    const ExchangeFormatInfo& exchange = ExchangeFormatOf(options.exchange);
    const DocumentFormat to = TargetFormat(from, options.to, from.id, "write");
    RefuseTableOutput(options.output, {options.exchange});
    ImportOptions importOptions;
    importOptions.separator = SeparatorOf(options.separator, 0);

    ReadResult read = Read(options.input, from);
    const std::vector<ImportRow> rows = ReadExchange(exchange, options.exchange, importOptions);
    ApplyOptions applyOptions;
    applyOptions.find = LookupIn(read.document->Body);
    applyOptions.refuse = RefusalFor(to, read.singleByte);
    applyOptions.applyExtras = exchange.carriesExtras && GetFormatInfo(to).hasExtraValues;
    applyOptions.canAddValues = GetFormatInfo(to).storesSeveralValues;
    const ApplyPlan plan = BuildApplyPlan(*read.document, rows, applyOptions);
    ApplyPlanTo(*read.document, plan);

    Write(options.output, to, *read.document, read.singleByte);
    Json report;
    report["updated"] = plan.report.updated;
    report["unchanged"] = plan.report.unchanged;
    report["not_found"] = plan.report.notFound;
    report["refused"] = plan.report.refused;
    Json missing = Json::array();
    for (const MissingValue& m : plan.report.missingValues)
        missing.push_back({{"name", m.name}, {"index", m.valueNumber}});
    report["missing_values"] = std::move(missing);
    Output out(file);
    out.write(DumpJson(report) + "\n");
    out.flush();
}

Command AddExportCommand(CLI::App& app, CommonOptions& common) {
    auto o = std::make_shared<ExportCommandOptions>();
    CLI::App* cmd = app.add_subcommand(
        "export", "Write the table's values to an exchange file for translators; OUT's "
                  "extension chooses the format: " +
                      ExchangeExtensionList("", ", "));
    cmd->add_option("FILE", o->input.file, "String table to read")->required();
    cmd->add_option("OUT", o->output, "Exchange file to write (replaced atomically)")->required();
    AddInputOptions(*cmd, o->input, common);
    cmd->add_option("--reference", o->reference.file,
                    "Table whose values, matched by name, are the source text");
    AddFormatOption(*cmd, "--reference-format", o->reference.format, "the reference table");
    cmd->add_option("--separator", o->separator, "CSV separator: comma (default), semicolon, tab");
    cmd->add_option("--source-language", o->sourceLanguage, "XLIFF source language (default en)");
    cmd->add_option("--target-language", o->targetLanguage,
                    "Language of the translation (PO Language, XLIFF target-language)");
    return {cmd, [o] { Export(*o); }};
}

Command AddApplyCommand(CLI::App& app, CommonOptions& common) {
    auto o = std::make_shared<ApplyCommandOptions>();
    CLI::App* cmd = app.add_subcommand(
        "apply", "Take the values of strings found by name in EXCHANGE (and, from CSV and XLSX, "
                 "the extra values) into TABLE and write OUT. Prints {\"updated\", "
                 "\"unchanged\", \"not_found\", \"refused\", \"missing_values\": [{\"name\", "
                 "\"index\"}]}: missing values are rows for a value the string does not have");
    cmd->add_option("TABLE", o->input.file, "String table to read")->required();
    cmd->add_option("EXCHANGE", o->exchange,
                    "Exchange file (" + ExchangeExtensionList("", " ") + ")")
        ->required();
    cmd->add_option("OUT", o->output, "String table to write (replaced atomically)")->required();
    AddInputOptions(*cmd, o->input, common);
    cmd->add_option("--to", o->to, "Format to write (default: the table's own)");
    cmd->add_option("--separator", o->separator,
                    "CSV separator: comma, semicolon or tab (default: found from the header)");
    return {cmd, [o] { Apply(*o, stdout); }};
}

} // namespace vste::cli
