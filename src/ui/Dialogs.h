// SPDX-License-Identifier: MIT
// Message boxes, questions and file dialogs of the window, behind an interface so that tests
// can answer them.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace vste::ui {

// A file dialog's result: the chosen name and the 1-based index of the chosen filter.
struct FileChoice {
    QString fileName;
    int filterIndex = 1;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // An error box with one OK button.
    virtual void error(QWidget* parent, const QString& text) = 0;
    // A confirmation box with Yes and No; true for Yes.
    virtual bool question(QWidget* parent, const QString& text) = 0;
    // A box with Yes, No and Cancel (Escape is Cancel): true for Yes, false for No, empty for
    // Cancel.
    virtual std::optional<bool> questionWithCancel(QWidget* parent, const QString& text) = 0;
    // Whether to replace an existing file, asked as `text`: Yes or No, No being the default.
    // Unless overridden, a Yes/No question.
    virtual bool confirmReplace(QWidget* parent, const QString& text) {
        return question(parent, text);
    }
    // A file dialog titled `caption`, which says what the file is for. Filters are
    // "Description|*.A; *.B" entries; `fileName` is the name or folder it starts with. Empty
    // when the user cancels.
    virtual std::optional<FileChoice> openFile(QWidget* parent, const QString& caption,
                                               const QStringList& filters, const QString& fileName,
                                               int filterIndex) = 0;
    virtual std::optional<FileChoice> saveFile(QWidget* parent, const QString& caption,
                                               const QStringList& filters, const QString& fileName,
                                               int filterIndex) = 0;
    // A warning with a list under it and two buttons, `proceed` and `cancel`; `cancel` is the
    // default and Escape. True for `proceed`. Unless overridden, a Yes/No question of both texts.
    virtual bool confirm(QWidget* parent, const QString& text, const QString& details,
                         const QString& proceed, const QString& cancel) {
        (void)proceed;
        (void)cancel;
        return question(parent, text + QStringLiteral("\n\n") + details);
    }
    // The same warning with a button for each of `actions` (none: `cancel` alone); `cancel` is
    // the default and Escape. The index of the chosen action, -1 for `cancel`. Unless
    // overridden, an error box without actions, else confirm() with the first action.
    virtual int choose(QWidget* parent, const QString& text, const QString& details,
                       const QStringList& actions, const QString& cancel) {
        if (actions.isEmpty()) {
            error(parent, text + QStringLiteral("\n\n") + details);
            return -1;
        }
        return confirm(parent, text, details, actions.constFirst(), cancel) ? 0 : -1;
    }
};

// The real boxes and dialogs. Save dialogs ask nothing before replacing a file.
class StandardDialogs final : public Dialogs {
public:
    void error(QWidget* parent, const QString& text) override;
    bool question(QWidget* parent, const QString& text) override;
    std::optional<bool> questionWithCancel(QWidget* parent, const QString& text) override;
    bool confirmReplace(QWidget* parent, const QString& text) override;
    std::optional<FileChoice> openFile(QWidget* parent, const QString& caption,
                                       const QStringList& filters, const QString& fileName,
                                       int filterIndex) override;
    std::optional<FileChoice> saveFile(QWidget* parent, const QString& caption,
                                       const QStringList& filters, const QString& fileName,
                                       int filterIndex) override;
    bool confirm(QWidget* parent, const QString& text, const QString& details,
                 const QString& proceed, const QString& cancel) override;
    int choose(QWidget* parent, const QString& text, const QString& details,
               const QStringList& actions, const QString& cancel) override;
};

// "Compiled String Table Files (*.CSF)|*.CSF" -> "Compiled String Table Files (*.CSF) (*.CSF
// *.csf)": the patterns in both letter cases, since file systems may tell them apart.
QString ToQtFilter(const QString& filter);

// Where a file dialog starts: `remembered` (the name last chosen in it) when there is one,
// otherwise the folder of the open document `documentFileName` (empty: the dialog's default).
QString StartingName(const QString& remembered, const QString& documentFileName);

} // namespace vste::ui
