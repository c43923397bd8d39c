// SPDX-License-Identifier: MIT
#include "ui/MainFormSuggestions.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTableView>

#include "ui/MainForm.h"
#include "ui/ReferenceTable.h"
#include "ui/ReferenceWorkbench.h"
#include "ui/Suggestions.h"
#include "ui/ValueBox.h"

namespace vste::ui {

namespace {

// Names the Tools menu in the interface language.
class ToolsTitle final : public QObject {
public:
    explicit ToolsTitle(QMenu* menu) : QObject(menu), m_menu(menu) {
        menu->installEventFilter(this);
        retranslate();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_menu && event->type() == QEvent::LanguageChange)
            retranslate();
        return QObject::eventFilter(watched, event);
    }

private:
    void retranslate() {
        m_menu->setTitle(QCoreApplication::translate("vste::ui::ToolsMenu", "&Tools"));
    }
    QMenu* m_menu;
};

} // namespace

QMenu* ToolsMenu(QMainWindow& window, QMenu* before) {
    QMenuBar* bar = window.menuBar();
    if (auto* menu = bar->findChild<QMenu*>(QStringLiteral("ToolsMenu")))
        return menu;
    auto* menu = new QMenu(bar);
    menu->setObjectName(QStringLiteral("ToolsMenu"));
    new ToolsTitle(menu);
    bar->insertMenu(before ? before->menuAction() : nullptr, menu);
    return menu;
}

SuggestionsController* AttachSuggestions(TMainForm& form) {
    SuggestionsController::Host host;
    host.query = [&form] { return form.workbench()->currentReferenceValue(); };
    host.nearby = [&form] {
        std::vector<std::u16string> values;
        const QModelIndex current = form.StringsGrid->currentIndex();
        for (const int step : {1, -1})
            if (current.isValid())
                if (auto value = form.workbench()->referenceValueAt(current.row() + step, 0))
                    values.push_back(std::move(*value));
        return values;
    };
    host.document = [&form] { return form.currentDocument(); };
    host.reference = [&form] { return form.workbench()->reference().document(); };
    host.type = [&form](const std::u16string& text) {
        if (!form.StringBox->isEnabled())
            return;
        TypeIntoValueBox(*form.EditorMemo, text);
        form.EditorMemo->setFocus();
    };
    auto* suggestions = new SuggestionsController(form, form.dialogs(), std::move(host));
    suggestions->addActionsTo(ToolsMenu(form, form.Help1));
    const auto rebuild = [suggestions] { suggestions->rebuild(); };
    QObject::connect(&form.workbench()->reference(), &ReferenceTable::changed, suggestions,
                     rebuild);
    QObject::connect(&form, &TMainForm::documentReplaced, suggestions, rebuild);
    QObject::connect(&form, &TMainForm::documentSaved, suggestions, rebuild);
    QObject::connect(form.workbench()->referenceValueEdit(), &QPlainTextEdit::textChanged,
                     suggestions, [suggestions] { suggestions->refresh(); });
    return suggestions;
}

} // namespace vste::ui
