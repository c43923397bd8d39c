// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <random>

#include "checks/CheckSupport.h"
#include "core/Errors.h"
#include "core/Progress.h"
#include "encoding/CodePage.h"
#include "formats/BladeRunnerStrings.h"
#include "formats/Dune2000Strings.h"
#include "formats/Limits.h"
#include "formats/MalcolmStrings.h"

using namespace vste;
using namespace vste::test;

namespace {

// A random table whose strings now and then hold what the rules look for.
TCSFBody RandomTable(std::mt19937& rng, std::size_t size) {
    static const char* const names[] = {"GUI:A", "gui:a", "B", "C D", "\xC0", "\xE0", "E//"};
    static const char16_t* const values[] = {u"", u" x", u"%s %d", u"Ω", u"я\n", u"ok", u"%d"};
    TCSFBody body;
    for (std::size_t i = 0; i < size; ++i)
        body.push_back(Str(std::string(names[rng() % 7]) + std::to_string(rng() % 3),
                           {Val(values[rng() % 7]), Val(values[rng() % 7], "snd1")}));
    return body;
}

std::string Key(const Finding& f) {
    return std::string(f.rule) + "|" + std::to_string(f.index) + "|" +
           std::to_string(f.valueIndex) + "|" + f.message;
}

} // namespace

TEST(EngineTest, CheckingSomeStringsGivesTheirPartOfTheWholeCheck) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    for (int round = 0; round < 20; ++round) {
        const TCSFBody body = RandomTable(rng, 1 + rng() % 40);
        const TCSFBody refBody = RandomTable(rng, 1 + rng() % 40);
        const Reference reference(refBody, 1251);
        const CheckTarget target{rng() % 2 ? DocumentFormat::STR : DocumentFormat::CSF,
                                 rng() % 2 == 0, 1251};
        CheckEngine engine(target, {}, &reference);
        engine.prepare(body);
        std::vector<std::string> all;
        engine.checkAll([&](Finding&& f) {
            if (f.index != kNoString && f.index % 3 == 0)
                all.push_back(Key(f));
        });
        std::vector<std::uint32_t> subset;
        for (std::uint32_t i = 0; i < body.size(); i += 3)
            subset.push_back(i);
        std::vector<std::string> some;
        engine.checkStrings(subset, [&](Finding&& f) { some.push_back(Key(f)); });
        EXPECT_EQ(some, all);
    }
}

TEST(EngineTest, NameIndexPairsNamesExactlyAsUpperCasingThroughTheCodePage) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    TCSFBody body;
    for (int i = 0; i < 300; ++i) {
        std::string name;
        for (std::size_t n = rng() % 3; n > 0; --n)
            name += static_cast<char>("aAbB\xC0\xE0\xB8\xA8"[rng() % 8]);
        body.push_back(Str(name, u"v"));
    }
    const NameIndex index(body, 1251);
    for (std::uint32_t i = 0; i < body.size(); ++i) {
        std::uint32_t expected = i;
        for (std::uint32_t j = 0; j < i; ++j)
            if (AnsiUpperCase(body[j].Name, 1251) == AnsiUpperCase(body[i].Name, 1251)) {
                expected = j;
                break;
            }
        ASSERT_EQ(index.first(i), expected) << i;
        ASSERT_EQ(index.find(body[i].Name), expected);
    }
    EXPECT_EQ(index.find("zz"), kNoString);
}

// The limits agree with the writers: a document at the limit is written and passes too-long,
// one beyond is refused by the writer and found by the rule.
TEST(EngineTest, LimitsAreExactlyWhereTheWritersRefuse) {
    struct Case {
        std::unique_ptr<TWestwoodStrings> fits, beyond;
        DocumentFormat format;
        int codePage = 1252;
    };
    const auto make = [](auto document, TCSFBody body) {
        document->Body = std::move(body);
        return std::unique_ptr<TWestwoodStrings>(std::move(document));
    };
    const auto numbered = [](std::size_t count, std::size_t valueLength) {
        TCSFBody body;
        for (std::size_t i = 0; i < count; ++i)
            body.push_back(Str(std::to_string(i), std::u16string(valueLength, u'x')));
        return body;
    };
    std::vector<Case> cases;
    cases.push_back(
        {make(std::make_unique<TDune2000Strings>(), {Str(std::string(65534, 'n'), u"")}),
         make(std::make_unique<TDune2000Strings>(), {Str(std::string(65535, 'n'), u"")}),
         DocumentFormat::Dune2000});
    cases.push_back({make(std::make_unique<TDune2000Strings>(), numbered(1, 65534)),
                     make(std::make_unique<TDune2000Strings>(), numbered(1, 65535)),
                     DocumentFormat::Dune2000});
    cases.push_back({make(std::make_unique<TWestwoodStrings>(), numbered(2, 32763)),
                     make(std::make_unique<TWestwoodStrings>(), numbered(2, 32764)),
                     DocumentFormat::Westwood});
    // Under 1258 this letter is written as two bytes, a letter and its mark.
    const std::u16string marked(16381, u'\u1EC7');
    cases.push_back({make(std::make_unique<TWestwoodStrings>(),
                          {Str("0", marked + u"x"), Str("1", marked + u"x")}),
                     make(std::make_unique<TWestwoodStrings>(),
                          {Str("0", marked + u"\u1EC7"), Str("1", marked + u"\u1EC7")}),
                     DocumentFormat::Westwood, 1258});
    cases.push_back({make(std::make_unique<TMalcolmStrings>(), numbered(13106, 0)),
                     make(std::make_unique<TMalcolmStrings>(), numbered(13107, 0)),
                     DocumentFormat::Malcolm});
    cases.push_back({make(std::make_unique<TMalcolmStrings>(), numbered(13106, 0)),
                     make(std::make_unique<TMalcolmStrings>(), numbered(16384, 0)),
                     DocumentFormat::Malcolm});
    cases.push_back({make(std::make_unique<TMalcolmStrings>(), numbered(1, 65534)),
                     make(std::make_unique<TMalcolmStrings>(), numbered(1, 65535)),
                     DocumentFormat::Malcolm});
    cases.push_back({make(std::make_unique<TMalcolmStrings>(), numbered(2, 65524)),
                     make(std::make_unique<TMalcolmStrings>(), numbered(2, 65525)),
                     DocumentFormat::Malcolm});
    NullProgress progress;
    for (const Case& c : cases) {
        SCOPED_TRACE(GetFormatInfo(c.format).shortName);
        SetActiveCodePage(c.codePage);
        const CheckTarget target{c.format, false, c.codePage};
        EXPECT_NO_THROW(WriteDocument(c.format, *c.fits, progress, false));
        EXPECT_TRUE(Findings(c.fits->Body, target, nullptr, "too-long").empty());
        EXPECT_THROW(WriteDocument(c.format, *c.beyond, progress, false), FormatError);
        EXPECT_FALSE(Findings(c.beyond->Body, target, nullptr, "too-long").empty());
    }
}
