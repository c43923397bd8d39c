// SPDX-License-Identifier: MIT
#include "ui/OpenDocument.h"

#include "core/FileIO.h"

namespace vste::ui {

OpenDocument::OpenDocument(std::unique_ptr<TWestwoodStrings> document, const FormatInfo& format,
                           QString fileName, bool ansiMode, QObject* parent)
    : QObject(parent), m_document(std::move(document)), m_format(&format),
      m_fileName(std::move(fileName)), m_ansiMode(ansiMode) {}

// The commands refer to the document: they go first.
OpenDocument::~OpenDocument() {
    m_undoStack.clear();
}

void OpenDocument::push(QUndoCommand* command) {
    m_pushing = true;
    m_undoStack.push(command);
    m_pushing = false;
}

// A million-string table rebuilds its categories in a good part of a second; one inserted,
// extracted or renamed string only moves indexes.
void KeepCategories(TCat& categories, const TWestwoodStrings& document,
                    const DocumentTouch& touch) {
    if (!touch.structure)
        return;
    switch (touch.stringChange) {
    case DocumentTouch::StringChange::Inserted:
        document.CategoriesAfterInsert(categories, touch.changedIndex);
        break;
    case DocumentTouch::StringChange::Extracted:
        document.CategoriesAfterExtract(categories, touch.changedIndex, touch.previousName);
        break;
    case DocumentTouch::StringChange::Renamed:
        document.CategoriesAfterRename(categories, touch.changedIndex, touch.previousName);
        break;
    default:
        categories = document.GetCategories();
        break;
    }
}

void OpenDocument::notifyChanged(const DocumentTouch& touch) {
    ++m_changeCount;
    if (touch.structure)
        ++m_structureChangeCount;
    emit changed(touch, !m_pushing);
}

std::vector<std::uint8_t> OpenDocument::encode(Layout layout, Progress& progress) const {
    switch (layout) {
    case Layout::StrText:
        return WriteDocument(DocumentFormat::STR, *m_document, progress, m_ansiMode);
    case Layout::Compiled:
        return m_document->SaveToBuffer(progress, m_ansiMode);
    default:
        return WriteDocument(m_format->id, *m_document, progress, m_ansiMode);
    }
}

void OpenDocument::saveTo(const QString& fileName, Layout layout, Progress& progress) {
    StoreFileAtomically(fileName.toStdString(), encode(layout, progress));
    m_undoStack.setClean();
}

} // namespace vste::ui
