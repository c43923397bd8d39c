// SPDX-License-Identifier: MIT
// Favorite files: opening them and storing the current file as one.
#include "ui/MainForm.h"

namespace vste::ui {

void TMainForm::OpenFavoriteClick(int number) {
    (void)number;
}

void TMainForm::SetFavoriteClick(int number) {
    (void)number;
}

} // namespace vste::ui
