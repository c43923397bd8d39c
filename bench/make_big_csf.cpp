// SPDX-License-Identifier: MIT
// Writes the benchmarks' million-label CSF table to a file, for timing vste-cli and the editor.
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "BigTable.h"
#include "core/FileIO.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_big_csf OUT.csf [LABELS]\n");
        return 2;
    }
    const int labels = argc > 2 ? std::atoi(argv[2]) : vste::bench::kLabels;
    try {
        vste::StoreFileAtomically(argv[1], vste::bench::generateCsf(2024, labels));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_big_csf: %s\n", e.what());
        return 1;
    }
    return 0;
}
