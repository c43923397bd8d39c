// SPDX-License-Identifier: MIT
// The Edit menu's encoding, file version and file language commands, and autodetection.
#include "ui/MainForm.h"

namespace vste::ui {

void TMainForm::Standart1Click() {}

void TMainForm::Cyrillics1Click() {}

void TMainForm::DecodeFargusClick() {}

void TMainForm::Version2Click() {}

void TMainForm::Version3Click() {}

void TMainForm::LanguageClick(int number) {
    (void)number;
}

void TMainForm::AutodetectOn1Click() {}

} // namespace vste::ui
