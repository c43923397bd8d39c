// SPDX-License-Identifier: MIT
#include "ui/FindResultsModel.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>
#include <stdexcept>

#include "ui/AnsiText.h"

namespace vste::ui {

namespace {

// Text longer than this is shown from a little before its match.
constexpr std::uint32_t kShownBefore = 40;
constexpr std::uint32_t kShownLength = 200;

// The fields of one string in table order, for comparing the positions of matches.
std::uint64_t FieldOrder(const search::Match& m) {
    // The reference's values follow every field of the string itself.
    const std::uint32_t slot = m.inReference ? 0x80000000u + m.valueIndex
                               : m.field == search::Field::Name
                                   ? 0
                                   : m.valueIndex * 2 - (m.field == search::Field::Value ? 1 : 0);
    return (static_cast<std::uint64_t>(m.stringIndex) << 32) | slot;
}

} // namespace

void FindResultsModel::reset(const TWestwoodStrings* document, const TCat& categories,
                             int codePage) {
    beginResetModel();
    m_document = document;
    m_reference = nullptr;
    m_pairs.clear();
    m_matches.clear();
    m_matches.shrink_to_fit();
    m_codePage = codePage;
    m_strings = 0;
    m_stale = false;
    setCategories(categories);
    endResetModel();
}

void FindResultsModel::setReference(const TCSFBody* reference, std::vector<std::uint32_t> pairs) {
    m_reference = reference;
    m_pairs = reference ? std::move(pairs) : std::vector<std::uint32_t>();
}

void FindResultsModel::setCategories(const TCat& categories) {
    m_categoryOf.assign(m_document ? m_document->Body.size() : 0, 0);
    m_categoryNames.clear();
    for (std::size_t k = 0; k < categories.size(); ++k) {
        m_categoryNames << AnsiToQString(categories[k].Name);
        for (const std::int32_t id : categories[k].IDs)
            if (id >= 0 && static_cast<std::size_t>(id) < m_categoryOf.size())
                m_categoryOf[static_cast<std::size_t>(id)] = static_cast<std::uint32_t>(k);
    }
    if (!m_matches.empty())
        emit dataChanged(index(0, CategoryColumn), index(rows() - 1, CategoryColumn));
}

void FindResultsModel::append(const std::vector<search::Match>& matches) {
    if (matches.empty())
        return;
    beginInsertRows({}, rows(), rows() + static_cast<int>(matches.size()) - 1);
    for (const search::Match& match : matches) {
        if (m_matches.empty() || m_matches.back().stringIndex != match.stringIndex)
            ++m_strings;
        m_matches.push_back(match);
    }
    endInsertRows();
}

int FindResultsModel::replaceField(const search::Match& field,
                                   const std::vector<search::Match>& fresh) {
    const std::uint64_t order = FieldOrder(field);
    const auto first = std::partition_point(m_matches.begin(), m_matches.end(),
                                            [&](const auto& m) { return FieldOrder(m) < order; });
    const auto last = std::partition_point(first, m_matches.end(),
                                           [&](const auto& m) { return FieldOrder(m) == order; });
    const int row = static_cast<int>(first - m_matches.begin());
    const int removed = static_cast<int>(last - first);
    if (removed > 0) {
        beginRemoveRows({}, row, row + removed - 1);
        m_matches.erase(first, last);
        endRemoveRows();
    }
    if (!fresh.empty()) {
        beginInsertRows({}, row, row + static_cast<int>(fresh.size()) - 1);
        m_matches.insert(m_matches.begin() + row, fresh.begin(), fresh.end());
        endInsertRows();
    }
    countStrings();
    return row;
}

void FindResultsModel::countStrings() {
    m_strings = 0;
    for (std::size_t k = 0; k < m_matches.size(); ++k)
        if (k == 0 || m_matches[k - 1].stringIndex != m_matches[k].stringIndex)
            ++m_strings;
}

const search::Match* FindResultsModel::matchAt(int row) const {
    if (row < 0 || row >= rows())
        return nullptr;
    return &m_matches[static_cast<std::size_t>(row)];
}

std::u16string FindResultsModel::fieldText(const search::Match& match) const {
    if (!m_document)
        return {};
    if (match.inReference) {
        const std::uint32_t j =
            m_reference && match.stringIndex < m_pairs.size() ? m_pairs[match.stringIndex] : 0;
        if (!m_reference || j >= m_reference->size() || match.valueIndex == 0 ||
            match.valueIndex > (*m_reference)[j].Values.size())
            return {};
        return (*m_reference)[j].Values[match.valueIndex - 1].Value;
    }
    try {
        return search::FieldText(*m_document, match.stringIndex, match.valueIndex, match.field,
                                 m_codePage);
    } catch (const std::out_of_range&) {
        return {};
    }
}

void FindResultsModel::retranslate() {
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (!m_matches.empty())
        emit dataChanged(index(0, FieldColumn), index(rows() - 1, FieldColumn));
}

int FindResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows();
}

int FindResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FindResultsModel::textColumn(const search::Match& match, int role) const {
    const std::u16string text = fieldText(match);
    std::uint32_t from = 0;
    if (text.size() > kShownLength && match.start16 > kShownBefore)
        from = match.start16 - kShownBefore;
    QString shown = U16ToQString(std::u16string_view(text)
                                     .substr(std::min<std::size_t>(from, text.size()))
                                     .substr(0, kShownLength + match.length16));
    // One line per row; each sign stands for one character, so the match keeps its place.
    shown.replace(QLatin1Char('\n'), QChar(0x21B5));
    shown.replace(QLatin1Char('\r'), QChar(0x240D));
    shown.replace(QLatin1Char('\t'), QLatin1Char(' '));
    const int prefix = from > 0 ? 1 : 0;
    if (from > 0)
        shown.prepend(QChar(0x2026));
    if (role == MatchStartRole)
        return static_cast<int>(match.start16 - from) + prefix;
    if (role == MatchLengthRole)
        return static_cast<int>(match.length16);
    return shown;
}

QVariant FindResultsModel::data(const QModelIndex& index, int role) const {
    const search::Match* match = matchAt(index.row());
    if (!match || !index.isValid())
        return {};
    if (index.column() == TextColumn &&
        (role == Qt::DisplayRole || role == MatchStartRole || role == MatchLengthRole))
        return textColumn(*match, role);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case CategoryColumn: {
        const std::uint32_t k =
            match->stringIndex < m_categoryOf.size() ? m_categoryOf[match->stringIndex] : 0;
        return k < static_cast<std::uint32_t>(m_categoryNames.size())
                   ? m_categoryNames[static_cast<qsizetype>(k)]
                   : QString();
    }
    case NameColumn:
        return m_document && match->stringIndex < m_document->Body.size()
                   ? AnsiToQString(m_document->Body[match->stringIndex].Name)
                   : QString();
    case ValueColumn:
        return match->valueIndex == 0 ? QVariant() : QVariant(match->valueIndex);
    case FieldColumn:
        return match->inReference                     ? tr("reference")
               : match->field == search::Field::Name  ? tr("name")
               : match->field == search::Field::Value ? tr("value")
                                                      : tr("extra value");
    default:
        return {};
    }
}

QVariant FindResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case CategoryColumn:
        return tr("Category");
    case NameColumn:
        return tr("Name");
    case ValueColumn:
        return tr("Value");
    case FieldColumn:
        return tr("Field");
    case TextColumn:
        return tr("Text");
    default:
        return {};
    }
}

void MatchDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const int start = index.data(FindResultsModel::MatchStartRole).toInt();
    const int length = index.data(FindResultsModel::MatchLengthRole).toInt();
    const QString text = item.text;
    QStyle* style = item.widget ? item.widget->style() : QApplication::style();
    item.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, item.widget) + 1;
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget)
                           .adjusted(margin, 0, -margin, 0);
    const QFontMetrics metrics(item.font);
    const int x = area.left() + metrics.horizontalAdvance(text.left(start));
    const int width = std::max(2, metrics.horizontalAdvance(text.mid(start, length)));
    painter->save();
    painter->setClipRect(area);
    painter->fillRect(QRect(x, area.top() + 1, width, area.height() - 2), QColor(255, 200, 0, 140));
    const bool selected = item.state & QStyle::State_Selected;
    painter->setPen(item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(item.font);
    painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();
}

} // namespace vste::ui
