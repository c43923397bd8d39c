// SPDX-License-Identifier: MIT
// Writes the comparison benchmarks' tables to a folder: old.csf (the million-label table),
// new.csf (a newer version of it) and tr.csf (a translation of old.csf), for timing vste-cli
// diff and update.
#include <cstdio>
#include <exception>
#include <string>

#include "CompareTables.h"
#include "core/FileIO.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_compare_tables FOLDER\n");
        return 2;
    }
    using namespace vste;
    try {
        const std::string folder = argv[1];
        NullProgress progress;
        const auto old = bench::readBigTable();
        StoreFileAtomically(folder + "/old.csf", old->SaveToBuffer(progress, false));
        TCompiledStrings other = *old;
        other.Body = bench::newerVersion(old->Body);
        StoreFileAtomically(folder + "/new.csf", other.SaveToBuffer(progress, false));
        other.Body = bench::translationOf(old->Body);
        StoreFileAtomically(folder + "/tr.csf", other.SaveToBuffer(progress, false));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_compare_tables: %s\n", e.what());
        return 1;
    }
    return 0;
}
