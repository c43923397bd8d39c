// SPDX-License-Identifier: MIT
// The string grid's rows: the strings of one category of the open document.
#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QString>

#include <array>
#include <vector>

#include "core/Model.h"

namespace vste::ui {

// Column 0 is a string's name, column 1 its first value (or the value last applied to the row
// until the category is shown again). Text is converted only when a cell is read, so a category
// of a million strings shows at once.
class StringsModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows `ids` (indexes into the document's Body) of `document`; null clears the grid.
    void setRows(const TWestwoodStrings* document, TIDs ids);
    void clear() { setRows(nullptr, {}); }
    // The Body index of a row, or -1 outside the grid.
    int bodyIndex(int row) const;
    int rows() const { return static_cast<int>(m_ids.size()); }
    QString cellText(int row, int column) const;
    // Sets the value cell of `row` until the next setRows.
    void setValueText(int row, const QString& text);
    // Names changed in place (a rename that stays in the category): repaint row.
    void refreshRow(int row);
    // The first row whose cell in `column` contains `query`, case-insensitively; -1 when none or
    // when the query is empty.
    int findRow(int column, const QString& query) const;
    // The document changed under the rows (an undo or a change of many strings): the grid and
    // the quick searches read it again.
    void documentChanged();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    // One column of every row, case-folded once and laid end to end, so that a quick search
    // keystroke is one scan of contiguous memory instead of folding every cell again. Built at
    // the first search of the column; dropped whenever the rows or the document change.
    struct FoldedColumn {
        QString text;                  // each row's folded cell followed by a separator
        std::vector<qsizetype> starts; // where each row begins, then the end of the text
        bool built = false;
    };

    const TText* textAt(int row) const;
    void dropFolding();
    QString documentCell(const TText& text, int column) const;
    const FoldedColumn& foldedColumn(int column) const;
    int findInFolded(int column, const QString& folded) const;

    const TWestwoodStrings* m_document = nullptr;
    TIDs m_ids;
    QHash<int, QString> m_valueTexts;
    mutable std::array<FoldedColumn, 2> m_folded;
};

} // namespace vste::ui
