// SPDX-License-Identifier: MIT
// The bottom panels and the file dialogs: Problems, Find and Compare share the bottom area as
// tabs and open tall enough for ten rows without hiding the editor's buttons; every file dialog
// says what it is for, starts beside the open document and reads a typed name in the format
// its extension names.
#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>

#include "UiTestSupport.h"
#include "ui/BottomPanels.h"
#include "ui/MainForm.h"
#include "ui/ReferenceTable.h"
#include "ui/ReferenceWorkbench.h"

using namespace vste;
using namespace vste::ui;
using namespace vste::ui::test;

namespace {

const std::vector<Entry> kTable = {
    {"GUI:OK", {u"OK"}, ""},
    {"GUI:Cancel", {u"Cancel"}, ""},
};

} // namespace

class PanelsTest : public WindowTest {
    Q_OBJECT

    QDockWidget* dock(const char* name) { return find<QDockWidget>(name); }
    void trigger(const char* action) {
        auto* item = find<QAction>(action);
        QVERIFY2(item, action);
        item->trigger();
    }

private slots:
    void initTestCase() { prepareFolders(); }
    void init() { ForgetRememberedWindow(); }

    void panelsOpenedTogetherShareTheBottomAreaAsTabs() {
        openCsf(kTable);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        QDockWidget* problems = dock("ProblemsDock");
        QDockWidget* findDock = dock("FindDock");
        QDockWidget* compare = dock("CompareDock");
        for (QDockWidget* panel : {problems, findDock, compare}) {
            panel->show();
            QCOMPARE(m_form->dockWidgetArea(panel), Qt::BottomDockWidgetArea);
        }
        const QList<QDockWidget*> tabs = m_form->tabifiedDockWidgets(problems);
        QVERIFY(tabs.contains(findDock));
        QVERIFY(tabs.contains(compare));
        // The panel opened last is the tab in front.
        QTRY_VERIFY(!compare->visibleRegion().isEmpty());
    }

    void aPanelOpensTallEnoughForTenRowsAndTheEditorKeepsItsButtons() {
        openCsf(kTable);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        const int before = m_form->height();
        QDockWidget* findDock = dock("FindDock");
        trigger("FindReplaceAction");
        QTRY_VERIFY(findDock->isVisible());
        const int wanted = BottomPanels::wantedHeight(*findDock);
        const int room = m_form->screen()->availableGeometry().height();
        QTRY_VERIFY(m_form->height() > before || m_form->height() >= room - 60);
        // Where the screen has room for both, the panel gets its ten rows.
        const int editor = m_form->centralWidget()->minimumSizeHint().height();
        if (editor + wanted + 80 < room)
            QTRY_VERIFY(findDock->height() >= wanted - 2);
        // Whatever the screen, the editor's buttons stay in view.
        for (const char* name : {"SaveButton", "DeleteButton", "InsertButton"}) {
            auto* button = find<QPushButton>(name);
            QVERIFY2(button->isVisible() && !button->visibleRegion().isEmpty(), name);
            const QPoint bottom = button->mapTo(m_form.get(), button->rect().bottomLeft());
            QVERIFY2(bottom.y() < findDock->geometry().top(), name);
        }
        // The window grows once: the next panel opens in the area as it is.
        const int grown = m_form->height();
        findDock->hide();
        trigger("ProblemsAction");
        QTest::qWait(20);
        QCOMPARE(m_form->height(), grown);
    }

    void fileDialogsSayWhatTheyAreForAndStartBesideTheDocument() {
        QDir().mkpath(path("mod"));
        WriteCsf(path("mod/t.csf"), kTable);
        WriteFormat(path("mod/ref.str"), static_cast<int>(DocumentFormat::STR), kTable);
        newForm().openFile(path("mod/t.csf"), 1);
        emit find<QMenu>("File1")->aboutToShow(); // the menu enables what the document allows
        // A typed .str is read as STR though the CSF filter was shown.
        m_log.files.push_back(FileChoice{path("mod/ref.str"), 1});
        trigger("OpenReference");
        QVERIFY(m_log.errors.isEmpty());
        QVERIFY(m_form->findChild<ReferenceWorkbench*>()->reference().document() != nullptr);
        for (const char* action :
             {"CompareWith", "UpdateTranslation", "ImportTranslation", "ExportExchange"})
            trigger(action); // each dialog is cancelled
        QCOMPARE(m_log.fileCaptions,
                 QStringList({"Open reference table", "Choose the table to compare with",
                              "Choose the old original", "Import translation", "Export"}));
        for (int k = 0; k < m_log.fileStarts.size(); ++k) {
            if (k == 0)
                QCOMPARE(m_log.fileStarts[k], path("mod"));
            else
                QVERIFY2(m_log.fileStarts[k].startsWith(path("mod")),
                         qPrintable(m_log.fileStarts[k]));
        }
    }
};

QTEST_MAIN(PanelsTest)
#include "PanelsTest.moc"
