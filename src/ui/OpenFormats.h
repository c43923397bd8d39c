// SPDX-License-Identifier: MIT
// The open dialog's formats: its filters, one per format in id order, and reading a file as the
// format of the chosen filter.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

#include "core/Model.h"
#include "formats/Registry.h"

class QWidget;

namespace vste::ui {

class Dialogs;

// "Description|*.A; *.B|Description|*.C" as filters, one per pair, with each description in the
// interface language.
QStringList FilterTexts(std::string_view filter);
// The open dialog's filters, one per format, as Open shows them.
QStringList OpenFilters();
// Whether `filterIndex` is one of the open dialog's filters (1..8), that is, a DocumentFormat.
bool IsOpenFilterIndex(int filterIndex);
// The format the file's extension names, as a file named on the command line or dropped on the
// window is opened; CSF when the extension names none.
DocumentFormat FormatOfFileName(const QString& fileName);
// The format to read a file chosen in the open dialog as: the chosen filter's when it names the
// file's extension or no format names it, otherwise the format the extension names, so that a
// typed "problems.str" is read as STR whichever filter was shown.
int OpenFilterForFile(const QString& fileName, int filterIndex);
// Reads `fileName` completely as format `filterIndex` (1..8), for a table opened beside the
// document. Null when the index names no format, or when the file cannot be read: then the
// file name and the reader's message are shown through `dialogs`.
std::unique_ptr<TWestwoodStrings> ReadTableFile(Dialogs& dialogs, QWidget* parent,
                                                const QString& fileName, int filterIndex);

} // namespace vste::ui
