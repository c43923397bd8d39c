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
#include <QUndoStack>

#include <exception>

#include "core/CompiledStrings.h"
#include "core/Errors.h"
#include "formats/Registry.h"
#include "ui/Dialogs.h"
#include "ui/MainForm.h"
#include "ui/MessageText.h"
#include "ui/OpenFormats.h"
#include "ui/ProblemsController.h"
#include "ui/ProgressBarAdapter.h"
#include "ui/StringsModel.h"

namespace vste::ui {

void TMainForm::Open1Click() {
    if (OpenWithoutDialog) {
        m_openFilterIndex = 1;
    } else {
        const auto choice = m_dialogs->openFile(this, chooseText(QT_TR_NOOP("Open a string table")),
                                                OpenFilters(), m_openFileName, m_openFilterIndex);
        if (!choice)
            return;
        m_openFileName = choice->fileName;
        m_openFilterIndex = OpenFilterForFile(choice->fileName, choice->filterIndex);
    }
    openRoutine();
}

void TMainForm::openFile(const QString& fileName, int filterIndex) {
    m_openFileName = fileName;
    m_openFilterIndex = filterIndex;
    openRoutine();
}

bool TMainForm::askToSaveChanges() {
    // The document to save is the one still open, under the path it was opened from.
    const QString chosen = m_openFileName;
    if (m_document)
        m_openFileName = m_document->fileName();
    const bool settled = settleUnsavedChanges(
        QT_TR_NOOP("You have not saved last changes in file. Would you like to save it before "
                   "opening another file?!"));
    m_openFileName = chosen;
    return settled;
}

void TMainForm::openRoutine() {
    const QString fileName = m_openFileName;
    const int filterIndex = m_openFilterIndex;
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile()) {
        showError(chooseText(QT_TR_NOOP("File with this filename not exist!")));
        m_openFileName = documentFileName();
        return;
    }
    if (!IsOpenFilterIndex(filterIndex))
        return;
    // Unsaved changes of the open document are saved or dropped by the user's choice, never
    // silently; a failed save keeps everything as it was.
    if (!askToSaveChanges()) {
        m_openFileName = documentFileName();
        return;
    }

    const QString previousStatus = statusText();
    setStatusText([this] { return chooseText(QT_TR_NOOP("Opening. Please Stand By...")); });
    repaint();

    // The new file is read completely before the old document is released, so a file that
    // cannot be read leaves the window and the document exactly as they were.
    const auto format = static_cast<vste::DocumentFormat>(filterIndex);
    ReadResult result;
    if (!readDocument(format, fileName, result, previousStatus))
        return;

    adoptDocument(std::move(result), fileName, format);
    enableCommands(m_document->format(), false);

    m_saveFileName = fileName;
    updateTitleWithFile(fileName, " (RC3) - ");
    m_progress->reset();
    setStatusText([this] { return chooseText(QT_TR_NOOP("File was opened successfully")); });
    emit documentOpened(fileName, filterIndex);
}

// An empty compiled table (version 3, language 0, Unicode) without a file: the first Save asks
// for a name.
void TMainForm::New1Click() {
    if (!askToSaveChanges())
        return;
    ReadResult result;
    result.document = NewDocument(vste::DocumentFormat::CSF);
    result.singleByte = false;
    adoptDocument(std::move(result), QString(), vste::DocumentFormat::CSF);
    m_document->setAnsiMode(false);
    updatePropertyMarks();
    enableCommands(m_document->format(), false);
    m_openFileName.clear();
    m_openFilterIndex = static_cast<int>(vste::DocumentFormat::CSF);
    m_saveFileName.clear();
    m_saveFilterIndex = 1;
    updateTitleWithFile(chooseText(QT_TR_NOOP("Untitled")), " (RC3) - ");
    m_progress->reset();
    setStatusText([this] { return chooseText(QT_TR_NOOP("New file was created")); });
}

QString TMainForm::documentFileName() const {
    return m_document ? m_document->fileName() : QString();
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
        m_openFileName = documentFileName();
        showError(MessageText::ofError(error));
        return false;
    }
}

// Makes a document that was read successfully the window's document with a fresh history,
// applies the encoding rule and shows its first category. The callers then enable the commands.
void TMainForm::adoptDocument(ReadResult result, const QString& fileName,
                              vste::DocumentFormat format) {
    // Whatever the boxes hold was settled by the question before; none of it goes anywhere.
    clearEditor();
    Strings->clear();
    CurrentCategories.clear();
    const FormatInfo& info = GetFormatInfo(format);
    if (info.encodingMode) {
        if (!info.detectsSingleByte)
            m_ansiModeChoice = false;
        else if (AutodetectOn1->isChecked())
            m_ansiModeChoice = result.singleByte;
    }
    m_document = std::make_unique<OpenDocument>(std::move(result.document), info, fileName,
                                                m_ansiModeChoice);
    connect(m_document.get(), &OpenDocument::changed, this, &TMainForm::documentChanged);
    connect(m_document.get(), &OpenDocument::propertiesChanged, this,
            &TMainForm::updatePropertyMarks);
    QUndoStack& history = m_document->undoStack();
    connect(&history, &QUndoStack::indexChanged, this, &TMainForm::updateUndoActions);
    connect(&history, &QUndoStack::cleanChanged, this,
            [this](bool clean) { setWindowModified(!clean); });
    m_problems->setDocument(m_document.get());
    setWindowModified(false);
    updateUndoActions();
    updatePropertyMarks();

    CategorBox->setEnabled(true);
    StringsGroupBox->setEnabled(true);
    StringBox->setEnabled(true);
    CurrentCategories = m_document->document().GetCategories();
    fillCategories(0);
    emit documentReplaced();
}

void TMainForm::enableCommands(const FormatInfo& format, bool atStart) {
    const bool table = format.versionAndLanguage;
    Coding->menuAction()->setEnabled(format.encodingMode);
    FileLanguage1->menuAction()->setEnabled(table);
    Fileversion1->menuAction()->setEnabled(table);
    AddValueButton->setEnabled(format.severalValues);
    SubStringEdit->setEnabled(format.hasExtraValues);
    StringNameEdit->setEnabled(format.editableNames);
    DeleteButton->setEnabled(format.canInsertDelete);
    InsertButton->setEnabled(format.canInsertDelete);
    if (table)
        setLanguageAndVersionMarks();
    Save1->setEnabled(true);
    Saveas1->setEnabled(true);
    if (atStart)
        return;
    OpenNew->setEnabled(true);
    ImportFromCSF1->setEnabled(format.importStrings);
    Setfileasfavorite1->menuAction()->setEnabled(format.favorites);
    const bool fargus = format.fargus && m_document->document().Version == 2;
    DecodeFargus->setEnabled(fargus);
    if (fargus)
        DecodeFargus->setChecked(false);
}

void TMainForm::setLanguageAndVersionMarks() {
    for (QAction* item : Languages)
        item->setChecked(false);
    const TWestwoodStrings& document = m_document->document();
    const std::int32_t language = document.Language;
    if (language >= 0 && language < static_cast<std::int32_t>(Languages.size()))
        Languages[static_cast<std::size_t>(language)]->setChecked(true);
    if (document.Version == 2) {
        Version2->setChecked(true);
        Version3->setChecked(false);
    } else if (document.Version == 3) {
        Version3->setChecked(true);
        Version2->setChecked(false);
    }
}

void TMainForm::updateTitleWithFile(const QString& fileName, const char* separator) {
    const QString base = baseTitle();
    // The base title ends with " (RC3)"; the separator repeats it with its own spacing.
    // The modified marker ends the title, so the text before it stays as it always was.
    setWindowTitle(base.left(base.size() - 6) + QString::fromLatin1(separator) + fileName +
                   QStringLiteral("[*]"));
}

} // namespace vste::ui
