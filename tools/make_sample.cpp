// SPDX-License-Identifier: MIT
// Writes the bundled example table, sample.csf, and its text form, sample.str, into a folder
// (default: data/samples). The STR form is single-byte text of Windows-1251, so its Cyrillic
// survives while the CJK values become question marks, and only first values are kept.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "core/CompiledStrings.h"
#include "core/FileIO.h"
#include "core/Model.h"
#include "encoding/CodePage.h"

namespace {

using namespace vste;

struct SampleValue {
    const char* value; // UTF-8
    const char* extra; // single-byte; empty when the value has no extra value
};

struct SampleString {
    const char* name;
    std::vector<SampleValue> values;
};

// clang-format off
const std::vector<SampleString> kStrings = {
    {"GUI:OK", {{"OK", ""}}},
    {"GUI:Cancel", {{"Cancel", ""}}},
    {"GUI:Back", {{"Back", ""}}},
    {"GUI:MainMenu", {{"Main Menu", ""}}},
    {"GUI:LoadGame", {{"Load Game", ""}}},
    {"GUI:SaveGame", {{"Save Game", ""}}},
    {"GUI:Options", {{"Options", ""}}},
    {"GUI:QuitConfirm", {{"Are you sure you want to quit?\nUnsaved progress will be lost.", ""}}},
    {"GUI:Difficulty", {{"Difficulty: Easy", ""}, {"Difficulty: Normal", ""}, {"Difficulty: Hard", ""}}},
    {"GUI:Loading", {{"Loading, please wait...", ""}}},
    {"GUI:Victory", {{"Mission Accomplished", "vict01"}}},
    {"GUI:Defeat", {{"Mission Failed", "defeat01"}}},
    {"GUI:ReadyRu", {{"Готово", ""}}},
    {"GUI:CancelRu", {{"Отмена", ""}}},
    {"GUI:ReadyJa", {{"準備完了", ""}}},
    {"MAP:Arctic", {{"Arctic Circle", ""}}},
    {"MAP:Desert", {{"Desert Storm", ""}}},
    {"MAP:Island", {{"Island Fortress", ""}}},
    {"MAP:Canyon", {{"Canyon of Echoes", ""}}},
    {"MAP:RiverRu", {{"Северная река", ""}}},
    {"MAP:Valley", {{"Hidden Valley\nFour players", ""}}},
    {"NAME:Engineer", {{"Engineer", ""}}},
    {"NAME:Tank", {{"Heavy Tank", ""}}},
    {"NAME:Harvester", {{"Ore Harvester", ""}}},
    {"NAME:Barracks", {{"Barracks", ""}}},
    {"NAME:PowerPlant", {{"Power Plant", ""}}},
    {"NAME:Refinery", {{"Ore Refinery", ""}}},
    {"NAME:Spy", {{"Шпион", ""}}},
    {"NAME:Dragon", {{"龍の戦車", ""}}},
    {"TXT:Intro", {{"Commander, the enemy has crossed the border.\nAssemble your forces.", "intro01"}}},
    {"TXT:Briefing1", {{"Destroy the enemy radar before dawn.", "brief01"}}},
    {"TXT:Briefing2", {{"Escort the convoy to the bridge.\nDo not let a single truck fall.", "brief02"}}},
    {"TXT:Unit_Lost", {{"Unit lost.", "ulost"}}},
    {"TXT:Unit_Ready", {{"Unit ready.", "uready"}}},
    {"TXT:Reinforce", {{"Подкрепление прибыло.", "reinf"}}},
    {"TXT:Credits", {{"Insufficient funds.", "nofunds"}}},
    {"Other_Version", {{"Version 1.0", ""}}},
    {"Other_Copyright", {{"(c) Velmoran Studio", ""}}},
    {"Other_Empty", {{"", ""}}},
    {"Other:Tip", {{"Tip: press Space to centre on your base.", ""}, {"Совет: пробел — к базе.", ""}}},
};
// clang-format on

TCompiledStrings BuildSample() {
    TCompiledStrings doc;
    doc.Magic = kCsfMagic;
    doc.Version = 3;
    doc.Language = 0;
    std::int32_t values = 0;
    for (const SampleString& s : kStrings) {
        TText text;
        text.Tag = kLabelTag;
        text.Name = s.name;
        for (const SampleValue& v : s.values) {
            TTextContainer value;
            value.Tag = kValueTagV3;
            value.Value = Utf8ToUtf16(v.value);
            value.ExtraValue = v.extra;
            if (!value.ExtraValue.empty())
                value.Tag[0] = kExtraValueMark;
            text.Values.push_back(std::move(value));
            ++values;
        }
        doc.Body.push_back(std::move(text));
    }
    doc.StringCount = values;
    return doc;
}

} // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "data/samples";
    try {
        SetActiveCodePage(1251);
        const TCompiledStrings doc = BuildSample();
        NullProgress progress;
        StoreFileAtomically(folder + "/sample.csf", doc.SaveToBuffer(progress, false));
        StoreFileAtomically(folder + "/sample.str", doc.SaveToSTRBuffer(progress));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_sample: %s\n", e.what());
        return 1;
    }
    return 0;
}
