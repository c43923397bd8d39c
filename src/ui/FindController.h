// SPDX-License-Identifier: MIT
// Edit > Find and Replace: a dock with the search over the whole table. Find all runs in short
// slices on the window's thread, so the list fills while the window stays responsive and the
// document cannot change under a running search; a new search, Stop or a change of the document
// ends it. Replace all plans in slices as well, asks, and then changes everything as one step of
// the history.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>

#include "search/ReplacePlan.h"
#include "search/TableSearch.h"
#include "ui/OpenDocument.h"

class QAction;
class QDockWidget;
class QMenu;

namespace vste::ui {

class FindPanel;
class FindResultsModel;
class TMainForm;

class FindController final : public QObject {
    Q_OBJECT

public:
    explicit FindController(TMainForm& form);
    ~FindController() override;

    // Find and Replace, Find next and Find previous, at the end of `menu`.
    void addActionsTo(QMenu* menu);

    FindPanel* panel() const { return m_panel; }
    QDockWidget* dock() const { return m_dock; }
    FindResultsModel* results() const { return m_results; }
    // A search or a Replace all plan is running.
    bool busy() const { return m_job != Job::None; }
    // The time a slice of work may take before the window looks at its events again (at least
    // one step of 256 strings is always done).
    void setSliceMilliseconds(qint64 ms) { m_sliceMs = ms; }
    // The row of the result shown last; -1 when none.
    int currentResult() const { return m_current; }

    QAction* FindReplaceAction = nullptr;
    QAction* FindNextAction = nullptr;
    QAction* FindPreviousAction = nullptr;

public slots:
    void showPanel();
    void findAll();
    void stop();
    void findNext();
    void findPrevious();
    // Shows result `row` in the window: its category, string and value, the match selected.
    void goToResult(int row);
    void replaceCurrent();
    void replaceAll();
    // The reference beside the document opened, closed or changed (null: none). Results that
    // list matches in the reference before are cleared.
    void setReference(const TWestwoodStrings* reference);

signals:
    // A Find all ended (finished, stopped or failed).
    void searchFinished();
    // A Replace all ended, whether it replaced, was cancelled or failed.
    void replaceAllFinished();

private:
    enum class Job { None, Find, Plan };

    void retranslate();
    void watchDocument();
    void documentChanged();
    // The matcher's view of the boxes; shows the pattern's error and returns nothing when the
    // search cannot run.
    std::optional<search::SearchOptions> searchOptions();
    void showPatternError(const search::PatternError& error);
    void checkPattern();
    void startFind(bool goToFirst);
    // Gives the new search the reference and its pairing when the options ask for it.
    void attachReference(const search::SearchOptions& options);
    void runSlice();
    void findSlice();
    void planSlice();
    void finishJob(const QString& message);
    void updateCount(const QString& message = {});
    void walk(int step);
    void showString(std::uint32_t stringIndex, std::uint32_t valueIndex);
    void selectMatch(const search::Match& match);
    // Replace all, once planned: asks, then pushes the plan as one step.
    void confirmPlan();
    // The new text of the field of `match` with that match alone replaced; empty with an
    // explanation in `problem` when it cannot be.
    std::optional<std::u16string> replaceOne(const search::Match& match, const std::u16string& text,
                                             QString& problem);
    // The core's reason for refusing a string, in the interface's language.
    QString refusalText(const search::StorageRefusal& refusal) const;
    void refreshField(const search::Match& match, std::uint32_t after);

    TMainForm& m_form;
    FindPanel* m_panel = nullptr;
    QDockWidget* m_dock = nullptr;
    FindResultsModel* m_results = nullptr;
    QPointer<OpenDocument> m_watched;

    Job m_job = Job::None;
    QTimer m_slices;
    qint64 m_sliceMs = 12; // short enough that typing stays smooth
    QElapsedTimer m_clock;
    std::unique_ptr<search::Finder> m_finder;
    std::unique_ptr<search::Replacer> m_replacer;
    search::ReplacePlan m_plan;
    search::SearchOptions m_searched; // the options of the list shown
    QString m_note;                   // what the last Replace all did, shown with the counts
    bool m_listed = false;            // the list shows a search (else the counts are not shown)
    bool m_goToFirst = false;
    bool m_focusMatch = false; // the match shown next gets the focus (Find next, previous)
    bool m_changing = false;   // our own change of the document is being pushed
    int m_current = -1;
};

} // namespace vste::ui
