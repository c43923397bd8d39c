// SPDX-License-Identifier: MIT
#include "UiTestSupport.h"

#include <QFile>
#include <QSettings>
#include <QTest>

#include "core/CompiledStrings.h"
#include "core/FileIO.h"
#include "encoding/CodePage.h"
#include "formats/BladeRunnerStrings.h"
#include "formats/Dune2000Strings.h"
#include "formats/LiquidStrings.h"
#include "formats/MalcolmStrings.h"
#include "formats/Registry.h"
#include "ui/Settings.h"

#ifdef Q_OS_WIN
#include <QTemporaryDir>

#include <memory>

// On Linux each test program's settings are kept apart by its own XDG_CONFIG_HOME; on Windows
// they would all share the user's registry key, so they go to INI files in a folder of the run's
// own (not named by the process number, which Wine gives out again), removed at exit.
static void KeepSettingsApart() {
    static const auto folder = std::make_unique<QTemporaryDir>();
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder->path());
}
Q_COREAPP_STARTUP_FUNCTION(KeepSettingsApart)
#endif

namespace vste::ui::test {

bool FakeDialogs::question(QWidget*, const QString& text) {
    return questionWithCancel(nullptr, text).value_or(false);
}

std::optional<bool> FakeDialogs::questionWithCancel(QWidget*, const QString& text) {
    if (m_log.answers.empty()) {
        m_log.questions << text;
        return false;
    }
    const std::optional<bool> answer = m_log.answers.front();
    m_log.answers.pop_front();
    m_log.questions << text;
    return answer;
}

int FakeDialogs::choose(QWidget*, const QString& text, const QString& details,
                        const QStringList& actions, const QString&) {
    m_log.actions = actions;
    const QString shown = text + QStringLiteral("\n\n") + details;
    if (actions.isEmpty()) {
        m_log.questions << shown;
        return -1;
    }
    if (m_log.choices.empty())
        return question(nullptr, shown) ? 0 : -1;
    m_log.questions << shown;
    const int choice = m_log.choices.front();
    m_log.choices.pop_front();
    return choice < actions.size() ? choice : -1;
}

std::optional<FileChoice> FakeDialogs::next(const QString& caption, const QString& start) {
    m_log.fileCaptions << caption;
    m_log.fileStarts << start;
    if (m_log.files.empty())
        return std::nullopt;
    std::optional<FileChoice> choice;
    choice.swap(m_log.files.front());
    m_log.files.pop_front();
    return choice;
}

std::optional<FileChoice> FakeDialogs::openFile(QWidget*, const QString& caption,
                                                const QStringList& filters, const QString& start,
                                                int) {
    m_log.openFilters = filters;
    return next(caption, start);
}

std::optional<FileChoice> FakeDialogs::saveFile(QWidget*, const QString& caption,
                                                const QStringList& filters, const QString& start,
                                                int) {
    m_log.saveFilters = filters;
    return next(caption, start);
}

namespace {

void fill(TWestwoodStrings& document, const std::vector<Entry>& entries, int version) {
    for (const Entry& entry : entries) {
        TText text;
        text.Tag = kLabelTag;
        text.Name = entry.name;
        for (const std::u16string& value : entry.values) {
            TTextContainer container;
            container.Tag = version == 2 ? kValueTagV2 : kValueTagV3;
            container.Value = value;
            container.ExtraValue = entry.extra;
            if (!entry.extra.empty())
                container.Tag[0] = kExtraValueMark;
            text.Values.push_back(container);
        }
        document.Body.push_back(text);
    }
    document.StringCount = 0;
    for (const TText& text : document.Body)
        document.StringCount += static_cast<std::int32_t>(text.ValueCount());
}

} // namespace

void WriteCsf(const QString& path, const std::vector<Entry>& entries, int version, int language) {
    TCompiledStrings document;
    document.Magic = kCsfMagic;
    document.Version = version;
    document.Language = language;
    fill(document, entries, version);
    NullProgress progress;
    StoreFileAtomically(path.toStdString(), document.SaveToBuffer(progress, false));
}

void WriteFormat(const QString& path, int format, const std::vector<Entry>& entries) {
    if (format == 1) {
        WriteCsf(path, entries);
        return;
    }
    std::unique_ptr<TWestwoodStrings> document;
    switch (format) {
    case 2:
        document = std::make_unique<TCompiledStrings>();
        break;
    case 3:
        document = std::make_unique<TEmpireAtWarStrings>();
        break;
    case 4:
        document = std::make_unique<TDune2000Strings>();
        break;
    case 5:
        document = std::make_unique<TWestwoodStrings>();
        break;
    case 6:
        document = std::make_unique<TLiquidStrings>();
        break;
    case 7:
        document = std::make_unique<TBladeRunnerStrings>();
        break;
    default:
        document = std::make_unique<TMalcolmStrings>();
        break;
    }
    document->Magic = kCsfMagic;
    document->Version = 3;
    fill(*document, entries, 3);
    if (format == 3)
        for (TText& text : document->Body)
            text.Values.front().Tag = TEmpireAtWarStrings::KeyForName(text.Name);
    NullProgress progress;
    StoreFileAtomically(path.toStdString(), WriteDocument(static_cast<DocumentFormat>(format),
                                                          *document, progress, false));
}

std::u16string U(const char* utf8) {
    return Utf8ToUtf16(utf8);
}

std::vector<std::uint8_t> Bytes(const OpenDocument& document) {
    NullProgress progress;
    return document.encode(OpenDocument::Layout::Format, progress);
}

QByteArray AsByteArray(const std::vector<std::uint8_t>& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& data) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(data);
}

QSettings StoredSettings() {
    return Settings::userStore();
}

void ForgetRememberedWindow() {
    QSettings store = StoredSettings();
    for (const char* key : {"RecentFiles", "RecentProjects", "Window", "LastCategories"})
        store.remove(QString::fromLatin1(key));
}

TMainForm& WindowTest::newForm() {
    m_form.reset();
    m_log = FakeDialogs::Log{};
    m_form = std::make_unique<TMainForm>(std::make_unique<FakeDialogs>(m_log));
    return *m_form;
}

TMainForm& WindowTest::openCsf(const std::vector<Entry>& entries, const char* fileName,
                               int version) {
    m_form.reset();
    WriteCsf(path(fileName), entries, version);
    TMainForm& form = newForm();
    form.openFile(path(fileName), 1);
    return form;
}

void WindowTest::prepareFolders() {
    SetActiveCodePage(1252);
    QVERIFY(m_dir.isValid());
    // Closing a window writes options.dat: keep it in the test's own folder.
    Settings::setOptionsFolders(m_dir.path(), m_dir.path());
}

} // namespace vste::ui::test
