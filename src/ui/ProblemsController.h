// SPDX-License-Identifier: MIT
// The Problems panel: a dock listing what the check rules find in the open document (rule,
// severity, name, message), the View menu item that shows it, and the checking itself. The
// check runs again after every change of the document, in slices between the window's events,
// so that a table of a million strings never holds up the window.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "checks/Finding.h"
#include "checks/Wording.h"
#include "ui/OpenDocument.h"

class QAction;
class QDockWidget;
class QLabel;
class QMainWindow;
class QMenu;
class QMenuBar;
class QModelIndex;
class QTableView;

namespace vste {
class CheckEngine;
class Reference;
} // namespace vste

namespace vste::ui {

class ProblemsModel;

class ProblemsController final : public QObject {
    Q_OBJECT

public:
    // Shows string `stringIndex` (an index into the document's Body) at value `valueIndex`
    // (0-based) in the window's editor.
    using SelectString = std::function<void(int stringIndex, int valueIndex)>;

    ProblemsController(QMainWindow& window, SelectString select);
    ~ProblemsController() override;

    // Adds the Problems item to the menu bar's View menu, which is created before `before`
    // unless the bar has one already.
    void addViewMenu(QMenuBar* bar, QMenu* before);
    // The document to check; null for none. Its changes start a new check.
    void setDocument(OpenDocument* document);
    // The original-language table the reference rules compare with; null for none. The table
    // must stay alive and unchanged until the next call.
    void setReference(const TWestwoodStrings* reference);
    // The dictionary and glossary the spelling and glossary rules check against; a rule whose
    // part is null does not run. Both must stay alive and unchanged until the next call.
    void setExtras(const CheckExtras& extras);

    QDockWidget* dock() const { return m_dock; }
    QTableView* view() const { return m_view; }
    QMenu* viewMenu() const { return m_viewMenu; }
    QAction* toggleAction() const;
    ProblemsModel* model() const { return m_model; }
    // Whether a check is waiting or under way; the panel shows the previous findings meanwhile.
    bool isChecking() const { return m_delay.isActive() || m_slices.isActive(); }
    // Completes a waiting or running check at once.
    void finishNow();

signals:
    // The panel shows the findings of a completed check.
    void checked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createDock(QMainWindow& window);
    // A change makes the findings stale; a visible panel checks again after a short delay.
    void schedule();
    void resume();
    void start();
    void step();
    void publish();
    void stop();
    void retranslate();
    void showCounts();
    void activate(const QModelIndex& index);

    SelectString m_select;
    QPointer<OpenDocument> m_document;
    const TWestwoodStrings* m_referenceTable = nullptr;
    std::unique_ptr<Reference> m_reference;
    CheckExtras m_extras;
    std::unique_ptr<CheckEngine> m_engine;
    // Findings of the running check, and the next string it looks at.
    std::vector<Finding> m_pending;
    std::uint32_t m_next = 0;
    std::size_t m_parts = 0;    // parts of the engine's whole-table work
    std::size_t m_prepared = 0; // of which done
    bool m_stale = false;
    QTimer m_delay;
    QTimer m_slices;

    QDockWidget* m_dock = nullptr;
    QLabel* m_counts = nullptr;
    QTableView* m_view = nullptr;
    ProblemsModel* m_model = nullptr;
    QMenu* m_viewMenu = nullptr;
};

} // namespace vste::ui
