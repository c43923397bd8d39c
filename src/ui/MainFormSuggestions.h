// SPDX-License-Identifier: MIT
// Joins the translation memory to the window: the Tools menu's Translation memory... and the
// Suggestions panel, which follows the reference value of the string shown, and is built again
// when the reference, the document or its saved state changes.
#pragma once

class QMainWindow;
class QMenu;

namespace vste::ui {

class SuggestionsController;
class TMainForm;

// The menu bar's Tools menu (objectName "ToolsMenu"), created before `before` the first time.
QMenu* ToolsMenu(QMainWindow& window, QMenu* before);

SuggestionsController* AttachSuggestions(TMainForm& form);

} // namespace vste::ui
