// SPDX-License-Identifier: MIT
#include "translation/Project.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/Errors.h"
#include "core/FileIO.h"
#include "core/Progress.h"

namespace vste {

namespace fs = std::filesystem;

namespace {

bool IsTableOf(const fs::directory_entry& entry, DocumentFormat format) {
    std::error_code error;
    if (!entry.is_regular_file(error))
        return false;
    const FormatInfo* named = FindFormatByFileName(Utf8Name(entry.path().filename()));
    return named != nullptr && named->id == format;
}

void ListTables(const fs::path& folder, DocumentFormat format, int depth,
                std::vector<std::string>& out) {
    std::error_code error;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        if (IsTableOf(*it, format))
            out.push_back(Utf8Name(it->path()));
        else if (depth > 0 && it->is_directory(error))
            ListTables(it->path(), format, depth - 1, out);
    }
}

} // namespace

std::vector<std::string> FindProjectTables(const std::string& sourcePath, DocumentFormat format) {
    const fs::path source = PathFromUtf8(sourcePath);
    std::vector<std::string> tables;
    ListTables(source.parent_path().empty() ? fs::path(".") : source.parent_path(), format, 1,
               tables);
    std::error_code error;
    std::erase_if(tables, [&](const std::string& path) {
        return path == sourcePath || fs::equivalent(PathFromUtf8(path), source, error);
    });
    std::sort(tables.begin(), tables.end());
    return tables;
}

struct ProjectTables::Table {
    std::unique_ptr<TWestwoodStrings> document;
    NameIndex index;
    Table(std::unique_ptr<TWestwoodStrings> read, int codePage)
        : document(std::move(read)), index(document->Body, codePage) {}
};

ProjectTables::ProjectTables(const std::string& sourcePath, DocumentFormat format, int codePage)
    : m_sourcePath(sourcePath), m_format(format) {
    NullProgress progress;
    m_source = ReadDocumentFile(format, sourcePath, progress).document;
    m_sourceIndex = std::make_unique<NameIndex>(m_source->Body, codePage);
    const bool hasLanguage = GetFormatInfo(format).versionAndLanguage;
    for (const std::string& path : FindProjectTables(sourcePath, format)) {
        Language language;
        language.path = path;
        std::unique_ptr<Table> table;
        try {
            table = std::make_unique<Table>(ReadDocumentFile(format, path, progress).document,
                                            codePage);
            if (hasLanguage)
                language.language = table->document->Language;
            language.status = CountTranslation(m_source->Body, table->document->Body, codePage);
        } catch (const DocumentError& e) {
            language.error = e.message();
        }
        m_languages.push_back(std::move(language));
        m_tables.push_back(std::move(table));
    }
}

ProjectTables::~ProjectTables() = default;

LanguageValue ProjectTables::valueOf(std::size_t k, std::string_view name) const {
    LanguageValue value;
    const Table* table = k < m_tables.size() ? m_tables[k].get() : nullptr;
    if (table == nullptr) {
        value.state = LanguageValueState::Unreadable;
        return value;
    }
    value.index = table->index.find(name);
    if (value.index == kNoString)
        return value; // Missing
    const TText& string = table->document->Body[value.index];
    value.text = string.Values.empty() ? std::u16string() : string.Values[0].Value;
    const std::uint32_t source = m_sourceIndex->find(name);
    if (value.text.empty())
        value.state = LanguageValueState::Empty;
    else if (source != kNoString && FirstValueUntranslated(string, m_source->Body[source]))
        value.state = LanguageValueState::Untranslated;
    else
        value.state = LanguageValueState::Translated;
    return value;
}

} // namespace vste
