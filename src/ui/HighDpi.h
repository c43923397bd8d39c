// SPDX-License-Identifier: MIT
// Pictures that stay sharp on screens scaled above 100 %.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace vste::ui {

// The program's icon at every size it is drawn in (16 to 256 pixels), so that no size is
// scaled up from a smaller one.
QIcon ApplicationIcon();
// The picture `resource` for a screen of `ratio` device pixels per pixel: its "@2x" twin above
// 100 % when there is one, with the ratio set so that its size in pixels stays that of the
// original.
QPixmap SharpPixmap(const QString& resource, qreal ratio);

} // namespace vste::ui
