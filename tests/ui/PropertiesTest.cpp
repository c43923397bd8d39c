// SPDX-License-Identifier: MIT
// The Edit menu's encoding, version, language and Fargus commands, the code page menu, the import
// and the open in a new window.
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTest>

#include "FeatureTests.h"
#include "core/CompiledStrings.h"
#include "encoding/CodePage.h"
#include "encoding/Fargus.h"
#include "ui/Settings.h"
#include "ui/StringsModel.h"

using namespace vste;
using namespace vste::ui;
using namespace vste::ui::test;

namespace {

struct Reread {
    std::unique_ptr<TCompiledStrings> document;
    bool singleByte = false;
};

Reread reread(const QString& path) {
    Reread result;
    NullProgress progress;
    result.document =
        TCompiledStrings::CreateFromFile(path.toStdString(), progress, result.singleByte);
    return result;
}

} // namespace

class PropertiesTest : public QObject {
    Q_OBJECT

    FormFixture f;

    TMainForm& openCsf(const std::vector<Entry>& entries, int version = 3, int language = 0) {
        WriteCsf(f.path("t.csf"), entries, version, language);
        TMainForm& form = f.newForm();
        form.openFile(f.path("t.csf"), 1);
        return form;
    }
    bool checked(const char* name) { return f.action(QString::fromLatin1(name))->isChecked(); }

private slots:
    void init() { ResetStoredSettings(); }

    void encodingCommandsSetOnlyTheModeThatTheNextSaveUses() {
        // U+20AC is one byte in Windows-1252: the ANSI mode stores it below 0x100.
        TMainForm& form = openCsf({{"A:Euro", {U("price \u20ac")}, ""}});
        QCOMPARE(form.CyrillicAnsiMode(), 0);
        f.action("Cyrillics1")->trigger();
        QCOMPARE(form.CyrillicAnsiMode(), 1);
        QVERIFY(checked("Cyrillics1") && !checked("Standart1"));
        QCOMPARE(form.ChangesSaved(), 0); // the mode decides the saved bytes
        QCOMPARE(form.Strings->cellText(0, 1), QStringLiteral("price \u20ac"));
        form.Save1Click();
        QVERIFY(reread(f.path("t.csf")).singleByte);

        f.action("Standart1")->trigger();
        QVERIFY(checked("Standart1") && !checked("Cyrillics1"));
        QCOMPARE(form.CyrillicAnsiMode(), 0);
        form.Save1Click();
        const Reread unicode = reread(f.path("t.csf"));
        QVERIFY(!unicode.singleByte);
        QVERIFY(unicode.document->Body[0].Values[0].Value == U("price \u20ac"));
    }

    void versionAndLanguageMarkTheDocumentChangedAndReachTheFile() {
        TMainForm& form = openCsf({{"A:One", {u"one"}, ""}}, 3, 4);
        QVERIFY(checked("Language5") && checked("Version3") && !checked("Version2"));
        QVERIFY(!f.action("DecodeFargus")->isEnabled());
        // Clicking the item that is already checked changes nothing, so nothing is unsaved.
        f.action("Language5")->trigger();
        QVERIFY(checked("Language5"));
        QCOMPARE(form.ChangesSaved(), 1);

        f.action("Language18")->trigger();
        int marks = 0;
        for (int n = 1; n <= 18; ++n)
            marks += checked(QStringLiteral("Language%1").arg(n).toLatin1().constData()) ? 1 : 0;
        QCOMPARE(marks, 1);
        QVERIFY(checked("Language18"));
        f.action("Version2")->trigger();
        QVERIFY(checked("Version2") && !checked("Version3"));
        QCOMPARE(form.ChangesSaved(), 0);
        // The Fargus item follows the version the file was read with, not later switches.
        QVERIFY(!f.action("DecodeFargus")->isEnabled());
        form.Save1Click();
        const Reread saved = reread(f.path("t.csf"));
        QCOMPARE(saved.document->Version, 2);
        QCOMPARE(saved.document->Language, 17);
    }

    void fargusRecodesAndRestoresTheValuesOnScreen() {
        std::u16string original;
        for (char16_t c = 0xC0; c <= 0xFF; ++c)
            original += c;
        const std::u16string recoded = FargusToWindows1251(original);
        QVERIFY(recoded != original);
        TMainForm& form = openCsf({{"A:Ru", {original}, ""}}, 2);
        QAction* fargus = f.action("DecodeFargus");
        QVERIFY(fargus->isEnabled() && !fargus->isChecked());
        fargus->trigger();
        QVERIFY(fargus->isChecked());
        QVERIFY(form.currentDocument()->Body[0].Values[0].Value == recoded);
        QCOMPARE(form.Strings->cellText(0, 1), QString::fromStdU16String(recoded));
        fargus->trigger();
        QVERIFY(!fargus->isChecked());
        QVERIFY(form.currentDocument()->Body[0].Values[0].Value == original);
        QCOMPARE(form.Strings->cellText(0, 1), QString::fromStdU16String(original));
        QCOMPARE(form.ChangesSaved(), 0); // two recodings: two steps to save or undo
        form.UndoClick();
        QVERIFY(fargus->isChecked());
        QVERIFY(form.currentDocument()->Body[0].Values[0].Value == recoded);
        form.UndoClick();
        QVERIFY(!fargus->isChecked());
        QCOMPARE(form.ChangesSaved(), 1);
        // Switching this version-2 file to 3 keeps the item enabled.
        f.action("Version3")->trigger();
        QVERIFY(fargus->isEnabled());
    }

    void autodetectSwitchDecidesWhetherAnOpenSetsTheMode() {
        WriteCsf(f.path("ascii.csf"), {{"A:One", {u"one"}, ""}});
        TMainForm& form = f.newForm();
        QVERIFY(checked("AutodetectOn1"));
        f.action("AutodetectOn1")->trigger();
        QVERIFY(!checked("AutodetectOn1"));
        form.openFile(f.path("ascii.csf"), 1);
        QCOMPARE(form.CyrillicAnsiMode(), 0);
        QVERIFY(checked("Standart1") && !checked("Cyrillics1"));

        // A character from U+0080 to U+00FF makes a table single-byte; plain ASCII stays Unicode.
        WriteCsf(f.path("latin.csf"), {{"A:One", {u"caf\u00E9"}, ""}});
        f.action("AutodetectOn1")->trigger();
        form.openFile(f.path("ascii.csf"), 1);
        QCOMPARE(form.CyrillicAnsiMode(), 0);
        form.openFile(f.path("latin.csf"), 1);
        QCOMPARE(form.CyrillicAnsiMode(), 1);
        QVERIFY(checked("Cyrillics1") && !checked("Standart1"));

        // STR always comes up in the Unicode mode.
        WriteFormat(f.path("t.str"), 2, {{"A:One", {u"one"}, ""}});
        form.openFile(f.path("t.str"), 2);
        QCOMPARE(form.CyrillicAnsiMode(), 0);
        QVERIFY(checked("Standart1") && !checked("Cyrillics1"));
        QVERIFY(!f.action("DecodeFargus")->isEnabled());
        QVERIFY(f.menu("Coding")->menuAction()->isEnabled());
    }

    void codePageChoiceConvertsRedisplaysAndIsRemembered() {
        WriteCsf(f.path("t.csf"), {{"A:One", {u"one"}, "\xe0"}});
        TMainForm& form = f.newForm();
        form.openFile(f.path("t.csf"), 1);
        QVERIFY(checked("CodePage1252") && !checked("CodePage1251"));
        QCOMPARE(f.find<QLineEdit>("SubStringEdit")->text(), QStringLiteral("\u00e0"));
        f.action("CodePage1251")->trigger();
        QCOMPARE(ActiveCodePage(), 1251);
        QVERIFY(checked("CodePage1251") && !checked("CodePage1252"));
        QCOMPARE(Settings::codePage().value_or(0), 1251);
        // The extra value's byte now reads as a Cyrillic letter.
        QCOMPARE(f.find<QLineEdit>("SubStringEdit")->text(), QStringLiteral("\u0430"));

        // A remembered choice wins over what the environment chose at start.
        SetActiveCodePage(1252);
        f.newForm();
        QCOMPARE(ActiveCodePage(), 1251);
        QVERIFY(checked("CodePage1251"));
        SetActiveCodePage(1252);
    }

    void importReplacesValuesAndShowsTheFirstCategory() {
        TMainForm& form = openCsf({{"GUI:OK", {u"OK"}, ""}, {"NAME:Tank", {u"Tank"}, ""}});
        f.find<QListWidget>("CatsListBox")->setCurrentRow(1);
        WriteCsf(f.path("source.csf"), {{"gui:ok", {u"Okay"}, ""}, {"NAME:Tank", {u"Panzer"}, ""}});
        f.log.files.push_back(FileChoice{f.path("source.csf"), 1});
        form.ImportFromCSF1Click();
        QVERIFY(f.log.errors.isEmpty());
        QCOMPARE(f.log.openFilters,
                 QStringList{QStringLiteral("Compiled String Table Files (*.CSF)|*.CSF")});
        QCOMPARE(form.statusText(), QStringLiteral("Strings was imported successfully"));
        QCOMPARE(f.find<QListWidget>("CatsListBox")->currentRow(), 0);
        QCOMPARE(form.Strings->cellText(0, 1), QStringLiteral("Okay"));
        QVERIFY(form.currentDocument()->Body[1].Values[0].Value == u"Panzer");
        QCOMPARE(form.ChangesSaved(), 0); // an import is a change to save
    }

    void failedImportKeepsTheDocumentAndTheStatus() {
        TMainForm& form = openCsf({{"GUI:OK", {u"OK"}, ""}});
        const QString status = form.statusText();
        // Cancelled: nothing at all.
        form.ImportFromCSF1Click();
        QCOMPARE(form.statusText(), status);
        QVERIFY(f.log.errors.isEmpty());

        f.log.files.push_back(FileChoice{f.path("missing.csf"), 1});
        form.ImportFromCSF1Click();
        QCOMPARE(f.log.errors, QStringList{QStringLiteral("File with this filename not exist!")});

        WriteCsf(f.path("source.csf"), {{"GUI:OK", {u"Okay"}, ""}});
        QFile source(f.path("source.csf"));
        QVERIFY(source.resize(source.size() - 3));
        f.log.files.push_back(FileChoice{f.path("source.csf"), 1});
        form.ImportFromCSF1Click();
        QCOMPARE(f.log.errors.size(), 2);
        QCOMPARE(f.log.errors.at(1), QStringLiteral("Stream read error"));
        QVERIFY(form.currentDocument()->Body[0].Values[0].Value == u"OK");
        QCOMPARE(form.statusText(), status);
    }

    void openInNewWindowStartsTheProgramWithThePathAsOneArgument() {
        TMainForm& form = openCsf({{"GUI:OK", {u"OK"}, ""}});
        QStringList started;
        QString program;
        form.startProgram = [&](const QString& name, const QStringList& arguments) {
            program = name;
            started = arguments;
        };
        form.OpenNewClick();
        QVERIFY(program.isEmpty());
        const QString spaced = f.path("My Files/a b.csf");
        f.log.files.push_back(FileChoice{spaced, 1});
        form.OpenNewClick();
        QCOMPARE(program, QCoreApplication::applicationFilePath());
        QCOMPARE(started, QStringList{spaced});
        // The current window is untouched.
        QCOMPARE(form.windowTitle().endsWith(f.path("t.csf") + "[*]"), true);
    }
};

int vste::ui::test::RunPropertiesTest(int argc, char** argv) {
    PropertiesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PropertiesTest.moc"
