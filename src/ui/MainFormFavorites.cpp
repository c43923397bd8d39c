// SPDX-License-Identifier: MIT
// Favorite files, the open of a file named on the command line when the window is first shown.
#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>

#include <exception>

#include "formats/Registry.h"
#include "ui/MainForm.h"
#include "ui/OpenFormats.h"
#include "ui/StringsModel.h"

namespace vste::ui {

void TMainForm::LoadFavorites() {
    for (int n = 1; n <= static_cast<int>(OpenFavorites.size()); ++n) {
        const QString name = Settings::favoriteName(n);
        if (name.isEmpty())
            continue;
        QAction* item = OpenFavorites[static_cast<std::size_t>(n - 1)];
        item->setVisible(true);
        // A single "&" would mark an accelerator instead of showing.
        QString shown = name;
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        item->setText(QString::number(n) + QStringLiteral(". ") + shown);
        OpenFavorite->menuAction()->setEnabled(true);
    }
}

void TMainForm::OpenFavoriteClick(int number) {
    OpenFavoriteFile(number);
}

void TMainForm::OpenFavoriteFile(int number) {
    m_openFileName = Settings::favoritePath(number);
    OpenWithoutDialog = 1;
    Open1Click();
    OpenWithoutDialog = 0;
}

void TMainForm::SetFavoriteClick(int number) {
    SetFavoriteFile(number);
}

void TMainForm::SetFavoriteFile(int number) {
    const QString fileName = documentFileName();
    if (fileName.isEmpty())
        return;
    Settings::setFavorite(number, fileName, FileNamePart(fileName));
    LoadFavorites();
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Restoring a minimised window shows it again; only the first showing opens the file.
    if (m_shownOnce || event->spontaneous())
        return;
    m_shownOnce = true;
    // Queued, so that the window is painted before a long read or an error box.
    QTimer::singleShot(0, this, [this] { FormShow(); });
}

void TMainForm::FormShow() {
    LoadFavorites();
    if (!m_startupParameters.isEmpty())
        commandLineOpen(m_startupParameters.join(QLatin1Char(' ')));
    m_progress->reset();
}

void TMainForm::commandLineOpen(const QString& fileName) {
    // A document with unsaved changes is saved or dropped by the user's choice, never silently.
    if (!askToSaveChanges())
        return;
    const vste::DocumentFormat format = FormatOfFileName(fileName);
    m_openFileName = fileName;
    m_openFilterIndex = static_cast<int>(format);

    ReadResult result;
    if (!readDocument(format, fileName, result, std::nullopt))
        return;

    adoptDocument(std::move(result), fileName, format);
    enableCommands(m_document->format(), true);

    m_saveFileName = fileName;
    updateTitleWithFile(fileName, " (RC3)- ");
    emit documentOpened(fileName, static_cast<int>(format));
}

} // namespace vste::ui
