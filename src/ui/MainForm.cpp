// SPDX-License-Identifier: MIT
// The window's widgets, menus, captions, start-up state and layout rules.
#include "ui/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QMenu>
#include <QScreen>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QUndoCommand>

#include "ui/BottomPanels.h"
#include "ui/CompareController.h"
#include "ui/Dialogs.h"
#include "ui/ExchangeController.h"
#include "ui/FileDrop.h"
#include "ui/FileVersion.h"
#include "ui/FindController.h"
#include "ui/HighDpi.h"
#include "ui/KeyboardAccess.h"
#include "ui/MainFormProject.h"
#include "ui/MainFormSuggestions.h"
#include "ui/MainFormWording.h"
#include "ui/ProblemsController.h"
#include "ui/ProgressBarAdapter.h"
#include "ui/RecentFiles.h"
#include "ui/ReferenceTable.h"
#include "ui/ReferenceWorkbench.h"
#include "ui/StringsModel.h"
#include "ui/ValueWrapping.h"
#include "ui/WindowState.h"

namespace vste::ui {

TMainForm::TMainForm(std::unique_ptr<Dialogs> dialogs, QWidget* parent)
    : QMainWindow(parent), m_dialogs(std::move(dialogs)) {
    if (!m_dialogs)
        m_dialogs = std::make_unique<StandardDialogs>();
    setObjectName(QStringLiteral("MainForm"));
    setWindowIcon(ApplicationIcon());
    createWidgets();
    createMenus();
    m_problems = new ProblemsController(*this, [this](int s, int v) {
        if (leaveShownString())
            showTouched({s, v, false});
    });
    m_problems->addViewMenu(menuBar(), Options1);
    m_exchange = new ExchangeController(*this, *m_dialogs);
    m_exchange->addActionsTo(File1, Exit1);
    m_find = new FindController(*this);
    m_find->addActionsTo(Edit);
    m_workbench = new ReferenceWorkbench(*this);
    m_workbench->addActionsTo(File1);
    auto* panels = new BottomPanels(*this);
    for (QDockWidget* dock : {m_problems->dock(), m_find->dock(), m_workbench->compare().dock()})
        panels->add(dock);
    m_workbench->addEditActionsTo(Edit, Redo1);
    // One reference serves the workbench, the reference checks and the export.
    connect(&m_workbench->reference(), &ReferenceTable::changed, this, [this] {
        const TWestwoodStrings* reference = m_workbench->reference().document();
        m_problems->setReference(reference);
        m_exchange->setReference(reference);
        m_find->setReference(reference);
    });
    resize(679, 526);
    setMinimumSize(650, 500);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
    m_recentFiles = std::make_unique<RecentFiles>(*this);
    m_recentFiles->addMenuTo(File1, OpenFavorite->menuAction());
    AttachProject(*this);
    AttachSuggestions(*this);
    AttachWording(*this);
    m_windowState = std::make_unique<WindowState>(*this);
    m_fileDrop = std::make_unique<FileDrop>(*this);
    m_keyboard = std::make_unique<KeyboardAccess>(*this);
    new ValueWrapping(*this);
}

TMainForm::~TMainForm() {
    // Children hidden while the window goes move the focus; the boxes are gone by then.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    if (m_russianInstalled)
        QCoreApplication::removeTranslator(&m_russian);
}

QString TMainForm::baseTitle() {
    return QStringLiteral("Velmoran String Table Editor ") +
           QString::fromStdString(
               GetFileVersion(QCoreApplication::applicationFilePath().toStdString())) +
           QStringLiteral(" (RC3)");
}

void TMainForm::FormCreate() {
    OpenWithoutDialog = 0;
    m_settings.load();
    InterfaceLanguage = m_settings.interfaceLanguage();
    AutodetectEncoding = m_settings.autodetectEncoding();
    if (InterfaceLanguage == 0)
        RussianUIClick();
    else
        EnglishUIClick();
    setStatusText([this] { return chooseText(QT_TR_NOOP("Ready and waiting orders")); });
    setWindowTitle(baseTitle());
    AutodetectOn1->setChecked(AutodetectEncoding != 0);
    applyStoredChoices();
}

QString TMainForm::chooseText(const char* english) const {
    if (InterfaceLanguage == 1 || !m_russianLoaded)
        return QString::fromUtf8(english);
    const QString russian = m_russian.translate("vste::ui::TMainForm", english);
    return russian.isEmpty() ? QString::fromUtf8(english) : russian;
}

bool TMainForm::loadRussianTranslation() {
    if (!m_russianLoaded)
        m_russianLoaded = m_russian.load(QStringLiteral(":/i18n/vste_ru.qm"));
    return m_russianLoaded;
}

void TMainForm::applyInterfaceLanguage(bool english) {
    InterfaceLanguage = english ? 1 : 0;
    RussianUI->setChecked(!english);
    EnglishUI->setChecked(english);
    if (!english && loadRussianTranslation() && !m_russianInstalled) {
        // Installing sends LanguageChange, whose handler retranslates the window.
        m_russianInstalled = QCoreApplication::installTranslator(&m_russian);
    } else if (english && m_russianInstalled) {
        QCoreApplication::removeTranslator(&m_russian);
        m_russianInstalled = false;
    }
    retranslateUi();
}

void TMainForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QMainWindow::changeEvent(event);
}

void TMainForm::retranslateUi() {
    CategorBox->setTitle(tr("Categories"));
    StringsGroupBox->setTitle(tr("Strings"));
    StringBox->setTitle(tr("Sting Values"));
    QuickSearchLabel->setText(tr("Quick Search:"));
    QuickNameSearchEdit->setPlaceholderText(tr("Name"));
    QuickStringSearchEdit->setPlaceholderText(tr("Value"));
    DeleteButton->setText(tr("Delete"));
    InsertButton->setText(tr("Insert"));
    SaveButton->setText(tr("Apply Changes"));
    StringNameLabel->setText(tr("String Name:"));
    SubStringEdit->setToolTip(tr("Extra value of string"));
    SubStringEdit->setPlaceholderText(tr("Extra value of string"));
    updateValuesNumberLabel();
    if (m_statusWording)
        StatusPanel0->setText(m_statusWording());

    retranslateMenus();
}

void TMainForm::updateValuesNumberLabel() {
    ValuesNumberLabel->setText(
        chooseText(QT_TR_NOOP("String value of %1 values:")).arg(ValuesSpinEdit->maximum()));
}

QString TMainForm::statusText() const {
    return StatusPanel0->text();
}

void TMainForm::setStatusText(const QString& text) {
    // A text put back after a passing one ("Saving...") keeps the wording it was shown with.
    const bool putBack = m_priorWording && m_priorWording() == text;
    std::function<QString()> wording = putBack ? m_priorWording : nullptr;
    m_priorWording = std::move(m_statusWording);
    m_statusWording = std::move(wording);
    StatusPanel0->setText(text);
}

void TMainForm::setStatusText(std::function<QString()> wording) {
    const QString text = wording();
    setStatusText(text);
    m_statusWording = std::move(wording);
}

void TMainForm::showError(const QString& text) {
    m_dialogs->error(this, text);
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TMainForm::FormResize() {
    StringsGrid->setColumnWidth(0, 200);
    CategorBox->setMaximumWidth(std::max(CategorBox->minimumWidth(), width() - 450));
}

void TMainForm::Exit1Click() {
    close();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!settleUnsavedChanges(QT_TR_NOOP("You have not saved last changes in file. Would you like "
                                         "to save it before exit?!"))) {
        event->ignore();
        return;
    }
    m_settings.setAutodetectEncoding(AutodetectOn1->isChecked() ? 1 : 0);
    m_settings.setInterfaceLanguage(InterfaceLanguage);
    // A settings file that cannot be written never keeps the program from ending; the box is
    // read before the window goes.
    if (!m_settings.save())
        showError(chooseText(QT_TR_NOOP("Settings could not be saved")));
    event->accept();
}

bool TMainForm::settleUnsavedChanges(const char* question) {
    // Typed text not yet applied is an unsaved change too; Yes applies it before saving.
    const bool pending = hasPendingEdits();
    if (!m_document || (!m_document->isModified() && !pending))
        return true;
    const std::optional<bool> save = m_dialogs->questionWithCancel(this, chooseText(question));
    if (!save)
        return false;
    if (!*save)
        return true;
    return (!pending || applyPendingEdits()) && saveCommand();
}

const TWestwoodStrings* TMainForm::currentDocument() const {
    return m_document ? &m_document->document() : nullptr;
}

std::uint8_t TMainForm::ChangesSaved() const {
    return m_document && m_document->isModified() ? 0 : 1;
}

std::uint8_t TMainForm::CyrillicAnsiMode() const {
    return (m_document ? m_document->ansiMode() : m_ansiModeChoice) ? 1 : 0;
}

vste::DocumentFormat TMainForm::documentFormat() const {
    return m_document ? m_document->format().id : vste::DocumentFormat::CSF;
}

void TMainForm::push(std::unique_ptr<QUndoCommand> command) {
    if (m_document)
        m_document->push(command.release());
}

} // namespace vste::ui
