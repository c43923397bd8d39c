// SPDX-License-Identifier: MIT
// The Open command and the open routine: turning a chosen file into the current document.
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include <exception>

#include "core/Errors.h"
#include "formats/Registry.h"
#include "ui/Dialogs.h"
#include "ui/MainForm.h"
#include "ui/ProgressBarAdapter.h"
#include "ui/StringsModel.h"

namespace vste::ui {

namespace {

QStringList openFilters() {
    QStringList filters;
    for (const FormatInfo& format : Formats())
        filters << QString::fromUtf8(format.openFilter.data(),
                                     static_cast<qsizetype>(format.openFilter.size()));
    return filters;
}

} // namespace

void TMainForm::Open1Click() {
    if (OpenWithoutDialog) {
        m_openFilterIndex = 1;
    } else {
        const auto choice =
            m_dialogs->openFile(this, openFilters(), m_openFileName, m_openFilterIndex);
        if (!choice)
            return;
        m_openFileName = choice->fileName;
        m_openFilterIndex = choice->filterIndex;
    }
    openRoutine();
}

void TMainForm::openFile(const QString& fileName, int filterIndex) {
    m_openFileName = fileName;
    m_openFilterIndex = filterIndex;
    openRoutine();
}

bool TMainForm::askToSaveChanges() {
    if (ChangesSaved != 0 || !CurrentDocument)
        return true;
    if (!m_dialogs->question(
            this, chooseText(QT_TR_NOOP("You have not saved last changes in file. Would you like "
                                        "to save it before exit?!"))))
        return true;
    // The document to save is the one still open, under the path it was opened from.
    const QString chosen = m_openFileName;
    m_openFileName = m_documentFileName;
    const bool saved = saveCommand();
    m_openFileName = chosen;
    return saved;
}

void TMainForm::openRoutine() {
    const QString fileName = m_openFileName;
    const int filterIndex = m_openFilterIndex;
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile()) {
        showError(chooseText(QT_TR_NOOP("File with this filename not exist!")));
        m_openFileName = m_documentFileName;
        return;
    }
    if (filterIndex < 1 || filterIndex > static_cast<int>(Formats().size()))
        return;
    // Unsaved changes of the open document are saved or dropped by the user's choice, never
    // silently; a failed save keeps everything as it was.
    if (!askToSaveChanges()) {
        m_openFileName = m_documentFileName;
        return;
    }

    const QString previousStatus = statusText();
    setStatusText(chooseText(QT_TR_NOOP("Opening. Please Stand By...")));
    repaint();

    // The new file is read completely before the old document is released, so a file that
    // cannot be read leaves the window and the document exactly as they were.
    const auto format = static_cast<vste::DocumentFormat>(filterIndex);
    ReadResult result;
    if (!readDocument(format, fileName, result, previousStatus))
        return;

    Coding->menuAction()->setEnabled(false);
    FileLanguage1->menuAction()->setEnabled(false);
    Fileversion1->menuAction()->setEnabled(false);
    DecodeFargus->setEnabled(false);
    ImportFromCSF1->setEnabled(false);
    Setfileasfavorite1->menuAction()->setEnabled(false);
    AddValueButton->setEnabled(false);
    SubStringEdit->setEnabled(false);
    StringNameEdit->setEnabled(true);
    DeleteButton->setEnabled(true);
    InsertButton->setEnabled(true);

    adoptDocument(std::move(result), fileName, filterIndex);

    if (DocumentFormat == 1 || DocumentFormat == 2) {
        setLanguageAndVersionMarks();
        Coding->menuAction()->setEnabled(true);
        FileLanguage1->menuAction()->setEnabled(true);
        Fileversion1->menuAction()->setEnabled(true);
        AddValueButton->setEnabled(true);
        SubStringEdit->setEnabled(true);
        if (DocumentFormat == 1) {
            ImportFromCSF1->setEnabled(true);
            Setfileasfavorite1->menuAction()->setEnabled(true);
            if (CurrentDocument->Version == 2) {
                DecodeFargus->setEnabled(true);
                DecodeFargus->setChecked(false);
            }
        }
    } else if (DocumentFormat >= 4) {
        DeleteButton->setEnabled(false);
        InsertButton->setEnabled(false);
        if (DocumentFormat >= 5)
            StringNameEdit->setEnabled(false);
    }

    m_saveFileName = fileName;
    updateTitleWithFile(fileName, " (RC3) - ");
    OpenNew->setEnabled(true);
    Save1->setEnabled(true);
    Saveas1->setEnabled(true);
    m_progress->reset();
    setStatusText(chooseText(QT_TR_NOOP("File was opened successfully")));
    ChangesSaved = 1;
}

// Reads the file completely before anything of the open document changes. On failure the progress
// is reset, the status text goes back to `statusOnFailure` (when given), the open dialog keeps the
// open document's name, and the reader's message is shown.
bool TMainForm::readDocument(vste::DocumentFormat format, const QString& fileName,
                             ReadResult& result, const std::optional<QString>& statusOnFailure) {
    try {
        result = ReadDocumentFile(format, fileName.toStdString(), *m_progress);
        return true;
    } catch (const std::exception& error) {
        m_progress->reset();
        if (statusOnFailure)
            setStatusText(*statusOnFailure);
        m_openFileName = m_documentFileName;
        showError(QString::fromUtf8(error.what()));
        return false;
    }
}

// Makes a document that was read successfully the window's document, applies the encoding rule
// and shows its first category. The callers set the commands' enabled states, which differ between
// the open command and the open at start.
void TMainForm::adoptDocument(ReadResult result, const QString& fileName, int format) {
    Strings->clear();
    CurrentCategories.clear();
    CurrentDocument = std::move(result.document);
    m_documentFileName = fileName;
    DocumentFormat = format;
    if (DocumentFormat == 1 && AutodetectOn1->isChecked()) {
        CyrillicAnsiMode = result.singleByte ? 1 : 0;
        Cyrillics1->setChecked(CyrillicAnsiMode == 1);
        Standart1->setChecked(CyrillicAnsiMode == 0);
    } else if (DocumentFormat == 2) {
        CyrillicAnsiMode = 0;
        Standart1->setChecked(true);
        Cyrillics1->setChecked(false);
    }

    CategorBox->setEnabled(true);
    StringsGroupBox->setEnabled(true);
    StringBox->setEnabled(true);
    CurrentCategories = CurrentDocument->GetCategories();
    fillCategories(0);
}

void TMainForm::setLanguageAndVersionMarks() {
    for (QAction* item : Languages)
        item->setChecked(false);
    const std::int32_t language = CurrentDocument->Language;
    if (language >= 0 && language < static_cast<std::int32_t>(Languages.size()))
        Languages[static_cast<std::size_t>(language)]->setChecked(true);
    if (CurrentDocument->Version == 2) {
        Version2->setChecked(true);
        Version3->setChecked(false);
    } else if (CurrentDocument->Version == 3) {
        Version3->setChecked(true);
        Version2->setChecked(false);
    }
}

void TMainForm::updateTitleWithFile(const QString& fileName, const char* separator) {
    const QString base = baseTitle();
    // The base title ends with " (RC3)"; the separator repeats it with its own spacing.
    setWindowTitle(base.left(base.size() - 6) + QString::fromLatin1(separator) + fileName);
}

} // namespace vste::ui
