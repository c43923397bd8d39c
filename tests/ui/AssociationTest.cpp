// SPDX-License-Identifier: MIT
// The .csf association in a private XDG_DATA_HOME and XDG_CONFIG_HOME.
#include <QTest>

#include "FeatureTests.h"
#include "ui/Association.h"

#ifdef Q_OS_WIN
#include <windows.h>

#include <string>
#endif

using namespace vste;
using namespace vste::ui;
using namespace vste::ui::test;

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

} // namespace

class AssociationTest : public QObject {
    Q_OBJECT

    FormFixture f;

private slots:
    void init() {
        ResetStoredSettings();
        RemoveCsfAssociation();
        QFile::remove(AssociationMimeAppsFile());
    }

    void switchingOnWritesTheEntryTheTypeAndTheDefaultHandler() {
        writeFile(AssociationMimeAppsFile(), "[Default Applications]\n"
                                             "text/plain=editor.desktop;\n"
                                             "\n"
                                             "[Removed Associations]\n"
                                             "image/png=viewer.desktop;\n");
        f.newForm();
        QAction* mark = f.action("Assoc1");
        QVERIFY(!mark->isChecked());
        mark->trigger();
        QVERIFY(f.log.errors.isEmpty());
        QVERIFY(mark->isChecked());
        QVERIFY(IsCsfAssociated());

        const QString entry = QString::fromUtf8(readFile(AssociationDesktopFile()));
        QVERIFY(entry.contains(QStringLiteral("\nExec=") +
                               DesktopExecLine(QCoreApplication::applicationFilePath()) + '\n'));
        QVERIFY(entry.contains(QStringLiteral("\nMimeType=application/x-velmoran-csf;\n")));
        QVERIFY(entry.contains(QStringLiteral("\nComment=Compiled String Table Files\n")));
        QVERIFY(entry.contains(QStringLiteral("\nIcon=org.velmoran.vste\n")));
        // The type written for the user is the one the program installs beside its other types.
        const QByteArray userTypes = readFile(AssociationMimeFile());
        const qsizetype from = userTypes.indexOf("  <mime-type");
        const qsizetype to = userTypes.indexOf("</mime-type>\n");
        QVERIFY(from > 0 && to > from);
        QVERIFY(readFile(QStringLiteral(VSTE_SOURCE_DIR "/data/mime/org.velmoran.vste.xml"))
                    .contains(userTypes.mid(from, to - from)));
        QCOMPARE(QString::fromUtf8(readFile(AssociationMimeAppsFile())),
                 QStringLiteral("[Default Applications]\n"
                                "text/plain=editor.desktop;\n"
                                "application/x-velmoran-csf=velmoran-vste-csf.desktop;\n"
                                "\n"
                                "[Removed Associations]\n"
                                "image/png=viewer.desktop;\n"
                                "\n"
                                "[Added Associations]\n"
                                "application/x-velmoran-csf=velmoran-vste-csf.desktop;\n"));

        // The next start finds it.
        f.newForm();
        QVERIFY(f.action("Assoc1")->isChecked());

        f.action("Assoc1")->trigger();
        QVERIFY(!f.action("Assoc1")->isChecked());
        QVERIFY(!IsCsfAssociated());
        QVERIFY(!QFile::exists(AssociationDesktopFile()));
        QVERIFY(!QFile::exists(AssociationMimeFile()));
        QCOMPARE(QString::fromUtf8(readFile(AssociationMimeAppsFile())),
                 QStringLiteral("[Default Applications]\n"
                                "text/plain=editor.desktop;\n"
                                "\n"
                                "[Removed Associations]\n"
                                "image/png=viewer.desktop;\n"
                                "\n"
                                "[Added Associations]\n"));
        f.newForm();
        QVERIFY(!f.action("Assoc1")->isChecked());
    }

    void markFollowsAnEntryWrittenByAnotherCopy() {
        writeFile(AssociationDesktopFile(), "[Desktop Entry]\nExec=\"/elsewhere/vste\" %f\n");
        f.newForm();
        QVERIFY(f.action("Assoc1")->isChecked());
        f.action("Assoc1")->trigger();
        QVERIFY(!QFile::exists(AssociationDesktopFile()));
        f.action("Assoc1")->trigger();
        QVERIFY(readFile(AssociationDesktopFile())
                    .contains(DesktopExecLine(QCoreApplication::applicationFilePath()).toUtf8()));
    }

    void execLinePassesAnyPathAsOneArgument() {
        QCOMPARE(DesktopExecLine(QStringLiteral("/opt/My Apps/vste")),
                 QStringLiteral("\"/opt/My Apps/vste\" %f"));
        // Quoting escapes, then the desktop file's own doubling of backslashes.
        QCOMPARE(DesktopExecLine(QStringLiteral("/a\"b$c`d\\e%f")),
                 QStringLiteral("\"/a\\\\\"b\\\\$c\\\\`d\\\\\\\\e%%f\" %f"));
    }

    void unwritableDataFolderIsReportedAndLeavesTheMarkOff() {
        writeFile(f.path("file"), "x");
        const QByteArray saved = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", f.path("file/data").toUtf8());
        f.newForm();
        f.action("Assoc1")->trigger();
        qputenv("XDG_DATA_HOME", saved);
        QCOMPARE(f.log.errors.size(), 1);
        QVERIFY(f.log.errors.at(0).startsWith(QStringLiteral("Cannot create file")));
        QVERIFY(!f.action("Assoc1")->isChecked());
    }
};

#ifdef Q_OS_WIN
// The association on Windows, read back from the registry with the system's own calls.
class AssociationWindowsTest : public QObject {
    Q_OBJECT

    FormFixture f;

    static QString classValue(const wchar_t* key) {
        wchar_t value[1024];
        DWORD size = sizeof value;
        const std::wstring path = std::wstring(L"Software\\Classes\\") + key;
        if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value,
                         &size) != ERROR_SUCCESS)
            return {};
        return QString::fromWCharArray(value);
    }

private slots:
    void init() {
        ResetStoredSettings();
        RemoveCsfAssociation();
    }

    void switchingOnWritesTheUsersClassKeysAndOffRemovesThem() {
        f.newForm();
        QAction* mark = f.action("Assoc1");
        QVERIFY(!mark->isChecked());
        mark->trigger();
        QVERIFY(f.log.errors.isEmpty());
        QVERIFY(mark->isChecked());
        QCOMPARE(classValue(L".csf"), QStringLiteral("Velmoran.CSF"));
        QCOMPARE(classValue(L"Velmoran.CSF"), QStringLiteral("Compiled String Table Files"));
        const QString program = QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
        QCOMPARE(classValue(L"Velmoran.CSF\\shell\\open\\command"),
                 QLatin1Char('"') + program + QStringLiteral("\" \"%1\""));
        f.newForm();
        QVERIFY(f.action("Assoc1")->isChecked());
        f.action("Assoc1")->trigger();
        QVERIFY(!IsCsfAssociated());
        QVERIFY(classValue(L".csf").isEmpty());
        QVERIFY(classValue(L"Velmoran.CSF").isEmpty());
    }
};
#endif

int vste::ui::test::RunAssociationTest(int argc, char** argv) {
#ifdef Q_OS_WIN
    AssociationWindowsTest test;
#else
    AssociationTest test;
#endif
    return QTest::qExec(&test, argc, argv);
}

#include "AssociationTest.moc"
