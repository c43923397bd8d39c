// SPDX-License-Identifier: MIT
// Empire at War text data files: a count, an index of (key, value length, name length) entries,
// then all values as UTF-16 and all names as single-byte text, none terminated. Keys are the
// CRC-32 of the names; master files are sorted by key, which the game relies on to find strings.
// Also the string deleting that the CSF document inherits.
#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <unordered_map>

#include <zlib.h>

#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "core/EmpireAtWarStrings.h"
#include "core/Errors.h"
#include "core/FileIO.h"

namespace vste {
namespace {

constexpr std::uint64_t kEntrySize = 12;

std::uint32_t KeyValue(const Tag4& tag) {
    return static_cast<std::uint32_t>(tag[0]) | (static_cast<std::uint32_t>(tag[1]) << 8) |
           (static_cast<std::uint32_t>(tag[2]) << 16) | (static_cast<std::uint32_t>(tag[3]) << 24);
}

// Only the first value is stored; a string without values is written as an empty one.
const TTextContainer& FirstValue(const TText& text) {
    static const TTextContainer empty{};
    return text.Values.empty() ? empty : text.Values.front();
}

// "TEXT_" and the word after it up to the next underscore, else "Other"; a view of `name`
// or of a literal.
std::string_view CategoryName(std::string_view name) {
    static constexpr std::string_view kPrefix = "TEXT_";
    if (!name.starts_with(kPrefix))
        return "Other";
    const auto underscore = name.find('_', kPrefix.size());
    return name.substr(0, underscore == std::string_view::npos ? kPrefix.size() : underscore);
}

} // namespace

Tag4 TEmpireAtWarStrings::KeyForName(std::string_view name) {
    // zlib takes lengths as uInt; feed very long names in pieces.
    uLong crc = crc32(0L, Z_NULL, 0);
    const auto* data = reinterpret_cast<const Bytef*>(name.data());
    std::size_t left = name.size();
    while (left > 0) {
        const auto chunk = static_cast<uInt>(std::min<std::size_t>(left, 1u << 30));
        crc = crc32(crc, data, chunk);
        data += chunk;
        left -= chunk;
    }
    const auto key = static_cast<std::uint32_t>(crc);
    return Tag4{static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(key >> 8),
                static_cast<std::uint8_t>(key >> 16), static_cast<std::uint8_t>(key >> 24)};
}

std::unique_ptr<TEmpireAtWarStrings>
TEmpireAtWarStrings::CreateFromFile(const std::string& fileName, Progress& progress) {
    const auto bytes = LoadFile(fileName);
    return CreateFromBuffer(bytes, progress);
}

std::unique_ptr<TEmpireAtWarStrings>
TEmpireAtWarStrings::CreateFromBuffer(std::span<const std::uint8_t> data, Progress& progress) {
    ByteReader in(data);
    const std::uint32_t count = in.u32();
    in.require(count, kEntrySize);

    // The index first, checked against the bytes left before any string is made.
    struct Entry {
        Tag4 key;
        std::uint32_t valueLength;
        std::uint32_t nameLength;
    };
    std::vector<Entry> index(count);
    std::uint64_t textBytes = 0;
    bool ascending = true;
    for (std::uint32_t i = 0; i < count; ++i) {
        Entry& e = index[i];
        e.key = in.tag();
        e.valueLength = in.u32();
        e.nameLength = in.u32();
        textBytes += 2 * static_cast<std::uint64_t>(e.valueLength) + e.nameLength;
        if (i > 0 && KeyValue(e.key) < KeyValue(index[i - 1].key))
            ascending = false;
    }
    in.require(textBytes);

    auto doc = std::make_unique<TEmpireAtWarStrings>();
    doc->m_keysAscending = ascending;
    ResizeWithEditingRoom(doc->Body, count);
    SetProgressMax(progress, count);

    for (std::uint32_t i = 0; i < count; ++i) {
        TText& text = doc->Body[i];
        text.Values.resize(1);
        TTextContainer& value = text.Values.front();
        value.Tag = index[i].key;
        const auto raw = in.span(2 * static_cast<std::size_t>(index[i].valueLength));
        value.Value.resize(index[i].valueLength);
        for (std::size_t k = 0; k < value.Value.size(); ++k)
            value.Value[k] = static_cast<char16_t>(raw[2 * k] | (raw[2 * k + 1] << 8));
        progress.SetPosition(ProgressIndex(i));
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        doc->Body[i].Name = in.bytes(index[i].nameLength);
        progress.SetPosition(ProgressIndex(i));
    }
    // Bytes after the names are not part of the table; they are dropped.
    return doc;
}

std::vector<std::uint8_t> TEmpireAtWarStrings::SaveToBuffer(Progress& progress, bool) const {
    const std::uint32_t count = LabelCount();
    std::vector<std::uint32_t> keys(count);
    std::uint64_t total = 4 + kEntrySize * count;
    for (std::uint32_t i = 0; i < count; ++i) {
        const TTextContainer& value = FirstValue(Body[i]);
        keys[i] = KeyValue(value.Tag);
        total += 2 * static_cast<std::uint64_t>(value.ValueLength()) + Body[i].NameLength();
    }

    // A file read with ascending keys stays ascending (stable: equal keys keep their order),
    // so strings added or renamed since land where the game looks for them.
    std::vector<std::uint32_t> order(count);
    std::iota(order.begin(), order.end(), 0u);
    if (m_keysAscending && !std::is_sorted(keys.begin(), keys.end()))
        std::stable_sort(order.begin(), order.end(),
                         [&keys](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });

    ByteWriter out(static_cast<std::size_t>(total));
    SetProgressMax(progress, count);
    out.u32(count);
    for (std::uint32_t i : order) {
        out.u32(keys[i]);
        out.u32(FirstValue(Body[i]).ValueLength());
        out.u32(Body[i].NameLength());
    }
    for (std::uint32_t n = 0; n < count; ++n) {
        out.units(FirstValue(Body[order[n]]).Value);
        progress.SetPosition(ProgressIndex(n));
    }
    for (std::uint32_t n = 0; n < count; ++n) {
        out.bytes(Body[order[n]].Name);
        progress.SetPosition(ProgressIndex(n));
    }
    return out.take();
}

void TEmpireAtWarStrings::SaveToFile(const std::string& fileName, Progress& progress,
                                     bool ansiMode) {
    StoreFileAtomically(fileName, SaveToBuffer(progress, ansiMode));
}

std::string TEmpireAtWarStrings::CategoryOf(std::string_view name) const {
    return std::string(CategoryName(name));
}

TCat TEmpireAtWarStrings::GetCategories() const {
    TCat cats;
    // Keys view the names in Body, which outlive the map.
    std::unordered_map<std::string_view, std::size_t> where;
    for (std::uint32_t n = 0; n < LabelCount(); ++n) {
        const std::string_view category = CategoryName(Body[n].Name);
        auto [it, added] = where.try_emplace(category, cats.size());
        if (added)
            cats.push_back(TCategory{std::string(category), {}});
        cats[it->second].IDs.push_back(static_cast<std::int32_t>(n));
    }
    return cats;
}

void TEmpireAtWarStrings::AddString(TText text) {
    // A keyed string holds the key of its name in its first value.
    if (text.Values.empty())
        text.Values.resize(1);
    if (KeysFromNames())
        text.Values.front().Tag = KeyForName(text.Name);
    InsertString(LabelCount(), std::move(text));
}

void TEmpireAtWarStrings::DeleteString(std::uint32_t index) {
    (void)ExtractString(index);
}

} // namespace vste
