// SPDX-License-Identifier: MIT
// The Help menu.
#include "ui/AboutForm.h"
#include "ui/MainForm.h"

namespace vste::ui {

void TMainForm::About1Click() {
    TAboutForm about(this);
    about.exec();
}

} // namespace vste::ui
