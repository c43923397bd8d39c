// SPDX-License-Identifier: MIT
// Making room for a panel: the window grows where the screen has room, moving back onto the
// screen when it would pass its edge. A maximized or full-screen window stays as it is.
#pragma once

class QWidget;

namespace vste::ui {

// Grows `window` by up to `width` and `height` pixels (0: that side stays).
void GrowWithinScreen(QWidget& window, int width, int height);

} // namespace vste::ui
