// SPDX-License-Identifier: MIT
#include "ui/StringsModel.h"

#include <algorithm>

#include "ui/AnsiText.h"

namespace vste::ui {

namespace {

// Ends every row of a folded column; a match that reaches it crosses into the next row.
constexpr char16_t kRowEnd = 0xFFFF;

// Folds `text` in place exactly as a case-insensitive QString comparison folds each character,
// so a plain comparison of folded texts finds what Qt::CaseInsensitive finds. ASCII, nearly
// every character of game strings, takes the short way.
void FoldInPlace(QString& text) {
    char16_t* unit = reinterpret_cast<char16_t*>(text.data());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = unit[i];
        if (c < 0x80) {
            if (c >= u'A' && c <= u'Z')
                unit[i] = static_cast<char16_t>(c | 0x20);
        } else if (QChar::isHighSurrogate(c) && i + 1 < size &&
                   QChar::isLowSurrogate(unit[i + 1])) {
            const char32_t folded = QChar::toCaseFolded(QChar::surrogateToUcs4(c, unit[i + 1]));
            if (QChar::requiresSurrogates(folded)) {
                unit[i] = QChar::highSurrogate(folded);
                unit[i + 1] = QChar::lowSurrogate(folded);
            }
            ++i;
        } else {
            unit[i] = static_cast<char16_t>(QChar::toCaseFolded(static_cast<char32_t>(c)));
        }
    }
}

} // namespace

void StringsModel::setRows(const TWestwoodStrings* document, TIDs ids) {
    beginResetModel();
    m_document = document;
    m_ids = std::move(ids);
    m_valueTexts.clear();
    dropFolding();
    endResetModel();
}

void StringsModel::dropFolding() {
    for (FoldedColumn& column : m_folded)
        column = FoldedColumn{};
}

void StringsModel::documentChanged() {
    dropFolding();
    if (rows() > 0)
        emit dataChanged(index(0, 0), index(rows() - 1, 1));
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
        return documentCell(*text, 0);
    const auto found = m_valueTexts.constFind(row);
    if (found != m_valueTexts.constEnd())
        return *found;
    return documentCell(*text, 1);
}

QString StringsModel::documentCell(const TText& text, int column) const {
    if (column == 0)
        return AnsiToQString(text.Name);
    return text.Values.empty() ? QString() : U16ToQString(text.Values.front().Value);
}

void StringsModel::setValueText(int row, const QString& text) {
    if (row < 0 || row >= rows())
        return;
    m_valueTexts.insert(row, text);
    emit dataChanged(index(row, 1), index(row, 1));
}

void StringsModel::refreshRow(int row) {
    if (row < 0 || row >= rows())
        return;
    m_folded[0] = FoldedColumn{};
    emit dataChanged(index(row, 0), index(row, 1));
}

const StringsModel::FoldedColumn& StringsModel::foldedColumn(int column) const {
    FoldedColumn& folded = m_folded[column == 0 ? 0 : 1];
    if (folded.built)
        return folded;
    const int count = rows();
    folded.starts.reserve(static_cast<std::size_t>(count) + 1);
    folded.text.reserve(static_cast<qsizetype>(count) * 48);
    for (int row = 0; row < count; ++row) {
        folded.starts.push_back(folded.text.size());
        const TText* text = textAt(row);
        if (text && column == 0)
            folded.text += AnsiToQString(text->Name);
        else if (text && !text->Values.empty())
            folded.text += QStringView(text->Values.front().Value);
        folded.text += QChar(kRowEnd);
    }
    folded.starts.push_back(folded.text.size());
    FoldInPlace(folded.text);
    folded.built = true;
    return folded;
}

// The first row of the document's cells holding `folded`; rows with a value set by
// setValueText are left to the caller.
int StringsModel::findInFolded(int column, const QString& folded) const {
    const FoldedColumn& cells = foldedColumn(column);
    const QStringView text(cells.text);
    qsizetype from = 0;
    while (true) {
        const qsizetype at = text.indexOf(folded, from, Qt::CaseSensitive);
        if (at < 0)
            return -1;
        const auto next = std::upper_bound(cells.starts.begin(), cells.starts.end(), at);
        const int row = static_cast<int>(next - cells.starts.begin()) - 1;
        // A later match in the same row would end even further on, so the row is done when this
        // one crosses its end.
        const bool inRow = at + folded.size() < *next;
        if (inRow && (column == 0 || !m_valueTexts.contains(row)))
            return row;
        from = *next;
    }
}

int StringsModel::findRow(int column, const QString& query) const {
    if (query.isEmpty() || !m_document)
        return -1;
    QString folded = query;
    FoldInPlace(folded);
    int found = findInFolded(column, folded);
    if (column != 0) {
        for (auto it = m_valueTexts.constBegin(); it != m_valueTexts.constEnd(); ++it)
            if ((found < 0 || it.key() < found) && it->contains(query, Qt::CaseInsensitive))
                found = it.key();
    }
    return found;
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
