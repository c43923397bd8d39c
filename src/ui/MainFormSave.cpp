// SPDX-License-Identifier: MIT
// Save and Save as.
#include <QDir>
#include <QFileInfo>

#include <exception>

#include "formats/Registry.h"
#include "ui/Dialogs.h"
#include "ui/MainForm.h"
#include "ui/MessageText.h"
#include "ui/OpenFormats.h"
#include "ui/ProgressBarAdapter.h"
#include "ui/SaveGuard.h"

namespace vste::ui {

namespace {

// Replaces the extension `from` (upper case, with the dot) by `to` when `name` ends with it and
// holds it nowhere earlier. Each part is upper-cased on its own: upper-casing may lengthen text
// ("ß" gives "SS"), so positions in the upper-cased whole are not positions in `name`.
QString replaceLastExtension(const QString& name, const QString& from, const QString& to) {
    const qsizetype stem = name.size() - from.size();
    if (stem >= 0 && name.mid(stem).toUpper() == from && !name.left(stem).toUpper().contains(from))
        return name.left(stem) + to;
    return name;
}

// The name Save as writes for the typed `name`: with a table format's type chosen, its extension
// in place of the other's; without an extension, the chosen type's or the format's own added.
bool HasExtension(const QString& name) {
    return name.size() >= 4 && name.at(name.size() - 4) == QLatin1Char('.');
}

QString NameToSave(const QString& name, bool strChosen, bool csfChosen,
                   const QString& defaultExtension) {
    if (HasExtension(name)) {
        if (strChosen)
            return replaceLastExtension(name, QStringLiteral(".CSF"), QStringLiteral(".str"));
        if (csfChosen)
            return replaceLastExtension(name, QStringLiteral(".STR"), QStringLiteral(".csf"));
        return name;
    }
    return name + (strChosen   ? QStringLiteral(".str")
                   : csfChosen ? QStringLiteral(".csf")
                               : defaultExtension);
}

// The dialog confirmed the name typed; a file the extension rule names instead is replaced only
// when the user answers `question` (holding %1 for the name) with Yes.
bool mayReplace(Dialogs& dialogs, QWidget* parent, const QString& question, const QString& typed,
                const QString& written) {
    return written == typed || !QFileInfo::exists(written) ||
           dialogs.confirmReplace(parent, question.arg(QDir::toNativeSeparators(written)));
}

} // namespace

bool TMainForm::saveDocumentTo(const QString& fileName, OpenDocument::Layout layout) {
    if (!m_document)
        return false;
    switch (SaveGuard::confirmSave(this, *m_dialogs, *m_document, fileName, layout)) {
    case SaveGuard::Answer::Cancel:
        return false;
    case SaveGuard::Answer::SaveAsUnicode:
        // One undoable step, as Edit > Encoding does; what is left to ask is asked again.
        Standart1Click();
        return saveDocumentTo(fileName, layout);
    case SaveGuard::Answer::Save:
        break;
    }
    try {
        m_document->saveTo(fileName, layout, *m_progress);
    } catch (const std::exception& error) {
        m_progress->reset();
        // No earlier "saved" text stays up after a failure.
        setStatusText([this] { return chooseText(QT_TR_NOOP("File was not saved")); });
        // Every failure names the file it concerns; file errors do so already.
        QString message = MessageText::ofError(error);
        if (!message.contains(fileName))
            message = QDir::toNativeSeparators(fileName) + QStringLiteral("\n\n") + message;
        showError(message);
        return false;
    }
    return true;
}

bool TMainForm::saveCommand() {
    // Text typed and not yet applied is saved with the rest, as one Apply step first.
    if (m_document && !leaveShownString())
        return false;
    // A new document has no file yet: saving it means choosing one.
    if (m_document && m_document->fileName().isEmpty())
        return saveAsCommand();
    if (!saveDocumentTo(m_openFileName, OpenDocument::Layout::Format))
        return false;
    m_progress->reset();
    setStatusText([this] { return chooseText(QT_TR_NOOP("File was saved successfully")); });
    emit documentSaved(m_openFileName, static_cast<int>(documentFormat()));
    return true;
}

void TMainForm::Save1Click() {
    saveCommand();
}

void TMainForm::Saveas1Click() {
    saveAsCommand();
}

bool TMainForm::saveAsCommand() {
    if (!m_document || !leaveShownString())
        return false;
    const FormatInfo& info = m_document->format();
    const bool tableFormat = info.savesStrText;
    if (!info.saveFilter.empty()) {
        m_saveFilters = FilterTexts(info.saveFilter);
        if (m_saveFilterIndex > m_saveFilters.size())
            m_saveFilterIndex = 1;
    }
    const QString defaultExtension = QString::fromUtf8(
        info.defaultExtension.data(), static_cast<qsizetype>(info.defaultExtension.size()));
    const auto choice = m_dialogs->saveFile(this, chooseText(QT_TR_NOOP("Save as")), m_saveFilters,
                                            m_saveFileName, m_saveFilterIndex);
    if (!choice || choice->fileName.isEmpty())
        return false;
    m_saveFilterIndex = choice->filterIndex;
    const bool strChosen = tableFormat && m_saveFilterIndex == 2;
    const bool csfChosen = tableFormat && m_saveFilterIndex == 1;
    const QString previousStatus = statusText();
    const QString name = NameToSave(choice->fileName, strChosen, csfChosen, defaultExtension);
    if (!HasExtension(choice->fileName)) {
        setStatusText([this] { return chooseText(QT_TR_NOOP("Saving. Please Stand By...")); });
        repaint();
    }
    if (!mayReplace(*m_dialogs, this,
                    chooseText(QT_TR_NOOP("%1 already exists.\nDo you want to "
                                          "replace it?")),
                    choice->fileName, name)) {
        setStatusText(previousStatus);
        return false;
    }
    m_saveFileName = name;
    const QString savingText = statusText();
    if (!saveDocumentTo(name, strChosen ? OpenDocument::Layout::StrText
                                        : OpenDocument::Layout::Compiled)) {
        // A save that did not start shows what was shown before; a failed one says so.
        if (statusText() == savingText)
            setStatusText(previousStatus);
        return false;
    }
    m_progress->reset();
    setStatusText([this] { return chooseText(QT_TR_NOOP("File was saved successfully")); });
    updateTitleWithFile(name, " (RC3)- ");
    const auto saved = strChosen   ? vste::DocumentFormat::STR
                       : csfChosen ? vste::DocumentFormat::CSF
                                   : documentFormat();
    // A new document belongs to the file it was first saved as, so later saves go there; not
    // to a copy in another format, which Save would overwrite with the document's own layout.
    if (m_document->fileName().isEmpty() && saved == documentFormat()) {
        m_document->setFileName(name);
        m_openFileName = name;
    }
    emit documentSaved(name, static_cast<int>(saved));
    return true;
}

} // namespace vste::ui
