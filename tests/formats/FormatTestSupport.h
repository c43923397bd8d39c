// SPDX-License-Identifier: MIT
// Helpers shared by the format tests: reading and encoding documents, and hostile inputs.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <exception>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/Errors.h"
#include "core/Model.h"
#include "core/Progress.h"
#include "support/TestSupport.h"

namespace vste::test {

// A document read from bytes with the reading constructor of `Document`.
template <class Document> std::unique_ptr<Document> ReadAs(std::span<const std::uint8_t> data) {
    NullProgress progress;
    return Document::CreateFromBuffer(data, progress);
}

// The bytes that saving `document` stores.
inline Bytes Encode(const TWestwoodStrings& document, bool ansiMode = false) {
    NullProgress progress;
    return document.SaveToBuffer(progress, ansiMode);
}

// A string with one value.
inline TText OneValue(std::string name, std::u16string value, Tag4 tag = {}) {
    TText text;
    text.Name = std::move(name);
    text.Values.push_back(TTextContainer{tag, std::move(value), {}});
    return text;
}

// Remembers every progress call.
class RecordingProgress : public Progress {
public:
    void SetMax(int max) override { maxima.push_back(max); }
    void SetPosition(int position) override { positions.push_back(position); }
    std::vector<int> maxima, positions;
};

// Feeds `read` every proper prefix of `data` (lengths 0 to size - 1). A prefix may only be read
// or refused with ReadError; anything else (another exception) fails the test. Returns the
// lengths that were read without error, so a test can state which truncations are harmless.
template <class Read> std::vector<std::size_t> PrefixesThatRead(const Bytes& data, Read read) {
    std::vector<std::size_t> accepted;
    for (std::size_t length = 0; length < data.size(); ++length) {
        // A copy of exactly `length` bytes, so a read past the end is caught by the sanitizers.
        const Bytes prefix(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(length));
        try {
            read(std::span<const std::uint8_t>(prefix));
            accepted.push_back(length);
        } catch (const ReadError&) {
        } catch (const std::exception& e) {
            ADD_FAILURE() << "prefix of " << length << " bytes: unexpected error " << e.what();
        }
    }
    return accepted;
}

} // namespace vste::test
