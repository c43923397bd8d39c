// SPDX-License-Identifier: MIT
// Reads arbitrary bytes as STR text; a successful read must survive writing and reading
// again (see FuzzSupport.h), extra values included, unless the writer refuses it by name.
#include "FuzzSupport.h"
#include "core/CompiledStrings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vste::fuzz::Check;
    vste::fuzz::ReaderRoundTrip(vste::DocumentFormat::STR, data, size);

    vste::NullProgress progress;
    std::unique_ptr<vste::TCompiledStrings> first;
    std::vector<std::uint8_t> written;
    try {
        first = vste::TCompiledStrings::CreateFromSTRBuffer({data, size}, progress);
        written = first->SaveToSTRBuffer(progress);
    } catch (const vste::FormatError&) {
        return 0; // no text, or a name or value the writer refuses: both said so
    }
    const auto second = vste::TCompiledStrings::CreateFromSTRBuffer(written, progress);
    for (std::size_t i = 0; i < first->Body.size(); ++i) {
        const vste::TTextContainer& a = first->Body[i].Values[0];
        const vste::TTextContainer& b = second->Body[i].Values[0];
        Check(a.Tag == b.Tag && a.ExtraValue == b.ExtraValue,
              "extra value changed" + vste::fuzz::Where(i));
    }
    return 0;
}
