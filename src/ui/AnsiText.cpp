// SPDX-License-Identifier: MIT
#include "ui/AnsiText.h"

#include "encoding/CodePage.h"

namespace vste::ui {

QString AnsiToQString(std::string_view text) {
    const CodePageCodec& codec = CodePageCodec::Get();
    QString result(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    QChar* out = result.data();
    for (const char c : text)
        *out++ = QChar(codec.toWide(static_cast<unsigned char>(c)));
    return result;
}

std::string QStringToAnsi(const QString& text) {
    // The conversion stops at a NUL, which a name read from a file may hold: each piece between
    // NULs is converted on its own so that the text keeps its full length.
    const std::u16string_view wide(reinterpret_cast<const char16_t*>(text.utf16()),
                                   static_cast<std::size_t>(text.size()));
    std::string result;
    std::size_t start = 0;
    for (;;) {
        const std::size_t nul = wide.find(u'\0', start);
        result +=
            WideToAnsi(wide.substr(start, nul == std::u16string_view::npos ? nul : nul - start));
        if (nul == std::u16string_view::npos)
            return result;
        result += '\0';
        start = nul + 1;
    }
}

} // namespace vste::ui
