// SPDX-License-Identifier: MIT
#include "ui/StringsModel.h"

#include "ui/AnsiText.h"

namespace vste::ui {

void StringsModel::setRows(const TWestwoodStrings* document, TIDs ids) {
    beginResetModel();
    m_document = document;
    m_ids = std::move(ids);
    m_valueTexts.clear();
    endResetModel();
}

const TText* StringsModel::textAt(int row) const {
    const int index = bodyIndex(row);
    if (index < 0 || !m_document || static_cast<std::size_t>(index) >= m_document->Body.size())
        return nullptr;
    return &m_document->Body[static_cast<std::size_t>(index)];
}

int StringsModel::bodyIndex(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= m_ids.size())
        return -1;
    return m_ids[static_cast<std::size_t>(row)];
}

QString StringsModel::cellText(int row, int column) const {
    const TText* text = textAt(row);
    if (!text)
        return {};
    if (column == 0)
        return AnsiToQString(text->Name);
    const auto found = m_valueTexts.constFind(row);
    if (found != m_valueTexts.constEnd())
        return *found;
    return text->Values.empty() ? QString() : U16ToQString(text->Values.front().Value);
}

void StringsModel::setValueText(int row, const QString& text) {
    if (row < 0 || row >= rows())
        return;
    m_valueTexts.insert(row, text);
    emit dataChanged(index(row, 1), index(row, 1));
}

void StringsModel::refreshRow(int row) {
    if (row >= 0 && row < rows())
        emit dataChanged(index(row, 0), index(row, 1));
}

int StringsModel::findRow(int column, const QString& query) const {
    if (query.isEmpty() || !m_document)
        return -1;
    const int count = rows();
    for (int row = 0; row < count; ++row) {
        const TText* text = textAt(row);
        if (!text)
            continue;
        if (column == 0) {
            if (AnsiToQString(text->Name).contains(query, Qt::CaseInsensitive))
                return row;
            continue;
        }
        const auto found = m_valueTexts.constFind(row);
        if (found != m_valueTexts.constEnd()) {
            if (found->contains(query, Qt::CaseInsensitive))
                return row;
            continue;
        }
        if (text->Values.empty())
            continue;
        const std::u16string& value = text->Values.front().Value;
        const QStringView view(value.data(), static_cast<qsizetype>(value.size()));
        if (view.contains(query, Qt::CaseInsensitive))
            return row;
    }
    return -1;
}

int StringsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows();
}

int StringsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant StringsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return cellText(index.row(), index.column());
}

} // namespace vste::ui
