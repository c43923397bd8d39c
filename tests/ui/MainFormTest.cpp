// SPDX-License-Identifier: MIT
// The editor window driven through the slots its menus and buttons trigger.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

#include "UiTestSupport.h"
#include "core/CompiledStrings.h"
#include "core/FileIO.h"
#include "encoding/CodePage.h"
#include "formats/Registry.h"
#include "ui/KeyboardAccess.h"
#include "ui/MainForm.h"
#include "ui/StringsModel.h"

using namespace vste;
using namespace vste::ui;
using namespace vste::ui::test;

namespace {

const std::vector<Entry> kTable = {
    {"GUI:OK", {u"OK"}, ""},
    {"GUI:Cancel", {u"Cancel"}, ""},
    {"GUI:Multi", {u"first", u"second", u"third"}, ""},
    {"NAME:Tank", {u"Heavy tank"}, "tank"},
    {"NAME:Hello", {u"Say HELLO there"}, ""},
    {"TXT:Lonely", {u"alone"}, ""},
};

} // namespace

class MainFormTest : public WindowTest {
    Q_OBJECT

    TMainForm& openTable(const std::vector<Entry>& entries = kTable, int version = 3) {
        return openCsf(entries, "t.csf", version);
    }
    bool menuEnabled(const char* name) { return find<QMenu>(name)->menuAction()->isEnabled(); }
    QString cell(int row, int column) { return m_form->Strings->cellText(row, column); }
    int row() { return find<QTableView>("StringsGrid")->currentIndex().row(); }
    void selectCategory(const char* name) {
        auto* list = find<QListWidget>("CatsListBox");
        list->setCurrentItem(list->findItems(QString::fromLatin1(name), Qt::MatchExactly).value(0));
    }
    void selectName(const char* name) {
        find<QLineEdit>("QuickNameSearchEdit")->clear();
        find<QLineEdit>("QuickNameSearchEdit")->setText(QString::fromLatin1(name));
    }
    const TText* body(const std::string& name) {
        for (const TText& text : m_form->currentDocument()->Body)
            if (text.Name == name)
                return &text;
        return nullptr;
    }

private slots:
    void init() { ForgetRememberedWindow(); }

    void initTestCase() { prepareFolders(); }

    void startStateHasNoDocument() {
        TMainForm& form = newForm();
        QCOMPARE(form.windowTitle(), QStringLiteral("Velmoran String Table Editor 1.0.2.20 (RC3)"));
        QCOMPARE(form.statusText(), QStringLiteral("Ready and waiting orders"));
        QCOMPARE(form.ChangesSaved(), 1);
        for (const char* name : {"CategorBox", "StringsGroupBox", "StringBox"})
            QVERIFY(!find<QGroupBox>(name)->isEnabled());
        for (const char* name : {"Save1", "Saveas1", "OpenNew", "ImportFromCSF1"})
            QVERIFY2(!find<QAction>(name)->isEnabled(), name);
        for (const char* name : {"Coding", "Fileversion1", "FileLanguage1", "Setfileasfavorite1"})
            QVERIFY2(!menuEnabled(name), name);
        QVERIFY(find<QAction>("AutodetectOn1")->isChecked());
        QVERIFY(find<QAction>("EnglishUI")->isChecked());
        QCOMPARE(WithoutAccelerator(find<QAction>("Language13")->text()),
                 QStringLiteral("Language 13 (Norwegian && Thai)"));
        // Commands on an empty window do nothing and never crash.
        form.SaveButtonClick();
        form.DeleteButtonClick();
        form.AddValueButtonClick();
        form.RemoveValueButtonClick();
        form.QuickNameSearchEditChange();
        QVERIFY(m_log.errors.isEmpty());
    }

    void openCsfShowsFirstCategoryAndMarks() {
        WriteCsf(path("v2.csf"), kTable, 2, 4);
        TMainForm& form = newForm();
        m_log.files.push_back(FileChoice{path("v2.csf"), 1});
        form.Open1Click();
        QCOMPARE(m_log.openFilters.size(), 8);
        QCOMPARE(m_log.openFilters.at(6),
                 QStringLiteral("Blade Runner\\LoL2 String Table Files (*.TRR)|*.TRR"));
        QCOMPARE(form.windowTitle(),
                 QStringLiteral("Velmoran String Table Editor 1.0.2.20 (RC3) - ") + path("v2.csf") +
                     QStringLiteral("[*]"));
        QCOMPARE(form.statusText(), QStringLiteral("File was opened successfully"));
        auto* list = find<QListWidget>("CatsListBox");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(find<QGroupBox>("StringsGroupBox")->title(), QStringLiteral("Strings of [GUI]"));
        QCOMPARE(form.Strings->rows(), 3);
        QCOMPARE(row(), 0);
        QCOMPARE(find<QLineEdit>("StringNameEdit")->text(), QStringLiteral("GUI:OK"));
        QCOMPARE(find<QPlainTextEdit>("EditorMemo")->toPlainText(), QStringLiteral("OK"));
        QVERIFY(find<QAction>("DecodeFargus")->isEnabled());
        QVERIFY(!find<QAction>("DecodeFargus")->isChecked());
        QVERIFY(find<QAction>("Version2")->isChecked());
        QVERIFY(find<QAction>("Language5")->isChecked());
        // Plain ASCII reads as Unicode, so typed letters are kept.
        QVERIFY(find<QAction>("Standart1")->isChecked());
        QCOMPARE(form.CyrillicAnsiMode(), 0);
        for (const char* name : {"Save1", "Saveas1", "OpenNew", "ImportFromCSF1"})
            QVERIFY2(find<QAction>(name)->isEnabled(), name);
        for (const char* name : {"Coding", "Fileversion1", "FileLanguage1", "Setfileasfavorite1"})
            QVERIFY2(menuEnabled(name), name);
        QVERIFY(find<QToolButton>("AddValueButton")->isEnabled());
        QVERIFY(find<QLineEdit>("SubStringEdit")->isEnabled());
    }

    void openStrForcesUnicodeMode() {
        TMainForm& form = openTable({{"A:B", {u"\u00e9t\u00e9"}, ""}});
        QCOMPARE(form.CyrillicAnsiMode(), 1);
        TCompiledStrings document;
        document.Version = 3;
        document.Body.push_back(TText{kLabelTag, "X:Y", {TTextContainer{kValueTagV3, u"v", ""}}});
        NullProgress progress;
        StoreFileAtomically(path("t.str").toStdString(), document.SaveToSTRBuffer(progress));
        form.openFile(path("t.str"), 2);
        QVERIFY(m_log.errors.isEmpty());
        QCOMPARE(int(form.documentFormat()), 2);
        QCOMPARE(form.CyrillicAnsiMode(), 0);
        QVERIFY(find<QAction>("Standart1")->isChecked());
        QVERIFY(!find<QAction>("Cyrillics1")->isChecked());
        QVERIFY(!find<QAction>("DecodeFargus")->isEnabled());
        QVERIFY(!find<QAction>("ImportFromCSF1")->isEnabled());
        QVERIFY(!menuEnabled("Setfileasfavorite1"));
        QVERIFY(menuEnabled("Coding"));
    }

    void openOtherFormatsSetsEnabledStates_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<bool>("names");
        QTest::addColumn<bool>("insertDelete");
        QTest::newRow("Empire at War") << 3 << true << true;
        QTest::newRow("Dune 2000") << 4 << true << false;
        QTest::newRow("Westwood") << 5 << false << false;
        QTest::newRow("Liquid") << 6 << false << false;
        QTest::newRow("Blade Runner") << 7 << false << false;
        QTest::newRow("Malcolm") << 8 << false << false;
    }
    void openOtherFormatsSetsEnabledStates() {
        QFETCH(int, format);
        QFETCH(bool, names);
        QFETCH(bool, insertDelete);
        TMainForm& form = openTable();
        const QString file = path("other.bin");
        if (format == 3)
            WriteFormat(file, format, {{"TEXT_A", {u"a"}, ""}});
        else
            WriteFormat(file, format, {{"1", {u"a"}, ""}, {"2", {u"b"}, ""}});
        form.openFile(file, format);
        QVERIFY2(m_log.errors.isEmpty(), qPrintable(m_log.errors.join(';')));
        QCOMPARE(int(form.documentFormat()), format);
        QVERIFY(find<QGroupBox>("StringBox")->isEnabled());
        QCOMPARE(find<QLineEdit>("StringNameEdit")->isEnabled(), names);
        QCOMPARE(find<QPushButton>("InsertButton")->isEnabled(), insertDelete);
        QCOMPARE(find<QPushButton>("DeleteButton")->isEnabled(), insertDelete);
        QVERIFY(!find<QToolButton>("AddValueButton")->isEnabled());
        QVERIFY(!find<QLineEdit>("SubStringEdit")->isEnabled());
        for (const char* name : {"Coding", "Fileversion1", "FileLanguage1", "Setfileasfavorite1"})
            QVERIFY2(!menuEnabled(name), name);
        QVERIFY(!find<QAction>("ImportFromCSF1")->isEnabled());
        QVERIFY(find<QAction>("Save1")->isEnabled() && find<QAction>("OpenNew")->isEnabled());
        QVERIFY(form.Strings->rows() > 0);
    }

    void missingOrBrokenFileKeepsDocument() {
        TMainForm& form = openTable();
        selectCategory("NAME");
        const QString title = form.windowTitle();
        const TWestwoodStrings* document = form.currentDocument();
        form.openFile(path("missing.csf"), 1);
        QCOMPARE(m_log.errors, QStringList{QStringLiteral("File with this filename not exist!")});

        WriteBytes(path("broken.csf"), QByteArray(" FSC\x03\0\0\0\x05\0\0\0", 12));
        form.openFile(path("broken.csf"), 1);
        QCOMPARE(m_log.errors.size(), 2);
        QCOMPARE(m_log.errors.at(1), QStringLiteral("Stream read error"));
        QCOMPARE(form.currentDocument(), document);
        QCOMPARE(form.windowTitle(), title);
        QCOMPARE(form.statusText(), QStringLiteral("File was opened successfully"));
        QCOMPARE(find<QListWidget>("CatsListBox")->currentItem()->text(), QStringLiteral("NAME"));
        QCOMPARE(form.openFileName(), path("t.csf"));
        form.RussianUIClick();
        form.openFile(path("missing.csf"), 1);
        QCOMPARE(m_log.errors.last(), QStringLiteral("Файла с таким именем не существует!"));
    }

    void unsavedChangesAreAskedBeforeOpen() {
        TMainForm& form = openTable();
        WriteCsf(path("other.csf"), {{"Z:Z", {u"z"}, ""}});
        find<QPlainTextEdit>("EditorMemo")->setPlainText(QStringLiteral("changed"));
        form.SaveButtonClick();
        QCOMPARE(form.ChangesSaved(), 0);
        m_log.answers.push_back(false);
        form.openFile(path("other.csf"), 1);
        QCOMPARE(m_log.questions.size(), 1);
        QVERIFY(m_log.questions.at(0).startsWith(QStringLiteral("You have not saved")));
        QCOMPARE(form.ChangesSaved(), 1);
        QCOMPARE(form.currentDocument()->Body.size(), 1u);

        // Yes saves the old document to its own file before the new one is read.
        find<QPlainTextEdit>("EditorMemo")->setPlainText(QStringLiteral("kept"));
        form.SaveButtonClick();
        m_log.answers.push_back(true);
        form.openFile(path("t.csf"), 1);
        QCOMPARE(m_log.questions.size(), 2);
        form.openFile(path("other.csf"), 1);
        QCOMPARE(m_log.questions.size(), 2); // nothing unsaved any more
        QCOMPARE(form.currentDocument()->Body.front().Values.front().Value, u"kept");
    }

    void stringSelectionFillsEditor() {
        TMainForm& form =
            openTable({{"A:One", {u"x"}, ""}, {"A:Multi", {u"A\nB\n", u"two", u"three"}, ""}});
        form.RussianUIClick();
        selectName("multi");
        QCOMPARE(row(), 1);
        auto* spin = find<QSpinBox>("ValuesSpinEdit");
        QCOMPARE(spin->maximum(), 3);
        QCOMPARE(spin->value(), 1);
        QVERIFY(spin->isEnabled());
        QVERIFY(find<QToolButton>("RemoveValueButton")->isEnabled());
        QCOMPARE(find<QLabel>("ValuesNumberLabel")->text(),
                 QStringLiteral("Значение строки (из 3):"));
        auto* memo = find<QPlainTextEdit>("EditorMemo");
        QCOMPARE(memo->blockCount(), 3); // A, B and an empty last line
        QCOMPARE(memo->toPlainText(), QStringLiteral("A\nB\n"));
        spin->setValue(3);
        QCOMPARE(memo->toPlainText(), QStringLiteral("three"));
        form.EnglishUIClick();
        QCOMPARE(find<QLabel>("ValuesNumberLabel")->text(),
                 QStringLiteral("String value of 3 values:"));
        selectName("one");
        QVERIFY(!spin->isEnabled());
        QVERIFY(!find<QToolButton>("RemoveValueButton")->isEnabled());
    }

    void quickSearches() {
        openTable();
        selectCategory("NAME");
        auto* values = find<QLineEdit>("QuickStringSearchEdit");
        values->setText(QStringLiteral("hello"));
        QCOMPARE(row(), 1);
        QCOMPARE(find<QTableView>("StringsGrid")->currentIndex().column(), 1);
        values->setText(QStringLiteral("absent"));
        QCOMPARE(row(), 1);
        values->clear();
        QCOMPARE(row(), 1);
        selectName("OK"); // only in another category
        QCOMPARE(row(), 1);
        selectName("TANK");
        QCOMPARE(row(), 0);
        QCOMPARE(find<QLineEdit>("SubStringEdit")->text(), QStringLiteral("tank"));
    }

    void applyChanges() {
        TMainForm& form = openTable(kTable, 2);
        auto* memo = find<QPlainTextEdit>("EditorMemo");
        auto* extra = find<QLineEdit>("SubStringEdit");
        memo->setPlainText(QStringLiteral("A\nB"));
        extra->setText(QStringLiteral("x"));
        form.SaveButtonClick();
        const TTextContainer& ok = body("GUI:OK")->Values.front();
        QCOMPARE(ok.Value, u"A\nB");
        QCOMPARE(ok.ExtraValue, "x");
        QCOMPARE(ok.Tag, (Tag4{'W', 'r', 't', 'S'}));
        QCOMPARE(cell(0, 1), QStringLiteral("A\nB"));
        QCOMPARE(form.ChangesSaved(), 0);
        extra->clear();
        form.SaveButtonClick();
        QCOMPARE(body("GUI:OK")->Values.front().Tag[0], ' ');

        // Value 2 of a string shows in the grid until the category is shown again.
        selectName("Multi");
        find<QSpinBox>("ValuesSpinEdit")->setValue(2);
        memo->setPlainText(QStringLiteral("SECOND"));
        form.SaveButtonClick();
        QCOMPARE(cell(2, 1), QStringLiteral("SECOND"));
        QCOMPARE(body("GUI:Multi")->Values[1].Value, u"SECOND");
        selectCategory("NAME");
        selectCategory("GUI");
        QCOMPARE(cell(2, 1), QStringLiteral("first"));

        // A rename into another category rebuilds the list and keeps the row inside the grid.
        selectName("Multi");
        find<QLineEdit>("StringNameEdit")->setText(QStringLiteral("ZZZ:Moved"));
        form.SaveButtonClick();
        QCOMPARE(find<QListWidget>("CatsListBox")->currentItem()->text(), QStringLiteral("GUI"));
        QCOMPARE(form.Strings->rows(), 2);
        QCOMPARE(row(), 1);
        QVERIFY(body("ZZZ:Moved"));
    }

    void applyRenamesEmpireAtWarKey() {
        TMainForm& form = openTable();
        WriteFormat(path("e.dat"), 3, {{"TEXT_A", {u"a"}, ""}, {"TEXT_B", {u"b"}, ""}});
        form.openFile(path("e.dat"), 3);
        QVERIFY(m_log.errors.isEmpty());
        const Tag4 key = form.currentDocument()->Body[form.Strings->bodyIndex(0)].Values[0].Tag;
        find<QPlainTextEdit>("EditorMemo")->setPlainText(QStringLiteral("new"));
        form.SaveButtonClick();
        const TText& same = form.currentDocument()->Body[form.Strings->bodyIndex(0)];
        QCOMPARE(same.Values[0].Tag, key);
        QCOMPARE(same.Values[0].Value, u"new");
        find<QLineEdit>("StringNameEdit")->setText(QStringLiteral("TEXT_RENAMED"));
        form.SaveButtonClick();
        const TText* renamed = body("TEXT_RENAMED");
        QVERIFY(renamed);
        QCOMPARE(renamed->Values[0].Tag, TEmpireAtWarStrings::KeyForName("TEXT_RENAMED"));
    }

    void insertStrings() {
        TMainForm& form = openTable();
        selectCategory("NAME");
        auto* name = find<QLineEdit>("StringNameEdit");
        auto* memo = find<QPlainTextEdit>("EditorMemo");
        name->setText(QStringLiteral("NAME:New"));
        memo->setPlainText(QStringLiteral("value"));
        form.InsertButtonClick();
        QCOMPARE(find<QListWidget>("CatsListBox")->currentItem()->text(), QStringLiteral("NAME"));
        QCOMPARE(row(), form.Strings->rows() - 1);
        QCOMPARE(name->text(), QStringLiteral("NAME:New"));
        QCOMPARE(body("NAME:New")->Values[0].Tag, (Tag4{'W', 'R', 'T', 'S'})); // extra value "tank"
        QCOMPARE(form.ChangesSaved(), 0);

        // A prefix that differs in letter case goes to the last category's first row.
        name->setText(QStringLiteral("name:lower"));
        form.InsertButtonClick();
        auto* list = find<QListWidget>("CatsListBox");
        QCOMPARE(list->currentRow(), list->count() - 1);
        QCOMPARE(row(), 0);

        for (const bool english : {true, false}) {
            english ? form.EnglishUIClick() : form.RussianUIClick();
            name->clear();
            memo->setPlainText(QStringLiteral("v"));
            form.InsertButtonClick();
            name->setText(QStringLiteral("A:B"));
            memo->clear();
            form.InsertButtonClick();
        }
        QCOMPARE(m_log.errors,
                 QStringList(4, QStringLiteral("Невозможно добавить пустую строку!")));
    }

    void insertIntoEmptyTable() {
        TMainForm& form = openTable({});
        QCOMPARE(form.Strings->rows(), 0);
        form.SaveButtonClick();
        form.DeleteButtonClick();
        form.AddValueButtonClick();
        find<QLineEdit>("StringNameEdit")->setText(QStringLiteral("GUI:First"));
        find<QPlainTextEdit>("EditorMemo")->setPlainText(QStringLiteral("first"));
        form.InsertButtonClick();
        QCOMPARE(form.currentDocument()->Body.size(), 1u);
        QCOMPARE(form.Strings->rows(), 1);
        QCOMPARE(cell(0, 0), QStringLiteral("GUI:First"));
    }

    void deleteStrings() {
        TMainForm& form = openTable();
        selectCategory("TXT");
        form.DeleteButtonClick(); // the only string of the last category
        QCOMPARE(find<QListWidget>("CatsListBox")->currentItem()->text(), QStringLiteral("NAME"));
        QVERIFY(!body("TXT:Lonely"));
        QCOMPARE(form.ChangesSaved(), 0);

        TMainForm& single = openTable({{"ONLY:One", {u"x"}, ""}});
        single.DeleteButtonClick();
        QCOMPARE(m_log.errors,
                 QStringList{QStringLiteral("String Table must containe one string!")});
        QCOMPARE(single.currentDocument()->Body.size(), 1u);
        QCOMPARE(single.ChangesSaved(), 1); // refused: nothing changed, nothing to save
    }

    void addAndRemoveValues() {
        TMainForm& form = openTable(kTable, 2);
        selectName("Multi");
        auto* spin = find<QSpinBox>("ValuesSpinEdit");
        const int count = form.currentDocument()->StringCount;
        form.AddValueButtonClick();
        QCOMPARE(spin->maximum(), 4);
        QCOMPARE(spin->value(), 4);
        QCOMPARE(find<QPlainTextEdit>("EditorMemo")->toPlainText(), QString());
        QCOMPARE(body("GUI:Multi")->Values.back().Tag, kValueTagV3);
        QCOMPARE(form.currentDocument()->StringCount, count + 1);
        QCOMPARE(find<QLabel>("ValuesNumberLabel")->text(),
                 QStringLiteral("String value of 4 values:"));
        form.RemoveValueButtonClick();
        spin->setValue(1);
        form.RemoveValueButtonClick(); // removes the third, shows value 2
        QCOMPARE(body("GUI:Multi")->ValueCount(), 2u);
        QCOMPARE(spin->value(), 2);
        QCOMPARE(find<QPlainTextEdit>("EditorMemo")->toPlainText(), QStringLiteral("second"));
        form.RemoveValueButtonClick();
        QVERIFY(!spin->isEnabled());
        QVERIFY(!find<QToolButton>("RemoveValueButton")->isEnabled());
        form.RemoveValueButtonClick(); // one value left: nothing happens
        QCOMPARE(body("GUI:Multi")->ValueCount(), 1u);
        QCOMPARE(form.currentDocument()->StringCount, count - 2);
    }

    void saveAndSaveAs() {
        TMainForm& form = openTable();
        find<QPlainTextEdit>("EditorMemo")->setPlainText(QStringLiteral("saved"));
        form.SaveButtonClick();
        form.Save1Click();
        QCOMPARE(form.ChangesSaved(), 1);
        QCOMPARE(form.statusText(), QStringLiteral("File was saved successfully"));
        bool singleByte = false;
        NullProgress progress;
        QCOMPARE(TCompiledStrings::CreateFromFile(path("t.csf").toStdString(), progress, singleByte)
                     ->Body.front()
                     .Values.front()
                     .Value,
                 u"saved");

        const auto saveAs = [&](const QString& name, int filter) {
            m_log.files.push_back(FileChoice{name, filter});
            form.Saveas1Click();
        };
        saveAs(path("new"), 1);
        QVERIFY(QFileInfo::exists(path("new.csf")));
        QCOMPARE(form.windowTitle(),
                 QStringLiteral("Velmoran String Table Editor 1.0.2.20 (RC3)- ") + path("new.csf") +
                     QStringLiteral("[*]"));
        QCOMPARE(m_log.saveFilters.size(), 2);
        saveAs(path("Game.CSF"), 2);
        QVERIFY(QFileInfo::exists(path("Game.str")));
        QVERIFY(!QFileInfo::exists(path("Game.CSF")));
        QVERIFY(ReadBytes(path("Game.str")).contains("END"));
        saveAs(path("a.csf.csf"), 2);
        QVERIFY(ReadBytes(path("a.csf.csf")).contains("END"));
        saveAs(path("notes.txt"), 1);
        QVERIFY(ReadBytes(path("notes.txt")).startsWith(" FSC"));
        saveAs(path("notes.text"), 1);
        QVERIFY(QFileInfo::exists(path("notes.text.csf")));
        saveAs(path("back.str"), 1);
        QVERIFY(QFileInfo::exists(path("back.csf")));
        m_log.files.push_back(std::nullopt);
        form.AddValueButtonClick();
        form.Saveas1Click(); // cancelled: nothing changes
        QCOMPARE(form.ChangesSaved(), 0);

        // An STR document saved as CSF; a later Save writes STR text to the opened file again.
        form.openFile(path("Game.str"), 2);
        saveAs(path("fromstr"), 1);
        QVERIFY(ReadBytes(path("fromstr.csf")).startsWith(" FSC"));
        WriteBytes(path("Game.str"));
        form.Save1Click();
        QVERIFY(ReadBytes(path("Game.str")).contains("END"));
    }

    void saveAsOtherFormatsAppendsTheirExtension() {
        TMainForm& form = openTable();
        WriteFormat(path("l.lte"), 6, {{"1", {u"a"}, ""}});
        form.openFile(path("l.lte"), 6);
        m_log.files.push_back(FileChoice{path("liquid"), 1});
        form.Saveas1Click();
        QVERIFY(QFileInfo::exists(path("liquid.lte")));
        WriteFormat(path("m.tre"), 8, {{"1", {u"a"}, ""}});
        form.openFile(path("m.tre"), 8);
        m_log.files.push_back(FileChoice{path("malcolm"), 1});
        form.Saveas1Click();
        QVERIFY(QFileInfo::exists(path("malcolm")));
        QVERIFY(m_log.errors.isEmpty());
    }

    void failedSaveKeepsStateAndReportsError() {
        TMainForm& form = openTable();
        find<QPlainTextEdit>("EditorMemo")->setPlainText(QStringLiteral("x"));
        form.SaveButtonClick();
        m_log.files.push_back(FileChoice{path("no/such/folder/x.csf"), 1});
        form.Saveas1Click();
        QCOMPARE(m_log.errors.size(), 1);
        QCOMPARE(form.ChangesSaved(), 0);
        QVERIFY(form.windowTitle().endsWith(QStringLiteral(" - ") + path("t.csf") + "[*]"));
        QCOMPARE(form.statusText(), QStringLiteral("File was not saved"));
    }

    void unicodeRoundTripThroughMemo() {
        const std::u16string value = U("Привет, 世界\r\nsecond\u00a0line \U0001F600");
        TMainForm& form = openTable({{"UNI:Text", {value}, ""}, {"UNI:Other", {u"o"}, ""}});
        auto* memo = find<QPlainTextEdit>("EditorMemo");
        selectName("UNI:Text");
        QVERIFY(memo->toPlainText().contains(QStringLiteral("世界")));
        QCOMPARE(memo->blockCount(), 2);
        form.SaveButtonClick();
        QCOMPARE(body("UNI:Text")->Values[0].Value, value);
        QCOMPARE(cell(row(), 1), QString::fromStdU16String(value));
        find<QLineEdit>("QuickStringSearchEdit")->setText(QStringLiteral("世界"));
        QCOMPARE(cell(row(), 0), QStringLiteral("UNI:Text"));
        // Names stay single-byte text: a character the code page lacks becomes '?', once the
        // user agrees to it.
        find<QLineEdit>("StringNameEdit")->setText(QStringLiteral("UNI:Имя"));
        m_log.answers.push_back(true);
        form.SaveButtonClick();
        QVERIFY(body("UNI:???"));
    }

    void applyKeepsLongAndNulNamesAndExtraValues() {
        const std::string longName = "LONG:" + std::string(40000, 'n');
        const std::string nulName("NUL:A\0B", 8);
        const std::string longExtra(40000, 'e');
        TMainForm& form =
            openTable({{longName, {u"x"}, longExtra}, {nulName, {u"y"}, std::string("p\0q", 3)}});
        auto* memo = find<QPlainTextEdit>("EditorMemo");
        for (const std::string& name : {longName, nulName}) {
            selectCategory(name == longName ? "LONG" : "NUL");
            memo->setPlainText(QStringLiteral("changed"));
            form.SaveButtonClick();
            const TText* text = body(name);
            QVERIFY(text);
            QCOMPARE(text->Name, name);
            QCOMPARE(text->Values[0].Value, u"changed");
        }
        QCOMPARE(body(longName)->Values[0].ExtraValue, longExtra);
        QCOMPARE(find<QListWidget>("CatsListBox")->count(), 2);
        QCOMPARE(form.currentDocument()->Body[1].Name, nulName);
        QCOMPARE(form.currentDocument()->Body[1].Values[0].ExtraValue, std::string("p\0q", 3));
    }

    void untouchedMemoKeepsValueExactly() {
        const std::u16string value = u"A\r\nB\u2029C\u240D\n";
        TMainForm& form = openTable({{"A:A", {value, u"two"}, ""}});
        auto* memo = find<QPlainTextEdit>("EditorMemo");
        find<QLineEdit>("SubStringEdit")->setText(QStringLiteral("extra"));
        form.SaveButtonClick();
        QCOMPARE(body("A:A")->Values[0].Value, value);
        QCOMPARE(body("A:A")->Values[0].ExtraValue, "extra");
        // Shown again and edited, every memo line break is one line feed.
        find<QSpinBox>("ValuesSpinEdit")->setValue(2);
        find<QSpinBox>("ValuesSpinEdit")->setValue(1);
        memo->setPlainText(QStringLiteral("X\nY\n"));
        form.SaveButtonClick();
        QCOMPARE(body("A:A")->Values[0].Value, u"X\nY");
        // A value shown after another string's value never takes that string's text.
        form.AddValueButtonClick();
        form.SaveButtonClick();
        QCOMPARE(body("A:A")->Values[2].Value, u"");
    }

    void typedValueNumberStaysInRange() {
        TMainForm& form = openTable();
        selectName("Multi");
        auto* spin = find<QSpinBox>("ValuesSpinEdit");
        for (const char* typed : {"9", "0", "-1", "x"}) {
            spin->selectAll();
            QTest::keyClicks(spin, QString::fromLatin1(typed));
            QTest::keyClick(spin, Qt::Key_Return);
            QVERIFY2(spin->value() >= 1 && spin->value() <= 3, typed);
            find<QPlainTextEdit>("EditorMemo")->setPlainText(QString::fromLatin1(typed));
            form.SaveButtonClick();
        }
        QCOMPARE(body("GUI:Multi")->ValueCount(), 3u);
        // A maximum out of step with the string still addresses an existing value.
        spin->setMaximum(7);
        spin->setValue(7);
        form.SaveButtonClick();
        QCOMPARE(body("GUI:Multi")->ValueCount(), 3u);
    }

    void failedSaveKeepsPreviousFileAndNamesIt() {
        TMainForm& form = openTable();
        WriteFormat(path("d.uib"), 4, {{"A", {u"a"}, ""}, {"B", {u"b"}, ""}});
        const QByteArray before = ReadBytes(path("d.uib"));
        form.openFile(path("d.uib"), 4);
        QCOMPARE(form.ChangesSaved(), 1);
        find<QPlainTextEdit>("EditorMemo")->setPlainText(QString(70000, QLatin1Char('v')));
        form.SaveButtonClick();
        // The value is too long for the format: the save question lists it with Cancel only.
        form.Save1Click();
        QVERIFY(m_log.errors.isEmpty());
        QVERIFY(m_log.actions.isEmpty());
        QVERIFY2(m_log.questions.constLast().contains(QDir::toNativeSeparators(path("d.uib"))),
                 qPrintable(m_log.questions.constLast()));
        QVERIFY(m_log.questions.constLast().contains(QStringLiteral("[too-long]")));
        QCOMPARE(form.ChangesSaved(), 0);
        QCOMPARE(ReadBytes(path("d.uib")), before);
        QCOMPARE(form.statusText(), QStringLiteral("File was opened successfully"));
        // The close prompt's Yes then fails too: the window stays open with the changes.
        m_log.answers.push_back(true);
        QVERIFY(!form.close());
        QCOMPARE(ReadBytes(path("d.uib")), before);
        m_log.answers.push_back(false);
        QVERIFY(form.close());
    }

    void smallestWindowKeepsFieldsInsideAndStatusWhole() {
        TMainForm& form = openTable();
        form.RussianUIClick();
        form.setStatusText(QStringLiteral("Готов вкалывать и жду приказаний"));
        form.resize(650, 500);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.width(), 650);
        QVERIFY(find<QGroupBox>("CategorBox")->width() <= 200);
        auto* strings = find<QGroupBox>("StringsGroupBox");
        for (const char* name : {"QuickNameSearchEdit", "QuickStringSearchEdit"}) {
            const QWidget* edit = find<QLineEdit>(name);
            QVERIFY2(edit->geometry().right() < strings->width(), name);
        }
        const QWidget* extra = find<QLineEdit>("SubStringEdit");
        QVERIFY(extra->geometry().right() < find<QGroupBox>("StringBox")->width());
        const auto* status = find<QLabel>("StatusPanel0");
        QVERIFY(status->width() >= status->fontMetrics().horizontalAdvance(status->text()));
    }
};

QTEST_MAIN(MainFormTest)
#include "MainFormTest.moc"
