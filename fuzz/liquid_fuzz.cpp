// SPDX-License-Identifier: MIT
// Reads arbitrary bytes as a Liquid text file; a successful read must survive writing and reading
// again (see FuzzSupport.h).
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return vste::fuzz::ReaderRoundTrip(vste::DocumentFormat::Liquid, data, size);
}
