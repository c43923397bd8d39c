// SPDX-License-Identifier: MIT
// Scripted dialogs and small document builders for the window tests.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/Model.h"
#include "ui/Dialogs.h"
#include "ui/MainForm.h"
#include "ui/OpenDocument.h"

namespace vste::ui::test {

// Records every message and question; answers questions and file dialogs from queues. An
// unexpected question is answered No, an unexpected file dialog is cancelled, and both are
// recorded so that tests can see them.
class FakeDialogs final : public Dialogs {
public:
    struct Log {
        QStringList errors;
        QStringList questions;
        QStringList openFilters;
        QStringList saveFilters;
        // Each file dialog's caption and the name or folder it started with, in order.
        QStringList fileCaptions;
        QStringList fileStarts;
        // Answers of both kinds of question; empty means Cancel (No where there is no Cancel).
        std::deque<std::optional<bool>> answers;
        std::deque<std::optional<FileChoice>> files;
        // The buttons of the last choose() box besides Cancel, and the indexes it answers (-1:
        // Cancel); without one, it is answered from `answers` (Yes: the first action).
        QStringList actions;
        std::deque<int> choices;
    };

    explicit FakeDialogs(Log& log) : m_log(log) {}
    void error(QWidget*, const QString& text) override { m_log.errors << text; }
    bool question(QWidget*, const QString& text) override;
    std::optional<bool> questionWithCancel(QWidget*, const QString& text) override;
    std::optional<FileChoice> openFile(QWidget*, const QString& caption, const QStringList& filters,
                                       const QString& start, int) override;
    std::optional<FileChoice> saveFile(QWidget*, const QString& caption, const QStringList& filters,
                                       const QString& start, int) override;
    int choose(QWidget*, const QString& text, const QString& details, const QStringList& actions,
               const QString&) override;

private:
    std::optional<FileChoice> next(const QString& caption, const QString& start);
    Log& m_log;
};

struct Entry {
    std::string name;
    std::vector<std::u16string> values;
    std::string extra;
};

// A CSF table of `entries`, written to `path` through the CSF writer.
void WriteCsf(const QString& path, const std::vector<Entry>& entries, int version = 3,
              int language = 0);
// A document of `entries` written in `format` (1..8) through the registry.
void WriteFormat(const QString& path, int format, const std::vector<Entry>& entries);
std::u16string U(const char* utf8);
// The bytes that saving `document` in its own format would store.
std::vector<std::uint8_t> Bytes(const OpenDocument& document);
// The same bytes as a QByteArray, to compare with a file's.
QByteArray AsByteArray(const std::vector<std::uint8_t>& bytes);
QByteArray ReadBytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& data = {});
// Forgets the recent files, the window's layout and the files' last categories, so that every
// test starts from a window that remembers nothing.
// The store the window keeps its settings in (on Windows an INI file of the test program's own).
QSettings StoredSettings();
void ForgetRememberedWindow();

// What the window tests share: a temporary folder that also holds the options file, the log of
// the scripted dialogs, and the window under test. It declares no slots, so Qt Test runs only the
// test class's own.
class WindowTest : public QObject {
protected:
    QTemporaryDir m_dir;
    FakeDialogs::Log m_log;
    std::unique_ptr<TMainForm> m_form;

    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    template <typename T> T* find(const char* name) {
        return m_form->findChild<T*>(QString::fromLatin1(name));
    }
    // A fresh window with fresh dialogs and no document.
    TMainForm& newForm();
    // A fresh window on the CSF file `fileName` of the folder, written with `entries`.
    TMainForm& openCsf(const std::vector<Entry>& entries, const char* fileName = "t.csf",
                       int version = 3);
    // Code page 1252, and the options file in the test's own folder; for initTestCase.
    void prepareFolders();
};

} // namespace vste::ui::test
