// SPDX-License-Identifier: MIT
#include "ui/CompareController.h"

#include <QAction>
#include <QDockWidget>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "core/NameIndex.h"
#include "ui/AnsiText.h"
#include "ui/CompareCommands.h"
#include "ui/Dialogs.h"
#include "ui/HeaderFit.h"
#include "ui/MainForm.h"
#include "ui/OpenDocument.h"
#include "ui/OpenFormats.h"
#include "ui/StringsModel.h"

namespace vste::ui {

namespace {

enum RowKind { kOnlyHere = 0, kOnlyThere = 1, kChanged = 2 };
constexpr int kKindRole = Qt::UserRole;
constexpr int kIndexRole = Qt::UserRole + 1;

QString FirstValue(const TText* text) {
    return text && !text->Values.empty() ? U16ToQString(text->Values.front().Value) : QString();
}

} // namespace

std::pair<QString, QString> MarkChangedWords(const QString& mine, const QString& theirs) {
    if (mine == theirs)
        return {mine, theirs};
    static const QRegularExpression kWords(QStringLiteral("(?<=\\s)(?=\\S)|(?<=\\S)(?=\\s)"));
    const QStringList a = mine.split(kWords);
    const QStringList b = theirs.split(kWords);
    qsizetype head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    qsizetype tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    auto mark = [head, tail](const QStringList& words) {
        const QString middle = words.mid(head, words.size() - head - tail).join(QString());
        return words.mid(0, head).join(QString()) + QStringLiteral("\u27E6") + middle +
               QStringLiteral("\u27E7") + words.mid(words.size() - tail).join(QString());
    };
    return {mark(a), mark(b)};
}

CompareController::CompareController(TMainForm& form) : QObject(&form), m_form(form) {
    setObjectName(QStringLiteral("CompareController"));
    m_action = new QAction(this);
    m_action->setObjectName(QStringLiteral("CompareWith"));
    m_action->setEnabled(false);
    connect(m_action, &QAction::triggered, this, [this] { compareClick(); });

    m_dock = new QDockWidget(&form);
    m_dock->setObjectName(QStringLiteral("CompareDock"));
    auto* content = new QWidget(m_dock);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 4, 4);
    m_list = new QTreeWidget(content);
    m_list->setObjectName(QStringLiteral("CompareList"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setColumnCount(4);
    // The two values share the room left by the kind and the name.
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(2, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(3, QHeaderView::Stretch);
    m_list->header()->resizeSection(1,
                                    m_list->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 16);
    layout->addWidget(m_list);
    auto* buttons = new QHBoxLayout();
    m_takeSelected = new QPushButton(content);
    m_takeSelected->setObjectName(QStringLiteral("TakeOthersValueButton"));
    m_takeAll = new QPushButton(content);
    m_takeAll->setObjectName(QStringLiteral("TakeAllChangedButton"));
    buttons->addWidget(m_takeSelected);
    buttons->addWidget(m_takeAll);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    m_dock->setWidget(content);
    form.addDockWidget(Qt::BottomDockWidgetArea, m_dock);
    m_dock->hide();
    m_dock->installEventFilter(this);

    connect(m_list, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { goToRow(m_list->indexOfTopLevelItem(item)); });
    connect(m_takeSelected, &QPushButton::clicked, this, [this] { takeOthers(false); });
    connect(m_takeAll, &QPushButton::clicked, this, [this] { takeOthers(true); });
    m_refill = new QTimer(this);
    m_refill->setSingleShot(true);
    m_refill->setInterval(150);
    connect(m_refill, &QTimer::timeout, this, [this] {
        if (m_stale && m_other && m_form.openDocument())
            fill();
    });
    connect(&form, &TMainForm::documentReplaced, this, [this] { followDocument(); });
    followDocument();
    retranslate();
}

CompareController::~CompareController() = default;

void CompareController::followDocument() {
    if (OpenDocument* open = m_form.openDocument())
        connect(open, &OpenDocument::changed, this, &CompareController::scheduleFill,
                Qt::UniqueConnection);
    scheduleFill();
}

void CompareController::scheduleFill() {
    m_stale = true;
    if (m_other)
        m_refill->start();
}

void CompareController::compareClick() {
    const OpenDocument* open = m_form.openDocument();
    const auto choice = m_form.dialogs().openFile(
        &m_form, tr("Choose the table to compare with"), OpenFilters(),
        StartingName(m_otherName, open ? open->fileName() : QString()), 1);
    if (choice)
        compareWith(choice->fileName, OpenFilterForFile(choice->fileName, choice->filterIndex));
}

bool CompareController::compareWith(const QString& fileName, int filterIndex) {
    const OpenDocument* open = m_form.openDocument();
    if (!open)
        return false;
    std::unique_ptr<TWestwoodStrings> other =
        ReadTableFile(m_form.dialogs(), &m_form, fileName, filterIndex);
    if (!other)
        return false;
    m_other = std::move(other);
    m_otherName = fileName;
    fill();
    m_dock->show();
    return true;
}

QTreeWidgetItem* CompareController::addRow(int kind, std::uint32_t index, const TText* mine,
                                           const TText* theirs) {
    static const char* const kKinds[] = {QT_TR_NOOP("only here"), QT_TR_NOOP("only there"),
                                         QT_TR_NOOP("changed")};
    // Words are marked only where both tables have the string.
    auto [here, there] = kind == kChanged ? MarkChangedWords(FirstValue(mine), FirstValue(theirs))
                                          : std::pair{FirstValue(mine), FirstValue(theirs)};
    if (kind == kChanged && here == there)
        here += tr(" (other values differ)");
    auto* item = new QTreeWidgetItem(
        {tr(kKinds[kind]), AnsiToQString((mine ? mine : theirs)->Name), here, there});
    item->setData(0, kKindRole, kind);
    item->setData(0, kIndexRole, index);
    return item;
}

void CompareController::fill() {
    m_stale = false;
    m_list->clear();
    const TCSFBody& mine = m_form.openDocument()->document().Body;
    const TCSFBody& theirs = m_other->Body;
    m_diff = DiffTables(mine, theirs);
    QList<QTreeWidgetItem*> items;
    for (std::uint32_t k = 0; k < m_diff.onlyInA.size(); ++k)
        items << addRow(kOnlyHere, k, &mine[m_diff.onlyInA[k]], nullptr);
    for (std::uint32_t k = 0; k < m_diff.onlyInB.size(); ++k)
        items << addRow(kOnlyThere, k, nullptr, &theirs[m_diff.onlyInB[k]]);
    for (std::uint32_t k = 0; k < m_diff.changed.size(); ++k)
        items << addRow(kChanged, k, &mine[m_diff.changed[k].a], &theirs[m_diff.changed[k].b]);
    m_list->addTopLevelItems(items);
    m_takeAll->setEnabled(!m_diff.changed.empty());
    m_dock->setWindowTitle(tr("Compared with %1: %2 only here, %3 only there, %4 changed")
                               .arg(m_otherName)
                               .arg(m_diff.onlyInA.size())
                               .arg(m_diff.onlyInB.size())
                               .arg(m_diff.changed.size()));
}

void CompareController::goToRow(int row) {
    QTreeWidgetItem* item = m_list->topLevelItem(row);
    OpenDocument* open = m_form.openDocument();
    if (!item || !open || item->data(0, kKindRole).toInt() == kOnlyThere)
        return;
    const auto k = item->data(0, kIndexRole).toUInt();
    const bool changed = item->data(0, kKindRole).toInt() == kChanged;
    const std::uint32_t index = changed ? m_diff.changed[k].a : m_diff.onlyInA[k];
    if (index < open->document().Body.size())
        m_form.showChange({static_cast<int>(index), 0, false});
}

int CompareController::takeOthers(bool all) {
    OpenDocument* open = m_form.openDocument();
    if (!open || !m_other)
        return 0;
    // Indexes of the comparison hold for the table it was made of; after other changes of
    // names or strings it is made again first.
    if (all && m_stale)
        fill(); // the document changed since the list was made
    const TCSFBody& body = open->document().Body;
    std::vector<ChangedString> pairs;
    for (std::uint32_t k = 0; k < m_diff.changed.size(); ++k) {
        QTreeWidgetItem* item = m_list->topLevelItem(
            static_cast<int>(m_diff.onlyInA.size() + m_diff.onlyInB.size() + k));
        if (all || (item && item->isSelected()))
            pairs.push_back(m_diff.changed[k]);
    }
    for (const ChangedString& pair : pairs)
        if (pair.a >= body.size() || pair.b >= m_other->Body.size() ||
            NameKey(body[pair.a].Name) != NameKey(m_other->Body[pair.b].Name)) {
            fill();
            return 0;
        }
    if (pairs.empty())
        return 0;
    const char* text = all ? QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Take all changed")
                           : QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Take other's value");
    open->push(MakeTakeValuesCommand(*open, *m_other, pairs, text).release());
    m_form.showChange({static_cast<int>(pairs.front().a), 0, false});
    fill();
    m_form.setStatusText([count = static_cast<int>(pairs.size())] {
        return tr("%n string(s) took the other table's values", nullptr, count);
    });
    return static_cast<int>(pairs.size());
}

void CompareController::retranslate() {
    m_action->setText(tr("Compare with..."));
    m_list->setHeaderLabels({tr("Difference"), tr("Name"), tr("This value"), tr("Other value")});
    FitCaptions(m_list->header());
    m_takeSelected->setText(tr("Take other's value"));
    m_takeAll->setText(tr("Take all changed"));
    if (m_other && m_form.openDocument())
        fill();
    else
        m_dock->setWindowTitle(tr("Comparison"));
}

bool CompareController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_dock && event->type() == QEvent::LanguageChange)
        retranslate();
    return QObject::eventFilter(watched, event);
}

} // namespace vste::ui
