// SPDX-License-Identifier: MIT
// The string grid's rows: the strings of one category of the open document.
#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/Model.h"

namespace vste::ui {

// Column 0 is a string's name, column 1 its first value (or the value last applied to the row
// until the category is shown again), and while a reference is set column 2 the first value of
// the reference's string of that name. Text is converted only when a cell is read, so a
// category of a million strings shows at once.
//
// A row source may narrow the rows a category shows and add reference strings after them; those
// rows have no Body index and are shown greyed.
class StringsModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;
    // Fills `rows` (Body indexes) and `referenceRows` (reference indexes) for a category's ids.
    using RowSource =
        std::function<void(const TIDs& ids, TIDs& rows, std::vector<std::uint32_t>& referenceRows)>;
    // The reference string paired with a Body index, or UINT32_MAX.
    using ReferenceOf = std::function<std::uint32_t(std::uint32_t bodyIndex)>;

    // Shows `ids` (indexes into the document's Body) of `document`; null clears the grid.
    void setRows(const TWestwoodStrings* document, TIDs ids);
    void clear() { setRows(nullptr, {}); }
    // Null shows every id; the rows of the category shown are taken again.
    void setRowSource(RowSource source);
    // Null hides the reference column.
    void setReference(const TWestwoodStrings* reference, ReferenceOf referenceOf);
    bool hasReference() const { return m_reference != nullptr; }
    // The Body index of a row, or -1 outside the grid or on a reference row.
    int bodyIndex(int row) const;
    // The reference index of a reference row, or -1.
    int referenceRow(int row) const;
    // The row showing Body index `index`, or -1.
    int rowOf(int index) const;
    // The row showing reference string `referenceIndex` as a string the document lacks, or -1.
    int rowOfReference(int referenceIndex) const;
    // The reference string of reference row `row` was added to the document as Body index
    // `index`: the row shows that string until the next setRows.
    void adoptReferenceRow(int row, int index);
    // Tooltips of the value and reference columns show the whole value wrapped.
    void setWrapToolTips(bool wrap);
    int rows() const { return static_cast<int>(m_ids.size() + m_referenceIds.size()); }
    QString cellText(int row, int column) const;
    // Sets the value cell of `row` until the next setRows.
    void setValueText(int row, const QString& text);
    // Names changed in place (a rename that stays in the category): repaint row.
    void refreshRow(int row);
    // The first row whose cell in `column` contains `query`, case-insensitively; -1 when none or
    // when the query is empty. A value search looks at the reference column too while it shows.
    int findRow(int column, const QString& query) const;
    // The document changed under the rows (an undo or a change of many strings): the grid and
    // the quick searches read it again.
    void documentChanged();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

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
    const TText* referenceTextAt(int row) const;
    const TText* storedText(int row, int column) const;
    void dropFolding();
    const FoldedColumn& foldedColumn(int column) const;
    int findInFolded(int column, const QString& folded) const;

    const TWestwoodStrings* m_document = nullptr;
    TIDs m_sourceIds;
    TIDs m_ids;
    std::vector<std::uint32_t> m_referenceIds;
    QHash<int, QString> m_valueTexts;
    QHash<int, int> m_adoptedRows; // reference rows whose string the document now has
    bool m_wrapToolTips = false;
    RowSource m_rowSource;
    const TWestwoodStrings* m_reference = nullptr;
    ReferenceOf m_referenceOf;
    mutable std::array<FoldedColumn, 3> m_folded;
};

} // namespace vste::ui
