// SPDX-License-Identifier: MIT
#include "ui/HighDpi.h"

namespace vste::ui {

QIcon ApplicationIcon() {
    QIcon icon;
    for (const char* size : {"16", "32", "48", "64", "128"})
        icon.addFile(QStringLiteral(":/icons/vste-%1.png").arg(QLatin1String(size)));
    icon.addFile(QStringLiteral(":/icons/vste.png"));
    return icon;
}

QPixmap SharpPixmap(const QString& resource, qreal ratio) {
    QPixmap pixmap;
    if (ratio > 1.0) {
        const qsizetype dot = resource.lastIndexOf(QLatin1Char('.'));
        const QString twin = resource.left(dot) + QStringLiteral("@2x") + resource.mid(dot);
        if (pixmap.load(twin)) {
            pixmap.setDevicePixelRatio(2.0);
            return pixmap;
        }
    }
    pixmap.load(resource);
    return pixmap;
}

} // namespace vste::ui
