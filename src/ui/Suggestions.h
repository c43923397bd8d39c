// SPDX-License-Identifier: MIT
// Tools > Translation memory... and the Suggestions panel: a memory of the TMX files the user
// chose and the pairs of the reference and the document, built in the background; for the
// reference value of the string shown, the best matches with their scores, searched in the
// background too; Ctrl+1 ... Ctrl+9 put a suggestion's translation into the value box.
#pragma once

#include <QObject>
#include <QStringList>
#include <QThreadPool>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/Model.h"

class QAction;
class QDockWidget;
class QMainWindow;
class QMenu;
class QTableWidget;

namespace vste::ui {

class Dialogs;

class SuggestionsController final : public QObject {
    Q_OBJECT

public:
    static constexpr int kShown = 9;
    static constexpr int kMinScore = 70; // as vste-cli tm suggest by default

    struct Host {
        // The reference value of the string shown; none without one.
        std::function<std::optional<std::u16string>()> query;
        // The reference values of the strings a translator goes to next (the following one
        // first), searched ahead so that moving there shows their suggestions at once.
        std::function<std::vector<std::u16string>()> nearby;
        // The tables whose pairs join the memory (null: none).
        std::function<const TWestwoodStrings*()> document;
        std::function<const TWestwoodStrings*()> reference;
        // Puts a translation into the value box as typed text.
        std::function<void(const std::u16string&)> type;
    };
    struct Suggestion {
        std::u16string source;
        std::u16string target;
        int score = 0;
    };

    SuggestionsController(QMainWindow& window, Dialogs& dialogs, Host host);
    ~SuggestionsController() override;

    void addActionsTo(QMenu* tools);
    QDockWidget* dock() const { return m_dock; }
    // The memory's files; setting them rebuilds the memory.
    QStringList memoryFiles() const { return m_files; }
    void setMemoryFiles(const QStringList& files);
    // Builds the memory again from the files and the tables as they are now; while the panel is
    // hidden, only once it is shown.
    void rebuild();
    // Searches again for the string shown (while the panel is shown).
    void refresh();
    const std::vector<Suggestion>& suggestions() const { return m_shown; }
    // Puts suggestion `k` (0-based) into the value box.
    void take(int k);
    bool busy() const { return m_building > 0 || !m_pending.empty(); }
    void retranslate();

signals:
    // The suggestions shown were replaced (after a search or a rebuild).
    void suggestionsShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Memory;
    struct Found {
        std::u16string query;
        std::vector<Suggestion> suggestions;
    };
    void chooseFiles();
    // Searches `query` in the background; the result joins the recent ones, and is shown if the
    // string shown still asks for it.
    void search(const std::u16string& query);
    void searched(Found found, const std::shared_ptr<const Memory>& memory);
    // Searches the nearby strings not searched yet.
    void searchAhead();
    const std::vector<Suggestion>* recent(const std::u16string& query) const;
    void show(std::vector<Suggestion> found);

    QMainWindow& m_window;
    Dialogs& m_dialogs;
    Host m_host;
    QDockWidget* m_dock;
    QTableWidget* m_view;
    QAction* m_chooseAction;
    QStringList m_files;
    std::shared_ptr<const Memory> m_memory;
    bool m_stale = true; // the memory needs building before the next search
    std::vector<Suggestion> m_shown;
    std::optional<std::u16string> m_wanted; // the query of the string shown, until answered
    std::vector<Found> m_recent;            // the last searches' results, the newest last
    std::vector<std::u16string> m_pending;  // the queries being searched
    std::uint64_t m_build = 0;              // the last build started
    QThreadPool m_pool; // the builds and searches; waited for before the window goes
    int m_building = 0;
};

} // namespace vste::ui
