// SPDX-License-Identifier: MIT
// The editor's stored settings: the two bytes of options.dat (interface language and the
// "Autodetect Encoding" switch), the five favorite files and the chosen code page.
#pragma once

#include <QByteArray>
#include <QList>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace vste::ui {

class Settings {
public:
    // Reads options.dat; a missing file, or one shorter than two bytes, gives English and
    // autodetection on.
    void load();
    // Writes options.dat as exactly two bytes, replacing the file in one step. Returns false when
    // neither folder could take it; the previous file then stays as it was.
    bool save() const;

    // 0: Russian; any other value: English.
    std::uint8_t interfaceLanguage() const { return m_interfaceLanguage; }
    void setInterfaceLanguage(std::uint8_t value) { m_interfaceLanguage = value; }
    // 0: off; any other value: on.
    std::uint8_t autodetectEncoding() const { return m_autodetectEncoding; }
    void setAutodetectEncoding(std::uint8_t value) { m_autodetectEncoding = value; }

    // options.dat lives beside the executable; when that folder cannot be written it lives in
    // the user's configuration folder instead. Tests point both somewhere private; empty
    // arguments restore the defaults.
    static void setOptionsFolders(const QString& programFolder, const QString& fallbackFolder);
    static QString programOptionsFile();
    static QString fallbackOptionsFile();
    // The file that load() reads and save() tries first.
    static QString optionsFile();
    // Where the favorites, recent files, code page and window layout are kept.
    static QSettings userStore();

    // Favorites 1 to 5 ("Favorite" + N and "Favorite" + N + "Name"); missing values read empty.
    static QString favoritePath(int number);
    static QString favoriteName(int number);
    static void setFavorite(int number, const QString& path, const QString& name);

    // The code page the user chose in the Options menu, if any.
    static std::optional<int> codePage();
    static void setCodePage(int codePage);

    // The recently opened or saved files with the format (1..8) each was read or written as,
    // newest first.
    struct RecentFile {
        QString path;
        int format = 1;
    };
    static QList<RecentFile> recentFiles();
    static void setRecentFiles(const QList<RecentFile>& files);
    // The window's geometry, its dock and toolbar state and the splitter's positions, as saved by
    // Qt; empty before the first run.
    static QByteArray windowGeometry();
    static QByteArray windowState();
    static QByteArray splitterState();
    static void setWindowLayout(const QByteArray& geometry, const QByteArray& state,
                                const QByteArray& splitter);
    // View > Wrap long values; off until the user turns it on.
    static bool wrapLongValues();
    static void setWrapLongValues(bool wrap);
    // The category last selected in each recently opened file: pairs of path and category
    // name, newest first.
    static QStringList lastCategories();
    static void setLastCategories(const QStringList& pathsAndNames);
    // The translation projects last opened, newest first: the source table, its format (1..8)
    // and the language table last opened in it (empty for none).
    struct RecentProject {
        QString source;
        int format = 1;
        QString open;
    };
    static QList<RecentProject> recentProjects();
    static void setRecentProjects(const QList<RecentProject>& projects);
    // The spelling dictionary chosen for the file `path` (an empty name: none), or for an empty
    // path the one chosen last, which files without a choice of their own start with. Empty
    // when nothing was chosen.
    static std::optional<QString> spellingDictionary(const QString& path);
    // Remembers `name` for `path` (when not empty) and as the last choice.
    static void setSpellingDictionary(const QString& path, const QString& name);

private:
    std::uint8_t m_interfaceLanguage = 1;
    std::uint8_t m_autodetectEncoding = 1;
};

// The file name part of a path shown in the favorites menu: everything after the last folder
// separator (and, on Windows, after a drive colon).
QString FileNamePart(const QString& path);

} // namespace vste::ui
