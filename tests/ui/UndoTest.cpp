// SPDX-License-Identifier: MIT
// The history of the open document: Undo and Redo in the window, the unsaved state and its
// marker, the prompts that can be cancelled, commands enabled from the format table, and random
// command sequences that must come back to the very bytes they started from.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>
#include <random>

#include "UiTestSupport.h"
#include "core/CompiledStrings.h"
#include "encoding/CodePage.h"
#include "formats/Registry.h"
#include "ui/DocumentCommands.h"
#include "ui/MainForm.h"
#include "ui/StringsModel.h"

using namespace vste;
using namespace vste::ui;
using namespace vste::ui::test;

namespace {

const std::vector<Entry> kTable = {
    {"GUI:OK", {u"OK"}, ""},
    {"GUI:Multi", {u"first", u"second"}, ""},
    {"NAME:Tank", {u"Heavy tank"}, "tank"},
};

} // namespace

class UndoTest : public WindowTest {
    Q_OBJECT

    TMainForm& openTable(int version = 3) { return openCsf(kTable, "t.csf", version); }
    void type(const char* memo) { find<QPlainTextEdit>("EditorMemo")->setPlainText(memo); }

private slots:
    void init() { ForgetRememberedWindow(); }

    void initTestCase() { prepareFolders(); }

    void undoAndRedoItemsNameTheStepInBothLanguages() {
        TMainForm& form = openTable();
        QAction* undo = find<QAction>("Undo1");
        QAction* redo = find<QAction>("Redo1");
        QCOMPARE(undo->shortcuts(), QKeySequence::keyBindings(QKeySequence::Undo));
        QCOMPARE(redo->shortcuts(), QKeySequence::keyBindings(QKeySequence::Redo));
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        QCOMPARE(undo->text(), QStringLiteral("Undo"));
        QVERIFY(form.windowTitle().endsWith(path("t.csf") + "[*]"));
        QVERIFY(!form.isWindowModified());

        type("changed");
        form.SaveButtonClick();
        QVERIFY(undo->isEnabled() && !redo->isEnabled());
        QCOMPARE(undo->text(), QStringLiteral("Undo Apply Changes"));
        QVERIFY(form.isWindowModified());
        form.RussianUIClick();
        QCOMPARE(undo->text(), QStringLiteral("Отменить: Применить изменения"));
        form.UndoClick();
        QCOMPARE(redo->text(), QStringLiteral("Повторить: Применить изменения"));
        QVERIFY(!undo->isEnabled() && redo->isEnabled());
        QVERIFY(!form.isWindowModified());
        QCOMPARE(form.ChangesSaved(), 1);
        form.EnglishUIClick();
        QCOMPARE(redo->text(), QStringLiteral("Redo Apply Changes"));

        // Saving makes the present state the unchanged one; undoing past it is a change again.
        form.RedoClick();
        form.Save1Click();
        QVERIFY(!form.isWindowModified());
        form.UndoClick();
        QVERIFY(form.isWindowModified());
        form.RedoClick();
        QVERIFY(!form.isWindowModified());
    }

    void undoShowsTheStringAndValueItTouched() {
        TMainForm& form = openTable();
        find<QLineEdit>("QuickNameSearchEdit")->setText("Multi");
        find<QSpinBox>("ValuesSpinEdit")->setValue(2);
        find<QLineEdit>("StringNameEdit")->setText("NAME:Multi");
        type("2nd");
        form.SaveButtonClick(); // moves the string to another category
        find<QListWidget>("CatsListBox")->setCurrentRow(0);
        form.UndoClick();
        QCOMPARE(find<QListWidget>("CatsListBox")->currentItem()->text(), QStringLiteral("GUI"));
        QCOMPARE(find<QLineEdit>("StringNameEdit")->text(), QStringLiteral("GUI:Multi"));
        QCOMPARE(find<QSpinBox>("ValuesSpinEdit")->value(), 2);
        QCOMPARE(find<QPlainTextEdit>("EditorMemo")->toPlainText(), QStringLiteral("second"));
        form.RedoClick();
        QCOMPARE(find<QListWidget>("CatsListBox")->currentItem()->text(), QStringLiteral("NAME"));
        QCOMPARE(find<QPlainTextEdit>("EditorMemo")->toPlainText(), QStringLiteral("2nd"));
    }

    void everyWindowCommandMarksUnsavedAndUndoesToTheOpenedBytes_data() {
        QTest::addColumn<QString>("command");
        for (const char* c : {"Add value", "Remove value", "Import", "Fargus", "Insert", "Delete",
                              "Version", "Language", "Encoding"})
            QTest::newRow(c) << QString::fromLatin1(c);
    }
    void everyWindowCommandMarksUnsavedAndUndoesToTheOpenedBytes() {
        QFETCH(QString, command);
        TMainForm& form = openTable(2);
        const QByteArray opened = ReadBytes(path("t.csf"));
        find<QLineEdit>("QuickNameSearchEdit")->setText("Multi");
        if (command == "Add value") {
            form.AddValueButtonClick();
        } else if (command == "Remove value") {
            form.RemoveValueButtonClick();
        } else if (command == "Import") {
            WriteCsf(path("source.csf"), {{"gui:ok", {u"Okay", u"Two"}, ""}});
            m_log.files.push_back(FileChoice{path("source.csf"), 1});
            form.ImportFromCSF1Click();
        } else if (command == "Fargus") {
            find<QAction>("DecodeFargus")->trigger();
        } else if (command == "Insert") {
            find<QLineEdit>("StringNameEdit")->setText("GUI:New");
            form.InsertButtonClick();
        } else if (command == "Delete") {
            form.DeleteButtonClick();
        } else if (command == "Version") {
            form.Version3Click();
        } else if (command == "Language") {
            form.LanguageClick(18);
        } else {
            form.Cyrillics1Click(); // plain ASCII was read as Unicode
        }
        QVERIFY2(m_log.errors.isEmpty(), qPrintable(m_log.errors.join(';')));
        QCOMPARE(form.ChangesSaved(), 0);
        const auto edited = Bytes(*form.openDocument());
        m_log.answers.push_back(std::nullopt); // Cancel: the window stays as it was
        QVERIFY(!form.close());
        QCOMPARE(m_log.questions.size(), 1);
        QCOMPARE(form.ChangesSaved(), 0);

        form.UndoClick();
        const auto undone = Bytes(*form.openDocument());
        QCOMPARE(AsByteArray(undone), opened);
        QCOMPARE(form.ChangesSaved(), 1);
        form.RedoClick();
        QVERIFY(Bytes(*form.openDocument()) == edited);
        m_log.answers.push_back(false); // No: close without saving
        QVERIFY(form.close());
        QCOMPARE(ReadBytes(path("t.csf")), opened);
    }

    void cancelBeforeOpeningKeepsTheDocument() {
        TMainForm& form = openTable();
        type("unsaved");
        form.SaveButtonClick();
        WriteCsf(path("other.csf"), {{"X:Y", {u"z"}, ""}});
        m_log.answers.push_back(std::nullopt);
        form.openFile(path("other.csf"), 1);
        QCOMPARE(m_log.questions.size(), 1);
        QVERIFY(m_log.questions.at(0).contains(QStringLiteral("before opening another file")));
        QCOMPARE(form.openDocument()->fileName(), path("t.csf"));
        QCOMPARE(form.ChangesSaved(), 0);
        m_log.answers.push_back(false);
        form.openFile(path("other.csf"), 1);
        QCOMPARE(form.openDocument()->fileName(), path("other.csf"));
        QCOMPARE(form.ChangesSaved(), 1);
        QCOMPARE(ReadBytes(path("t.csf")).contains("unsaved"), false);
    }

    void commandsAreEnabledFromTheFormatTable() {
        for (const FormatInfo& info : Formats()) {
            const QString file = path("f") + QString::number(static_cast<int>(info.id));
            WriteFormat(file, static_cast<int>(info.id), {{"1", {u"a"}, ""}, {"2", {u"b"}, ""}});
            openTable().openFile(file, static_cast<int>(info.id));
            const QString name = QString::fromLatin1(info.shortName.data());
            QVERIFY2(m_log.errors.isEmpty(), qPrintable(name));
            QCOMPARE(find<QPushButton>("InsertButton")->isEnabled(), info.canInsertDelete);
            QCOMPARE(find<QToolButton>("AddValueButton")->isEnabled(), info.severalValues);
            QCOMPARE(find<QLineEdit>("SubStringEdit")->isEnabled(), info.hasExtraValues);
            QCOMPARE(find<QLineEdit>("StringNameEdit")->isEnabled(), info.editableNames);
            QCOMPARE(find<QMenu>("Fileversion1")->menuAction()->isEnabled(),
                     info.versionAndLanguage);
            QCOMPARE(find<QMenu>("Coding")->menuAction()->isEnabled(), info.encodingMode);
            QCOMPARE(find<QAction>("ImportFromCSF1")->isEnabled(), info.importStrings);
            QCOMPARE(find<QMenu>("Setfileasfavorite1")->menuAction()->isEnabled(), info.favorites);
        }
    }

    void clickingTheSelectedCategoryShowsItAgain() {
        TMainForm& form = openTable();
        find<QLineEdit>("QuickNameSearchEdit")->setText("Multi");
        find<QSpinBox>("ValuesSpinEdit")->setValue(2);
        type("two");
        form.SaveButtonClick();
        QCOMPARE(form.Strings->cellText(1, 1), QStringLiteral("two"));
        auto* list = find<QListWidget>("CatsListBox");
        emit list->itemClicked(list->currentItem());
        QCOMPARE(form.Strings->cellText(1, 1), QStringLiteral("first"));
        QCOMPARE(find<QSpinBox>("ValuesSpinEdit")->value(), 1);
    }

    void redoingAddValueLeavesTheGridsValueCellAsItWas() {
        TMainForm& form = openTable();
        form.AddValueButtonClick(); // GUI:OK gets an empty second value
        form.UndoClick();
        form.RedoClick();
        QCOMPARE(form.Strings->cellText(0, 1), QStringLiteral("OK"));
        QCOMPARE(find<QSpinBox>("ValuesSpinEdit")->value(), 2);
    }

    void saveAsStrKeepsItsExtensionBehindALengtheningFolderName() {
        TMainForm& form = openTable();
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("straße")));
        m_log.files.push_back(FileChoice{path("straße/x.csf"), 2});
        form.Saveas1Click();
        QVERIFY(QFileInfo::exists(path("straße/x.str")));
        QVERIFY(!QFileInfo::exists(path("straße/x.csf")));
    }

    // 500 random commands of every kind on generated and corpus tables, with saves between them:
    // a document without unsaved changes always equals what was saved last, undoing everything
    // gives the opened bytes, redoing everything the edited ones.
    void randomCommandsUndoAndRedoExactly_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("format");
        WriteCsf(path("random.csf"), kTable, 2);
        QTest::newRow("generated CSF") << path("random.csf") << 1;
        QDirIterator corpus(QStringLiteral(VSTE_EAW_DIR ""), {QStringLiteral("*.dat")});
        while (corpus.hasNext()) {
            const QString file = corpus.next();
            QTest::newRow(qPrintable(QFileInfo(file).fileName())) << file << 3;
        }
    }
    void randomCommandsUndoAndRedoExactly() {
        QFETCH(QString, file);
        QFETCH(int, format);
        const unsigned seed = std::random_device{}();
        NullProgress progress;
        const FormatInfo& info = GetFormatInfo(static_cast<DocumentFormat>(format));
        OpenDocument document(ReadDocumentFile(info.id, file.toStdString(), progress).document,
                              info, file, false);
        const auto opened = Bytes(document);
        auto saved = opened;
        // The categories the window keeps in step with every change equal a rebuild.
        TCat categories = document.document().GetCategories();
        connect(&document, &OpenDocument::changed, this, [&](const DocumentTouch& touch, bool) {
            KeepCategories(categories, document.document(), touch);
        });
        std::mt19937 random(seed);
        for (int step = 0; step < 500; ++step) {
            pushRandomCommand(document, random, step);
            const unsigned extra = random() % 8;
            if (extra == 0)
                document.undoStack().undo();
            else if (extra == 1)
                document.undoStack().redo();
            else if (extra == 2) {
                document.saveTo(path("random.out"), OpenDocument::Layout::Format, progress);
                saved = Bytes(document);
            }
            if (!document.isModified())
                QVERIFY2(Bytes(document) == saved, qPrintable(QStringLiteral("seed %1").arg(seed)));
            QVERIFY2(categories == document.document().GetCategories(),
                     qPrintable(QStringLiteral("seed %1, step %2").arg(seed).arg(step)));
        }
        document.undoStack().setIndex(document.undoStack().count());
        const auto edited = Bytes(document);
        document.undoStack().setIndex(0);
        QVERIFY2(Bytes(document) == opened, qPrintable(QStringLiteral("seed %1").arg(seed)));
        document.undoStack().setIndex(document.undoStack().count());
        QVERIFY2(Bytes(document) == edited, qPrintable(QStringLiteral("seed %1").arg(seed)));
    }

private:
    static void pushRandomCommand(OpenDocument& document, std::mt19937& random, int step) {
        const TWestwoodStrings& doc = document.document();
        const FormatInfo& info = document.format();
        const auto count = doc.LabelCount();
        const auto i = count == 0 ? 0u : static_cast<std::uint32_t>(random() % count);
        std::string name = "R";
        name += std::to_string(random() % 3);
        name += ':';
        name += std::to_string(step);
        switch (random() % 9) {
        case 0:
        case 1:
            if (count > 0 && !doc.Body[i].Values.empty())
                document.push(MakeApplyCommand(
                                  document, i,
                                  static_cast<std::uint32_t>(random() % doc.Body[i].Values.size()),
                                  random() % 2 ? name : doc.Body[i].Name,
                                  u"v\u0416" + std::u16string(random() % 3, u'x'),
                                  info.hasExtraValues && random() % 2 ? "e" : "")
                                  .release());
            break;
        case 2:
            document.push(new InsertStringCommand(
                document, static_cast<std::uint32_t>(random() % (count + 1)),
                doc.NewString(name, u"new", "")));
            break;
        case 3:
            if (count > 1)
                document.push(new DeleteStringCommand(document, i));
            break;
        case 4:
            if (count > 0 && info.severalValues)
                document.push(new ValueCountCommand(document, i, doc.Body[i].ValueCount() < 2));
            break;
        case 5:
            if (info.versionAndLanguage)
                document.push(new VersionCommand(document, 2 + static_cast<int>(random() % 2)));
            if (info.versionAndLanguage)
                document.push(new LanguageCommand(document, static_cast<int>(random() % 18)));
            break;
        case 6:
            if (info.encodingMode)
                document.push(new EncodingModeCommand(document, !document.ansiMode()));
            break;
        case 7:
            if (info.fargus)
                document.push(new FargusCommand(document, !document.fargusDecoded()));
            break;
        default:
            if (info.importStrings && count > 0) {
                auto source = std::make_unique<TCompiledStrings>();
                source->Body.push_back(source->NewString(doc.Body[i].Name, u"imported", ""));
                static NullProgress progress;
                document.push(new ImportCommand(document, std::move(source), progress));
            }
            break;
        }
    }
};

QTEST_MAIN(UndoTest)
#include "UndoTest.moc"
