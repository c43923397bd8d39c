// SPDX-License-Identifier: MIT
// options.dat, the favorites, the open of the command-line file and the close question.
#include <QFileInfo>
#include <QSettings>
#include <QTest>

#include "FeatureTests.h"
#include "core/CompiledStrings.h"
#include "ui/Settings.h"

using namespace vste;
using namespace vste::ui;
using namespace vste::ui::test;

class SettingsTest : public QObject {
    Q_OBJECT

    FormFixture f;

    QSettings store() { return StoredSettings(); }
    QAction* favorite(int n) { return f.action(QStringLiteral("OpenFavorite%1").arg(n)); }
    bool closeForm() { return f.form->close(); }

private slots:
    void init() { ResetStoredSettings(); }

    void optionsFileIsReadAtStartAndWrittenAsTwoBytesAtClose() {
        TMainForm& form = f.newForm();
        QCOMPARE(form.InterfaceLanguage, 1);
        QVERIFY(f.action("AutodetectOn1")->isChecked());
        QVERIFY(closeForm());
        QCOMPARE(ReadOptions(ProgramFolder()), QByteArray("\x01\x01", 2));

        // Any nonzero language byte means English; it is written back as 1.
        WriteOptions(ProgramFolder(), QByteArray("\x05\x00\x07", 3));
        f.newForm();
        QCOMPARE(f.form->InterfaceLanguage, 1);
        QVERIFY(f.action("EnglishUI")->isChecked());
        QVERIFY(!f.action("AutodetectOn1")->isChecked());
        QVERIFY(closeForm());
        QCOMPARE(ReadOptions(ProgramFolder()), QByteArray("\x01\x00", 2));

        WriteOptions(ProgramFolder(), QByteArray("\x00\x01", 2));
        f.newForm();
        QCOMPARE(f.form->InterfaceLanguage, 0);
        QCOMPARE(f.form->statusText(), QStringLiteral("Готов вкалывать и жду приказаний"));
        f.action("EnglishUI")->trigger();
        f.action("AutodetectOn1")->trigger();
        QVERIFY(closeForm());
        QCOMPARE(ReadOptions(ProgramFolder()), QByteArray("\x01\x00", 2));
    }

    void shortOrUnwritableOptionsFileNeverStopsTheProgram() {
        WriteOptions(ProgramFolder(), QByteArray("\x00", 1));
        f.newForm();
        QCOMPARE(f.form->InterfaceLanguage, 1);
        QVERIFY(f.action("AutodetectOn1")->isChecked());
        QCOMPARE(f.form->ChangesSaved(), 1);

        // A program folder that cannot be written: the user's configuration folder takes it.
        QFile blocker(f.path("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        Settings::setOptionsFolders(f.path("blocker/program"), FallbackFolder());
        f.newForm();
        f.action("RussianUI")->trigger();
        QVERIFY(closeForm());
        QCOMPARE(ReadOptions(FallbackFolder()), QByteArray("\x00\x01", 2));
        f.newForm();
        QCOMPARE(f.form->InterfaceLanguage, 0);

        // Neither folder: the window still closes and says so in a box the user can read.
        Settings::setOptionsFolders(f.path("blocker/program"), f.path("blocker/config"));
        f.newForm();
        QVERIFY(closeForm());
        QCOMPARE(f.log.errors, QStringList{QStringLiteral("Settings could not be saved")});
    }

    void favoritesAreStoredUnderTheirValueNamesAndListedByNumber() {
        TMainForm& form = f.newForm();
        QVERIFY(!f.menu("OpenFavorite")->menuAction()->isEnabled());
        WriteCsf(f.path("game.csf"), {{"A:One", {u"one"}, ""}});
        form.openFile(f.path("game.csf"), 1);
        QVERIFY(f.menu("Setfileasfavorite1")->menuAction()->isEnabled());
        f.action("SetFavorite3")->trigger();
        QCOMPARE(store().value("Favorite3").toString(), f.path("game.csf"));
        QCOMPARE(store().value("Favorite3Name").toString(), QStringLiteral("game.csf"));
        QVERIFY(favorite(3)->isVisible());
        QCOMPARE(favorite(3)->text(), QStringLiteral("3. game.csf"));
        QVERIFY(f.menu("OpenFavorite")->menuAction()->isEnabled());

        store().clear();
        store().setValue("Favorite2Name", "a&b.csf");
        store().setValue("Favorite5Name", "five.csf");
        f.newForm();
        f.form->FormShow();
        for (int n = 1; n <= 5; ++n)
            QCOMPARE(favorite(n)->isVisible(), n == 2 || n == 5);
        QCOMPARE(favorite(2)->text(), QStringLiteral("2. a&&b.csf"));
        QCOMPARE(favorite(5)->text(), QStringLiteral("5. five.csf"));
        QVERIFY(f.menu("OpenFavorite")->menuAction()->isEnabled());
    }

    void favoriteOpensAsCsfWithoutDialog() {
        WriteCsf(f.path("fav.csf"), {{"A:One", {u"one"}, ""}});
        Settings::setFavorite(1, f.path("fav.csf"), QStringLiteral("fav.csf"));
        Settings::setFavorite(2, f.path("gone.csf"), QStringLiteral("gone.csf"));
        TMainForm& form = f.newForm();
        form.setOpenFilterIndex(2);
        form.OpenFavoriteFile(1);
        QVERIFY(f.log.openFilters.isEmpty());
        QCOMPARE(int(form.documentFormat()), 1);
        QVERIFY(
            form.windowTitle().endsWith(QStringLiteral(" (RC3) - ") + f.path("fav.csf") + "[*]"));
        QCOMPARE(form.OpenWithoutDialog, 0);

        form.OpenFavoriteFile(2);
        QCOMPARE(f.log.errors, QStringList{QStringLiteral("File with this filename not exist!")});
        QCOMPARE(form.OpenWithoutDialog, 0);
        QVERIFY(form.currentDocument());
        // The Open command shows its dialog again.
        form.Open1Click();
        QVERIFY(!f.log.openFilters.isEmpty());
    }

    void commandLineOpenJoinsParametersAndLeavesTheOpenCommandsAlone() {
        QVERIFY(QDir().mkpath(f.path("My Files")));
        const QString file = f.path("My Files/a.csf");
        WriteCsf(file, {{"A:One", {u"one"}, ""}}, 2, 17);
        TMainForm& form = f.newForm();
        const QString greeting = form.statusText();
        form.setStartupParameters({f.path("My"), QStringLiteral("Files/a.csf")});
        form.FormShow();
        QVERIFY(f.log.errors.isEmpty());
        QCOMPARE(int(form.documentFormat()), 1);
        QCOMPARE(form.currentDocument()->Body.size(), std::size_t(1));
        QCOMPARE(form.windowTitle(), TMainForm::baseTitle() + QStringLiteral("- ") + file + "[*]");
        QCOMPARE(form.statusText(), greeting);
        QCOMPARE(form.ChangesSaved(), 1);
        QVERIFY(f.action("Save1")->isEnabled() && f.action("Saveas1")->isEnabled());
        QVERIFY(!f.action("OpenNew")->isEnabled());
        QVERIFY(!f.action("ImportFromCSF1")->isEnabled());
        QVERIFY(!f.action("DecodeFargus")->isEnabled());
        QVERIFY(!f.menu("Setfileasfavorite1")->menuAction()->isEnabled());
        QVERIFY(f.menu("Fileversion1")->menuAction()->isEnabled());
        QVERIFY(f.action("Version2")->isChecked() && f.action("Language18")->isChecked());
        // Save writes back to the same file.
        form.Save1Click();
        QVERIFY(f.log.errors.isEmpty());
    }

    void commandLineOpenReadsOtherFormatsByExtensionAndReportsFailures() {
        WriteFormat(f.path("t.str"), 2, {{"A:One", {u"one"}, ""}});
        TMainForm& form = f.newForm();
        form.setStartupParameters({f.path("t.str")});
        form.FormShow();
        QCOMPARE(int(form.documentFormat()), 2);

        WriteFormat(f.path("t.lte"), 6, {{"1", {u"one"}, ""}});
        f.newForm().setStartupParameters({f.path("t.lte")});
        f.form->FormShow();
        QCOMPARE(int(f.form->documentFormat()), 6);
        QVERIFY(!f.find<QWidget>("StringNameEdit")->isEnabled());
        QVERIFY(!f.menu("Coding")->menuAction()->isEnabled());

        QFile broken(f.path("broken.csf"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(" FSC\x03\x00", 6);
        broken.close();
        f.newForm().setStartupParameters({f.path("broken.csf")});
        f.form->FormShow();
        QCOMPARE(f.log.errors, QStringList{QStringLiteral("Stream read error")});
        QVERIFY(!f.form->currentDocument());
        QVERIFY(!f.action("Save1")->isEnabled());
        QCOMPARE(f.form->windowTitle(), TMainForm::baseTitle());
    }

    void closeQuestionSavesOnYesAndNotOnNo() {
        WriteCsf(f.path("t.csf"), {{"A:One", {u"one"}, ""}});
        TMainForm& form = f.newForm();
        form.openFile(f.path("t.csf"), 1);
        f.action("Version2")->trigger();
        f.log.answers.push_back(false);
        QVERIFY(closeForm());
        QCOMPARE(f.log.questions.size(), 1);
        QCOMPARE(f.log.questions.at(0),
                 QStringLiteral("You have not saved last changes in file. Would you like to save "
                                "it before exit?!"));
        QCOMPARE(ReadOptions(ProgramFolder()), QByteArray("\x01\x01", 2));
        bool singleByte = false;
        NullProgress progress;
        QCOMPARE(
            TCompiledStrings::CreateFromFile(f.path("t.csf").toStdString(), progress, singleByte)
                ->Version,
            3);

        ResetStoredSettings();
        f.newForm().openFile(f.path("t.csf"), 1);
        f.action("Version2")->trigger();
        f.log.answers.push_back(true);
        QVERIFY(closeForm());
        QCOMPARE(
            TCompiledStrings::CreateFromFile(f.path("t.csf").toStdString(), progress, singleByte)
                ->Version,
            2);
        QCOMPARE(ReadOptions(ProgramFolder()), QByteArray("\x01\x01", 2));

        // A save that fails keeps the window open and the settings unwritten.
        ResetStoredSettings();
        QVERIFY(QDir().mkpath(f.path("sub")));
        WriteCsf(f.path("sub/u.csf"), {{"A:One", {u"one"}, ""}});
        f.newForm().openFile(f.path("sub/u.csf"), 1);
        f.action("Version2")->trigger();
        QVERIFY(QDir(f.path("sub")).removeRecursively());
        f.log.answers.push_back(true);
        QVERIFY(!closeForm());
        QCOMPARE(f.log.errors.size(), 1);
        QCOMPARE(ReadOptions(ProgramFolder()), QByteArray("missing"));
    }
};

int vste::ui::test::RunSettingsTest(int argc, char** argv) {
    SettingsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SettingsTest.moc"
