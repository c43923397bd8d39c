// SPDX-License-Identifier: MIT
// Import of values from another CSF table.
#include <gtest/gtest.h>

#include "core/CompiledStrings.h"
#include "encoding/CodePage.h"

using namespace vste;

namespace {

TText label(const char* name, std::vector<std::u16string> texts, Tag4 tag = kValueTagV3) {
    TText t{kLabelTag, name, {}};
    for (auto& text : texts)
        t.Values.push_back({tag, std::move(text), ""});
    return t;
}

class RecordingProgress : public Progress {
public:
    int max = -2;
    int last = -2;
    void SetMax(int m) override { max = m; }
    void SetPosition(int p) override { last = p; }
};

} // namespace

TEST(CsfImport, MatchesNamesIgnoringCaseAndMovesTheValues) {
    TCompiledStrings current;
    current.Body = {label("ABC", {u"old a"}), label("xyz", {u"old b"}), label("Lonely", {u"kept"})};
    current.StringCount = 3;
    TCompiledStrings source;
    source.Body = {label("XYZ", {u"b"}), label("abc", {u"a"}), label("SourceOnly", {u"s"})};
    RecordingProgress progress;
    current.ImportStrings(source, progress);

    EXPECT_EQ(current.Body[0].Values[0].Value, u"a");
    EXPECT_EQ(current.Body[1].Values[0].Value, u"b");
    EXPECT_EQ(current.Body[2].Values[0].Value, u"kept");
    EXPECT_EQ(current.Body[0].Name, "ABC"); // names stay
    EXPECT_EQ(current.LabelCount(), 3u);
    EXPECT_EQ(current.StringCount, 3);
    EXPECT_TRUE(source.Body[0].Values.empty());
    EXPECT_TRUE(source.Body[1].Values.empty());
    EXPECT_EQ(source.Body[2].Values.size(), 1u);
    EXPECT_EQ(progress.max, 2);
    EXPECT_EQ(progress.last, 2);
}

TEST(CsfImport, TakesTheWholeValueArrayWithTagsAndExtraValues) {
    TCompiledStrings current;
    current.Version = 2;
    current.Body = {label("A:one", {u"x", u"y", u"z"}, kValueTagV2),
                    label("A:two", {u"1"}, kValueTagV2)};
    TCompiledStrings source;
    source.Version = 3;
    source.Body = {label("a:ONE", {u"only"}), label("A:TWO", {u"p", u"q"})};
    source.Body[1].Values[1].Tag = Tag4{'W', 'R', 'T', 'S'};
    source.Body[1].Values[1].ExtraValue = "speech";
    NullProgress progress;
    current.ImportStrings(source, progress);

    // The count follows the array: no hidden values and no missing ones.
    ASSERT_EQ(current.Body[0].ValueCount(), 1u);
    ASSERT_EQ(current.Body[1].ValueCount(), 2u);
    EXPECT_EQ(current.Body[1].Values[1].Tag, (Tag4{'W', 'R', 'T', 'S'}));
    EXPECT_EQ(current.Body[1].Values[1].ExtraValue, "speech");
    EXPECT_EQ(current.Body[0].Values[0].Tag, kValueTagV3); // the source's tags, not re-cased
    EXPECT_EQ(current.Version, 2);
}

TEST(CsfImport, DuplicateNamesTakeTheNextUnusedSourceLabelInFileOrder) {
    TCompiledStrings current;
    current.Body = {label("DUP", {u"c1"}), label("dup", {u"c2"}), label("Dup", {u"c3"}),
                    label("One", {u"c4"}), label("ONE", {u"c5"})};
    TCompiledStrings source;
    source.Body = {label("x", {u"unrelated"}), label("dup", {u"s1"}), label("one", {u"s3"}),
                   label("DUP", {u"s2"})};
    NullProgress progress;
    current.ImportStrings(source, progress);
    EXPECT_EQ(current.Body[0].Values[0].Value, u"s1");
    EXPECT_EQ(current.Body[1].Values[0].Value, u"s2");
    EXPECT_EQ(current.Body[2].Values[0].Value, u"c3"); // nothing left to take: keeps its own
    EXPECT_EQ(current.Body[3].Values[0].Value, u"s3");
    EXPECT_EQ(current.Body[4].Values[0].Value, u"c5");
    for (const TText& t : current.Body)
        EXPECT_EQ(t.ValueCount(), 1u);
}

TEST(CsfImport, CyrillicNamesMatchIgnoringCaseAndSelfImportChangesNothing) {
    const int old = ActiveCodePage();
    SetActiveCodePage(1251);
    TCompiledStrings current;
    current.Body = {label("\xEC\xE5\xED\xFE", {u"old"})}; // "меню"
    TCompiledStrings source;
    source.Body = {label("\xCC\xC5\xCD\xDE", {u"new"})}; // "МЕНЮ"
    NullProgress progress;
    current.ImportStrings(source, progress);
    SetActiveCodePage(old);
    EXPECT_EQ(current.Body[0].Values[0].Value, u"new");

    current.ImportStrings(current, progress);
    ASSERT_EQ(current.Body[0].ValueCount(), 1u);
    EXPECT_EQ(current.Body[0].Values[0].Value, u"new");
}
