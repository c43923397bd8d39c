// SPDX-License-Identifier: MIT
// The translator's workbench in the window: the reference column and value, the filter and its
// counts, Add missing and its undo, Compare with and Take other's value, Update translation and
// its review list, and the quick search over the reference column.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>

#include "UiTestSupport.h"
#include "encoding/CodePage.h"
#include "ui/CompareController.h"
#include "ui/FilterBar.h"
#include "ui/FindController.h"
#include "ui/FindPanel.h"
#include "ui/FindResultsModel.h"
#include "ui/MainForm.h"
#include "ui/ReferenceTable.h"
#include "ui/ReferenceWorkbench.h"
#include "ui/StringsModel.h"

using namespace vste;
using namespace vste::ui;
using namespace vste::ui::test;

namespace {

const std::vector<Entry> kTranslation = {
    {"GUI:OK", {u"OK"}, ""},
    {"GUI:Hello", {u"Hallo %d"}, ""},
    {"GUI:Extra", {u"nur hier"}, ""},
    {"NAME:Tank", {u"Panzer"}, ""},
};
const std::vector<Entry> kOriginal = {
    {"gui:ok", {u"OK"}, ""},      {"GUI:Hello", {u"Hello %s"}, ""},
    {"NAME:Tank", {u"Tank"}, ""}, {"NAME:Jeep", {u"Jeep", u"Jeep two"}, "jeep"},
    {"GUI:New", {u"New"}, ""},
};

} // namespace

class WorkbenchTest : public WindowTest {
    Q_OBJECT

    TMainForm& open(const std::vector<Entry>& entries) { return openCsf(entries, "tr.csf"); }
    TMainForm& openWithReference() {
        TMainForm& form = open(kTranslation);
        WriteCsf(path("orig.csf"), kOriginal);
        m_form->workbench()->openReference(path("orig.csf"), 1);
        return form;
    }
    FilterController& filter() { return m_form->workbench()->filter(); }
    void showCategory(const char* name) {
        const auto items =
            m_form->CatsListBox->findItems(QString::fromLatin1(name), Qt::MatchStartsWith);
        QVERIFY(!items.isEmpty());
        m_form->CatsListBox->setCurrentItem(items.front());
    }
    QStringList shownNames() const {
        QStringList names;
        for (int row = 0; row < m_form->Strings->rows(); ++row)
            names << m_form->Strings->cellText(row, 0);
        return names;
    }

private slots:
    void initTestCase() { prepareFolders(); }

    void theReferenceAddsAColumnAValueBoxAndItsPathAndClosingRestoresTheGrid() {
        TMainForm& form = open(kTranslation);
        QCOMPARE(form.Strings->columnCount(), 2);
        WriteCsf(path("orig.csf"), kOriginal);
        QVERIFY(form.workbench()->openReference(path("orig.csf"), 1));
        QCOMPARE(form.Strings->columnCount(), 3);
        QVERIFY(form.workbench()->referenceStatus()->text().contains(path("orig.csf")));
        showCategory("GUI");
        QCOMPARE(shownNames(), (QStringList{"GUI:OK", "GUI:Hello", "GUI:Extra"}));
        QCOMPARE(form.Strings->cellText(1, 2), QStringLiteral("Hello %s"));
        QCOMPARE(form.Strings->cellText(2, 2), QString());
        form.StringsGrid->setCurrentIndex(form.Strings->index(1, 0));
        QCOMPARE(form.workbench()->referenceValueEdit()->toPlainText(), QStringLiteral("Hello %s"));

        // The value search finds a text only the reference column holds.
        form.QuickStringSearchEdit->setText(QStringLiteral("hello"));
        QCOMPARE(form.StringsGrid->currentIndex().row(), 1);

        form.workbench()->closeReference();
        QCOMPARE(form.Strings->columnCount(), 2);
        QVERIFY(!form.workbench()->referenceValueEdit()->isVisibleTo(&form));

        // A reference that cannot be read leaves none open and names the file.
        WriteBytes(path("bad.csf"), "junk");
        QVERIFY(!form.workbench()->openReference(path("bad.csf"), 1));
        QVERIFY(!form.workbench()->reference().isOpen());
        QVERIFY(m_log.errors.last().contains(path("bad.csf")));
    }

    // A string both untranslated and missing in the reference counts under both filters, when
    // the reference is matched and when only the values changed since.
    void aStringWithTwoFlagsCountsUnderBothFilters() {
        const auto table = [](std::vector<std::pair<std::string, std::u16string>> strings) {
            auto doc = std::make_unique<TWestwoodStrings>();
            for (auto& [name, value] : strings) {
                TText text;
                text.Name = name;
                text.Values.push_back({kValueTagV3, value, {}});
                doc->Body.push_back(std::move(text));
            }
            return doc;
        };
        const auto document = table({{"New", u""}, {"Same", u"Same"}, {"Other", u"x"}});
        const auto reference = table({{"Same", u"Same"}});
        FilterState state;
        for (std::uint64_t valueStamp : {1u, 2u}) {
            state.update(*document, reference.get(), 1, valueStamp);
            QCOMPARE(state.count(FilterKind::Untranslated), 2u);
            QCOMPARE(state.count(FilterKind::MissingInReference), 2u);
            QVERIFY(state.keeps(FilterKind::Untranslated, 0));
            QVERIFY(state.keeps(FilterKind::MissingInReference, 0));
        }
    }

    void theFilterCountsEachChoiceAndKeepsOnlyMatchingStringsAndCategories() {
        TMainForm& form = openWithReference();
        FilterState& state = filter().state();
        QCOMPARE(state.count(FilterKind::All), 4u);
        QCOMPARE(state.count(FilterKind::Untranslated), 1u);
        QCOMPARE(state.count(FilterKind::Differs), 1u);
        QCOMPARE(state.count(FilterKind::MissingInReference), 1u);
        QCOMPARE(state.count(FilterKind::OnlyInReference), 2u);
        QVERIFY(filter().combo()->itemText(1).endsWith(QStringLiteral("(1)")));

        struct Case {
            FilterKind kind;
            QStringList gui;
            bool nameShown;
        };
        const Case cases[] = {
            {FilterKind::Untranslated, {"GUI:OK"}, false},
            {FilterKind::Differs, {"GUI:Hello"}, false},
            {FilterKind::MissingInReference, {"GUI:Extra"}, false},
            {FilterKind::OnlyInReference, {"GUI:New"}, true},
            {FilterKind::All, {"GUI:OK", "GUI:Hello", "GUI:Extra"}, true},
        };
        for (const Case& c : cases) {
            filter().setFilter(c.kind);
            showCategory("GUI");
            QCOMPARE(shownNames(), c.gui);
            const auto name = form.CatsListBox->findItems("NAME", Qt::MatchStartsWith).front();
            QCOMPARE(!form.CatsListBox->isRowHidden(form.CatsListBox->row(name)), c.nameShown);
        }
        filter().setFilter(FilterKind::OnlyInReference);
        showCategory("GUI");
        QCOMPARE(form.Strings->bodyIndex(0), -1);
        QCOMPARE(form.CatsListBox->currentItem()->text(), QStringLiteral("GUI (1)"));

        // Translating the last untranslated string of a category counts it off, and the
        // category being edited stays shown.
        filter().setFilter(FilterKind::Untranslated);
        showCategory("GUI");
        form.StringsGrid->setCurrentIndex(form.Strings->index(0, 0));
        form.EditorMemo->setPlainText(QStringLiteral("Gut"));
        form.SaveButtonClick();
        QTRY_COMPARE(form.CatsListBox->currentItem()->text(), QStringLiteral("GUI (0)"));
        QVERIFY(!form.CatsListBox->isRowHidden(form.CatsListBox->currentRow()));

        // Going to a string the filter hides (as the comparison, the problems and the find
        // results do) shows every string again.
        form.showChange({1, 0, false});
        QCOMPARE(filter().filter(), FilterKind::All);
        QCOMPARE(form.StringNameEdit->text(), QStringLiteral("GUI:Hello"));
    }

    void addMissingInsertsEveryReferenceStringAsOneUndoableStep() {
        TMainForm& form = openWithReference();
        QCOMPARE(filter().addMissing(), 2);
        const TWestwoodStrings& document = *form.currentDocument();
        QCOMPARE(document.LabelCount(), 6u);
        const TText& jeep = document.Body[4];
        QCOMPARE(jeep.Name, std::string("NAME:Jeep"));
        QCOMPARE(jeep.ValueCount(), 2u);
        QVERIFY(jeep.Values[1].Value == u"Jeep two");
        QCOMPARE(jeep.Values[0].ExtraValue, std::string("jeep"));
        QCOMPARE(document.StringCount, 7);
        QCOMPARE(filter().state().count(FilterKind::OnlyInReference), 0u);
        QVERIFY(form.statusText().contains(QLatin1Char('2')));
        form.RussianUIClick();
        QCoreApplication::processEvents();
        QCOMPARE(form.Undo1->text(), QStringLiteral("Отменить: Добавить недостающие из оригинала"));
        QVERIFY(filter().combo()->itemText(0).startsWith(QStringLiteral("Все")));
        form.EnglishUIClick();
        QCoreApplication::processEvents();

        form.UndoClick();
        QCOMPARE(document.LabelCount(), 4u);
        QCOMPARE(document.StringCount, 4);
        QCOMPARE(filter().state().count(FilterKind::OnlyInReference), 2u);
        QVERIFY(!form.openDocument()->undoStack().canUndo());
    }

    void compareWithListsDifferencesAndTakesTheOtherValuesUndoably() {
        TMainForm& form = open(kTranslation);
        std::vector<Entry> other = kTranslation;
        other[1].values = {u"Hallo %d Welt", u"zwei"};
        other.erase(other.begin() + 2);
        other.push_back({"GUI:Later", {u"spaeter"}, ""});
        WriteCsf(path("other.csf"), other);
        CompareController& compare = form.workbench()->compare();
        QVERIFY(compare.compareWith(path("other.csf"), 1));
        QVERIFY(compare.dock()->isVisibleTo(&form));
        QTreeWidget* list = compare.list();
        QCOMPARE(list->topLevelItemCount(), 3);
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("GUI:Extra"));
        QCOMPARE(list->topLevelItem(2)->text(3), QString::fromUtf8("Hallo %d⟦ Welt⟧"));

        compare.goToRow(2);
        QCOMPARE(form.StringNameEdit->text(), QStringLiteral("GUI:Hello"));
        list->topLevelItem(2)->setSelected(true);
        QCOMPARE(compare.takeOthers(false), 1);
        const TText& hello = form.currentDocument()->Body[1];
        QCOMPARE(hello.ValueCount(), 2u);
        QVERIFY(hello.Values[0].Value == u"Hallo %d Welt");
        QCOMPARE(form.currentDocument()->StringCount, 5);
        QCOMPARE(list->topLevelItemCount(), 2);
        form.UndoClick();
        QCOMPARE(form.currentDocument()->Body[1].ValueCount(), 1u);
        QCOMPARE(form.currentDocument()->StringCount, 4);
        // The list follows the document: the undone string differs again.
        QTRY_COMPARE(list->topLevelItemCount(), 3);
        QCOMPARE(compare.takeOthers(true), 1);
    }

    void updateTranslationCarriesValuesOverAndListsWhatNeedsReview() {
        TMainForm& form = open(kTranslation);
        WriteCsf(path("old.csf"), {{"GUI:OK", {u"OK"}, ""},
                                   {"GUI:Hello", {u"Hello %d"}, ""},
                                   {"NAME:Tank", {u"Tank"}, ""}});
        WriteCsf(path("new.csf"), {{"GUI:OK", {u"OK"}, ""},
                                   {"GUI:Hello", {u"Hello there %d"}, ""},
                                   {"NAME:Tank", {u"Tank"}, ""},
                                   {"NAME:Jet", {u"Jet"}, ""}});
        QVERIFY(form.workbench()->updateTranslation(path("old.csf"), 1, path("new.csf"), 1));
        const TWestwoodStrings& document = *form.currentDocument();
        QCOMPARE(document.LabelCount(), 4u);
        QVERIFY(document.Body[1].Values[0].Value == u"Hallo %d");
        QVERIFY(document.Body[3].Values[0].Value == u"Jet");
        QCOMPARE(form.workbench()->reference().fileName(), path("new.csf"));
        QCOMPARE(filter().filter(), FilterKind::NeedsReview);
        QCOMPARE(filter().state().count(FilterKind::NeedsReview), 2u);

        // Applying a string takes it off the review list.
        showCategory("GUI");
        QCOMPARE(shownNames(), QStringList{"GUI:Hello"});
        form.StringsGrid->setCurrentIndex(form.Strings->index(0, 0));
        form.EditorMemo->setPlainText(QStringLiteral("Hallo da %d"));
        form.SaveButtonClick();
        QCOMPARE(filter().state().count(FilterKind::NeedsReview), 1u);

        // Undoing the update takes its review list with it; redoing brings it back.
        form.UndoClick();
        form.UndoClick();
        QCOMPARE(form.currentDocument()->LabelCount(), 4u);
        QCOMPARE(form.currentDocument()->Body[2].Name, std::string("GUI:Extra"));
        QVERIFY(!filter().state().hasReview());
        QCOMPARE(filter().filter(), FilterKind::All);
        form.RedoClick();
        QCOMPARE(filter().state().count(FilterKind::NeedsReview), 2u);
    }

    void takingAllChangedValuesReviewsEveryTakenString() {
        TMainForm& form = open(kTranslation);
        WriteCsf(path("old.csf"), {{"GUI:OK", {u"OK"}, ""}, {"GUI:Hello", {u"Hello"}, ""}});
        WriteCsf(path("new.csf"), {{"GUI:OK", {u"Okay"}, ""},
                                   {"GUI:Hello", {u"Hello you"}, ""},
                                   {"NAME:Jet", {u"Jet"}, ""}});
        QVERIFY(form.workbench()->updateTranslation(path("old.csf"), 1, path("new.csf"), 1));
        QCOMPARE(filter().state().count(FilterKind::NeedsReview), 3u);

        WriteCsf(path("reviewed.csf"), {{"GUI:OK", {u"Gut"}, ""},
                                        {"GUI:Hello", {u"Hallo du"}, ""},
                                        {"NAME:Jet", {u"Jet"}, ""}});
        CompareController& compare = form.workbench()->compare();
        QVERIFY(compare.compareWith(path("reviewed.csf"), 1));
        QCOMPARE(compare.takeOthers(true), 2);
        QCOMPARE(filter().state().count(FilterKind::NeedsReview), 1u);
        QVERIFY(filter().state().keeps(FilterKind::NeedsReview, 2));
    }

    void findSearchesTheReferenceColumnButReplacesOnlyTheDocument() {
        TMainForm& form = openWithReference();
        FindController& find = *form.findController();
        FindPanel& panel = *find.panel();
        QVERIFY(panel.InReferenceBox->isEnabled());
        panel.InReferenceBox->setChecked(true);
        panel.PatternEdit->setText(QStringLiteral("tank"));
        QSignalSpy done(&find, &FindController::searchFinished);
        panel.FindAllButton->click();
        QVERIFY(!find.busy() || done.wait(5000));
        // The name, then the paired reference string's value ("Tank"); "Panzer" is no match.
        QCOMPARE(find.results()->rows(), 2);
        const auto cell = [&](int row, int column) {
            return find.results()->index(row, column).data().toString();
        };
        QCOMPARE(cell(1, FindResultsModel::FieldColumn), QStringLiteral("reference"));
        QCOMPARE(cell(1, FindResultsModel::TextColumn), QStringLiteral("Tank"));

        find.goToResult(1);
        QCOMPARE(form.StringNameEdit->text(), QStringLiteral("NAME:Tank"));
        QCOMPARE(form.workbench()->referenceValueEdit()->textCursor().selectedText(),
                 QStringLiteral("Tank"));
        panel.ReplacementEdit->setText(QStringLiteral("Jeep"));
        find.replaceCurrent();
        QCOMPARE(m_log.errors.size(), 1);
        QVERIFY(!form.openDocument()->undoStack().canUndo());

        // Closing the reference takes its matches away with it.
        form.workbench()->closeReference();
        QVERIFY(!panel.InReferenceBox->isEnabled());
        QCOMPARE(find.results()->rows(), 0);
    }

    void changedWordsAreMarkedBetweenTheCommonStartAndEnd() {
        QCOMPARE(MarkChangedWords("a b c", "a b c").first, QStringLiteral("a b c"));
        const auto [mine, theirs] =
            MarkChangedWords("Press the red button", "Press the blue button");
        QCOMPARE(mine, QString::fromUtf8("Press the ⟦red⟧ button"));
        QCOMPARE(theirs, QString::fromUtf8("Press the ⟦blue⟧ button"));
    }
};

QTEST_MAIN(WorkbenchTest)
#include "WorkbenchTest.moc"
