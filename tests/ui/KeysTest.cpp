// SPDX-License-Identifier: MIT
// The translator's keyboard: Copy reference (Ctrl+B), Tab through the window without getting
// caught in the grid, Enter or F2 from the grid to the value box, F3 to the match in the editor,
// Save as and Redo on their usual keys, the whole daily loop without the mouse, View > Wrap long
// values, and typed text on a string only the reference has.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QUndoStack>

#include "UiTestSupport.h"
#include "ui/FilterBar.h"
#include "ui/KeyboardAccess.h"
#include "ui/MainForm.h"
#include "ui/ReferenceWorkbench.h"
#include "ui/Settings.h"
#include "ui/StringsModel.h"

using namespace vste;
using namespace vste::ui;
using namespace vste::ui::test;

namespace {

const std::vector<Entry> kDocument = {
    {"GUI:OK", {u"OK"}, ""},
    {"GUI:Cancel", {u"Cancel"}, "cancel.wav"},
    {"NAME:Tank", {u"Heavy tank"}, ""},
    {"NAME:Jeep", {u"Jeep", u"Jeep two"}, ""},
};
// Tank is missing here; Boat and Plane are only here.
const std::vector<Entry> kReference = {
    {"GUI:OK", {u"OK original"}, ""},
    {"GUI:Cancel", {u"Line one\r\nLine two"}, ""},
    {"NAME:Jeep", {u"Jeep", u"Jeep second"}, ""},
    {"NAME:Boat", {u"Boat"}, "boat"},
    {"NAME:Plane", {u"Plane"}, ""},
};

const TText* StringNamed(const TMainForm& form, const char* name) {
    for (const TText& text : form.currentDocument()->Body)
        if (text.Name == name)
            return &text;
    return nullptr;
}

QKeySequence Keys(QKeyCombination keys) {
    return QKeySequence(keys);
}

} // namespace

Q_DECLARE_METATYPE(Qt::Key)
Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

class KeysTest : public WindowTest {
    Q_OBJECT

    QPlainTextEdit* memo() { return m_form->EditorMemo; }
    int historySteps() { return m_form->openDocument()->undoStack().index(); }
    QAction* action(const char* name) { return find<QAction>(name); }
    QString focusName() {
        QWidget* focused = QApplication::focusWidget();
        return focused ? focused->objectName() : QString();
    }
    // A key pressed where the focus is, as the user presses it.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : m_form.get(), key, modifiers);
    }
    // Typed key by key; letters beyond ASCII come as a keyboard layout sends them.
    void typeText(const QString& text) {
        for (const QChar c : text) {
            QWidget* focused = QApplication::focusWidget();
            if (c.unicode() < 0x80)
                QTest::keyClick(focused, static_cast<char>(c.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, focused, Qt::Key(c.toUpper().unicode()),
                                    QString(c), Qt::NoModifier);
        }
    }
    void showWindow() {
        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }
    TMainForm& openWithReference() {
        TMainForm& form = openCsf(kDocument);
        WriteCsf(path("orig.csf"), kReference);
        [&] { QVERIFY(form.workbench()->openReference(path("orig.csf"), 1)); }();
        return form;
    }
    // Shows string `name` in the grid and the editor.
    void showString(const char* name) {
        const TText* text = StringNamed(*m_form, name);
        QVERIFY(text);
        const int index = static_cast<int>(text - m_form->currentDocument()->Body.data());
        const QString category = QString::fromLatin1(name).section(QLatin1Char(':'), 0, 0);
        const auto items = m_form->CatsListBox->findItems(category, Qt::MatchStartsWith);
        QVERIFY(!items.isEmpty());
        m_form->CatsListBox->setCurrentItem(items.front());
        const int row = m_form->rowShowing(index);
        QVERIFY(row >= 0);
        m_form->StringsGrid->setCurrentIndex(m_form->Strings->index(row, 0));
    }

private slots:
    void initTestCase() { prepareFolders(); }
    void init() {
        ForgetRememberedWindow();
        Settings::setWrapLongValues(false);
    }

    void copyReferencePutsTheReferenceValueInTheValueBoxAsTypedText_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("valueNumber");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("applied");
        QTest::newRow("one line") << "GUI:OK" << 1 << "OK original"
                                  << "OK original";
        // The carriage return stays one: the box shows it as a sign and gives it back.
        QTest::newRow("line breaks")
            << "GUI:Cancel" << 1 << QStringLiteral("Line one\u240D\nLine two")
            << "Line one\r\nLine two";
        QTest::newRow("second value") << "NAME:Jeep" << 2 << "Jeep second"
                                      << "Jeep second";
    }

    void copyReferencePutsTheReferenceValueInTheValueBoxAsTypedText() {
        QFETCH(QString, name);
        QFETCH(int, valueNumber);
        QFETCH(QString, shown);
        QFETCH(QString, applied);
        TMainForm& form = openWithReference();
        showWindow();
        showString(name.toLatin1().constData());
        form.ValuesSpinEdit->setValue(valueNumber);
        QAction* copy = action("CopyReferenceAction");
        QCOMPARE(copy->shortcut(), Keys(Qt::CTRL | Qt::Key_B));
        QVERIFY(form.Edit->actions().contains(copy));
        QVERIFY(find<QPushButton>("CopyReferenceButton")->isEnabled());

        form.StringsGrid->setFocus();
        press(Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(focusName(), QStringLiteral("EditorMemo"));
        QCOMPARE(memo()->toPlainText(), shown);
        // Typed, not applied: Undo takes back the typing, moving on applies it as one step.
        QCOMPARE(historySteps(), 0);
        QCOMPARE(form.Undo1->text(), QStringLiteral("Undo Typing"));
        press(Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(historySteps(), 1);
        const TText* text = StringNamed(form, name.toLatin1().constData());
        QCOMPARE(text->Values.at(static_cast<std::size_t>(valueNumber - 1)).Value,
                 applied.toStdU16String());
    }

    void copyReferenceIsDisabledWithoutAReferenceString() {
        TMainForm& form = openWithReference();
        showString("NAME:Tank");
        QVERIFY(!action("CopyReferenceAction")->isEnabled());
        QVERIFY(!find<QPushButton>("CopyReferenceButton")->isEnabled());
        action("CopyReferenceAction")->trigger();
        QCOMPARE(memo()->toPlainText(), QStringLiteral("Heavy tank"));
        showString("GUI:OK");
        QVERIFY(action("CopyReferenceAction")->isEnabled());
        form.RussianUIClick();
        QCoreApplication::sendPostedEvents(); // the change of language reaches the workbench
        QCOMPARE(WithoutAccelerator(action("CopyReferenceAction")->text()),
                 QStringLiteral("Копировать оригинал"));
        QCOMPARE(find<QPushButton>("CopyReferenceButton")->toolTip(),
                 QStringLiteral("Вставляет значение оригинала в поле значения (Ctrl+B)"));
        form.EnglishUIClick();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(find<QPushButton>("CopyReferenceButton")->text(),
                 QStringLiteral("Copy reference"));
        form.workbench()->closeReference();
        QVERIFY(!action("CopyReferenceAction")->isEnabled());
    }

    void tabAndShiftTabLeaveTheGridAlongTheTranslatorsWay() {
        TMainForm& form = openWithReference();
        showWindow();
        showString("GUI:OK");
        form.CatsListBox->setFocus();
        // GUI:OK has one value: the value number and Remove value are disabled and skipped.
        const QStringList forward{"FilterCombo",     "StringsGrid",         "StringNameEdit",
                                  "EditorMemo",      "SubStringEdit",       "SaveButton",
                                  "AddValueButton",  "CopyReferenceButton", "InsertButton",
                                  "DeleteButton",    "QuickNameSearchEdit", "QuickStringSearchEdit",
                                  "AddMissingButton"};
        for (const QString& next : forward) {
            press(Qt::Key_Tab);
            QCOMPARE(focusName(), next);
        }
        // The grid's row never moved, and Shift+Tab walks back out of the grid as well.
        QCOMPARE(form.StringsGrid->currentIndex().row(), 0);
        form.StringNameEdit->setFocus();
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(focusName(), QStringLiteral("StringsGrid"));
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(focusName(), QStringLiteral("FilterCombo"));
        QCOMPARE(form.StringsGrid->currentIndex().row(), 0);
    }

    void enterOrF2InTheGridGoesToTheValueBox_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("Return") << Qt::Key_Return << Qt::KeyboardModifiers();
        QTest::newRow("keypad Enter") << Qt::Key_Enter << Qt::KeyboardModifiers(Qt::KeypadModifier);
        QTest::newRow("F2") << Qt::Key_F2 << Qt::KeyboardModifiers();
    }

    void enterOrF2InTheGridGoesToTheValueBox() {
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        TMainForm& form = openCsf(kDocument);
        showWindow();
        showString("GUI:Cancel");
        form.StringsGrid->setFocus();
        press(key, modifiers);
        QCOMPARE(focusName(), QStringLiteral("EditorMemo"));
        // Nothing was edited in the grid itself, and the string shown stays.
        QCOMPARE(form.StringsGrid->findChildren<QLineEdit*>().size(), 0);
        QCOMPARE(form.StringsGrid->currentIndex().row(), 1);
        QCOMPARE(memo()->toPlainText(), QStringLiteral("Cancel"));
        QCOMPARE(historySteps(), 0);
    }

    void f3GoesToTheMatchInTheEditor_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("box");
        QTest::newRow("value") << "vy ta"
                               << "EditorMemo";
        QTest::newRow("name") << "AME:T"
                              << "StringNameEdit";
        QTest::newRow("extra value") << ".wav"
                                     << "SubStringEdit";
    }

    void f3GoesToTheMatchInTheEditor() {
        QFETCH(QString, pattern);
        QFETCH(QString, box);
        openCsf(kDocument);
        showWindow();
        press(Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(focusName(), QStringLiteral("FindPatternEdit"));
        typeText(pattern);
        press(Qt::Key_F3);
        QCOMPARE(focusName(), box);
        QWidget* focused = QApplication::focusWidget();
        const QString selected = box == QStringLiteral("EditorMemo")
                                     ? memo()->textCursor().selectedText()
                                     : qobject_cast<QLineEdit*>(focused)->selectedText();
        QCOMPARE(selected, pattern);
    }

    void resultsChosenInTheListKeepTheFocusInTheList() {
        TMainForm& form = openCsf(kDocument);
        showWindow();
        press(Qt::Key_F, Qt::ControlModifier);
        typeText(QStringLiteral("tank"));
        press(Qt::Key_Return);
        auto* results = find<QTableView>("FindResultsView");
        results->setFocus();
        results->setCurrentIndex(results->model()->index(0, 0));
        press(Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("FindResultsView"));
        QCOMPARE(form.StringNameEdit->text(), QStringLiteral("NAME:Tank"));
    }

    void redoAndSaveAsAnswerTheirUsualKeys_data() {
        QTest::addColumn<QKeySequence>("redo");
        QTest::newRow("Ctrl+Y") << Keys(Qt::CTRL | Qt::Key_Y);
        QTest::newRow("Ctrl+Shift+Z") << Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    }

    void redoAndSaveAsAnswerTheirUsualKeys() {
        QFETCH(QKeySequence, redo);
        TMainForm& form = openCsf(kDocument);
        QVERIFY(form.Redo1->shortcuts().contains(redo));
        QVERIFY(form.Saveas1->shortcuts().contains(Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
        showWindow();
        memo()->setFocus();
        // In the value box the key takes back the box's own undone typing first.
        typeText(QStringLiteral("x"));
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(memo()->toPlainText(), QStringLiteral("OK"));
        QTest::keySequence(QApplication::focusWidget(), redo);
        QCOMPARE(memo()->toPlainText(), QStringLiteral("xOK"));
        memo()->setPlainText(QStringLiteral("changed"));
        press(Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(historySteps(), 1);
        form.StringsGrid->setFocus();
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(historySteps(), 0);
        QTest::keySequence(QApplication::focusWidget(), redo);
        QCOMPARE(historySteps(), 1);
        QCOMPARE(StringNamed(form, "GUI:OK")->Values.at(0).Value, u"changed");

        m_log.files.push_back(FileChoice{path("copy.csf"), 1});
        press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!m_log.saveFilters.isEmpty());
        QCOMPARE(ReadBytes(path("copy.csf")), AsByteArray(Bytes(*form.openDocument())));
    }

    void theDailyLoopRunsOnKeysAloneInBothLanguages_data() {
        QTest::addColumn<bool>("russian");
        QTest::newRow("English") << false;
        QTest::newRow("Russian") << true;
    }

    // Keys: Ctrl+O (the file dialog answers), Ctrl+F, the text to find, F3, the translation,
    // Ctrl+Enter (apply, next string), Ctrl+S.
    void theDailyLoopRunsOnKeysAloneInBothLanguages() {
        QFETCH(bool, russian);
        WriteCsf(path("loop.csf"), kDocument);
        TMainForm& form = newForm();
        if (russian)
            form.RussianUIClick();
        showWindow();
        m_log.files.push_back(FileChoice{path("loop.csf"), 1});
        press(Qt::Key_O, Qt::ControlModifier);
        QVERIFY(form.currentDocument());
        press(Qt::Key_F, Qt::ControlModifier);
        typeText(QStringLiteral("Heavy tank"));
        press(Qt::Key_F3);
        QCOMPARE(focusName(), QStringLiteral("EditorMemo"));
        typeText(QStringLiteral("Тяжёлый танк"));
        press(Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(form.StringNameEdit->text(), QStringLiteral("NAME:Jeep"));
        QCOMPARE(focusName(), QStringLiteral("EditorMemo"));
        press(Qt::Key_S, Qt::ControlModifier);
        QVERIFY2(m_log.errors.isEmpty(), qPrintable(m_log.errors.join('\n')));
        QVERIFY(m_log.questions.isEmpty());
        QCOMPARE(form.ChangesSaved(), 1);
        QCOMPARE(StringNamed(form, "NAME:Tank")->Values.at(0).Value, U("Тяжёлый танк"));
        QCOMPARE(ReadBytes(path("loop.csf")), AsByteArray(Bytes(*form.openDocument())));
        if (russian)
            form.EnglishUIClick();
    }

    void wrapLongValuesIsARememberedViewOption() {
        TMainForm& form = openCsf({{"GUI:Long", {std::u16string(300, u'w')}, ""}});
        QAction* wrap = action("WrapLongValuesAction");
        QVERIFY(find<QMenu>("View")->actions().contains(wrap));
        QVERIFY(wrap->isCheckable());
        QVERIFY(!wrap->isChecked());
        QCOMPARE(memo()->lineWrapMode(), QPlainTextEdit::NoWrap);
        const QModelIndex value = form.Strings->index(0, 1);
        QCOMPARE(value.data(Qt::ToolTipRole).toString(), QString(300, u'w'));

        wrap->trigger();
        QCOMPARE(memo()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(memo()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(value.data(Qt::ToolTipRole).toString().startsWith(QStringLiteral("<p")));
        // A value's markup is shown as text, not read as markup.
        QCOMPARE(form.Strings->index(0, 0).data(Qt::ToolTipRole).toString(),
                 QStringLiteral("GUI:Long"));

        // The next window starts as this one was left, in either language.
        TMainForm& next = newForm();
        QVERIFY(action("WrapLongValuesAction")->isChecked());
        QCOMPARE(next.EditorMemo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        next.RussianUIClick();
        QCoreApplication::sendPostedEvents(); // the change of language reaches every menu
        QCOMPARE(WithoutAccelerator(action("WrapLongValuesAction")->text()),
                 QStringLiteral("Переносить длинные значения"));
        next.EnglishUIClick();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(WithoutAccelerator(action("WrapLongValuesAction")->text()),
                 QStringLiteral("Wrap long values"));
        action("WrapLongValuesAction")->trigger();
        newForm();
        QVERIFY(!action("WrapLongValuesAction")->isChecked());
    }

    void valueMarkupIsEscapedInWrappedTooltips() {
        TMainForm& form = openCsf({{"GUI:Tag", {u"<b>bold</b> & co"}, ""}});
        action("WrapLongValuesAction")->trigger();
        const QString tip = form.Strings->index(0, 1).data(Qt::ToolTipRole).toString();
        QVERIFY2(tip.contains(QStringLiteral("&lt;b&gt;bold&lt;/b&gt; &amp; co")), qPrintable(tip));
    }

    void typedTextOnAStringOnlyInTheReferenceOffersToAddIt_data() {
        QTest::addColumn<QString>("leaving");
        QTest::addColumn<bool>("russian");
        QTest::newRow("Apply, English") << "apply" << false;
        QTest::newRow("Ctrl+Enter, Russian") << "ctrl+enter" << true;
        QTest::newRow("another row, English") << "row" << false;
    }

    void typedTextOnAStringOnlyInTheReferenceOffersToAddIt() {
        QFETCH(QString, leaving);
        QFETCH(bool, russian);
        TMainForm& form = openWithReference();
        if (russian)
            form.RussianUIClick();
        showWindow();
        form.workbench()->filter().setFilter(FilterKind::OnlyInReference);
        const auto items = form.CatsListBox->findItems(QStringLiteral("NAME"), Qt::MatchStartsWith);
        form.CatsListBox->setCurrentItem(items.front());
        QCOMPARE(form.Strings->rows(), 2);
        QCOMPARE(form.StringNameEdit->text(), QStringLiteral("NAME:Boat"));
        QCOMPARE(form.SubStringEdit->text(), QStringLiteral("boat"));
        QVERIFY(memo()->toPlainText().isEmpty());
        memo()->setFocus();
        typeText(QStringLiteral("Bateau"));

        m_log.choices.push_back(0);
        if (leaving == QStringLiteral("apply"))
            form.SaveButtonClick();
        else if (leaving == QStringLiteral("ctrl+enter"))
            press(Qt::Key_Return, Qt::ControlModifier);
        else
            form.StringsGrid->setCurrentIndex(form.Strings->index(1, 0));
        QCOMPARE(m_log.questions.size(), 1);
        QCOMPARE(m_log.questions.constFirst(),
                 (russian
                      ? QStringLiteral("Эта строка есть только в оригинале; сначала добавьте её "
                                       "в документ.")
                      : QStringLiteral("This string is only in the reference table; add it to "
                                       "the document first.")) +
                     QStringLiteral("\n\nNAME:Boat"));
        QCOMPARE(m_log.actions, QStringList{russian ? QStringLiteral("Добавить недостающую")
                                                    : QStringLiteral("Add missing")});
        // Added as Add missing adds it, then the typed value applied: two steps.
        const TText* boat = StringNamed(form, "NAME:Boat");
        QVERIFY(boat);
        QCOMPARE(boat->Values.at(0).Value, u"Bateau");
        QCOMPARE(boat->Values.at(0).ExtraValue, std::string("boat"));
        QCOMPARE(historySteps(), 2);
        QCOMPARE(form.Strings->cellText(0, 1), QStringLiteral("Bateau"));
        QCOMPARE(form.Strings->bodyIndex(0), static_cast<int>(kDocument.size()));
        // Back on the row, it is the document's string: typing there is an ordinary Apply.
        form.StringsGrid->setCurrentIndex(form.Strings->index(0, 0));
        QCOMPARE(memo()->toPlainText(), QStringLiteral("Bateau"));
        memo()->setPlainText(QStringLiteral("Barque"));
        form.SaveButtonClick();
        QCOMPARE(m_log.questions.size(), 1);
        QCOMPARE(historySteps(), 3);

        QUndoStack& history = form.openDocument()->undoStack();
        history.undo();
        history.undo();
        QCOMPARE(StringNamed(form, "NAME:Boat")->Values.at(0).Value, u"Boat");
        history.undo();
        QVERIFY(!StringNamed(form, "NAME:Boat"));
        if (russian)
            form.EnglishUIClick();
    }

    void cancellingTheOfferKeepsTheTypedTextAndTheRow() {
        TMainForm& form = openWithReference();
        form.workbench()->filter().setFilter(FilterKind::OnlyInReference);
        const auto items = form.CatsListBox->findItems(QStringLiteral("NAME"), Qt::MatchStartsWith);
        form.CatsListBox->setCurrentItem(items.front());
        memo()->setPlainText(QStringLiteral("Bateau"));
        m_log.choices = {-1, -1, -1};
        form.StringsGrid->setCurrentIndex(form.Strings->index(1, 0));
        form.SaveButtonClick();
        QVERIFY(!form.moveToString(1));
        QCOMPARE(m_log.questions.size(), 3);
        QCOMPARE(form.StringsGrid->currentIndex().row(), 0);
        QCOMPARE(memo()->toPlainText(), QStringLiteral("Bateau"));
        QCOMPARE(historySteps(), 0);
        QVERIFY(!StringNamed(form, "NAME:Boat"));
        // An untouched row moves on without a question.
        memo()->setPlainText(QString());
        QVERIFY(form.moveToString(1));
        QCOMPARE(m_log.questions.size(), 3);
    }
};

QTEST_MAIN(KeysTest)
#include "KeysTest.moc"
