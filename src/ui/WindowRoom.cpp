// SPDX-License-Identifier: MIT
#include "ui/WindowRoom.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace vste::ui {

void GrowWithinScreen(QWidget& window, int width, int height) {
    const QScreen* screen = window.screen();
    if (!screen || (window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QRect room = screen->availableGeometry();
    const QRect frame = window.frameGeometry();
    const int newWidth = std::min(window.width() + std::max(0, width),
                                  room.width() - (frame.width() - window.width()));
    const int newHeight = std::min(window.height() + std::max(0, height),
                                   room.height() - (frame.height() - window.height()));
    if (newWidth <= window.width() && newHeight <= window.height())
        return;
    window.resize(std::max(newWidth, window.width()), std::max(newHeight, window.height()));
    // Grown past the screen's right or bottom edge, the window moves back onto it.
    const QRect grown = window.frameGeometry();
    const int right = std::max(0, grown.right() - room.right());
    const int below = std::max(0, grown.bottom() - room.bottom());
    if (right > 0 || below > 0)
        window.move(std::max(room.left(), window.x() - right),
                    std::max(room.top(), window.y() - below));
}

} // namespace vste::ui
