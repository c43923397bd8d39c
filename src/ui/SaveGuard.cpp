// SPDX-License-Identifier: MIT
#include "ui/SaveGuard.h"

#include <QDir>

#include <algorithm>

#include "checks/CheckEngine.h"
#include "ui/AnsiText.h"
#include "ui/Dialogs.h"
#include "ui/MessageText.h"

namespace vste::ui {

DocumentFormat SaveGuard::targetFormat(const OpenDocument& document, OpenDocument::Layout layout) {
    switch (layout) {
    case OpenDocument::Layout::StrText:
        return DocumentFormat::STR;
    case OpenDocument::Layout::Compiled:
        return document.format().compiledAs;
    default:
        return document.format().id;
    }
}

QString SaveGuard::findingMessage(const Finding& finding) {
    return MessageText::text(finding.wording);
}

QString SaveGuard::listFindings(const std::vector<Finding>& findings) {
    QStringList lines;
    const std::size_t listed = std::min(findings.size(), kListed);
    for (std::size_t k = 0; k < listed; ++k) {
        const Finding& f = findings[k];
        QString line = AnsiToQString(f.name) + QStringLiteral(": ");
        if (f.valueIndex > 0)
            line += tr("value %1: ").arg(f.valueIndex + 1);
        line += findingMessage(f) + QStringLiteral(" [") +
                QString::fromLatin1(f.rule.data(), static_cast<qsizetype>(f.rule.size())) +
                QLatin1Char(']');
        lines << line;
    }
    if (findings.size() > listed)
        lines << tr("... and %1 more").arg(findings.size() - listed);
    return lines.join(QLatin1Char('\n'));
}

SaveGuard::Answer SaveGuard::confirmSave(QWidget* parent, Dialogs& dialogs,
                                         const OpenDocument& document, const QString& fileName,
                                         OpenDocument::Layout layout) {
    const CheckTarget target{targetFormat(document, layout), document.ansiMode(), 0};
    const std::vector<Finding> blockers = SaveBlockers(document.document().Body, target);
    if (blockers.empty())
        return Answer::Save;
    const QString shownName = QDir::toNativeSeparators(fileName);
    if (std::all_of(blockers.begin(), blockers.end(), RefusesSave)) {
        dialogs.choose(parent,
                       tr("%1 cannot be saved: the format refuses these names or sizes (errors: "
                          "%2).")
                           .arg(shownName)
                           .arg(blockers.size()),
                       listFindings(blockers), {}, tr("Cancel"));
        return Answer::Cancel;
    }
    const QString text =
        tr("Saving %1 would lose or refuse text (errors: %2). Characters the code page cannot "
           "hold are written as '?' or a look-alike; names and values too long for the format "
           "make the save fail.")
            .arg(shownName)
            .arg(blockers.size());
    QStringList actions{tr("Save anyway")};
    // Values that lose characters only because the table is single-byte keep them as Unicode.
    const bool unicodeHelps = target.format == DocumentFormat::CSF && document.ansiMode() &&
                              std::any_of(blockers.begin(), blockers.end(), [](const Finding& f) {
                                  return f.rule == "unstorable-character";
                              });
    if (unicodeHelps)
        actions << tr("Save as Unicode");
    switch (dialogs.choose(parent, text, listFindings(blockers), actions, tr("Cancel"))) {
    case 0:
        return Answer::Save;
    case 1:
        return Answer::SaveAsUnicode;
    default:
        return Answer::Cancel;
    }
}

} // namespace vste::ui
