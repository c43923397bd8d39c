// SPDX-License-Identifier: MIT
// The document open in the window with everything that belongs to it: its file, its format, its
// encoding mode and its history of changes.
#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/Model.h"
#include "formats/Registry.h"

namespace vste::ui {

// What a change touched, so that the window can show it.
struct DocumentTouch {
    int stringIndex = -1;   // Body index; -1 when no string in particular
    int valueIndex = 0;     // 0-based
    bool structure = false; // names or strings changed, so the categories change
    // The one string inserted, extracted or renamed, with its name before an extract or a
    // rename: enough to keep the categories in step instead of rebuilding them. None when
    // the structure changed otherwise (then categories are rebuilt).
    enum class StringChange : std::uint8_t { None, Inserted, Extracted, Renamed };
    StringChange stringChange = StringChange::None;
    std::uint32_t changedIndex = 0;
    std::string previousName{};
    // Values were added or removed: the grid's value cells keep what they show.
    bool valueCount = false;
    // Every string whose values one step over several strings set (stringIndex is the first).
    std::vector<std::uint32_t> strings{};
};

// Brings `categories` (as document.GetCategories() gave them before the change `touch`
// reports) in step with the document after it.
void KeepCategories(TCat& categories, const TWestwoodStrings& document, const DocumentTouch& touch);

class OpenDocument final : public QObject {
    Q_OBJECT

public:
    OpenDocument(std::unique_ptr<TWestwoodStrings> document, const FormatInfo& format,
                 QString fileName, bool ansiMode, QObject* parent = nullptr);
    ~OpenDocument() override;

    const TWestwoodStrings& document() const { return *m_document; }
    // For commands only; views change the document by pushing commands.
    TWestwoodStrings& editableDocument() { return *m_document; }
    const FormatInfo& format() const { return *m_format; }
    QString fileName() const { return m_fileName; }
    void setFileName(const QString& fileName) { m_fileName = fileName; }

    // Whether CSF values are saved as single-byte text of the active code page.
    bool ansiMode() const { return m_ansiMode; }
    void setAnsiMode(bool ansiMode) { m_ansiMode = ansiMode; }
    // Whether the Fargus letters have been recoded (the Fargus item's mark).
    bool fargusDecoded() const { return m_fargusDecoded; }
    void setFargusDecoded(bool decoded) { m_fargusDecoded = decoded; }

    QUndoStack& undoStack() { return m_undoStack; }
    // Unsaved changes: the history is not where the last save left it.
    bool isModified() const { return !m_undoStack.isClean(); }
    // Performs `command` and keeps it in the history. The window shows the result itself, so
    // `changed` reports it with fromHistory false.
    void push(QUndoCommand* command);

    // How a save lays the document out: as its format (STR text for an STR document), as the
    // compiled table, or as STR text.
    enum class Layout { Format, Compiled, StrText };
    // The bytes that saving stores. Throws FormatError when the layout cannot hold the document.
    std::vector<std::uint8_t> encode(Layout layout, Progress& progress) const;
    // Writes the document atomically and marks the history saved. Throws FileError or
    // FormatError; the history keeps its unsaved state then.
    void saveTo(const QString& fileName, Layout layout, Progress& progress);

    // Called by commands after every change.
    void notifyChanged(const DocumentTouch& touch);
    // How many changes, and how many changes of names or strings, have been made so far (undo
    // and redo included): views that derive data from the table know when it is out of date,
    // even while other slots of `changed` run before theirs.
    std::uint64_t changeCount() const { return m_changeCount; }
    std::uint64_t structureChangeCount() const { return m_structureChangeCount; }

signals:
    // A command changed the document; fromHistory when it came from Undo or Redo.
    void changed(const vste::ui::DocumentTouch& touch, bool fromHistory);
    // The encoding mode, version, language or Fargus mark changed.
    void propertiesChanged();

private:
    std::unique_ptr<TWestwoodStrings> m_document;
    const FormatInfo* m_format;
    QString m_fileName;
    bool m_ansiMode = false;
    bool m_fargusDecoded = false;
    bool m_pushing = false;
    std::uint64_t m_changeCount = 0;
    std::uint64_t m_structureChangeCount = 0;
    QUndoStack m_undoStack;
};

} // namespace vste::ui
