// SPDX-License-Identifier: MIT
// Saves a picture of the editor window with a file open: vste_screenshot FILE OUTPUT.png
// Run it under a real display (for example xvfb-run) so that the platform's style draws it.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include "encoding/CodePage.h"
#include "ui/MainForm.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmoran String Table Editor"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vste.png")));
    vste::InitActiveCodePageFromEnvironment();
    if (argc < 3)
        return 2;
    vste::ui::TMainForm window;
    window.resize(900, 620);
    window.show();
    window.openFile(QString::fromLocal8Bit(argv[1]), 1);
    if (argc > 3)
        window.CatsListBox->setCurrentRow(QString::fromLocal8Bit(argv[3]).toInt());
    if (argc > 4)
        window.QuickStringSearchEdit->setText(QString::fromLocal8Bit(argv[4]));
    const QString output = QString::fromLocal8Bit(argv[2]);
    QTimer::singleShot(1500, &window, [&] {
        window.grab().save(output);
        application.quit();
    });
    return application.exec();
}
