// SPDX-License-Identifier: MIT
// Switching the interface between English and Russian.
#include <QAction>

#include "ui/MainForm.h"
#include "ui/QtTranslations.h"

namespace vste::ui {

void TMainForm::RussianUIClick() {
    if (RussianUI->isChecked() && InterfaceLanguage == 0)
        return;
    UseQtTranslations(true);
    applyInterfaceLanguage(false);
}

void TMainForm::EnglishUIClick() {
    if (EnglishUI->isChecked() && InterfaceLanguage == 1)
        return;
    UseQtTranslations(false);
    applyInterfaceLanguage(true);
}

} // namespace vste::ui
