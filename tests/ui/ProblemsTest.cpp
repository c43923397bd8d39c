// SPDX-License-Identifier: MIT
// The Problems panel and the question before a save that would lose text: findings listed and
// counted, double-click selecting the string and value, the panel following every change, the
// save guard's Cancel and Save anyway, and both interface languages.
#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <random>

#include "UiTestSupport.h"
#include "checks/CheckEngine.h"
#include "encoding/CodePage.h"
#include "formats/Registry.h"
#include "ui/DocumentCommands.h"
#include "ui/KeyboardAccess.h"
#include "ui/MainForm.h"
#include "ui/ProblemsController.h"
#include "ui/ProblemsModel.h"

using namespace vste;
using namespace vste::ui;
using namespace vste::ui::test;

namespace {

const std::vector<Entry> kTable = {
    {"GUI:OK", {u"OK"}, ""},
    {"GUI:Empty", {u""}, ""},
    {"gui:ok", {u"Fine"}, ""},
    {"NAME:Multi", {u"first", u" padded"}, ""},
};

// What the panel shows, row by row, in a form that compares with the engine's own findings.
QStringList Rows(const ProblemsModel& model) {
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        const Finding& f = *model.findingAt(row);
        rows << QStringLiteral("%1 %2 %3 %4")
                    .arg(f.index)
                    .arg(f.valueIndex)
                    .arg(QString::fromLatin1(f.rule.data(), static_cast<qsizetype>(f.rule.size())),
                         QString::fromStdString(f.message));
    }
    return rows;
}

QStringList Expected(const OpenDocument& document, const Reference* reference = nullptr) {
    ProblemsModel model;
    model.setFindings(CheckDocument(document.document().Body,
                                    {document.format().id, document.ansiMode(), 0}, reference));
    return Rows(model);
}

} // namespace

class ProblemsTest : public WindowTest {
    Q_OBJECT

    TMainForm& open(const std::vector<Entry>& entries) { return openCsf(entries); }
    ProblemsController& panel() { return *m_form->problems(); }
    void showPanel() {
        if (!panel().toggleAction()->isChecked())
            panel().toggleAction()->trigger();
        QCoreApplication::processEvents(); // the item's signal starts the check, queued
        panel().finishNow();
    }
    int rowOf(const char* rule, std::uint32_t valueIndex = 0) {
        const ProblemsModel& model = *panel().model();
        for (int row = 0; row < model.rowCount(); ++row)
            if (model.findingAt(row)->rule == rule &&
                model.findingAt(row)->valueIndex == valueIndex)
                return row;
        return -1;
    }
    void doubleClick(int row) {
        QTableView* view = panel().view();
        const QModelIndex index = view->model()->index(row, ProblemsModel::MessageColumn);
        view->scrollTo(index);
        const QPoint at = view->visualRect(index).center();
        // Item views take a double-click only on the row the press before it hit.
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }

private slots:
    void initTestCase() { prepareFolders(); }

    void thePanelListsAndCountsFindingsSelectsThemOnDoubleClickAndFollowsEachEdit() {
        TMainForm& form = open(kTable);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(panel().dock()->isHidden());
        QCOMPARE(panel().viewMenu()->actions().constFirst(), panel().toggleAction());
        showPanel();
        QCOMPARE(Rows(*panel().model()), Expected(*form.openDocument()));
        QCOMPARE(panel().model()->errors(), 1u);   // the second name of the duplicate pair
        QCOMPARE(panel().model()->warnings(), 2u); // the empty value, the padded value
        QCOMPARE(panel().dock()->findChild<QLabel*>("ProblemsCounts")->text(),
                 QStringLiteral("Errors: 1, warnings: 2"));
        doubleClick(rowOf("edge-whitespace", 1));
        QCOMPARE(form.StringNameEdit->text(), QStringLiteral("NAME:Multi"));
        QCOMPARE(form.ValuesSpinEdit->value(), 2);
        QCOMPARE(form.EditorMemo->toPlainText(), QStringLiteral(" padded"));

        // Each edit is checked again after the command, between the window's events.
        doubleClick(rowOf("empty-value"));
        QCOMPARE(form.StringNameEdit->text(), QStringLiteral("GUI:Empty"));
        form.EditorMemo->setPlainText(QStringLiteral("Now filled"));
        form.SaveButtonClick();
        QVERIFY(panel().isChecking());
        QTRY_VERIFY(!panel().isChecking());
        QCOMPARE(rowOf("empty-value"), -1);
        QCOMPARE(panel().model()->warnings(), 1u);
        form.UndoClick();
        QTRY_VERIFY(!panel().isChecking());
        QVERIFY(rowOf("empty-value") >= 0);
    }

    void everyRandomRunOfCommandsLeavesThePanelEqualToAFreshCheck() {
        const unsigned seed = std::random_device{}();
        std::mt19937 random(seed);
        TMainForm& form = open(kTable);
        showPanel();
        OpenDocument& document = *form.openDocument();
        const char* names[] = {"GUI:OK", "gui:OK", "A:b", "A:B", "X"};
        const char16_t* values[] = {u"", u" x", u"ok", u"\u03A9mega", u"%s"};
        for (int step = 0; step < 60; ++step) {
            const auto size = static_cast<std::uint32_t>(document.document().Body.size());
            const std::uint32_t at = size == 0 ? 0 : random() % size;
            switch (random() % 5) {
            case 0:
                if (size > 0)
                    document.push(MakeApplyCommand(document, at, 0, names[random() % 5],
                                                   values[random() % 5], "")
                                      .release());
                break;
            case 1:
                document.push(new InsertStringCommand(
                    document, at,
                    document.document().NewString(names[random() % 5], values[random() % 5], "")));
                break;
            case 2:
                if (size > 1)
                    document.push(new DeleteStringCommand(document, at));
                break;
            case 3:
                document.push(new EncodingModeCommand(document, !document.ansiMode()));
                break;
            default:
                random() % 2 ? document.undoStack().undo() : document.undoStack().redo();
            }
            panel().finishNow();
            if (Rows(*panel().model()) != Expected(document))
                QFAIL(qPrintable(QStringLiteral("step %1 differs; seed %2").arg(step).arg(seed)));
        }
    }

    void theReferenceRulesRunWhileAReferenceIsSet() {
        TMainForm& form = open({{"A:1", {u"%d of %s"}, ""}, {"A:2", {u"Same"}, ""}});
        showPanel();
        TWestwoodStrings reference;
        reference.Body = form.currentDocument()->Body;
        reference.Body[0].Values[0].Value = u"%s of %d";
        reference.Body.push_back(reference.Body[1]);
        reference.Body.back().Name = "A:3";
        panel().setReference(&reference);
        panel().finishNow();
        const Reference expected(reference.Body);
        QCOMPARE(Rows(*panel().model()), Expected(*form.openDocument(), &expected));
        QVERIFY(rowOf("placeholders") >= 0);
        QVERIFY(rowOf("only-in-reference") >= 0);
        panel().setReference(nullptr);
        panel().finishNow();
        QCOMPARE(rowOf("placeholders"), -1);
    }

    void aNameTypedWithCharactersTheCodePageLacksIsStoredOnlyWhenTheUserAgrees() {
        SetActiveCodePage(1251);
        TMainForm& form = open({{"GUI:OK", {u"OK"}, ""}});
        form.StringNameEdit->setText(QStringLiteral("GUI:\u03A9"));
        m_log.answers.push_back(std::nullopt); // Cancel
        form.SaveButtonClick();
        QCOMPARE(m_log.questions.size(), 1);
        QVERIFY(m_log.questions[0].contains(QStringLiteral("U+03A9")));
        QCOMPARE(form.ChangesSaved(), 1);
        m_log.answers.push_back(std::nullopt); // Cancel before an Insert too
        form.InsertButtonClick();
        QCOMPARE(form.ChangesSaved(), 1);

        m_log.answers.push_back(true); // Store anyway
        form.SaveButtonClick();
        QCOMPARE(form.ChangesSaved(), 0);
        QVERIFY(form.StringNameEdit->text().endsWith(QLatin1Char('?')));
        // Text the code page holds is applied without a question.
        form.StringNameEdit->setText(QStringLiteral("GUI:\u0416"));
        form.SaveButtonClick();
        QCOMPARE(m_log.questions.size(), 3);
        SetActiveCodePage(1252);
    }

    void theSaveGuardAsksBeforeWritingQuestionMarksAndCancelKeepsTheFile() {
        SetActiveCodePage(1251);
        TMainForm& form = open({{"GUI:Greek", {U("\u03A9mega")}, ""}, {"GUI:OK", {u"OK"}, ""}});
        form.Cyrillics1Click(); // values are saved as single bytes of code page 1251
        const QByteArray before = ReadBytes(path("t.csf"));
        m_log.answers.push_back(std::nullopt); // Cancel
        form.Save1Click();
        QCOMPARE(m_log.questions.size(), 1);
        QVERIFY(m_log.questions[0].contains(QStringLiteral("GUI:Greek")));
        QVERIFY(m_log.questions[0].contains(QStringLiteral("U+03A9")));
        QCOMPARE(ReadBytes(path("t.csf")), before);
        QCOMPARE(form.ChangesSaved(), 0);
        // Save as asks the same, and Cancel writes no new file either.
        m_log.files.push_back(FileChoice{path("copy.csf"), 1});
        form.Saveas1Click();
        QCOMPARE(m_log.questions.size(), 2);
        QVERIFY(!QFile::exists(path("copy.csf")));

        m_log.answers.push_back(true); // Save anyway
        form.Save1Click();
        NullProgress progress;
        const ReadResult saved =
            ReadDocumentFile(DocumentFormat::CSF, path("t.csf").toStdString(), progress);
        QVERIFY(!saved.singleByte); // "?mega" is plain ASCII, which reads as Unicode
        QCOMPARE(saved.document->Body[0].Values[0].Value, std::u16string(u"?mega"));
        QCOMPARE(form.ChangesSaved(), 1);
        // A document that loses nothing is saved without a question.
        form.Standart1Click();
        form.Save1Click();
        QCOMPARE(m_log.questions.size(), 3);
        QCOMPARE(form.ChangesSaved(), 1);
        SetActiveCodePage(1252);
    }

    // A name STR cannot carry is named in words, in the interface language; a name the old
    // label rule refused but the games read is no longer questioned.
    void theSaveGuardWordsAnStrNameFaultInBothLanguages() {
        TMainForm& form = open({{"GUI: OK ", {u"OK"}, ""}, {"GUI:<Back", {u"Back"}, ""}});
        m_log.files.push_back(FileChoice{path("t.str"), 2});
        m_log.answers.push_back(std::nullopt); // Cancel
        form.Saveas1Click();
        QCOMPARE(m_log.questions.size(), 1);
        QVERIFY2(m_log.questions[0].contains(QStringLiteral(
                     "GUI: OK : not a valid STR label: the name ends with a space [str-name]")),
                 qPrintable(m_log.questions[0]));
        QVERIFY(!m_log.questions[0].contains(QStringLiteral("GUI:<Back")));
        QVERIFY(!QFile::exists(path("t.str")));
        form.RussianUIClick();
        m_log.files.push_back(FileChoice{path("t.str"), 2});
        m_log.answers.push_back(std::nullopt);
        form.Saveas1Click();
        QCOMPARE(m_log.questions.size(), 2);
        QVERIFY2(m_log.questions[1].contains(QStringLiteral(
                     "недопустимая метка STR: имя заканчивается пробелом [str-name]")),
                 qPrintable(m_log.questions[1]));
        form.EnglishUIClick();
    }

    void thePanelTheViewMenuAndTheSaveQuestionSpeakBothLanguages() {
        SetActiveCodePage(1251);
        TMainForm& form = open({{"GUI:Greek", {U("\u03A9mega")}, ""}});
        showPanel();
        QMenu* view = panel().viewMenu();
        const QList<QAction*> bar = form.menuBar()->actions();
        QCOMPARE(bar.indexOf(view->menuAction()) + 1, bar.indexOf(form.Options1->menuAction()));
        QCOMPARE(WithoutAccelerator(view->title()), QStringLiteral("View"));
        form.RussianUIClick();
        QTRY_COMPARE(panel().dock()->windowTitle(), QStringLiteral("Проблемы"));
        QCOMPARE(WithoutAccelerator(view->title()), QStringLiteral("Вид"));
        QCOMPARE(WithoutAccelerator(panel().toggleAction()->text()), QStringLiteral("Проблемы"));
        QCOMPARE(panel().model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Правило"));
        form.Cyrillics1Click();
        form.Save1Click();
        QCOMPARE(m_log.questions.size(), 1);
        QVERIFY(m_log.questions[0].startsWith(QStringLiteral("При сохранении")));
        form.EnglishUIClick();
        QTRY_COMPARE(panel().dock()->windowTitle(), QStringLiteral("Problems"));
        QCOMPARE(WithoutAccelerator(view->title()), QStringLiteral("View"));
        SetActiveCodePage(1252);
    }
};

QTEST_MAIN(ProblemsTest)
#include "ProblemsTest.moc"
