// SPDX-License-Identifier: MIT
#include "ui/Association.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace vste::ui {

// The Windows registry version is in AssociationWindows.cpp.
#ifndef Q_OS_WIN

namespace {

QString cannotCreate(const QString& file, const QString& reason) {
    return QCoreApplication::translate("vste::ui::Association", "Cannot create file \"%1\". %2")
        .arg(QDir::toNativeSeparators(file), reason);
}

QString xdgFolder(const char* variable, const QString& fallback) {
    const QString value = qEnvironmentVariable(variable);
    // XDG base folders must be absolute; a relative value counts as unset.
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::homePath() + fallback;
}

QString dataHome() {
    return xdgFolder("XDG_DATA_HOME", QStringLiteral("/.local/share"));
}
QString configHome() {
    return xdgFolder("XDG_CONFIG_HOME", QStringLiteral("/.config"));
}

QString iconFile() {
    return dataHome() + QStringLiteral("/icons/hicolor/256x256/apps/") +
           QString::fromLatin1(kIconName) + QStringLiteral(".png");
}

QString writeFile(const QString& file, const QByteArray& content) {
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        return cannotCreate(file, QCoreApplication::translate("vste::ui::Association",
                                                              "The folder cannot be created."));
    QSaveFile output(file);
    if (!output.open(QIODevice::WriteOnly))
        return cannotCreate(file, output.errorString());
    output.write(content);
    if (!output.commit())
        return cannotCreate(file, output.errorString());
    return {};
}

// Runs a desktop database tool when the system has it; its absence or failure changes nothing.
void runIfPresent(const QString& tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (process.waitForStarted(5000) && !process.waitForFinished(30000))
        process.kill();
}

void refreshDatabases() {
    const QString mime = dataHome() + QStringLiteral("/mime");
    if (QFileInfo(mime + QStringLiteral("/packages")).isDir())
        runIfPresent(QStringLiteral("update-mime-database"), {mime});
    const QString applications = dataHome() + QStringLiteral("/applications");
    if (QFileInfo(applications).isDir())
        runIfPresent(QStringLiteral("update-desktop-database"), {applications});
}

QByteArray mimeXml() {
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"application/x-velmoran-csf\">\n"
        "    <comment>Compiled String Table Files</comment>\n"
        "    <icon name=\"org.velmoran.vste\"/>\n"
        "    <glob pattern=\"*.csf\"/>\n"
        "    <magic priority=\"50\">\n"
        "      <match type=\"string\" value=\" FSC\" offset=\"0\"/>\n"
        "    </magic>\n"
        "  </mime-type>\n"
        "</mime-info>\n");
}

QByteArray desktopEntry(const QString& executable) {
    const QString text =
        QStringLiteral("[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=Velmoran String Table Editor\n"
                       "Comment=%1\n"
                       "Icon=%2\n"
                       "Exec=%3\n"
                       "MimeType=%4;\n"
                       "Terminal=false\n"
                       "NoDisplay=true\n"
                       "X-Velmoran-ProgId=%5\n")
            .arg(QString::fromLatin1(kCsfDescription), QString::fromLatin1(kIconName),
                 DesktopExecLine(executable), QString::fromLatin1(kCsfMimeType),
                 QString::fromLatin1(kCsfProgId));
    return text.toUtf8();
}

// mimeapps.list with our type's lines removed from its two association sections, and, when `add`
// is set, the desktop entry added to both as the default handler. Other lines stay as they were.
QByteArray editedMimeApps(const QByteArray& original, bool add) {
    const QString type = QString::fromLatin1(kCsfMimeType);
    const QString entry =
        type + QLatin1Char('=') + QString::fromLatin1(kCsfDesktopFile) + QLatin1Char(';');
    const QStringList wanted = {QStringLiteral("[Default Applications]"),
                                QStringLiteral("[Added Associations]")};
    struct Section {
        QString header; // empty for the lines before the first section
        QStringList lines;
    };
    std::vector<Section> sections(1);
    QStringList lines = QString::fromUtf8(original).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    for (const QString& line : lines) {
        if (line.trimmed().startsWith(QLatin1Char('[')))
            sections.push_back({line.trimmed(), {}});
        else
            sections.back().lines << line;
    }
    for (const QString& header : wanted) {
        auto section = std::find_if(sections.begin(), sections.end(),
                                    [&](const Section& s) { return s.header == header; });
        if (section == sections.end()) {
            if (!add)
                continue;
            if (!sections.back().lines.isEmpty() && !sections.back().lines.constLast().isEmpty())
                sections.back().lines << QString();
            sections.push_back({header, {}});
            section = sections.end() - 1;
        }
        section->lines.removeIf([&](const QString& line) {
            return line.section(QLatin1Char('='), 0, 0).trimmed() == type;
        });
        if (add) {
            qsizetype at = section->lines.size();
            while (at > 0 && section->lines.at(at - 1).trimmed().isEmpty())
                --at;
            section->lines.insert(at, entry);
        }
    }
    QString text;
    for (const Section& section : sections) {
        if (!section.header.isEmpty())
            text += section.header + QLatin1Char('\n');
        for (const QString& line : section.lines)
            text += line + QLatin1Char('\n');
    }
    return text.toUtf8();
}

QByteArray readAll(const QString& file) {
    QFile input(file);
    return input.open(QIODevice::ReadOnly) ? input.readAll() : QByteArray();
}

} // namespace

QString AssociationDesktopFile() {
    return dataHome() + QStringLiteral("/applications/") + QString::fromLatin1(kCsfDesktopFile);
}

QString AssociationMimeFile() {
    return dataHome() + QStringLiteral("/mime/packages/") + QString::fromLatin1(kCsfProgId) +
           QStringLiteral(".xml");
}

QString AssociationMimeAppsFile() {
    return configHome() + QStringLiteral("/mimeapps.list");
}

QString DesktopExecLine(const QString& executable) {
    // Quoting rules of the Exec key first, then the escapes of a desktop file string value.
    QString quoted;
    for (const QChar c : executable) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return QLatin1Char('"') + quoted + QStringLiteral("\" %f");
}

bool IsCsfAssociated() {
    const QByteArray entry = readAll(AssociationDesktopFile());
    for (const QByteArray& line : entry.split('\n'))
        if (line.startsWith("Exec=") && line.size() > 5)
            return true;
    return false;
}

QString AssociateCsf(const QString& executable) {
    QString failure = writeFile(AssociationMimeFile(), mimeXml());
    if (failure.isEmpty()) {
        // The icon is a convenience: a missing one leaves a working association.
        QFile icon(QStringLiteral(":/icons/vste.png"));
        if (icon.open(QIODevice::ReadOnly))
            writeFile(iconFile(), icon.readAll());
        failure = writeFile(AssociationDesktopFile(), desktopEntry(executable));
    }
    if (failure.isEmpty())
        failure = writeFile(AssociationMimeAppsFile(),
                            editedMimeApps(readAll(AssociationMimeAppsFile()), true));
    refreshDatabases();
    return failure;
}

void RemoveCsfAssociation() {
    QFile::remove(AssociationMimeFile());
    QFile::remove(AssociationDesktopFile());
    QFile::remove(iconFile());
    const QString mimeApps = AssociationMimeAppsFile();
    const QByteArray original = readAll(mimeApps);
    if (!original.isEmpty()) {
        const QByteArray edited = editedMimeApps(original, false);
        if (edited != original)
            writeFile(mimeApps, edited);
    }
    refreshDatabases();
}

#endif

} // namespace vste::ui
