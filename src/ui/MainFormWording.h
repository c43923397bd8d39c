// SPDX-License-Identifier: MIT
// Joins spelling and the glossary to the window: Options > Spelling with the value box's
// underlines and corrections, Tools > Glossary... with its panel, and both given to the Problems
// panel's spelling and glossary rules.
#pragma once

namespace vste::ui {

class TMainForm;

void AttachWording(TMainForm& form);

} // namespace vste::ui
