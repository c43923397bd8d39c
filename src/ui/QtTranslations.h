// SPDX-License-Identifier: MIT
// Qt's own texts (message-box buttons, file dialogs, the context menus of edit boxes) in the
// interface language, from the translations installed with Qt.
#pragma once

namespace vste::ui {

// Installs Qt's Russian translation for the whole application when `russian` is set, removes it
// otherwise. Returns false when Russian was asked for but Qt's translation is not installed
// (Debian: qt6-translations-l10n); Qt's texts then stay English. Throws nothing.
bool UseQtTranslations(bool russian);

} // namespace vste::ui
