// SPDX-License-Identifier: MIT
#include "ui/TypedTextGuard.h"

#include <string>

#include "checks/Unstorable.h"
#include "encoding/CodePage.h"
#include "ui/Dialogs.h"
#include "ui/MessageText.h"

namespace vste::ui {

namespace {

// The NUL a name read from a file may hold is kept as it is, so it is not a loss.
QString lossesOf(const QString& text) {
    const std::u16string_view wide(reinterpret_cast<const char16_t*>(text.utf16()),
                                   static_cast<std::size_t>(text.size()));
    const std::vector<LostCharacter> lost =
        LostCharacters(wide, ActiveCodePage(), Conversion::Composing);
    return lost.empty() ? QString() : MessageText::text(DescribeLost(lost, ActiveCodePage()));
}

} // namespace

QString TypedTextGuard::describeLosses(const QString& name, const QString& extra) {
    QStringList lines;
    if (const QString lost = lossesOf(name); !lost.isEmpty())
        lines << tr("Name: %1").arg(lost);
    if (const QString lost = lossesOf(extra); !lost.isEmpty())
        lines << tr("Extra value: %1").arg(lost);
    return lines.join(QLatin1Char('\n'));
}

bool TypedTextGuard::confirm(QWidget* parent, Dialogs& dialogs, const QString& name,
                             const QString& extra) {
    const QString losses = describeLosses(name, extra);
    if (losses.isEmpty())
        return true;
    return dialogs.confirm(parent,
                           tr("Names and extra values are stored in the code page, which cannot "
                              "hold every character typed. Store them with those characters "
                              "replaced?"),
                           losses, tr("Store anyway"), tr("Cancel"));
}

} // namespace vste::ui
