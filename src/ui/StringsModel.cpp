// SPDX-License-Identifier: MIT
#include "ui/StringsModel.h"

#include <QBrush>
#include <QPalette>

#include "ui/AnsiText.h"

namespace vste::ui {

namespace {

QString FirstValue(const TText& text) {
    return text.Values.empty() ? QString() : U16ToQString(text.Values.front().Value);
}

bool FirstValueContains(const TText& text, const QString& query) {
    if (text.Values.empty())
        return false;
    const std::u16string& value = text.Values.front().Value;
    const QStringView view(value.data(), static_cast<qsizetype>(value.size()));
    return view.contains(query, Qt::CaseInsensitive);
}

} // namespace

void StringsModel::setRows(const TWestwoodStrings* document, TIDs ids) {
    beginResetModel();
    m_document = document;
    m_sourceIds = std::move(ids);
    m_ids.clear();
    m_referenceIds.clear();
    if (m_rowSource && m_document)
        m_rowSource(m_sourceIds, m_ids, m_referenceIds);
    else
        m_ids = m_sourceIds;
    m_valueTexts.clear();
    endResetModel();
}

void StringsModel::setRowSource(RowSource source) {
    m_rowSource = std::move(source);
    setRows(m_document, std::move(m_sourceIds));
}

void StringsModel::setReference(const TWestwoodStrings* reference, ReferenceOf referenceOf) {
    beginResetModel();
    m_reference = reference;
    m_referenceOf = reference ? std::move(referenceOf) : ReferenceOf{};
    endResetModel();
}

const TText* StringsModel::textAt(int row) const {
    const int index = bodyIndex(row);
    if (index < 0 || !m_document || static_cast<std::size_t>(index) >= m_document->Body.size())
        return nullptr;
    return &m_document->Body[static_cast<std::size_t>(index)];
}

const TText* StringsModel::referenceTextAt(int row) const {
    if (!m_reference)
        return nullptr;
    std::uint32_t j = UINT32_MAX;
    const int referenceIndex = referenceRow(row);
    if (referenceIndex >= 0)
        j = static_cast<std::uint32_t>(referenceIndex);
    else if (const int index = bodyIndex(row); index >= 0 && m_referenceOf)
        j = m_referenceOf(static_cast<std::uint32_t>(index));
    return j < m_reference->Body.size() ? &m_reference->Body[j] : nullptr;
}

int StringsModel::bodyIndex(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= m_ids.size())
        return -1;
    return m_ids[static_cast<std::size_t>(row)];
}

int StringsModel::referenceRow(int row) const {
    const auto k = static_cast<std::size_t>(row) - m_ids.size();
    if (row < 0 || static_cast<std::size_t>(row) < m_ids.size() || k >= m_referenceIds.size())
        return -1;
    return static_cast<int>(m_referenceIds[k]);
}

int StringsModel::rowOf(int index) const {
    for (std::size_t row = 0; row < m_ids.size(); ++row)
        if (m_ids[row] == index)
            return static_cast<int>(row);
    return -1;
}

QString StringsModel::cellText(int row, int column) const {
    if (column == 2 || referenceRow(row) >= 0) {
        const TText* original = referenceTextAt(row);
        if (!original || column == 1)
            return {};
        return column == 0 ? AnsiToQString(original->Name) : FirstValue(*original);
    }
    const TText* text = textAt(row);
    if (!text)
        return {};
    if (column == 0)
        return AnsiToQString(text->Name);
    const auto found = m_valueTexts.constFind(row);
    if (found != m_valueTexts.constEnd())
        return *found;
    return FirstValue(*text);
}

void StringsModel::setValueText(int row, const QString& text) {
    if (bodyIndex(row) < 0)
        return;
    m_valueTexts.insert(row, text);
    emit dataChanged(index(row, 1), index(row, 1));
}

void StringsModel::refreshRow(int row) {
    if (row >= 0 && row < rows())
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

bool StringsModel::cellContains(int row, int column, const QString& query) const {
    if (column == 2) {
        const TText* original = referenceTextAt(row);
        return original && FirstValueContains(*original, query);
    }
    const TText* text = textAt(row);
    if (!text)
        return false;
    if (column == 0)
        return AnsiToQString(text->Name).contains(query, Qt::CaseInsensitive);
    const auto found = m_valueTexts.constFind(row);
    if (found != m_valueTexts.constEnd())
        return found->contains(query, Qt::CaseInsensitive);
    return FirstValueContains(*text, query);
}

int StringsModel::findRow(int column, const QString& query) const {
    if (query.isEmpty() || !m_document)
        return -1;
    const int count = rows();
    for (int row = 0; row < count; ++row) {
        if (cellContains(row, column, query))
            return row;
        if (column == 1 && m_reference && cellContains(row, 2, query))
            return row;
    }
    return -1;
}

int StringsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows();
}

int StringsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : (m_reference ? 3 : 2);
}

QVariant StringsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::ForegroundRole) {
        // Reference strings the document lacks, and the reference column, are not the
        // document's own text.
        if (referenceRow(index.row()) >= 0 || index.column() == 2)
            return QPalette().brush(QPalette::Disabled, QPalette::Text);
        return {};
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    return cellText(index.row(), index.column());
}

QVariant StringsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case 0:
        return tr("Name");
    case 1:
        return tr("Value");
    default:
        return tr("Reference");
    }
}

} // namespace vste::ui
