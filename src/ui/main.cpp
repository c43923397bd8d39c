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
    window.show();
    // A file named on the command line (its parts joined, as a path with spaces may arrive
    // split) is opened as CSF.
    const QStringList arguments = QApplication::arguments().mid(1);
    if (!arguments.isEmpty())
        window.openFile(arguments.join(QLatin1Char(' ')), 1);
    return application.exec();
}
