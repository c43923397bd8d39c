// SPDX-License-Identifier: MIT
#include <CLI/CLI.hpp>

#include <memory>
#include <optional>
#include <vector>

#include "checks/CheckEngine.h"
#include "cli/CheckCommands.h"
#include "core/FileIO.h"
#include "core/Progress.h"
#include "exchange/Exchange.h"
#include "translation/Glossary.h"
#include "translation/LargeMemory.h"
#include "translation/Spelling.h"

namespace vste::cli {
namespace {

std::vector<std::string> SplitRules(const std::string& list) {
    std::vector<std::string> ids;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        std::string id = list.substr(start, comma - start);
        id.erase(0, id.find_first_not_of(" \t"));
        id.erase(id.find_last_not_of(" \t") + 1);
        if (!id.empty())
            ids.push_back(std::move(id));
        start = comma + 1;
    }
    return ids;
}

// The engine, with the arguments' mistakes turned into usage errors.
std::unique_ptr<CheckEngine> MakeEngine(const CheckTarget& target,
                                        const std::vector<std::string>& rules,
                                        const Reference* reference, const CheckExtras& extras) {
    try {
        return std::make_unique<CheckEngine>(target, rules, reference, extras);
    } catch (const std::invalid_argument& e) {
        throw UsageError(e.what());
    }
}

// The dictionary and the glossary the options name; a missing dictionary is a usage error.
struct Extras {
    std::unique_ptr<HunspellChecker> dictionary;
    std::vector<GlossaryTerm> glossary;
    CheckExtras extras;
};

std::unique_ptr<Extras> LoadExtras(const CheckOptions& options) {
    auto loaded = std::make_unique<Extras>();
    if (!options.personal.empty() && options.spelling.empty())
        throw UsageError("--personal needs --spelling LANG");
    if (!options.glossary.empty() && options.reference.file.empty())
        throw UsageError("--glossary needs --reference REF: terms are looked up in its values");
    if (!options.spelling.empty()) {
        try {
            loaded->dictionary = std::make_unique<HunspellChecker>(
                options.dictionaryDir.empty() ? kSystemDictionaries : options.dictionaryDir,
                options.spelling);
        } catch (const DictionaryMissing& e) {
            throw UsageError(e.what());
        }
        if (!options.personal.empty())
            for (std::u16string& word : ReadWordList(options.personal))
                loaded->dictionary->accept(std::move(word));
        loaded->extras.spelling = loaded->dictionary.get();
    }
    if (!options.glossary.empty()) {
        try {
            loaded->glossary = ReadGlossary(LoadFile(options.glossary));
        } catch (const ExchangeError& e) {
            throw ExchangeError("\"" + options.glossary + "\", " + e.what());
        }
        loaded->extras.glossary = &loaded->glossary;
    }
    return loaded;
}

std::string TextLine(const std::string& file, const Finding& f) {
    std::string line =
        file + ": " + Shown(f.name) + ": " + std::string(SeverityName(f.severity)) + ": ";
    if (f.valueIndex > 0)
        line += "value " + std::to_string(f.valueIndex + 1) + ": ";
    return line + f.message + " [" + std::string(f.rule) + "]\n";
}

std::string JsonLine(const Finding& f) {
    Json json;
    json["rule"] = f.rule;
    json["severity"] = SeverityName(f.severity);
    json["name"] = Shown(f.name);
    json["value_index"] = f.valueIndex;
    json["field"] = FieldName(f.field);
    json["message"] = f.message;
    return DumpJson(json);
}

// The table, its bytes read into huge pages where they can be (touching fresh memory a small
// page at a time is much of reading a million strings); errors as Read reports them.
ReadResult ReadChecked(const InputOptions& input, const FormatInfo& format) {
    std::optional<LargeFile> file;
    if (format.id != DocumentFormat::STR) // read by name, as text
        file = LargeFile::Read(input.file);
    if (!file)
        return Read(input, format);
    NullProgress progress;
    try {
        return ReadDocument(format.id, file->bytes(), progress);
    } catch (const DocumentError& e) {
        throw DocumentError(input.file + ": " + e.what());
    } catch (const std::bad_alloc&) {
        throw DocumentError(input.file + ": " + kTooLargeToRead);
    }
}

std::string Count(std::size_t n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

} // namespace

void Check(const CheckOptions& options, std::FILE* file) {
    // Everything the arguments alone rule out is refused before any file is read.
    const FormatInfo& format = InputFormat(options.input);
    const bool hasReference = !options.reference.file.empty();
    const FormatInfo* referenceFormat = hasReference ? &InputFormat(options.reference) : nullptr;
    CheckTarget target{TargetFormat(format, options.saveAs, format.id, "check"), false, 0};
    const std::vector<std::string> rules = SplitRules(options.rules);
    const std::unique_ptr<Extras> extras = LoadExtras(options);
    {
        const TCSFBody none;
        const Reference dummy(none);
        MakeEngine(target, rules, hasReference ? &dummy : nullptr, extras->extras);
    }

    ReadResult document = ReadChecked(options.input, format);
    target.ansiMode = document.singleByte;
    ReadResult referenceDocument;
    std::unique_ptr<Reference> reference;
    if (hasReference) {
        referenceDocument = Read(options.reference, *referenceFormat);
        reference = std::make_unique<Reference>(referenceDocument.document->Body);
    }
    const std::unique_ptr<CheckEngine> engine =
        MakeEngine(target, rules, reference.get(), extras->extras);
    engine->prepare(document.document->Body);

    std::size_t errors = 0;
    std::size_t warnings = 0;
    Output out(file);
    std::vector<Finding> findings;
    engine->checkAll([&](Finding&& f) {
        ++(f.severity == Severity::Error ? errors : warnings);
        // Text goes out as it comes; JSON puts the totals first, so it waits.
        if (options.json)
            findings.push_back(std::move(f));
        else
            out.write(TextLine(options.input.file, f));
    });
    if (options.json) {
        out.write("{\"errors\":" + std::to_string(errors) +
                  ",\"warnings\":" + std::to_string(warnings) + ",\"findings\":[");
        for (std::size_t k = 0; k < findings.size(); ++k) {
            out.write(k == 0 ? "\n" : ",\n");
            out.write(JsonLine(findings[k]));
        }
        out.write(findings.empty() ? "]}\n" : "\n]}\n");
    } else {
        out.write(options.input.file + ": " + Count(errors, "error") + ", " +
                  Count(warnings, "warning") + "\n");
    }
    out.flush();
    KeepUntilExit(std::move(document.document));
    if (errors > 0)
        throw CheckFailed(options.input.file + ": " + Count(errors, "error"));
}

Command AddCheckCommand(CLI::App& app, CommonOptions& common) {
    auto options = std::make_shared<CheckOptions>();
    CLI::App* check = app.add_subcommand(
        "check", "Check FILE for what a save would lose and what the game would trip on. One "
                 "line per finding, 'FILE: NAME: error|warning: MESSAGE [RULE-ID]', then the "
                 "totals; exit status 0 without errors (warnings allowed), 1 with errors or when "
                 "a file cannot be read, 2 for a usage error");
    check->add_option("FILE", options->input.file, "String table to check")->required();
    AddInputOptions(*check, options->input, common);
    check->add_option("--reference", options->reference.file,
                      "Original-language table to compare with (any supported format); enables "
                      "placeholders, line-breaks, untranslated, missing-in-reference and "
                      "only-in-reference");
    AddFormatOption(*check, "--reference-format", options->reference.format, "the reference");
    check->add_option("--save-as", options->saveAs,
                      "Check the document as it would be written in this format (csf or str for "
                      "csf/str documents, otherwise the document's own format)");
    check->add_option("--rules", options->rules,
                      "Comma-separated rule ids to run (default: all that apply): " + RuleIdList());
    check->add_flag("--json", options->json,
                    "Print {\"errors\", \"warnings\", \"findings\": [{\"rule\", \"severity\", "
                    "\"name\", \"value_index\", \"field\", \"message\"}]}");
    check->add_option("--spelling", options->spelling,
                      "Hunspell dictionary (en_US, ru_RU, de_DE, ...) for the spelling rule: a "
                      "warning per unknown word of a value, with up to three suggestions");
    check->add_option("--dictionary-dir", options->dictionaryDir,
                      std::string("Folder of NAME.aff and NAME.dic (default ") +
                          kSystemDictionaries + ")");
    check->add_option("--personal", options->personal,
                      "File of accepted words, one per line (UTF-8)");
    check->add_option("--glossary", options->glossary,
                      "CSV with the columns term,translation for the glossary rule (needs "
                      "--reference): a warning when the reference's value holds a term as a whole "
                      "word and the value lacks its translation, both ignoring case");
    return {check, [options] { Check(*options, stdout); }};
}

} // namespace vste::cli
