// SPDX-License-Identifier: MIT
// The Find and Replace panel's widgets: pattern, replacement, where to look, options, buttons,
// the counts and the results list. The panel only shows; FindController acts.
#pragma once

#include <QWidget>

#include "search/Matcher.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace vste::ui {

class FindPanel final : public QWidget {
    Q_OBJECT

public:
    explicit FindPanel(QWidget* parent = nullptr);

    // The search the boxes describe, for the matcher.
    search::SearchOptions options() const;
    std::u16string replacement() const;
    // Shows a pattern error beside the box (empty text hides it).
    void showPatternError(const QString& text);
    void retranslateUi();

    QLabel* PatternLabel = nullptr;
    QLineEdit* PatternEdit = nullptr;
    QLabel* PatternErrorLabel = nullptr;
    QLabel* ReplacementLabel = nullptr;
    QLineEdit* ReplacementEdit = nullptr;
    QLabel* LookInLabel = nullptr;
    QCheckBox* InNamesBox = nullptr;
    QCheckBox* InValuesBox = nullptr;
    QCheckBox* InExtrasBox = nullptr;
    QCheckBox* InReferenceBox = nullptr; // enabled while a reference is open
    QCheckBox* MatchCaseBox = nullptr;
    QCheckBox* WholeWordBox = nullptr;
    QCheckBox* RegexBox = nullptr;
    QPushButton* FindAllButton = nullptr;
    QPushButton* StopButton = nullptr;
    QPushButton* ReplaceButton = nullptr;
    QPushButton* ReplaceAllButton = nullptr;
    QLabel* CountLabel = nullptr;
    QTableView* ResultsView = nullptr;

signals:
    void languageChanged();

protected:
    void changeEvent(QEvent* event) override;

private:
    QWidget* buildBoxes();
    QWidget* buildOptions();
};

} // namespace vste::ui
