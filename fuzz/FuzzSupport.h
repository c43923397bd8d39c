// SPDX-License-Identifier: MIT
// Shared by the fuzz targets: failing loudly, and the read / write / read-again property that
// every reader target checks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "core/Errors.h"
#include "core/Model.h"
#include "encoding/CodePage.h"
#include "formats/Registry.h"

namespace vste::fuzz {

// A broken property: print it and abort, so that libFuzzer saves the input.
[[noreturn]] inline void Fail(const std::string& what) {
    std::fprintf(stderr, "\n*** property broken: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

inline void Check(bool ok, const std::string& what) {
    if (!ok)
        Fail(what);
}

// Code page conversions depend on the active code page; the format targets fix Windows-1252 so
// that an input always means the same thing.
inline void UseWesternCodePage() {
    static const bool once = [] {
        SetActiveCodePage(1252);
        return true;
    }();
    (void)once;
}

inline std::string Where(std::size_t i) {
    return " (string " + std::to_string(i) + ")";
}

// What every document must satisfy after any successful read.
inline void CheckInvariants(const TWestwoodStrings& doc) {
    for (std::size_t i = 0; i < doc.Body.size(); ++i)
        Check(!doc.Body[i].Values.empty(), "a string without any value" + Where(i));
    // The category list names every string exactly once.
    const TCat cats = doc.GetCategories();
    std::vector<int> seen(doc.Body.size(), 0);
    for (const TCategory& c : cats)
        for (std::int32_t id : c.IDs) {
            Check(id >= 0 && static_cast<std::size_t>(id) < seen.size(),
                  "category '" + c.Name + "' lists index " + std::to_string(id) + " of " +
                      std::to_string(seen.size()));
            Check(seen[static_cast<std::size_t>(id)]++ == 0,
                  "index " + std::to_string(id) + " is in two categories");
        }
    for (std::size_t i = 0; i < seen.size(); ++i)
        Check(seen[i] == 1, "no category lists" + Where(i));
}

// Names (when the layout stores them) and first values must survive a write and a read.
inline void CheckSameStrings(const TWestwoodStrings& a, const TWestwoodStrings& b,
                             bool compareNames) {
    Check(a.Body.size() == b.Body.size(), "string count " + std::to_string(a.Body.size()) +
                                              " came back as " + std::to_string(b.Body.size()));
    for (std::size_t i = 0; i < a.Body.size(); ++i) {
        if (compareNames)
            Check(a.Body[i].Name == b.Body[i].Name,
                  "name '" + a.Body[i].Name + "' came back as '" + b.Body[i].Name + "'" + Where(i));
        Check(a.Body[i].Values[0].Value == b.Body[i].Values[0].Value,
              "first value changed" + Where(i));
    }
}

// CSF keeps everything: header, tags, every value and every extra value.
inline void CheckSameCsf(const TWestwoodStrings& a, const TWestwoodStrings& b) {
    Check(a.Magic == b.Magic && a.Version == b.Version && a.StringCount == b.StringCount &&
              a.Reserved == b.Reserved && a.Language == b.Language,
          "CSF header changed");
    CheckSameStrings(a, b, true);
    for (std::size_t i = 0; i < a.Body.size(); ++i) {
        const TText& x = a.Body[i];
        const TText& y = b.Body[i];
        Check(x.Tag == y.Tag, "label tag changed" + Where(i));
        Check(x.Values.size() == y.Values.size(), "value count changed" + Where(i));
        for (std::size_t j = 0; j < x.Values.size(); ++j) {
            Check(x.Values[j].Tag == y.Values[j].Tag, "value tag changed" + Where(i));
            Check(x.Values[j].Value == y.Values[j].Value, "value changed" + Where(i));
            Check(x.Values[j].ExtraValue == y.Values[j].ExtraValue,
                  "extra value changed" + Where(i));
        }
    }
}

// Reads `data` as `format`; when that succeeds, writes the document, reads the result again and
// checks that the table survived, then writes once more and checks that the bytes are stable.
inline int ReaderRoundTrip(DocumentFormat format, const std::uint8_t* data, std::size_t size) {
    UseWesternCodePage();
    NullProgress progress;
    ReadResult first;
    try {
        first = ReadDocument(format, std::span<const std::uint8_t>(data, size), progress);
    } catch (const DocumentError&) {
        return 0; // a clear refusal is the right answer to a malformed file
    }
    Check(first.document != nullptr, "the reader returned no document");
    CheckInvariants(*first.document);

    // The window saves a CSF document in the mode its reader detected.
    const bool ansi = first.singleByte;
    std::vector<std::uint8_t> written;
    try {
        written = WriteDocument(format, *first.document, progress, ansi);
    } catch (const FormatError&) {
        return 0; // the layout cannot hold this document, and the writer said so
    }
    if (format == DocumentFormat::BladeRunner && written.empty())
        return 0; // no writer for this layout

    ReadResult second;
    try {
        second = ReadDocument(format, written, progress);
    } catch (const DocumentError& e) {
        Fail(std::string("the written file does not read back: ") + e.what());
    }
    CheckInvariants(*second.document);

    switch (format) {
    case DocumentFormat::CSF:
        Check(second.singleByte == first.singleByte, "single-byte detection changed");
        CheckSameCsf(*first.document, *second.document);
        break;
    case DocumentFormat::EmpireAtWar:
        // The layout is copied byte for byte; only bytes after the names are dropped.
        Check(written.size() <= size && std::equal(written.begin(), written.end(), data),
              "saving an unchanged file changed its bytes");
        CheckSameStrings(*first.document, *second.document, true);
        for (std::size_t i = 0; i < first.document->Body.size(); ++i)
            Check(first.document->Body[i].Values[0].Tag == second.document->Body[i].Values[0].Tag,
                  "key changed" + Where(i));
        break;
    default:
        CheckSameStrings(*first.document, *second.document, true);
        break;
    }

    std::vector<std::uint8_t> again;
    try {
        again = WriteDocument(format, *second.document, progress, second.singleByte);
    } catch (const FormatError& e) {
        Fail(std::string("a document read from a written file cannot be written: ") + e.what());
    }
    Check(again == written, "writing the re-read document gives other bytes");
    return 0;
}

} // namespace vste::fuzz
