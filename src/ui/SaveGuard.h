// SPDX-License-Identifier: MIT
// The question before a save that would lose or refuse text: characters the code page cannot
// hold (written as '?' or a look-alike), names an STR file cannot carry, and names, values or
// tables too long for the format. Nothing is written that way unless the user says so.
#pragma once

#include <QCoreApplication>
#include <QString>

#include <vector>

#include "checks/Finding.h"
#include "ui/OpenDocument.h"

class QWidget;

namespace vste::ui {

class Dialogs;

class SaveGuard {
    Q_DECLARE_TR_FUNCTIONS(vste::ui::SaveGuard)

public:
    // How many findings the question lists; the rest are counted.
    static constexpr std::size_t kListed = 50;

    // The format a save with `layout` writes: the document's own, STR text, or the compiled
    // layout of the document's class (CSF for an STR document).
    static DocumentFormat targetFormat(const OpenDocument& document, OpenDocument::Layout layout);
    enum class Answer { Cancel, Save, SaveAsUnicode };
    // Save when the document loses nothing in the target format, or the user chose Save anyway
    // (Cancel is the default). When every finding is a certain refusal only Cancel is offered;
    // when single-byte CSF values lose characters, also Save as Unicode. Throws nothing the
    // check does not throw.
    static Answer confirmSave(QWidget* parent, Dialogs& dialogs, const OpenDocument& document,
                              const QString& fileName, OpenDocument::Layout layout);
    // A finding's message in the interface language.
    static QString findingMessage(const Finding& finding);
    // The findings one per line, "NAME: value K: MESSAGE [RULE]", the first kListed of them and
    // then how many more there are.
    static QString listFindings(const std::vector<Finding>& findings);
};

} // namespace vste::ui
