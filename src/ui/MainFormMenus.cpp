// SPDX-License-Identifier: MIT
// The menus: one table names every item, its caption, shortcut, mark and command; building the
// menus and setting their captions both read it.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QUndoStack>

#include "ui/MainForm.h"

namespace vste::ui {

namespace {

enum ItemFlags : unsigned {
    kNone = 0,
    kCheckable = 1,
    kDisabled = 2,
    kSeparatorBefore = 4,
};

// One menu item: an action, or a submenu when `menu` is set (a menu of the bar when `parent`
// is null as well).
struct MenuItem {
    QMenu* TMainForm::*parent;
    QAction* TMainForm::*action;
    QMenu* TMainForm::*menu;
    const char* name;
    const char* caption; // null: the caption is set elsewhere
    QKeySequence::StandardKey standardKey;
    QKeyCombination shortcut;
    unsigned flags;
    void (TMainForm::*slot)();
};

constexpr auto kNoKey = QKeySequence::UnknownKey;
using F = TMainForm;

// In menu order; the favorites, languages and code pages are added by number afterwards.
// clang-format off
const MenuItem kItems[] = {
    {nullptr, nullptr, &F::File1, "File1", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "File"), kNoKey, {}, kNone, nullptr},
    {&F::File1, &F::New1, nullptr, "New1", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "New"), QKeySequence::New, {}, kNone, &F::New1Click},
    {&F::File1, &F::Open1, nullptr, "Open1", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Open"), kNoKey, Qt::CTRL | Qt::Key_O, kNone, &F::Open1Click},
    {&F::File1, &F::OpenNew, nullptr, "OpenNew", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Open in new window"), kNoKey, {}, kDisabled, &F::OpenNewClick},
    {&F::File1, nullptr, &F::OpenFavorite, "OpenFavorite", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Open favorite file"), kNoKey, {}, kDisabled, nullptr},
    {&F::File1, &F::Save1, nullptr, "Save1", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Save"), kNoKey, Qt::CTRL | Qt::Key_S, kDisabled | kSeparatorBefore, &F::Save1Click},
    {&F::File1, &F::Saveas1, nullptr, "Saveas1", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Save as..."), QKeySequence::SaveAs, {}, kDisabled, &F::Saveas1Click},
    {&F::File1, &F::ImportFromCSF1, nullptr, "ImportFromCSF1", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Import strings from CSF"), kNoKey, {}, kDisabled | kSeparatorBefore, &F::ImportFromCSF1Click},
    {&F::File1, &F::Exit1, nullptr, "Exit1", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Exit"), QKeySequence::Quit, {}, kSeparatorBefore, &F::Exit1Click},
    {nullptr, nullptr, &F::Edit, "Edit", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Edit"), kNoKey, {}, kNone, nullptr},
    {&F::Edit, &F::Undo1, nullptr, "Undo1", nullptr, QKeySequence::Undo, {}, kDisabled, &F::UndoClick},
    {&F::Edit, &F::Redo1, nullptr, "Redo1", nullptr, QKeySequence::Redo, {}, kDisabled, &F::RedoClick},
    {&F::Edit, nullptr, &F::Coding, "Coding", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Character Encoding"), kNoKey, {}, kDisabled | kSeparatorBefore, nullptr},
    {&F::Coding, &F::Standart1, nullptr, "Standart1", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Unicode"), kNoKey, {}, kCheckable, &F::Standart1Click},
    {&F::Coding, &F::Cyrillics1, nullptr, "Cyrillics1", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "ANSI (only for Cyrillics)"), kNoKey, {}, kCheckable, &F::Cyrillics1Click},
    {&F::Coding, &F::DecodeFargus, nullptr, "DecodeFargus", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Nox Fargus ANSI Cyrillics"), kNoKey, {}, kCheckable | kDisabled | kSeparatorBefore, &F::DecodeFargusClick},
    {&F::Edit, nullptr, &F::Fileversion1, "Fileversion1", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "File Version"), kNoKey, {}, kDisabled, nullptr},
    {&F::Fileversion1, &F::Version2, nullptr, "Version2", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Version 2 (Nox)"), kNoKey, {}, kCheckable, &F::Version2Click},
    {&F::Fileversion1, &F::Version3, nullptr, "Version3", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Version 3 (RA2\\RA2YR\\Gen\\GZH\\BFME\\BFME2)"), kNoKey, {}, kCheckable, &F::Version3Click},
    {&F::Edit, nullptr, &F::FileLanguage1, "FileLanguage1", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "File Language"), kNoKey, {}, kDisabled, nullptr},
    {&F::Edit, nullptr, &F::Setfileasfavorite1, "Setfileasfavorite1", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Set file as favorite"), kNoKey, {}, kDisabled, nullptr},
    {nullptr, nullptr, &F::Options1, "Options1", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Options"), kNoKey, {}, kNone, nullptr},
    {&F::Options1, nullptr, &F::Assoc, "Assoc", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Associate VSTE with"), kNoKey, {}, kNone, nullptr},
    {&F::Assoc, &F::Assoc1, nullptr, "Assoc1", nullptr, kNoKey, {}, kCheckable, &F::AssocClick},
    {&F::Options1, nullptr, &F::LanguageUI, "LanguageUI", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Language"), kNoKey, {}, kNone, nullptr},
    {&F::LanguageUI, &F::RussianUI, nullptr, "RussianUI", nullptr, kNoKey, {}, kCheckable, &F::RussianUIClick},
    {&F::LanguageUI, &F::EnglishUI, nullptr, "EnglishUI", nullptr, kNoKey, {}, kCheckable, &F::EnglishUIClick},
    {&F::Options1, &F::AutodetectOn1, nullptr, "AutodetectOn1", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Autodetect Encoding"), kNoKey, {}, kCheckable | kSeparatorBefore, &F::AutodetectOn1Click},
    {nullptr, nullptr, &F::Help1, "Help1", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Help"), kNoKey, {}, kNone, nullptr},
    {&F::Help1, &F::About1, nullptr, "About1", QT_TRANSLATE_NOOP("vste::ui::TMainForm", "About..."), kNoKey, {}, kNone, &F::About1Click},
};
// clang-format on

// Object names of the separators, in menu order.
const char* const kSeparatorNames[] = {"N1", "N2", "N5", "N6", "N4", "N3"};

const char* const kLanguageCaptions[18] = {
    QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Language 1 (English)"),
    QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Language 2 (Spanish)"),
    QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Language 3 (German RA2)"),
    QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Language 4 (French RA2, German BFME)"),
    QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Language 5 (French BFME)"),
    QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Language 6 (Italian)"),
    QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Language 7 (Dutch)"),
    QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Language 8"),
    QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Language 9 (Swedish)"),
    QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Language 10 (Chinese)"),
    QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Language 11"),
    QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Language 12 (Brazilian Gen, Polish BFME)"),
    QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Language 13 (Norwegian && Thai)"),
    QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Language 14"),
    QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Language 15"),
    QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Language 16"),
    QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Language 17"),
    QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Language 18 (Russian)"),
};

} // namespace

QAction* TMainForm::addAction(QMenu* menu, const char* name) {
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(name));
    menu->addAction(action);
    return action;
}

QMenu* TMainForm::addSubMenu(QMenu* menu, const char* name) {
    auto* sub = new QMenu(menu);
    sub->setObjectName(QString::fromLatin1(name));
    sub->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Action"));
    menu->addMenu(sub);
    return sub;
}

void TMainForm::createMenus() {
    std::size_t separators = 0;
    for (const MenuItem& item : kItems) {
        QMenu* parent = item.parent ? this->*item.parent : nullptr;
        if (item.flags & kSeparatorBefore)
            parent->addSeparator()->setObjectName(
                QString::fromLatin1(kSeparatorNames[separators++]));
        if (item.menu) {
            QMenu* menu = parent ? addSubMenu(parent, item.name) : new QMenu(menuBar());
            if (!parent) {
                menu->setObjectName(QString::fromLatin1(item.name));
                menuBar()->addMenu(menu);
            }
            menu->menuAction()->setEnabled(!(item.flags & kDisabled));
            this->*item.menu = menu;
            continue;
        }
        QAction* action = addAction(parent, item.name);
        this->*item.action = action;
        if (item.standardKey != kNoKey)
            action->setShortcuts(item.standardKey);
        else if (item.shortcut.key() != Qt::Key(0))
            action->setShortcut(QKeySequence(item.shortcut));
        action->setCheckable(item.flags & kCheckable);
        action->setEnabled(!(item.flags & kDisabled));
        if (item.slot)
            connect(action, &QAction::triggered, this,
                    [this, slot = item.slot] { (this->*slot)(); });
    }
    Standart1->setChecked(true);
    Open1->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    Save1->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    createNumberedItems();
    createCodePageMenu();
}

void TMainForm::createNumberedItems() {
    for (int n = 1; n <= 5; ++n) {
        const QByteArray name = "OpenFavorite" + QByteArray::number(n);
        OpenFavorites[n - 1] = addAction(OpenFavorite, name.constData());
        OpenFavorites[n - 1]->setVisible(false);
        connect(OpenFavorites[n - 1], &QAction::triggered, this,
                [this, n] { OpenFavoriteClick(n); });
        const QByteArray setName = "SetFavorite" + QByteArray::number(n);
        SetFavorites[n - 1] = addAction(Setfileasfavorite1, setName.constData());
        connect(SetFavorites[n - 1], &QAction::triggered, this, [this, n] { SetFavoriteClick(n); });
    }
    for (int n = 1; n <= 18; ++n) {
        const QByteArray name = "Language" + QByteArray::number(n);
        Languages[n - 1] = addAction(FileLanguage1, name.constData());
        Languages[n - 1]->setCheckable(true);
        connect(Languages[n - 1], &QAction::triggered, this, [this, n] { LanguageClick(n); });
    }
}

void TMainForm::retranslateMenus() {
    for (const MenuItem& item : kItems) {
        if (!item.caption)
            continue;
        if (item.menu)
            (this->*item.menu)->setTitle(tr(item.caption));
        else
            (this->*item.action)->setText(tr(item.caption));
    }
    for (int n = 1; n <= 5; ++n)
        SetFavorites[n - 1]->setText(tr("Favorite file %1").arg(n));
    for (int n = 0; n < 18; ++n)
        Languages[n]->setText(tr(kLanguageCaptions[n]));
    RussianUI->setText(QStringLiteral("Русский (Russian)"));
    EnglishUI->setText(QStringLiteral("English (Английский)"));
    Assoc1->setText(QStringLiteral("CSF"));
    updateUndoActions();
    retranslateCodePageMenu();
}

// The items name the step they would take back or do again, in the interface's language.
void TMainForm::updateUndoActions() {
    QUndoStack* stack = m_document ? &m_document->undoStack() : nullptr;
    // A text box's own typing comes first: the items then say so.
    const bool undoTyping = typingToUndo(false) != nullptr;
    const bool redoTyping = typingToUndo(true) != nullptr;
    const bool canUndo = stack && stack->canUndo();
    const bool canRedo = stack && stack->canRedo();
    Undo1->setEnabled(undoTyping || canUndo);
    Redo1->setEnabled(redoTyping || canRedo);
    Undo1->setText(undoTyping ? tr("Undo Typing")
                   : canUndo  ? tr("Undo %1").arg(tr(stack->undoText().toUtf8().constData()))
                              : tr("Undo"));
    Redo1->setText(redoTyping ? tr("Redo Typing")
                   : canRedo  ? tr("Redo %1").arg(tr(stack->redoText().toUtf8().constData()))
                              : tr("Redo"));
}

} // namespace vste::ui
