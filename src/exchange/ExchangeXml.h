// SPDX-License-Identifier: MIT
// What the XLIFF and XLSX readers share: XML parsed with its references left as written, so that
// each reader decodes them itself and refuses what would lose text; the line of a node; and
// reading an exchange file with out-of-memory reported as the file being too large.
#pragma once

#include <pugixml.hpp>

#include <cstddef>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

#include "exchange/Exchange.h"

namespace vste::exchange {

// pugixml's usual parse, but with character and entity references kept as written.
constexpr unsigned kRawXmlParse = pugi::parse_default & ~pugi::parse_escapes;

// No real exchange file nests elements anywhere near this deep; deeper files are refused rather
// than walked.
constexpr std::size_t kMaxXmlDepth = 256;

// `raw` with the five predefined entities and the character references (&#N; &#xH;) replaced.
// Throws ExchangeError ("WHERE: ...") for a reference to U+0000, a surrogate or a number beyond
// U+10FFFF, for a reference to any other entity (none is declared in an exchange file) and for
// a bare '&' that begins no reference.
std::string DecodeXml(std::string_view raw, const std::string& where);
// "line N" of a node of a document parsed from `text`.
std::string LineOf(std::string_view text, pugi::xml_node node);

// Runs `read`, reporting exhausted memory as the file being too large to read.
template <typename Read> auto WithMemoryGuard(Read&& read) -> decltype(read()) {
    try {
        return read();
    } catch (const std::bad_alloc&) {
        throw ExchangeError("the file is too large to read (memory ran out)");
    } catch (const std::length_error&) {
        throw ExchangeError("the file is too large to read");
    }
}

} // namespace vste::exchange
