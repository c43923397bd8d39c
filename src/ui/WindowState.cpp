// SPDX-License-Identifier: MIT
#include "ui/WindowState.h"

#include <QEvent>
#include <QFileInfo>
#include <QListWidget>
#include <QSplitter>

#include "ui/MainForm.h"
#include "ui/Settings.h"

namespace vste::ui {

namespace {

QString absolute(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

WindowState::WindowState(TMainForm& form) : m_form(form) {
    setObjectName(QStringLiteral("WindowState"));
    const QByteArray geometry = Settings::windowGeometry();
    if (!geometry.isEmpty())
        m_form.restoreGeometry(geometry);
    m_form.installEventFilter(this);
    // Only the user's choices are remembered; the window's own selections (after an open, an
    // insert or an undo) are made with the list's signals blocked.
    connect(m_form.CatsListBox, &QListWidget::currentRowChanged, this,
            &WindowState::rememberCategory);
    connect(&m_form, &TMainForm::documentOpened, this, &WindowState::restoreCategory);
}

void WindowState::save() {
    Settings::setWindowLayout(m_form.saveGeometry(), m_form.saveState(),
                              m_form.Splitter1->saveState());
    rememberCategory();
}

bool WindowState::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_form) {
        // Docks of other parts of the window exist by the first showing, not at construction.
        if (event->type() == QEvent::Show && !m_layoutRestored)
            restoreLayout();
        else if (event->type() == QEvent::Hide && !event->spontaneous())
            save();
    }
    return QObject::eventFilter(watched, event);
}

void WindowState::restoreLayout() {
    m_layoutRestored = true;
    const QByteArray state = Settings::windowState();
    if (!state.isEmpty())
        m_form.restoreState(state);
    const QByteArray splitter = Settings::splitterState();
    if (!splitter.isEmpty())
        m_form.Splitter1->restoreState(splitter);
}

QString WindowState::rememberedCategory(const QString& path) {
    const QString full = absolute(path);
    const QStringList pairs = Settings::lastCategories();
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2)
        if (pairs.at(i) == full)
            return pairs.at(i + 1);
    return QString();
}

void WindowState::rememberCategory() {
    const OpenDocument* document = m_form.openDocument();
    const QListWidgetItem* item = m_form.CatsListBox->currentItem();
    if (!document || document->fileName().isEmpty() || !item)
        return;
    const QString full = absolute(document->fileName());
    QStringList pairs{full, item->text()};
    const QStringList old = Settings::lastCategories();
    for (qsizetype i = 0; i + 1 < old.size() && pairs.size() < 2 * kRememberedFiles; i += 2)
        if (old.at(i) != full)
            pairs << old.at(i) << old.at(i + 1);
    Settings::setLastCategories(pairs);
}

void WindowState::restoreCategory(const QString& path) {
    const QString name = rememberedCategory(path);
    if (name.isEmpty())
        return;
    const QList<QListWidgetItem*> found = m_form.CatsListBox->findItems(name, Qt::MatchExactly);
    // Selected as a click would, so that the strings and the editor follow.
    if (!found.isEmpty())
        m_form.CatsListBox->setCurrentItem(found.front());
}

} // namespace vste::ui
