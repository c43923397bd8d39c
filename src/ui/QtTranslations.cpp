// SPDX-License-Identifier: MIT
#include "ui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace vste::ui {

bool UseQtTranslations(bool russian) {
    // One translator for every window of the process, owned by the application object so that
    // it goes away with it.
    static QPointer<QTranslator> translator;
    static bool installed = false;
    if (!russian) {
        if (translator && installed)
            QCoreApplication::removeTranslator(translator);
        installed = false;
        return true;
    }
    if (!translator) {
        translator = new QTranslator(QCoreApplication::instance());
        installed = false;
        if (!translator->load(QStringLiteral("qtbase_ru"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            delete translator;
            return false;
        }
    }
    if (!installed)
        installed = QCoreApplication::installTranslator(translator);
    return installed;
}

} // namespace vste::ui
