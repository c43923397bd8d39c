// SPDX-License-Identifier: MIT
#include "ui/KeyboardAccess.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

#include <set>

#include "ui/FilterBar.h"
#include "ui/MainForm.h"
#include "ui/ReferenceWorkbench.h"

namespace vste::ui {

namespace {

// The favorites keep their documented "N. name" captions.
const QString kUnmarkedMenu = QStringLiteral("OpenFavorite");

// Position of the single "&" that marks the accelerator; -1 without one.
qsizetype markPosition(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) != QLatin1Char('&'))
            return i;
        ++i; // a shown ampersand
    }
    return -1;
}

bool wordStart(const QString& text, qsizetype i) {
    return i == 0 || !text.at(i - 1).isLetterOrNumber();
}

// Where to put the mark: a free letter that starts a word, else any free letter; -1 if none.
qsizetype choosePosition(const QString& text, const std::set<QChar>& used) {
    for (const bool startsOnly : {true, false}) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c == QLatin1Char('&')) {
                ++i; // skips both characters of "&&"
                continue;
            }
            if (c.isLetterOrNumber() && (!startsOnly || wordStart(text, i)) &&
                !used.count(c.toLower()))
                return i;
        }
    }
    return -1;
}

// Marks the actions that have no letter yet, keeping the letters already given.
void markActions(const QList<QAction*>& actions) {
    std::set<QChar> used;
    for (const QAction* action : actions)
        if (const QChar letter = AcceleratorOf(action->text()); !letter.isNull())
            used.insert(letter);
    for (QAction* action : actions) {
        const QString text = action->text();
        if (action->isSeparator() || text.isEmpty() || markPosition(text) >= 0)
            continue;
        const qsizetype at = choosePosition(text, used);
        if (at < 0)
            continue;
        used.insert(text.at(at).toLower());
        action->setText(text.left(at) + QLatin1Char('&') + text.mid(at));
    }
}

} // namespace

QString WithoutAccelerator(const QString& text) {
    const qsizetype at = markPosition(text);
    return at < 0 ? text : text.left(at) + text.mid(at + 1);
}

QChar AcceleratorOf(const QString& text) {
    const qsizetype at = markPosition(text);
    return at < 0 ? QChar() : text.at(at + 1).toLower();
}

KeyboardAccess::KeyboardAccess(TMainForm& form) : m_form(form) {
    setObjectName(QStringLiteral("KeyboardAccess"));
    m_form.menuBar()->installEventFilter(this);
    watchMenus();
    markMenuBar();
    setTabOrder();
    addMissingKeys();
    // Enter and F2 in the grid go on to edit the string's value.
    m_form.StringsGrid->installEventFilter(this);

    // Ctrl+Enter applies the value from anywhere in the editor, the memo included (Enter
    // alone starts a new line there), and goes on to the next string the grid shows, with the
    // value box focused; Shift goes back. Alt+Down and Alt+Up move the same way from anywhere
    // in the window and leave the focus where it is.
    const auto moving = [this](QKeyCombination keys, const char* name, int step, bool apply) {
        auto* shortcut = new QShortcut(QKeySequence(keys),
                                       apply ? static_cast<QWidget*>(m_form.StringBox) : &m_form);
        shortcut->setObjectName(QString::fromLatin1(name));
        shortcut->setContext(apply ? Qt::WidgetWithChildrenShortcut : Qt::WindowShortcut);
        // Leaving the string applies what was typed as one Apply step; an untouched string
        // makes no step.
        connect(shortcut, &QShortcut::activated, this, [this, step, apply] {
            if (m_form.moveToString(step) && apply)
                m_form.EditorMemo->setFocus();
        });
    };
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        moving(Qt::CTRL | key, "ApplyShortcut", 1, true);
        moving(Qt::CTRL | Qt::SHIFT | key, "ApplyBackShortcut", -1, true);
    }
    moving(Qt::ALT | Qt::Key_Down, "NextStringShortcut", 1, false);
    moving(Qt::ALT | Qt::Key_Up, "PreviousStringShortcut", -1, false);
}

void KeyboardAccess::markMenuBar() {
    markActions(m_form.menuBar()->actions());
}

void KeyboardAccess::markMenu(QMenu* menu) {
    if (menu->objectName() != kUnmarkedMenu)
        markActions(menu->actions());
}

void KeyboardAccess::watchMenus() {
    for (QMenu* menu : m_form.menuBar()->findChildren<QMenu*>()) {
        if (menu->property("vsteWatched").toBool())
            continue;
        menu->setProperty("vsteWatched", true);
        connect(menu, &QMenu::aboutToShow, this, [this, menu] {
            // Menus added since the start are watched as well.
            watchMenus();
            markMenu(menu);
        });
    }
}

bool KeyboardAccess::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_form.StringsGrid && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        const bool edit =
            key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_F2;
        if (edit && modifiers == Qt::NoModifier && m_form.EditorMemo->isEnabled()) {
            m_form.EditorMemo->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
    }
    // Captions are set again on every change of language, by the window and by every part that
    // owns a menu; the letters follow once all of them are done. Marking changes captions only
    // where a letter is missing, so it ends.
    const QEvent::Type type = event->type();
    if (watched == m_form.menuBar() && !m_markPending &&
        (type == QEvent::ActionChanged || type == QEvent::ActionAdded)) {
        m_markPending = true;
        QTimer::singleShot(0, this, [this] {
            m_markPending = false;
            markMenuBar();
        });
    }
    return QObject::eventFilter(watched, event);
}

// The translator's way first: categories, the filter, strings, the name, the value, the extra
// value and Apply; then the value number, Copy reference, Insert and Delete, the quick searches
// and Add missing. Tab leaves the grid instead of moving between its cells.
void KeyboardAccess::setTabOrder() {
    ReferenceWorkbench* workbench = m_form.workbench();
    const QList<QWidget*> order{
        m_form.CatsListBox,
        workbench->filter().combo(),
        m_form.StringsGrid,
        m_form.StringNameEdit,
        m_form.EditorMemo,
        m_form.SubStringEdit,
        m_form.SaveButton,
        m_form.ValuesSpinEdit,
        m_form.AddValueButton,
        m_form.RemoveValueButton,
        workbench->copyReferenceButton(),
        m_form.InsertButton,
        m_form.DeleteButton,
        m_form.QuickNameSearchEdit,
        m_form.QuickStringSearchEdit,
        workbench->filter().bar()->findChild<QPushButton*>(QStringLiteral("AddMissingButton"))};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order.at(i), order.at(i + 1));
    m_form.StringsGrid->setTabKeyNavigation(false);
    // Tool buttons take no focus by default, which would leave them to the mouse alone.
    m_form.AddValueButton->setFocusPolicy(Qt::StrongFocus);
    m_form.RemoveValueButton->setFocusPolicy(Qt::StrongFocus);
}

namespace {

// Adds the `keys` that `action` lacks after the ones it has.
void AddKeys(QAction* action, const QList<QKeySequence>& keys) {
    QList<QKeySequence> shortcuts = action->shortcuts();
    for (const QKeySequence& key : keys)
        if (!shortcuts.contains(key))
            shortcuts << key;
    action->setShortcuts(shortcuts);
}

} // namespace

// The platform's standard keys differ: Save as has none on some, and Redo is Ctrl+Shift+Z alone
// on Linux while Windows users press Ctrl+Y. Every platform gets both.
void KeyboardAccess::addMissingKeys() {
    AddKeys(m_form.Saveas1, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    AddKeys(m_form.Redo1,
            {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
}

} // namespace vste::ui
