// SPDX-License-Identifier: MIT
#include "ui/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace vste::ui {

QString ToQtFilter(const QString& filter) {
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return filter;
    const QString description = filter.left(bar);
    QStringList patterns;
    for (const QString& part : filter.mid(bar + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString pattern = part.trimmed();
        if (pattern.isEmpty())
            continue;
        for (const QString& variant : {pattern, pattern.toLower(), pattern.toUpper()})
            if (!patterns.contains(variant))
                patterns << variant;
    }
    return description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

namespace {

std::optional<FileChoice> runFileDialog(QWidget* parent, const QStringList& filters,
                                        const QString& fileName, int filterIndex, bool save) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    QStringList qtFilters;
    for (const QString& filter : filters)
        qtFilters << ToQtFilter(filter);
    dialog.setNameFilters(qtFilters);
    if (filterIndex >= 1 && filterIndex <= qtFilters.size())
        dialog.selectNameFilter(qtFilters.at(filterIndex - 1));
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const qsizetype chosen = qtFilters.indexOf(dialog.selectedNameFilter());
    return FileChoice{dialog.selectedFiles().constFirst(), chosen < 0 ? 1 : int(chosen) + 1};
}

} // namespace

void StandardDialogs::error(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QApplication::applicationDisplayName(), text, QMessageBox::Ok);
}

bool StandardDialogs::question(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, QApplication::applicationDisplayName(), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<bool> StandardDialogs::questionWithCancel(QWidget* parent, const QString& text) {
    const auto answer =
        QMessageBox::question(parent, QApplication::applicationDisplayName(), text,
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel || answer == QMessageBox::Escape)
        return std::nullopt;
    return answer == QMessageBox::Yes;
}

std::optional<FileChoice> StandardDialogs::openFile(QWidget* parent, const QStringList& filters,
                                                    const QString& fileName, int filterIndex) {
    return runFileDialog(parent, filters, fileName, filterIndex, false);
}

std::optional<FileChoice> StandardDialogs::saveFile(QWidget* parent, const QStringList& filters,
                                                    const QString& fileName, int filterIndex) {
    return runFileDialog(parent, filters, fileName, filterIndex, true);
}

} // namespace vste::ui
