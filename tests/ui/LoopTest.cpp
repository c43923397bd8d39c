// SPDX-License-Identifier: MIT
// The daily loop loses nothing: Save as asks before replacing a file the dialog did not name,
// Open reads a typed name in the format its extension names, typed text is applied before
// another string is shown or asked about before the document goes, Undo takes back a box's own
// typing first, plain English tables stay Unicode, and the save question offers only what can
// work.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QUndoStack>

#include "UiTestSupport.h"
#include "formats/Registry.h"
#include "ui/FindController.h"
#include "ui/FindPanel.h"
#include "ui/MainForm.h"
#include "ui/StringsModel.h"

using namespace vste;
using namespace vste::ui;
using namespace vste::ui::test;

namespace {

const std::vector<Entry> kTable = {
    {"GUI:OK", {u"OK"}, ""},
    {"GUI:Cancel", {u"Cancel"}, ""},
    {"NAME:Tank", {u"Heavy tank"}, ""},
};

std::u16string ValueOf(const TMainForm& form, std::size_t string) {
    return form.currentDocument()->Body[string].Values[0].Value;
}

} // namespace

class LoopTest : public WindowTest {
    Q_OBJECT

    QPlainTextEdit* memo() { return find<QPlainTextEdit>("EditorMemo"); }
    void type(const char* text) { memo()->setPlainText(QString::fromUtf8(text)); }
    void selectRow(int row) {
        auto* grid = find<QTableView>("StringsGrid");
        grid->setCurrentIndex(grid->model()->index(row, 0));
    }
    int shownRow() { return find<QTableView>("StringsGrid")->currentIndex().row(); }
    int historySteps() { return m_form->openDocument()->undoStack().index(); }

private slots:
    void initTestCase() { prepareFolders(); }
    void init() { ForgetRememberedWindow(); }

    void saveAsAsksBeforeReplacingAFileTheDialogDidNotName() {
        TMainForm& form = openCsf(kTable);
        const QByteArray victim("another file");
        WriteBytes(path("victim.csf"), victim);
        // Typed "victim.str" with the CSF type chosen: the save would write victim.csf.
        m_log.files.push_back(FileChoice{path("victim.str"), 1});
        m_log.answers.push_back(false);
        form.Saveas1Click();
        QCOMPARE(m_log.questions.size(), 1);
        QVERIFY(m_log.questions.constLast().contains(QStringLiteral("victim.csf")));
        QVERIFY(m_log.questions.constLast().contains(QStringLiteral("already exists")));
        QCOMPARE(ReadBytes(path("victim.csf")), victim);

        m_log.files.push_back(FileChoice{path("victim.str"), 1});
        m_log.answers.push_back(true);
        form.Saveas1Click();
        QCOMPARE(ReadBytes(path("victim.csf")), AsByteArray(Bytes(*form.openDocument())));

        // The name the dialog confirmed, and a new file, are written without a question.
        m_log.questions.clear();
        for (const char* name : {"victim.csf", "fresh.str"}) {
            m_log.files.push_back(FileChoice{path(name), 1});
            form.Saveas1Click();
        }
        QVERIFY(m_log.questions.isEmpty());
        QVERIFY(QFileInfo::exists(path("fresh.csf")));
    }

    void openReadsATypedNameInTheFormatItsExtensionNames() {
        WriteFormat(path("problems.str"), static_cast<int>(DocumentFormat::STR), kTable);
        TMainForm& form = newForm();
        m_log.files.push_back(FileChoice{path("problems.str"), 1}); // the CSF type shown
        form.Open1Click();
        QVERIFY2(m_log.errors.isEmpty(), qPrintable(m_log.errors.join('\n')));
        QCOMPARE(form.documentFormat(), DocumentFormat::STR);
        QCOMPARE(form.currentDocument()->Body.size(), kTable.size());
        // An extension the chosen type names keeps the type; no extension keeps it too.
        WriteCsf(path("plain"), kTable);
        m_log.files.push_back(FileChoice{path("plain"), 1});
        form.Open1Click();
        QCOMPARE(form.documentFormat(), DocumentFormat::CSF);
    }

    void typedTextIsAppliedWhenAnotherStringOrCategoryIsShown() {
        TMainForm& form = openCsf(kTable);
        type("typed");
        selectRow(1);
        QCOMPARE(ValueOf(form, 0), u"typed");
        QCOMPARE(historySteps(), 1);
        QCOMPARE(memo()->toPlainText(), QStringLiteral("Cancel"));
        form.UndoClick(); // one ordinary Apply step
        QCOMPARE(ValueOf(form, 0), u"OK");

        selectRow(1);
        type("other");
        find<QListWidget>("CatsListBox")->setCurrentRow(1);
        QCOMPARE(ValueOf(form, 1), u"other");
        QCOMPARE(memo()->toPlainText(), QStringLiteral("Heavy tank"));

        // An unchanged editor applies nothing.
        find<QListWidget>("CatsListBox")->setCurrentRow(0);
        QCOMPARE(historySteps(), 1);
    }

    void typedTextGoesWithItsValueWhenAnotherValueIsShownOrAdded() {
        TMainForm& form = openCsf({{"GUI:Two", {u"first", u"second"}, ""}});
        auto* number = find<QSpinBox>("ValuesSpinEdit");
        type("typed first");
        number->setValue(2);
        QCOMPARE(form.currentDocument()->Body[0].Values[0].Value, u"typed first");
        QCOMPARE(memo()->toPlainText(), QStringLiteral("second"));
        QCOMPARE(historySteps(), 1);
        type("typed second");
        form.AddValueButtonClick();
        QCOMPARE(form.currentDocument()->Body[0].Values[1].Value, u"typed second");
        QCOMPARE(form.currentDocument()->Body[0].Values.size(), std::size_t{3});
        QCOMPARE(number->value(), 3);
        QCOMPARE(memo()->toPlainText(), QString());
        type("typed third");
        form.RemoveValueButtonClick(); // applied, then the last value goes: two undo steps
        QCOMPARE(form.currentDocument()->Body[0].Values.size(), std::size_t{2});
        form.UndoClick();
        QCOMPARE(form.currentDocument()->Body[0].Values[2].Value, u"typed third");
    }

    void saveWritesTypedTextAppliedAsOneStep() {
        TMainForm& form = openCsf(kTable);
        type("typed and saved");
        form.Save1Click();
        QCOMPARE(historySteps(), 1);
        QVERIFY(form.ChangesSaved());
        NullProgress progress;
        QCOMPARE(ReadDocumentFile(DocumentFormat::CSF, path("t.csf").toStdString(), progress)
                     .document->Body[0]
                     .Values[0]
                     .Value,
                 u"typed and saved");
    }

    void aRefusedApplyKeepsTheSelectionAndTheTypedText() {
        openCsf(kTable);
        // A name the code page cannot hold asks first; No (the scripted default) refuses.
        find<QLineEdit>("StringNameEdit")->setText(QStringLiteral("GUI:Ж"));
        type("kept");
        selectRow(2);
        QCOMPARE(m_log.questions.size(), 1);
        QCOMPARE(shownRow(), 0);
        QCOMPARE(find<QLineEdit>("StringNameEdit")->text(), QStringLiteral("GUI:Ж"));
        QCOMPARE(memo()->toPlainText(), QStringLiteral("kept"));
        find<QListWidget>("CatsListBox")->setCurrentRow(1);
        QCOMPARE(find<QListWidget>("CatsListBox")->currentRow(), 0);
        QCOMPARE(memo()->toPlainText(), QStringLiteral("kept"));
        QCOMPARE(historySteps(), 0);
    }

    void typedTextCountsAsUnsavedWhenQuittingOrOpening() {
        TMainForm& form = openCsf(kTable);
        form.show();
        type("typed");
        m_log.answers.push_back(std::nullopt); // Cancel
        QVERIFY(!form.close());
        QCOMPARE(m_log.questions.size(), 1);
        QCOMPARE(memo()->toPlainText(), QStringLiteral("typed"));

        WriteCsf(path("other.csf"), kTable);
        m_log.answers.push_back(std::nullopt);
        form.openFile(path("other.csf"), 1);
        QCOMPARE(m_log.questions.size(), 2);
        QCOMPARE(form.openDocument()->fileName(), path("t.csf"));
        QCOMPARE(memo()->toPlainText(), QStringLiteral("typed"));

        // No: the other file opens as it is, and the typed text goes nowhere.
        WriteCsf(path("copy.csf"), kTable);
        const QByteArray copy = ReadBytes(path("copy.csf"));
        m_log.answers.push_back(false);
        form.openFile(path("copy.csf"), 1);
        QCOMPARE(form.openDocument()->fileName(), path("copy.csf"));
        QCOMPARE(ValueOf(form, 0), u"OK");
        QCOMPARE(historySteps(), 0);
        form.openFile(path("t.csf"), 1);
        QCOMPARE(ValueOf(form, 0), u"OK");
        QCOMPARE(ReadBytes(path("copy.csf")), copy);

        type("typed");
        m_log.answers.push_back(true); // Yes: applied, then saved
        QVERIFY(form.close());
        TMainForm& again = newForm();
        again.openFile(path("t.csf"), 1);
        QCOMPARE(ValueOf(again, 0), u"typed");
    }

    void undoTakesBackTheBoxsOwnTypingFirst() {
        TMainForm& form = openCsf(kTable);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        type("applied");
        form.SaveButtonClick();
        selectRow(1);
        QAction* undo = find<QAction>("Undo1");
        QCOMPARE(undo->text(), QStringLiteral("Undo Apply Changes"));
        memo()->setFocus();
        memo()->moveCursor(QTextCursor::End);
        QTest::keyClicks(memo(), "abc");
        QCOMPARE(memo()->toPlainText(), QStringLiteral("Cancelabc"));
        QCOMPARE(undo->text(), QStringLiteral("Undo Typing"));
        form.RussianUIClick();
        QCOMPARE(undo->text(), QStringLiteral("Отменить ввод"));
        form.EnglishUIClick();
        form.UndoClick();
        QCOMPARE(memo()->toPlainText(), QStringLiteral("Cancel"));
        QCOMPARE(ValueOf(form, 0), u"applied"); // the other string's Apply stays
        QCOMPARE(find<QAction>("Redo1")->text(), QStringLiteral("Redo Typing"));
        form.RedoClick();
        QCOMPARE(memo()->toPlainText(), QStringLiteral("Cancelabc"));
        while (memo()->document()->isUndoAvailable())
            form.UndoClick();
        QCOMPARE(undo->text(), QStringLiteral("Undo Apply Changes"));
        form.UndoClick();
        QCOMPARE(ValueOf(form, 0), u"OK");
    }

    void plainEnglishTablesOpenAsUnicodeAndKeepNewLetters() {
        TMainForm& form = openCsf(kTable);
        QCOMPARE(form.CyrillicAnsiMode(), 0);
        type("Привет");
        form.SaveButtonClick();
        form.Save1Click();
        QVERIFY(m_log.questions.isEmpty());
        TMainForm& again = newForm();
        again.openFile(path("t.csf"), 1);
        QCOMPARE(ValueOf(again, 0), u"Привет");
    }

    void theSaveQuestionOffersSaveAsUnicodeForLostCharacters() {
        // A unit from 128 to 255 still makes the table single-byte.
        TMainForm& form = openCsf({{"GUI:Cafe", {u"caf\u00E9"}, ""}, {"GUI:OK", {u"OK"}, ""}});
        QCOMPARE(form.CyrillicAnsiMode(), 1);
        selectRow(1);
        type("Привет");
        form.SaveButtonClick();
        m_log.choices.push_back(1);
        form.Save1Click();
        QCOMPARE(m_log.actions,
                 QStringList({QStringLiteral("Save anyway"), QStringLiteral("Save as Unicode")}));
        QCOMPARE(form.CyrillicAnsiMode(), 0);
        QCOMPARE(historySteps(), 2); // the Apply and the switch to Unicode
        TMainForm& again = newForm();
        again.openFile(path("t.csf"), 1);
        QCOMPARE(again.CyrillicAnsiMode(), 0);
        QCOMPARE(ValueOf(again, 1), u"Привет");
        QCOMPARE(ValueOf(again, 0), u"caf\u00E9");
    }

    void namesStrCertainlyRefusesAreListedWithCancelOnly() {
        TMainForm& form = openCsf({{"GUI:a//b", {u"x"}, ""}, {"GUI:OK", {u"OK"}, ""}});
        m_log.files.push_back(FileChoice{path("out.str"), 2});
        m_log.answers.push_back(true); // would be Save anyway if it were offered
        form.Saveas1Click();
        QCOMPARE(m_log.questions.size(), 1);
        QVERIFY(m_log.questions.constLast().contains(QStringLiteral("GUI:a//b")));
        QVERIFY(m_log.actions.isEmpty());
        QVERIFY(m_log.errors.isEmpty());
        QVERIFY(!QFileInfo::exists(path("out.str")));
    }

    void theReplaceAllNoteGoesWithAnUndoOrAnotherSearch() {
        TMainForm& form = openCsf(kTable);
        FindController* find = form.findController();
        FindPanel* panel = find->panel();
        const auto replaceAll = [&] {
            QSignalSpy done(find, &FindController::replaceAllFinished);
            panel->PatternEdit->setText(QStringLiteral("OK"));
            panel->ReplacementEdit->setText(QStringLiteral("Fine"));
            m_log.answers.push_back(true);
            panel->ReplaceAllButton->click();
            QVERIFY(done.count() == 1 || done.wait(5000));
            QVERIFY(panel->CountLabel->text().contains(QStringLiteral("Replaced:")));
        };
        replaceAll();
        form.UndoClick();
        QVERIFY2(!panel->CountLabel->text().contains(QStringLiteral("Replaced:")),
                 qPrintable(panel->CountLabel->text()));
        replaceAll();
        QSignalSpy searched(find, &FindController::searchFinished);
        panel->FindAllButton->click();
        QVERIFY(!find->busy() || searched.wait(5000));
        QVERIFY(!panel->CountLabel->text().contains(QStringLiteral("Replaced:")));
    }

    void ctrlEnterAppliesAndMovesOnAndAltArrowsMoveWithoutAStep() {
        TMainForm& form = openCsf(kTable);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* list = find<QListWidget>("CatsListBox");
        memo()->setFocus();
        type("typed");
        QTest::keyClick(memo(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(ValueOf(form, 0), u"typed");
        QCOMPARE(historySteps(), 1);
        QCOMPARE(shownRow(), 1);
        QCOMPARE(QApplication::focusWidget(), memo());
        // The category's last string goes on to the next category, and back with Shift.
        QTest::keyClick(memo(), Qt::Key_Enter, Qt::ControlModifier);
        QCOMPARE(list->currentRow(), 1);
        QCOMPARE(memo()->toPlainText(), QStringLiteral("Heavy tank"));
        QTest::keyClick(memo(), Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(shownRow(), 1);
        QCOMPARE(historySteps(), 1); // nothing was typed: nothing applied
        QTest::keyClick(memo(), Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(shownRow(), 0);
        QTest::keyClick(memo(), Qt::Key_Up, Qt::AltModifier); // the first string: it stays
        QCOMPARE(shownRow(), 0);
        QTest::keyClick(memo(), Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(shownRow(), 1);
        QCOMPARE(historySteps(), 1);
    }

    void aFailedSaveDoesNotLeaveTheSavedTextShowing() {
        TMainForm& form = openCsf(kTable);
        form.Save1Click();
        QCOMPARE(form.statusText(), QStringLiteral("File was saved successfully"));
        // A folder where the file should be: writing it fails.
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("taken.csf")));
        m_log.files.push_back(FileChoice{path("taken.csf"), 1});
        form.Saveas1Click();
        QCOMPARE(m_log.errors.size(), 1);
        QCOMPARE(form.statusText(), QStringLiteral("File was not saved"));
        form.RussianUIClick();
        m_log.files.push_back(FileChoice{path("taken.csf"), 1});
        form.Saveas1Click();
        QCOMPARE(form.statusText(), QStringLiteral("Файл не сохранён"));
    }
};

QTEST_MAIN(LoopTest)
#include "LoopTest.moc"
