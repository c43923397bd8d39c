// SPDX-License-Identifier: MIT
// Save and Save as.
#include <QDir>

#include <exception>

#include "formats/Registry.h"
#include "ui/Dialogs.h"
#include "ui/MainForm.h"
#include "ui/ProgressBarAdapter.h"

namespace vste::ui {

namespace {

// "A|*.A|B|*.B" -> {"A|*.A", "B|*.B"}
QStringList splitFilterPairs(std::string_view filter) {
    const QStringList parts =
        QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size())).split('|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries << parts.at(i) + QLatin1Char('|') + parts.at(i + 1);
    return entries;
}

// Replaces the extension `from` (upper case, with the dot) by `to` when `name` ends with it and
// holds it nowhere earlier.
QString replaceLastExtension(const QString& name, const QString& from, const QString& to) {
    if (name.toUpper().indexOf(from) == name.size() - from.size())
        return name.left(name.size() - from.size()) + to;
    return name;
}

} // namespace

bool TMainForm::saveDocumentTo(const QString& fileName, bool asStr) {
    if (!CurrentDocument)
        return false;
    try {
        if (asStr)
            CurrentDocument->SaveToSTR(fileName.toStdString(), *m_progress);
        else
            CurrentDocument->SaveToFile(fileName.toStdString(), *m_progress, CyrillicAnsiMode != 0);
    } catch (const std::exception& error) {
        m_progress->reset();
        // Every failure names the file it concerns; file errors do so already.
        QString message = QString::fromUtf8(error.what());
        if (!message.contains(fileName))
            message = QDir::toNativeSeparators(fileName) + QStringLiteral("\n\n") + message;
        showError(message);
        return false;
    }
    return true;
}

bool TMainForm::saveCommand() {
    if (!saveDocumentTo(m_openFileName, DocumentFormat == 2))
        return false;
    ChangesSaved = 1;
    m_progress->reset();
    setStatusText(chooseText(QT_TR_NOOP("File was saved successfully")));
    return true;
}

void TMainForm::Save1Click() {
    saveCommand();
}

void TMainForm::Saveas1Click() {
    if (!CurrentDocument)
        return;
    const bool tableFormat = DocumentFormat == 1 || DocumentFormat == 2;
    QString defaultExtension;
    if (DocumentFormat >= 1 && DocumentFormat <= static_cast<int>(Formats().size())) {
        const FormatInfo& info = GetFormatInfo(static_cast<vste::DocumentFormat>(DocumentFormat));
        if (!info.saveFilter.empty()) {
            const QStringList filters = splitFilterPairs(info.saveFilter);
            m_saveFilters = filters;
            if (m_saveFilterIndex > m_saveFilters.size())
                m_saveFilterIndex = 1;
        }
        defaultExtension = QString::fromUtf8(info.defaultExtension.data(),
                                             static_cast<qsizetype>(info.defaultExtension.size()));
    }
    const auto choice = m_dialogs->saveFile(this, m_saveFilters, m_saveFileName, m_saveFilterIndex);
    if (!choice || choice->fileName.isEmpty())
        return;
    m_saveFilterIndex = choice->filterIndex;
    QString name = choice->fileName;
    const bool strChosen = tableFormat && m_saveFilterIndex == 2;
    const bool csfChosen = tableFormat && m_saveFilterIndex == 1;
    const qsizetype length = name.size();
    const bool hasExtension = length >= 4 && name.at(length - 4) == QLatin1Char('.');
    const QString previousStatus = statusText();
    if (hasExtension) {
        if (strChosen)
            name = replaceLastExtension(name, QStringLiteral(".CSF"), QStringLiteral(".str"));
        else if (csfChosen)
            name = replaceLastExtension(name, QStringLiteral(".STR"), QStringLiteral(".csf"));
    } else {
        setStatusText(chooseText(QT_TR_NOOP("Saving. Please Stand By...")));
        repaint();
        if (strChosen)
            name += QStringLiteral(".str");
        else if (csfChosen)
            name += QStringLiteral(".csf");
        else
            name += defaultExtension;
    }
    m_saveFileName = name;
    if (!saveDocumentTo(name, strChosen)) {
        setStatusText(previousStatus);
        return;
    }
    ChangesSaved = 1;
    m_progress->reset();
    setStatusText(chooseText(QT_TR_NOOP("File was saved successfully")));
    updateTitleWithFile(name, " (RC3)- ");
}

} // namespace vste::ui
