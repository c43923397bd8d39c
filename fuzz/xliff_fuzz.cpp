// SPDX-License-Identifier: MIT
// Reads arbitrary bytes as an XLIFF exchange file (see ExchangeFuzz.h).
#include "ExchangeFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return vste::fuzz::ExchangeReader(vste::ReadXliff, data, size);
}
