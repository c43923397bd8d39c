// SPDX-License-Identifier: MIT
// A translation project: a source table and, as its languages, every other table of the same
// format in the source's folder and one level of subfolders. The tables are read once, kept
// read-only, and answer how far each language is and what each says for a string.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Message.h"
#include "core/Model.h"
#include "core/NameIndex.h"
#include "formats/Registry.h"
#include "translation/TranslationStatus.h"

namespace vste {

// The other tables of `sourcePath`'s format (as their extensions name it) in its folder and the
// folders directly inside it, sorted by path. Files that cannot be listed are left out.
std::vector<std::string> FindProjectTables(const std::string& sourcePath, DocumentFormat format);

// What one language's table says for one string.
enum class LanguageValueState { Translated, Untranslated, Empty, Missing, Unreadable };

struct LanguageValue {
    LanguageValueState state = LanguageValueState::Missing;
    std::u16string text;             // the first value; empty unless Translated or Untranslated
    std::uint32_t index = kNoString; // the string in that table
};

class ProjectTables {
public:
    struct Language {
        std::string path;
        std::optional<std::int32_t> language; // the CSF header's number, for formats with one
        TranslationStatus status;
        Message error; // why the table could not be read; empty when it was
    };

    // Reads the source and every table FindProjectTables lists. Throws the reader's
    // DocumentError when the source cannot be read; a language that cannot be read is listed
    // with its error.
    ProjectTables(const std::string& sourcePath, DocumentFormat format, int codePage = 0);
    ~ProjectTables();
    ProjectTables(const ProjectTables&) = delete;
    ProjectTables& operator=(const ProjectTables&) = delete;

    const std::string& sourcePath() const { return m_sourcePath; }
    DocumentFormat format() const { return m_format; }
    std::size_t sourceStrings() const { return m_source->Body.size(); }
    const std::vector<Language>& languages() const { return m_languages; }
    // Language `k`'s value of the string named `name` (ignoring case), judged against the
    // source's string of that name.
    LanguageValue valueOf(std::size_t k, std::string_view name) const;

private:
    struct Table;

    std::string m_sourcePath;
    DocumentFormat m_format;
    std::unique_ptr<TWestwoodStrings> m_source;
    std::unique_ptr<NameIndex> m_sourceIndex;
    std::vector<Language> m_languages;
    std::vector<std::unique_ptr<Table>> m_tables; // one per language; null when unreadable
};

} // namespace vste
