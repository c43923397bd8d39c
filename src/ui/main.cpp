// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include <cstring>
#include <memory>

#include "encoding/CodePage.h"
#include "ui/HighDpi.h"
#include "ui/MainForm.h"

namespace {

void describeApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("Velmoran String Table Editor"));
    QCoreApplication::setOrganizationName(QStringLiteral("Velmoran Studio"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VSTE_VERSION_STRING));
}

void describeCommandLine(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Edit the string tables of computer games: CSF and STR files and the "
                       "older formats (.dat, .uib, .eng and other Westwood tables, .lte, .trr, "
                       ".tre)."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("String table to open when the window appears."),
                                 QStringLiteral("[FILE]"));
}

// --help and --version print and leave without a window, so they also work without a display.
bool onlyPrints(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            return false;
        for (const char* option : {"-h", "--help", "--help-all", "-v", "--version", "-?"})
            if (std::strcmp(argv[i], option) == 0)
                return true;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    QCommandLineParser parser;
    describeCommandLine(parser);
    if (onlyPrints(argc, argv)) {
        QCoreApplication console(argc, argv);
        describeApplication();
        parser.process(console); // prints and exits
        return 0;
    }

    QApplication application(argc, argv);
    describeApplication();
    QApplication::setWindowIcon(vste::ui::ApplicationIcon());
    QApplication::setDesktopFileName(QStringLiteral("org.velmoran.vste"));
    parser.process(application);
    vste::InitActiveCodePageFromEnvironment();

    vste::ui::TMainForm window;
    // A file named on the command line is opened when the window is first shown.
    window.setStartupParameters(parser.positionalArguments());
    window.show();
    return application.exec();
}
