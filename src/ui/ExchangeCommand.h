// SPDX-License-Identifier: MIT
// Import translation as one step of the document's history: the plan holds both sides of every
// value it changes and the values it adds, so undo needs no copy of the table.
#pragma once

#include "exchange/ApplyPlan.h"
#include "ui/DocumentCommands.h"

namespace vste::ui {

class ImportTranslationCommand : public DocumentCommand {
public:
    ImportTranslationCommand(OpenDocument& document, ApplyPlan plan);
    void redo() override;
    void undo() override;

private:
    ApplyPlan m_plan;
};

} // namespace vste::ui
