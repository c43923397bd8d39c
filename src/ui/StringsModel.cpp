// SPDX-License-Identifier: MIT
#include "ui/StringsModel.h"

#include <QBrush>
#include <QPalette>

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

QString FirstValue(const TText& text) {
    return text.Values.empty() ? QString() : U16ToQString(text.Values.front().Value);
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
    m_adoptedRows.clear();
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
        emit dataChanged(index(0, 0), index(rows() - 1, columnCount() - 1));
}

void StringsModel::setRowSource(RowSource source) {
    m_rowSource = std::move(source);
    setRows(m_document, std::move(m_sourceIds));
}

void StringsModel::setReference(const TWestwoodStrings* reference, ReferenceOf referenceOf) {
    beginResetModel();
    m_reference = reference;
    m_referenceOf = reference ? std::move(referenceOf) : ReferenceOf{};
    dropFolding();
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
    if (row < 0)
        return -1;
    if (static_cast<std::size_t>(row) < m_ids.size())
        return m_ids[static_cast<std::size_t>(row)];
    return m_adoptedRows.value(row, -1);
}

int StringsModel::referenceRow(int row) const {
    const auto k = static_cast<std::size_t>(row) - m_ids.size();
    if (row < 0 || static_cast<std::size_t>(row) < m_ids.size() || k >= m_referenceIds.size() ||
        m_adoptedRows.contains(row))
        return -1;
    return static_cast<int>(m_referenceIds[k]);
}

int StringsModel::rowOf(int index) const {
    for (std::size_t row = 0; row < m_ids.size(); ++row)
        if (m_ids[row] == index)
            return static_cast<int>(row);
    for (auto it = m_adoptedRows.constBegin(); it != m_adoptedRows.constEnd(); ++it)
        if (it.value() == index)
            return it.key();
    return -1;
}

int StringsModel::rowOfReference(int referenceIndex) const {
    for (std::size_t k = 0; k < m_referenceIds.size(); ++k) {
        const int row = static_cast<int>(m_ids.size() + k);
        if (static_cast<int>(m_referenceIds[k]) == referenceIndex && !m_adoptedRows.contains(row))
            return row;
    }
    return -1;
}

void StringsModel::adoptReferenceRow(int row, int index) {
    if (referenceRow(row) < 0 || index < 0)
        return;
    m_adoptedRows.insert(row, index);
    refreshRow(row);
}

void StringsModel::setWrapToolTips(bool wrap) {
    m_wrapToolTips = wrap;
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
    if (row < 0 || row >= rows())
        return;
    dropFolding();
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

// The text of a row's cell in `column` as the tables hold it: the reference's string for the
// reference column and for reference rows (which show nothing in the value column).
const TText* StringsModel::storedText(int row, int column) const {
    if (column == 2 || referenceRow(row) >= 0)
        return column == 1 ? nullptr : referenceTextAt(row);
    return textAt(row);
}

const StringsModel::FoldedColumn& StringsModel::foldedColumn(int column) const {
    FoldedColumn& folded = m_folded[static_cast<std::size_t>(column)];
    if (folded.built)
        return folded;
    const int count = rows();
    folded.starts.reserve(static_cast<std::size_t>(count) + 1);
    folded.text.reserve(static_cast<qsizetype>(count) * 48);
    for (int row = 0; row < count; ++row) {
        folded.starts.push_back(folded.text.size());
        const TText* text = storedText(row, column);
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

// The first row whose stored cell holds `folded`; value cells set by setValueText are left to the
// caller.
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
        if (inRow && (column != 1 || !m_valueTexts.contains(row)))
            return row;
        from = *next;
    }
}

int StringsModel::findRow(int column, const QString& query) const {
    if (query.isEmpty() || !m_document)
        return -1;
    QString folded = query;
    FoldInPlace(folded);
    int found = findInFolded(column == 0 ? 0 : 1, folded);
    const auto earlier = [&found](int row) {
        if (row >= 0 && (found < 0 || row < found))
            found = row;
    };
    if (column != 0) {
        if (m_reference)
            earlier(findInFolded(2, folded));
        for (auto it = m_valueTexts.constBegin(); it != m_valueTexts.constEnd(); ++it)
            if (it->contains(query, Qt::CaseInsensitive))
                earlier(it.key());
    }
    return found;
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
    const QString text = cellText(index.row(), index.column());
    // Rich text makes the tooltip break its lines instead of spanning the screen.
    if (role == Qt::ToolTipRole && m_wrapToolTips && index.column() != 0 && !text.isEmpty())
        return QStringLiteral("<p style='white-space:pre-wrap'>%1</p>").arg(text.toHtmlEscaped());
    return text;
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
