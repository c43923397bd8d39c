// SPDX-License-Identifier: MIT
#include "ui/ExchangeCommand.h"

#include <QCoreApplication>

#include <utility>

namespace vste::ui {

// The window translates history texts in its own context.
ImportTranslationCommand::ImportTranslationCommand(OpenDocument& document, ApplyPlan plan)
    : DocumentCommand(document, QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Import translation")),
      m_plan(std::move(plan)) {}

// Names stay, so do the categories; values of many strings change, so the shown category is
// filled again (no string in particular).
void ImportTranslationCommand::redo() {
    ApplyPlanTo(doc(), m_plan);
    m_document.notifyChanged({-1, 0, false});
}

void ImportTranslationCommand::undo() {
    RevertPlan(doc(), m_plan);
    m_document.notifyChanged({-1, 0, false});
}

} // namespace vste::ui
