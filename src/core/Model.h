// SPDX-License-Identifier: MIT
// The in-memory string table shared by every file format, and the document base class.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/Progress.h"

namespace vste {

// Four raw bytes of a record tag, as stored in the file.
using Tag4 = std::array<std::uint8_t, 4>;

inline constexpr Tag4 kLabelTag{0x20, 0x4C, 0x42, 0x4C};      // " LBL"
inline constexpr Tag4 kValueTagV3{0x20, 0x52, 0x54, 0x53};    // " RTS"
inline constexpr Tag4 kValueTagV2{0x20, 0x72, 0x74, 0x53};    // " rtS"
inline constexpr Tag4 kCsfMagic{0x20, 0x46, 0x53, 0x43};      // " FSC"
inline constexpr std::uint8_t kExtraValueMark = 0x57;         // 'W' in byte 0 of a value tag

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
using TIDs = std::vector<std::int32_t>;

struct TCategory {
    std::string Name;
    TIDs IDs;
    bool operator==(const TCategory&) const = default;
};

using TCat = std::vector<TCategory>;

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

    // Encodes the document in the layout that SaveToFile stores. SaveToFile of every class is
    // "encode to memory, then store atomically", so tests and fuzzers use this directly.
    // Base: the Westwood string file layout.
    virtual std::vector<std::uint8_t> SaveToBuffer(Progress& progress, bool ansiMode) const;
};

} // namespace vste
