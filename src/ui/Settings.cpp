// SPDX-License-Identifier: MIT
#include "ui/Settings.h"

namespace vste::ui {

void Settings::load() {
    m_interfaceLanguage = 1;
    m_autodetectEncoding = 1;
}

void Settings::save() const {}

} // namespace vste::ui
