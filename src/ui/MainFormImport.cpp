// SPDX-License-Identifier: MIT
// Importing values from another CSF file, and opening a file in a new window.
#include "ui/MainForm.h"

namespace vste::ui {

void TMainForm::ImportFromCSF1Click() {}

void TMainForm::OpenNewClick() {}

} // namespace vste::ui
