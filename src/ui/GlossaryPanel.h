// SPDX-License-Identifier: MIT
// The project's agreed terms in the window: Tools > Glossary... reads a CSV of term,translation,
// and the Glossary panel lists the terms found (whole words, ignoring case) in the reference's
// value of the shown string with their agreed translations, marking those the value box lacks.
#pragma once

#include <QObject>
#include <QString>

#include <string>
#include <vector>

#include "checks/Wording.h"

class QAction;
class QDockWidget;
class QEvent;
class QLabel;
class QMenu;
class QTreeWidget;

namespace vste::ui {

class TMainForm;

class GlossaryPanel final : public QObject {
    Q_OBJECT

public:
    // Adds the Tools menu before Help, and the panel (hidden until a glossary is read).
    explicit GlossaryPanel(TMainForm& form);
    ~GlossaryPanel() override;

    // Reads `fileName` as the glossary, remembers it for the next session and shows the panel;
    // false, with the reason shown, when it is not a glossary (the one before stays).
    bool load(const QString& fileName);
    // The terms read, or null before a glossary is read.
    const std::vector<GlossaryTerm>* terms() const { return m_loaded ? &m_terms : nullptr; }
    // Lists the terms of the shown string's reference value again.
    void refresh();

    QMenu* toolsMenu() const { return m_tools; }
    QAction* glossaryAction() const { return m_open; }
    QDockWidget* dock() const { return m_dock; }
    QTreeWidget* view() const { return m_view; }

signals:
    // Another glossary was read.
    void glossaryChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createDock();
    void restore();
    // Reads the glossary without a word; false, with the reason in `why`, when it cannot.
    bool read(const QString& fileName, std::string* why = nullptr);
    void openClick();
    void showDock();
    void markMissing();
    void showStatus();
    void retranslate();

    TMainForm& m_form;
    std::vector<GlossaryTerm> m_terms;
    std::vector<std::u16string> m_foldedTerms, m_foldedTranslations;
    bool m_loaded = false;
    QString m_fileName;
    QString m_lostFileName; // the last session's glossary, when it could not be read again
    // The terms of the shown reference value, as indexes into m_terms.
    std::vector<std::size_t> m_found;
    QMenu* m_tools = nullptr;
    QAction* m_open = nullptr;
    QDockWidget* m_dock = nullptr;
    QLabel* m_status = nullptr;
    QTreeWidget* m_view = nullptr;
};

} // namespace vste::ui
