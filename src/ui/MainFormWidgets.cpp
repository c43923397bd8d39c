// SPDX-License-Identifier: MIT
// The window's widgets: the categories, the string grid, the string editor and the status bar.
#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <limits>

#include "ui/MainForm.h"
#include "ui/ProgressBarAdapter.h"
#include "ui/StringsModel.h"

namespace vste::ui {

namespace {
constexpr int kCategoriesWidth = 193;
constexpr int kStatusPanelWidth = 193;
} // namespace

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

    Splitter1->addWidget(buildCategories(Splitter1));
    RightGroupBox = new QFrame(Splitter1);
    RightGroupBox->setObjectName(QStringLiteral("RightGroupBox"));
    RightGroupBox->setMinimumWidth(400);
    auto* rightLayout = new QVBoxLayout(RightGroupBox);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(buildStrings(RightGroupBox), 1);
    rightLayout->addWidget(buildEditor(RightGroupBox), 0);
    Splitter1->addWidget(RightGroupBox);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({kCategoriesWidth, 679 - kCategoriesWidth});
    setCentralWidget(central);
    buildStatusBar();

    CategorBox->setEnabled(false);
    StringsGroupBox->setEnabled(false);
    StringBox->setEnabled(false);
    connectWidgets();
}

QWidget* TMainForm::buildCategories(QWidget* parent) {
    CategorBox = new QGroupBox(parent);
    CategorBox->setObjectName(QStringLiteral("CategorBox"));
    CategorBox->setMinimumWidth(140);
    auto* categoriesLayout = new QVBoxLayout(CategorBox);
    categoriesLayout->setContentsMargins(8, 8, 8, 8);
    CatsListBox = new QListWidget(CategorBox);
    CatsListBox->setObjectName(QStringLiteral("CatsListBox"));
    CatsListBox->setUniformItemSizes(true);
    categoriesLayout->addWidget(CatsListBox);

    return CategorBox;
}

QWidget* TMainForm::buildStrings(QWidget* parent) {
    StringsGroupBox = new QGroupBox(parent);
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
    return StringsGroupBox;
}

QWidget* TMainForm::buildEditor(QWidget* parent) {
    StringBox = new QGroupBox(parent);
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

    buildValueRow(*editorLayout);

    EditorMemo = new QPlainTextEdit(StringBox);
    EditorMemo->setObjectName(QStringLiteral("EditorMemo"));
    EditorMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    EditorMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    EditorMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    EditorMemo->setTabChangesFocus(true);
    editorLayout->addWidget(EditorMemo, 2, 0, 1, 6);
    editorLayout->setRowStretch(2, 1);

    editorLayout->addLayout(buildEditorButtons(), 3, 0, 1, 6);
    return StringBox;
}

// The value number with + and -, and the extra value box, on the editor's second row.
void TMainForm::buildValueRow(QGridLayout& layout) {
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
    layout.addWidget(ValuesNumberLabel, 1, 0);
    layout.addWidget(ValuesSpinEdit, 1, 1);
    layout.addWidget(AddValueButton, 1, 2);
    layout.addWidget(RemoveValueButton, 1, 3);
    layout.addWidget(SubStringEdit, 1, 5);
    // The extra value box takes the row's free width, so that its hint shows whole.
    layout.setColumnMinimumWidth(4, 12);
    layout.setColumnStretch(5, 1);
}

// Delete and Insert on the left, Apply Changes on the right.
QHBoxLayout* TMainForm::buildEditorButtons() {
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
    return buttons;
}

void TMainForm::buildStatusBar() {
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
}

void TMainForm::connectWidgets() {
    connect(CatsListBox, &QListWidget::currentRowChanged, this, [this] { CatsListBoxClick(); });
    connect(StringsGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TMainForm::gridCurrentChanged);
    // A click on the line or row already selected shows it again (after an Apply of value 2,
    // clicking the category shows value 1 again). Showing twice after a click that selects
    // costs next to nothing.
    connect(CatsListBox, &QListWidget::itemClicked, this, [this] { CatsListBoxClick(); });
    connect(StringsGrid, &QTableView::clicked, this, [this] {
        if (!hasPendingEdits())
            StringsGridClick();
    });
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
    // Undo and Redo name the box whose typing they would take back.
    connect(qApp, &QApplication::focusChanged, this, [this] { updateUndoActions(); });
    connect(EditorMemo, &QPlainTextEdit::undoAvailable, this, [this] { updateUndoActions(); });
    connect(EditorMemo, &QPlainTextEdit::redoAvailable, this, [this] { updateUndoActions(); });
    for (QLineEdit* box : {StringNameEdit, SubStringEdit})
        connect(box, &QLineEdit::textChanged, this, [this] { updateUndoActions(); });
}

} // namespace vste::ui
