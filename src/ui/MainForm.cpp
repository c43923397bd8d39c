// SPDX-License-Identifier: MIT
// The window's widgets, menus, captions, start-up state and layout rules.
#include "ui/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <limits>

#include "ui/Dialogs.h"
#include "ui/FileVersion.h"
#include "ui/ProgressBarAdapter.h"
#include "ui/StringsModel.h"

namespace vste::ui {

namespace {
constexpr int kCategoriesWidth = 193;
constexpr int kStatusPanelWidth = 193;
} // namespace

TMainForm::TMainForm(std::unique_ptr<Dialogs> dialogs, QWidget* parent)
    : QMainWindow(parent), m_dialogs(std::move(dialogs)) {
    if (!m_dialogs)
        m_dialogs = std::make_unique<StandardDialogs>();
    setObjectName(QStringLiteral("MainForm"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/vste.png")));
    createWidgets();
    createMenus();
    resize(679, 526);
    setMinimumSize(650, 500);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
}

TMainForm::~TMainForm() {
    if (m_russianInstalled)
        QCoreApplication::removeTranslator(&m_russian);
}

QString TMainForm::baseTitle() {
    return QStringLiteral("Velmoran String Table Editor ") +
           QString::fromStdString(
               GetFileVersion(QCoreApplication::applicationFilePath().toStdString())) +
           QStringLiteral(" (RC3)");
}

void TMainForm::createWidgets() {
    auto* central = new QWidget(this);
    auto* centralLayout = new QHBoxLayout(central);
    centralLayout->setContentsMargins(4, 4, 4, 0);

    Splitter1 = new QSplitter(Qt::Horizontal, central);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(7);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->setOpaqueResize(true);
    centralLayout->addWidget(Splitter1);

    CategorBox = new QGroupBox(Splitter1);
    CategorBox->setObjectName(QStringLiteral("CategorBox"));
    CategorBox->setMinimumWidth(140);
    auto* categoriesLayout = new QVBoxLayout(CategorBox);
    categoriesLayout->setContentsMargins(8, 8, 8, 8);
    CatsListBox = new QListWidget(CategorBox);
    CatsListBox->setObjectName(QStringLiteral("CatsListBox"));
    CatsListBox->setUniformItemSizes(true);
    categoriesLayout->addWidget(CatsListBox);

    RightGroupBox = new QFrame(Splitter1);
    RightGroupBox->setObjectName(QStringLiteral("RightGroupBox"));
    RightGroupBox->setMinimumWidth(400);
    auto* rightLayout = new QVBoxLayout(RightGroupBox);
    rightLayout->setContentsMargins(0, 0, 0, 0);

    StringsGroupBox = new QGroupBox(RightGroupBox);
    StringsGroupBox->setObjectName(QStringLiteral("StringsGroupBox"));
    auto* stringsLayout = new QGridLayout(StringsGroupBox);
    stringsLayout->setContentsMargins(8, 8, 8, 8);
    StringsGrid = new QTableView(StringsGroupBox);
    StringsGrid->setObjectName(QStringLiteral("StringsGrid"));
    Strings = new StringsModel(StringsGrid);
    Strings->setObjectName(QStringLiteral("StringsModel"));
    StringsGrid->setModel(Strings);
    StringsGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringsGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    StringsGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringsGrid->setShowGrid(true);
    StringsGrid->setWordWrap(false);
    StringsGrid->setAlternatingRowColors(true);
    StringsGrid->horizontalHeader()->hide();
    StringsGrid->verticalHeader()->hide();
    StringsGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringsGrid->verticalHeader()->setDefaultSectionSize(18);
    StringsGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // The value column takes the rest of the grid's width, whatever its size.
    StringsGrid->horizontalHeader()->setStretchLastSection(true);
    StringsGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringsGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    stringsLayout->addWidget(StringsGrid, 0, 0, 1, 3);
    QuickSearchLabel = new QLabel(StringsGroupBox);
    QuickSearchLabel->setObjectName(QStringLiteral("QuickSearchLabel"));
    QuickNameSearchEdit = new QLineEdit(StringsGroupBox);
    QuickNameSearchEdit->setObjectName(QStringLiteral("QuickNameSearchEdit"));
    QuickNameSearchEdit->setFixedWidth(169);
    QuickNameSearchEdit->setClearButtonEnabled(true);
    QuickStringSearchEdit = new QLineEdit(StringsGroupBox);
    QuickStringSearchEdit->setObjectName(QStringLiteral("QuickStringSearchEdit"));
    // 193 wide in a roomy window; narrower at the smallest window size, so that it stays inside
    // its group box.
    QuickStringSearchEdit->setMinimumWidth(120);
    QuickStringSearchEdit->setClearButtonEnabled(true);
    stringsLayout->addWidget(QuickSearchLabel, 1, 0);
    stringsLayout->addWidget(QuickNameSearchEdit, 1, 1);
    stringsLayout->addWidget(QuickStringSearchEdit, 1, 2);
    stringsLayout->setColumnStretch(2, 1);
    rightLayout->addWidget(StringsGroupBox, 1);

    StringBox = new QGroupBox(RightGroupBox);
    StringBox->setObjectName(QStringLiteral("StringBox"));
    StringBox->setFixedHeight(244);
    auto* editorLayout = new QGridLayout(StringBox);
    editorLayout->setContentsMargins(8, 8, 8, 8);
    editorLayout->setVerticalSpacing(6);
    StringNameLabel = new QLabel(StringBox);
    StringNameLabel->setObjectName(QStringLiteral("StringNameLabel"));
    StringNameEdit = new QLineEdit(StringBox);
    StringNameEdit->setObjectName(QStringLiteral("StringNameEdit"));
    // An edit box cuts its text at 32767 characters by default; names and extra values of any
    // length must come back whole.
    StringNameEdit->setMaxLength(std::numeric_limits<int>::max());
    StringNameLabel->setBuddy(StringNameEdit);
    editorLayout->addWidget(StringNameLabel, 0, 0);
    editorLayout->addWidget(StringNameEdit, 0, 1, 1, 5);

    ValuesNumberLabel = new QLabel(StringBox);
    ValuesNumberLabel->setObjectName(QStringLiteral("ValuesNumberLabel"));
    ValuesSpinEdit = new QSpinBox(StringBox);
    ValuesSpinEdit->setObjectName(QStringLiteral("ValuesSpinEdit"));
    ValuesSpinEdit->setRange(1, 1);
    ValuesSpinEdit->setValue(1);
    ValuesSpinEdit->setMinimumWidth(56);
    AddValueButton = new QToolButton(StringBox);
    AddValueButton->setObjectName(QStringLiteral("AddValueButton"));
    AddValueButton->setText(QStringLiteral("+"));
    AddValueButton->setFixedSize(22, 22);
    AddValueButton->setEnabled(false);
    RemoveValueButton = new QToolButton(StringBox);
    RemoveValueButton->setObjectName(QStringLiteral("RemoveValueButton"));
    RemoveValueButton->setText(QString(QChar(0x2212)));
    RemoveValueButton->setFixedSize(22, 22);
    RemoveValueButton->setEnabled(false);
    SubStringEdit = new QLineEdit(StringBox);
    SubStringEdit->setObjectName(QStringLiteral("SubStringEdit"));
    SubStringEdit->setMaxLength(std::numeric_limits<int>::max());
    editorLayout->addWidget(ValuesNumberLabel, 1, 0);
    editorLayout->addWidget(ValuesSpinEdit, 1, 1);
    editorLayout->addWidget(AddValueButton, 1, 2);
    editorLayout->addWidget(RemoveValueButton, 1, 3);
    editorLayout->addWidget(SubStringEdit, 1, 5);
    // The extra value box takes the row's free width, so that its hint shows whole.
    editorLayout->setColumnMinimumWidth(4, 12);
    editorLayout->setColumnStretch(5, 1);

    EditorMemo = new QPlainTextEdit(StringBox);
    EditorMemo->setObjectName(QStringLiteral("EditorMemo"));
    EditorMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    EditorMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    EditorMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    EditorMemo->setTabChangesFocus(true);
    editorLayout->addWidget(EditorMemo, 2, 0, 1, 6);
    editorLayout->setRowStretch(2, 1);

    auto* buttons = new QHBoxLayout();
    DeleteButton = new QPushButton(StringBox);
    DeleteButton->setObjectName(QStringLiteral("DeleteButton"));
    DeleteButton->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    InsertButton = new QPushButton(StringBox);
    InsertButton->setObjectName(QStringLiteral("InsertButton"));
    InsertButton->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    SaveButton = new QPushButton(StringBox);
    SaveButton->setObjectName(QStringLiteral("SaveButton"));
    SaveButton->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    SaveButton->setDefault(false);
    buttons->addWidget(DeleteButton);
    buttons->addWidget(InsertButton);
    buttons->addStretch(1);
    buttons->addWidget(SaveButton);
    editorLayout->addLayout(buttons, 3, 0, 1, 6);
    rightLayout->addWidget(StringBox, 0);

    Splitter1->addWidget(CategorBox);
    Splitter1->addWidget(RightGroupBox);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({kCategoriesWidth, 679 - kCategoriesWidth});
    setCentralWidget(central);

    StatusPanel0 = new QLabel(this);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    // At least 193 wide, wider for a longer status text (some Russian ones), never cut.
    StatusPanel0->setMinimumWidth(kStatusPanelWidth);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFixedHeight(12);
    auto* StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->addWidget(StatusPanel0);
    StatusBar1->addWidget(ProgressBar1, 1);
    setStatusBar(StatusBar1);
    m_progress = std::make_unique<ProgressBarAdapter>(ProgressBar1);

    CategorBox->setEnabled(false);
    StringsGroupBox->setEnabled(false);
    StringBox->setEnabled(false);

    connect(CatsListBox, &QListWidget::currentRowChanged, this, [this] { CatsListBoxClick(); });
    connect(StringsGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { StringsGridClick(); });
    connect(ValuesSpinEdit, &QSpinBox::valueChanged, this, [this] { ValuesSpinEditChange(); });
    connect(QuickNameSearchEdit, &QLineEdit::textChanged, this,
            [this] { QuickNameSearchEditChange(); });
    connect(QuickStringSearchEdit, &QLineEdit::textChanged, this,
            [this] { QuickStringSearchEditChange(); });
    connect(SaveButton, &QPushButton::clicked, this, [this] { SaveButtonClick(); });
    connect(InsertButton, &QPushButton::clicked, this, [this] { InsertButtonClick(); });
    connect(DeleteButton, &QPushButton::clicked, this, [this] { DeleteButtonClick(); });
    connect(AddValueButton, &QToolButton::clicked, this, [this] { AddValueButtonClick(); });
    connect(RemoveValueButton, &QToolButton::clicked, this, [this] { RemoveValueButtonClick(); });
    connect(Splitter1, &QSplitter::splitterMoved, this, [this] { FormResize(); });
}

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
    QMenuBar* bar = menuBar();
    auto topMenu = [&](const char* name) {
        auto* menu = new QMenu(bar);
        menu->setObjectName(QString::fromLatin1(name));
        bar->addMenu(menu);
        return menu;
    };
    auto separator = [&](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(name));
    };

    File1 = topMenu("File1");
    New1 = addAction(File1, "New1");
    New1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    New1->setEnabled(false);
    Open1 = addAction(File1, "Open1");
    Open1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    Open1->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    OpenNew = addAction(File1, "OpenNew");
    OpenNew->setEnabled(false);
    OpenFavorite = addSubMenu(File1, "OpenFavorite");
    OpenFavorite->menuAction()->setEnabled(false);
    for (int n = 1; n <= 5; ++n) {
        const QByteArray name = "OpenFavorite" + QByteArray::number(n);
        OpenFavorites[n - 1] = addAction(OpenFavorite, name.constData());
        OpenFavorites[n - 1]->setVisible(false);
        connect(OpenFavorites[n - 1], &QAction::triggered, this,
                [this, n] { OpenFavoriteClick(n); });
    }
    separator(File1, "N1");
    Save1 = addAction(File1, "Save1");
    Save1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    Save1->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    Save1->setEnabled(false);
    Saveas1 = addAction(File1, "Saveas1");
    Saveas1->setEnabled(false);
    separator(File1, "N2");
    ImportFromCSF1 = addAction(File1, "ImportFromCSF1");
    ImportFromCSF1->setEnabled(false);
    separator(File1, "N5");
    Exit1 = addAction(File1, "Exit1");

    Edit = topMenu("Edit");
    Coding = addSubMenu(Edit, "Coding");
    Standart1 = addAction(Coding, "Standart1");
    Standart1->setCheckable(true);
    Standart1->setChecked(true);
    Cyrillics1 = addAction(Coding, "Cyrillics1");
    Cyrillics1->setCheckable(true);
    separator(Coding, "N4");
    DecodeFargus = addAction(Coding, "DecodeFargus");
    DecodeFargus->setCheckable(true);
    DecodeFargus->setEnabled(false);
    Coding->menuAction()->setEnabled(false);
    Fileversion1 = addSubMenu(Edit, "Fileversion1");
    Version2 = addAction(Fileversion1, "Version2");
    Version2->setCheckable(true);
    Version3 = addAction(Fileversion1, "Version3");
    Version3->setCheckable(true);
    Fileversion1->menuAction()->setEnabled(false);
    FileLanguage1 = addSubMenu(Edit, "FileLanguage1");
    for (int n = 1; n <= 18; ++n) {
        const QByteArray name = "Language" + QByteArray::number(n);
        Languages[n - 1] = addAction(FileLanguage1, name.constData());
        Languages[n - 1]->setCheckable(true);
        connect(Languages[n - 1], &QAction::triggered, this, [this, n] { LanguageClick(n); });
    }
    FileLanguage1->menuAction()->setEnabled(false);
    Setfileasfavorite1 = addSubMenu(Edit, "Setfileasfavorite1");
    for (int n = 1; n <= 5; ++n) {
        const QByteArray name = "SetFavorite" + QByteArray::number(n);
        SetFavorites[n - 1] = addAction(Setfileasfavorite1, name.constData());
        connect(SetFavorites[n - 1], &QAction::triggered, this, [this, n] { SetFavoriteClick(n); });
    }
    Setfileasfavorite1->menuAction()->setEnabled(false);

    Options1 = topMenu("Options1");
    Assoc = addSubMenu(Options1, "Assoc");
    Assoc1 = addAction(Assoc, "Assoc1");
    Assoc1->setCheckable(true);
    LanguageUI = addSubMenu(Options1, "LanguageUI");
    RussianUI = addAction(LanguageUI, "RussianUI");
    RussianUI->setCheckable(true);
    EnglishUI = addAction(LanguageUI, "EnglishUI");
    EnglishUI->setCheckable(true);
    separator(Options1, "N3");
    AutodetectOn1 = addAction(Options1, "AutodetectOn1");
    AutodetectOn1->setCheckable(true);
    createCodePageMenu();

    Help1 = topMenu("Help1");
    About1 = addAction(Help1, "About1");

    connect(Open1, &QAction::triggered, this, [this] { Open1Click(); });
    connect(OpenNew, &QAction::triggered, this, [this] { OpenNewClick(); });
    connect(Save1, &QAction::triggered, this, [this] { Save1Click(); });
    connect(Saveas1, &QAction::triggered, this, [this] { Saveas1Click(); });
    connect(ImportFromCSF1, &QAction::triggered, this, [this] { ImportFromCSF1Click(); });
    connect(Exit1, &QAction::triggered, this, [this] { Exit1Click(); });
    connect(Standart1, &QAction::triggered, this, [this] { Standart1Click(); });
    connect(Cyrillics1, &QAction::triggered, this, [this] { Cyrillics1Click(); });
    connect(DecodeFargus, &QAction::triggered, this, [this] { DecodeFargusClick(); });
    connect(Version2, &QAction::triggered, this, [this] { Version2Click(); });
    connect(Version3, &QAction::triggered, this, [this] { Version3Click(); });
    connect(Assoc1, &QAction::triggered, this, [this] { AssocClick(); });
    connect(RussianUI, &QAction::triggered, this, [this] { RussianUIClick(); });
    connect(EnglishUI, &QAction::triggered, this, [this] { EnglishUIClick(); });
    connect(AutodetectOn1, &QAction::triggered, this, [this] { AutodetectOn1Click(); });
    connect(About1, &QAction::triggered, this, [this] { About1Click(); });
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
    setStatusText(chooseText(QT_TR_NOOP("Ready and waiting orders")));
    setWindowTitle(baseTitle());
    AutodetectOn1->setChecked(AutodetectEncoding != 0);
    ChangesSaved = 1;
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

    File1->setTitle(tr("File"));
    New1->setText(tr("New"));
    Open1->setText(tr("Open"));
    OpenNew->setText(tr("Open in new window"));
    OpenFavorite->setTitle(tr("Open favorite file"));
    Save1->setText(tr("Save"));
    Saveas1->setText(tr("Save as..."));
    Exit1->setText(tr("Exit"));
    ImportFromCSF1->setText(tr("Import strings from CSF"));
    Edit->setTitle(tr("Edit"));
    Setfileasfavorite1->setTitle(tr("Set file as favorite"));
    for (int n = 1; n <= 5; ++n)
        SetFavorites[n - 1]->setText(tr("Favorite file %1").arg(n));
    Coding->setTitle(tr("Character Encoding"));
    Standart1->setText(tr("Unicode"));
    Cyrillics1->setText(tr("ANSI (only for Cyrillics)"));
    AutodetectOn1->setText(tr("Autodetect Encoding"));
    DecodeFargus->setText(tr("Nox Fargus ANSI Cyrillics"));
    Fileversion1->setTitle(tr("File Version"));
    Version2->setText(tr("Version 2 (Nox)"));
    Version3->setText(tr("Version 3 (RA2\\RA2YR\\Gen\\GZH\\BFME\\BFME2)"));
    FileLanguage1->setTitle(tr("File Language"));
    const char* const languages[18] = {
        QT_TR_NOOP("Language 1 (English)"),
        QT_TR_NOOP("Language 2 (Spanish)"),
        QT_TR_NOOP("Language 3 (German RA2)"),
        QT_TR_NOOP("Language 4 (French RA2, German BFME)"),
        QT_TR_NOOP("Language 5 (French BFME)"),
        QT_TR_NOOP("Language 6 (Italian)"),
        QT_TR_NOOP("Language 7 (Dutch)"),
        QT_TR_NOOP("Language 8"),
        QT_TR_NOOP("Language 9 (Swedish)"),
        QT_TR_NOOP("Language 10 (Chinese)"),
        QT_TR_NOOP("Language 11"),
        QT_TR_NOOP("Language 12 (Brazilian Gen, Polish BFME)"),
        QT_TR_NOOP("Language 13 (Norwegian && Thai)"),
        QT_TR_NOOP("Language 14"),
        QT_TR_NOOP("Language 15"),
        QT_TR_NOOP("Language 16"),
        QT_TR_NOOP("Language 17"),
        QT_TR_NOOP("Language 18 (Russian)"),
    };
    for (int n = 0; n < 18; ++n)
        Languages[n]->setText(tr(languages[n]));
    Options1->setTitle(tr("Options"));
    LanguageUI->setTitle(tr("Language"));
    RussianUI->setText(QStringLiteral("Русский (Russian)"));
    EnglishUI->setText(QStringLiteral("English (Английский)"));
    Assoc->setTitle(tr("Associate VSTE with"));
    Assoc1->setText(QStringLiteral("CSF"));
    Help1->setTitle(tr("Help"));
    About1->setText(tr("About..."));
    retranslateCodePageMenu();
}

void TMainForm::updateValuesNumberLabel() {
    ValuesNumberLabel->setText(
        chooseText(QT_TR_NOOP("String value of %1 values:")).arg(ValuesSpinEdit->maximum()));
}

QString TMainForm::statusText() const {
    return StatusPanel0->text();
}

void TMainForm::setStatusText(const QString& text) {
    StatusPanel0->setText(text);
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
    if (ChangesSaved == 0 &&
        m_dialogs->question(
            this, chooseText(QT_TR_NOOP("You have not saved last changes in file. Would you like "
                                        "to save it before exit?!")))) {
        if (!saveCommand()) {
            event->ignore();
            return;
        }
    }
    m_settings.setAutodetectEncoding(AutodetectOn1->isChecked() ? 1 : 0);
    m_settings.setInterfaceLanguage(InterfaceLanguage);
    // A settings file that cannot be written never keeps the program from ending.
    if (!m_settings.save())
        setStatusText(chooseText(QT_TR_NOOP("Settings could not be saved")));
    event->accept();
}

} // namespace vste::ui
