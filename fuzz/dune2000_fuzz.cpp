// SPDX-License-Identifier: MIT
// Reads arbitrary bytes as a Dune 2000 string table; a successful read must survive writing and
// reading again (see FuzzSupport.h).
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return vste::fuzz::ReaderRoundTrip(vste::DocumentFormat::Dune2000, data, size);
}
