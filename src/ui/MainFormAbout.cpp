// SPDX-License-Identifier: MIT
// The Help menu.
#include "ui/MainForm.h"

namespace vste::ui {

void TMainForm::About1Click() {}

} // namespace vste::ui
