// SPDX-License-Identifier: MIT
#include "cli/TranslationCommands.h"

#include <CLI/CLI.hpp>

#include <future>
#include <memory>
#include <optional>

#include "checks/StoreCheck.h"
#include "core/FileIO.h"
#include "encoding/CodePage.h"
#include "translation/CsfOutline.h"
#include "translation/Languages.h"
#include "translation/LargeMemory.h"
#include "translation/Pretranslate.h"
#include "translation/Tmx.h"
#include "translation/TranslationStatus.h"

namespace vste::cli {

namespace {

// The tables, read two at a time: reading is most of the work.
std::vector<ReadResult> ReadAll(const std::vector<InputOptions>& inputs) {
    std::vector<const FormatInfo*> formats;
    for (const InputOptions& input : inputs)
        formats.push_back(&InputFormat(input));
    std::vector<std::future<ReadResult>> reads;
    for (std::size_t i = 0; i < inputs.size(); ++i)
        reads.push_back(
            std::async(std::launch::async, [&, i] { return Read(inputs[i], *formats[i]); }));
    std::vector<ReadResult> read;
    for (auto& r : reads)
        read.push_back(r.get());
    return read;
}

TmxContents LoadTmx(const std::string& file, std::string_view source = {},
                    std::string_view target = {}) {
    const FileBytes data(file);
    try {
        return ReadTmx(data.bytes(), source, target);
    } catch (const DocumentError& e) {
        throw TmxError("\"" + file + "\", " + e.what());
    }
}

FuzzyIndex IndexOfSources(const std::vector<TmUnit>& units) {
    return FuzzyIndex(units.size(),
                      [&units](std::size_t k) { return std::u16string_view(units[k].source); });
}

void Print(std::FILE* file, const Json& json) {
    Output out(file);
    out.write(DumpJson(json) + "\n");
    out.flush();
}

// CSF tables outlined in their bytes, for the commands that only pair strings by name and
// compare or copy values.
struct Outlined {
    std::vector<LargeFile> files;
    std::vector<CsfOutline> tables;
};

// Every input outlined, two at a time, or null when one is no CSF table the outline takes or
// cannot be read so: the tables are then read in full, which reports any fault.
std::unique_ptr<Outlined> OutlineAll(const std::vector<InputOptions>& inputs) {
    for (const InputOptions& input : inputs)
        if (InputFormat(input).id != DocumentFormat::CSF)
            return nullptr;
    auto outlined = std::make_unique<Outlined>();
    for (const InputOptions& input : inputs) {
        std::optional<LargeFile> file = LargeFile::Read(input.file);
        if (!file)
            return nullptr;
        outlined->files.push_back(std::move(*file));
    }
    std::vector<std::future<std::optional<CsfOutline>>> scans;
    for (const LargeFile& file : outlined->files)
        scans.push_back(
            std::async(std::launch::async, [&file] { return CsfOutline::Scan(file.bytes()); }));
    for (auto& scan : scans) {
        std::optional<CsfOutline> table = scan.get();
        if (!table)
            return nullptr;
        outlined->tables.push_back(std::move(*table));
    }
    return outlined;
}

// --target-language, else the first translation's CSF header unless it names the source's
// language (tables that never had their language set say English); else empty.
std::string TargetLanguage(const TmBuildOptions& options, std::int32_t headerLanguage) {
    if (!options.targetLanguage.empty())
        return options.targetLanguage;
    if (const auto code = CsfLanguageCode(headerLanguage);
        code && !SameLanguage(*code, options.sourceLanguage))
        return std::string(*code);
    return {};
}

// tm build from outlined CSF pairs, when every table outlines and the translation's language is
// known; false (nothing done) otherwise.
bool TmBuildFromOutlines(const TmBuildOptions& options, const std::vector<InputOptions>& inputs,
                         std::FILE* out) {
    if (inputs.empty())
        return false;
    const std::unique_ptr<Outlined> outlined = OutlineAll(inputs);
    if (!outlined)
        return false;
    const std::string target = TargetLanguage(options, outlined->tables[1].language());
    if (target.empty())
        return false;
    std::vector<OutlinedPair> pairs;
    for (std::size_t i = 0; i + 1 < inputs.size(); i += 2)
        pairs.push_back({&outlined->tables[i], &outlined->tables[i + 1]});
    const TablePairsTmx tmx = WriteTablePairsTmx(pairs, options.sourceLanguage, target);
    StoreFileAtomically(options.output, {reinterpret_cast<const std::uint8_t*>(tmx.bytes.data()),
                                         tmx.bytes.size()});
    Json json;
    json["units"] = tmx.units;
    Print(out, json);
    return true;
}

void PrintStatus(std::FILE* out, const std::vector<InputOptions>& inputs, std::size_t sourceStrings,
                 const std::vector<TranslationStatus>& counts, const std::vector<Json>& languages) {
    Json json;
    json["source"] = {{"file", inputs[0].file}, {"strings", sourceStrings}};
    json["tables"] = Json::array();
    for (std::size_t i = 0; i < counts.size(); ++i) {
        const TranslationStatus& s = counts[i];
        Json table;
        table["file"] = inputs[i + 1].file;
        table["language"] = languages[i];
        table["strings"] = s.strings;
        table["translated"] = s.translated;
        table["untranslated"] = s.untranslated;
        table["missing"] = s.missing;
        table["only_here"] = s.onlyHere;
        table["percent"] = s.percent;
        json["tables"].push_back(std::move(table));
    }
    Print(out, json);
}

} // namespace

void Status(const StatusOptions& options, std::FILE* out) {
    std::vector<InputOptions> inputs{options.source};
    for (const std::string& table : options.tables)
        inputs.push_back({table, options.format});
    std::vector<TranslationStatus> counts;
    std::vector<Json> languages;
    std::size_t sourceStrings = 0;
    if (const std::unique_ptr<Outlined> outlined = OutlineAll(inputs)) {
        // Outlined CSF tables: the source's names are grouped once for every translation.
        const OutlineNames names(outlined->tables[0], 0);
        sourceStrings = outlined->tables[0].size();
        std::vector<std::future<TranslationStatus>> pending;
        for (std::size_t i = 1; i < inputs.size(); ++i) {
            pending.push_back(std::async(std::launch::async, [&, i] {
                return CountTranslation(names, outlined->tables[i]);
            }));
            languages.push_back(Json(outlined->tables[i].language()));
        }
        for (auto& p : pending)
            counts.push_back(p.get());
    } else {
        std::vector<ReadResult> read = ReadAll(inputs);
        const TCSFBody& source = read[0].document->Body;
        sourceStrings = source.size();
        std::vector<std::future<TranslationStatus>> pending;
        for (std::size_t i = 1; i < read.size(); ++i)
            pending.push_back(std::async(std::launch::async, [&, i] {
                return CountTranslation(source, read[i].document->Body);
            }));
        for (std::size_t i = 1; i < read.size(); ++i) {
            counts.push_back(pending[i - 1].get());
            const DocumentFormat id = InputFormat(inputs[i]).id;
            languages.push_back(GetFormatInfo(id).versionAndLanguage && id == DocumentFormat::CSF
                                    ? Json(read[i].document->Language)
                                    : Json(nullptr));
        }
        for (auto& r : read)
            KeepUntilExit(std::move(r.document));
    }
    PrintStatus(out, inputs, sourceStrings, counts, languages);
}

void TmBuild(const TmBuildOptions& options, std::FILE* out) {
    if (options.pairs.size() % 2 != 0)
        throw UsageError("tm build takes its tables in pairs, SOURCE TRANSLATION; the last "
                         "source has no translation");
    if (options.pairs.empty() && options.add.empty())
        throw UsageError("tm build needs SOURCE TRANSLATION pairs or --add FILE.tmx");
    std::vector<InputOptions> inputs;
    for (const std::string& file : options.pairs)
        inputs.push_back({file, options.format});
    if (options.add.empty() && TmBuildFromOutlines(options, inputs, out))
        return;
    std::vector<ReadResult> read = ReadAll(inputs);

    std::string target = options.targetLanguage;
    if (!read.empty() && InputFormat(inputs[1]).id == DocumentFormat::CSF)
        target = TargetLanguage(options, read[1].document->Language);
    MemoryBuilder memory;
    for (std::size_t i = 0; i + 1 < read.size(); i += 2)
        AddTablePairs(memory, read[i].document->Body, read[i + 1].document->Body);
    std::size_t skipped = 0;
    for (const std::string& file : options.add) {
        TmxContents added = LoadTmx(file, options.sourceLanguage, target);
        if (target.empty())
            target = added.targetLanguage;
        skipped += added.skipped;
        for (TmUnit& unit : added.units)
            memory.add(std::move(unit.source), std::move(unit.target));
    }
    if (target.empty())
        throw UsageError("cannot tell the translation's language: its table's header names "
                         "none; name it with --target-language");
    StoreFileAtomically(options.output, WriteTmx(memory.units(), options.sourceLanguage, target));
    Json json;
    json["units"] = memory.size();
    if (!options.add.empty())
        json["skipped"] = skipped;
    Print(out, json);
    for (auto& r : read)
        KeepUntilExit(std::move(r.document));
}

void TmSuggest(const TmSuggestOptions& options, std::FILE* out) {
    const TmxContents memory = LoadTmx(options.memory);
    const FuzzyIndex index = IndexOfSources(memory.units);
    Json json = Json::array();
    for (const FuzzyMatch& m : index.search(Utf8ToUtf16(options.text), options.min,
                                            static_cast<std::size_t>(options.max)))
        json.push_back(Json{{"source", Utf16ToUtf8(memory.units[m.unit].source)},
                            {"target", Utf16ToUtf8(memory.units[m.unit].target)},
                            {"score", m.score}});
    Print(out, json);
}

void Pretranslate(const PretranslateOptions& options, std::FILE* out) {
    const FormatInfo& format = InputFormat(options.table);
    std::vector<ReadResult> read = ReadAll({options.table, options.source});
    const TmxContents memory = LoadTmx(options.memory);
    const FuzzyIndex index = IndexOfSources(memory.units);
    auto check = std::make_shared<StoreCheck>(CheckTarget{format.id, read[0].singleByte, 0});
    const StoreRefusal refuse = [check](StringView text, std::uint32_t valueIndex,
                                        const TTextContainer& proposed) {
        return check->refuses(text, valueIndex, proposed);
    };
    TWestwoodStrings& table = *read[0].document;
    const Pretranslation plan = PlanPretranslation(table.Body, read[1].document->Body, memory.units,
                                                   index, options.min, refuse);
    ApplyPretranslation(table, plan);
    Write(options.output, format.id, table, read[0].singleByte);
    Json json;
    json["filled"] = Json::array();
    json["fuzzy"] = Json::array();
    json["refused"] = Json::array();
    for (const Pretranslation::Fill& fill : plan.fills) {
        json["filled"].push_back(Shown(table.Body[fill.string].Name));
        if (fill.score < 100)
            json["fuzzy"].push_back(Shown(table.Body[fill.string].Name));
    }
    for (std::uint32_t i : plan.refused)
        json["refused"].push_back(Shown(table.Body[i].Name));
    json["left"] = plan.left;
    Print(out, json);
}

Command AddStatusCommand(CLI::App& app, CommonOptions& common) {
    auto o = std::make_shared<StatusOptions>();
    CLI::App* cmd = app.add_subcommand(
        "status", "How far each TABLE translates SOURCE, strings paired by name ignoring case. "
                  "Prints {\"source\": {\"file\", \"strings\"}, \"tables\": [{\"file\", "
                  "\"language\", \"strings\", \"translated\", \"untranslated\", \"missing\", "
                  "\"only_here\", \"percent\"}]}");
    cmd->add_option("SOURCE", o->source.file, "The original-language table")->required();
    cmd->add_option("TABLE", o->tables, "Translated tables")->required();
    AddFormatOption(*cmd, "--format", o->format, "the tables");
    AddFormatOption(*cmd, "--source-format", o->source.format, "SOURCE");
    cmd->add_option("--codepage", common.codePage,
                    "Single-byte code page of names: 1250-1258 or 874");
    return {cmd, [o] { Status(*o, stdout); }};
}

Command AddTmCommand(CLI::App& app, CommonOptions& common) {
    auto b = std::make_shared<TmBuildOptions>();
    auto s = std::make_shared<TmSuggestOptions>();
    CLI::App* tm = app.add_subcommand("tm", "Translation memories (TMX 1.4b): build, suggest");
    tm->require_subcommand(1);
    CLI::App* build = tm->add_subcommand(
        "build", "Write a TMX file of the values of SOURCE TRANSLATION pairs (paired by name "
                 "ignoring case; both values non-empty and different; each pair of texts once) "
                 "and of --add files. Prints {\"units\"} (and \"skipped\" with --add)");
    build->add_option("OUT", b->output, "TMX file to write (replaced atomically)")->required();
    build->add_option("TABLES", b->pairs, "SOURCE TRANSLATION [SOURCE TRANSLATION ...]");
    build->add_option("--add", b->add,
                      "TMX file whose units (one tuv of each language) are added; repeatable");
    build->add_option("--source-language", b->sourceLanguage, "Source language (default en)");
    build->add_option("--target-language", b->targetLanguage,
                      "Translation's language (default: the CSF header's, else the --add file's)");
    AddFormatOption(*build, "--format", b->format, "the tables");
    build->add_option("--codepage", common.codePage, "Single-byte code page: 1250-1258 or 874");
    CLI::App* suggest = tm->add_subcommand(
        "suggest", "The memory's units whose source is nearest TEXT: [{\"source\", \"target\", "
                   "\"score\"}], best first; score = floor(100 * (1 - distance / longer length))");
    suggest->add_option("TM", s->memory, "TMX file")->required();
    suggest->add_option("TEXT", s->text, "Text to look up (UTF-8)")->required();
    suggest->add_option("--min", s->min, "Lowest score shown (default 70)")
        ->check(CLI::Range(0, 100));
    suggest->add_option("--max", s->max, "Most suggestions shown (default 5)")
        ->check(CLI::NonNegativeNumber);
    return {tm, [b, s, build, suggest] {
                if (build->parsed())
                    TmBuild(*b, stdout);
                else if (suggest->parsed())
                    TmSuggest(*s, stdout);
            }};
}

Command AddPretranslateCommand(CLI::App& app, CommonOptions& common) {
    auto o = std::make_shared<PretranslateOptions>();
    CLI::App* cmd = app.add_subcommand(
        "pretranslate",
        "Fill TABLE's untranslated strings (empty, or SOURCE's first value) from a memory and "
        "write OUT in TABLE's format. Prints {\"filled\", \"fuzzy\", \"refused\", \"left\"}");
    cmd->add_option("TABLE", o->table.file, "Translated table")->required();
    cmd->add_option("OUT", o->output, "Table to write (replaced atomically)")->required();
    cmd->add_option("--source", o->source.file, "The original-language table")->required();
    cmd->add_option("--tm", o->memory, "TMX file")->required();
    cmd->add_option("--min", o->min, "Lowest score taken (default 100: exact matches only)")
        ->check(CLI::Range(0, 100));
    AddInputOptions(*cmd, o->table, common);
    AddFormatOption(*cmd, "--source-format", o->source.format, "SOURCE");
    return {cmd, [o] { Pretranslate(*o, stdout); }};
}

} // namespace vste::cli
