// SPDX-License-Identifier: MIT
// Hostile-input helpers shared by the format tests.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <exception>
#include <span>
#include <vector>

#include "core/Errors.h"
#include "support/TestSupport.h"

namespace vste::test {

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
