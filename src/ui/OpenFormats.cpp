// SPDX-License-Identifier: MIT
#include "ui/OpenFormats.h"

#include <exception>

#include "ui/Dialogs.h"
#include "ui/MessageText.h"

namespace vste::ui {

QStringList OpenFilters() {
    QStringList filters;
    for (const FormatInfo& format : Formats())
        filters << QString::fromUtf8(format.openFilter.data(),
                                     static_cast<qsizetype>(format.openFilter.size()));
    return filters;
}

bool IsOpenFilterIndex(int filterIndex) {
    return filterIndex >= 1 && filterIndex <= static_cast<int>(Formats().size());
}

DocumentFormat FormatOfFileName(const QString& fileName) {
    const FormatInfo* format = FindFormatByFileName(fileName.toStdString());
    return format ? format->id : DocumentFormat::CSF;
}

int OpenFilterForFile(const QString& fileName, int filterIndex) {
    const FormatInfo* named = FindFormatByFileName(fileName.toStdString());
    if (!named || !IsOpenFilterIndex(filterIndex))
        return filterIndex;
    const FormatInfo& chosen = GetFormatInfo(static_cast<DocumentFormat>(filterIndex));
    for (std::string_view extension : chosen.extensions)
        if (fileName.endsWith(
                QString::fromLatin1(extension.data(), static_cast<qsizetype>(extension.size())),
                Qt::CaseInsensitive))
            return filterIndex;
    return static_cast<int>(named->id);
}

std::unique_ptr<TWestwoodStrings> ReadTableFile(Dialogs& dialogs, QWidget* parent,
                                                const QString& fileName, int filterIndex) {
    if (!IsOpenFilterIndex(filterIndex))
        return nullptr;
    try {
        NullProgress progress;
        return ReadDocumentFile(static_cast<DocumentFormat>(filterIndex), fileName.toStdString(),
                                progress)
            .document;
    } catch (const std::exception& error) {
        dialogs.error(parent,
                      QStringLiteral("%1: %2").arg(fileName, MessageText::ofError(error)));
        return nullptr;
    }
}

} // namespace vste::ui
