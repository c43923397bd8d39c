// SPDX-License-Identifier: MIT
#include "ui/FileDrop.h"

#include <QAbstractScrollArea>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>

#include "ui/MainForm.h"
#include "ui/OpenFormats.h"

namespace vste::ui {

FileDrop::FileDrop(TMainForm& form) : m_form(form) {
    setObjectName(QStringLiteral("FileDrop"));
    m_form.setAcceptDrops(true);
    m_form.installEventFilter(this);
    // Text boxes take drops of their own; a dropped file must open rather than paste its path.
    for (QWidget* child : m_form.findChildren<QWidget*>()) {
        if (!child->acceptDrops())
            continue;
        child->installEventFilter(this);
        // Scrolled boxes take their drops on the viewport.
        if (auto* area = qobject_cast<QAbstractScrollArea*>(child))
            area->viewport()->installEventFilter(this);
    }
}

QStringList FileDrop::localFiles(const QList<QUrl>& urls) {
    QStringList paths;
    for (const QUrl& url : urls)
        if (url.isLocalFile())
            paths << url.toLocalFile();
    return paths;
}

void FileDrop::openDropped(const QStringList& paths) {
    if (paths.isEmpty())
        return;
    const QString first = paths.front();
    m_form.openFile(first, static_cast<int>(FormatOfFileName(first)));
    if (paths.size() > 1 && m_form.openDocument() && m_form.openDocument()->fileName() == first)
        m_form.setStatusText([count = paths.size(), name = QFileInfo(first).fileName()] {
            return tr("Only the first of %1 dropped files was opened: %2").arg(count).arg(name);
        });
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (localFiles(drag->mimeData()->urls()).isEmpty())
            break;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList paths = localFiles(drop->mimeData()->urls());
        if (paths.isEmpty())
            break;
        drop->acceptProposedAction();
        openDropped(paths);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vste::ui
