// SPDX-License-Identifier: MIT
#include "ui/DocumentCommands.h"

#include <QCoreApplication>

#include <utility>

namespace vste::ui {

DocumentCommand::DocumentCommand(OpenDocument& document, const char* text) : m_document(document) {
    setText(QString::fromLatin1(text));
}

FieldEditsCommand::FieldEditsCommand(OpenDocument& document, const char* text,
                                     std::vector<TFieldEdit> edits)
    : DocumentCommand(document, text), m_edits(std::move(edits)) {}

void FieldEditsCommand::swap(bool reverse) {
    doc().SwapEdits(m_edits, reverse);
    DocumentTouch touch;
    const TFieldEdit* rename = nullptr;
    int renames = 0;
    for (const TFieldEdit& edit : m_edits) {
        if (edit.Field == TEditField::Name) {
            rename = &edit;
            ++renames;
        }
    }
    touch.structure = renames > 0;
    if (renames == 1) {
        // The record now holds the name the string had before.
        touch.stringChange = DocumentTouch::StringChange::Renamed;
        touch.changedIndex = rename->StringIndex;
        touch.previousName = rename->Text;
    }
    if (!m_edits.empty()) {
        touch.stringIndex = static_cast<int>(m_edits.front().StringIndex);
        touch.valueIndex = static_cast<int>(m_edits.front().ValueIndex);
    }
    m_document.notifyChanged(touch);
}

void FieldEditsCommand::redo() {
    swap(false);
}

void FieldEditsCommand::undo() {
    swap(true);
}

std::unique_ptr<QUndoCommand> MakeApplyCommand(OpenDocument& document, std::uint32_t index,
                                               std::uint32_t valueIndex, std::string name,
                                               std::u16string value, std::string extra) {
    const TWestwoodStrings& doc = document.document();
    std::vector<TFieldEdit> edits =
        doc.SetValueEdits(index, valueIndex, std::move(value), std::move(extra));
    // The name goes last: where keys follow names, the rename's key is the tag that stays.
    if (doc.Body.at(index).Name != name)
        edits.push_back(doc.RenameEdit(index, std::move(name)));
    return std::make_unique<FieldEditsCommand>(
        document, QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Apply Changes"), std::move(edits));
}

InsertStringCommand::InsertStringCommand(OpenDocument& document, std::uint32_t at, TText text)
    : DocumentCommand(document, QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Insert")), m_at(at),
      m_text(std::move(text)) {}

namespace {

DocumentTouch Inserted(std::uint32_t at) {
    return {static_cast<int>(at), 0, true, DocumentTouch::StringChange::Inserted, at, {}};
}

DocumentTouch Extracted(std::uint32_t index, const std::string& name) {
    return {-1, 0, true, DocumentTouch::StringChange::Extracted, index, name};
}

DocumentTouch ValueCountChanged(std::uint32_t index, int valueIndex) {
    DocumentTouch touch;
    touch.stringIndex = static_cast<int>(index);
    touch.valueIndex = valueIndex;
    touch.valueCount = true;
    return touch;
}

} // namespace

void InsertStringCommand::redo() {
    doc().InsertString(m_at, std::move(m_text));
    m_document.notifyChanged(Inserted(m_at));
}

void InsertStringCommand::undo() {
    m_text = doc().ExtractString(m_at);
    m_document.notifyChanged(Extracted(m_at, m_text.Name));
}

DeleteStringCommand::DeleteStringCommand(OpenDocument& document, std::uint32_t index)
    : DocumentCommand(document, QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Delete")),
      m_index(index) {}

void DeleteStringCommand::redo() {
    m_text = doc().ExtractString(m_index);
    m_document.notifyChanged(Extracted(m_index, m_text.Name));
}

void DeleteStringCommand::undo() {
    doc().InsertString(m_index, std::move(m_text));
    m_document.notifyChanged(Inserted(m_index));
}

ValueCountCommand::ValueCountCommand(OpenDocument& document, std::uint32_t index, bool adding)
    : DocumentCommand(document, adding ? QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Add value")
                                       : QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Remove value")),
      m_index(index), m_adding(adding), m_value(TWestwoodStrings::EmptyValue()) {}

void ValueCountCommand::add() {
    doc().AddValue(m_index, std::move(m_value));
    const auto count = static_cast<int>(doc().Body[m_index].ValueCount());
    m_document.notifyChanged(ValueCountChanged(m_index, count - 1));
}

void ValueCountCommand::remove() {
    m_value = doc().RemoveValue(m_index);
    const auto count = static_cast<int>(doc().Body[m_index].ValueCount());
    m_document.notifyChanged(ValueCountChanged(m_index, count - 1));
}

void ValueCountCommand::redo() {
    m_adding ? add() : remove();
}

void ValueCountCommand::undo() {
    m_adding ? remove() : add();
}

ImportCommand::ImportCommand(OpenDocument& document, std::unique_ptr<TWestwoodStrings> source,
                             Progress& progress)
    : DocumentCommand(document,
                      QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Import strings from CSF")),
      m_source(std::move(source)), m_progress(progress) {}

void ImportCommand::redo() {
    if (m_source) {
        // The first time imports; the source's values then live in the document.
        m_swap = doc().ImportStringValues(*m_source, m_progress);
        m_source.reset();
    } else {
        doc().SwapValues(m_swap);
    }
    m_document.notifyChanged({-1, 0, false}); // names stay: so do the categories
}

void ImportCommand::undo() {
    doc().SwapValues(m_swap);
    m_document.notifyChanged({-1, 0, false}); // names stay: so do the categories
}

FargusCommand::FargusCommand(OpenDocument& document, bool decode)
    : FieldEditsCommand(document,
                        QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Nox Fargus ANSI Cyrillics"),
                        document.document().FargusEdits(decode)) {}

void FargusCommand::redo() {
    m_document.setFargusDecoded(!m_document.fargusDecoded());
    FieldEditsCommand::redo();
    emit m_document.propertiesChanged();
}

void FargusCommand::undo() {
    m_document.setFargusDecoded(!m_document.fargusDecoded());
    FieldEditsCommand::undo();
    emit m_document.propertiesChanged();
}

VersionCommand::VersionCommand(OpenDocument& document, std::int32_t version)
    : DocumentCommand(document, QT_TRANSLATE_NOOP("vste::ui::TMainForm", "File Version")),
      m_version(version) {}

void VersionCommand::redo() {
    if (m_done)
        doc().SwapVersion(m_state);
    else
        m_state = doc().ChangeVersion(m_version);
    m_done = true;
    m_document.notifyChanged({});
    emit m_document.propertiesChanged();
}

void VersionCommand::undo() {
    doc().SwapVersion(m_state);
    m_document.notifyChanged({});
    emit m_document.propertiesChanged();
}

LanguageCommand::LanguageCommand(OpenDocument& document, std::int32_t language)
    : DocumentCommand(document, QT_TRANSLATE_NOOP("vste::ui::TMainForm", "File Language")),
      m_language(language) {}

void LanguageCommand::redo() {
    const std::int32_t previous = doc().Language;
    doc().SetLanguage(m_language);
    m_language = previous;
    emit m_document.propertiesChanged();
}

EncodingModeCommand::EncodingModeCommand(OpenDocument& document, bool ansiMode)
    : DocumentCommand(document, QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Character Encoding")),
      m_ansiMode(ansiMode) {}

void EncodingModeCommand::redo() {
    const bool previous = m_document.ansiMode();
    m_document.setAnsiMode(m_ansiMode);
    m_ansiMode = previous;
    emit m_document.propertiesChanged();
}

} // namespace vste::ui
