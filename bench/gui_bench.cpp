// SPDX-License-Identifier: MIT
// The editor window on a CSF table of 1,000,000 labels in 10 categories, without a display.
//
// Usage: gui_bench [LABELS]   (QT_QPA_PLATFORM=offscreen is set when no platform is chosen)
// Output: one line per step, "step: milliseconds (target)", then the peak resident memory of the
// process with the file open against four times the file size. Each step runs once on the real
// TMainForm through the slots its menus and buttons trigger. The table is generated in a child
// process, so the peak memory is the window's alone.
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "BigTable.h"
#include "core/CompiledStrings.h"
#include "core/FileIO.h"
#include "encoding/CodePage.h"
#include "ui/Dialogs.h"
#include "ui/MainForm.h"
#include "ui/StringsModel.h"

namespace {

class SilentDialogs final : public vste::ui::Dialogs {
public:
    void error(QWidget*, const QString& text) override {
        std::fprintf(stderr, "error: %s\n", qPrintable(text));
    }
    bool question(QWidget*, const QString&) override { return false; }
    std::optional<bool> questionWithCancel(QWidget*, const QString&) override { return false; }
    std::optional<vste::ui::FileChoice> openFile(QWidget*, const QStringList&, const QString&,
                                                 int) override {
        return std::nullopt;
    }
    std::optional<vste::ui::FileChoice> saveFile(QWidget*, const QStringList&, const QString&,
                                                 int) override {
        return std::nullopt;
    }
};

void generateTable(const std::string& path, int labels) {
    vste::StoreFileAtomically(path, vste::bench::generateCsf(2024, labels));
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
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !vste::FileExists(path)) {
        std::fprintf(stderr, "could not generate the table\n");
        return 1;
    }

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    vste::SetActiveCodePage(1252);
    vste::ui::TMainForm form(std::make_unique<SilentDialogs>());
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

    timer.restart();
    form.Save1Click();
    report("Save", timer.nsecsElapsed(), 1000);

    const long peakKiB = peakResidentKiB();
    const long fileKiB = static_cast<long>(QFileInfo(QString::fromStdString(path)).size() / 1024);
    std::printf("peak resident memory: %ld KiB (%.2f x the file's %ld KiB; before the open "
                "%ld KiB; target < 4 x) %s\n",
                peakKiB, static_cast<double>(peakKiB) / static_cast<double>(fileKiB), fileKiB,
                baselineKiB, peakKiB < 4 * fileKiB ? "ok" : "HIGH");
    return 0;
}
