// SPDX-License-Identifier: MIT
// Registration of the program as the handler of .csf files for the current user.
//
// On Windows this is the class-key layout: ".CSF" -> "Velmoran.CSF" with its description, icon
// and open command. Elsewhere it is a desktop entry and a shared-mime-info type in the user's
// data folder ($XDG_DATA_HOME, by default ~/.local/share), made the default handler of the type
// in $XDG_CONFIG_HOME/mimeapps.list.
#pragma once

#include <QString>

namespace vste::ui {

inline constexpr char kCsfProgId[] = "Velmoran.CSF";
inline constexpr char kCsfDescription[] = "Compiled String Table Files";
inline constexpr char kCsfMimeType[] = "application/x-velmoran-csf";
inline constexpr char kCsfDesktopFile[] = "velmoran-vste-csf.desktop";
inline constexpr char kIconName[] = "org.velmoran.vste";

// True when the open command of the association exists (whichever copy of the program wrote it).
bool IsCsfAssociated();
// Registers `executable` as the handler of .csf files. Returns an empty string on success,
// otherwise a message naming what could not be written (what was written before stays).
QString AssociateCsf(const QString& executable);
// Removes every part of the association; missing parts are ignored.
void RemoveCsfAssociation();

// The desktop entry's Exec value that starts `executable` with one file path as one argument.
QString DesktopExecLine(const QString& executable);
// Where the parts are written (for tests and messages).
QString AssociationDesktopFile();
QString AssociationMimeFile();
QString AssociationMimeAppsFile();

} // namespace vste::ui
