// SPDX-License-Identifier: MIT
#include <CLI/CLI.hpp>

#include <memory>
#include <string_view>
#include <utility>

#include "checks/StoreCheck.h"
#include "cli/SearchCommands.h"
#include "encoding/CodePage.h"
#include "search/ReplacePlan.h"
#include "search/TableSearch.h"

namespace vste::cli {

namespace {

search::SearchOptions SearchOptionsOf(const FindOptions& options) {
    search::SearchOptions search;
    search.pattern = Utf8ToUtf16(options.pattern);
    search.regex = options.regex;
    search.matchCase = options.matchCase;
    search.wholeWord = options.wholeWord;
    search.inNames = search.inValues = search.inExtras = false;
    std::string_view list = options.in;
    while (true) {
        const std::size_t comma = list.find(',');
        const std::string_view item = list.substr(0, comma);
        if (item == "name")
            search.inNames = true;
        else if (item == "value")
            search.inValues = true;
        else if (item == "extra")
            search.inExtras = true;
        else
            throw UsageError("--in takes a comma-separated list of name, value and extra, not \"" +
                             std::string(item) + "\"");
        if (comma == std::string_view::npos)
            break;
        list.remove_prefix(comma + 1);
    }
    return search;
}

void AddSearchOptions(CLI::App& command, FindOptions& options, CommonOptions& common) {
    command.add_flag("--regex", options.regex,
                     "PATTERN is an ICU regular expression (otherwise plain text)");
    command.add_flag("--match-case", options.matchCase,
                     "Match case exactly (otherwise Unicode case folding: ß matches SS)");
    command.add_flag("--whole-word", options.wholeWord,
                     "A match may not begin or end inside a word");
    command
        .add_option("--time-limit", options.timeLimit,
                    "Seconds the whole search may take before it stops with an error "
                    "(default 60)")
        ->check(CLI::PositiveNumber);
    command.add_option("--in", options.in,
                       "Fields to search, comma-separated: name, value, extra (default: all; "
                       "value means every value of a string)");
    AddInputOptions(command, options.input, common);
}

// When the search must end: --time-limit seconds from now.
search::Matcher::Clock::time_point DeadlineOf(const FindOptions& options) {
    using Clock = search::Matcher::Clock;
    const std::chrono::duration<double> limit(options.timeLimit);
    const Clock::duration longest = std::chrono::hours(24 * 365); // no overflow past a year
    return Clock::now() +
           (limit < longest ? std::chrono::duration_cast<Clock::duration>(limit) : longest);
}

} // namespace

void Find(const FindOptions& options, std::FILE* file) {
    const search::SearchOptions search = SearchOptionsOf(options);
    const FormatInfo& format = InputFormat(options.input);
    const ReadResult read = Read(options.input, format);
    const TWestwoodStrings& doc = *read.document;
    search::Finder finder(doc, format.id, search);
    finder.setDeadline(DeadlineOf(options));

    Output out(file);
    std::vector<search::Match> matches;
    bool first = true, more = true;
    std::uint32_t shownIndex = UINT32_MAX;
    std::string shownName;
    while (more) {
        matches.clear();
        more = finder.next(matches, 8192);
        for (const search::Match& m : matches) {
            if (m.stringIndex != shownIndex) {
                shownIndex = m.stringIndex;
                shownName = Shown(doc.Body[m.stringIndex].Name);
            }
            Json match;
            match["name"] = shownName;
            match["value_index"] = m.valueIndex;
            match["field"] = search::FieldName(m.field);
            match["start"] = m.start;
            match["length"] = m.length;
            match["text"] =
                Utf16ToUtf8(search::FieldText(doc, m.stringIndex, m.valueIndex, m.field));
            out.write(first ? "[\n" : ",\n");
            out.write(DumpJson(match));
            first = false;
        }
    }
    out.write(first ? "[]\n" : "\n]\n");
    out.flush();
}

void Replace(const ReplaceOptions& options, std::FILE* file) {
    const search::SearchOptions search = SearchOptionsOf(options.find);
    const FormatInfo& from = InputFormat(options.find.input);
    const DocumentFormat target =
        TargetFormat(from, options.to, DefaultOutputFormat(from), "write");
    RefuseTableOutput(options.output, {});
    ReadResult read = Read(options.find.input, from);
    TWestwoodStrings& doc = *read.document;

    // Each slice is applied once planned: a replacement changes only its own string, so the
    // strings still to be planned are those of the file.
    search::Replacer replacer(doc, from.id, search, Utf8ToUtf16(options.replacement));
    replacer.setDeadline(DeadlineOf(options.find));
    // New values are judged as an import and a save judge them.
    auto store = std::make_shared<StoreCheck>(CheckTarget{target, read.singleByte, 0});
    replacer.checkValues(
        [store](StringView text, std::uint32_t valueIndex, const TTextContainer& proposed) {
            return store->problem(text, valueIndex, proposed);
        });
    std::size_t replacements = 0, strings = 0;
    Json refused = Json::array();
    search::ReplacePlan plan;
    for (bool more = true; more;) {
        plan = {};
        more = replacer.next(plan, 65536);
        search::ApplyPlan(doc, plan);
        replacements += plan.replacements;
        strings += plan.strings;
        for (const search::Refusal& refusal : plan.refused)
            refused.push_back(Shown(doc.Body[refusal.stringIndex].Name));
    }

    Write(options.output, target, doc, read.singleByte);
    Json report;
    report["replacements"] = replacements;
    report["strings"] = strings;
    report["refused"] = std::move(refused);
    Output out(file);
    out.write(DumpJson(report));
    out.write("\n");
    out.flush();
}

Command AddFindCommand(CLI::App& app, CommonOptions& common) {
    auto options = std::make_shared<FindOptions>();
    CLI::App* find = app.add_subcommand(
        "find", "Print every match of PATTERN as a JSON array, in table order, of {\"name\", "
                "\"value_index\" (1-based, 0 for the name), \"field\" (name, value or extra), "
                "\"start\", \"length\" (code points of text), \"text\" (the field's text)}");
    find->add_option("FILE", options->input.file, "String table to read")->required();
    find->add_option("PATTERN", options->pattern, "Text or regular expression to find")->required();
    AddSearchOptions(*find, *options, common);
    return {find, [options] { Find(*options, stdout); }};
}

Command AddReplaceCommand(CLI::App& app, CommonOptions& common) {
    auto options = std::make_shared<ReplaceOptions>();
    CLI::App* replace = app.add_subcommand(
        "replace",
        "Replace every match of PATTERN in IN, write OUT (also when nothing matched) and print "
        "{\"replacements\", \"strings\", \"refused\"}. A string whose name would become empty "
        "or another string's name (ignoring case), whose name or extra value would hold a "
        "character the code page lacks, or whose value OUT cannot store (a character a "
        "single-byte table lacks, a value too long) is left unchanged and listed in refused");
    replace->add_option("IN", options->find.input.file, "String table to read")->required();
    replace->add_option("OUT", options->output, "File to write (replaced atomically)")->required();
    replace->add_option("PATTERN", options->find.pattern, "Text or regular expression to find")
        ->required();
    replace
        ->add_option("REPLACEMENT", options->replacement,
                     "Replacement text; with --regex, $1 inserts group 1, ${name} a named "
                     "group, \\$ a dollar sign")
        ->required();
    AddSearchOptions(*replace, options->find, common);
    replace->add_option("--to", options->to,
                        "Format to write: str or csf for csf/str documents, otherwise the "
                        "document's own format");
    return {replace, [options] { Replace(*options, stdout); }};
}

} // namespace vste::cli
