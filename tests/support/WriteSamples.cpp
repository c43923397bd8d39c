// SPDX-License-Identifier: MIT
// Not a test: writes a small file of every format into the folder given, for comparing the
// programs of two builds (the Windows smoke run compares its vste-cli with the Linux one's).
#include <cstdio>
#include <string>

#include "support/SampleFiles.h"
#include "support/TestSupport.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vste_write_samples FOLDER\n");
        return 2;
    }
    namespace s = vste::samples;
    const std::string folder = argv[1];
    const struct {
        const char* name;
        vste::test::Bytes (*bytes)();
    } files[] = {
        {"english.csf", s::CsfEnglish},        {"unicode.csf", s::CsfUnicode},
        {"sample.str", s::StrSample},          {"game.eng", s::WestwoodGameForm},
        {"editor.ger", s::WestwoodEditorForm}, {"sample.lte", s::LiquidSample},
        {"sample.dat", s::EmpireAtWarSample},  {"sample.trr", s::BladeRunnerSample},
        {"sample.tre", s::MalcolmSample},      {"sample.uib", s::Dune2000Sample},
    };
    for (const auto& f : files)
        vste::test::WriteBytes(folder + "/" + f.name, f.bytes());
    return 0;
}
