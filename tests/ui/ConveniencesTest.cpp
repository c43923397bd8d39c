// SPDX-License-Identifier: MIT
// The everyday conveniences of the window: File > New, Recent files, dropped files, the window
// that comes back where it was, keyboard access and pictures for scaled screens.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <set>

#include "UiTestSupport.h"
#include "core/FileIO.h"
#include "encoding/CodePage.h"
#include "formats/Registry.h"
#include "ui/HighDpi.h"
#include "ui/KeyboardAccess.h"
#include "ui/MainForm.h"
#include "ui/RecentFiles.h"

using namespace vste;
using namespace vste::ui;
using namespace vste::ui::test;

namespace {

const std::vector<Entry> kTable = {
    {"GUI:OK", {u"OK"}, ""}, {"NAME:Tank", {u"Tank"}, ""}, {"TXT:Hello", {u"Hello"}, ""}};

std::unique_ptr<TWestwoodStrings> Read(const QString& path) {
    NullProgress progress;
    return ReadDocumentFile(DocumentFormat::CSF, path.toStdString(), progress).document;
}

} // namespace

class ConveniencesTest : public WindowTest {
    Q_OBJECT

    QAction* action(const char* name) { return find<QAction>(name); }
    // Leaves the open document with one unsaved change.
    void changeSomething() {
        find<QPlainTextEdit>("EditorMemo")->setPlainText(QStringLiteral("changed"));
        m_form->SaveButtonClick();
        QCOMPARE(m_form->ChangesSaved(), 0);
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void init() {
        StoredSettings().clear();
        Settings::setOptionsFolders(m_dir.path(), m_dir.path());
        SetActiveCodePage(1252);
        WriteCsf(path("t.csf"), kTable);
    }

    void cleanup() { m_form.reset(); }

    void newGivesAnEmptyUnicodeTableThatTakesAnInsertAndIsSavedUnderAChosenName() {
        TMainForm& form = newForm();
        form.openFile(path("t.csf"), 1);
        changeSomething();
        m_log.answers = {false};
        action("New1")->trigger();
        QCOMPARE(m_log.questions.size(), 1);

        const TWestwoodStrings& table = *form.currentDocument();
        QVERIFY(table.Body.empty());
        QCOMPARE(table.Version, 3);
        QCOMPARE(table.Language, 0);
        QCOMPARE(form.CyrillicAnsiMode(), 0);
        QCOMPARE(form.ChangesSaved(), 1);
        QVERIFY(form.windowTitle().contains(QStringLiteral("Untitled")));
        QVERIFY(action("Save1")->isEnabled());

        find<QLineEdit>("StringNameEdit")->setText(QStringLiteral("GUI:First"));
        find<QPlainTextEdit>("EditorMemo")->setPlainText(QStringLiteral("Привет"));
        find<QPushButton>("InsertButton")->click();
        QCOMPARE(form.currentDocument()->Body.size(), 1u);
        QCOMPARE(find<QListWidget>("CatsListBox")->count(), 1);

        // Save asks for a name; the saved file is where later saves go.
        m_log.files = {FileChoice{path("new"), 1}};
        action("Save1")->trigger();
        const auto saved = Read(path("new.csf"));
        QCOMPARE(saved->Body.at(0).Name, std::string("GUI:First"));
        QCOMPARE(saved->Body.at(0).Values.at(0).Value, U("Привет"));
        QCOMPARE(form.ChangesSaved(), 1);
        changeSomething();
        action("Save1")->trigger();
        QCOMPARE(Read(path("new.csf"))->Body.at(0).Values.at(0).Value, U("changed"));
        QVERIFY(m_log.errors.isEmpty());
    }

    void recentFilesKeepTheLastTenOpenedOrSavedNewestFirstAcrossRuns() {
        TMainForm& form = newForm();
        QVERIFY(!find<QMenu>("RecentFilesMenu")->menuAction()->isEnabled());
        for (int i = 1; i <= 12; ++i) {
            const QString name = path(QStringLiteral("f%1.csf").arg(i));
            WriteCsf(name, kTable);
            form.openFile(name, 1);
        }
        form.openFile(path("f5.csf"), 1); // once only, moved to the top
        m_log.files = {FileChoice{path("copy.str"), 2}};
        action("Saveas1")->trigger();
        QList<Settings::RecentFile> files = form.recentFiles()->files();
        QCOMPARE(files.size(), RecentFiles::kLimit);
        QCOMPARE(files.at(0).path, path("copy.str"));
        QCOMPARE(files.at(0).format, 2);
        QCOMPARE(files.at(1).path, path("f5.csf"));
        QCOMPARE(files.at(2).path, path("f12.csf"));
        QCOMPARE(files.last().path, path("f4.csf"));

        // The next run shows the same list and reopens from it.
        newForm();
        // A long path is shortened in its middle; the tooltip names it whole.
        const QString shown = QDir::toNativeSeparators(path("f5.csf"));
        QVERIFY(action("RecentFile2")->text().startsWith(QStringLiteral("&2. ")));
        QVERIFY(action("RecentFile2")->text().endsWith(QStringLiteral("f5.csf")));
        QCOMPARE(action("RecentFile2")->toolTip(), shown);
        QVERIFY(!action("RecentFile10")->text().isEmpty() && action("RecentFile10")->isVisible());
        action("RecentFile2")->trigger();
        QCOMPARE(m_form->openDocument()->fileName(), path("f5.csf"));

        // A file that is gone is dropped with a message naming it.
        QVERIFY(QFile::remove(path("f12.csf")));
        action("RecentFile3")->trigger();
        QCOMPARE(m_log.errors.size(), 1);
        QVERIFY(m_log.errors.at(0).contains(QDir::toNativeSeparators(path("f12.csf"))));
        files = m_form->recentFiles()->files();
        QCOMPARE(files.size(), RecentFiles::kLimit - 1);
        QVERIFY(std::none_of(files.begin(), files.end(),
                             [&](const auto& f) { return f.path == path("f12.csf"); }));
        QCOMPARE(m_form->openDocument()->fileName(), path("f5.csf"));

        action("ClearRecentFiles")->trigger();
        QVERIFY(m_form->recentFiles()->files().isEmpty());
        QVERIFY(!find<QMenu>("RecentFilesMenu")->menuAction()->isEnabled());
        QVERIFY(Settings::recentFiles().isEmpty());
    }

    void droppedFilesOpenThroughTheOpenRoutineFirstOnly() {
        TMainForm& form = newForm();
        form.openFile(path("t.csf"), 1);
        changeSomething();
        WriteFormat(path("a.str"), 2, kTable);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path("a.str")), QUrl::fromLocalFile(path("t.csf"))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&form, &enter);
        QVERIFY(enter.isAccepted());

        m_log.answers = {false};
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&form, &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(m_log.questions.size(), 1);
        QCOMPARE(form.openDocument()->fileName(), path("a.str"));
        QCOMPARE(form.documentFormat(), DocumentFormat::STR);
        QVERIFY(form.statusText().contains(QStringLiteral("2")));
        QVERIFY(form.statusText().contains(QStringLiteral("a.str")));

        // Text boxes hand dropped files to the window instead of pasting their paths.
        QMimeData one;
        one.setUrls({QUrl::fromLocalFile(path("t.csf"))});
        QWidget* memo = find<QPlainTextEdit>("EditorMemo")->viewport();
        QDragEnterEvent memoEnter(QPoint(5, 5), Qt::CopyAction, &one, Qt::LeftButton, {});
        QApplication::sendEvent(memo, &memoEnter);
        QDropEvent onMemo(QPointF(5, 5), Qt::CopyAction, &one, Qt::LeftButton, {});
        QApplication::sendEvent(memo, &onMemo);
        QCOMPARE(form.openDocument()->fileName(), path("t.csf"));
        QVERIFY(
            !find<QPlainTextEdit>("EditorMemo")->toPlainText().contains(QStringLiteral("file:")));
    }

    void theWindowComesBackWhereItWasWithEachFilesCategory() {
        TMainForm& form = newForm();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.setGeometry(40, 50, 900, 700);
        find<QSplitter>("Splitter1")->setSizes({300, 560});
        const QList<int> sizes = find<QSplitter>("Splitter1")->sizes();
        form.openFile(path("t.csf"), 1);
        find<QListWidget>("CatsListBox")->setCurrentRow(2); // a click of the user
        QVERIFY(form.close());

        TMainForm& again = newForm();
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QCOMPARE(again.size(), QSize(900, 700));
        QCOMPARE(find<QSplitter>("Splitter1")->sizes(), sizes);
        again.openFile(path("t.csf"), 1);
        QCOMPARE(find<QListWidget>("CatsListBox")->currentItem()->text(), QStringLiteral("TXT"));
        QCOMPARE(find<QLineEdit>("StringNameEdit")->text(), QStringLiteral("TXT:Hello"));

        again.showMaximized();
        QTRY_VERIFY(again.isMaximized());
        QVERIFY(again.close());
        TMainForm& third = newForm();
        third.show();
        QVERIFY(third.isMaximized());
    }

    void everyMenuAndItemHasItsOwnAcceleratorInBothLanguages() {
        TMainForm& form = newForm();
        form.openFile(path("t.csf"), 1);
        for (const bool russian : {false, true}) {
            action(russian ? "RussianUI" : "EnglishUI")->trigger();
            QTest::qWait(20);
            QList<QList<QAction*>> lists{form.menuBar()->actions()};
            for (QMenu* menu : form.menuBar()->findChildren<QMenu*>()) {
                emit menu->aboutToShow();
                if (menu->objectName() != QStringLiteral("OpenFavorite"))
                    lists << menu->actions();
            }
            for (const QList<QAction*>& actions : lists) {
                std::set<QChar> letters;
                for (const QAction* item : actions) {
                    if (item->isSeparator() || item->text().isEmpty())
                        continue;
                    const QChar letter = AcceleratorOf(item->text());
                    if (letter.isNull()) {
                        // Only when every letter of the caption is taken (long numbered lists).
                        for (const QChar c : item->text())
                            QVERIFY2(!c.isLetterOrNumber() || letters.count(c.toLower()),
                                     qPrintable(item->text()));
                        continue;
                    }
                    QVERIFY2(letters.insert(letter).second, qPrintable(item->text()));
                }
            }
        }
        QCOMPARE(WithoutAccelerator(find<QMenu>("RecentFilesMenu")->title()),
                 QStringLiteral("Недавние файлы"));
        action("New1")->trigger();
        QCOMPARE(form.statusText(), QStringLiteral("Создан новый файл"));
        action("EnglishUI")->trigger();
    }

    void standardShortcutsTabOrderAndCtrlEnterApply() {
        TMainForm& form = newForm();
        QCOMPARE(action("New1")->shortcut(), QKeySequence(QKeySequence::New));
        // Save as has Ctrl+Shift+S even where the platform names no key for it.
        QCOMPARE(action("Saveas1")->shortcuts().constFirst(),
                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
        QCOMPARE(action("Exit1")->shortcut(), QKeySequence(QKeySequence::Quit));

        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.openFile(path("t.csf"), 1);
        QWidget* widget = find<QWidget>("StringNameEdit");
        const QStringList chain{"EditorMemo",     "SubStringEdit",  "SaveButton",
                                "ValuesSpinEdit", "AddValueButton", "RemoveValueButton",
                                "InsertButton",   "DeleteButton"};
        for (const QString& next : chain) {
            widget = widget->nextInFocusChain();
            // Skips the parts of compound widgets, such as the spin box's own edit box.
            while (widget->focusPolicy() == Qt::NoFocus || !widget->isVisible() ||
                   widget->objectName().startsWith(QStringLiteral("qt_")))
                widget = widget->nextInFocusChain();
            QCOMPARE(widget->objectName(), next);
        }

        auto* memo = find<QPlainTextEdit>("EditorMemo");
        memo->setFocus();
        memo->setPlainText(QStringLiteral("typed"));
        QTest::keyClick(memo, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(form.currentDocument()->Body.at(0).Values.at(0).Value, U("typed"));
        QCOMPARE(form.ChangesSaved(), 0);
    }

    void picturesAreDoubledForScreensScaledTo200Percent() {
        for (const char* name : {":/icons/vste-banner.png", ":/icons/vste-100.png"}) {
            const QPixmap plain = SharpPixmap(QString::fromLatin1(name), 1.0);
            const QPixmap sharp = SharpPixmap(QString::fromLatin1(name), 2.0);
            QCOMPARE(sharp.size(), plain.size() * 2);
            QCOMPARE(sharp.deviceIndependentSize().toSize(), plain.size());
        }
        const QList<QSize> sizes = ApplicationIcon().availableSizes();
        for (const int side : {16, 32, 48, 64, 128, 256})
            QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
    }
};

QTEST_MAIN(ConveniencesTest)
#include "ConveniencesTest.moc"
