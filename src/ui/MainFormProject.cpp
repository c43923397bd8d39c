// SPDX-License-Identifier: MIT
#include "ui/MainFormProject.h"

#include <QDockWidget>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QMenu>
#include <QTableView>

#include "core/NameIndex.h"
#include "ui/BottomPanels.h"
#include "ui/MainForm.h"
#include "ui/ProblemsController.h"
#include "ui/ProjectController.h"
#include "ui/ProjectPanels.h"
#include "ui/ReferenceTable.h"
#include "ui/ReferenceWorkbench.h"
#include "ui/StringsModel.h"

namespace vste::ui {

namespace {

bool SameFile(const QString& a, const QString& b) {
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

bool OpenLanguage(TMainForm& form, const QString& file, int format, const QString& reference,
                  const std::string& name) {
    const OpenDocument* open = form.openDocument();
    if (!open || !SameFile(open->fileName(), file)) {
        form.openFile(file, format);
        open = form.openDocument();
        if (!open || !SameFile(open->fileName(), file))
            return false; // refused, cancelled or unreadable: the window has said why
    }
    ReferenceWorkbench& workbench = *form.workbench();
    if (!workbench.reference().isOpen() || !SameFile(workbench.reference().fileName(), reference))
        workbench.openReference(reference, format);
    if (!name.empty()) {
        const TWestwoodStrings& document = *form.currentDocument();
        const std::uint32_t index = NameIndex(document.Body).find(name);
        if (index != kNoString && form.leaveShownString())
            form.showChange({static_cast<int>(index), 0, false});
    }
    return true;
}

std::string ShownName(TMainForm& form) {
    const TWestwoodStrings* document = form.currentDocument();
    const int index = form.Strings->bodyIndex(form.StringsGrid->currentIndex().row());
    if (!document || index < 0 || static_cast<std::size_t>(index) >= document->Body.size())
        return {};
    return document->Body[static_cast<std::size_t>(index)].Name;
}

} // namespace

ProjectController* AttachProject(TMainForm& form) {
    ProjectController::Host host;
    host.documentFileName = [&form] {
        return form.openDocument() ? form.openDocument()->fileName() : QString();
    };
    host.openLanguage = [&form](const QString& file, int format, const QString& reference,
                                const std::string& name) {
        return OpenLanguage(form, file, format, reference, name);
    };
    host.setStatus = [&form](std::function<QString()> wording) {
        form.setStatusText(std::move(wording));
    };
    auto* project = new ProjectController(form, form.dialogs(), std::move(host));
    if (auto* panels = form.findChild<BottomPanels*>())
        panels->add(project->panels().languagesDock(), 5); // a mod has a handful of languages
    project->addActionsTo(form.File1, form.OpenFavorite->menuAction());
    if (QMenu* view = form.problems()->viewMenu()) {
        view->addAction(project->panels().languagesDock()->toggleViewAction());
        view->addAction(project->panels().valuesDock()->toggleViewAction());
    }
    const auto follow = [&form, project] { project->showString(ShownName(form)); };
    QObject::connect(form.StringsGrid->selectionModel(), &QItemSelectionModel::currentChanged,
                     project, follow);
    QObject::connect(project, &ProjectController::projectLoaded, project, follow);
    QObject::connect(&form, &TMainForm::documentSaved, project,
                     [project](const QString& fileName) { project->fileSaved(fileName); });
    return project;
}

} // namespace vste::ui
