// SPDX-License-Identifier: MIT
#include "translation/Languages.h"

#include <array>
#include <utility>

namespace vste {

namespace {

// The one table of CSF language numbers; the README lists the same.
constexpr std::array<std::pair<std::int32_t, std::string_view>, 9> kCsfLanguages{{
    {0, "en"},
    {1, "es"},
    {2, "de"},
    {4, "fr"},
    {5, "it"},
    {6, "nl"},
    {8, "sv"},
    {9, "zh"},
    {17, "ru"},
}};

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::optional<std::string_view> CsfLanguageCode(std::int32_t number) {
    for (const auto& [n, code] : kCsfLanguages)
        if (n == number)
            return code;
    return std::nullopt;
}

bool SameLanguage(std::string_view a, std::string_view b) {
    if (a.size() > b.size())
        std::swap(a, b);
    if (a.empty())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return a.size() == b.size() || b[a.size()] == '-' || b[a.size()] == '_';
}

} // namespace vste
