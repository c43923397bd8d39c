// SPDX-License-Identifier: MIT
// Taking the other table's values for strings of a comparison, as one step of the history.
#pragma once

#include <QUndoCommand>

#include <memory>
#include <vector>

#include "compare/TableDiff.h"
#include "ui/DocumentCommands.h"

namespace vste::ui {

// Each pair's document string (a) gets every value and extra value of the other table's
// string (b). Values the string already has keep the tags Apply gives; values it gains copy the
// first value's tag. A CSF header counts the values gained or lost.
// `text` names the step (an English source text of the vste::ui::TMainForm context).
std::unique_ptr<QUndoCommand> MakeTakeValuesCommand(OpenDocument& document,
                                                    const TWestwoodStrings& other,
                                                    const std::vector<ChangedString>& pairs,
                                                    const char* text);

} // namespace vste::ui
