// SPDX-License-Identifier: MIT
// Document of CSF compiled string tables (versions 2 and 3) and of their text form, STR.
#pragma once

#include <memory>
#include <span>
#include <string>

#include "core/EmpireAtWarStrings.h"

namespace vste {

class TCompiledStrings : public TEmpireAtWarStrings {
public:
    TCompiledStrings() = default;

    // CSF reading constructor. `singleByte` is set when every stored value character lies below
    // U+0100 and at least one lies at U+0080 or above; the values have then been decoded through
    // the active code page. A table of plain ASCII (or of no characters) reads as Unicode.
    // Throws ReadError for a malformed file, FileError when it cannot be read.
    static std::unique_ptr<TCompiledStrings> CreateFromFile(const std::string& fileName,
                                                            Progress& progress, bool& singleByte);
    static std::unique_ptr<TCompiledStrings> CreateFromBuffer(std::span<const std::uint8_t> data,
                                                              Progress& progress, bool& singleByte);

    // STR reading constructor. Throws FormatError for a file that is no text (a zero byte, or
    // the CSF signature at its start), naming the file when it has one.
    static std::unique_ptr<TCompiledStrings> CreateFromSTRFile(const std::string& fileName,
                                                               Progress& progress);
    static std::unique_ptr<TCompiledStrings> CreateFromSTRBuffer(std::span<const std::uint8_t> data,
                                                                 Progress& progress);

    TCat GetCategories() const override;
    void SaveToFile(const std::string& fileName, Progress& progress, bool ansiMode) override;
    void AddString(TText text) override;
    void SetVersion(std::int32_t version) override;
    void SetLanguage(std::int32_t language) override;
    void SaveToSTR(const std::string& fileName, Progress& progress) override;
    void DecodeFargusCyrillic() override;
    void EncodeFargusCyrillic() override;
    void DecodeAnsiValues() override;
    void Placeholder() override {}
    void ImportStrings(TWestwoodStrings& source, Progress& progress) override;
    TValuesSwap ImportStringValues(TWestwoodStrings& source, Progress& progress) override;

    // The CSF bytes that SaveToFile stores.
    std::vector<std::uint8_t> SaveToBuffer(Progress& progress, bool ansiMode) const override;
    // The STR text that SaveToSTR stores. Throws FormatError naming the first string whose name
    // would not read back (FindStrNameFault), whose first value holds U+0000 or whose extra value
    // holds characters other than letters, digits and _; nothing is written then.
    std::vector<std::uint8_t> SaveToSTRBuffer(Progress& progress) const;

protected:
    // CSF value tags are record tags, never name keys.
    bool KeysFromNames() const override { return false; }
    bool HasCsfHeader() const override { return true; }
    std::string CategoryOf(std::string_view name) const override;
    bool CategoriesByName() const override { return true; }
};

} // namespace vste
