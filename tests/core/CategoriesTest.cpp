// SPDX-License-Identifier: MIT
// Categories of CSF documents: grouping by label prefix and the order of the list.
#include <gtest/gtest.h>

#include <random>

#include "core/CompiledStrings.h"
#include "encoding/CodePage.h"

using namespace vste;

namespace {

TCompiledStrings tableOf(std::initializer_list<const char*> names) {
    TCompiledStrings doc;
    for (const char* name : names)
        doc.Body.push_back({kLabelTag, name, {{kValueTagV3, u"", ""}}});
    return doc;
}

// The straightforward definition: first-match search over a list, then a bubble sort.
TCat referenceCategories(const TCompiledStrings& doc) {
    TCat cats;
    for (std::size_t i = 0; i < doc.Body.size(); ++i) {
        const std::string& name = doc.Body[i].Name;
        std::size_t end = name.find(':');
        if (end == std::string::npos)
            end = name.find('_');
        const std::string cat =
            end == std::string::npos ? "Other" : AnsiUpperCase(name.substr(0, end));
        bool found = false;
        for (TCategory& c : cats) {
            if (c.Name == cat) {
                c.IDs.push_back(static_cast<std::int32_t>(i));
                found = true;
                break;
            }
        }
        if (!found)
            cats.push_back({cat, {static_cast<std::int32_t>(i)}});
    }
    auto less = [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(
            a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
                return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
            });
    };
    for (std::size_t p = 0; p + 1 < cats.size(); ++p)
        for (std::size_t j = 0; j + 1 < cats.size() - p; ++j)
            if (less(cats[j + 1].Name, cats[j].Name))
                std::swap(cats[j], cats[j + 1]);
    return cats;
}

} // namespace

TEST(CsfCategories, PrefixRulesAndOrder) {
    EXPECT_EQ(tableOf({"GUI:OK", "gui:Cancel", "Name_1", "Help"}).GetCategories(),
              (TCat{{"GUI", {0, 1}}, {"NAME", {2}}, {"Other", {3}}}));
    // A colon anywhere wins over an earlier underscore; an empty prefix sorts first.
    EXPECT_EQ(tableOf({"A_B:C", ":X", "A_D"}).GetCategories(),
              (TCat{{"", {1}}, {"A", {2}}, {"A_B", {0}}}));
    // Upper-case T sorts before lower-case t, and "Other" is never upper-cased.
    EXPECT_EQ(tableOf({"plain", "OTHER:x", "other_y"}).GetCategories(),
              (TCat{{"OTHER", {1, 2}}, {"Other", {0}}}));
    // Bytes compare unsigned; a proper prefix sorts first.
    EXPECT_EQ(tableOf({"\xC0:a", "AB:b", "A:c", "~:d"}).GetCategories(),
              (TCat{{"A", {2}}, {"AB", {1}}, {"~", {3}}, {"\xC0", {0}}}));
    EXPECT_TRUE(TCompiledStrings().GetCategories().empty());
}

TEST(CsfCategories, CyrillicPrefixesUpperCaseByTheCodePage) {
    const int old = ActiveCodePage();
    SetActiveCodePage(1251);
    // "меню:a" and "МЕНЮ:b" in Windows-1251 share one category.
    TCat cats = tableOf({"\xEC\xE5\xED\xFE:a", "\xCC\xC5\xCD\xDE:b"}).GetCategories();
    SetActiveCodePage(old);
    EXPECT_EQ(cats, (TCat{{"\xCC\xC5\xCD\xDE", {0, 1}}}));
}

TEST(CsfCategories, EqualToTheStraightforwardDefinitionOnRandomLabels) {
    std::mt19937 rng(7);
    const char alphabet[] = "aAbB:_zZ\xE0\xC0";
    TCompiledStrings doc;
    for (int i = 0; i < 3000; ++i) {
        std::string name;
        const int len = static_cast<int>(rng() % 6);
        for (int k = 0; k < len; ++k)
            name += alphabet[rng() % (sizeof alphabet - 1)];
        doc.Body.push_back({kLabelTag, name, {{kValueTagV3, u"", ""}}});
    }
    EXPECT_EQ(doc.GetCategories(), referenceCategories(doc));
}

TEST(CsfCategories, PrefixesUpperCaseExactlyAsTheCodePageDoesUnderEveryCodePage) {
    for (int cp : SupportedCodePages()) {
        SCOPED_TRACE(cp);
        const int old = ActiveCodePage();
        SetActiveCodePage(cp);
        TCompiledStrings doc;
        std::vector<std::string> prefixes;
        for (int b = 1; b < 256; ++b) {
            if (b == ':' || b == '_')
                continue;
            prefixes.push_back(std::string("p") + static_cast<char>(b));
            doc.Body.push_back({kLabelTag, prefixes.back() + ":x", {{kValueTagV3, u"", ""}}});
        }
        const TCat cats = doc.GetCategories();
        const TCat expected = referenceCategories(doc);
        SetActiveCodePage(old);
        EXPECT_EQ(cats, expected);
    }
}
