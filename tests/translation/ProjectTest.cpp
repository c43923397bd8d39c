// SPDX-License-Identifier: MIT
// A translation project: which tables of a folder are its languages, how far each is, and what
// each says for one string.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/Errors.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"
#include "translation/Project.h"

using namespace vste;
using namespace vste::test;

namespace {

TText Str(const char* name, const char16_t* value) {
    TText text;
    text.Name = name;
    text.Values.push_back({kValueTagV3, value, ""});
    return text;
}

class ProjectTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string source;

    void SetUp() override {
        std::filesystem::create_directories(dir.path() / "de");
        std::filesystem::create_directories(dir.path() / "fr" / "old");
        source = WriteCsfTable(dir.file("en.csf"),
                               {Str("GUI:OK", u"OK"), Str("GUI:Cancel", u"Cancel"),
                                Str("GUI:Back", u"Back"), Str("GUI:Quit", u"Quit")},
                               1252, false, 0);
        WriteCsfTable(dir.file("de/de.csf"),
                      {Str("gui:ok", u"OK"), Str("GUI:Cancel", u"Abbrechen"), Str("GUI:Back", u""),
                       Str("GUI:Extra", u"Mehr")},
                      1252, false, 2);
        WriteCsfTable(dir.file("fr/fr.csf"), {Str("GUI:Cancel", u"Annuler")}, 1252, false, 1);
        // Two levels down, of another format, or not a table at all: not languages.
        WriteCsfTable(dir.file("fr/old/fr.csf"), {Str("GUI:Cancel", u"Annuler")}, 1252, false);
        WriteBytes(dir.file("notes.str"), {'"', 'x', '"'});
        WriteBytes(dir.file("broken.csf"), {' ', 'F', 'S', 'C', 3});
    }
};

} // namespace

TEST_F(ProjectTest, TheLanguagesAreTheTablesOfTheSourcesFormatBesideItAndOneFolderDown) {
    const std::vector<std::string> tables = FindProjectTables(source, DocumentFormat::CSF);
    EXPECT_EQ(tables, (std::vector<std::string>{dir.file("broken.csf"), dir.file("de/de.csf"),
                                                dir.file("fr/fr.csf")}));
}

TEST_F(ProjectTest, EachLanguageIsCountedAsStatusCountsItAndAnUnreadableOneSaysWhy) {
    const ProjectTables project(source, DocumentFormat::CSF, 1252);
    ASSERT_EQ(project.languages().size(), 3u);
    EXPECT_EQ(project.sourceStrings(), 4u);
    const auto& broken = project.languages()[0];
    EXPECT_FALSE(broken.error.empty());
    const auto& de = project.languages()[1];
    EXPECT_TRUE(de.error.empty());
    EXPECT_EQ(de.language, 2);
    EXPECT_EQ(de.status.strings, 4u);
    EXPECT_EQ(de.status.translated, 1u);   // Cancel
    EXPECT_EQ(de.status.untranslated, 2u); // OK as the source has it, Back empty
    EXPECT_EQ(de.status.missing, 1u);      // Quit
    EXPECT_EQ(de.status.onlyHere, 1u);     // Extra
    EXPECT_EQ(de.status.percent, 25u);
    EXPECT_EQ(project.languages()[2].status.percent, 25u);
}

TEST_F(ProjectTest, AStringsValueInEachLanguageSaysWhetherItIsTranslated) {
    const ProjectTables project(source, DocumentFormat::CSF, 1252);
    const auto state = [&](std::size_t k, const char* name) {
        return project.valueOf(k, name).state;
    };
    EXPECT_EQ(state(0, "GUI:OK"), LanguageValueState::Unreadable);
    EXPECT_EQ(state(1, "GUI:OK"), LanguageValueState::Untranslated);
    EXPECT_EQ(project.valueOf(1, "GUI:OK").text, u"OK");
    EXPECT_EQ(state(1, "GUI:Cancel"), LanguageValueState::Translated);
    EXPECT_EQ(project.valueOf(1, "gui:cancel").text, u"Abbrechen");
    EXPECT_EQ(state(1, "GUI:Back"), LanguageValueState::Empty);
    EXPECT_EQ(state(1, "GUI:Quit"), LanguageValueState::Missing);
    EXPECT_EQ(state(1, "GUI:Extra"), LanguageValueState::Translated); // only in this language
    EXPECT_EQ(state(2, "GUI:OK"), LanguageValueState::Missing);
}

TEST_F(ProjectTest, ASourceThatCannotBeReadIsRefusedWithTheReadersError) {
    EXPECT_THROW(ProjectTables(dir.file("broken.csf"), DocumentFormat::CSF), ReadError);
}
