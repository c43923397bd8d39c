// SPDX-License-Identifier: MIT
// The translator's workbench in the window: File > Open reference and Close reference, the
// reference column and the reference's value above the editor, the filter, and File > Update
// translation and Compare with.
#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <string>

#include "core/Model.h"
#include "formats/Registry.h"

class QAbstractButton;
class QAction;
class QEvent;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;

namespace vste::ui {

class CompareController;
class FilterController;
class ReferenceTable;
class TMainForm;

class ReferenceWorkbench final : public QObject {
    Q_OBJECT

public:
    explicit ReferenceWorkbench(TMainForm& form);
    ~ReferenceWorkbench() override;

    // Adds the workbench's items to the File menu, before its last part (Exit).
    void addActionsTo(QMenu* file);
    // Adds Copy reference to the Edit menu, after `after`.
    void addEditActionsTo(QMenu* edit, QAction* after);

    ReferenceTable& reference() { return *m_reference; }
    FilterController& filter() { return *m_filter; }
    CompareController& compare() { return *m_compare; }
    QPlainTextEdit* referenceValueEdit() const { return m_valueEdit; }
    QLabel* referenceStatus() const { return m_status; }
    QAbstractButton* copyReferenceButton() const { return m_copyButton; }
    QAction* copyReferenceAction() const { return m_copy; }
    // The reference's value of the grid's current string and value number, if it has one.
    std::optional<std::u16string> currentReferenceValue() const;
    // The reference value `valueIndex` of the string in browser row `row`; none without one.
    std::optional<std::u16string> referenceValueAt(int row, std::size_t valueIndex) const;
    // Puts that value in the value box as typed text and gives the box the focus.
    void copyReference();

    // Reads `fileName` as format `filterIndex` (1..8) as the reference; false (with the
    // reader's message shown) when it cannot be read.
    bool openReference(const QString& fileName, int filterIndex);
    void closeReference();
    // Carries the open document (the translation) over from `oldSource` to `newSource` as one
    // step, then opens `newSource` as the reference and marks the strings to review.
    bool updateTranslation(const QString& oldSource, int oldFilter, const QString& newSource,
                           int newFilter);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openReferenceClick();
    void updateTranslationClick();
    std::optional<std::pair<QString, int>> askFile(const QString& caption);
    std::unique_ptr<TWestwoodStrings> read(const QString& fileName, int filterIndex);
    void referenceChanged();
    void showReferenceValue();
    void retranslate();

    TMainForm& m_form;
    std::unique_ptr<ReferenceTable> m_reference;
    FilterController* m_filter = nullptr;
    CompareController* m_compare = nullptr;
    QString m_lastFileName;
    int m_lastFilterIndex = 1;
    QGroupBox* m_box = nullptr;
    QPlainTextEdit* m_valueEdit = nullptr;
    QLabel* m_status = nullptr;
    QAction* m_open = nullptr;
    QAction* m_close = nullptr;
    QAction* m_update = nullptr;
    QAction* m_copy = nullptr;
    QAbstractButton* m_copyButton = nullptr;
};

} // namespace vste::ui
