// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QIcon>

#include "encoding/CodePage.h"
#include "ui/MainForm.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmoran String Table Editor"));
    QApplication::setOrganizationName(QStringLiteral("Velmoran Studio"));
    QApplication::setApplicationVersion(QStringLiteral(VSTE_VERSION_STRING));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vste.png")));
    vste::InitActiveCodePageFromEnvironment();

    vste::ui::TMainForm window;
    // A file named on the command line is opened when the window is first shown.
    window.setStartupParameters(QApplication::arguments().mid(1));
    window.show();
    return application.exec();
}
