// SPDX-License-Identifier: MIT
#include "ui/AboutForm.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

#include "ui/FileVersion.h"
#include "ui/HighDpi.h"

#ifndef VSTE_HOMEPAGE
#define VSTE_HOMEPAGE "https://example.org/vste"
#endif
#ifndef VSTE_EMAIL
#define VSTE_EMAIL "vste@example.org"
#endif

namespace vste::ui {

namespace {

QLabel* label(QWidget* parent, const char* name, int left, int top, const QString& text) {
    auto* result = new QLabel(text, parent);
    result->setObjectName(QString::fromLatin1(name));
    result->move(left, top);
    result->adjustSize();
    return result;
}

QLabel* picture(QWidget* parent, const char* name, int left, int top, const QString& resource) {
    auto* result = new QLabel(parent);
    result->setObjectName(QString::fromLatin1(name));
    // Doubled pictures on screens scaled above 100 %; the size in pixels stays the same.
    const QPixmap pixmap = SharpPixmap(resource, parent->devicePixelRatioF());
    result->setPixmap(pixmap);
    const QSize size = pixmap.deviceIndependentSize().toSize();
    result->setGeometry(left, top, size.width(), size.height());
    return result;
}

// A blue, underlined link whose click runs `click`. A long address is moved left so that it
// stays inside the window.
QLabel* link(QWidget* parent, const char* name, int left, int top, const QString& text) {
    QLabel* result = label(parent, name, left, top, QString());
    result->setTextFormat(Qt::RichText);
    result->setText(
        QStringLiteral("<a href=\"#\" style=\"color:#0000ff;\">%1</a>").arg(text.toHtmlEscaped()));
    result->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    result->setCursor(Qt::PointingHandCursor);
    result->setToolTip(text);
    result->adjustSize();
    const int right = parent->width() - 8;
    if (left + result->width() > right)
        result->move(std::max(8, right - result->width()), top);
    return result;
}

} // namespace

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(tr("About Velmoran String Table Editor"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(409, 666);

    AboutImage = picture(this, "AboutImage", 0, 0, QStringLiteral(":/icons/vste-banner.png"));
    VersionLabel = label(this, "VersionLabel", 120, 96, QString());
    CopyrightLabel =
        label(this, "CopyrightLabel", 120, 112, QStringLiteral("\u00a9 Velmoran Studio"));
    SupportListLabel = label(this, "SupportListLabel", 40, 200, tr("Supported Games:"));
    IconImage = picture(this, "IconImage", 8, 90, QStringLiteral(":/icons/vste-100.png"));
    CreditsLabel = label(this, "CreditsLabel", 120, 128, tr("By Velmoran Studio"));
    MailLabel = link(this, "MailLabel", 304, 128, EMail());
    PageLabel = link(this, "PageLabel", 304, 112, HomePage());

    Button1 = new QPushButton(tr("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(320, 634, 75, 22);
    Button1->setDefault(true);
    Button1->setAutoDefault(true);

    GamesList = new QPlainTextEdit(this);
    GamesList->setObjectName(QStringLiteral("GamesList"));
    GamesList->setGeometry(40, 216, 337, 417);
    GamesList->setPlainText(SupportedGames().join(QLatin1Char('\n')));
    // Read-only but not disabled: with the fonts of today the list is taller than its box, and
    // a disabled box could not be scrolled to its last games.
    GamesList->setReadOnly(true);
    GamesList->setFocusPolicy(Qt::NoFocus);
    GamesList->setTextInteractionFlags(Qt::NoTextInteraction);
    GamesList->setFrameShape(QFrame::NoFrame);
    GamesList->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    GamesList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette face = GamesList->palette();
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        face.setColor(group, QPalette::Base, palette().color(QPalette::Window));
    GamesList->setPalette(face);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(MailLabel, &QLabel::linkActivated, this, [this] { MailLabelClick(); });
    connect(PageLabel, &QLabel::linkActivated, this, [this] { PageLabelClick(); });

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
}

void TAboutForm::FormCreate() {
    const QString version = QString::fromStdString(
        GetFileVersion(QCoreApplication::applicationFilePath().toStdString()));
    VersionLabel->setText(VersionText(version));
    VersionLabel->adjustSize();
}

QString TAboutForm::VersionText(const QString& version) {
    return tr("Version %1 (Release Candidate 3)").arg(version);
}

QString TAboutForm::HomePage() {
    return QStringLiteral(VSTE_HOMEPAGE);
}

QString TAboutForm::EMail() {
    return QStringLiteral(VSTE_EMAIL);
}

void TAboutForm::Button1Click() {
    accept();
}

void TAboutForm::MailLabelClick() {
    open(QUrl(QStringLiteral("mailto:") + EMail()));
}

void TAboutForm::PageLabelClick() {
    open(QUrl(HomePage()));
}

void TAboutForm::open(const QUrl& url) {
    if (openUrl)
        openUrl(url);
    else
        QDesktopServices::openUrl(url);
}

QStringList TAboutForm::SupportedGames() {
    return {
        QStringLiteral("Command and Conquer: Tiberium Wars"),
        QStringLiteral("Star Wars: Empire at War: Forces of Corruption"),
        QStringLiteral("Star Wars: Empire at War"),
        QStringLiteral("Battle Realms: The Winter of Wolf"),
        QStringLiteral("Battle Realms"),
        QStringLiteral("Lord of the Rings: Battle for Middle-Earth II: The Rise of the Witch-king"),
        QStringLiteral("Lord of the Rings: Battle for Middle-Earth II"),
        QStringLiteral("Lord of the Rings: Battle for Middle-Earth"),
        QStringLiteral("Command and Conquer: Generals: Zero Hour"),
        QStringLiteral("Command and Conquer: Generals"),
        QStringLiteral("Command and Conquer: Red Alert 2: Yuri's Revenge"),
        QStringLiteral("Command and Conquer: Red Alert 2"),
        QStringLiteral("Nox"),
        QStringLiteral("Dune 2000: Long Live the Figthers (PSX)"),
        QStringLiteral("Dune 2000: Long Live the Figthers"),
        QStringLiteral("Command and Conquer: Sole Survivor"),
        QStringLiteral("Command and Conquer: Red Alert: Retaliation (PSX)"),
        QStringLiteral("Command and Conquer: Red Alert: The Aftermath"),
        QStringLiteral("Command and Conquer: Red Alert: Counterstrike"),
        QStringLiteral("Command and Conquer: Red Alert (PSX)"),
        QStringLiteral("Command and Conquer: Red Alert"),
        QStringLiteral("Command and Conquer: Tiberian Dawn: The Covert Operations"),
        QStringLiteral("Command and Conquer: Tiberian Dawn Gold Edition"),
        QStringLiteral("Command and Conquer: Tiberian Dawn (PSX)"),
        QStringLiteral("Command and Conquer: Tiberian Dawn"),
        QStringLiteral("Dune 2: Battle for Arrakis"),
        QStringLiteral("Blade Runner"),
        QStringLiteral("Lands of Lore 3"),
        QStringLiteral("Lands of Lore 2: Guardians of Destiny"),
        QStringLiteral("Lands of Lore: The Throne of Chaos"),
        QStringLiteral("Legend of Kyrandia Book Three: Malcolm's Revenge"),
        QStringLiteral("Eye of Beholder 2: Darkmoon"),
        QStringLiteral("Legend of Kyrandia Book Two: The Hand of Fate"),
        QStringLiteral("Legend of Kyrandia Book One"),
    };
}

} // namespace vste::ui
