// SPDX-License-Identifier: MIT
#include "core/CsfText.h"

#include <array>

#include "encoding/CodePage.h"

namespace vste::csf {
namespace {

// Upper-case form of every byte under one code page. A byte whose upper-case form is not a
// single byte (or that the conversion treats specially) is marked, and names holding it take
// the full conversion.
struct UpperTable {
    int codePage = -1;
    std::array<unsigned char, 256> upper{};
    std::array<bool, 256> direct{};

    void build(int cp) {
        codePage = cp;
        upper[0] = 0;
        direct[0] = false; // let the conversion decide what a NUL inside a name means
        for (int b = 1; b < 256; ++b) {
            const char c = static_cast<char>(b);
            const std::string u = AnsiUpperCase(std::string_view(&c, 1));
            direct[b] = u.size() == 1;
            upper[b] = direct[b] ? static_cast<unsigned char>(u[0]) : static_cast<unsigned char>(b);
        }
    }
};

const UpperTable& tableForActiveCodePage() {
    static UpperTable table;
    const int cp = ActiveCodePage();
    if (table.codePage != cp)
        table.build(cp);
    return table;
}

} // namespace

void AppendUpperCaseName(std::string_view name, std::string& out) {
    const UpperTable& table = tableForActiveCodePage();
    const std::size_t start = out.size();
    out.resize(start + name.size());
    char* dest = out.data() + start;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto b = static_cast<unsigned char>(name[i]);
        if (!table.direct[b]) {
            out.resize(start);
            out += AnsiUpperCase(name);
            return;
        }
        dest[i] = static_cast<char>(table.upper[b]);
    }
}

std::string UpperCaseName(std::string_view name) {
    std::string result;
    AppendUpperCaseName(name, result);
    return result;
}

} // namespace vste::csf
