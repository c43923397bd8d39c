// SPDX-License-Identifier: MIT
#include "ui/Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

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

std::optional<FileChoice> runFileDialog(QWidget* parent, const QString& caption,
                                        const QStringList& filters, const QString& fileName,
                                        int filterIndex, bool save) {
    QFileDialog dialog(parent, caption);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    QStringList qtFilters;
    for (const QString& filter : filters)
        qtFilters << ToQtFilter(filter);
    dialog.setNameFilters(qtFilters);
    if (filterIndex >= 1 && filterIndex <= qtFilters.size())
        dialog.selectNameFilter(qtFilters.at(filterIndex - 1));
    if (QFileInfo(fileName).isDir())
        dialog.setDirectory(fileName);
    else if (!fileName.isEmpty())
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

bool StandardDialogs::confirmReplace(QWidget* parent, const QString& text) {
    return QMessageBox::warning(parent, QApplication::applicationDisplayName(), text,
                                QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

std::optional<FileChoice> StandardDialogs::openFile(QWidget* parent, const QString& caption,
                                                    const QStringList& filters,
                                                    const QString& fileName, int filterIndex) {
    return runFileDialog(parent, caption, filters, fileName, filterIndex, false);
}

std::optional<FileChoice> StandardDialogs::saveFile(QWidget* parent, const QString& caption,
                                                    const QStringList& filters,
                                                    const QString& fileName, int filterIndex) {
    return runFileDialog(parent, caption, filters, fileName, filterIndex, true);
}

QString StartingName(const QString& remembered, const QString& documentFileName) {
    if (!remembered.isEmpty() || documentFileName.isEmpty())
        return remembered;
    return QFileInfo(documentFileName).absolutePath();
}

bool StandardDialogs::confirm(QWidget* parent, const QString& text, const QString& details,
                              const QString& proceed, const QString& cancel) {
    return choose(parent, text, details, {proceed}, cancel) == 0;
}

int StandardDialogs::choose(QWidget* parent, const QString& text, const QString& details,
                            const QStringList& actions, const QString& cancel) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("ConfirmDialog"));
    dialog.setWindowTitle(QApplication::applicationDisplayName());
    auto* layout = new QVBoxLayout(&dialog);
    auto* top = new QHBoxLayout;
    auto* icon = new QLabel(&dialog);
    const int size = dialog.style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
    icon->setPixmap(dialog.style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(size));
    auto* label = new QLabel(text, &dialog);
    label->setWordWrap(true);
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(label, 1);
    layout->addLayout(top);
    // The list may be long: it scrolls instead of growing the box beyond the screen.
    auto* list = new QPlainTextEdit(details, &dialog);
    list->setReadOnly(true);
    list->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(&dialog);
    int chosen = -1;
    for (qsizetype k = 0; k < actions.size(); ++k) {
        QPushButton* button = buttons->addButton(actions.at(k), QDialogButtonBox::AcceptRole);
        QObject::connect(button, &QPushButton::clicked, &dialog, [&chosen, &dialog, k] {
            chosen = static_cast<int>(k);
            dialog.accept();
        });
    }
    QPushButton* no = buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    no->setDefault(true);
    no->setFocus();
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    const int lines = static_cast<int>(details.count(QLatin1Char('\n'))) + 1;
    dialog.resize(640, std::min(460, 170 + 18 * lines));
    return dialog.exec() == QDialog::Accepted ? chosen : -1;
}

} // namespace vste::ui
