// SPDX-License-Identifier: MIT
// The rows of the Problems panel: the findings of one check of the open document.
#pragma once

#include <QAbstractTableModel>

#include <cstddef>
#include <vector>

#include "checks/Finding.h"

namespace vste::ui {

class ProblemsModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { RuleColumn, SeverityColumn, NameColumn, MessageColumn, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    // Replaces every row; the counts follow.
    void setFindings(std::vector<Finding> findings);
    // The finding of `row`, or null outside the table.
    const Finding* findingAt(int row) const;
    std::size_t errors() const { return m_errors; }
    std::size_t warnings() const { return m_warnings; }
    // Headers and severities are shown in the interface's language: show them anew.
    void retranslate();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString cellText(const Finding& finding, int column) const;

    std::vector<Finding> m_findings;
    std::size_t m_errors = 0;
    std::size_t m_warnings = 0;
};

} // namespace vste::ui
