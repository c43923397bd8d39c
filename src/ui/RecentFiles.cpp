// SPDX-License-Identifier: MIT
#include "ui/RecentFiles.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMenu>

#include "ui/Dialogs.h"
#include "ui/MainForm.h"

namespace vste::ui {

namespace {

// Long paths are cut in the middle so that both the folder's start and the file name show.
constexpr int kShownPathWidth = 480;

QString absolute(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

RecentFiles::RecentFiles(TMainForm& form)
    : m_form(form), m_menu(new QMenu(&form)), m_clear(new QAction(m_menu)),
      m_files(Settings::recentFiles()) {
    setObjectName(QStringLiteral("RecentFiles"));
    m_menu->setObjectName(QStringLiteral("RecentFilesMenu"));
    m_menu->menuAction()->setObjectName(QStringLiteral("RecentFilesMenuAction"));
    m_menu->setToolTipsVisible(true);
    for (int i = 0; i < kLimit; ++i) {
        QAction* item = m_menu->addAction(QString());
        item->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        connect(item, &QAction::triggered, this, [this, i] { open(i); });
        m_items[static_cast<std::size_t>(i)] = item;
    }
    m_menu->addSeparator()->setObjectName(QStringLiteral("RecentFilesSeparator"));
    m_clear->setObjectName(QStringLiteral("ClearRecentFiles"));
    m_menu->addAction(m_clear);
    connect(m_clear, &QAction::triggered, this, &RecentFiles::clear);
    m_menu->installEventFilter(this);

    if (m_files.size() > kLimit)
        m_files.resize(kLimit);
    connect(&form, &TMainForm::documentOpened, this, &RecentFiles::remember);
    connect(&form, &TMainForm::documentSaved, this, &RecentFiles::remember);
    retranslate();
}

void RecentFiles::addMenuTo(QMenu* menu, QAction* after) {
    const QList<QAction*> actions = menu->actions();
    const qsizetype at = actions.indexOf(after);
    QAction* before = at >= 0 && at + 1 < actions.size() ? actions.at(at + 1) : nullptr;
    menu->insertMenu(before, m_menu);
}

void RecentFiles::remember(const QString& path, int format) {
    const QString full = absolute(path);
    m_files.removeIf([&](const Settings::RecentFile& file) { return absolute(file.path) == full; });
    m_files.prepend({full, format});
    if (m_files.size() > kLimit)
        m_files.resize(kLimit);
    Settings::setRecentFiles(m_files);
    rebuild();
}

void RecentFiles::open(int index) {
    if (index < 0 || index >= m_files.size())
        return;
    const Settings::RecentFile file = m_files.at(index);
    if (!QFileInfo(file.path).isFile()) {
        m_files.removeAt(index);
        Settings::setRecentFiles(m_files);
        rebuild();
        m_form.dialogs().error(
            &m_form, tr("%1\n\nThis file no longer exists. It was removed from the recent files.")
                         .arg(QDir::toNativeSeparators(file.path)));
        return;
    }
    m_form.openFile(file.path, file.format);
}

void RecentFiles::clear() {
    m_files.clear();
    Settings::setRecentFiles(m_files);
    rebuild();
}

void RecentFiles::rebuild() {
    const QFontMetrics metrics(m_menu->font());
    for (int i = 0; i < kLimit; ++i) {
        QAction* item = m_items[static_cast<std::size_t>(i)];
        item->setVisible(i < m_files.size());
        if (i >= m_files.size())
            continue;
        const QString path = QDir::toNativeSeparators(m_files.at(i).path);
        QString shown = metrics.elidedText(path, Qt::ElideMiddle, kShownPathWidth);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        // 1 to 9 are their own accelerators, the tenth is 0.
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QStringLiteral("1&0");
        item->setText(number + QStringLiteral(". ") + shown);
        item->setToolTip(path);
    }
    m_clear->setEnabled(!m_files.isEmpty());
    m_menu->menuAction()->setEnabled(!m_files.isEmpty());
}

void RecentFiles::retranslate() {
    m_menu->setTitle(tr("Recent files"));
    m_clear->setText(tr("Clear list"));
    rebuild();
}

bool RecentFiles::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_menu && event->type() == QEvent::LanguageChange)
        retranslate();
    return QObject::eventFilter(watched, event);
}

} // namespace vste::ui
