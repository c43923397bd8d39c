// SPDX-License-Identifier: MIT
// The Edit menu's encoding, file version and file language commands, autodetection, and the
// Options menu's code page.
#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QListWidget>
#include <QMenu>
#include <QTableView>

#include "encoding/CodePage.h"
#include "ui/Association.h"
#include "ui/DocumentCommands.h"
#include "ui/MainForm.h"
#include "ui/StringsModel.h"

namespace vste::ui {

// The encoding mode belongs to the document (it decides how values are saved) and is a step of
// its history; without a document it is the mode the next CSF document starts with.
void TMainForm::Standart1Click() {
    if (m_document && m_document->ansiMode())
        push(std::make_unique<EncodingModeCommand>(*m_document, false));
    m_ansiModeChoice = false;
    updatePropertyMarks();
}

void TMainForm::Cyrillics1Click() {
    if (m_document && !m_document->ansiMode())
        push(std::make_unique<EncodingModeCommand>(*m_document, true));
    m_ansiModeChoice = true;
    updatePropertyMarks();
}

void TMainForm::AutodetectOn1Click() {
    // The action toggles its own mark; nothing else depends on it until the next open.
}

void TMainForm::DecodeFargusClick() {
    if (!m_document)
        return;
    // The action has already toggled its mark: checked now means "recode".
    push(std::make_unique<FargusCommand>(*m_document, DecodeFargus->isChecked()));
    CatsListBoxClick();
}

void TMainForm::Version2Click() {
    if (m_document && m_document->document().Version != 2)
        push(std::make_unique<VersionCommand>(*m_document, 2));
    updatePropertyMarks();
}

void TMainForm::Version3Click() {
    if (m_document && m_document->document().Version != 3)
        push(std::make_unique<VersionCommand>(*m_document, 3));
    updatePropertyMarks();
}

void TMainForm::LanguageClick(int number) {
    if (!m_document || number < 1 || number > static_cast<int>(Languages.size()))
        return;
    if (m_document->document().Language != number - 1)
        push(std::make_unique<LanguageCommand>(*m_document, number - 1));
    updatePropertyMarks();
}

// The marks of the encoding mode, version, language and Fargus items follow the document, also
// after an undo or redo.
void TMainForm::updatePropertyMarks() {
    const bool ansi = CyrillicAnsiMode() != 0;
    Standart1->setChecked(!ansi);
    Cyrillics1->setChecked(ansi);
    if (!m_document)
        return;
    if (m_document->format().versionAndLanguage)
        setLanguageAndVersionMarks();
    if (m_document->format().fargus)
        DecodeFargus->setChecked(m_document->fargusDecoded());
}

namespace {

struct CodePageCaption {
    int codePage;
    const char* caption;
};

// Captions in the order of SupportedCodePages().
constexpr CodePageCaption kCodePageCaptions[] = {
    {1250, QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Windows-1250 (Central European)")},
    {1251, QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Windows-1251 (Cyrillic)")},
    {1252, QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Windows-1252 (Western European)")},
    {1253, QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Windows-1253 (Greek)")},
    {1254, QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Windows-1254 (Turkish)")},
    {1255, QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Windows-1255 (Hebrew)")},
    {1256, QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Windows-1256 (Arabic)")},
    {1257, QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Windows-1257 (Baltic)")},
    {1258, QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Windows-1258 (Vietnamese)")},
    {874, QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Windows-874 (Thai)")},
};

} // namespace

void TMainForm::createCodePageMenu() {
    // A click on the interface language that is already active must leave its mark (and
    // everything else) as it is, so the two items form an exclusive pair.
    auto* interfaceLanguages = new QActionGroup(this);
    interfaceLanguages->addAction(RussianUI);
    interfaceLanguages->addAction(EnglishUI);

    CodePageMenu = addSubMenu(Options1, "CodePageMenu");
    for (std::size_t i = 0; i < CodePages.size(); ++i) {
        const int codePage = kCodePageCaptions[i].codePage;
        const QByteArray name = "CodePage" + QByteArray::number(codePage);
        CodePages[i] = addAction(CodePageMenu, name.constData());
        CodePages[i]->setCheckable(true);
        CodePages[i]->setData(codePage);
        connect(CodePages[i], &QAction::triggered, this,
                [this, codePage] { CodePageClick(codePage); });
    }
    updateCodePageMarks();
}

void TMainForm::retranslateCodePageMenu() {
    if (!CodePageMenu)
        return;
    CodePageMenu->setTitle(tr("Code page"));
    for (std::size_t i = 0; i < CodePages.size(); ++i)
        CodePages[i]->setText(tr(kCodePageCaptions[i].caption));
}

void TMainForm::updateCodePageMarks() {
    const int active = ActiveCodePage();
    for (QAction* item : CodePages)
        item->setChecked(item->data().toInt() == active);
}

void TMainForm::CodePageClick(int codePage) {
    if (!IsSupportedCodePage(codePage))
        return;
    SetActiveCodePage(codePage);
    Settings::setCodePage(codePage);
    updateCodePageMarks();
    // Names, category names and extra values are shown through the code page: show them anew.
    if (m_document) {
        const int category = CatsListBox->currentRow();
        const int row = currentRow();
        refillCategoryList();
        selectCategoryLine(category);
        if (row > 0)
            selectRow(row);
    }
}

void TMainForm::applyStoredChoices() {
    Assoc1->setChecked(IsCsfAssociated());
    // A code page chosen in the menu wins over the one the environment suggests.
    if (const std::optional<int> codePage = Settings::codePage())
        SetActiveCodePage(*codePage);
    updateCodePageMarks();
}

} // namespace vste::ui
