// SPDX-License-Identifier: MIT
#include "ui/HeaderFit.h"

#include <QHeaderView>

namespace vste::ui {

void FitCaptions(QHeaderView* header) {
    if (!header || !header->model())
        return;
    for (int section = 0; section < header->count(); ++section) {
        if (header->isSectionHidden(section) ||
            header->sectionResizeMode(section) != QHeaderView::Interactive)
            continue;
        const int needed = header->sectionSizeHint(section);
        if (header->sectionSize(section) < needed)
            header->resizeSection(section, needed);
    }
}

} // namespace vste::ui
