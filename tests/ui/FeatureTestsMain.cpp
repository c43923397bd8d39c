// SPDX-License-Identifier: MIT
// Runs the feature tests with HOME, the XDG folders, the settings store and options.dat all in
// one temporary folder, so that no test reads or writes the user's own settings.
#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "FeatureTests.h"
#include "encoding/CodePage.h"
#include "ui/Settings.h"

namespace vste::ui::test {

namespace {

QString& root() {
    static QString folder;
    return folder;
}

} // namespace

QString ProgramFolder() {
    return root() + QStringLiteral("/program");
}
QString FallbackFolder() {
    return root() + QStringLiteral("/config/vste");
}

void ResetStoredSettings() {
    QFile::remove(ProgramFolder() + QStringLiteral("/options.dat"));
    QFile::remove(FallbackFolder() + QStringLiteral("/options.dat"));
    StoredSettings().clear();
    QDir().mkpath(ProgramFolder());
    Settings::setOptionsFolders(ProgramFolder(), FallbackFolder());
    SetActiveCodePage(1252);
}

QByteArray ReadOptions(const QString& folder) {
    QFile file(folder + QStringLiteral("/options.dat"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
}

void WriteOptions(const QString& folder, const QByteArray& bytes) {
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/options.dat"));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace vste::ui::test

int main(int argc, char** argv) {
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    vste::ui::test::root() = home.path();
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/xdg-config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/xdg-data")).toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    vste::ui::test::ResetStoredSettings();

    using namespace vste::ui::test;
    int failures = 0;
    for (auto run :
         {RunPropertiesTest, RunSettingsTest, RunLanguageTest, RunAssociationTest, RunAboutTest})
        failures += run(argc, argv) != 0 ? 1 : 0;
    return failures;
}
