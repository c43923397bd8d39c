// SPDX-License-Identifier: MIT
// Joins the translation project to the window: File > Open project... and Recent projects, the
// project's panels in the View menu, a language opened as the document with the source as its
// reference, and the shown string followed in every language.
#pragma once

namespace vste::ui {

class ProjectController;
class TMainForm;

ProjectController* AttachProject(TMainForm& form);

} // namespace vste::ui
