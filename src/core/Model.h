// SPDX-License-Identifier: MIT
// The in-memory string table shared by every file format, and the document base class.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Progress.h"

namespace vste {

// Four raw bytes of a record tag, as stored in the file.
using Tag4 = std::array<std::uint8_t, 4>;

inline constexpr Tag4 kLabelTag{0x20, 0x4C, 0x42, 0x4C};   // " LBL"
inline constexpr Tag4 kValueTagV3{0x20, 0x52, 0x54, 0x53}; // " RTS"
inline constexpr Tag4 kValueTagV2{0x20, 0x72, 0x74, 0x53}; // " rtS"
inline constexpr Tag4 kCsfMagic{0x20, 0x46, 0x53, 0x43};   // " FSC"
inline constexpr std::uint8_t kExtraValueMark = 0x57;      // 'W' in byte 0 of a value tag

// The value tag the editor gives a value it writes: byte 0 'W' when the value has an extra value
// (else a space), letters "rt" when `lowerCaseLetters` (else "RT"), then 'S'.
constexpr Tag4 EditorValueTag(bool extra, bool lowerCaseLetters) {
    return Tag4{extra ? kExtraValueMark : std::uint8_t{' '},
                static_cast<std::uint8_t>(lowerCaseLetters ? 'r' : 'R'),
                static_cast<std::uint8_t>(lowerCaseLetters ? 't' : 'T'),
                static_cast<std::uint8_t>('S')};
}

// One value of a string. Lengths are those of the containers: ValueLength() is the number of
// UTF-16 code units, ExtraLength() the number of bytes of the single-byte extra value.
struct TTextContainer {
    Tag4 Tag{};
    std::u16string Value;
    std::string ExtraValue;

    std::uint32_t ValueLength() const { return static_cast<std::uint32_t>(Value.size()); }
    std::uint32_t ExtraLength() const { return static_cast<std::uint32_t>(ExtraValue.size()); }
    bool HasExtraValue() const { return Tag[0] == kExtraValueMark; }
};

// One labelled string. ValueCount() is the number of values; every operation keeps it at least 1.
struct TText {
    Tag4 Tag{};
    std::string Name;
    std::vector<TTextContainer> Values;

    std::uint32_t ValueCount() const { return static_cast<std::uint32_t>(Values.size()); }
    std::uint32_t NameLength() const { return static_cast<std::uint32_t>(Name.size()); }
};

using TCSFBody = std::vector<TText>;

// The parts of a string that searches, checks and exchanges speak of.
enum class Field : std::uint8_t { Name, Value, Extra };
// "name", "value" or "extra".
std::string_view FieldName(Field field);
using TIDs = std::vector<std::int32_t>;

struct TCategory {
    std::string Name;
    TIDs IDs;
    bool operator==(const TCategory&) const = default;
};

using TCat = std::vector<TCategory>;

// Sizes a table being read to `count` strings with room for strings added later: a table read
// at its exact size would move every string on the first insert (a good tenth of a second for a
// million). The room is address space only until strings fill it.
inline void ResizeWithEditingRoom(TCSFBody& body, std::size_t count) {
    body.reserve(count + count / 8 + 16);
    body.resize(count);
}

// Which part of a string a TFieldEdit holds.
enum class TEditField : std::uint8_t {
    Name,       // the name, and where keys follow names the first value's tag (the key)
    Value,      // one value's text, with that value's tag
    ExtraValue, // one value's extra value, with that value's tag
};

// One field of one string, as it is on one side of an edit. SwapEdit exchanges it with the
// document's, so the same record undoes and redoes the edit: a list of them is an exact, undoable
// change of any size that stores only what it changed (Apply, Replace all, recoding, imports of
// other formats).
struct TFieldEdit {
    std::uint32_t StringIndex = 0;
    std::uint32_t ValueIndex = 0; // unused for names
    TEditField Field = TEditField::Value;
    std::u16string Value; // TEditField::Value
    std::string Text;     // TEditField::Name or TEditField::ExtraValue
    Tag4 Tag{};
};

// The whole value arrays of some strings, on one side of an import. SwapValues exchanges them
// with the document's.
struct TValuesSwap {
    std::vector<std::uint32_t> StringIndexes;
    std::vector<std::vector<TTextContainer>> Values;
};

// The file version and the version letters (bytes 1 and 2) of every value tag, in table order,
// on one side of a version change. SwapVersion exchanges them with the document's.
struct TVersionState {
    std::int32_t Version = 0;
    std::vector<std::array<std::uint8_t, 2>> Letters;
};

// The document. Its first six fields are the 24-byte CSF header; other formats leave them zero.
// The class is also the document of the Westwood string files (its SaveToFile writes that layout).
// Every operation exists here; those that do not apply to a format do nothing.
class TWestwoodStrings {
public:
    TWestwoodStrings() = default;
    TWestwoodStrings(const TWestwoodStrings&) = default;
    TWestwoodStrings& operator=(const TWestwoodStrings&) = default;
    virtual ~TWestwoodStrings() = default;

    // Reading constructors of the Westwood string files (.ENG, .GER, .FRE, .DIP, .LM, .DAT).
    // Throw ReadError for a malformed file, FileError when it cannot be read.
    static std::unique_ptr<TWestwoodStrings> CreateFromFile(const std::string& fileName,
                                                            Progress& progress);
    static std::unique_ptr<TWestwoodStrings> CreateFromBuffer(std::span<const std::uint8_t> data,
                                                              Progress& progress);

    Tag4 Magic{};
    std::int32_t Version = 0;
    std::int32_t StringCount = 0;
    Tag4 Reserved{};
    std::int32_t Language = 0;
    TCSFBody Body;

    // Number of strings; always the length of Body.
    std::uint32_t LabelCount() const { return static_cast<std::uint32_t>(Body.size()); }

    // The twelve document operations, in their declared order.
    // Base: one category "All strings" holding every index in order.
    virtual TCat GetCategories() const;
    // Base: the Westwood string file layout; ignores ansiMode. Throws FileError when the file
    // cannot be stored (the previous file stays intact), or FormatError when the document cannot
    // be expressed in the layout.
    virtual void SaveToFile(const std::string& fileName, Progress& progress, bool ansiMode);
    virtual void AddString(TText text) { (void)text; }
    virtual void DeleteString(std::uint32_t index) { (void)index; }
    virtual void SetVersion(std::int32_t version) { (void)version; }
    virtual void SetLanguage(std::int32_t language) { (void)language; }
    virtual void SaveToSTR(const std::string& fileName, Progress& progress) {
        (void)fileName;
        (void)progress;
    }
    virtual void DecodeFargusCyrillic() {}
    virtual void EncodeFargusCyrillic() {}
    virtual void DecodeAnsiValues() {}
    virtual void Placeholder() {}
    virtual void ImportStrings(TWestwoodStrings& source, Progress& progress) {
        (void)source;
        (void)progress;
    }

    // Editing. The editor changes a document only through these, and each rule lives here once.
    // Indexes outside the table (or outside a string's values) throw std::out_of_range; nothing
    // changes then. Operations that return something return exactly what an undo needs.

    // Renames string `index`. Where keys follow names (Empire at War) the first value's tag
    // becomes the key of the new name; other documents keep their tags. Returns the old side.
    TFieldEdit RenameString(std::uint32_t index, std::string name);
    // Sets value `valueIndex` of string `index` and its extra value, with the tag Apply gives:
    // byte 0 'W' when the extra value is not empty (else a space), letters "rt" for version 2
    // (else "RT"), then 'S'. Where keys follow names the tag (the key) stays. Returns the old
    // sides, for SwapEdits.
    std::vector<TFieldEdit> SetValue(std::uint32_t index, std::uint32_t valueIndex,
                                     std::u16string value, std::string extra);
    // The records that RenameString and SetValue apply, without applying them.
    TFieldEdit RenameEdit(std::uint32_t index, std::string name) const;
    std::vector<TFieldEdit> SetValueEdits(std::uint32_t index, std::uint32_t valueIndex,
                                          std::u16string value, std::string extra) const;
    // Exchanges the record's side with the document's. SwapEdits exchanges a list in order, or
    // in reverse order to take it back.
    void SwapEdit(TFieldEdit& edit);
    void SwapEdits(std::vector<TFieldEdit>& edits, bool reverse);

    // A new string as Insert makes it: one value with the extra value mark, letters "RT" for
    // version 3 (else "rt"); the CSF label tag of the last string; the key of the name where
    // keys follow names.
    TText NewString(std::string name, std::u16string value, std::string extra) const;
    // Inserts `text` exactly as given before string `at` (`at` == LabelCount() appends). A CSF
    // document counts it in StringCount, which wraps as the 32-bit field it is.
    void InsertString(std::uint32_t at, TText text);
    // Removes string `index` and gives it back; a CSF document counts one string less.
    TText ExtractString(std::uint32_t index);

    // An empty value as Add value makes it: tag " RTS" whatever the version.
    static TTextContainer EmptyValue();
    // The tag of a value with text appended after `before` (null: the string has none) by an
    // import or by taking another table's values: the version letters of the value before it,
    // else those of Add value; byte 0 marks an extra value, as Apply sets it.
    static Tag4 AppendedValueTag(const TTextContainer* before, bool extra);
    // Appends `value` to string `index`; a CSF document counts one string more.
    void AddValue(std::uint32_t index, TTextContainer value = EmptyValue());
    // Removes the last value of string `index` and gives it back; a CSF document counts one
    // string less. Throws std::invalid_argument when the string has one value or none.
    TTextContainer RemoveValue(std::uint32_t index);
    // Takes back the last AddValue of string `index`, whatever values remain: the undo of an
    // import that appended values. Throws std::invalid_argument when the string has none.
    TTextContainer TakeLastValue(std::uint32_t index);
    // Puts `value` (text, extra value and tag as given) in place of value `valueIndex` of
    // string `index` and gives back the one it replaces.
    TTextContainer ReplaceValue(std::uint32_t index, std::uint32_t valueIndex,
                                TTextContainer value);
    // Exchanges all the strings with `strings`, as an update of a translation replaces them; a
    // CSF header's StringCount follows the values gained or lost, so exchanging them back
    // restores it.
    void SwapStrings(TCSFBody& strings);
    // Takes every string out, leaving none; a CSF header counts their values out, so that
    // SwapStrings with a new list then counts in what it holds.
    TCSFBody TakeStrings();

    // Sets the file version as SetVersion does and returns the old side.
    TVersionState ChangeVersion(std::int32_t version);
    void SwapVersion(TVersionState& state);
    // The value edits of the Fargus recoding (decode: Fargus to Windows-1251 letters; encode:
    // back), one for each non-empty value that changes, holding the new text.
    std::vector<TFieldEdit> FargusEdits(bool decode) const;
    // Imports the values of `source` as ImportStrings does and returns the old side; moves
    // values out of `source`. Base: imports nothing.
    virtual TValuesSwap ImportStringValues(TWestwoodStrings& source, Progress& progress);
    // Exchanges the value arrays of `swap` with the document's. With `countValues`, a CSF
    // header's StringCount follows the number of values gained or lost, as Add value makes it
    // (an import leaves it).
    void SwapValues(TValuesSwap& swap, bool countValues = false);

    // Categories kept in step with the editing operations without a rebuild: `cats` as
    // GetCategories() gave them before the change become what it gives after it, at the cost of
    // one pass over the indexes instead of one over the names. Each is called after the change.
    // After InsertString(at, ...):
    void CategoriesAfterInsert(TCat& cats, std::uint32_t at) const;
    // After ExtractString(index) took out a string named `name`:
    void CategoriesAfterExtract(TCat& cats, std::uint32_t index, std::string_view name) const;
    // After string `index` was renamed from `oldName`:
    void CategoriesAfterRename(TCat& cats, std::uint32_t index, std::string_view oldName) const;

    // Encodes the document in the layout that SaveToFile stores. SaveToFile of every class is
    // "encode to memory, then store atomically", so tests and fuzzers use this directly.
    // Base: the Westwood string file layout.
    virtual std::vector<std::uint8_t> SaveToBuffer(Progress& progress, bool ansiMode) const;

protected:
    // Whether the first value's tag is the key of the name (Empire at War).
    virtual bool KeysFromNames() const { return false; }
    // Whether the document has the CSF header: label tags, and a StringCount that adding and
    // removing strings and values adjusts.
    virtual bool HasCsfHeader() const { return false; }
    // The name of the category that holds strings named `name`. Base: "All strings".
    virtual std::string CategoryOf(std::string_view name) const;
    // Whether GetCategories sorts categories by name (byte-wise, as std::string compares);
    // otherwise they follow the order of their first strings.
    virtual bool CategoriesByName() const { return false; }
    // The label tag of a new CSF string: that of the last string, else the usual one.
    Tag4 NewLabelTag() const;
    // The value tag that Apply gives a value: byte 0 'W' when it has an extra value (else a
    // space), letters "rt" for version 2 (else "RT"), then 'S'.
    Tag4 AppliedValueTag(bool extra) const;

private:
    TText& StringAt(std::uint32_t index);
    const TText& StringAt(std::uint32_t index) const;
    bool AddToCategory(TCat& cats, std::uint32_t index) const;
    bool RemoveFromCategory(TCat& cats, std::uint32_t index, std::string_view name) const;
};

} // namespace vste
