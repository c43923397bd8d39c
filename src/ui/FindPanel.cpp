// SPDX-License-Identifier: MIT
#include "ui/FindPanel.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/AnsiText.h"

namespace vste::ui {

namespace {

template <typename T> T* named(QWidget* parent, const char* name) {
    auto* widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

FindPanel::FindPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FindPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(buildBoxes());
    layout->addWidget(buildOptions());

    ResultsView = named<QTableView>(this, "FindResultsView");
    ResultsView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ResultsView->setSelectionMode(QAbstractItemView::SingleSelection);
    ResultsView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ResultsView->setWordWrap(false);
    ResultsView->verticalHeader()->setVisible(false);
    ResultsView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ResultsView->verticalHeader()->setDefaultSectionSize(ResultsView->fontMetrics().height() + 6);
    ResultsView->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(ResultsView, 1);
    retranslateUi();
}

QWidget* FindPanel::buildBoxes() {
    auto* boxes = new QWidget(this);
    auto* grid = new QGridLayout(boxes);
    grid->setContentsMargins(0, 0, 0, 0);
    PatternLabel = named<QLabel>(boxes, "FindPatternLabel");
    PatternEdit = named<QLineEdit>(boxes, "FindPatternEdit");
    PatternEdit->setClearButtonEnabled(true);
    PatternLabel->setBuddy(PatternEdit);
    PatternErrorLabel = named<QLabel>(boxes, "FindPatternError");
    PatternErrorLabel->setStyleSheet(QStringLiteral("color: #b00000;"));
    PatternErrorLabel->setWordWrap(true);
    PatternErrorLabel->hide();
    FindAllButton = named<QPushButton>(boxes, "FindAllButton");
    FindAllButton->setDefault(true);
    StopButton = named<QPushButton>(boxes, "FindStopButton");
    StopButton->setEnabled(false);
    ReplacementLabel = named<QLabel>(boxes, "FindReplacementLabel");
    ReplacementEdit = named<QLineEdit>(boxes, "FindReplacementEdit");
    ReplacementEdit->setClearButtonEnabled(true);
    ReplacementLabel->setBuddy(ReplacementEdit);
    ReplaceButton = named<QPushButton>(boxes, "ReplaceButton");
    ReplaceAllButton = named<QPushButton>(boxes, "ReplaceAllButton");

    grid->addWidget(PatternLabel, 0, 0);
    grid->addWidget(PatternEdit, 0, 1);
    grid->addWidget(FindAllButton, 0, 2);
    grid->addWidget(StopButton, 0, 3);
    grid->addWidget(PatternErrorLabel, 1, 1, 1, 3);
    grid->addWidget(ReplacementLabel, 2, 0);
    grid->addWidget(ReplacementEdit, 2, 1);
    grid->addWidget(ReplaceButton, 2, 2);
    grid->addWidget(ReplaceAllButton, 2, 3);
    grid->setColumnStretch(1, 1);
    return boxes;
}

QWidget* FindPanel::buildOptions() {
    // Two rows, so the panel fits the window at its smallest width.
    auto* options = new QWidget(this);
    auto* rows = new QVBoxLayout(options);
    rows->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    auto* second = new QHBoxLayout;
    rows->addLayout(row);
    rows->addLayout(second);
    LookInLabel = named<QLabel>(options, "FindLookInLabel");
    InNamesBox = named<QCheckBox>(options, "FindInNamesBox");
    InValuesBox = named<QCheckBox>(options, "FindInValuesBox");
    InExtrasBox = named<QCheckBox>(options, "FindInExtrasBox");
    InReferenceBox = named<QCheckBox>(options, "FindInReferenceBox");
    InReferenceBox->setEnabled(false);
    MatchCaseBox = named<QCheckBox>(options, "FindMatchCaseBox");
    WholeWordBox = named<QCheckBox>(options, "FindWholeWordBox");
    RegexBox = named<QCheckBox>(options, "FindRegexBox");
    for (QCheckBox* box : {InNamesBox, InValuesBox, InExtrasBox})
        box->setChecked(true);
    row->addWidget(LookInLabel);
    for (QCheckBox* box : {InNamesBox, InValuesBox, InExtrasBox, InReferenceBox})
        row->addWidget(box);
    row->addStretch(1);
    for (QCheckBox* box : {MatchCaseBox, WholeWordBox, RegexBox})
        second->addWidget(box);
    second->addStretch(1);
    CountLabel = named<QLabel>(options, "FindCountLabel");
    second->addWidget(CountLabel);
    return options;
}

search::SearchOptions FindPanel::options() const {
    search::SearchOptions options;
    options.pattern = QStringToU16(PatternEdit->text());
    options.regex = RegexBox->isChecked();
    options.matchCase = MatchCaseBox->isChecked();
    options.wholeWord = WholeWordBox->isChecked();
    options.inNames = InNamesBox->isChecked();
    options.inValues = InValuesBox->isChecked();
    options.inExtras = InExtrasBox->isChecked();
    options.inReference = InReferenceBox->isEnabled() && InReferenceBox->isChecked();
    return options;
}

std::u16string FindPanel::replacement() const {
    return QStringToU16(ReplacementEdit->text());
}

void FindPanel::showPatternError(const QString& text) {
    PatternErrorLabel->setText(text);
    PatternErrorLabel->setVisible(!text.isEmpty());
}

void FindPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi();
        emit languageChanged();
    }
    QWidget::changeEvent(event);
}

void FindPanel::retranslateUi() {
    PatternLabel->setText(tr("&Find:"));
    PatternEdit->setPlaceholderText(tr("Text or regular expression"));
    ReplacementLabel->setText(tr("Replace &with:"));
    ReplacementEdit->setToolTip(
        tr("With a regular expression, $1 inserts what group 1 matched, $0 the whole match, "
           "${name} a named group; \\$ is a dollar sign"));
    LookInLabel->setText(tr("Look in:"));
    InNamesBox->setText(tr("Names"));
    InValuesBox->setText(tr("Values"));
    InExtrasBox->setText(tr("Extra values"));
    InReferenceBox->setText(tr("Reference"));
    MatchCaseBox->setText(tr("Match case"));
    WholeWordBox->setText(tr("Whole words"));
    RegexBox->setText(tr("Regular expression"));
    FindAllButton->setText(tr("Find all"));
    StopButton->setText(tr("Stop"));
    ReplaceButton->setText(tr("Replace"));
    ReplaceAllButton->setText(tr("Replace all"));
}

} // namespace vste::ui
