// SPDX-License-Identifier: MIT
#include "ui/AnsiText.h"

#include <array>

#include "encoding/CodePage.h"

namespace vste::ui {

namespace {

struct ByteTable {
    int codePage = -1;
    std::array<char16_t, 256> chars{};
};

const ByteTable& tableForActiveCodePage() {
    static ByteTable table;
    const int codePage = ActiveCodePage();
    if (table.codePage != codePage) {
        table.chars[0] = 0;
        for (int b = 1; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            const std::u16string wide = AnsiToWide(std::string_view(&byte, 1), codePage);
            table.chars[b] = wide.size() == 1 ? wide[0] : u'?';
        }
        table.codePage = codePage;
    }
    return table;
}

} // namespace

QString AnsiToQString(std::string_view text) {
    const ByteTable& table = tableForActiveCodePage();
    QString result(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    QChar* out = result.data();
    for (const char c : text)
        *out++ = QChar(table.chars[static_cast<unsigned char>(c)]);
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
