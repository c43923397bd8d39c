// SPDX-License-Identifier: MIT
// Importing values from another CSF file, and opening a file in a new window.
#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

#include <exception>

#include "core/CompiledStrings.h"
#include "ui/Dialogs.h"
#include "ui/DocumentCommands.h"
#include "ui/MainForm.h"
#include "ui/MessageText.h"
#include "ui/OpenFormats.h"
#include "ui/ProgressBarAdapter.h"

namespace vste::ui {

namespace {

constexpr std::string_view kImportFilter = "Compiled String Table Files (*.CSF)|*.CSF";

} // namespace

void TMainForm::ImportFromCSF1Click() {
    if (!m_document)
        return;
    const auto choice = m_dialogs->openFile(
        this, chooseText(QT_TR_NOOP("Choose the CSF table to import strings from")),
        FilterTexts(kImportFilter), StartingName(m_importFileName, documentFileName()), 1);
    if (!choice)
        return;
    m_importFileName = choice->fileName;
    if (m_importFileName.isEmpty() || !QFileInfo(m_importFileName).isFile()) {
        showError(chooseText(QT_TR_NOOP("File with this filename not exist!")));
        return;
    }
    const QString previousStatus = statusText();
    setStatusText([this] { return chooseText(QT_TR_NOOP("Opening file. Please Stand By...")); });
    repaint();

    // The source is read completely before anything of the document changes, so a file that
    // cannot be read leaves the document as it was.
    std::unique_ptr<TCompiledStrings> source;
    try {
        bool singleByte = false;
        source = TCompiledStrings::CreateFromFile(m_importFileName.toStdString(), *m_progress,
                                                  singleByte);
    } catch (const std::exception& error) {
        m_progress->reset();
        setStatusText(previousStatus);
        showError(MessageText::ofError(error));
        return;
    }

    setStatusText([this] { return chooseText(QT_TR_NOOP("Importing. Please Stand By...")); });
    repaint();
    push(std::make_unique<ImportCommand>(*m_document, std::move(source), *m_progress));
    CurrentCategories = m_document->document().GetCategories();
    refillCategoryList();
    selectCategoryLine(0);
    m_progress->reset();
    setStatusText([this] { return chooseText(QT_TR_NOOP("Strings was imported successfully")); });
}

void TMainForm::OpenNewClick() {
    const auto choice = m_dialogs->openFile(
        this, chooseText(QT_TR_NOOP("Open a CSF table in a new window")),
        FilterTexts(kImportFilter), StartingName(m_importFileName, documentFileName()), 1);
    if (!choice)
        return;
    m_importFileName = choice->fileName;
    // The path travels as one argument, so spaces in either path need no quoting.
    const QString program = QCoreApplication::applicationFilePath();
    const QStringList arguments{m_importFileName};
    if (startProgram)
        startProgram(program, arguments);
    else
        QProcess::startDetached(program, arguments);
}

} // namespace vste::ui
