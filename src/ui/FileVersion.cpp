// SPDX-License-Identifier: MIT
#include "ui/FileVersion.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace vste::ui {

std::string GetFileVersion(const std::string& fileName) {
    const QFileInfo file(QString::fromStdString(fileName));
    const QFileInfo self(QCoreApplication::applicationFilePath());
    if (!file.exists() || file.canonicalFilePath() != self.canonicalFilePath())
        return {};
    return VSTE_VERSION_STRING;
}

} // namespace vste::ui
