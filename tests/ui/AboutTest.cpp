// SPDX-License-Identifier: MIT
// The About window.
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "FeatureTests.h"
#include "ui/AboutForm.h"

using namespace vste;
using namespace vste::ui;
using namespace vste::ui::test;

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    void textsAndLayout() {
        TAboutForm about;
        QCOMPARE(about.windowTitle(), QStringLiteral("About Velmoran String Table Editor"));
        QCOMPARE(about.size(), QSize(409, 666));
        QCOMPARE(about.VersionLabel->text(),
                 QStringLiteral("Version " VSTE_VERSION_STRING " (Release Candidate 3)"));
        QCOMPARE(TAboutForm::VersionText(QString()),
                 QStringLiteral("Version  (Release Candidate 3)"));
        QCOMPARE(about.SupportListLabel->text(), QStringLiteral("Supported Games:"));
        const QStringList games = about.GamesList->toPlainText().split('\n');
        QCOMPARE(games.size(), 34);
        QCOMPARE(games.first(), QStringLiteral("Command and Conquer: Tiberium Wars"));
        QCOMPARE(games.at(13), QStringLiteral("Dune 2000: Long Live the Figthers (PSX)"));
        QCOMPARE(games.last(), QStringLiteral("Legend of Kyrandia Book One"));
        QVERIFY(about.GamesList->isReadOnly());
        QCOMPARE(about.Button1->geometry(), QRect(320, 634, 75, 22));
        QVERIFY(about.Button1->isDefault());
        QCOMPARE(about.GamesList->geometry(), QRect(40, 216, 337, 417));
        QVERIFY(about.CreditsLabel->text().contains(QStringLiteral("Velmoran Studio")));
        QVERIFY(about.MailLabel->text().contains(TAboutForm::EMail()));
        QVERIFY(about.PageLabel->text().contains(TAboutForm::HomePage()));
        QVERIFY(about.MailLabel->geometry().right() < about.width());
        QVERIFY(!about.AboutImage->pixmap().isNull());
        QCOMPARE(about.IconImage->pixmap().size(), QSize(100, 100));
    }

    void linksOpenMailAndPage() {
        TAboutForm about;
        QList<QUrl> opened;
        about.openUrl = [&](const QUrl& url) { opened << url; };
        emit about.MailLabel->linkActivated(QStringLiteral("#"));
        emit about.PageLabel->linkActivated(QStringLiteral("#"));
        QCOMPARE(opened, (QList<QUrl>{QUrl(QStringLiteral("mailto:") + TAboutForm::EMail()),
                                      QUrl(TAboutForm::HomePage())}));
    }

    void enterClosesAndTheMainWindowIsUnchanged() {
        ResetStoredSettings();
        FormFixture f;
        TMainForm& form = f.newForm();
        f.action("RussianUI")->trigger();
        QString version;
        QTimer::singleShot(0, [&] {
            auto* about = qobject_cast<TAboutForm*>(QApplication::activeModalWidget());
            if (!about)
                return;
            version = about->VersionLabel->text();
            QTest::keyClick(about, Qt::Key_Return);
        });
        form.About1Click();
        // The About window speaks the interface language.
        QCOMPARE(version, QStringLiteral("Версия " VSTE_VERSION_STRING " (кандидат в релизы 3)"));
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(form.ChangesSaved(), 1);
        QCOMPARE(form.InterfaceLanguage, 0);
        f.action("EnglishUI")->trigger();
    }
};

int vste::ui::test::RunAboutTest(int argc, char** argv) {
    AboutTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "AboutTest.moc"
