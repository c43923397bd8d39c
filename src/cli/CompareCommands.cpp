// SPDX-License-Identifier: MIT
#include "cli/CompareCommands.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdlib>
#include <future>
#include <memory>
#include <stdexcept>

#include "compare/TableDiff.h"
#include "compare/TranslationUpdate.h"
#include "encoding/CodePage.h"

namespace vste::cli {

namespace {

struct Input {
    const InputOptions* options;
    const FormatInfo* format;
};

// Reads the tables side by side, one thread each (the readers share no state). The first
// failure in the order given is the one reported.
std::vector<ReadResult> readAll(const std::vector<Input>& inputs) {
    std::vector<std::future<ReadResult>> pending;
    for (std::size_t k = 1; k < inputs.size(); ++k)
        pending.push_back(std::async(std::launch::async, [input = inputs[k]] {
            return Read(*input.options, *input.format);
        }));
    std::vector<ReadResult> results;
    results.push_back(Read(*inputs[0].options, *inputs[0].format));
    for (auto& p : pending)
        results.push_back(p.get());
    return results;
}

std::string jsonName(const std::string& name) {
    return DumpJson(Json(Shown(name)));
}

// `[ "a", "b" ]` of the names of `indexes` in `body`, written straight to the output.
template <typename Indexes>
void writeNames(Output& out, const TCSFBody& body, const Indexes& indexes) {
    out.write("[");
    for (std::size_t k = 0; k < indexes.size(); ++k) {
        if (k)
            out.write(",");
        out.write(jsonName(body[indexes[k]].Name));
    }
    out.write("]");
}

Json valuesJson(const TText& text) {
    Json values = Json::array();
    for (const TTextContainer& v : text.Values) {
        Json value;
        value["value"] = Utf16ToUtf8(v.Value);
        value["extra"] = Shown(v.ExtraValue);
        values.push_back(std::move(value));
    }
    return values;
}

// A value that the single-byte CSF writer would store as something else ('?' or a look-alike).
bool losesInCodePage(const std::u16string& value) {
    if (std::all_of(value.begin(), value.end(), [](char16_t c) { return c < 0x80; }))
        return false;
    return AnsiToWide(WideToAnsi(value)) != value;
}

void requireSingleByte(const TCSFBody& body, const std::vector<std::uint32_t>& indexes) {
    for (std::uint32_t i : indexes)
        for (const TTextContainer& v : body[i].Values)
            if (losesInCodePage(v.Value))
                throw std::runtime_error(
                    "The string \"" + Shown(body[i].Name) + "\" has a value that code page " +
                    std::to_string(ActiveCodePage()) +
                    " cannot hold, and the translation stores single-byte values; nothing was "
                    "written (use --unicode to store the values as UTF-16)");
}

// Refuses an output name whose extension promises another format than the one written.
void checkOutputName(const std::string& output, const FormatInfo& format) {
    const FormatInfo* named = FindFormatByFileName(output);
    if (named == nullptr || named->id == format.id)
        return;
    const auto dot = output.rfind('.');
    std::string ext = output.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    if (std::find(format.extensions.begin(), format.extensions.end(), ext) !=
        format.extensions.end())
        return;
    throw UsageError("OUT \"" + output + "\" is named as a " + std::string(named->shortName) +
                     " file, but the translation is " + std::string(format.shortName) +
                     " and OUT is written in that format");
}

// {"kept", "changed", "new", "removed"}: changed and new strings as the new original spells
// them, removed ones as the translation does.
Json reportJson(const UpdatedTable& updated, const TCSFBody& translation) {
    const auto names = [](const TCSFBody& body, const std::vector<std::uint32_t>& indexes) {
        Json list = Json::array();
        for (std::uint32_t i : indexes)
            list.push_back(Shown(body[i].Name));
        return list;
    };
    Json report;
    report["kept"] = updated.report.kept;
    report["changed"] = names(updated.body, updated.report.changed);
    report["new"] = names(updated.body, updated.report.added);
    report["removed"] = names(translation, updated.report.removed);
    return report;
}

} // namespace

bool Diff(const DiffOptions& options, std::FILE* file) {
    const FormatInfo& formatA = InputFormat(options.a);
    const FormatInfo& formatB = InputFormat(options.b);
    std::vector<ReadResult> read = readAll({{&options.a, &formatA}, {&options.b, &formatB}});
    ReadResult& readA = read[0];
    ReadResult& readB = read[1];
    const TCSFBody& a = readA.document->Body;
    const TCSFBody& b = readB.document->Body;
    const TableDiff diff = DiffTables(a, b);

    Output out(file);
    out.write(diff.identical() ? "{\"identical\":true,\"only_in_a\":"
                               : "{\"identical\":false,\"only_in_a\":");
    writeNames(out, a, diff.onlyInA);
    out.write(",\"only_in_b\":");
    writeNames(out, b, diff.onlyInB);
    out.write(diff.changed.empty() ? ",\"changed\":[" : ",\"changed\":[\n");
    for (std::size_t k = 0; k < diff.changed.size(); ++k) {
        const TText& x = a[diff.changed[k].a];
        const TText& y = b[diff.changed[k].b];
        Json entry;
        entry["name"] = Shown(x.Name);
        if (x.Name != y.Name)
            entry["name_b"] = Shown(y.Name);
        entry["a"] = valuesJson(x);
        entry["b"] = valuesJson(y);
        out.write(DumpJson(entry));
        out.write(k + 1 < diff.changed.size() ? ",\n" : "\n");
    }
    out.write("]}\n");
    out.flush();
    KeepUntilExit(std::move(readA.document));
    KeepUntilExit(std::move(readB.document));
    return !diff.identical();
}

void Update(const UpdateCommandOptions& options, std::FILE* file) {
    InputOptions oldSource = options.oldSource, newSource = options.newSource;
    oldSource.format = newSource.format = options.sourceFormat;
    // Everything the arguments alone rule out is refused before any file is read.
    const FormatInfo& oldFormat = InputFormat(oldSource);
    const FormatInfo& newFormat = InputFormat(newSource);
    const FormatInfo& trFormat = InputFormat(options.translation);
    checkOutputName(options.output, trFormat);

    std::vector<ReadResult> read = readAll(
        {{&oldSource, &oldFormat}, {&newSource, &newFormat}, {&options.translation, &trFormat}});
    ReadResult& oldRead = read[0];
    ReadResult& newRead = read[1];
    ReadResult& trRead = read[2];
    TWestwoodStrings& tr = *trRead.document;
    // The translation's strings are moved into OUT; the ones left behind are the removed ones,
    // which the report names.
    TCSFBody own = tr.TakeStrings();
    UpdatedTable updated =
        UpdateTranslationConsuming(oldRead.document->Body, newRead.document->Body, tr, trFormat.id,
                                   own, vste::UpdateOptions{options.keepRemoved, 0});
    const UpdateReport& report = updated.report;
    const bool ansiMode = trRead.singleByte && !options.unicode;
    if (ansiMode)
        requireSingleByte(updated.body, report.added);

    // Removed strings are named from the translation's own strings.
    const Json printed = reportJson(updated, own);
    tr.SwapStrings(updated.body);
    Write(options.output, trFormat.id, tr, ansiMode);

    Output out(file);
    out.write(DumpJson(printed));
    out.write("\n");
    out.flush();
    KeepUntilExit(std::move(oldRead.document));
    KeepUntilExit(std::move(newRead.document));
    KeepUntilExit(std::move(trRead.document));
}

Command AddDiffCommand(CLI::App& app, CommonOptions& common) {
    auto options = std::make_shared<DiffOptions>();
    CLI::App* diff = app.add_subcommand(
        "diff",
        "Compare two tables, matching names ignoring case, and print {\"identical\", "
        "\"only_in_a\", \"only_in_b\", \"changed\": [{\"name\", \"name_b\" (when the case "
        "differs), \"a\", \"b\"}]} with values as {\"value\", \"extra\"}. Names as A spells them "
        "(B's for only_in_b), in A's order, then B's");
    diff->add_option("A", options->a.file, "First table")->required();
    diff->add_option("B", options->b.file, "Second table")->required();
    AddInputOptions(*diff, options->a, common);
    AddFormatOption(*diff, "--format-b", options->b.format, "B (--format applies to A)");
    diff->add_flag("--exit-code", options->exitCode,
                   "Exit with 3 when the tables differ (default: 0 either way)");
    return {diff, [options] {
                const bool differ = Diff(*options, stdout);
                if (differ && options->exitCode)
                    std::exit(kTablesDifferExitCode);
            }};
}

Command AddUpdateCommand(CLI::App& app, CommonOptions& common) {
    auto options = std::make_shared<UpdateCommandOptions>();
    CLI::App* update = app.add_subcommand(
        "update",
        "Carry a translation over to a new version of its original: OUT gets NEW's strings in "
        "NEW's order with the translation's values where it has them (reported as changed when "
        "OLD and NEW differ there), NEW's values where it does not (new); the translation's "
        "strings NEW lacks are dropped (removed). OUT is written in the translation's format, "
        "version, language and value encoding. Prints {\"kept\", \"changed\", \"new\", "
        "\"removed\"}");
    update
        ->add_option("--old-source", options->oldSource.file,
                     "The original the translation "
                     "was made from")
        ->required();
    update->add_option("--new-source", options->newSource.file, "The new original")->required();
    update->add_option("--translation", options->translation.file, "The translation")->required();
    update->add_option("OUT", options->output, "File to write (replaced atomically)")->required();
    AddInputOptions(*update, options->translation, common);
    AddFormatOption(*update, "--source-format", options->sourceFormat,
                    "OLD and NEW (--format applies to the translation and OUT)");
    update->add_flag("--keep-removed", options->keepRemoved,
                     "Keep the translation's strings that NEW lacks, at the end");
    update->add_flag("--unicode", options->unicode,
                     "Write CSF values as UTF-16 even when the translation stores single bytes");
    return {update, [options] { Update(*options, stdout); }};
}

} // namespace vste::cli
