// SPDX-License-Identifier: MIT
// Lets readers and writers drive the window's progress bar.
#pragma once

#include "core/Progress.h"

class QProgressBar;

namespace vste::ui {

// The bar shows a percentage and is repainted only when that changes, so a million position
// updates cost a hundred repaints.
class ProgressBarAdapter final : public Progress {
public:
    explicit ProgressBarAdapter(QProgressBar* bar);
    void SetMax(int max) override;
    void SetPosition(int position) override;
    // Back to 0, as after every open and save.
    void reset();
    int repaintCount() const { return m_repaints; }

private:
    QProgressBar* m_bar;
    int m_max = 0;
    int m_shown = 0;
    int m_repaints = 0;
};

} // namespace vste::ui
