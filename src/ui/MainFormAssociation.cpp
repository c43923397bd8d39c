// SPDX-License-Identifier: MIT
// Association of .csf files with the program.
#include <QAction>
#include <QCoreApplication>

#include "ui/Association.h"
#include "ui/MainForm.h"

namespace vste::ui {

void TMainForm::AssocClick() {
    // The action has already toggled its mark: checked now means "register".
    if (Assoc1->isChecked()) {
        const QString failure = AssociateCsf(QCoreApplication::applicationFilePath());
        if (!failure.isEmpty()) {
            Assoc1->setChecked(false);
            showError(failure);
        }
    } else {
        RemoveCsfAssociation();
        Assoc1->setChecked(false);
    }
}

} // namespace vste::ui
