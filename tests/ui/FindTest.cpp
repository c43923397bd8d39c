// SPDX-License-Identifier: MIT
// Edit > Find and Replace in the window: Find all over every category, going to a result,
// Find next and previous, Replace, Replace all as one undoable step with its question and its
// refusals, bad patterns, long searches in slices, and the quick searches' folded columns.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <random>

#include "UiTestSupport.h"
#include "core/EmpireAtWarStrings.h"
#include "encoding/CodePage.h"
#include "ui/FindController.h"
#include "ui/FindPanel.h"
#include "ui/FindResultsModel.h"
#include "ui/MainForm.h"
#include "ui/StringsModel.h"

using namespace vste;
using namespace vste::ui;
using namespace vste::ui::test;

namespace {

const std::vector<Entry> kTable = {
    {"GUI:Tank", {u"Build a tank"}, ""},
    {"GUI:Multi", {u"first", u"second tank, third TANK"}, ""},
    {"NAME:Tanya", {u"Tanya is here"}, "tank"},
    {"NAME:Other", {u"nothing"}, ""},
};

// "0041 00df" for "Aß": queries may hold lone surrogates, which print as nothing useful.
QString Units(const QString& text) {
    QStringList units;
    for (QChar c : text)
        units << QString::number(c.unicode(), 16).rightJustified(4, QLatin1Char('0'));
    return units.join(QLatin1Char(' '));
}

} // namespace

class FindTest : public WindowTest {
    Q_OBJECT

    FindController* m_find = nullptr;
    FindPanel* m_panel = nullptr;

    TMainForm& open(const std::vector<Entry>& table = kTable) {
        openCsf(table);
        m_find = m_form->findController();
        m_panel = m_find->panel();
        return *m_form;
    }
    // Runs a whole search of `pattern` as Find all does.
    void findAll(const QString& pattern, bool regex = false) {
        m_panel->PatternEdit->setText(pattern);
        m_panel->RegexBox->setChecked(regex);
        QSignalSpy done(m_find, &FindController::searchFinished);
        m_panel->FindAllButton->click();
        QVERIFY(!m_find->busy() || done.wait(5000));
    }
    QString cell(int row, int column) const {
        return m_find->results()->index(row, column).data().toString();
    }

private slots:
    void initTestCase() { prepareFolders(); }

    void theEditMenuOpensThePanelWithTheStandardKeys() {
        TMainForm& form = open();
        QCOMPARE(m_find->FindReplaceAction->shortcuts(),
                 QKeySequence::keyBindings(QKeySequence::Find) +
                     QKeySequence::keyBindings(QKeySequence::Replace));
        QCOMPARE(m_find->FindNextAction->shortcuts(),
                 QKeySequence::keyBindings(QKeySequence::FindNext));
        QVERIFY(form.Edit->actions().contains(m_find->FindReplaceAction));
        m_find->FindReplaceAction->trigger();
        QVERIFY(m_find->dock()->isVisibleTo(&form));
        form.RussianUIClick();
        QCoreApplication::processEvents(); // the change of language reaches widgets as an event
        QCOMPARE(m_panel->FindAllButton->text(), QStringLiteral("Найти все"));
        QCOMPARE(m_find->FindReplaceAction->text(), QStringLiteral("Поиск и замена..."));
        form.EnglishUIClick();
        QCoreApplication::processEvents();
        QCOMPARE(m_panel->ReplaceAllButton->text(), QStringLiteral("Replace all"));
    }

    void findAllListsEveryMatchOfEveryCategoryWithItsPlace() {
        open();
        findAll(QStringLiteral("tank"));
        FindResultsModel* results = m_find->results();
        // Names, every value (not only the first) and extra values, ignoring case.
        QCOMPARE(results->rows(), 5);
        QCOMPARE(results->strings(), std::size_t(3));
        QCOMPARE(cell(0, FindResultsModel::CategoryColumn), QStringLiteral("GUI"));
        QCOMPARE(cell(0, FindResultsModel::FieldColumn), QStringLiteral("name"));
        QCOMPARE(cell(3, FindResultsModel::NameColumn), QStringLiteral("GUI:Multi"));
        QCOMPARE(cell(3, FindResultsModel::ValueColumn), QStringLiteral("2"));
        QCOMPARE(results->index(3, FindResultsModel::TextColumn)
                     .data(FindResultsModel::MatchStartRole)
                     .toInt(),
                 19);
        QCOMPARE(cell(4, FindResultsModel::CategoryColumn), QStringLiteral("NAME"));
        QCOMPARE(cell(4, FindResultsModel::FieldColumn), QStringLiteral("extra value"));
        QCOMPARE(m_panel->CountLabel->text(), QStringLiteral("Matches: 5, strings: 3"));

        m_panel->InNamesBox->setChecked(false);
        m_panel->MatchCaseBox->setChecked(true);
        m_panel->WholeWordBox->setChecked(true);
        findAll(QStringLiteral("tank"));
        QCOMPARE(results->rows(), 3); // "Build a tank", "second tank", the extra value
    }

    void goingToAResultShowsItsStringValueAndSelectsTheMatch() {
        TMainForm& form = open();
        findAll(QStringLiteral("tank"));
        m_find->goToResult(3);
        QCOMPARE(form.CatsListBox->currentItem()->text(), QStringLiteral("GUI"));
        QCOMPARE(form.StringNameEdit->text(), QStringLiteral("GUI:Multi"));
        QCOMPARE(form.ValuesSpinEdit->value(), 2);
        QCOMPARE(form.EditorMemo->textCursor().selectedText(), QStringLiteral("TANK"));
        QCOMPARE(form.EditorMemo->textCursor().selectionStart(), 19);

        m_find->findNext(); // the extra value, in another category
        QCOMPARE(form.CatsListBox->currentItem()->text(), QStringLiteral("NAME"));
        QCOMPARE(form.SubStringEdit->selectedText(), QStringLiteral("tank"));
        m_find->findNext(); // wraps to the first, a name
        QCOMPARE(m_find->currentResult(), 0);
        QCOMPARE(form.StringNameEdit->selectedText(), QStringLiteral("Tank"));
        m_find->findPrevious();
        QCOMPARE(m_find->currentResult(), 4);
        // Enter or a double-click in the list goes to the row.
        QTableView* view = m_panel->ResultsView;
        view->setCurrentIndex(m_find->results()->index(1, 0));
        emit view->activated(view->currentIndex());
        QCOMPARE(form.EditorMemo->textCursor().selectedText(), QStringLiteral("tank"));
        QCOMPARE(form.StringNameEdit->text(), QStringLiteral("GUI:Tank"));
    }

    void replaceChangesTheCurrentMatchWithCapturedGroupsAndUndoes() {
        TMainForm& form = open();
        m_panel->InNamesBox->setChecked(false);
        findAll(QStringLiteral("(t)(ank)"), true);
        m_panel->ReplacementEdit->setText(QStringLiteral("$2-\\$1"));
        m_find->goToResult(2); // "third TANK"
        m_panel->ReplaceButton->click();
        QCOMPARE(form.currentDocument()->Body[1].Values[1].Value, U("second tank, third ANK-$1"));
        QCOMPARE(form.Undo1->text(), QStringLiteral("Undo Replace"));
        // The field's matches are listed again; the next match is shown.
        QCOMPARE(m_find->results()->rows(), 3);
        QCOMPARE(form.SubStringEdit->selectedText(), QStringLiteral("tank"));
        form.UndoClick();
        QCOMPARE(form.currentDocument()->Body[1].Values[1].Value, U("second tank, third TANK"));
        QVERIFY(m_find->results()->stale());
    }

    void replaceAllAsksFirstIsOneStepListsRefusalsAndUndoesToTheSameBytes() {
        // The é of the last value makes the file read as single-byte values of code page 1252.
        std::vector<Entry> table = kTable;
        table.back().values = {u"nothing \u00e9"};
        TMainForm& form = open(table);
        const QByteArray opened = ReadBytes(path("t.csf"));
        m_panel->PatternEdit->setText(QStringLiteral("tan(k|ya)"));
        m_panel->RegexBox->setChecked(true);
        m_panel->ReplacementEdit->setText(QString::fromUtf8("Ж$1")); // not in code page 1252
        m_log.answers = {false};
        QSignalSpy done(m_find, &FindController::replaceAllFinished);
        m_panel->ReplaceAllButton->click();
        QVERIFY(done.count() == 1 || done.wait(5000));
        // Names and the extra value would hold Ж, and so would a value of this table, whose
        // values are single bytes of code page 1252: every string is refused, nothing is asked.
        QVERIFY(form.openDocument()->ansiMode());
        QVERIFY(m_log.questions.isEmpty());
        QCOMPARE(m_log.errors.size(), 1);
        QVERIFY(m_log.errors[0].startsWith(QStringLiteral("Nothing can be replaced.")));
        QVERIFY(
            m_log.errors[0].contains(QStringLiteral("GUI:Tank: a character the code page lacks")));
        QVERIFY2(
            m_log.errors[0].contains(QStringLiteral("GUI:Multi: a value the file cannot store")),
            qPrintable(m_log.errors[0]));
        QVERIFY(!form.openDocument()->isModified());

        m_panel->ReplacementEdit->setText(QStringLiteral("T$1"));
        m_log.answers = {true};
        m_panel->ReplaceAllButton->click();
        QVERIFY(done.count() == 2 || done.wait(5000));
        const TWestwoodStrings& doc = *form.currentDocument();
        QCOMPARE(doc.Body[0].Name, std::string("GUI:Tk"));
        QCOMPARE(doc.Body[1].Values[1].Value, U("second Tk, third TK"));
        QCOMPARE(doc.Body[2].Name, std::string("NAME:Tya"));
        QCOMPARE(doc.Body[2].Values[0].ExtraValue, std::string("Tk"));
        QCOMPARE(form.openDocument()->undoStack().count(), 1);
        QCOMPARE(form.Undo1->text(), QStringLiteral("Undo Replace all"));

        // An empty name is refused; "^" finds each value's start once and ends.
        m_panel->PatternEdit->setText(QStringLiteral("GUI:Tk|^"));
        m_panel->ReplacementEdit->clear();
        m_log.answers = {true};
        m_panel->ReplaceAllButton->click();
        QVERIFY(done.count() == 3 || done.wait(5000));
        QVERIFY(m_log.questions.last().contains(QStringLiteral("the name would become empty")));
        QCOMPARE(form.openDocument()->undoStack().count(), 2);

        form.UndoClick();
        form.UndoClick();
        QCOMPARE(AsByteArray(Bytes(*form.openDocument())), opened);
    }

    // A rename onto a name another string has (ignoring case) is refused; nothing changes.
    void replaceAllRefusesANameAnotherStringHas() {
        TMainForm& form = open();
        const std::vector<std::uint8_t> before = Bytes(*form.openDocument());
        m_panel->InValuesBox->setChecked(false);
        m_panel->InExtrasBox->setChecked(false);
        m_panel->PatternEdit->setText(QStringLiteral("Tanya"));
        m_panel->ReplacementEdit->setText(QStringLiteral("other"));
        QSignalSpy done(m_find, &FindController::replaceAllFinished);
        m_panel->ReplaceAllButton->click();
        QVERIFY(done.count() == 1 || done.wait(5000));
        QVERIFY(m_log.questions.isEmpty());
        QCOMPARE(m_log.errors.size(), 1);
        QVERIFY2(
            m_log.errors[0].contains(QStringLiteral("NAME:Tanya: another string has the new name")),
            qPrintable(m_log.errors[0]));
        QVERIFY(Bytes(*form.openDocument()) == before);
    }

    // Where keys follow names, a name and a value of the same string change in one step and the
    // key is the new name's; the undo gives back the file's bytes.
    void replaceAllInAnEmpireAtWarFileKeepsKeysWithNames() {
        const QString file = QStringLiteral(VSTE_EAW_DIR "/Index_WithDuplicates.dat");
        newForm().openFile(file, 3);
        m_find = m_form->findController();
        m_panel = m_find->panel();
        QVERIFY(m_form->currentDocument() != nullptr);
        m_panel->PatternEdit->setText(QStringLiteral("^(.)"));
        m_panel->RegexBox->setChecked(true);
        m_panel->ReplacementEdit->setText(QStringLiteral("Z$1"));
        m_log.answers = {true};
        m_panel->ReplaceAllButton->click();
        QTRY_VERIFY(!m_find->busy());
        const TWestwoodStrings& doc = *m_form->currentDocument();
        for (const TText& text : doc.Body) {
            QCOMPARE(text.Name.front(), 'Z');
            QVERIFY(text.Values.front().Tag == TEmpireAtWarStrings::KeyForName(text.Name));
        }
        m_form->UndoClick();
        QCOMPARE(AsByteArray(Bytes(*m_form->openDocument())), ReadBytes(file));
    }

    // Renaming several strings in one step moves them between categories; the categories the
    // window keeps equal a fresh rebuild after the step and after its undo.
    void replaceAllRenamingTwoStringsIntoAnotherCategoryKeepsTheCategoriesRight() {
        for (const QString& replacement : {QStringLiteral("NAME:"), QStringLiteral("NEW:")}) {
            TMainForm& form = open();
            m_panel->PatternEdit->setText(QStringLiteral("^GUI:"));
            m_panel->RegexBox->setChecked(true);
            m_panel->ReplacementEdit->setText(replacement);
            m_log.answers = {true};
            QSignalSpy done(m_find, &FindController::replaceAllFinished);
            m_panel->ReplaceAllButton->click();
            QVERIFY(done.count() == 1 || done.wait(5000));
            const TWestwoodStrings& doc = *form.currentDocument();
            QCOMPARE(doc.Body[1].Name, replacement.toStdString() + "Multi");
            QVERIFY(form.CurrentCategories == doc.GetCategories());
            form.UndoClick();
            QCOMPARE(doc.Body[1].Name, std::string("GUI:Multi"));
            QVERIFY(form.CurrentCategories == doc.GetCategories());
            form.RedoClick();
            QVERIFY(form.CurrentCategories == doc.GetCategories());
        }
    }

    void anInvalidPatternShowsItsErrorAndPlaceAndFindsNothing() {
        open();
        findAll(QStringLiteral("tank"));
        m_panel->RegexBox->setChecked(true);
        m_panel->PatternEdit->setText(QStringLiteral("ta(nk"));
        QVERIFY(m_panel->PatternErrorLabel->isVisibleTo(m_panel));
        QVERIFY(m_panel->PatternErrorLabel->text().startsWith(
            QStringLiteral("Invalid regular expression at character")));
        m_panel->FindAllButton->click();
        QCOMPARE(m_find->results()->rows(), 0);
        m_panel->PatternEdit->setText(QStringLiteral("ta(nk)"));
        QVERIFY(!m_panel->PatternErrorLabel->isVisibleTo(m_panel));
    }

    void aLongSearchRunsInSlicesAndANewOneOrStopEndsIt() {
        std::vector<Entry> big;
        for (int n = 0; n < 60000; ++n)
            big.push_back(
                {"TXT:Label" + std::to_string(n), {u"the enemy base is under attack"}, ""});
        open(big);
        m_find->setSliceMilliseconds(0); // one step of 256 strings per slice
        m_panel->PatternEdit->setText(QStringLiteral("attack"));
        m_panel->FindAllButton->click();
        QVERIFY(m_find->busy()); // the window got control back with rows already listed
        QVERIFY(m_find->results()->rows() > 0);
        for (int slice = 0; slice < 30; ++slice)
            QCoreApplication::processEvents();
        QVERIFY(m_find->busy());
        QVERIFY(m_form->ProgressBar1->value() > 0);
        // A new search ends the running one; the list then holds only its own matches.
        QSignalSpy done(m_find, &FindController::searchFinished);
        m_panel->PatternEdit->setText(QStringLiteral("base"));
        m_panel->FindAllButton->click();
        QVERIFY(done.count() >= 1);
        QTRY_VERIFY(!m_find->busy());
        QCOMPARE(m_find->results()->rows(), 60000);
        for (int row : {0, 59999})
            QCOMPARE(m_find->results()
                         ->index(row, FindResultsModel::TextColumn)
                         .data(FindResultsModel::MatchStartRole),
                     QVariant(10));
        m_panel->PatternEdit->setText(QStringLiteral("attack"));
        m_panel->FindAllButton->click();
        m_panel->StopButton->click();
        QVERIFY(!m_find->busy());
        QVERIFY(m_find->results()->rows() < 60000);
        QCOMPARE(m_form->ProgressBar1->value(), 0);
    }

    // The quick searches fold each column once; whatever the text, they must find the row that
    // a case-insensitive comparison of every cell finds, also after the document changed.
    void quickSearchesFindWhatACaseInsensitiveScanFinds() {
        const unsigned seed = qEnvironmentVariableIsSet("VSTE_TEST_SEED")
                                  ? qEnvironmentVariableIntValue("VSTE_TEST_SEED")
                                  : std::random_device{}();
        std::mt19937 rng(seed);
        // Whole characters only: the quick searches need not agree on halves of a pair.
        const std::vector<std::u16string> letters = {
            u"a", u"A", u"b", u"B", u"s",          u"S",          u"ß",
            u"ẞ", u"и", u"И", u"ё", u"Ё",          u"k",          u"K",
            u"ı", u"I", u"İ", u" ", u"\U0001D400", u"\U00010428", u"\U00010400"};
        const auto random = [&](int length) {
            std::u16string text;
            for (int k = 0; k < length; ++k)
                text += letters[rng() % letters.size()];
            return text;
        };
        std::vector<Entry> table;
        for (int n = 0; n < 200; ++n)
            table.push_back({"TXT:L" + std::to_string(n), {random(1 + int(rng() % 12))}, ""});
        TMainForm& form = open(table);
        StringsModel& model = *form.Strings;
        for (int trial = 0; trial < 300; ++trial) {
            const QString query = QString::fromStdU16String(random(1 + int(rng() % 3)));
            int expected = -1;
            for (int row = 0; row < model.rows() && expected < 0; ++row)
                if (model.cellText(row, 1).contains(query, Qt::CaseInsensitive))
                    expected = row;
            QVERIFY2(model.findRow(1, query) == expected,
                     qPrintable(QStringLiteral("seed %1, query %2, found %3, expected %4")
                                    .arg(seed)
                                    .arg(Units(query))
                                    .arg(model.findRow(1, query))
                                    .arg(expected)));
            if (trial % 50 == 49) { // a change of many strings behind the grid's back
                m_panel->PatternEdit->setText(query);
                m_panel->ReplacementEdit->setText(QStringLiteral("zz"));
                m_log.answers = {true};
                m_panel->ReplaceAllButton->click();
                QTRY_VERIFY(!m_find->busy());
                if (trial % 100 == 99)
                    form.UndoClick();
            }
        }
    }
};

QTEST_MAIN(FindTest)
#include "FindTest.moc"
