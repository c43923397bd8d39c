// SPDX-License-Identifier: MIT
// The editor's main window.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <QTranslator>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/Model.h"
#include "formats/Registry.h"
#include "ui/Dialogs.h"
#include "ui/OpenDocument.h"
#include "ui/ProgressBarAdapter.h"
#include "ui/Settings.h"

class QAction;
class QEvent;
class QCloseEvent;
class QShowEvent;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTableView;
class QToolButton;
class QGridLayout;
class QHBoxLayout;
class QUndoCommand;
class QModelIndex;

namespace vste::ui {

class StringsModel;
class ProblemsController;
class ExchangeController;
class RecentFiles;
class WindowState;
class FileDrop;
class KeyboardAccess;
class FindController;
class ReferenceWorkbench;

// The window owns the one open document and every command on it. Its slots carry the names of
// the menu items and buttons that trigger them, so tests drive exactly what a click does.
class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    // `dialogs` answers every message box and file dialog; the real one when null.
    explicit TMainForm(std::unique_ptr<Dialogs> dialogs = nullptr, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Sets every caption, label, hint and menu text of the current translation.
    void retranslateUi();

    // 1: English texts; any other value: Russian. Messages are chosen by it when they are shown.
    std::uint8_t InterfaceLanguage = 1;
    std::uint8_t AutodetectEncoding = 1;
    std::uint8_t OpenWithoutDialog = 0;
    TCat CurrentCategories;

    // The open document and its history; null before the first good open.
    OpenDocument* openDocument() { return m_document.get(); }
    const TWestwoodStrings* currentDocument() const;
    // 1 while everything is saved: the history is where the last save (or the open) left it.
    std::uint8_t ChangesSaved() const;
    // 1 when CSF values are saved as single-byte text (the open document's mode, else the mode
    // the next CSF document starts with when autodetection is off).
    std::uint8_t CyrillicAnsiMode() const;
    // The open document's format; CSF before any open.
    vste::DocumentFormat documentFormat() const;

    // The open dialog's remembered file name and 1-based filter index (the document's path).
    QString openFileName() const { return m_openFileName; }
    void setOpenFileName(const QString& name) { m_openFileName = name; }
    int openFilterIndex() const { return m_openFilterIndex; }
    void setOpenFilterIndex(int index) { m_openFilterIndex = index; }
    QString saveFileName() const { return m_saveFileName; }
    // File > Export and File > Import translation; setReference() gives it the reference table.
    ExchangeController* exchange() const { return m_exchange; }
    // The status text (panel 0 of the status bar): fixed, or worded again on a language switch.
    QString statusText() const;
    void setStatusText(const QString& text);
    void setStatusText(std::function<QString()> wording);

    // Opens `fileName` as format `filterIndex` (1..8) through the open routine.
    void openFile(const QString& fileName, int filterIndex);
    // The program's window title without a file.
    static QString baseTitle();

    // Favorites, start-up and settings.
    void LoadFavorites();
    void OpenFavoriteFile(int number);
    void SetFavoriteFile(int number);
    // Edit > Find and Replace.
    FindController* findController() const { return m_find; }
    // The program's command-line parameters, opened when the window is first shown.
    void setStartupParameters(const QStringList& parameters) { m_startupParameters = parameters; }
    void FormShow();
    // The reference, filter, comparison and update of translations.
    ReferenceWorkbench* workbench() const { return m_workbench; }
    Dialogs& dialogs() { return *m_dialogs; }
    // Shows a change the window did not make itself, as after an undo.
    void showChange(const DocumentTouch& touch) { showTouched(touch); }
    // Before another string is shown: typed text not yet applied is applied as one Apply step.
    // False (and nothing moves) when that Apply is refused or cancelled.
    bool leaveShownString();
    // Shows the next (step 1) or previous (-1) string the grid shows, in the next category when
    // the shown one ends; false when there is none or leaving was refused.
    bool moveToString(int step);
    // The grid row of string `index` in the category shown. When the filter above the grid
    // hides it, the filter is dropped first (filterHidesString). -1 when the category lacks it.
    int rowShowing(int index);
    // Starts a separate copy of the program; replaceable so that tests start nothing.
    std::function<void(const QString& program, const QStringList& arguments)> startProgram;
    // The Problems panel of the View menu.
    ProblemsController* problems() const { return m_problems; }
    RecentFiles* recentFiles() { return m_recentFiles.get(); }

signals:
    // A file became the document, or the document was written to a file, as format 1..8.
    void documentOpened(const QString& fileName, int format);
    void documentSaved(const QString& fileName, int format);
    // Another document (opened, read again or new) replaced the one before.
    void documentReplaced();
    // A string about to be shown is one the filter above the grid hides.
    void filterHidesString();

public slots:
    // File
    void New1Click();
    void Open1Click();
    void OpenNewClick();
    void Save1Click();
    void Saveas1Click();
    void ImportFromCSF1Click();
    void Exit1Click();
    void OpenFavoriteClick(int number);
    void SetFavoriteClick(int number);
    // Edit
    void Standart1Click();
    void Cyrillics1Click();
    void DecodeFargusClick();
    void Version2Click();
    void Version3Click();
    void LanguageClick(int number);
    // Options
    void AssocClick();
    void RussianUIClick();
    void EnglishUIClick();
    void AutodetectOn1Click();
    void CodePageClick(int codePage);
    // Help
    void About1Click();
    // Browsing
    void CatsListBoxClick();
    void StringsGridClick();
    void ValuesSpinEditChange();
    void QuickNameSearchEditChange();
    void QuickStringSearchEditChange();
    // Editing
    void SaveButtonClick();
    void InsertButtonClick();
    void DeleteButtonClick();
    void AddValueButtonClick();
    void RemoveValueButtonClick();
    void UndoClick();
    void RedoClick();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    friend class FindController;

    void createWidgets();
    QWidget* buildCategories(QWidget* parent);
    QWidget* buildStrings(QWidget* parent);
    QWidget* buildEditor(QWidget* parent);
    void buildValueRow(QGridLayout& layout);
    QHBoxLayout* buildEditorButtons();
    void buildStatusBar();
    void connectWidgets();
    void createMenus();
    void createNumberedItems();
    void retranslateMenus();
    QAction* addAction(QMenu* menu, const char* name);
    QMenu* addSubMenu(QMenu* menu, const char* name);
    void FormCreate();
    void FormResize();

    // English when InterfaceLanguage is 1, otherwise the Russian translation of `english`.
    QString chooseText(const char* english) const;
    void showError(const QString& text);
    bool loadRussianTranslation();
    // Installs or removes the Russian translation and applies the captions.
    void applyInterfaceLanguage(bool english);
    void updateValuesNumberLabel();
    // The Options menu's code page list, its captions, and the choices remembered at start.
    void createCodePageMenu();
    void retranslateCodePageMenu();
    void applyStoredChoices();
    void updateCodePageMarks();
    // Opens a file named on the command line, in the format its extension names.
    void commandLineOpen(const QString& fileName);

    // Open routine; the file name and filter index are the open dialog's.
    void openRoutine();
    // Asks about unsaved changes before another file replaces the document: false when the user
    // cancels or the save fails.
    bool askToSaveChanges();
    // The path the open document was read from; empty without one.
    QString documentFileName() const;
    // Yes, No or Cancel about unsaved changes; Yes saves. False to stay as we are.
    bool settleUnsavedChanges(const char* question);
    bool readDocument(vste::DocumentFormat format, const QString& fileName, ReadResult& result,
                      const std::optional<QString>& statusOnFailure);
    void adoptDocument(ReadResult result, const QString& fileName, vste::DocumentFormat format);
    // Enables and disables every command by what the format allows. The open at start leaves
    // the file menu's import, favorite and new-window items as they are.
    void enableCommands(const FormatInfo& format, bool atStart);
    // Shows what an undo or redo touched; changes made by the window's own commands are shown
    // by the command's handler.
    void documentChanged(const DocumentTouch& touch, bool fromHistory);
    void showTouched(const DocumentTouch& touch);
    void updatePropertyMarks();
    void updateUndoActions();
    void setLanguageAndVersionMarks();
    // Fills the categories list from CurrentCategories without selecting anything.
    void refillCategoryList();
    void fillCategories(int selectLine);
    void selectCategoryLine(int line);
    void selectRow(int row, int column = 0);

    // The current string and value, or null when the grid shows none.
    const TText* currentString() const;
    int currentBodyIndex() const;
    int currentRow() const;
    int currentValueIndex() const;
    void clearEditor();
    void showValue(const TText& text, int valueIndex);
    // Shows `value` in the memo and remembers it, so that a memo the user left untouched gives
    // back exactly that value.
    void setMemoValue(const std::u16string& value);
    std::u16string memoValue() const;
    int memoLineCount() const;
    std::string nameBoxText() const;
    std::string extraBoxText() const;
    void quickSearch(int column, const QString& query);

    // Typed text not yet applied: whether a box differs from what it was filled with, and
    // applying it to the string shown as one Apply step (false when refused or cancelled).
    bool hasPendingEdits() const;
    bool applyPendingEdits();
    // Applies the boxes to string `bodyIndex`, value `valueIndex`; false when the user declined.
    bool applyEdits(int bodyIndex, int valueIndex);
    // The boxes as they are now count as applied.
    void rememberShownTexts();
    // Rows of strings only the reference has: shown; added (if agreed) when typed text applies.
    void showReferenceRow(int referenceIndex);
    bool addShownReference();
    // The grid's current row changed from `previous`: a pending edit is applied first, and when
    // that fails the row goes back.
    void gridCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
    // The text box Undo and Redo act on: the focused one, else any, with its own typing to undo
    // (redo); null for the document.
    QWidget* typingToUndo(bool redo) const;

    // Writes the document as STR or in its own format; reports a failure and returns false.
    bool saveDocumentTo(const QString& fileName, OpenDocument::Layout layout);
    // The Save command; false when writing failed.
    bool saveCommand();
    // The Save as command; false when the user cancelled or writing failed.
    bool saveAsCommand();
    void updateTitleWithFile(const QString& fileName, const char* separator);
    void push(std::unique_ptr<QUndoCommand> command);

    std::unique_ptr<Dialogs> m_dialogs;
    std::unique_ptr<OpenDocument> m_document;
    // The encoding mode a CSF document starts with when autodetection is off.
    bool m_ansiModeChoice = false;
    std::unique_ptr<ProgressBarAdapter> m_progress;
    Settings m_settings;
    QTranslator m_russian;
    bool m_russianLoaded = false;
    std::function<QString()> m_statusWording, m_priorWording; // the shown and the replaced one
    bool m_russianInstalled = false;

    QString m_openFileName;
    int m_openFilterIndex = 1;
    QString m_saveFileName;
    int m_saveFilterIndex = 1;
    QStringList m_saveFilters{QStringLiteral("Compiled String Table Files (*.CSF)|*.CSF"),
                              QStringLiteral("All files|*.*")};
    QString m_importFileName;
    QString m_categoryCaption;
    std::u16string m_memoValue;
    QString m_memoShownText;
    // The string and value the editor shows (-1: none) or the reference row's string, the category
    // line it was shown from, and the texts the name and extra-value boxes were filled with.
    int m_shownString = -1;
    int m_shownValue = -1;
    int m_shownReference = -1;
    int m_shownLine = -1;
    QString m_nameShownText;
    QString m_extraShownText;
    bool m_revertingSelection = false;
    QStringList m_startupParameters;
    bool m_shownOnce = false;
    ProblemsController* m_problems = nullptr;
    ExchangeController* m_exchange = nullptr;
    std::unique_ptr<RecentFiles> m_recentFiles;
    std::unique_ptr<WindowState> m_windowState;
    std::unique_ptr<FileDrop> m_fileDrop;
    std::unique_ptr<KeyboardAccess> m_keyboard;
    FindController* m_find = nullptr;
    ReferenceWorkbench* m_workbench = nullptr;

public:
    // Widgets and menu items, named as their object names.
    QSplitter* Splitter1 = nullptr;
    QGroupBox* CategorBox = nullptr;
    QListWidget* CatsListBox = nullptr;
    QFrame* RightGroupBox = nullptr;
    QGroupBox* StringsGroupBox = nullptr;
    QTableView* StringsGrid = nullptr;
    StringsModel* Strings = nullptr;
    QLabel* QuickSearchLabel = nullptr;
    QLineEdit* QuickNameSearchEdit = nullptr;
    QLineEdit* QuickStringSearchEdit = nullptr;
    QGroupBox* StringBox = nullptr;
    QLabel* StringNameLabel = nullptr;
    QLineEdit* StringNameEdit = nullptr;
    QLabel* ValuesNumberLabel = nullptr;
    QSpinBox* ValuesSpinEdit = nullptr;
    QToolButton* AddValueButton = nullptr;
    QToolButton* RemoveValueButton = nullptr;
    QPlainTextEdit* EditorMemo = nullptr;
    QLineEdit* SubStringEdit = nullptr;
    QPushButton* DeleteButton = nullptr;
    QPushButton* InsertButton = nullptr;
    QPushButton* SaveButton = nullptr;
    QLabel* StatusPanel0 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;

    QMenu* File1 = nullptr;
    QAction* New1 = nullptr;
    QAction* Open1 = nullptr;
    QAction* OpenNew = nullptr;
    QMenu* OpenFavorite = nullptr;
    std::array<QAction*, 5> OpenFavorites{};
    QAction* Save1 = nullptr;
    QAction* Saveas1 = nullptr;
    QAction* ImportFromCSF1 = nullptr;
    QAction* Exit1 = nullptr;
    QMenu* Edit = nullptr;
    QAction* Undo1 = nullptr;
    QAction* Redo1 = nullptr;
    QMenu* Coding = nullptr;
    QAction* Standart1 = nullptr;
    QAction* Cyrillics1 = nullptr;
    QAction* DecodeFargus = nullptr;
    QMenu* Fileversion1 = nullptr;
    QAction* Version2 = nullptr;
    QAction* Version3 = nullptr;
    QMenu* FileLanguage1 = nullptr;
    std::array<QAction*, 18> Languages{};
    QMenu* Setfileasfavorite1 = nullptr;
    std::array<QAction*, 5> SetFavorites{};
    QMenu* Options1 = nullptr;
    QMenu* Assoc = nullptr;
    QAction* Assoc1 = nullptr;
    QMenu* LanguageUI = nullptr;
    QAction* RussianUI = nullptr;
    QAction* EnglishUI = nullptr;
    QAction* AutodetectOn1 = nullptr;
    QMenu* CodePageMenu = nullptr;
    std::array<QAction*, 10> CodePages{};
    QMenu* Help1 = nullptr;
    QAction* About1 = nullptr;
};

} // namespace vste::ui
