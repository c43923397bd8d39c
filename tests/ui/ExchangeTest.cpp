// SPDX-License-Identifier: MIT
// File > Export and File > Import translation: every format through the dialogs, the reference,
// one undo step with its report in both languages, bad files and Cancel that change nothing.
#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <random>

#include "UiTestSupport.h"
#include "core/CompiledStrings.h"
#include "encoding/CodePage.h"
#include "ui/ExchangeController.h"
#include "ui/MainForm.h"

using namespace vste;
using namespace vste::ui;
using namespace vste::ui::test;

namespace {

const std::vector<Entry> kTable = {
    {"GUI:OK", {u"OK"}, ""},
    {"GUI:Multi", {u"first", u"second"}, ""},
    {"NAME:Tank", {u"Heavy tank"}, "tank"},
};

// Values that quoting, escaping and spreadsheets get wrong.
std::vector<Entry> TrickyTable(std::uint32_t seed) {
    const std::u16string pieces[] = {u"a,b",    u"\"q\"",         u"\r", u"\n",      u"\r\n",
                                     u"\t",     u"=1+2",          u"+x", u"-y",      u"@z",
                                     u" edge ", u"\u00e9t\u00e9", u"",   u"msgctxt", u"\\n"};
    std::mt19937 rng(seed);
    std::vector<Entry> entries;
    for (int i = 0; i < 40; ++i) {
        entries.push_back(
            {"GUI:S_" + std::to_string(i), std::vector<std::u16string>(1 + rng() % 3), ""});
        for (std::u16string& value : entries.back().values)
            for (std::uint32_t n = rng() % 4; n > 0; --n)
                value += pieces[rng() % std::size(pieces)];
    }
    return entries;
}

void WriteCsv(const QString& path, const char* rows) {
    WriteBytes(path, QByteArray("\xEF\xBB\xBFname,index,reference,value,extra\r\n") + rows);
}

} // namespace

class ExchangeTest : public WindowTest {
    Q_OBJECT

    TMainForm& open(const std::vector<Entry>& entries) { return openCsf(entries); }
    ExchangeController& exchange() { return *m_form->exchange(); }
    // Chooses `fileName` in the next file dialog and triggers the item as a click does.
    bool run(QAction* action, const QString& fileName, int filterIndex) {
        m_log.files.push_back(FileChoice{fileName, filterIndex});
        emit m_form->File1->aboutToShow();
        if (!action->isEnabled())
            return false;
        action->trigger();
        return QTest::qWaitFor([this] { return !exchange().busy(); }, 30000);
    }
    bool exportTo(const QString& fileName, int filterIndex) {
        return run(exchange().exportAction(), fileName, filterIndex);
    }
    bool importFrom(const QString& fileName, int filterIndex = 1) {
        return run(exchange().importAction(), fileName, filterIndex);
    }
    QString report() { return exchange().reportBox() ? exchange().reportBox()->text() : QString(); }

private slots:
    void initTestCase() { prepareFolders(); }

    // Every filter writes its format (the extension is added when missing), and importing the
    // untouched file back changes nothing and adds no step.
    void everyExportFormatComesBackUnchanged() {
        const std::uint32_t seed = std::random_device{}();
        const QString where = QStringLiteral("seed %1").arg(seed);
        TMainForm& form = open(TrickyTable(seed));
        const std::vector<std::uint8_t> before = Bytes(*form.openDocument());
        const char* names[] = {"comma", "semicolon.csv", "book", "t.pot", "t.xliff"};
        const char* written[] = {"comma.csv", "semicolon.csv", "book.xlsx", "t.pot", "t.xliff"};
        for (int filter = 1; filter <= 5; ++filter) {
            QVERIFY2(exportTo(path(names[filter - 1]), filter), qPrintable(where));
            const QString file = path(written[filter - 1]);
            QVERIFY2(QFileInfo::exists(file), qPrintable(file));
            QVERIFY(importFrom(file));
            QVERIFY2(m_log.errors.isEmpty(), qPrintable(m_log.errors.join('\n')));
            QVERIFY2(report().startsWith(QStringLiteral("Updated: 0\nUnchanged: 40\n")),
                     qPrintable(where + QLatin1Char(' ') + file + QLatin1Char(' ') + report()));
            QCOMPARE(form.openDocument()->undoStack().count(), 0);
            QVERIFY2(Bytes(*form.openDocument()) == before, qPrintable(where));
        }
        QVERIFY(ReadBytes(path("semicolon.csv")).contains("name;index;reference;value;extra"));
    }

    void exportTakesTheSourceTextFromTheReference() {
        TMainForm& form = open(kTable);
        TCompiledStrings reference;
        reference.Body.resize(1);
        reference.Body[0].Name = "gui:ok"; // names match ignoring case
        reference.Body[0].Values = {{kValueTagV3, u"Okay", {}}};
        form.exchange()->setReference(&reference);
        QVERIFY(exportTo(path("ref.po"), 4));
        QVERIFY(ReadBytes(path("ref.po"))
                    .contains("msgctxt \"GUI:OK\"\nmsgid \"Okay\"\nmsgstr \"OK\""));
        form.exchange()->setReference(nullptr);
        QVERIFY(exportTo(path("noref.po"), 4));
        QVERIFY(
            ReadBytes(path("noref.po")).contains("msgctxt \"GUI:OK\"\nmsgid \"OK\"\nmsgstr \"\""));
    }

    // Changed values, an added value, a missing name, a value the string does not have and a value
    // the single-byte code page cannot hold: one step, undone and redone whole, reported in
    // English and Russian.
    void importIsOneStepWithItsReportInBothLanguages() {
        TMainForm& form = open(kTable);
        form.Cyrillics1Click(); // values are saved in code page 1252 from now on
        OpenDocument& document = *form.openDocument();
        QVERIFY(document.ansiMode());
        const std::vector<std::uint8_t> before = Bytes(document);
        const int steps = document.undoStack().count();
        WriteCsv(path("in.csv"), "gui:multi,2,,zweite,\r\n"
                                 "GUI:Multi,3,,dritte,\r\n"
                                 "NAME:Tank,1,,Panzer,heavy\r\n"
                                 "GUI:OK,1,,\xD0\x96,\r\n"
                                 "GUI:Gone,1,,x,\r\n"
                                 "GUI:Multi,9,,gap,\r\n");
        QVERIFY(importFrom(path("in.csv")));
        QVERIFY2(m_log.errors.isEmpty(), qPrintable(m_log.errors.join('\n')));
        QCOMPARE(report(), QStringLiteral("Updated: 2\nUnchanged: 0\nNot found: 1\nRefused: 1"));
        QVERIFY(exchange().reportBox()->detailedText().contains(QStringLiteral("GUI:Gone")));
        QVERIFY(exchange().reportBox()->detailedText().contains(
            QStringLiteral("no such value:\nGUI:Multi, value 9")));
        QCOMPARE(document.undoStack().count(), steps + 1);
        const TText& multi = document.document().Body[1];
        QCOMPARE(multi.ValueCount(), 3u);
        QVERIFY(multi.Values[1].Value == u"zweite" && multi.Values[2].Value == u"dritte");
        QVERIFY(document.document().Body[2].Values[0].ExtraValue == "heavy");
        const std::vector<std::uint8_t> after = Bytes(document);

        form.RussianUIClick();
        QCoreApplication::processEvents();
        QCOMPARE(form.Undo1->text(), QStringLiteral("Отменить: Импорт перевода"));
        QCOMPARE(report(),
                 QStringLiteral("Обновлено: 2\nБез изменений: 0\nНе найдено: 1\nОтклонено: 1"));
        QVERIFY(exchange().reportBox()->detailedText().contains(
            QStringLiteral("нет такого значения:\nGUI:Multi, значение 9")));
        QCOMPARE(exchange().importAction()->text(), QStringLiteral("Импорт перевода..."));
        form.EnglishUIClick();

        form.UndoClick();
        QVERIFY(Bytes(document) == before);
        form.RedoClick();
        QVERIFY(Bytes(document) == after);
    }

    void badFilesShowTheReadersErrorAndChangeNothing() {
        TMainForm& form = open(kTable);
        const std::vector<std::uint8_t> before = Bytes(*form.openDocument());
        WriteCsv(path("broken.csv"), "GUI:OK,1,,\"open quote,\r\n");
        WriteBytes(path("broken.po"), "msgctxt \"GUI:OK\"\nmsgid \"OK\nmsgstr \"\"\n");
        WriteBytes(path("fake.xlsx"), "not a zip");
        WriteBytes(path("table.txt"), "name,index,value\n");
        const struct {
            const char* file;
            const char* expected;
        } cases[] = {{"broken.csv", "broken.csv\", line 2"},
                     {"broken.po", "broken.po\", line 2"},
                     {"fake.xlsx", "fake.xlsx"},
                     {"table.txt", "from its extension (.csv, .xlsx, .po, .pot, .xlf, .xliff)"},
                     {"missing.po", "does not exist"}};
        for (const auto& c : cases) {
            m_log.errors.clear();
            QVERIFY(importFrom(path(c.file)));
            QCOMPARE(m_log.errors.size(), 1);
            QVERIFY2(m_log.errors[0].contains(QString::fromUtf8(c.expected)),
                     qPrintable(m_log.errors[0]));
            QCOMPARE(form.openDocument()->undoStack().count(), 0);
            QVERIFY(Bytes(*form.openDocument()) == before);
        }
        // The dialog's first filter takes every exchange extension.
        QVERIFY(m_log.openFilters.contains(
            QStringLiteral("Exchange files|*.csv; *.xlsx; *.po; *.pot; *.xlf; *.xliff")));
    }

    void cancelledImportChangesNothing() {
        TMainForm& form = open(kTable);
        WriteCsv(path("in.csv"), "GUI:OK,1,,Changed,\r\n");
        m_log.files.push_back(FileChoice{path("in.csv"), 1});
        emit form.File1->aboutToShow();
        exchange().importAction()->trigger();
        QVERIFY(exchange().busy());
        QVERIFY(!exchange().importAction()->isEnabled());
        exchange().progressBox()->cancel();
        QTRY_VERIFY_WITH_TIMEOUT(!exchange().busy(), 30000);
        QCOMPARE(form.openDocument()->undoStack().count(), 0);
        QVERIFY(form.openDocument()->document().Body[0].Values[0].Value == u"OK");
        QVERIFY(exchange().importAction()->isEnabled());
    }
};

QTEST_MAIN(ExchangeTest)
#include "ExchangeTest.moc"
