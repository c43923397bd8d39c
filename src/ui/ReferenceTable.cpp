// SPDX-License-Identifier: MIT
#include "ui/ReferenceTable.h"

namespace vste::ui {

ReferenceTable::~ReferenceTable() = default;

void ReferenceTable::adopt(std::unique_ptr<TWestwoodStrings> document, const QString& fileName,
                           DocumentFormat format) {
    m_document = std::move(document);
    m_fileName = fileName;
    m_format = format;
    ++m_generation;
    emit changed();
}

void ReferenceTable::close() {
    if (!m_document)
        return;
    m_document.reset();
    m_fileName.clear();
    ++m_generation;
    emit changed();
}

} // namespace vste::ui
