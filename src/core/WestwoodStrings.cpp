// SPDX-License-Identifier: MIT
// The Westwood string files: a table of 16-bit offsets and NUL-terminated strings. The games
// store the text compressed (game form); the editor writes it plain with one extra empty entry
// at the end (editor form), by which the reader recognises it and leaves its text alone.
#include <algorithm>
#include <string>
#include <vector>

#include "core/ByteReader.h"
#include "core/Errors.h"
#include "core/FileIO.h"
#include "core/Model.h"
#include "core/WestwoodText.h"

namespace vste {

namespace {

TText makeString(std::size_t number, std::u16string value) {
    TText text;
    text.Name = "String " + std::to_string(number);
    TTextContainer container;
    container.Value = std::move(value);
    text.Values.push_back(std::move(container));
    return text;
}

// The bytes of one stored string up to its first NUL; its last byte (the terminator) is dropped.
std::string_view storedText(std::span<const std::uint8_t> bytes) {
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!text.empty())
        text.remove_suffix(1);
    return text.substr(0, std::min(text.size(), text.find('\0')));
}

} // namespace

std::unique_ptr<TWestwoodStrings> TWestwoodStrings::CreateFromFile(const std::string& fileName,
                                                                   Progress& progress) {
    const std::vector<std::uint8_t> data = LoadFile(fileName);
    return CreateFromBuffer(data, progress);
}

std::unique_ptr<TWestwoodStrings>
TWestwoodStrings::CreateFromBuffer(std::span<const std::uint8_t> data, Progress& progress) {
    (void)progress;
    ByteReader in(data);
    const std::uint16_t tableSize = in.u16();
    if (tableSize < 2 || tableSize % 2 != 0 || tableSize > data.size())
        throw ReadError();

    const std::size_t tableCount = tableSize / 2;
    std::vector<std::size_t> offsets{tableSize};
    offsets.reserve(tableCount);
    while (in.position() < tableSize) {
        const std::uint16_t offset = in.u16();
        if (offset < offsets.back() || offset > data.size())
            throw ReadError();
        offsets.push_back(offset);
    }

    // Strings 1 to T - 1 lie between consecutive offsets. Raw bytes are kept so that game-form
    // text is expanded from what is stored, never from a lossy trip through the code page.
    std::vector<std::span<const std::uint8_t>> stored;
    stored.reserve(tableCount);
    for (std::size_t k = 0; k + 1 < tableCount; ++k)
        stored.push_back(in.span(offsets[k + 1] - offsets[k]));

    auto document = std::make_unique<TWestwoodStrings>();
    const bool editorForm = in.position() + 1 == data.size();
    if (!editorForm)
        stored.push_back(in.span(in.remaining()));

    document->Body.reserve(stored.size());
    for (std::size_t k = 0; k < stored.size(); ++k) {
        const std::string_view text = storedText(stored[k]);
        document->Body.push_back(makeString(
            k + 1, BytesToWide(editorForm ? std::string(text) : DecompressWestwoodText(text))));
    }
    return document;
}

void TWestwoodStrings::SaveToFile(const std::string& fileName, Progress& progress, bool ansiMode) {
    StoreFileAtomically(fileName, SaveToBuffer(progress, ansiMode));
}

std::vector<std::uint8_t> TWestwoodStrings::SaveToBuffer(Progress& progress, bool ansiMode) const {
    (void)ansiMode; // the text always goes through the active code page
    return EncodeWestwoodStrings(Body, progress);
}

} // namespace vste
