// SPDX-License-Identifier: MIT
// The results of Find all: one row per match, in table order. Only the matches are kept; the
// texts are read from the document when a row is shown, so a million results stay small.
#pragma once

#include <QAbstractTableModel>
#include <QStyledItemDelegate>

#include <cstdint>
#include <vector>

#include "core/Model.h"
#include "search/TableSearch.h"

namespace vste::ui {

class FindResultsModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { CategoryColumn, NameColumn, ValueColumn, FieldColumn, TextColumn, ColumnCount };
    // Where the match lies in the text column's display text (it may be cut around the match).
    enum Role { MatchStartRole = Qt::UserRole + 1, MatchLengthRole };

    using QAbstractTableModel::QAbstractTableModel;

    // Empties the list for a search of `document` (null: no document). `categories` name the
    // category of each string; `codePage` shows names and extra values.
    void reset(const TWestwoodStrings* document, const TCat& categories, int codePage);
    // The reference searched with the document: `pairs` gives the reference string of each
    // document string. Null forgets it (reset does too).
    void setReference(const TCSFBody* reference, std::vector<std::uint32_t> pairs);
    const TCSFBody* reference() const { return m_reference; }
    const std::vector<std::uint32_t>& referencePairs() const { return m_pairs; }
    // The categories changed (a rename): the category column follows.
    void setCategories(const TCat& categories);
    // Appends matches that come after every match already listed.
    void append(const std::vector<search::Match>& matches);
    // Puts `fresh` in place of the matches of one field. Returns the row of the first match of
    // that field afterwards (or where the field's matches would be).
    int replaceField(const search::Match& field, const std::vector<search::Match>& fresh);

    const search::Match* matchAt(int row) const;
    const TWestwoodStrings* document() const { return m_document; }
    // The index of the category that holds string `stringIndex`.
    std::size_t categoryOf(std::uint32_t stringIndex) const {
        return stringIndex < m_categoryOf.size() ? m_categoryOf[stringIndex] : SIZE_MAX;
    }
    int rows() const { return static_cast<int>(m_matches.size()); }
    std::size_t strings() const { return m_strings; }
    // The text of a match's field as it is in the document now; empty when the field is gone.
    std::u16string fieldText(const search::Match& match) const;
    int codePage() const { return m_codePage; }

    // The document changed since the search: rows may no longer be matches.
    bool stale() const { return m_stale; }
    void setStale(bool stale) { m_stale = stale; }
    // The interface language changed.
    void retranslate();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QVariant textColumn(const search::Match& match, int role) const;
    void countStrings();

    const TWestwoodStrings* m_document = nullptr;
    const TCSFBody* m_reference = nullptr;
    std::vector<std::uint32_t> m_pairs;
    std::vector<search::Match> m_matches;
    std::vector<std::uint32_t> m_categoryOf; // category index of each string
    QStringList m_categoryNames;
    int m_codePage = 0;
    std::size_t m_strings = 0;
    bool m_stale = false;
};

// Draws the text column with its match marked.
class MatchDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace vste::ui
