// SPDX-License-Identifier: MIT
// Placeholder: Latin-1 only; replaced by the ICU-backed implementation.
#include "encoding/CodePage.h"

#include <stdexcept>

namespace vste {
namespace { int g_active = 1252; }
const std::vector<int>& SupportedCodePages() { static const std::vector<int> v{1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 874}; return v; }
bool IsSupportedCodePage(int cp) { for (int c : SupportedCodePages()) if (c == cp) return true; return false; }
int ActiveCodePage() { return g_active; }
void SetActiveCodePage(int cp) { if (!IsSupportedCodePage(cp)) throw std::invalid_argument("unsupported code page"); g_active = cp; }
int CodePageForLocale(std::string_view) { return 1252; }
void InitActiveCodePageFromEnvironment() {}
std::string WideToAnsi(std::u16string_view t, int) { std::string s; for (char16_t c : t) { if (!c) break; s += c < 256 ? static_cast<char>(c) : '?'; } return s; }
std::u16string AnsiToWide(std::string_view t, int) { std::u16string s; for (char c : t) { if (!c) break; s += static_cast<char16_t>(static_cast<unsigned char>(c)); } return s; }
std::string AnsiUpperCase(std::string_view t, int) { std::string s(t); for (auto& c : s) if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32); return s; }
std::string Utf16ToUtf8(std::u16string_view) { return {}; }
std::u16string Utf8ToUtf16(std::string_view) { return {}; }
} // namespace vste
