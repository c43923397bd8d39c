// SPDX-License-Identifier: MIT
// The document's editing operations: their rules, and that what each returns takes it back to
// the very bytes it started from.
#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <random>

#include "core/CompiledStrings.h"
#include "core/EmpireAtWarStrings.h"
#include "encoding/CodePage.h"
#include "formats/BladeRunnerStrings.h"
#include "formats/Dune2000Strings.h"
#include "formats/LiquidStrings.h"
#include "formats/MalcolmStrings.h"
#include "formats/Registry.h"
#include "support/TestSupport.h"

namespace vste {

// Test names and messages show a format by its short name.
void PrintTo(const FormatInfo& format, std::ostream* out) {
    *out << format.shortName;
}

namespace {

using test::Bytes;

std::unique_ptr<TWestwoodStrings> EmptyOf(DocumentFormat format) {
    return NewDocument(format);
}

Bytes Save(const TWestwoodStrings& doc, DocumentFormat format) {
    NullProgress progress;
    return WriteDocument(format, doc, progress, false);
}

// A table of `format` as its reader gives it: five strings named by number, as every format
// can name them.
std::unique_ptr<TWestwoodStrings> Sample(DocumentFormat format) {
    auto doc = EmptyOf(format);
    doc->Magic = kCsfMagic;
    doc->Version = 3;
    doc->StringCount = 5;
    for (int n = 1; n <= 5; ++n)
        doc->Body.push_back(
            doc->NewString(std::to_string(n), u"value " + std::u16string(1, u'0' + n), ""));
    NullProgress progress;
    return std::move(ReadDocument(format, Save(*doc, format), progress).document);
}

class EditingPerFormat : public testing::TestWithParam<FormatInfo> {};

TEST_P(EditingPerFormat, ApplyingARenameAndAValueIsTakenBackToTheSameBytes) {
    const FormatInfo& info = GetParam();
    auto doc = Sample(info.id);
    const Bytes original = Save(*doc, info.id);
    const Tag4 tagBefore = doc->Body[1].Values[0].Tag;

    std::vector<TFieldEdit> edits{doc->RenameString(1, "9")};
    for (TFieldEdit& edit : doc->SetValue(1, 0, u"new\nvalue", info.hasExtraValues ? "x" : ""))
        edits.push_back(std::move(edit));
    EXPECT_EQ(doc->Body[1].Name, "9");
    if (info.id == DocumentFormat::EmpireAtWar) {
        EXPECT_EQ(doc->Body[1].Values[0].Tag, TEmpireAtWarStrings::KeyForName("9"));
    } else if (info.hasExtraValues) {
        EXPECT_EQ(doc->Body[1].Values[0].Tag, (Tag4{'W', 'R', 'T', 'S'}));
    }
    const Bytes edited = Save(*doc, info.id);

    doc->SwapEdits(edits, true);
    EXPECT_EQ(Save(*doc, info.id), original);
    EXPECT_EQ(doc->Body[1].Values[0].Tag, tagBefore);
    doc->SwapEdits(edits, false);
    EXPECT_EQ(Save(*doc, info.id), edited);
}

TEST_P(EditingPerFormat, InsertingDeletingAndValuesAreTakenBackToTheSameBytes) {
    const FormatInfo& info = GetParam();
    if (!info.canInsertDelete && !info.severalValues)
        GTEST_SKIP() << "the format offers neither";
    auto doc = Sample(info.id);
    const Bytes original = Save(*doc, info.id);
    if (info.canInsertDelete) {
        const std::string first = doc->Body[0].Name;
        doc->InsertString(doc->LabelCount(), doc->NewString("6", u"n", ""));
        TText removed = doc->ExtractString(0);
        EXPECT_EQ(removed.Name, first);
        doc->InsertString(0, std::move(removed));
        doc->ExtractString(doc->LabelCount() - 1);
        EXPECT_EQ(Save(*doc, info.id), original);
    }
    if (info.severalValues) {
        doc->AddValue(2);
        EXPECT_EQ(doc->Body[2].Values.back().Tag, kValueTagV3);
        EXPECT_EQ(doc->Body[2].ValueCount(), 2u);
        doc->RemoveValue(2);
        EXPECT_THROW(doc->RemoveValue(2), std::invalid_argument);
        EXPECT_EQ(Save(*doc, info.id), original);
        // An import's way: a value replaced whole and one appended, then both taken back.
        TTextContainer value = doc->Body[1].Values[0];
        value.Value = u"imported";
        TTextContainer old = doc->ReplaceValue(1, 0, value);
        doc->AddValue(1, value);
        doc->TakeLastValue(1);
        doc->ReplaceValue(1, 0, std::move(old));
        EXPECT_THROW(doc->ReplaceValue(1, 1, value), std::out_of_range);
        EXPECT_EQ(Save(*doc, info.id), original);
    }
}

std::string FormatName(const testing::TestParamInfo<FormatInfo>& info) {
    return std::string(info.param.shortName);
}

// Random inserts, deletes (down to an empty table) and renames, with names that fall into
// colon, underscore, TEXT_ and "Other" categories and upper-case beyond ASCII: the categories
// kept in step stay equal to a rebuild after every step.
TEST_P(EditingPerFormat, CategoriesKeptInStepEqualARebuildAfterRandomEdits) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    auto pick = [&](std::size_t n) { return static_cast<std::uint32_t>(random() % n); };
    static const char* const kPrefixes[] = {"GUI:",  "gui_",    "Gui:",       "TEXT_UNIT_",
                                            "TEXT_", "TEXT_B_", "\xE9t\xE9:", "\xC9T\xC9_",
                                            ":",     "_",       "",           "Z"};
    auto randomName = [&] {
        return kPrefixes[pick(std::size(kPrefixes))] + std::to_string(pick(50));
    };

    auto doc = EmptyOf(GetParam().id);
    TCat kept = doc->GetCategories();
    for (int step = 0; step < 400; ++step) {
        const std::uint32_t count = doc->LabelCount();
        const std::uint32_t action = pick(count < 3 ? 1 : 6);
        if (action <= 2) {
            const std::uint32_t at = pick(count + 1);
            doc->InsertString(at, doc->NewString(randomName(), u"v", ""));
            doc->CategoriesAfterInsert(kept, at);
        } else if (action <= 4) {
            const std::uint32_t index = pick(count);
            const TText text = doc->ExtractString(index);
            doc->CategoriesAfterExtract(kept, index, text.Name);
        } else {
            const std::uint32_t index = pick(count);
            const std::string oldName = doc->Body[index].Name;
            doc->RenameString(index, randomName());
            doc->CategoriesAfterRename(kept, index, oldName);
        }
        ASSERT_EQ(kept, doc->GetCategories()) << "after step " << step;
        if (step == 200)
            while (doc->LabelCount() > 0) {
                const TText text = doc->ExtractString(0);
                doc->CategoriesAfterExtract(kept, 0, text.Name);
                ASSERT_EQ(kept, doc->GetCategories()) << "emptying the table";
            }
    }
}

INSTANTIATE_TEST_SUITE_P(Registry, EditingPerFormat, testing::ValuesIn(Formats()), FormatName);

TEST(EditingTest, TheCsfStringCountWrapsAsA32BitFieldAndComesBack) {
    TCompiledStrings doc;
    doc.Body.push_back(doc.NewString("A:B", u"v", ""));
    doc.StringCount = INT32_MAX;
    doc.AddValue(0);
    EXPECT_EQ(doc.StringCount, INT32_MIN);
    doc.InsertString(1, doc.NewString("A:C", u"w", ""));
    EXPECT_EQ(doc.StringCount, INT32_MIN + 1);
    doc.ExtractString(1);
    doc.RemoveValue(0);
    EXPECT_EQ(doc.StringCount, INT32_MAX);
    // Replacing every string counts the values gained, and replacing them back restores it.
    TCSFBody strings{doc.NewString("A:D", u"x", ""), doc.NewString("A:E", u"y", "")};
    doc.SwapStrings(strings);
    EXPECT_EQ(doc.StringCount, INT32_MIN);
    doc.SwapStrings(strings);
    EXPECT_EQ(doc.StringCount, INT32_MAX);
    EXPECT_EQ(doc.TakeLastValue(0).Value, u"v");
    EXPECT_EQ(doc.StringCount, INT32_MAX - 1);
    EXPECT_THROW(doc.TakeLastValue(0), std::invalid_argument);
}

TEST(EditingTest, ValueTagsFollowTheVersionAsApplyAndInsertSetThem) {
    TCompiledStrings doc;
    doc.Version = 2;
    doc.Body.push_back(doc.NewString("A:B", u"v", ""));
    EXPECT_EQ(doc.Body[0].Values[0].Tag, kValueTagV2); // Insert: "RT" only for version 3
    EXPECT_EQ(doc.Body[0].Tag, kLabelTag);
    doc.SetValue(0, 0, u"w", "extra");
    EXPECT_EQ(doc.Body[0].Values[0].Tag, (Tag4{'W', 'r', 't', 'S'}));
    doc.Version = 4;
    EXPECT_EQ(doc.NewString("A:C", u"v", "").Values[0].Tag, kValueTagV2);
    doc.SetValue(0, 0, u"w", "");
    EXPECT_EQ(doc.Body[0].Values[0].Tag, kValueTagV3); // Apply: "rt" only for version 2
    doc.RenameString(0, "Z:Z");
    EXPECT_EQ(doc.Body[0].Values[0].Tag, kValueTagV3); // a CSF rename keeps its tags
    EXPECT_THROW(doc.SetValue(0, 1, u"", ""), std::out_of_range);
    EXPECT_THROW(doc.RenameString(1, "X"), std::out_of_range);
    EXPECT_THROW(doc.InsertString(3, TText{}), std::out_of_range);
    // A value appended with text takes the letters of the value before it, else Add value's,
    // and marks its extra value.
    EXPECT_EQ(TWestwoodStrings::AppendedValueTag(&doc.NewString("A:D", u"", "").Values[0], true),
              (Tag4{'W', 'r', 't', 'S'}));
    EXPECT_EQ(TWestwoodStrings::AppendedValueTag(nullptr, false), kValueTagV3);
}

TEST(EditingTest, VersionFargusAndImportAreTakenBackToTheSameBytes) {
    SetActiveCodePage(1251);
    TCompiledStrings doc;
    doc.Magic = kCsfMagic;
    doc.Version = 2;
    doc.Body.push_back(doc.NewString("A:B", u"\u00c0\u00e1c", ""));
    doc.Body.push_back(doc.NewString("A:C", u"plain", "x"));
    doc.Body[1].Values[0].Tag = Tag4{'W', 'q', 'z', 'S'}; // a tag of no version
    const Bytes original = Save(doc, DocumentFormat::CSF);

    TVersionState version = doc.ChangeVersion(3);
    EXPECT_EQ(doc.Body[1].Values[0].Tag, (Tag4{'W', 'R', 'T', 'S'}));
    std::vector<TFieldEdit> fargus = doc.FargusEdits(true);
    EXPECT_EQ(fargus.size(), 1u);
    doc.SwapEdits(fargus, false);
    TCompiledStrings source;
    source.Body.push_back(source.NewString("a:c", u"imported", ""));
    source.AddValue(0);
    NullProgress progress;
    TValuesSwap imported = doc.ImportStringValues(source, progress);
    EXPECT_EQ(doc.Body[1].ValueCount(), 2u);
    const Bytes edited = Save(doc, DocumentFormat::CSF);

    doc.SwapValues(imported);
    doc.SwapEdits(fargus, true);
    doc.SwapVersion(version);
    EXPECT_EQ(Save(doc, DocumentFormat::CSF), original);
    doc.SwapVersion(version);
    doc.SwapEdits(fargus, false);
    doc.SwapValues(imported);
    EXPECT_EQ(Save(doc, DocumentFormat::CSF), edited);
    SetActiveCodePage(1252);
}

// Random edits of every kind, each kept as its undo record: taking them all back gives the
// original bytes, doing them again the edited bytes.
TEST(EditingTest, RandomEditsAreTakenBackExactly) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    auto doc = Sample(DocumentFormat::CSF);
    const Bytes original = Save(*doc, DocumentFormat::CSF);
    using Record = std::function<void()>;
    std::vector<std::pair<Record, Record>> steps; // undo, redo
    auto pick = [&](std::uint32_t n) { return static_cast<std::uint32_t>(random() % n); };
    for (int step = 0; step < 300; ++step) {
        const std::uint32_t i = pick(doc->LabelCount());
        const std::string name = "R" + std::to_string(pick(4)) + ":" + std::to_string(step);
        switch (pick(6)) {
        case 0: {
            auto e = std::make_shared<std::vector<TFieldEdit>>(1, doc->RenameString(i, name));
            steps.emplace_back([&, e] { doc->SwapEdits(*e, true); },
                               [&, e] { doc->SwapEdits(*e, false); });
            break;
        }
        case 1: {
            const std::uint32_t v = pick(doc->Body[i].ValueCount());
            auto e = std::make_shared<std::vector<TFieldEdit>>(
                doc->SetValue(i, v, u"v" + std::u16string(pick(3), u'\u0416'), pick(2) ? "e" : ""));
            steps.emplace_back([&, e] { doc->SwapEdits(*e, true); },
                               [&, e] { doc->SwapEdits(*e, false); });
            break;
        }
        case 2: {
            auto t = std::make_shared<TText>(doc->NewString(name, u"n", ""));
            const std::uint32_t at = pick(doc->LabelCount() + 1);
            doc->InsertString(at, *t);
            steps.emplace_back([&, at] { doc->ExtractString(at); },
                               [&, at, t] { doc->InsertString(at, *t); });
            break;
        }
        case 3: {
            if (doc->LabelCount() < 2)
                break;
            auto t = std::make_shared<TText>(doc->ExtractString(i));
            steps.emplace_back([&, i, t] { doc->InsertString(i, *t); },
                               [&, i] { doc->ExtractString(i); });
            break;
        }
        case 4:
            doc->AddValue(i);
            steps.emplace_back([&, i] { doc->RemoveValue(i); }, [&, i] { doc->AddValue(i); });
            break;
        default: {
            auto s = std::make_shared<TVersionState>(doc->ChangeVersion(2 + pick(2)));
            steps.emplace_back([&, s] { doc->SwapVersion(*s); }, [&, s] { doc->SwapVersion(*s); });
            break;
        }
        }
    }
    const Bytes edited = Save(*doc, DocumentFormat::CSF);
    for (auto it = steps.rbegin(); it != steps.rend(); ++it)
        it->first();
    EXPECT_EQ(Save(*doc, DocumentFormat::CSF), original);
    for (auto& step : steps)
        step.second();
    EXPECT_EQ(Save(*doc, DocumentFormat::CSF), edited);
}

} // namespace
} // namespace vste
