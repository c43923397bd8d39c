// SPDX-License-Identifier: MIT
// The editor window on a CSF table of 1,000,000 labels in 10 categories, without a display.
//
// Usage: gui_bench [LABELS]   (QT_QPA_PLATFORM=offscreen is set when no platform is chosen)
// Output: one line per step, "step: milliseconds (target)", then the peak resident memory of the
// process with the file open against four times the file size. Each step runs once on the real
// TMainForm through the slots its menus and buttons trigger. The table is generated in a child
// process, so the peak memory is the window's alone.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "BigTable.h"
#include "core/CompiledStrings.h"
#include "core/FileIO.h"
#include "encoding/CodePage.h"
#include "translation/Tmx.h"
#include "ui/Dialogs.h"
#include "ui/DocumentCommands.h"
#include "ui/FilterBar.h"
#include "ui/FindController.h"
#include "ui/FindPanel.h"
#include "ui/FindResultsModel.h"
#include "ui/MainForm.h"
#include "ui/ProblemsController.h"
#include "ui/ReferenceWorkbench.h"
#include "ui/StringsModel.h"
#include "ui/Suggestions.h"

namespace {

class SilentDialogs final : public vste::ui::Dialogs {
public:
    void error(QWidget*, const QString& text) override {
        std::fprintf(stderr, "error: %s\n", qPrintable(text));
    }
    bool question(QWidget*, const QString&) override { return yes; }
    std::optional<bool> questionWithCancel(QWidget*, const QString&) override { return false; }
    std::optional<vste::ui::FileChoice> openFile(QWidget*, const QString&, const QStringList&,
                                                 const QString&, int) override {
        return std::nullopt;
    }
    std::optional<vste::ui::FileChoice> saveFile(QWidget*, const QString&, const QStringList&,
                                                 const QString&, int) override {
        return std::nullopt;
    }
    bool yes = false; // the answer to every question
};

void generateTable(const std::string& path, int labels) {
    vste::StoreFileAtomically(path, vste::bench::generateCsf(2024, labels));
}

long statusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t length = std::strlen(field);
    while (std::getline(status, line))
        if (line.compare(0, length, field) == 0)
            return std::atol(line.c_str() + length);
    return -1;
}

long currentResidentKiB() {
    return statusKiB("VmRSS:");
}

long peakResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

void report(const char* step, qint64 nanoseconds, double targetMs) {
    const double ms = static_cast<double>(nanoseconds) / 1e6;
    std::printf("%-42s %9.2f ms   (target < %g ms) %s\n", step, ms, targetMs,
                ms < targetMs ? "ok" : "SLOW");
}

} // namespace

// The Suggestions panel against a memory of a million units (every value of the table with a
// translation of its own): the build in the background, then moving to the next string until
// the panel shows its suggestions.
void suggestionsBench(vste::ui::TMainForm& form, const QTemporaryDir& dir) {
    std::vector<vste::TmUnit> units;
    for (const vste::TText& text : form.currentDocument()->Body)
        units.push_back({text.Values[0].Value, text.Values[0].Value + u" (de)"});
    const QString tmx = dir.filePath(QStringLiteral("million.tmx"));
    vste::StoreFileAtomically(tmx.toStdString(), vste::WriteTmx(units, "en", "de"));
    auto& suggestions = *form.findChild<vste::ui::SuggestionsController*>();
    QElapsedTimer timer;
    timer.start();
    suggestions.dock()->show();
    suggestions.setMemoryFiles({tmx});
    while (suggestions.busy())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    std::printf("Suggestions: memory of %zu units built in the background in %.0f ms\n",
                units.size(), static_cast<double>(timer.nsecsElapsed()) / 1e6);
    // A translator reads a string before going on (the panel searches the next one meanwhile);
    // someone paging through goes on at once.
    for (const int readingMs : {300, 0}) {
        qint64 longest = 0;
        for (int k = 0; k < 20; ++k) {
            QElapsedTimer reading;
            reading.start();
            while (reading.elapsed() < readingMs)
                QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            QSignalSpy shown(&suggestions, &vste::ui::SuggestionsController::suggestionsShown);
            timer.restart();
            form.moveToString(1);
            while (shown.isEmpty())
                QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            longest = std::max(longest, timer.nsecsElapsed());
        }
        report(readingMs ? "Suggestions shown after reading a string 0.3 s and moving on"
                         : "Suggestions shown when moving on at once",
               longest, 50);
        std::printf("  (longest of 20 moves to the next string)\n");
    }
    suggestions.setMemoryFiles({});
}

int main(int argc, char* argv[]) {
    const int labels = argc > 1 ? std::atoi(argv[1]) : 1000000;
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("million.csf")).toStdString();
    // The table is built in a child process so that its memory does not count as the window's.
    const pid_t child = fork();
    if (child == 0) {
        generateTable(path, labels);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        !QFileInfo(QString::fromStdString(path)).isFile()) {
        std::fprintf(stderr, "could not generate the table\n");
        return 1;
    }

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    vste::SetActiveCodePage(1252);
    auto silentDialogs = std::make_unique<SilentDialogs>();
    SilentDialogs* dialogs = silentDialogs.get();
    vste::ui::TMainForm form(std::move(silentDialogs));
    form.show();
    QApplication::processEvents();
    const long baselineKiB = peakResidentKiB();

    QElapsedTimer timer;
    timer.start();
    form.openFile(QString::fromStdString(path), 1);
    QApplication::processEvents();
    report("open until the first category is shown", timer.nsecsElapsed(), 2000);
    std::printf("  (%d labels, %d categories, first category %d rows)\n", labels,
                form.CatsListBox->count(), form.Strings->rows());

    timer.restart();
    form.CatsListBox->setCurrentRow(5);
    QApplication::processEvents();
    report("switch to a category of 100,000 strings", timer.nsecsElapsed(), 100);

    timer.restart();
    form.QuickStringSearchEdit->setText(QStringLiteral("absent"));
    report("value search keystroke, no match (all rows)", timer.nsecsElapsed(), 50);
    timer.restart();
    form.QuickNameSearchEdit->setText(QStringLiteral("zz"));
    report("name search keystroke, no match (all rows)", timer.nsecsElapsed(), 50);
    timer.restart();
    form.QuickStringSearchEdit->setText(QStringLiteral("commander commander commander"));
    report("value search keystroke, rare match", timer.nsecsElapsed(), 50);

    form.EditorMemo->setPlainText(QStringLiteral("An edited value"));
    timer.restart();
    form.SaveButtonClick();
    QApplication::processEvents();
    report("Apply changes without renaming", timer.nsecsElapsed(), 10);

    const auto step = [&](const char* name, double targetMs, const auto& action) {
        timer.restart();
        action();
        QApplication::processEvents();
        report(name, timer.nsecsElapsed(), targetMs);
    };
    step("Undo of that Apply", 10, [&] { form.UndoClick(); });
    step("Redo of that Apply", 10, [&] { form.RedoClick(); });
    form.StringNameEdit->setText(form.StringNameEdit->text() + QStringLiteral("_new"));
    step("Insert", 10, [&] { form.InsertButtonClick(); });
    step("Undo of Insert", 10, [&] { form.UndoClick(); });
    step("Delete", 10, [&] { form.DeleteButtonClick(); });
    step("Undo of Delete", 10, [&] { form.UndoClick(); });
    // Ctrl+Enter: what was typed becomes one Apply step and the next string is shown.
    form.EditorMemo->setPlainText(QStringLiteral("Typed before Ctrl+Enter"));
    step("Ctrl+Enter: apply and show the next string", 10,
         [&] { QTest::keyClick(form.EditorMemo, Qt::Key_Return, Qt::ControlModifier); });
    step("Alt+Down: show the next string", 10,
         [&] { QTest::keyClick(form.EditorMemo, Qt::Key_Down, Qt::AltModifier); });
    step("Add value", 10, [&] { form.AddValueButtonClick(); });
    step("Undo of Add value", 10, [&] { form.UndoClick(); });

    // The Problems panel: the whole check at once, then the check after an Apply as the window
    // runs it, in slices between events; the longest of those is how long the window may pause.
    {
        vste::ui::ProblemsController& panel = *form.problems();
        panel.toggleAction()->trigger();
        timer.restart();
        panel.finishNow();
        report("Problems panel: whole check at once", timer.nsecsElapsed(), 1000);
        form.EditorMemo->setPlainText(QStringLiteral("Edited again"));
        form.SaveButtonClick();
        QElapsedTimer total;
        total.start();
        qint64 longest = 0;
        while (panel.isChecking()) {
            timer.restart();
            QApplication::processEvents();
            longest = std::max(longest, timer.nsecsElapsed());
        }
        report("Problems panel: check after Apply (total)", total.nsecsElapsed(), 2000);
        report("Problems panel: longest pause of the window", longest, 200);
        panel.toggleAction()->trigger();
    }

    timer.restart();
    form.Save1Click();
    report("Save (with the check of what it would lose)", timer.nsecsElapsed(), 1000);

    // The history of 10,000 Applies: only what each changed is kept.
    const long beforeApplies = currentResidentKiB();
    for (int n = 0; n < 10000; ++n) {
        form.EditorMemo->setPlainText(QStringLiteral("Value number %1").arg(n));
        form.SaveButtonClick();
    }
    std::printf("history of 10,000 Applies: %ld KiB more resident memory (target < 10240 KiB)\n",
                currentResidentKiB() - beforeApplies);

    // The window's own peak, before a second table is read for the import.
    const long peakKiB = peakResidentKiB();

    // Import of a table of as many labels, all matching: one step, and one step back.
    {
        bool singleByte = false;
        vste::NullProgress progress;
        auto source = vste::TCompiledStrings::CreateFromFile(path, progress, singleByte);
        timer.restart();
        form.openDocument()->push(
            new vste::ui::ImportCommand(*form.openDocument(), std::move(source), progress));
        report("import of the whole table (document only)", timer.nsecsElapsed(), 1000);
        timer.restart();
        form.openDocument()->undoStack().undo();
        report("undo of that import (document only)", timer.nsecsElapsed(), 1000);
    }

    // Find and Replace, and the quick search by value once its column is folded.
    form.CatsListBox->setCurrentRow(5);
    QApplication::processEvents();
    form.QuickStringSearchEdit->setText(QStringLiteral("absen"));
    timer.restart();
    form.QuickStringSearchEdit->setText(QStringLiteral("absent"));
    report("value search keystroke, no match, next key", timer.nsecsElapsed(), 20);
    vste::ui::FindController& find = *form.findController();
    vste::ui::FindPanel& panel = *find.panel();
    find.showPanel();
    const auto findAll = [&](const char* pattern, bool regex, const char* name, double targetMs) {
        panel.PatternEdit->setText(QString::fromLatin1(pattern));
        panel.RegexBox->setChecked(regex);
        timer.restart();
        panel.FindAllButton->click();
        while (find.results()->rows() < 100 && find.busy())
            QApplication::processEvents();
        const qint64 first = timer.nsecsElapsed();
        while (find.busy())
            QApplication::processEvents();
        report(name, timer.nsecsElapsed(), targetMs);
        std::printf("  (%d matches; the first 100 listed after %.1f ms, target < 100 ms)\n",
                    find.results()->rows(), static_cast<double>(first) / 1e6);
    };
    findAll("commander", false, "Find all of a word in the window", 1000);
    findAll("command(er|s)\\b", true, "Find all of a regular expression in the window", 2000);
    panel.InValuesBox->setChecked(false);
    panel.InExtrasBox->setChecked(false);
    panel.PatternEdit->setText(QStringLiteral("Label1"));
    panel.RegexBox->setChecked(false);
    panel.ReplacementEdit->setText(QStringLiteral("Text1"));
    dialogs->yes = true;
    step("Replace all of 111,111 names (renames)", 1000, [&] {
        bool replaced = false;
        QObject::connect(&find, &vste::ui::FindController::replaceAllFinished, &find,
                         [&] { replaced = true; });
        panel.ReplaceAllButton->click();
        while (!replaced)
            QApplication::processEvents();
    });
    step("Undo of that Replace all", 1000, [&] { form.UndoClick(); });

    const long fileKiB = static_cast<long>(QFileInfo(QString::fromStdString(path)).size() / 1024);
    std::printf("peak resident memory: %ld KiB (%.2f x the file's %ld KiB; before the open "
                "%ld KiB; target < 4 x) %s\n",
                peakKiB, static_cast<double>(peakKiB) / static_cast<double>(fileKiB), fileKiB,
                baselineKiB, peakKiB < 4 * fileKiB ? "ok" : "HIGH");

    // The same table opened as the reference beside the document: what the reference adds to
    // the open, and a switch of the filter on a category of 100,000 strings.
    step("open the table as reference (added to the open)", 1000,
         [&] { form.workbench()->openReference(QString::fromStdString(path), 1); });
    form.CatsListBox->setCurrentRow(5);
    QApplication::processEvents();
    step("filter switch to Untranslated (100,000 rows)", 100,
         [&] { form.workbench()->filter().setFilter(vste::ui::FilterKind::Untranslated); });
    step("filter switch back to All (100,000 rows)", 100,
         [&] { form.workbench()->filter().setFilter(vste::ui::FilterKind::All); });
    suggestionsBench(form, dir);
    return 0;
}
