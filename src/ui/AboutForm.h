// SPDX-License-Identifier: MIT
// The About window: version, credits, two links and the supported games. English only.
#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QUrl;

namespace vste::ui {

class TAboutForm : public QDialog {
    Q_OBJECT

public:
    explicit TAboutForm(QWidget* parent = nullptr);

    // The games whose string files the program reads, in the order shown.
    static QStringList SupportedGames();
    // "Version " + version + " (Release Candidate 3)".
    static QString VersionText(const QString& version);
    static QString HomePage();
    static QString EMail();

    // Opens a link; replaceable so that tests open nothing.
    std::function<void(const QUrl&)> openUrl;

    QLabel* AboutImage = nullptr;
    QLabel* VersionLabel = nullptr;
    QLabel* CopyrightLabel = nullptr;
    QLabel* SupportListLabel = nullptr;
    QLabel* IconImage = nullptr;
    QLabel* CreditsLabel = nullptr;
    QLabel* MailLabel = nullptr;
    QLabel* PageLabel = nullptr;
    QPushButton* Button1 = nullptr;
    QPlainTextEdit* GamesList = nullptr;

public slots:
    void Button1Click();
    void MailLabelClick();
    void PageLabelClick();

private:
    void FormCreate();
    void open(const QUrl& url);
};

} // namespace vste::ui
