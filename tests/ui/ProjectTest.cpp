// SPDX-License-Identifier: MIT
// File > Open project...: the Languages panel with each language's progress, a language opened
// with the source as its reference, the shown string in every language, and the project
// remembered under Recent projects.
#include <QAction>
#include <QDockWidget>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include "UiTestSupport.h"
#include "ui/MainForm.h"
#include "ui/ProjectController.h"
#include "ui/ReferenceTable.h"
#include "ui/ReferenceWorkbench.h"
#include "ui/StringsModel.h"

using namespace vste;
using namespace vste::ui;
using namespace vste::ui::test;

class ProjectTest : public WindowTest {
    Q_OBJECT

    ProjectController* project() { return m_form->findChild<ProjectController*>(); }
    QTableWidget* table(const char* name) { return find<QTableWidget>(name); }
    QString cell(const char* name, int row, int column) {
        QTableWidgetItem* item = table(name)->item(row, column);
        return item ? item->text() : QString();
    }
    void waitForProject() {
        QSignalSpy loaded(project(), &ProjectController::projectLoaded);
        QVERIFY(loaded.wait(10000));
    }
    void showString(const char* name) {
        auto* grid = find<QTableView>("StringsGrid");
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            if (grid->model()->index(row, 0).data().toString() == QLatin1String(name)) {
                grid->setCurrentIndex(grid->model()->index(row, 0));
                return;
            }
        QFAIL(name);
    }
    QString shownFile() { return QFileInfo(m_form->openDocument()->fileName()).fileName(); }

private slots:
    void initTestCase() {
        prepareFolders();
        QDir().mkpath(path("mod/de"));
        WriteCsf(path("mod/en.csf"), {{"GUI:OK", {u"OK"}, ""},
                                      {"GUI:Cancel", {u"Cancel"}, ""},
                                      {"GUI:Quit", {u"Quit"}, ""}});
        WriteCsf(path("mod/de/de.csf"),
                 {{"GUI:OK", {u"OK"}, ""}, {"GUI:Cancel", {u"Abbrechen"}, ""}}, 3, 2);
        WriteCsf(path("mod/fr.csf"),
                 {{"GUI:OK", {u"D'accord"}, ""},
                  {"GUI:Cancel", {u"Annuler"}, ""},
                  {"GUI:Quit", {u"Quitter"}, ""}},
                 3, 1);
    }
    void init() { ForgetRememberedWindow(); }

    void theLanguagesPanelListsEachLanguagesProgress() {
        newForm();
        m_log.files.push_back(FileChoice{path("mod/en.csf"), 1});
        find<QAction>("OpenProject")->trigger();
        waitForProject();
        QCOMPARE(m_log.fileCaptions.last(), QStringLiteral("Choose the project's source table"));
        QVERIFY(find<QDockWidget>("LanguagesDock")->isVisibleTo(m_form.get()));
        QCOMPARE(table("LanguagesView")->rowCount(), 2);
        QCOMPARE(cell("LanguagesView", 0, 0), QStringLiteral("de/de.csf"));
        QCOMPARE(cell("LanguagesView", 0, 1), QStringLiteral("2 (de)"));
        const auto* bar = qobject_cast<QProgressBar*>(table("LanguagesView")->cellWidget(0, 2));
        QVERIFY(bar);
        QCOMPARE(bar->value(), 33); // one of three translated
        QCOMPARE(cell("LanguagesView", 0, 3), QStringLiteral("1"));
        QCOMPARE(cell("LanguagesView", 0, 4), QStringLiteral("1"));
        QCOMPARE(cell("LanguagesView", 0, 5), QStringLiteral("1"));
        QCOMPARE(cell("LanguagesView", 1, 0), QStringLiteral("fr.csf"));
        QCOMPARE(cell("LanguagesView", 1, 3), QStringLiteral("3"));
    }

    void aLanguageOpensWithTheSourceAsReferenceAndFollowsTheShownString() {
        newForm();
        project()->openProject(path("mod/en.csf"), 1);
        waitForProject();
        emit table("LanguagesView")->cellActivated(0, 0);
        QCOMPARE(shownFile(), QStringLiteral("de.csf"));
        QCOMPARE(m_form->workbench()->reference().fileName(), path("mod/en.csf"));
        showString("GUI:Cancel");
        QCOMPARE(cell("StringLanguagesView", 0, 1), QStringLiteral("Abbrechen"));
        QCOMPARE(cell("StringLanguagesView", 1, 1), QStringLiteral("Annuler"));
        showString("GUI:OK");
        QVERIFY(cell("StringLanguagesView", 0, 1).contains(QStringLiteral("OK")));
        QVERIFY(table("StringLanguagesView")->item(0, 1)->font().italic()); // untranslated
        // Saved, the language's counts are read again from its file.
        find<QPlainTextEdit>("EditorMemo")->setPlainText(QStringLiteral("In Ordnung"));
        m_form->Save1Click();
        waitForProject();
        QCOMPARE(cell("LanguagesView", 0, 3), QStringLiteral("2"));
        showString("GUI:OK");
        QCOMPARE(cell("StringLanguagesView", 0, 1), QStringLiteral("In Ordnung"));
        // Clicking a language opens it at the same string.
        emit table("StringLanguagesView")->cellClicked(1, 1);
        QCOMPARE(shownFile(), QStringLiteral("fr.csf"));
        QCOMPARE(find<QLineEdit>("StringNameEdit")->text(), QStringLiteral("GUI:OK"));
        // The project and the language last opened come back from Recent projects.
        newForm();
        auto* recent = find<QMenu>("RecentProjectsMenu");
        QVERIFY(recent->isEnabled());
        recent->actions().first()->trigger();
        waitForProject();
        QCOMPARE(shownFile(), QStringLiteral("fr.csf"));
        QCOMPARE(m_form->workbench()->reference().fileName(), path("mod/en.csf"));
    }

    void theProjectsTextsFollowTheInterfaceLanguage() {
        TMainForm& form = newForm();
        form.RussianUIClick();
        QTRY_COMPARE(find<QDockWidget>("LanguagesDock")->windowTitle(), QStringLiteral("Языки"));
        QCOMPARE(find<QAction>("OpenProject")->text(), QStringLiteral("Открыть проект..."));
        QCOMPARE(table("LanguagesView")->horizontalHeaderItem(2)->text(),
                 QStringLiteral("Готовность"));
        form.EnglishUIClick();
        QTRY_COMPARE(find<QDockWidget>("LanguagesDock")->windowTitle(),
                     QStringLiteral("Languages"));
    }
};

QTEST_MAIN(ProjectTest)
#include "ProjectTest.moc"
