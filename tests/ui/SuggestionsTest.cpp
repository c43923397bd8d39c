// SPDX-License-Identifier: MIT
// Tools > Translation memory... and the Suggestions panel: the reference and the document's own
// pairs and the chosen TMX files, the best matches for the string shown, Ctrl+1 putting one into
// the value box, a bad file named, and the texts in Russian.
#include <QAction>
#include <QDockWidget>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include "UiTestSupport.h"
#include "translation/Tmx.h"
#include "ui/MainForm.h"
#include "ui/ReferenceWorkbench.h"
#include "ui/Suggestions.h"

using namespace vste;
using namespace vste::ui;
using namespace vste::ui::test;

class SuggestionsTest : public WindowTest {
    Q_OBJECT

    SuggestionsController* panel() { return m_form->findChild<SuggestionsController*>(); }
    void showRow(int row) {
        auto* grid = find<QTableView>("StringsGrid");
        grid->setCurrentIndex(grid->model()->index(row, 0));
    }
    // Waits until the memory is built and searched for the string shown.
    void settle() { QTRY_VERIFY(!panel()->busy()); }
    QString cell(int row, int column) {
        QTableWidgetItem* item = find<QTableWidget>("SuggestionsView")->item(row, column);
        return item ? item->text() : QString();
    }
    TMainForm& openPair() {
        WriteCsf(path("en.csf"), {{"A:1", {u"Build the refinery"}, ""},
                                  {"A:2", {u"Attack the base"}, ""},
                                  {"A:3", {u"Build the refineries"}, ""}});
        WriteCsf(path("de.csf"),
                 {{"A:1", {u"Baue die Raffinerie"}, ""}, {"A:2", {u""}, ""}, {"A:3", {u""}, ""}});
        TMainForm& form = newForm();
        form.openFile(path("de.csf"), 1);
        form.workbench()->openReference(path("en.csf"), 1);
        form.show();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&form);
        QTest::qWait(20);
        // A hidden panel builds nothing; shown, it suggests the first string's own pair.
        if (!panel()->busy() && !panel()->suggestions().empty())
            qFatal("a hidden Suggestions panel built its memory");
        find<QDockWidget>("SuggestionsDock")->show();
        settle();
        if (panel()->suggestions().size() != 1)
            qFatal("the shown panel does not suggest the string's own pair");
        return form;
    }

private slots:
    void initTestCase() { prepareFolders(); }
    void init() {
        ForgetRememberedWindow();
        QSettings().remove(QStringLiteral("TranslationMemory"));
    }

    void theDocumentsOwnPairsAreSuggestedAndCtrl1TypesTheBest() {
        TMainForm& form = openPair();
        showRow(2);
        settle();
        QCOMPARE(panel()->suggestions().size(), std::size_t{1});
        QCOMPARE(cell(0, 1), QStringLiteral("85")); // 3 edits in 20 characters
        QCOMPARE(cell(0, 3), QStringLiteral("Baue die Raffinerie"));
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(form.focusWidget() ? form.focusWidget() : &form, Qt::Key_1,
                        Qt::ControlModifier);
        auto* memo = find<QPlainTextEdit>("EditorMemo");
        QCOMPARE(memo->toPlainText(), QStringLiteral("Baue die Raffinerie"));
        // Typed text, not applied: the box's own undo takes it back.
        QCOMPARE(form.currentDocument()->Body[2].Values[0].Value, u"");
        memo->undo();
        QCOMPARE(memo->toPlainText(), QString());
        // An untranslated pair (an empty value) is no suggestion.
        showRow(1);
        settle();
        QVERIFY(panel()->suggestions().empty());
    }

    void theNextStringIsSearchedAheadAndARebuiltMemoryIsNotAnsweredFromTheOldOne() {
        TMainForm& form = openPair();
        showRow(1);
        settle(); // the string shown, then its neighbours
        // Moving on shows the next string's suggestions at once, without waiting for a search.
        QSignalSpy shown(panel(), &SuggestionsController::suggestionsShown);
        showRow(2);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(cell(0, 1), QStringLiteral("85"));
        // Once the pair changes, what was searched before is searched again.
        form.EditorMemo->setPlainText(QStringLiteral("Baue die Raffinerien"));
        form.SaveButtonClick();
        form.Save1Click();
        settle();
        showRow(0);
        settle();
        showRow(2);
        settle();
        QCOMPARE(panel()->suggestions().size(), std::size_t{2});
        QCOMPARE(cell(0, 1), QStringLiteral("100"));
        QCOMPARE(cell(0, 3), QStringLiteral("Baue die Raffinerien"));
    }

    void chosenMemoryFilesJoinAndABadOneIsNamed() {
        const std::vector<TmUnit> units = {{u"Attack the base!", u"Greift die Basis an!"}};
        const std::vector<std::uint8_t> tmx = WriteTmx(units, "en", "de");
        QFile file(path("memory.tmx"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(tmx.data()), qint64(tmx.size()));
        file.close();
        openPair();
        m_log.files.push_back(FileChoice{path("memory.tmx"), 1});
        find<QAction>("TranslationMemoryAction")->trigger();
        QVERIFY(find<QDockWidget>("SuggestionsDock")->isVisibleTo(m_form.get()));
        settle();
        showRow(1);
        settle();
        QCOMPARE(cell(0, 3), QStringLiteral("Greift die Basis an!"));
        QCOMPARE(panel()->memoryFiles(), QStringList{path("memory.tmx")});

        QFile broken(path("broken.tmx"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("<tmx><body><tu>");
        broken.close();
        m_log.files.push_back(FileChoice{path("broken.tmx"), 1});
        find<QAction>("TranslationMemoryAction")->trigger();
        settle();
        QCOMPARE(m_log.errors.size(), 1);
        QVERIFY(m_log.errors.first().startsWith(path("broken.tmx")));
        // The good file still serves.
        QCOMPARE(cell(0, 3), QStringLiteral("Greift die Basis an!"));
    }

    void theToolsMenuAndThePanelSpeakRussian() {
        TMainForm& form = newForm();
        form.RussianUIClick();
        QTRY_COMPARE(find<QDockWidget>("SuggestionsDock")->windowTitle(),
                     QStringLiteral("Подсказки"));
        QTRY_COMPARE(find<QMenu>("ToolsMenu")->title(), QStringLiteral("&Сервис"));
        QCOMPARE(find<QAction>("TranslationMemoryAction")->text(),
                 QStringLiteral("Память переводов..."));
    }
};

QTEST_MAIN(SuggestionsTest)
#include "SuggestionsTest.moc"
