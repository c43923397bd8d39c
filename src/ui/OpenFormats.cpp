// SPDX-License-Identifier: MIT
#include "ui/OpenFormats.h"

#include <QCoreApplication>

#include <exception>

#include "ui/Dialogs.h"
#include "ui/MessageText.h"

namespace vste::ui {
namespace {

// The descriptions of the formats' filters, for the translation file.
[[maybe_unused]] constexpr const char* kDescriptions[] = {
    QT_TRANSLATE_NOOP("vste::ui::OpenFormats", "Compiled String Table Files (*.CSF)"),
    QT_TRANSLATE_NOOP("vste::ui::OpenFormats", "Uncompiled String Table Files (*.STR)"),
    QT_TRANSLATE_NOOP("vste::ui::OpenFormats", "Empire at War Text Data Files (*.DAT)"),
    QT_TRANSLATE_NOOP("vste::ui::OpenFormats", "Dune 2000 String Table Files (*.UIB)"),
    QT_TRANSLATE_NOOP("vste::ui::OpenFormats", "Westwood String Table Files (*.ENG, etc)"),
    QT_TRANSLATE_NOOP("vste::ui::OpenFormats", "Liquid Text Files (*.LTE)"),
    QT_TRANSLATE_NOOP("vste::ui::OpenFormats", "Blade Runner\\LoL2 String Table Files (*.TRR)"),
    QT_TRANSLATE_NOOP("vste::ui::OpenFormats", "Malcolm's Revenge String Table Files (*.TRE)"),
};

} // namespace

QStringList FilterTexts(std::string_view filter) {
    QStringList parts =
        QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size())).split('|');
    QStringList filters;
    for (qsizetype k = 0; k + 1 < parts.size(); k += 2)
        filters << QCoreApplication::translate("vste::ui::OpenFormats",
                                               parts[k].toUtf8().constData()) +
                       QLatin1Char('|') + parts[k + 1];
    return filters;
}

QStringList OpenFilters() {
    QStringList filters;
    for (const FormatInfo& format : Formats())
        filters << FilterTexts(format.openFilter);
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
        dialogs.error(parent, QStringLiteral("%1: %2").arg(fileName, MessageText::ofError(error)));
        return nullptr;
    }
}

} // namespace vste::ui
