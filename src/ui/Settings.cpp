// SPDX-License-Identifier: MIT
#include "ui/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

#include "encoding/CodePage.h"

namespace vste::ui {

namespace {

const QString kOptionsFileName = QStringLiteral("options.dat");

QString& programFolderOverride() {
    static QString folder;
    return folder;
}

QString& fallbackFolderOverride() {
    static QString folder;
    return folder;
}

bool folderWritable(const QString& file) {
    const QFileInfo info(file);
    if (info.exists())
        return info.isWritable() && QFileInfo(info.absolutePath()).isWritable();
    return QFileInfo(info.absolutePath()).isWritable();
}

// The first two bytes of `file`; nothing when it is missing or shorter.
std::optional<QByteArray> readTwoBytes(const QString& file) {
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = input.read(2);
    if (bytes.size() < 2)
        return std::nullopt;
    return bytes;
}

bool writeBytes(const QString& file, const QByteArray& bytes) {
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        return false;
    QSaveFile output(file);
    if (!output.open(QIODevice::WriteOnly))
        return false;
    if (output.write(bytes) != bytes.size()) {
        output.cancelWriting();
        return false;
    }
    return output.commit();
}

} // namespace

void Settings::setOptionsFolders(const QString& programFolder, const QString& fallbackFolder) {
    programFolderOverride() = programFolder;
    fallbackFolderOverride() = fallbackFolder;
}

QString Settings::programOptionsFile() {
    const QString folder = programFolderOverride().isEmpty()
                               ? QCoreApplication::applicationDirPath()
                               : programFolderOverride();
    return QDir(folder).filePath(kOptionsFileName);
}

QString Settings::fallbackOptionsFile() {
    const QString folder = fallbackFolderOverride().isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
                               : fallbackFolderOverride();
    return QDir(folder).filePath(kOptionsFileName);
}

QString Settings::optionsFile() {
    const QString program = programOptionsFile();
    return folderWritable(program) ? program : fallbackOptionsFile();
}

void Settings::load() {
    m_interfaceLanguage = 1;
    m_autodetectEncoding = 1;
    std::optional<QByteArray> bytes = readTwoBytes(optionsFile());
    // A read-only program folder may still hold a settings file shipped with the program.
    if (!bytes)
        bytes = readTwoBytes(programOptionsFile());
    if (!bytes)
        return;
    m_interfaceLanguage = static_cast<std::uint8_t>(bytes->at(0));
    m_autodetectEncoding = static_cast<std::uint8_t>(bytes->at(1));
}

bool Settings::save() const {
    QByteArray bytes(2, '\0');
    bytes[0] = static_cast<char>(m_interfaceLanguage);
    bytes[1] = static_cast<char>(m_autodetectEncoding);
    const QString first = optionsFile();
    if (writeBytes(first, bytes))
        return true;
    const QString fallback = fallbackOptionsFile();
    return fallback != first && writeBytes(fallback, bytes);
}

QSettings Settings::userStore() {
    // The default format is the system's (the registry on Windows) unless a test chose another.
    return QSettings(QSettings::defaultFormat(), QSettings::UserScope,
                     QStringLiteral("Velmoran Studio"), QStringLiteral("String Table Editor"));
}

QString Settings::favoritePath(int number) {
    return userStore().value(QStringLiteral("Favorite%1").arg(number)).toString();
}

QString Settings::favoriteName(int number) {
    return userStore().value(QStringLiteral("Favorite%1Name").arg(number)).toString();
}

void Settings::setFavorite(int number, const QString& path, const QString& name) {
    QSettings store = userStore();
    store.setValue(QStringLiteral("Favorite%1").arg(number), path);
    store.setValue(QStringLiteral("Favorite%1Name").arg(number), name);
}

std::optional<int> Settings::codePage() {
    bool ok = false;
    const int value = userStore().value(QStringLiteral("CodePage")).toInt(&ok);
    if (!ok || !IsSupportedCodePage(value))
        return std::nullopt;
    return value;
}

void Settings::setCodePage(int codePage) {
    userStore().setValue(QStringLiteral("CodePage"), codePage);
}

QList<Settings::RecentFile> Settings::recentFiles() {
    QSettings store = userStore();
    QList<RecentFile> files;
    const int count = store.beginReadArray(QStringLiteral("RecentFiles"));
    for (int i = 0; i < count; ++i) {
        store.setArrayIndex(i);
        RecentFile file{store.value(QStringLiteral("Path")).toString(),
                        store.value(QStringLiteral("Format"), 1).toInt()};
        if (!file.path.isEmpty())
            files << file;
    }
    store.endArray();
    return files;
}

void Settings::setRecentFiles(const QList<RecentFile>& files) {
    QSettings store = userStore();
    store.remove(QStringLiteral("RecentFiles"));
    store.beginWriteArray(QStringLiteral("RecentFiles"), static_cast<int>(files.size()));
    for (int i = 0; i < files.size(); ++i) {
        store.setArrayIndex(i);
        store.setValue(QStringLiteral("Path"), files.at(i).path);
        store.setValue(QStringLiteral("Format"), files.at(i).format);
    }
    store.endArray();
}

QByteArray Settings::windowGeometry() {
    return userStore().value(QStringLiteral("Window/Geometry")).toByteArray();
}

QByteArray Settings::windowState() {
    return userStore().value(QStringLiteral("Window/State")).toByteArray();
}

QByteArray Settings::splitterState() {
    return userStore().value(QStringLiteral("Window/Splitter")).toByteArray();
}

void Settings::setWindowLayout(const QByteArray& geometry, const QByteArray& state,
                               const QByteArray& splitter) {
    QSettings store = userStore();
    store.setValue(QStringLiteral("Window/Geometry"), geometry);
    store.setValue(QStringLiteral("Window/State"), state);
    store.setValue(QStringLiteral("Window/Splitter"), splitter);
}

bool Settings::wrapLongValues() {
    return userStore().value(QStringLiteral("View/WrapLongValues"), false).toBool();
}

void Settings::setWrapLongValues(bool wrap) {
    userStore().setValue(QStringLiteral("View/WrapLongValues"), wrap);
}

QStringList Settings::lastCategories() {
    return userStore().value(QStringLiteral("LastCategories")).toStringList();
}

void Settings::setLastCategories(const QStringList& pathsAndNames) {
    userStore().setValue(QStringLiteral("LastCategories"), pathsAndNames);
}

QString FileNamePart(const QString& path) {
    qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
#ifdef Q_OS_WIN
    cut = std::max({cut, path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char(':'))});
#endif
    return path.mid(cut + 1);
}

QList<Settings::RecentProject> Settings::recentProjects() {
    QSettings store = userStore();
    QList<RecentProject> projects;
    const int count = store.beginReadArray(QStringLiteral("RecentProjects"));
    for (int i = 0; i < count; ++i) {
        store.setArrayIndex(i);
        RecentProject project{store.value(QStringLiteral("Source")).toString(),
                              store.value(QStringLiteral("Format"), 1).toInt(),
                              store.value(QStringLiteral("Open")).toString()};
        if (!project.source.isEmpty())
            projects << project;
    }
    store.endArray();
    return projects;
}

void Settings::setRecentProjects(const QList<RecentProject>& projects) {
    QSettings store = userStore();
    store.remove(QStringLiteral("RecentProjects"));
    store.beginWriteArray(QStringLiteral("RecentProjects"), static_cast<int>(projects.size()));
    for (int i = 0; i < projects.size(); ++i) {
        store.setArrayIndex(i);
        store.setValue(QStringLiteral("Source"), projects.at(i).source);
        store.setValue(QStringLiteral("Format"), projects.at(i).format);
        store.setValue(QStringLiteral("Open"), projects.at(i).open);
    }
    store.endArray();
}

namespace {

// Files remembered with their dictionaries; older ones are forgotten.
constexpr qsizetype kSpellingFiles = 200;

} // namespace

std::optional<QString> Settings::spellingDictionary(const QString& path) {
    QSettings store = userStore();
    if (!path.isEmpty()) {
        const QStringList pairs = store.value(QStringLiteral("Spelling/Files")).toStringList();
        for (qsizetype i = 0; i + 1 < pairs.size(); i += 2)
            if (pairs.at(i) == path)
                return pairs.at(i + 1);
    }
    const QVariant last = store.value(QStringLiteral("Spelling/Last"));
    if (!last.isValid())
        return std::nullopt;
    return last.toString();
}

void Settings::setSpellingDictionary(const QString& path, const QString& name) {
    QSettings store = userStore();
    store.setValue(QStringLiteral("Spelling/Last"), name);
    if (path.isEmpty())
        return;
    const QStringList pairs = store.value(QStringLiteral("Spelling/Files")).toStringList();
    QStringList kept{path, name};
    for (qsizetype i = 0; i + 1 < pairs.size() && kept.size() < 2 * kSpellingFiles; i += 2)
        if (pairs.at(i) != path)
            kept << pairs.at(i) << pairs.at(i + 1);
    store.setValue(QStringLiteral("Spelling/Files"), kept);
}

} // namespace vste::ui
