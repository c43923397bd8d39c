// SPDX-License-Identifier: MIT
// File > Export… and File > Import translation…: a table's values to an exchange file for
// translators (CSV, XLSX, gettext PO, XLIFF) and the translated values back, as one undoable
// step with a report. Reading, writing and planning run on a worker thread behind a window-modal
// progress box, so the window keeps painting and the document cannot change meanwhile.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

#include "core/Model.h"
#include "exchange/ApplyPlan.h"

class QAction;
class QMenu;
class QMessageBox;
class QProgressDialog;
class QThread;

namespace vste::ui {

class Dialogs;
class TMainForm;

class ExchangeController : public QObject {
    Q_OBJECT

public:
    ExchangeController(TMainForm& window, Dialogs& dialogs);
    ~ExchangeController() override;

    // Inserts Export… and Import translation… into `menu` before the separator group that
    // `before` opens (at the end when `before` is null).
    void addActionsTo(QMenu* menu, QAction* before);
    // The table whose values become the source text of an export; nullptr: none. It must stay
    // alive and unchanged while it is set.
    void setReference(const TWestwoodStrings* reference) { m_reference = reference; }

    QAction* exportAction() const { return m_export; }
    QAction* importAction() const { return m_import; }
    // True while a worker runs.
    bool busy() const { return m_worker != nullptr; }
    // The last import's report box while it is open.
    QMessageBox* reportBox() const;
    QProgressDialog* progressBox() const;

public slots:
    void exportClick();
    void importClick();

signals:
    // A background export or import has ended: done, failed or cancelled.
    void finished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void retranslate();
    void updateActions();
    // Runs `work` on a worker thread; afterwards `done` runs here with the error text (empty on
    // success), unless the user cancelled.
    void runInBackground(const QString& label, std::function<void()> work,
                         std::function<void(const QString& error)> done);
    void workerFinished();
    void showReport();
    QString reportText() const;
    QString reportDetails() const;

    TMainForm& m_window;
    Dialogs& m_dialogs;
    const TWestwoodStrings* m_reference = nullptr;
    QAction* m_export = nullptr;
    QAction* m_import = nullptr;
    QString m_exportFileName;
    int m_exportFilter = 1;
    QString m_importFileName;
    int m_importFilter = 1;

    QThread* m_worker = nullptr;
    QPointer<QProgressDialog> m_progress;
    QString m_workError;
    std::function<void(const QString&)> m_done;
    std::optional<ApplyReport> m_report;
    QPointer<QMessageBox> m_reportBox;
};

} // namespace vste::ui
