// SPDX-License-Identifier: MIT
// Replace all, in two steps: a plan computed without touching the document (what changes, and
// which strings are refused and why), then applying it. The window pushes a plan as one undo
// step (undo applies it backwards); the command line plans and applies slice by slice.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/Model.h"
#include "core/NameIndex.h"
#include "formats/Registry.h"
#include "search/Matcher.h"
#include "search/TableSearch.h"

namespace vste::search {

struct Change {
    std::uint32_t stringIndex = 0;
    std::uint32_t valueIndex = 0; // 1-based; 0 for the name
    Field field = Field::Name;
    std::u16string oldText; // names and extra values as shown through the plan's code page
    std::u16string newText;
    std::uint32_t replacements = 0;
};

// Why a text cannot be stored, as a kind the window words in its own language and as an
// English message (with the character and code page) for the command line.
struct StorageRefusal {
    enum class Kind : std::uint8_t {
        None,
        NamesNotStored,
        EmptyName,
        MissingCharacter,
        NameTaken,       // another string has the new name (ignoring case)
        UnstorableValue, // the value check refuses a new value (see Replacer::checkValues)
    };
    Kind kind = Kind::None;
    std::string reason; // UTF-8, e.g. "the name would become empty"; empty for None
    explicit operator bool() const { return kind != Kind::None; }
};

// A string left unchanged, because one of its changes could not be stored.
struct Refusal : StorageRefusal {
    std::uint32_t stringIndex = 0;
};

struct ReplacePlan {
    int codePage = 0; // the code page that names and extra values go through
    std::vector<Change> changes;
    std::vector<Refusal> refused;
    std::size_t replacements = 0; // matches replaced by `changes`
    std::size_t strings = 0;      // strings that `changes` touch
};

// Why `text` cannot be stored in `field` (value number `valueIndex` for an extra value): a name
// in a format that stores none, an empty name, or a name or extra value holding a character the
// code page of `codec` lacks (never written as '?'). None when it can. Values take any text.
StorageRefusal StorageProblem(Field field, std::uint32_t valueIndex, std::u16string_view text,
                              bool namesStored, const PlainCodec& codec);

// Why the table's format cannot store `proposed` as value `valueIndex` (0-based) of `string`
// (UTF-8), or empty when it can: the rule an import and a save follow, given by the caller.
using ValueCheck = std::function<std::string(StringView string, std::uint32_t valueIndex,
                                             const TTextContainer& proposed)>;

// A replace-all plan in progress, in slices like Finder. The document must stay unchanged
// while it runs, except for applying each slice's plan before the next. A string is refused as a
// whole when a replacement would make its name empty, put a character the code page lacks into
// its name or an extra value, change the name in a format that stores no names, give it the
// name (ignoring case) of another string of the table or of a string renamed earlier in the
// plan (strings that shared a name may keep sharing one), or make a value the value check
// refuses.
class Replacer {
public:
    // codePage 0: the code page active now. Throws PatternError for an empty or invalid
    // pattern or a replacement naming a group the pattern lacks.
    Replacer(const TWestwoodStrings& document, DocumentFormat format, const SearchOptions& options,
             std::u16string_view replacement, int codePage = 0);

    // Plans up to `strings` more strings into `plan`. Returns false once the table is done.
    // Throws as Finder::next does.
    bool next(ReplacePlan& plan, std::uint32_t strings = 4096);

    // Past `deadline`, next() throws (see Matcher::setDeadline), naming the string.
    void setDeadline(Matcher::Clock::time_point deadline) { m_matcher.setDeadline(deadline); }

    // Values (and extra values) are judged by `check` from now on; without it only names and
    // extra values are, by the code page.
    void checkValues(ValueCheck check) { m_valueCheck = std::move(check); }

    std::uint32_t position() const { return m_position; }
    std::uint32_t total() const { return m_table.size(); }

private:
    StorageRefusal refusalOf(StringView text, std::string& newKey, std::string& oldKey);
    StorageRefusal nameProblem(const Change& change, std::string& key, std::string& oldKey);

    const TWestwoodStrings& m_document;
    StringTable m_table; // the same, as it is read
    Matcher m_matcher;
    FieldWalker m_walker;
    std::uint32_t m_position = 0;
    std::vector<Change> m_pending;
    ValueCheck m_valueCheck;
    std::unique_ptr<NameIndex> m_names; // the table's names, made at the first rename
    // Upper-cased: each name the plan gives so far, and the old name of its first taker.
    std::unordered_map<std::string, std::string> m_renamed;
};

// The whole plan; stops early (returning what was planned so far, with `cancelled` set) once
// `cancel` is set. Throws as Replacer does.
ReplacePlan PlanReplaceAll(const TWestwoodStrings& document, DocumentFormat format,
                           const SearchOptions& options, std::u16string_view replacement,
                           const std::atomic<bool>* cancel = nullptr, bool* cancelled = nullptr,
                           const ValueCheck& valueCheck = {});

// One field edit holding `text` as the new side of a field (`valueIndex` counted from 1, as in
// a Change), in code page `codePage` where the field holds bytes: values and extra values keep
// their tags; a name goes through the rename rule.
TFieldEdit ChangeEdit(const TWestwoodStrings& document, std::uint32_t stringIndex,
                      std::uint32_t valueIndex, Field field, const std::u16string& text,
                      int codePage);
// The plan as the editing operations' field edits, for the document it was made from: each
// holds a new text; values and extra values keep their tags; a string's name goes after its
// values, so that where keys follow names the rename's key is the tag that stays. Throws
// std::out_of_range when the document lacks a planned field.
std::vector<TFieldEdit> PlanEdits(const TWestwoodStrings& document, const ReplacePlan& plan);
// Applies PlanEdits to the document and returns the old sides: SwapEdits(them, true) undoes it.
std::vector<TFieldEdit> ApplyPlan(TWestwoodStrings& document, const ReplacePlan& plan);

} // namespace vste::search
