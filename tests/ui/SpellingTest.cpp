// SPDX-License-Identifier: MIT
// Spelling and the glossary in the window: underlines in the value box, corrections and Add to
// dictionary from its context menu, the dictionary remembered for each file, the spelling and
// glossary findings in the Problems panel, the Glossary panel and the Russian texts.
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTableView>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QTreeWidget>

#include "UiTestSupport.h"
#include "ui/GlossaryPanel.h"
#include "ui/KeyboardAccess.h"
#include "ui/MainForm.h"
#include "ui/ProblemsController.h"
#include "ui/ProblemsModel.h"
#include "ui/ReferenceWorkbench.h"
#include "ui/SpellingController.h"
#include "ui/SpellingHighlighter.h"
#include "ui/StringsModel.h"
#include "ui/SuggestionCache.h"

using namespace vste;
using namespace vste::ui;
using namespace vste::ui::test;

namespace {

// The words of the box drawn with a wavy underline, in order.
QStringList Underlined(const QPlainTextEdit& box) {
    QStringList words;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next())
        for (const QTextLayout::FormatRange& range : block.layout()->formats())
            if (range.format.underlineStyle() == QTextCharFormat::WaveUnderline)
                words << block.text().mid(range.start, range.length);
    return words;
}

QStringList Texts(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* action : actions)
        texts << action->text();
    return texts;
}

// A dictionary that knows nothing, offers "w1".."wN" for a word of N letters and counts the
// times it is asked.
class CountingDictionary final : public WordChecker {
public:
    mutable int asked = 0;
    bool isKnown(std::u16string_view) const override { return false; }
    std::vector<std::u16string> suggestions(std::u16string_view word,
                                            std::size_t most) const override {
        ++asked;
        std::vector<std::u16string> out;
        for (std::size_t i = 1; i <= std::min(most, word.size()); ++i)
            out.push_back({u'w', static_cast<char16_t>(u'0' + i)});
        return out;
    }
};

} // namespace

class SpellingTest : public WindowTest {
    Q_OBJECT

    SpellingController& spelling() {
        return *m_form->findChild<SpellingController*>(QStringLiteral("SpellingController"));
    }
    GlossaryPanel& glossary() {
        return *m_form->findChild<GlossaryPanel*>(QStringLiteral("GlossaryPanel"));
    }
    void chooseDictionary(const char* name) {
        const QString action = *name ? QStringLiteral("Spelling_") + QString::fromLatin1(name)
                                     : QStringLiteral("SpellingNone");
        QAction* item = find<QAction>(action.toLatin1().constData());
        QVERIFY2(item, qPrintable(action));
        item->trigger();
    }
    // Opens a one-category table and shows string `row` of it.
    TMainForm& open(const std::vector<Entry>& entries, const char* fileName = "t.csf") {
        TMainForm& form = openCsf(entries, fileName);
        form.show();
        form.CatsListBox->setCurrentRow(0);
        form.StringsGrid->setCurrentIndex(form.Strings->index(0, 0));
        return form;
    }
    void showRow(int row) { m_form->StringsGrid->setCurrentIndex(m_form->Strings->index(row, 0)); }
    // The value box's context menu over the first character of `word`; it must go before the
    // window, whose box parents it.
    std::unique_ptr<QMenu> menuOver(const QString& word) {
        QPlainTextEdit& box = *m_form->EditorMemo;
        QTextCursor cursor(box.document());
        cursor.setPosition(static_cast<int>(box.toPlainText().indexOf(word)) + 1);
        return std::unique_ptr<QMenu>(
            spelling().createContextMenu(box.cursorRect(cursor).center()));
    }
    QStringList findings(const char* rule) {
        ProblemsController& panel = *m_form->problems();
        if (!panel.toggleAction()->isChecked())
            panel.toggleAction()->trigger();
        QCoreApplication::processEvents();
        panel.finishNow();
        QStringList found;
        for (int row = 0; row < panel.model()->rowCount(); ++row) {
            const Finding& f = *panel.model()->findingAt(row);
            if (f.rule == rule)
                found << QStringLiteral("%1 %2").arg(f.index).arg(
                    QString::fromStdString(f.message));
        }
        return found;
    }
    static QString personalFile() { return SpellingController::DefaultPersonalFile(); }

private slots:
    void initTestCase() {
        prepareFolders();
        qputenv("XDG_DATA_HOME", path("data").toLocal8Bit());
    }

    void init() {
        ForgetRememberedWindow();
        StoredSettings().remove(QStringLiteral("Spelling"));
        StoredSettings().remove(QStringLiteral("Glossary"));
        QFile::remove(personalFile());
    }

    void theValueBoxUnderlinesOnlyUnknownWordsWorthALook_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("underlined");
        QTest::newRow("misspelt") << "Teh tank is redy" << QStringList{"Teh", "redy"};
        QTest::newRow("placeholders") << "%ls units, %d%% of %s" << QStringList{};
        QTest::newRow("codes and digits") << "Build the MCV at HQ2 or x86_64" << QStringList{};
        QTest::newRow("beside a placeholder") << "Helo %s" << QStringList{"Helo"};
        QTest::newRow("second line") << "Hello\nWrold" << QStringList{"Wrold"};
        QTest::newRow("carriage return") << "Tnak\rtank" << QStringList{"Tnak"};
    }
    void theValueBoxUnderlinesOnlyUnknownWordsWorthALook() {
        QFETCH(QString, value);
        QFETCH(QStringList, underlined);
        TMainForm& form = open({{"A:1", {value.toStdU16String()}, ""}});
        QVERIFY(Underlined(*form.EditorMemo).isEmpty()); // None until a dictionary is chosen
        chooseDictionary("en_US");
        QCOMPARE(Underlined(*form.EditorMemo), underlined);
        chooseDictionary("");
        QVERIFY(Underlined(*form.EditorMemo).isEmpty());
    }

    // The menu the box opens itself, for a right click on the viewport or the menu key on the
    // box: corrections first, then Add to dictionary and the box's own items; the chosen one
    // replaces the word as typed text that the box's Undo takes back.
    void aCorrectionFromTheBoxMenuReplacesTheWordUnderTheMouseOrAtTheTextCursor_data() {
        QTest::addColumn<bool>("keyboard");
        QTest::newRow("mouse") << false;
        QTest::newRow("menu key") << true;
    }
    void aCorrectionFromTheBoxMenuReplacesTheWordUnderTheMouseOrAtTheTextCursor() {
        QFETCH(bool, keyboard);
        TMainForm& form = open({{"A:1", {u"The tnak is ready"}, ""}});
        chooseDictionary("en_US");
        QPlainTextEdit& box = *form.EditorMemo;
        QTextCursor cursor(box.document());
        cursor.setPosition(keyboard ? 6 : 0); // inside "tnak", or away from it
        box.setTextCursor(cursor);
        cursor.setPosition(6);
        const QPoint mouse = box.cursorRect(cursor).center();
        QStringList shown; // the menu's object names, then the corrections' texts
        QTimer::singleShot(0, this, [&shown] {
            auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!popup)
                return;
            for (QAction* action : popup->actions())
                shown << action->objectName();
            for (QAction* action : popup->actions())
                if (action->objectName() == QStringLiteral("SpellingSuggestion"))
                    shown << action->text();
            for (QAction* action : popup->actions())
                if (action->text() == QStringLiteral("tank"))
                    action->trigger();
            popup->close();
        });
        if (keyboard) {
            QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(1, 1),
                                      box.mapToGlobal(QPoint(1, 1)));
            QCoreApplication::sendEvent(&box, &request);
        } else {
            QContextMenuEvent request(QContextMenuEvent::Mouse, mouse,
                                      box.viewport()->mapToGlobal(mouse));
            QCoreApplication::sendEvent(box.viewport(), &request);
        }
        QVERIFY(shown.contains(QStringLiteral("tank")));
        const auto corrections = shown.count(QStringLiteral("SpellingSuggestion"));
        QVERIFY(corrections >= 1 && corrections <= SpellingController::kSuggestions);
        QCOMPARE(shown.at(corrections), QStringLiteral("AddToDictionaryAction"));
        QVERIFY(shown.size() > 2 * corrections + 3); // the box's own Undo, Copy, ...
        QCOMPARE(box.toPlainText(), QStringLiteral("The tank is ready"));
        QVERIFY(Underlined(box).isEmpty());
        QCOMPARE(form.ChangesSaved(), 1); // typed, not applied
        box.undo();
        QCOMPARE(box.toPlainText(), QStringLiteral("The tnak is ready"));
        // A known word gets the box's own menu only.
        const std::unique_ptr<QMenu> plain = menuOver(QStringLiteral("ready"));
        QVERIFY(plain->findChild<QAction*>(QStringLiteral("AddToDictionaryAction")) == nullptr);
    }

    void addToDictionaryAcceptsTheWordFromNowOnAndAppendsItToThePersonalList() {
        QDir().mkpath(QFileInfo(personalFile()).absolutePath());
        WriteBytes(personalFile(), "Velmoran"); // a list whose last line has no line break
        TMainForm& form = open({{"A:1", {u"Zorgon meets Velmoran"}, ""}});
        chooseDictionary("en_US");
        QCOMPARE(Underlined(*form.EditorMemo), QStringList{"Zorgon"});
        QCOMPARE(findings("spelling").size(), 1);
        {
            const std::unique_ptr<QMenu> menu = menuOver(QStringLiteral("Zorgon"));
            QAction* add = menu->findChild<QAction*>(QStringLiteral("AddToDictionaryAction"));
            QVERIFY(add);
            add->trigger();
        } // the box's menu goes before its window
        QVERIFY(m_log.errors.isEmpty());
        QVERIFY(Underlined(*form.EditorMemo).isEmpty());
        QCOMPARE(ReadBytes(personalFile()), QByteArray("Velmoran\nZorgon\n"));
        QVERIFY(findings("spelling").isEmpty());
        // The next window reads the list with the dictionary.
        open({{"A:1", {u"Zorgon meets Velmoran"}, ""}});
        QCOMPARE(spelling().dictionaryName(), QStringLiteral("en_US"));
        QVERIFY(Underlined(*m_form->EditorMemo).isEmpty());
    }

    // Hunspell takes up to a tenth of a second for one word's corrections.
    void correctionsAreAskedOnceForEachWordUnlessMoreAreWanted() {
        const CountingDictionary dictionary;
        const SuggestionCache cache(dictionary);
        const struct {
            const char16_t* word;
            std::size_t most;
            std::size_t expected;
            int asked; // the dictionary's count after the call
        } calls[] = {
            {u"abcdef", 3, 3, 1}, {u"abcdef", 3, 3, 1}, {u"abcdef", 5, 5, 2}, {u"abcdef", 3, 3, 2},
            {u"ab", 3, 2, 3},     {u"ab", 5, 2, 3},     {u"xyz", 0, 0, 3},    {u"xyz", 1, 1, 4},
        };
        for (const auto& c : calls) {
            const auto words = cache.suggestions(c.word, c.most);
            QCOMPARE(words.size(), c.expected);
            QCOMPARE(dictionary.asked, c.asked);
            if (!words.empty())
                QVERIFY(words.front() == u"w1");
        }
    }

    void aListThatCannotBeWrittenIsReportedAndTheWordStaysUnknown() {
        TMainForm& form = open({{"A:1", {u"Zorgon"}, ""}});
        chooseDictionary("en_US");
        WriteBytes(path("file"));
        spelling().setPersonalFile(path("file/personal-words.txt")); // under a plain file
        QVERIFY(!spelling().addToDictionary(QStringLiteral("Zorgon")));
        QCOMPARE(m_log.errors.size(), 1);
        QCOMPARE(Underlined(*form.EditorMemo), QStringList{"Zorgon"});
    }

    void theDictionaryIsRememberedForEachFileAndTheLastChoiceStartsNewOnes() {
        open({{"A:1", {u"x"}, ""}}, "a.csf");
        const QStringList names = Texts(spelling().menu()->actions());
        for (const char* name : {"en_US", "ru_RU", "de_DE"})
            QVERIFY2(names.contains(QString::fromLatin1(name)), name);
        QCOMPARE(spelling().menu()->actions().constFirst()->objectName(),
                 QStringLiteral("SpellingNone"));
        QVERIFY(find<QAction>("SpellingNone")->isChecked());
        chooseDictionary("de_DE");
        open({{"A:1", {u"x"}, ""}}, "b.csf");
        QCOMPARE(spelling().dictionaryName(), QStringLiteral("de_DE")); // the last choice
        chooseDictionary("ru_RU");
        const struct {
            const char* file;
            const char* dictionary;
        } expected[] = {{"a.csf", "de_DE"}, {"b.csf", "ru_RU"}, {"a.csf", "de_DE"}};
        for (const auto& e : expected) {
            newForm().openFile(path(e.file), 1);
            QCOMPARE(spelling().dictionaryName(), QString::fromLatin1(e.dictionary));
            QVERIFY(
                find<QAction>(qPrintable(QStringLiteral("Spelling_") + e.dictionary))->isChecked());
        }
        chooseDictionary("");
        newForm().openFile(path("a.csf"), 1);
        QVERIFY(spelling().checker() == nullptr);
        QVERIFY(find<QAction>("SpellingNone")->isChecked());
    }

    void theProblemsPanelListsSpellingFindingsOnlyWhileADictionaryIsChosen() {
        open({{"A:1", {u"Teh tank"}, ""}, {"A:2", {u"%ls units of HQ"}, ""}});
        QVERIFY(findings("spelling").isEmpty());
        chooseDictionary("en_US");
        const QStringList found = findings("spelling");
        QCOMPARE(found.size(), 1);
        QVERIFY2(found[0].startsWith(QStringLiteral("0 unknown word \"Teh\"")),
                 qPrintable(found[0]));
        chooseDictionary("");
        QVERIFY(findings("spelling").isEmpty());
    }

    void theGlossaryPanelListsTheReferenceTermsAndMarksTranslationsTheValueLacks() {
        WriteBytes(path("terms.csv"), "term,translation\nTank,Panzer\nharvester,Sammler\n"
                                      "ore,Erz\n");
        WriteCsf(path("orig.csf"), {{"A:1", {u"The TANK drives"}, ""},
                                    {"A:2", {u"The harvester collects ore"}, ""},
                                    {"A:3", {u"Tanks and more"}, ""}});
        TMainForm& form = open({{"A:1", {u"Der Panzer fährt"}, ""},
                                {"A:2", {u"Ein Fahrzeug"}, ""},
                                {"A:3", {u"Panzer"}, ""}});
        QVERIFY(form.workbench()->openReference(path("orig.csf"), 1));
        QVERIFY(findings("glossary").isEmpty());
        QCOMPARE(glossary().toolsMenu()->objectName(), QStringLiteral("ToolsMenu"));
        const QList<QAction*> bar = form.menuBar()->actions();
        QCOMPARE(bar.indexOf(glossary().toolsMenu()->menuAction()) + 1,
                 bar.indexOf(form.Help1->menuAction()));
        QVERIFY(glossary().dock()->isHidden());
        m_log.files.push_back(FileChoice{path("terms.csv"), 1});
        const int narrower = form.width();
        find<QAction>("GlossaryAction")->trigger();
        QCOMPARE(m_log.fileCaptions.size(), 1);
        QVERIFY(!glossary().dock()->isHidden());
        QVERIFY(form.width() > narrower); // the editor keeps its width where the screen has room
        QCOMPARE(form.dockWidgetArea(glossary().dock()), Qt::RightDockWidgetArea);

        QTreeWidget& view = *glossary().view();
        const auto rows = [&view] {
            QStringList shown;
            for (int row = 0; row < view.topLevelItemCount(); ++row) {
                const QTreeWidgetItem& item = *view.topLevelItem(row);
                const bool missing = item.font(0).bold() && !item.toolTip(1).isEmpty();
                shown << item.text(0) + QStringLiteral("=") + item.text(1) +
                             (missing ? QStringLiteral(" missing") : QString());
            }
            return shown;
        };
        QCOMPARE(rows(), QStringList{"Tank=Panzer"});
        showRow(1);
        QCOMPARE(rows(), (QStringList{"harvester=Sammler missing", "ore=Erz missing"}));
        QCOMPARE(view.topLevelItem(0)->toolTip(0), QStringLiteral("missing in the value"));
        form.EditorMemo->setPlainText(QStringLiteral("Der SAMMLER sammelt"));
        QCOMPARE(rows(), (QStringList{"harvester=Sammler", "ore=Erz missing"}));
        showRow(2);                      // applies the typed value
        QCOMPARE(rows(), QStringList{}); // "Tanks" is not the term "Tank"

        // The Problems panel checks the document: the second string still lacks "Erz".
        const QStringList found = findings("glossary");
        QCOMPARE(found.size(), 1);
        QVERIFY(found[0].startsWith(QStringLiteral("1 ")));
        QVERIFY(found[0].contains(QStringLiteral("Erz")));

        // A file that is no glossary is reported and the one read stays.
        WriteBytes(path("bad.csv"), "name,value\nA,B\n");
        QVERIFY(!glossary().load(path("bad.csv")));
        QCOMPARE(m_log.errors.size(), 1);
        QCOMPARE(glossary().terms()->size(), std::size_t{3});
    }

    void theGlossaryReadLastComesBackInTheNextSessionUnlessItHasGone() {
        WriteBytes(path("kept.csv"), "term,translation\nTank,Panzer\n");
        WriteCsf(path("orig.csf"), {{"A:1", {u"The tank"}, ""}});
        open({{"A:1", {u"Der Wagen"}, ""}});
        QVERIFY(glossary().load(path("kept.csv")));

        // The next window reads it again, and its findings reach the Problems panel.
        TMainForm& next = open({{"A:1", {u"Der Wagen"}, ""}});
        QVERIFY(glossary().terms());
        QCOMPARE(glossary().terms()->size(), std::size_t{1});
        QVERIFY(next.workbench()->openReference(path("orig.csf"), 1));
        QCOMPARE(findings("glossary").size(), 1);
        QVERIFY(m_log.errors.isEmpty());

        // Gone before the next session: forgotten without a word, and the panel says so.
        QFile::remove(path("kept.csv"));
        open({{"A:1", {u"Der Wagen"}, ""}});
        QVERIFY(!glossary().terms());
        QVERIFY(m_log.errors.isEmpty());
        const auto status = [this] {
            return glossary().dock()->findChild<QLabel*>("GlossaryStatus")->text();
        };
        QVERIFY(status().contains(QStringLiteral("kept.csv")));
        open({{"A:1", {u"Der Wagen"}, ""}});
        QVERIFY(!status().contains(QStringLiteral("kept.csv")));
    }

    void theSpellingAndGlossaryTextsSpeakRussian() {
        WriteBytes(path("terms.csv"), "term,translation\ntank,Panzer\n");
        WriteCsf(path("orig.csf"), {{"A:1", {u"The tank"}, ""}});
        TMainForm& form = open({{"A:1", {u"Teh"}, ""}});
        QVERIFY(form.workbench()->openReference(path("orig.csf"), 1));
        QVERIFY(glossary().load(path("terms.csv")));
        chooseDictionary("en_US");
        form.RussianUIClick();
        QTRY_COMPARE(WithoutAccelerator(spelling().menu()->title()), QStringLiteral("Орфография"));
        QCOMPARE(find<QAction>("SpellingNone")->text(), QStringLiteral("Нет"));
        QCOMPARE(WithoutAccelerator(glossary().toolsMenu()->title()), QStringLiteral("Сервис"));
        QCOMPARE(WithoutAccelerator(glossary().glossaryAction()->text()),
                 QStringLiteral("Глоссарий..."));
        QCOMPARE(glossary().dock()->windowTitle(), QStringLiteral("Глоссарий"));
        QCOMPARE(glossary().view()->headerItem()->text(0), QStringLiteral("Термин"));
        QCOMPARE(glossary().view()->topLevelItem(0)->toolTip(0), QStringLiteral("нет в значении"));
        const std::unique_ptr<QMenu> menu = menuOver(QStringLiteral("Teh"));
        QCOMPARE(menu->findChild<QAction*>(QStringLiteral("AddToDictionaryAction"))->text(),
                 QStringLiteral("Добавить в словарь"));
        form.EnglishUIClick();
        QTRY_COMPARE(WithoutAccelerator(spelling().menu()->title()), QStringLiteral("Spelling"));
        QCOMPARE(glossary().dock()->windowTitle(), QStringLiteral("Glossary"));
    }
};

QTEST_MAIN(SpellingTest)
#include "SpellingTest.moc"
