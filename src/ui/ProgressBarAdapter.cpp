// SPDX-License-Identifier: MIT
#include "ui/ProgressBarAdapter.h"

#include <QProgressBar>

namespace vste::ui {

ProgressBarAdapter::ProgressBarAdapter(QProgressBar* bar) : m_bar(bar) {
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
}

void ProgressBarAdapter::SetMax(int max) {
    m_max = max;
}

void ProgressBarAdapter::SetPosition(int position) {
    int percent = 100;
    if (m_max > 0) {
        const long long clamped = position < 0 ? 0 : (position > m_max ? m_max : position);
        percent = static_cast<int>(clamped * 100 / m_max);
    }
    if (percent == m_shown)
        return;
    m_shown = percent;
    m_bar->setValue(percent);
    m_bar->repaint();
    ++m_repaints;
}

void ProgressBarAdapter::reset() {
    m_max = 0;
    m_shown = 0;
    m_bar->setValue(0);
}

} // namespace vste::ui
