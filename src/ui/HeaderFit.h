// SPDX-License-Identifier: MIT
// Column captions shown whole whatever the interface language.
#pragma once

class QHeaderView;

namespace vste::ui {

// Widens every section of `header` narrower than its caption needs; wider sections and sections
// that stretch keep their size. Called again after each language switch.
void FitCaptions(QHeaderView* header);

} // namespace vste::ui
