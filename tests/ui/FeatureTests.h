// SPDX-License-Identifier: MIT
// Shared pieces of the window tests of properties, settings, favorites, language, association,
// import and About. All of them run in private folders set up by FeatureTestsMain.cpp.
#pragma once

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>

#include <memory>

#include "UiTestSupport.h"
#include "ui/MainForm.h"

namespace vste::ui::test {

// The folders that stand in for the program's folder and the user's configuration folder.
QString ProgramFolder();
QString FallbackFolder();
// Removes options.dat from both folders, every stored favorite and the chosen code page.
void ResetStoredSettings();
QByteArray ReadOptions(const QString& folder);
void WriteOptions(const QString& folder, const QByteArray& bytes);

// A window with scripted dialogs, and a temporary folder for its files.
class FormFixture {
public:
    FakeDialogs::Log log;
    std::unique_ptr<TMainForm> form;
    QTemporaryDir dir;

    TMainForm& newForm() {
        log = FakeDialogs::Log{};
        form = std::make_unique<TMainForm>(std::make_unique<FakeDialogs>(log));
        return *form;
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    template <typename T> T* find(const QString& name) const { return form->findChild<T*>(name); }
    QAction* action(const QString& name) const { return find<QAction>(name); }
    QMenu* menu(const QString& name) const { return find<QMenu>(name); }
};

int RunPropertiesTest(int argc, char** argv);
int RunSettingsTest(int argc, char** argv);
int RunLanguageTest(int argc, char** argv);
int RunAssociationTest(int argc, char** argv);
int RunAboutTest(int argc, char** argv);

} // namespace vste::ui::test
