// SPDX-License-Identifier: MIT
// Every change the window makes to the open document, as one step of its history. Each command
// calls the document's own editing operation and keeps only what that changed, never a copy of
// the table. Command texts are the English source texts; the window translates them when it
// shows them, so a change of interface language reaches the whole history.
#pragma once

#include <QUndoCommand>

#include <memory>
#include <vector>

#include "core/Model.h"
#include "ui/OpenDocument.h"

namespace vste::ui {

class DocumentCommand : public QUndoCommand {
public:
    DocumentCommand(OpenDocument& document, const char* text);

protected:
    TWestwoodStrings& doc() { return m_document.editableDocument(); }
    OpenDocument& m_document;
};

// A list of field edits, done in order and taken back in reverse: Apply Changes, Replace all,
// the Fargus recoding and any batch of changed names, values and extra values.
class FieldEditsCommand : public DocumentCommand {
public:
    // `edits` hold the new side of each field.
    FieldEditsCommand(OpenDocument& document, const char* text, std::vector<TFieldEdit> edits);
    void redo() override;
    void undo() override;

protected:
    void swap(bool reverse);
    std::vector<TFieldEdit> m_edits;
};

// Apply Changes: the name (when it changed), the value and the extra value, as one step.
std::unique_ptr<QUndoCommand> MakeApplyCommand(OpenDocument& document, std::uint32_t index,
                                               std::uint32_t valueIndex, std::string name,
                                               std::u16string value, std::string extra);

class InsertStringCommand : public DocumentCommand {
public:
    InsertStringCommand(OpenDocument& document, std::uint32_t at, TText text);
    void redo() override;
    void undo() override;

private:
    std::uint32_t m_at;
    TText m_text;
};

class DeleteStringCommand : public DocumentCommand {
public:
    DeleteStringCommand(OpenDocument& document, std::uint32_t index);
    void redo() override;
    void undo() override;

private:
    std::uint32_t m_index;
    TText m_text;
};

// Add value (adding true) or Remove value: the last value of one string.
class ValueCountCommand : public DocumentCommand {
public:
    ValueCountCommand(OpenDocument& document, std::uint32_t index, bool adding);
    void redo() override;
    void undo() override;

private:
    void add();
    void remove();
    std::uint32_t m_index;
    bool m_adding;
    TTextContainer m_value;
};

// Import strings from CSF: reads nothing, takes the source that was read.
class ImportCommand : public DocumentCommand {
public:
    ImportCommand(OpenDocument& document, std::unique_ptr<TWestwoodStrings> source,
                  Progress& progress);
    void redo() override;
    void undo() override;

private:
    std::unique_ptr<TWestwoodStrings> m_source;
    Progress& m_progress;
    TValuesSwap m_swap;
};

class FargusCommand : public FieldEditsCommand {
public:
    FargusCommand(OpenDocument& document, bool decode);
    void redo() override;
    void undo() override;
};

class VersionCommand : public DocumentCommand {
public:
    VersionCommand(OpenDocument& document, std::int32_t version);
    void redo() override;
    void undo() override;

private:
    std::int32_t m_version;
    bool m_done = false;
    TVersionState m_state;
};

class LanguageCommand : public DocumentCommand {
public:
    LanguageCommand(OpenDocument& document, std::int32_t language);
    void redo() override;
    void undo() override { redo(); }

private:
    std::int32_t m_language;
};

class EncodingModeCommand : public DocumentCommand {
public:
    EncodingModeCommand(OpenDocument& document, bool ansiMode);
    void redo() override;
    void undo() override { redo(); }

private:
    bool m_ansiMode;
};

} // namespace vste::ui
