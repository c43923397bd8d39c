// SPDX-License-Identifier: MIT
// The .csf association on Windows: the class keys under HKEY_CURRENT_USER\Software\Classes, which
// the user may write without administrator rights and which win over the machine's keys.
#include "ui/Association.h"

#ifdef Q_OS_WIN
#include <QCoreApplication>
#include <QDir>
#include <QSettings>

#include <shlobj.h>

#include <utility>

namespace vste::ui {

namespace {

const QString kClasses = QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes");

// Writes the default value of `key` under the user's classes; an error text when it failed.
QString writeDefault(const QString& key, const QString& value) {
    QSettings registry(kClasses + QLatin1Char('\\') + key, QSettings::NativeFormat);
    registry.setValue(QStringLiteral("Default"), value);
    registry.sync();
    if (registry.status() != QSettings::NoError)
        return QCoreApplication::translate("vste::ui::Association",
                                           "Cannot write the registry key \"%1\".")
            .arg(kClasses + QLatin1Char('\\') + key);
    return {};
}

// Tells Explorer that the file types changed, so that icons and Open follow at once.
void announceChange() {
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

} // namespace

bool IsCsfAssociated() {
    QSettings extension(kClasses + QStringLiteral("\\.csf"), QSettings::NativeFormat);
    if (extension.value(QStringLiteral("Default")).toString() != QLatin1String(kCsfProgId))
        return false;
    QSettings open(kClasses + QLatin1Char('\\') + QLatin1String(kCsfProgId) +
                       QStringLiteral("\\shell\\open"),
                   QSettings::NativeFormat);
    return open.childGroups().contains(QStringLiteral("command"), Qt::CaseInsensitive);
}

QString AssociateCsf(const QString& executable) {
    const QString native = QDir::toNativeSeparators(executable);
    const QString progId = QString::fromLatin1(kCsfProgId);
    for (const auto& [key, value] :
         {std::pair{QStringLiteral(".csf"), progId},
          std::pair{progId, QString::fromLatin1(kCsfDescription)},
          std::pair{progId + QStringLiteral("\\DefaultIcon"), native + QStringLiteral(",0")},
          std::pair{progId + QStringLiteral("\\shell\\open\\command"),
                    QLatin1Char('"') + native + QStringLiteral("\" \"%1\"")}}) {
        const QString failure = writeDefault(key, value);
        if (!failure.isEmpty())
            return failure;
    }
    announceChange();
    return {};
}

void RemoveCsfAssociation() {
    QSettings classes(kClasses, QSettings::NativeFormat);
    // The extension's key is the user's; only its default value is ours to take back.
    classes.beginGroup(QStringLiteral(".csf"));
    if (classes.value(QStringLiteral("Default")).toString() == QLatin1String(kCsfProgId))
        classes.remove(QStringLiteral("Default"));
    const bool emptied = classes.childKeys().isEmpty() && classes.childGroups().isEmpty();
    classes.endGroup();
    if (emptied)
        classes.remove(QStringLiteral(".csf"));
    classes.remove(QLatin1String(kCsfProgId));
    classes.sync();
    announceChange();
}

QString DesktopExecLine(const QString& executable) {
    return QLatin1Char('"') + QDir::toNativeSeparators(executable) + QStringLiteral("\" \"%1\"");
}

QString AssociationDesktopFile() {
    return {};
}
QString AssociationMimeFile() {
    return {};
}
QString AssociationMimeAppsFile() {
    return {};
}

} // namespace vste::ui
#endif
