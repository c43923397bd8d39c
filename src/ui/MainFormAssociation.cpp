// SPDX-License-Identifier: MIT
// Association of .csf files with the program.
#include "ui/MainForm.h"

namespace vste::ui {

void TMainForm::AssocClick() {}

} // namespace vste::ui
