// SPDX-License-Identifier: MIT
// Single-byte text of the active code page (names and extra values) in the window's widgets.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace vste::ui {

// Byte by byte through the active code page's codec; fast enough to convert a whole category on
// every search keystroke.
QString AnsiToQString(std::string_view text);
// Characters the code page lacks become a look-alike letter or '?'.
std::string QStringToAnsi(const QString& text);

inline QString U16ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::u16string QStringToU16(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

} // namespace vste::ui
