// SPDX-License-Identifier: MIT
// Files dropped on the window are opened through the window's open routine.
#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

namespace vste::ui {

class TMainForm;

class FileDrop final : public QObject {
    Q_OBJECT

public:
    explicit FileDrop(TMainForm& form);

    // Opens the first of `paths` (in the format its extension names, CSF otherwise) with the
    // unsaved-changes prompt, and says in the status bar when others were left.
    void openDropped(const QStringList& paths);
    // The local files among `urls`.
    static QStringList localFiles(const QList<QUrl>& urls);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TMainForm& m_form;
};

} // namespace vste::ui
