// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace vste::ui {

// The file version of an executable: for this program's own executable the version it was built
// with ("1.0.2.20"); empty for any other file, which carries no version this program can read.
std::string GetFileVersion(const std::string& fileName);

} // namespace vste::ui
