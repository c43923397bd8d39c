// SPDX-License-Identifier: MIT
#include "ui/KeyboardAccess.h"

#include <QAction>
#include <QEvent>
#include <QGroupBox>
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

#include "ui/MainForm.h"

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

// Categories, strings, the two quick searches, then the editor from its name down to its
// buttons, ending with Apply.
void KeyboardAccess::setTabOrder() {
    const QList<QWidget*> order{m_form.CatsListBox,         m_form.StringsGrid,
                                m_form.QuickNameSearchEdit, m_form.QuickStringSearchEdit,
                                m_form.StringNameEdit,      m_form.ValuesSpinEdit,
                                m_form.AddValueButton,      m_form.RemoveValueButton,
                                m_form.SubStringEdit,       m_form.EditorMemo,
                                m_form.DeleteButton,        m_form.InsertButton,
                                m_form.SaveButton};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order.at(i), order.at(i + 1));
    // Tool buttons take no focus by default, which would leave them to the mouse alone.
    m_form.AddValueButton->setFocusPolicy(Qt::StrongFocus);
    m_form.RemoveValueButton->setFocusPolicy(Qt::StrongFocus);
}

} // namespace vste::ui
