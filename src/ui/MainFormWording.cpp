// SPDX-License-Identifier: MIT
#include "ui/MainFormWording.h"

#include <QAction>
#include <QMenu>

#include "ui/GlossaryPanel.h"
#include "ui/MainForm.h"
#include "ui/ProblemsController.h"
#include "ui/SpellingController.h"

namespace vste::ui {

void AttachWording(TMainForm& form) {
    // Options > Spelling goes after the interface language, before the separator above
    // Autodetect Encoding.
    const QList<QAction*> options = form.Options1->actions();
    const qsizetype autodetect = options.indexOf(form.AutodetectOn1);
    QAction* before = autodetect > 0 ? options.at(autodetect - 1) : form.AutodetectOn1;
    auto* spelling = new SpellingController(form, before);
    auto* glossary = new GlossaryPanel(form);
    ProblemsController* problems = form.problems();
    const auto giveExtras = [problems, spelling, glossary] {
        problems->setExtras({spelling->checker(), glossary->terms()});
    };
    QObject::connect(spelling, &SpellingController::checkerChanged, problems, giveExtras);
    QObject::connect(glossary, &GlossaryPanel::glossaryChanged, problems, giveExtras);
    giveExtras();
}

} // namespace vste::ui
