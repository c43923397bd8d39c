// SPDX-License-Identifier: MIT
// The reference table read beside the document: the original a translation is made from. It
// holds the table and the file it came from; the views match its names to the document's.
#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

#include "core/Model.h"
#include "formats/Registry.h"

namespace vste::ui {

class ReferenceTable final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    ~ReferenceTable() override;

    // Takes a table that was read completely; replaces the one held.
    void adopt(std::unique_ptr<TWestwoodStrings> document, const QString& fileName,
               DocumentFormat format);
    void close();

    bool isOpen() const { return m_document != nullptr; }
    // The reference table, or null while none is open.
    const TWestwoodStrings* document() const { return m_document.get(); }
    QString fileName() const { return m_fileName; }
    DocumentFormat format() const { return m_format; }
    // Grows with every adopt and close, so views know their derived data is out of date.
    std::uint64_t generation() const { return m_generation; }

signals:
    void changed();

private:
    std::unique_ptr<TWestwoodStrings> m_document;
    QString m_fileName;
    DocumentFormat m_format = DocumentFormat::CSF;
    std::uint64_t m_generation = 0;
};

} // namespace vste::ui
