// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>

#include "core/CompiledStrings.h"
#include "core/EmpireAtWarStrings.h"
#include "core/Errors.h"
#include "formats/BladeRunnerStrings.h"
#include "formats/Dune2000Strings.h"
#include "formats/LiquidStrings.h"
#include "formats/MalcolmStrings.h"
#include "formats/Registry.h"
#include "support/TestSupport.h"

using namespace vste;
using namespace vste::test;

namespace {

std::string ShortNameOf(std::string_view fileName) {
    const FormatInfo* f = FindFormatByFileName(fileName);
    return f ? std::string(f->shortName) : "none";
}

TText OneValue(std::string name, std::u16string value) {
    TText t;
    t.Name = std::move(name);
    t.Values.push_back(TTextContainer{{}, std::move(value), {}});
    return t;
}

} // namespace

TEST(RegistryTest, EveryFormatIsFoundByItsIdAndShortName) {
    int expectedId = 1;
    for (const FormatInfo& f : Formats()) {
        EXPECT_EQ(static_cast<int>(f.id), expectedId++);
        EXPECT_EQ(&GetFormatInfo(f.id), &f);
        EXPECT_EQ(FindFormatByName(f.shortName), &f);
        // The Save as dialog's default extension is one the format is opened by.
        if (!f.defaultExtension.empty() && f.id != DocumentFormat::STR) {
            EXPECT_EQ(FindFormatByFileName(std::string("x") + std::string(f.defaultExtension)), &f);
        }
    }
    EXPECT_EQ(expectedId, 9);
    EXPECT_EQ(FindFormatByName("dat"), nullptr);
    EXPECT_THROW(GetFormatInfo(static_cast<DocumentFormat>(9)), std::invalid_argument);
}

TEST(RegistryTest, FormatByFileExtension) {
    EXPECT_EQ(ShortNameOf("ra2.csf"), "csf");
    EXPECT_EQ(ShortNameOf("/x/GAME.STR"), "str");
    EXPECT_EQ(ShortNameOf("MasterTextFile_English.DAT"), "eaw");
    EXPECT_EQ(ShortNameOf("c:\\games\\conquer.Eng"), "westwood");
    for (const char* name : {"a.ger", "a.FRE", "a.dip", "a.LM"})
        EXPECT_EQ(ShortNameOf(name), "westwood") << name;
    EXPECT_EQ(ShortNameOf("a.uib"), "uib");
    EXPECT_EQ(ShortNameOf("a.lte"), "lte");
    EXPECT_EQ(ShortNameOf("a.TRR"), "trr");
    for (const char* name : {"a.tre", "a.TRF", "a.trg"})
        EXPECT_EQ(ShortNameOf(name), "tre") << name;
    for (const char* name : {"", "csf", "a.csf.bak", "dir.csf/file", "dir.csf\\file", "a.", ".cs"})
        EXPECT_EQ(ShortNameOf(name), "none") << name;
}

TEST(RegistryTest, TheListedExtensionsAreExactlyThoseThatFindEachFormat) {
    // "csf (.csf), str (.str), …": each extension listed finds its format, and every extension
    // of the registry is listed once, under the format it finds.
    const std::string list = FormatExtensionList();
    std::size_t listed = 0;
    for (std::size_t at = 0; at < list.size();) {
        const std::size_t open = list.find(" (", at), close = list.find(')', open);
        ASSERT_NE(close, std::string::npos) << list;
        const std::string name = list.substr(at, open - at);
        std::string extensions = list.substr(open + 2, close - open - 2) + ' ';
        for (std::size_t e = 0, space; (space = extensions.find(' ', e)) != std::string::npos;
             e = space + 1, ++listed) {
            std::string file = "a";
            file += extensions.substr(e, space - e);
            EXPECT_EQ(ShortNameOf(file), name) << list;
        }
        at = close + 3; // past "), "
    }
    std::size_t distinct = 0;
    std::vector<std::string_view> seen;
    for (const FormatInfo& f : Formats())
        for (std::string_view e : f.extensions)
            if (std::find(seen.begin(), seen.end(), e) == seen.end()) {
                seen.push_back(e);
                ++distinct;
            }
    EXPECT_EQ(listed, distinct) << list;
    EXPECT_EQ(FormatNameList().find("csf, str, eaw"), 0u);
}

TEST(RegistryTest, EachFormatReadsAndWritesThroughItsOwnClass) {
    NullProgress progress;
    struct Case {
        DocumentFormat format;
        std::unique_ptr<TWestwoodStrings> document;
    };
    std::vector<Case> cases;
    cases.push_back({DocumentFormat::EmpireAtWar, std::make_unique<TEmpireAtWarStrings>()});
    cases.push_back({DocumentFormat::Dune2000, std::make_unique<TDune2000Strings>()});
    cases.push_back({DocumentFormat::Westwood, std::make_unique<TWestwoodStrings>()});
    cases.push_back({DocumentFormat::Liquid, std::make_unique<TLiquidStrings>()});
    cases.push_back({DocumentFormat::BladeRunner, std::make_unique<TBladeRunnerStrings>()});
    cases.push_back({DocumentFormat::Malcolm, std::make_unique<TMalcolmStrings>()});
    for (auto& [format, document] : cases) {
        SCOPED_TRACE(GetFormatInfo(format).shortName);
        document->Body.push_back(OneValue("1", u"First"));
        document->Body.push_back(OneValue("2", u"Second"));
        const Bytes bytes = WriteDocument(format, *document, progress, false);
        ReadResult read = ReadDocument(format, bytes, progress);
        ASSERT_TRUE(read.document);
        EXPECT_EQ(typeid(*read.document), typeid(*document));
        EXPECT_FALSE(read.singleByte);
        ASSERT_EQ(read.document->LabelCount(), 2u);
        EXPECT_EQ(read.document->Body[1].Values.at(0).Value, u"Second");
        EXPECT_EQ(WriteDocument(format, *read.document, progress, false), bytes);
    }
}

TEST(RegistryTest, CompiledTablesAndTheirTextForm) {
    NullProgress progress;
    TCompiledStrings csf;
    csf.Magic = kCsfMagic;
    csf.Version = 3;
    TText label;
    label.Tag = kLabelTag;
    label.Name = "GUI:OK";
    label.Values.push_back(TTextContainer{kValueTagV3, u"OK", {}});
    csf.Body.push_back(label);
    csf.StringCount = 1;

    const Bytes csfBytes = WriteDocument(DocumentFormat::CSF, csf, progress, false);
    ReadResult fromCsf = ReadDocument(DocumentFormat::CSF, csfBytes, progress);
    ASSERT_NE(dynamic_cast<TCompiledStrings*>(fromCsf.document.get()), nullptr);
    EXPECT_FALSE(fromCsf.singleByte); // plain ASCII reads as Unicode
    EXPECT_EQ(fromCsf.document->Body.at(0).Name, "GUI:OK");

    const Bytes strBytes = WriteDocument(DocumentFormat::STR, csf, progress, false);
    ReadResult fromStr = ReadDocument(DocumentFormat::STR, strBytes, progress);
    ASSERT_NE(dynamic_cast<TCompiledStrings*>(fromStr.document.get()), nullptr);
    EXPECT_EQ(fromStr.document->Body.at(0).Values.at(0).Value, u"OK");

    // Only the CSF document has a text form.
    EXPECT_THROW(WriteDocument(DocumentFormat::STR, TEmpireAtWarStrings(), progress, false),
                 FormatError);
}

TEST(RegistryTest, ReadingFilesAndBadInput) {
    TempDir dir;
    NullProgress progress;
    WriteBytes(dir.file("a.tre"), Hex("0100 0700 0600 486900"));
    ReadResult r = ReadDocumentFile(DocumentFormat::Malcolm, dir.file("a.tre"), progress);
    ASSERT_EQ(r.document->LabelCount(), 1u);
    EXPECT_EQ(r.document->Body[0].Values[0].Value, u"Hi");
    EXPECT_THROW(ReadDocumentFile(DocumentFormat::Malcolm, dir.file("missing.tre"), progress),
                 FileError);
    // Every binary reader refuses a count that the bytes cannot hold.
    for (auto format : {DocumentFormat::CSF, DocumentFormat::EmpireAtWar,
                        DocumentFormat::BladeRunner, DocumentFormat::Malcolm})
        EXPECT_THROW(ReadDocument(format, Hex("FFFF"), progress), ReadError);
}
