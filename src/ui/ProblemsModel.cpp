// SPDX-License-Identifier: MIT
#include "ui/ProblemsModel.h"

#include <QApplication>
#include <QStyle>

#include "ui/AnsiText.h"
#include "ui/MessageText.h"

namespace vste::ui {

void ProblemsModel::setFindings(std::vector<Finding> findings) {
    beginResetModel();
    m_findings = std::move(findings);
    m_errors = 0;
    m_warnings = 0;
    for (const Finding& finding : m_findings)
        ++(finding.severity == Severity::Error ? m_errors : m_warnings);
    endResetModel();
}

const Finding* ProblemsModel::findingAt(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= m_findings.size())
        return nullptr;
    return &m_findings[static_cast<std::size_t>(row)];
}

void ProblemsModel::retranslate() {
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (!m_findings.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

int ProblemsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_findings.size());
}

int ProblemsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString ProblemsModel::cellText(const Finding& finding, int column) const {
    switch (column) {
    case RuleColumn:
        return QString::fromLatin1(finding.rule.data(),
                                   static_cast<qsizetype>(finding.rule.size()));
    case SeverityColumn:
        return finding.severity == Severity::Error ? tr("error") : tr("warning");
    case NameColumn:
        // Names are bytes of the active code page, as the string grid shows them.
        return AnsiToQString(finding.name);
    default: {
        const QString message = MessageText::text(finding.wording);
        if (finding.valueIndex == 0)
            return message;
        return tr("value %1: %2").arg(finding.valueIndex + 1).arg(message);
    }
    }
}

QVariant ProblemsModel::data(const QModelIndex& index, int role) const {
    const Finding* finding = findingAt(index.row());
    if (!finding || index.column() < 0 || index.column() >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return cellText(*finding, index.column());
    if (role == Qt::DecorationRole && index.column() == SeverityColumn)
        return QApplication::style()->standardIcon(finding->severity == Severity::Error
                                                       ? QStyle::SP_MessageBoxCritical
                                                       : QStyle::SP_MessageBoxWarning);
    return {};
}

QVariant ProblemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case RuleColumn:
        return tr("Rule");
    case SeverityColumn:
        return tr("Severity");
    case NameColumn:
        return tr("Name");
    case MessageColumn:
        return tr("Message");
    default:
        return {};
    }
}

} // namespace vste::ui
