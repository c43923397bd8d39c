// SPDX-License-Identifier: MIT
#include "ui/ValueWrapping.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextOption>

#include "ui/MainForm.h"
#include "ui/Settings.h"
#include "ui/StringsModel.h"

namespace vste::ui {

ValueWrapping::ValueWrapping(TMainForm& form) : QObject(&form), m_form(form) {
    setObjectName(QStringLiteral("ValueWrapping"));
    m_action = new QAction(this);
    m_action->setObjectName(QStringLiteral("WrapLongValuesAction"));
    m_action->setCheckable(true);
    m_menu = form.menuBar()->findChild<QMenu*>(QStringLiteral("View"), Qt::FindDirectChildrenOnly);
    if (m_menu) {
        m_menu->addSeparator()->setObjectName(QStringLiteral("WrapSeparator"));
        m_menu->addAction(m_action);
        m_menu->installEventFilter(this);
    }
    setWrapping(Settings::wrapLongValues());
    connect(m_action, &QAction::toggled, this, [this](bool wrap) {
        setWrapping(wrap);
        Settings::setWrapLongValues(wrap);
    });
    retranslate();
}

// The grid keeps one line per row: rows of their own heights would have to be measured one by
// one, which a category of a million strings cannot afford; its tooltips wrap instead.
void ValueWrapping::setWrapping(bool wrap) {
    const QSignalBlocker blocker(m_action);
    m_action->setChecked(wrap);
    QPlainTextEdit* memo = m_form.EditorMemo;
    memo->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    // A word longer than the box is broken too, so nothing is left to scroll to.
    memo->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    memo->setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
    m_form.Strings->setWrapToolTips(wrap);
}

void ValueWrapping::retranslate() {
    m_action->setText(tr("Wrap long values"));
}

bool ValueWrapping::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_menu && event->type() == QEvent::LanguageChange)
        retranslate();
    return QObject::eventFilter(watched, event);
}

} // namespace vste::ui
