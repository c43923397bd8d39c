// SPDX-License-Identifier: MIT
// Every caption of the window in English and Russian, switched at run time.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "FeatureTests.h"
#include "ui/KeyboardAccess.h"
#include "ui/Settings.h"

using namespace vste;
using namespace vste::ui;
using namespace vste::ui::test;

namespace {

struct Caption {
    const char* component;
    const char* english;
    const char* russian;
};

// Group boxes, labels, buttons, the hint, and menus and menu items, by object name.
const Caption kCaptions[] = {
    {"CategorBox", "Categories", "Категории"},
    {"StringsGroupBox", "Strings", "Строки"},
    {"StringBox", "Sting Values", "Значение строки"},
    {"QuickSearchLabel", "Quick Search:", "Быстрый поиск:"},
    {"DeleteButton", "Delete", "Удалить"},
    {"InsertButton", "Insert", "Добавить"},
    {"SaveButton", "Apply Changes", "Применить изменения"},
    {"StringNameLabel", "String Name:", "Название строки:"},
    {"SubStringEdit", "Extra value of string", "Дополнительное значение строки"},
    {"File1", "File", "Файл"},
    {"New1", "New", "Создать"},
    {"Open1", "Open", "Открыть"},
    {"OpenNew", "Open in new window", "Открыть в новом окне"},
    {"OpenFavorite", "Open favorite file", "Открыть любимый файл"},
    {"Save1", "Save", "Сохранить"},
    {"Saveas1", "Save as...", "Сохранить как..."},
    {"Exit1", "Exit", "Выход"},
    {"ImportFromCSF1", "Import strings from CSF", "Замена значений строк из CSF"},
    {"Edit", "Edit", "Правка"},
    {"Setfileasfavorite1", "Set file as favorite", "Сделать открытый файл любимым"},
    {"SetFavorite1", "Favorite file 1", "Любимый файл 1"},
    {"SetFavorite5", "Favorite file 5", "Любимый файл 5"},
    {"Coding", "Character Encoding", "Кодировка символов"},
    {"Standart1", "Unicode", "Unicode"},
    {"Cyrillics1", "ANSI (only for Cyrillics)", "ANSI (только для кириллицы)"},
    {"AutodetectOn1", "Autodetect Encoding", "Автоопределение кодировки"},
    {"DecodeFargus", "Nox Fargus ANSI Cyrillics", "ANSI кириллица фаргуса для Nox"},
    {"Fileversion1", "File Version", "Версия файла"},
    {"Version2", "Version 2 (Nox)", "Версия 2 (Nox)"},
    {"Version3", "Version 3 (RA2\\RA2YR\\Gen\\GZH\\BFME\\BFME2)",
     "Версия 3 (RA2\\RA2YR\\Gen\\GZH\\BFME\\BFME2)"},
    {"FileLanguage1", "File Language", "Язык файла"},
    {"Language1", "Language 1 (English)", "Язык 1 (английский)"},
    {"Language2", "Language 2 (Spanish)", "Язык 2 (испанский)"},
    {"Language3", "Language 3 (German RA2)", "Язык 3 (германский RA2)"},
    {"Language4", "Language 4 (French RA2, German BFME)",
     "Язык 4 (французский RA2, германский BFME)"},
    {"Language5", "Language 5 (French BFME)", "Язык 5 (французский BFME)"},
    {"Language6", "Language 6 (Italian)", "Язык 6 (итальянский)"},
    {"Language7", "Language 7 (Dutch)", "Язык 7 (голландский)"},
    {"Language8", "Language 8", "Язык 8"},
    {"Language9", "Language 9 (Swedish)", "Язык 9 (шведский)"},
    {"Language10", "Language 10 (Chinese)", "Язык 10 (китайский)"},
    {"Language11", "Language 11", "Язык 11"},
    {"Language12", "Language 12 (Brazilian Gen, Polish BFME)",
     "Язык 12 (бразильский Gen, польский BFME)"},
    {"Language13", "Language 13 (Norwegian && Thai)", "Язык 13 (норвежский и тайский)"},
    {"Language14", "Language 14", "Язык 14"},
    {"Language17", "Language 17", "Язык 17"},
    {"Language18", "Language 18 (Russian)", "Язык 18 (русский)"},
    {"Options1", "Options", "Настройки"},
    {"LanguageUI", "Language", "Язык"},
    {"RussianUI", "Русский (Russian)", "Русский (Russian)"},
    {"EnglishUI", "English (Английский)", "English (Английский)"},
    {"Assoc", "Associate VSTE with", "Ассоциация VSTE с"},
    {"Assoc1", "CSF", "CSF"},
    {"Help1", "Help", "Справка"},
    {"About1", "About...", "О программе..."},
    {"CodePageMenu", "Code page", "Кодовая страница"},
    {"CodePage1251", "Windows-1251 (Cyrillic)", "Windows-1251 (кириллица)"},
    {"CodePage874", "Windows-874 (Thai)", "Windows-874 (тайская)"},
};

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT

    FormFixture f;

    QString caption(const char* component) {
        const QString name = QString::fromLatin1(component);
        if (auto* box = f.find<QGroupBox>(name))
            return box->title();
        if (auto* label = f.find<QLabel>(name))
            return label->text();
        if (auto* button = f.find<QPushButton>(name))
            return button->text();
        if (auto* edit = f.find<QLineEdit>(name))
            return edit->toolTip();
        // The accelerator marks are not part of the caption the user reads.
        if (auto* menu = f.find<QMenu>(name))
            return WithoutAccelerator(menu->title());
        if (auto* item = f.action(name))
            return WithoutAccelerator(item->text());
        return QStringLiteral("<no %1>").arg(name);
    }

    void compareAll(bool english) {
        for (const Caption& entry : kCaptions)
            QCOMPARE(caption(entry.component),
                     QString::fromUtf8(english ? entry.english : entry.russian));
    }

private slots:
    void init() { ResetStoredSettings(); }

    void captionsFollowTheLanguageSwitch() {
        WriteCsf(f.path("t.csf"), {{"A:Multi", {u"1", u"2", u"3"}, ""}});
        TMainForm& form = f.newForm();
        form.openFile(f.path("t.csf"), 1);
        auto* label = f.find<QLabel>("ValuesNumberLabel");
        QCOMPARE(label->text(), QStringLiteral("String value of 3 values:"));
        QCOMPARE(f.find<QGroupBox>("StringsGroupBox")->title(), QStringLiteral("Strings of [A]"));

        f.action("RussianUI")->trigger();
        QCOMPARE(form.InterfaceLanguage, 0);
        QVERIFY(f.action("RussianUI")->isChecked() && !f.action("EnglishUI")->isChecked());
        QCOMPARE(label->text(), QStringLiteral("Значение строки (из 3):"));
        compareAll(false);
        // The status text is worded again at once, as messages are.
        QCOMPARE(form.statusText(), QStringLiteral("Файл был благополучно открыт"));
        form.openFile(f.path("missing.csf"), 1);
        QCOMPARE(f.log.errors.value(0), QStringLiteral("Файла с таким именем не существует!"));

        f.action("EnglishUI")->trigger();
        QCOMPARE(form.InterfaceLanguage, 1);
        QVERIFY(f.action("EnglishUI")->isChecked() && !f.action("RussianUI")->isChecked());
        QCOMPARE(label->text(), QStringLiteral("String value of 3 values:"));
        QCOMPARE(form.statusText(), QStringLiteral("File was opened successfully"));
        compareAll(true);
        // The category caption falls back to the plain title until a category is chosen.
        QCOMPARE(f.find<QGroupBox>("StringsGroupBox")->title(), QStringLiteral("Strings"));
    }

    void choosingTheActiveLanguageChangesNothing() {
        TMainForm& form = f.newForm();
        auto* label = f.find<QLabel>("ValuesNumberLabel");
        label->setText(QStringLiteral("untouched"));
        form.EnglishUIClick();
        QCOMPARE(label->text(), QStringLiteral("untouched"));
        QVERIFY(f.action("EnglishUI")->isChecked());
        // The menu click toggles the mark first; the switch must leave it checked.
        f.action("EnglishUI")->trigger();
        QVERIFY(f.action("EnglishUI")->isChecked() && !f.action("RussianUI")->isChecked());
    }

    void favoritesKeepTheirCaptionsAndTheLanguageOutlivesTheRun() {
        Settings::setFavorite(2, f.path("game.csf"), QStringLiteral("game.csf"));
        TMainForm& form = f.newForm();
        form.FormShow();
        f.action("RussianUI")->trigger();
        QCOMPARE(f.action("OpenFavorite2")->text(), QStringLiteral("2. game.csf"));
        QVERIFY(form.close());
        f.newForm();
        QCOMPARE(f.form->InterfaceLanguage, 0);
        QCOMPARE(caption("File1"), QStringLiteral("Файл"));
        QCOMPARE(f.form->statusText(), QStringLiteral("Готов вкалывать и жду приказаний"));
        f.action("EnglishUI")->trigger();
    }

    // Qt's own texts (here a message box's buttons) follow the interface language too.
    void qtDialogsSpeakTheInterfaceLanguage() {
        f.newForm();
        const auto yesText = [] {
            QMessageBox box(QMessageBox::Question, QString(), QString(),
                            QMessageBox::Yes | QMessageBox::No);
            return box.button(QMessageBox::Yes)->text();
        };
        f.action("RussianUI")->trigger();
        QCOMPARE(yesText(), QStringLiteral("&Да"));
        f.action("EnglishUI")->trigger();
        QCOMPARE(yesText(), QStringLiteral("&Yes"));
    }
};

int vste::ui::test::RunLanguageTest(int argc, char** argv) {
    LanguageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "LanguageTest.moc"
